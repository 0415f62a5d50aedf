#ifndef CHIRPWELL_UI_UITEXTS_H
#define CHIRPWELL_UI_UITEXTS_H

#include <QString>

// Every text the window shows but the commands' own, which the command table holds,
// in UTF-8; Ui() turns one into a QString. Texts of the engine and the document
// arrive as CP932 and go through FromCp932().

QString Ui(const char* utf8);

inline constexpr char kAppTitle[] = "Chirpwell";
inline constexpr char kUntitled[] = "無題";
inline constexpr char kIdleText[] = "淑女(ﾚﾃﾞｨ)";
inline constexpr char kIndicatorKana[] = "ｶﾅ";
inline constexpr char kIndicatorCaps[] = "CAP";
inline constexpr char kIndicatorNum[] = "NUM";
inline constexpr char kIndicatorScroll[] = "SCRL";

inline constexpr char kMenuFile[] = "ﾌｧｲﾙ(&F)";
inline constexpr char kMenuEdit[] = "編集(&E)";
inline constexpr char kMenuSearch[] = "検索(&S)";
inline constexpr char kMenuView[] = "表示(&V)";
inline constexpr char kMenuConvert[] = "変換(&C)";
inline constexpr char kMenuSelectionEffects[] = "選択範囲エフェクト(&E)";
inline constexpr char kMenuWholeEffects[] = "全体エフェクト(&A)";
inline constexpr char kMenuHelp[] = "ﾍﾙﾌﾟ(&H)";
inline constexpr char kMenuReopenEncoding[] = "エンコーディングを指定して開き直す(&E)";
inline constexpr char kMenuSaveEncoding[] = "保存するエンコーディング";
inline constexpr char kToolBarTitle[] = "ﾂｰﾙ ﾊﾞｰ";

inline constexpr char kSettingsTitle[] = "Settings of チャープウェル";
inline constexpr char kButtonOk[] = "OK";
inline constexpr char kButtonCancel[] = "ｷｬﾝｾﾙ";
inline constexpr char kButtonLoadFile[] = "ﾌｧｲﾙﾛｰﾄﾞ...";
inline constexpr char kCheckHtml[] = "HTML";
inline constexpr char kCheckComments[] = "C++コメント";
inline constexpr char kCheckReturnCode[] = "改行コード";
inline constexpr char kGroupFilters[] = "フィルタ";
inline constexpr char kLabelFrequency[] = "スマイル頻度";
inline constexpr char kLabelPercent[] = "％";
inline constexpr char kGroupCensor[] = "伏せ字";
inline constexpr char kLabelZenkaku[] = "全角";
inline constexpr char kLabelHankaku[] = "半角";

inline constexpr char kAboutTitle[] = "version info of チャープウェル";
// Followed by the version.
inline constexpr char kAboutVersion[] = "Chirpwell Version ";

inline constexpr char kMsgPrintFailed[] = "印刷を開始できませんでした。ﾌﾟﾘﾝﾀの設定を確認してください。";

inline constexpr char kFindTitle[] = "検索";
inline constexpr char kFindWhat[] = "検索する文字列(&N):";
inline constexpr char kFindMatchCase[] = "大文字と小文字を区別する(&C)";
inline constexpr char kFindDirection[] = "方向";
inline constexpr char kFindUp[] = "上へ(&U)";
inline constexpr char kFindDown[] = "下へ(&D)";
inline constexpr char kFindNext[] = "次を検索(&F)";
// With the text looked for as %1.
inline constexpr char kMsgTextNotFound[] = "「%1」が見つかりません。";

inline constexpr char kMsgBadDropCount[] = "ファイルの個数が不正だっちゅ－の（笑）。";

inline constexpr char kHelpTitle[] = "Chirpwell ヘルプ";
inline constexpr char kHelpContents[] = "目次(&C)";
inline constexpr char kHelpBack[] = "戻る(&B)";
inline constexpr char kHelpForward[] = "進む(&F)";
inline constexpr char kMsgHelpMissing[] = "ヘルプファイル %1 が見つかりません。";

inline constexpr char kColorDialogTitle[] = "色の設定";
inline constexpr char kFontDialogTitle[] = "フォント";
inline constexpr char kFontDialogColor[] = "色(&C):";

#endif
