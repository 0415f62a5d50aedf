#include "ui/CommandTable.h"

#include <array>
#include <cassert>

#include "document/CommandIds.h"
#include "ui/UiTexts.h"

namespace {

using E = EToolBarImage;
using M = EMenu;
constexpr std::nullopt_t kNoImage = std::nullopt;
constexpr bool kCheck = true;

// Adding a command is one row here and its handler where it belongs.
constexpr std::array<CCommand, 50> kCommands = {{
    // id, menu text, prompt, tooltip, keys, image, check mark, menu and place, toolbar place
    {ID_FILE_OPEN, "開く(&O)...", "既存のﾌｧｲﾙを開く", "開く", "Ctrl+O", E::Open, false, M::File, 10, 10},
    {ID_RELOAD, "改めて開く(&R)", "現在のドキュメントを改めて開く", "再ロード", "Ctrl+R", E::Reload,
     false, M::File, 11, 11},
    {ID_FILE_SAVE_AS, "名前を付けて保存(&A)...", "作業中のﾌｧｲﾙに名前を付けて保存", "名前をつけて保存",
     "Ctrl+S", E::SaveAs, false, M::File, 13, 12},
    {ID_FILE_PRINT, "印刷(&P)...", "作業中のﾌｧｲﾙを印刷", "印刷", "Ctrl+P", E::Print, false, M::File,
     20, 13},
    {ID_FILE_PRINT_DIRECT, "", "作業中のﾌｧｲﾙを印刷", "印刷", "", kNoImage, false, M::None, 0, 0},
    {ID_FILE_PRINT_PREVIEW, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", "ﾌﾙｽｸﾘｰﾝで表示", "印刷ﾌﾟﾚﾋﾞｭｰ", "", kNoImage, false,
     M::File, 21, 0},
    {ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀの設定(&R)...", "ﾌﾟﾘﾝﾀ/印刷設定の変更", "ﾌﾟﾘﾝﾀの設定", "", kNoImage,
     false, M::File, 22, 0},
    // The placeholder of an empty list, greyed.
    {ID_FILE_MRU_FILE1, "最新のﾌｧｲﾙ", "指定のﾌｧｲﾙを開く", "", "", kNoImage, false, M::File, 30, 0},
    {ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "チャープウェルを終了", "終了", "", kNoImage, false, M::File,
     40, 0},
    {ID_UNDO, "元に戻す(&U)", "直前に行った動作を元に戻す", "元に戻す", "Ctrl+Z", kNoImage, false,
     M::Edit, 10, 0},
    // The second key of copy is not named in the menu.
    {ID_EDIT_COPY, "ｺﾋﾟｰ(&C)", "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存", "ｺﾋﾟ-", "Ctrl+C; Ctrl+Ins",
     E::Copy, false, M::Edit, 20, 20},
    {ID_EDIT_SELECT_ALL, "全てを選択(&A)", "ﾌｧｲﾙ全体を選択", "すべて選択", "Ctrl+A", kNoImage, false,
     M::Edit, 21, 0},
    {ID_EDIT_FIND, "ノーマルな検索(&F)", "指定した文字列の検索", "検索", "", kNoImage, false,
     M::Search, 10, 0},
    {ID_SEARCH_DOWN, "スマイル箇所の下方向検索(&D)", "スマイルしている箇所の検索（下向き）",
     "下微笑検索", "Ctrl+F", kNoImage, false, M::Search, 11, 0},
    {ID_SEARCH_UP, "スマイル箇所の上方向検索(&U)", "スマイルしている箇所の検索（上向き）",
     "上微笑検索", "Ctrl+D", kNoImage, false, M::Search, 12, 0},
    {ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰ(&T)", "ﾂｰﾙ ﾊﾞｰの表示/非表示", "ﾂｰﾙ ﾊﾞｰの表示/非表示", "", kNoImage,
     kCheck, M::View, 10, 0},
    {ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示", "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示", "",
     kNoImage, kCheck, M::View, 11, 0},
    {ID_FONT, "フォント(&F)...", "表示用フォントを設定", "フォント", "", E::Font, false, M::View, 20,
     30},
    {ID_BACK_COLOR, "背景色(&B)...", "表示時の背景色を設定", "背景色", "", E::BackColor, false,
     M::View, 21, 31},
    {ID_AUTO_RESIZE, "自動リサイズ(&R)", "テキストにあわせてウインドウをリサイズするかどうかを決める",
     "自動リサイズ", "", E::AutoResize, kCheck, M::View, 30, 33},
    {ID_REVERSE, "リバース(&R)", "選択された範囲を逆さにする", "リバース", "", kNoImage, false,
     M::SelectionEffects, 10, 0},
    {ID_CENSOR, "伏せ字(&H)", "選択した範囲をランダムに伏せる", "伏せ字", "", kNoImage, false,
     M::SelectionEffects, 11, 0},
    {ID_SMILE_AGAIN, "さらにスマイル(&R)", "開かれている文章にさらにスマイル効果", "再微笑", "Ctrl+E",
     kNoImage, false, M::WholeEffects, 10, 0},
    {ID_SMILE_WITH_FILE, "別ファイルでさらにスマイル(&O)", "スマイルファイルを選んでそれによるスマイル",
     "別再微笑", "", kNoImage, false, M::WholeEffects, 11, 0},
    {ID_SETTINGS, "設定(&T)...", "変換機能に関する種々の設定", "設定", "", E::Settings, false,
     M::Convert, 12, 32},
    {ID_LAUNCH_HELP, "ヘルプ起動(&H)", "ヘルプを起動する", "ヘルプ", "F1", E::Help, false, M::Help, 10,
     41},
    {ID_APP_ABOUT, "", "ﾌﾟﾛｸﾞﾗﾑ情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示", "ﾊﾞｰｼﾞｮﾝ情報", "", E::About, false,
     M::None, 0, 40},
    // Keys without a menu item.
    {ID_MINIMIZE, "", "", "", "Ctrl+M", kNoImage, false, M::None, 0, 0},
    {ID_NEXT_PANE, "", "次のｳｨﾝﾄﾞｳに切り替える", "次ﾍﾟｰｼﾞ", "F6", kNoImage, false, M::None, 0, 0},
    {ID_PREV_PANE, "", "前のｳｨﾝﾄﾞｳに切り替える", "前ﾍﾟｰｼﾞ", "Shift+F6", kNoImage, false, M::None, 0,
     0},
    {ID_REOPEN_DETECT, "自動判別(&A)", "エンコーディングを自動判別して開き直す", "自動判別", "",
     kNoImage, false, M::ReopenEncoding, 10, 0},
    {ID_REOPEN_SHIFT_JIS, "Shift_JIS(&S)", "Shift_JIS として開き直す", "Shift_JIS", "", kNoImage,
     false, M::ReopenEncoding, 11, 0},
    {ID_REOPEN_UTF8, "UTF-8(&U)", "UTF-8 として開き直す", "UTF-8", "", kNoImage, false,
     M::ReopenEncoding, 12, 0},
    {ID_REOPEN_EUC_JP, "EUC-JP(&J)", "EUC-JP として開き直す", "EUC-JP", "", kNoImage, false,
     M::ReopenEncoding, 13, 0},
    {ID_REOPEN_ISO2022JP, "ISO-2022-JP(&I)", "ISO-2022-JP (JIS) として開き直す", "ISO-2022-JP", "",
     kNoImage, false, M::ReopenEncoding, 14, 0},
    {ID_REOPEN_UTF16, "UTF-16(&T)",
     "UTF-16 として開き直す（バイト順マークのとおり、ないときはリトルエンディアン）", "UTF-16", "",
     kNoImage, false, M::ReopenEncoding, 15, 0},
    {ID_REOPEN_UTF16LE, "UTF-16LE(&L)", "UTF-16 リトルエンディアンとして開き直す", "UTF-16LE", "",
     kNoImage, false, M::ReopenEncoding, 16, 0},
    {ID_REOPEN_UTF16BE, "UTF-16BE(&B)", "UTF-16 ビッグエンディアンとして開き直す", "UTF-16BE", "",
     kNoImage, false, M::ReopenEncoding, 17, 0},
    {ID_REOPEN_SHIFT_JIS_2004, "Shift_JIS-2004(&H)", "Shift_JIS-2004 (JIS X 0213) として開き直す",
     "Shift_JIS-2004", "", kNoImage, false, M::ReopenEncoding, 18, 0},
    {ID_REOPEN_EUC_JIS_2004, "EUC-JIS-2004(&X)", "EUC-JIS-2004 (JIS X 0213) として開き直す",
     "EUC-JIS-2004", "", kNoImage, false, M::ReopenEncoding, 19, 0},
    {ID_DETECT_ENCODING, "開くときに自動判別する",
     "開くときにエンコーディングを自動判別するかどうかを決める", "自動判別", "", kNoImage, kCheck,
     M::ReopenEncoding, 20, 0},
    {ID_SAVE_UTF8, "UTF-8(&U)", "次の保存を UTF-8 で行う", "UTF-8", "", kNoImage, kCheck,
     M::SaveEncoding, 10, 0},
    {ID_SAVE_SHIFT_JIS, "Shift_JIS(&S)", "次の保存を Shift_JIS で行う", "Shift_JIS", "", kNoImage,
     kCheck, M::SaveEncoding, 11, 0},
    {ID_SAVE_EUC_JP, "EUC-JP(&J)", "次の保存を EUC-JP で行う", "EUC-JP", "", kNoImage, kCheck,
     M::SaveEncoding, 12, 0},
    {ID_SAVE_ISO2022JP, "ISO-2022-JP(&I)", "次の保存を ISO-2022-JP (JIS) で行う", "ISO-2022-JP", "",
     kNoImage, kCheck, M::SaveEncoding, 13, 0},
    {ID_SAVE_UTF16, "UTF-16(&T)", "次の保存をバイト順マーク付きの UTF-16 で行う", "UTF-16", "",
     kNoImage, kCheck, M::SaveEncoding, 14, 0},
    {ID_SAVE_UTF16LE, "UTF-16LE(&L)", "次の保存を UTF-16 リトルエンディアン（マークなし）で行う",
     "UTF-16LE", "", kNoImage, kCheck, M::SaveEncoding, 15, 0},
    {ID_SAVE_UTF16BE, "UTF-16BE(&B)", "次の保存を UTF-16 ビッグエンディアン（マークなし）で行う",
     "UTF-16BE", "", kNoImage, kCheck, M::SaveEncoding, 16, 0},
    {ID_SAVE_SHIFT_JIS_2004, "Shift_JIS-2004(&H)", "次の保存を Shift_JIS-2004 で行う",
     "Shift_JIS-2004", "", kNoImage, kCheck, M::SaveEncoding, 17, 0},
    {ID_SAVE_EUC_JIS_2004, "EUC-JIS-2004(&X)", "次の保存を EUC-JIS-2004 で行う", "EUC-JIS-2004", "",
     kNoImage, kCheck, M::SaveEncoding, 18, 0},
}};

constexpr std::array<CMenu, 10> kMenus = {{
    {M::File, kMenuFile, M::None, 1},
    {M::Edit, kMenuEdit, M::None, 2},
    {M::Search, kMenuSearch, M::None, 3},
    {M::View, kMenuView, M::None, 4},
    {M::Convert, kMenuConvert, M::None, 5},
    {M::Help, kMenuHelp, M::None, 6},
    {M::ReopenEncoding, kMenuReopenEncoding, M::File, 12},
    {M::SaveEncoding, kMenuSaveEncoding, M::File, 14},
    {M::SelectionEffects, kMenuSelectionEffects, M::Convert, 10},
    {M::WholeEffects, kMenuWholeEffects, M::Convert, 11},
}};

}  // namespace

QList<QKeySequence> CCommand::Keys() const
{
    if (!*m_pKeys)
        return {};
    return QKeySequence::listFromString(QString::fromLatin1(m_pKeys), QKeySequence::PortableText);
}

QString CCommand::MenuItemText() const
{
    const QString text = Ui(m_pMenuText);
    const QList<QKeySequence> keys = Keys();
    if (text.isEmpty() || keys.isEmpty())
        return text;
    return text + '\t' + keys.constFirst().toString(QKeySequence::PortableText);
}

std::span<const CCommand> CommandTable()
{
    return kCommands;
}

const CCommand& FindCommand(int id)
{
    for (const CCommand& command : kCommands) {
        if (command.m_nId == id)
            return command;
    }
    assert(!"a command without a row");
    return kCommands.front();
}

std::span<const CMenu> MenuTable()
{
    return kMenus;
}
