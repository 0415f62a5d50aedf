#include "ui/UiTexts.h"

#include <array>

#include "document/CommandIds.h"

namespace {

constexpr std::array<CCommandText, 50> kCommandTexts = {{
    {ID_FILE_OPEN, "開く(&O)...", "既存のﾌｧｲﾙを開く", "開く"},
    {ID_RELOAD, "改めて開く(&R)", "現在のドキュメントを改めて開く", "再ロード"},
    {ID_FILE_SAVE_AS, "名前を付けて保存(&A)...", "作業中のﾌｧｲﾙに名前を付けて保存",
     "名前をつけて保存"},
    {ID_FILE_PRINT, "印刷(&P)...", "作業中のﾌｧｲﾙを印刷", "印刷"},
    {ID_FILE_PRINT_DIRECT, "", "作業中のﾌｧｲﾙを印刷", "印刷"},
    {ID_FILE_PRINT_PREVIEW, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", "ﾌﾙｽｸﾘｰﾝで表示", "印刷ﾌﾟﾚﾋﾞｭｰ"},
    {ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀの設定(&R)...", "ﾌﾟﾘﾝﾀ/印刷設定の変更", "ﾌﾟﾘﾝﾀの設定"},
    {ID_FILE_MRU_FILE1, "最新のﾌｧｲﾙ", "指定のﾌｧｲﾙを開く", ""},
    {ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "チャープウェルを終了", "終了"},
    {ID_UNDO, "元に戻す(&U)", "直前に行った動作を元に戻す", "元に戻す"},
    {ID_EDIT_COPY, "ｺﾋﾟｰ(&C)", "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存", "ｺﾋﾟ-"},
    {ID_EDIT_SELECT_ALL, "全てを選択(&A)", "ﾌｧｲﾙ全体を選択", "すべて選択"},
    {ID_EDIT_FIND, "ノーマルな検索(&F)", "指定した文字列の検索", "検索"},
    {ID_SEARCH_DOWN, "スマイル箇所の下方向検索(&D)", "スマイルしている箇所の検索（下向き）",
     "下微笑検索"},
    {ID_SEARCH_UP, "スマイル箇所の上方向検索(&U)", "スマイルしている箇所の検索（上向き）",
     "上微笑検索"},
    {ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰ(&T)", "ﾂｰﾙ ﾊﾞｰの表示/非表示", "ﾂｰﾙ ﾊﾞｰの表示/非表示"},
    {ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示", "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示"},
    {ID_FONT, "フォント(&F)...", "表示用フォントを設定", "フォント"},
    {ID_BACK_COLOR, "背景色(&B)...", "表示時の背景色を設定", "背景色"},
    {ID_AUTO_RESIZE, "自動リサイズ(&R)", "テキストにあわせてウインドウをリサイズするかどうかを決める",
     "自動リサイズ"},
    {ID_REVERSE, "リバース(&R)", "選択された範囲を逆さにする", "リバース"},
    {ID_CENSOR, "伏せ字(&H)", "選択した範囲をランダムに伏せる", "伏せ字"},
    {ID_SMILE_AGAIN, "さらにスマイル(&R)", "開かれている文章にさらにスマイル効果", "再微笑"},
    {ID_SMILE_WITH_FILE, "別ファイルでさらにスマイル(&O)", "スマイルファイルを選んでそれによるスマイル",
     "別再微笑"},
    {ID_SETTINGS, "設定(&T)...", "変換機能に関する種々の設定", "設定"},
    {ID_LAUNCH_HELP, "ヘルプ起動(&H)", "ヘルプを起動する", "ヘルプ"},
    {ID_APP_ABOUT, "", "ﾌﾟﾛｸﾞﾗﾑ情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示", "ﾊﾞｰｼﾞｮﾝ情報"},
    {ID_NEXT_PANE, "", "次のｳｨﾝﾄﾞｳに切り替える", "次ﾍﾟｰｼﾞ"},
    {ID_PREV_PANE, "", "前のｳｨﾝﾄﾞｳに切り替える", "前ﾍﾟｰｼﾞ"},
    {ID_MINIMIZE, "", "", ""},
    {ID_REOPEN_DETECT, "自動判別(&A)", "エンコーディングを自動判別して開き直す", "自動判別"},
    {ID_REOPEN_SHIFT_JIS, "Shift_JIS(&S)", "Shift_JIS として開き直す", "Shift_JIS"},
    {ID_REOPEN_UTF8, "UTF-8(&U)", "UTF-8 として開き直す", "UTF-8"},
    {ID_REOPEN_EUC_JP, "EUC-JP(&J)", "EUC-JP として開き直す", "EUC-JP"},
    {ID_DETECT_ENCODING, "開くときに自動判別する",
     "開くときにエンコーディングを自動判別するかどうかを決める", "自動判別"},
    {ID_SAVE_SHIFT_JIS, "Shift_JIS(&S)", "次の保存を Shift_JIS で行う", "Shift_JIS"},
    {ID_SAVE_UTF8, "UTF-8(&U)", "次の保存を UTF-8 で行う", "UTF-8"},
    {ID_SAVE_EUC_JP, "EUC-JP(&J)", "次の保存を EUC-JP で行う", "EUC-JP"},
    {ID_REOPEN_ISO2022JP, "ISO-2022-JP(&I)", "ISO-2022-JP (JIS) として開き直す", "ISO-2022-JP"},
    {ID_REOPEN_UTF16, "UTF-16(&T)", "UTF-16 として開き直す（バイト順マークのとおり、ないときはリトルエンディアン）",
     "UTF-16"},
    {ID_REOPEN_UTF16LE, "UTF-16LE(&L)", "UTF-16 リトルエンディアンとして開き直す", "UTF-16LE"},
    {ID_REOPEN_UTF16BE, "UTF-16BE(&B)", "UTF-16 ビッグエンディアンとして開き直す", "UTF-16BE"},
    {ID_REOPEN_SHIFT_JIS_2004, "Shift_JIS-2004(&H)", "Shift_JIS-2004 (JIS X 0213) として開き直す",
     "Shift_JIS-2004"},
    {ID_REOPEN_EUC_JIS_2004, "EUC-JIS-2004(&X)", "EUC-JIS-2004 (JIS X 0213) として開き直す",
     "EUC-JIS-2004"},
    {ID_SAVE_ISO2022JP, "ISO-2022-JP(&I)", "次の保存を ISO-2022-JP (JIS) で行う", "ISO-2022-JP"},
    {ID_SAVE_UTF16, "UTF-16(&T)", "次の保存をバイト順マーク付きの UTF-16 で行う", "UTF-16"},
    {ID_SAVE_UTF16LE, "UTF-16LE(&L)", "次の保存を UTF-16 リトルエンディアン（マークなし）で行う",
     "UTF-16LE"},
    {ID_SAVE_UTF16BE, "UTF-16BE(&B)", "次の保存を UTF-16 ビッグエンディアン（マークなし）で行う",
     "UTF-16BE"},
    {ID_SAVE_SHIFT_JIS_2004, "Shift_JIS-2004(&H)", "次の保存を Shift_JIS-2004 で行う",
     "Shift_JIS-2004"},
    {ID_SAVE_EUC_JIS_2004, "EUC-JIS-2004(&X)", "次の保存を EUC-JIS-2004 で行う", "EUC-JIS-2004"},
}};

}  // namespace

const CCommandText* FindCommandText(int id)
{
    for (const CCommandText& text : kCommandTexts) {
        if (text.m_nId == id)
            return &text;
    }
    return nullptr;
}

QString Ui(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
