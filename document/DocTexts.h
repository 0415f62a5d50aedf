#ifndef CHIRPWELL_DOCUMENT_DOCTEXTS_H
#define CHIRPWELL_DOCUMENT_DOCTEXTS_H

// Every text the document and its rules show, in UTF-8; Cp932Text() turns one into
// CP932.

inline constexpr char kCaptionGettingText[] = "テキスト取得中で御座る。";
inline constexpr char kCaptionSettingText[] = "テキスト設定中で御座る。";

inline constexpr char kAskReload[] = "設定が変更されたかもしれません。ファイルを再ロードしますか？";
inline constexpr char kMsgCancelFailed[] = "キャンセル処理中にエラーが発生しました。";

inline constexpr char kSmileFileDialogTitle[] = "「微笑み文書」を選んでください。";
inline constexpr char kSmileFileFilterName[] = "スマイルファイル(*.grn)";
inline constexpr char kAllFilesFilterName[] = "全てのファイル(*.*)";
inline constexpr char kOpenDialogTitle[] = "開く";
inline constexpr char kSaveAsDialogTitle[] = "名前を付けて保存";
inline constexpr char kDocumentFilterName[] = "すべてのﾌｧｲﾙ (*.*)";

// Opening and saving: %1 is the path, %2 the reason.
inline constexpr char kMsgCannotOpen[] = "%1 を開けません。\n%2";
inline constexpr char kMsgCannotSave[] = "%1 に保存できません。\n%2";
// %1 the character, %2 its line, %3 its column, %4 the encoding.
inline constexpr char kMsgCannotEncode[] = "「%1」（%2 行 %3 文字目）は %4 で保存できません。";
inline constexpr char kReasonNotFound[] = "ﾌｧｲﾙが見つかりません。";
inline constexpr char kReasonAccessDenied[] = "ｱｸｾｽが拒否されました。";
inline constexpr char kReasonIsFolder[] = "ﾌｫﾙﾀﾞです。";
inline constexpr char kReasonDiskFull[] = "ﾃﾞｨｽｸがいっぱいです。";
inline constexpr char kReasonNotRegularFile[] = "通常のファイルではありません。";
inline constexpr char kReasonBusy[] = "ほかのプログラムが書き込み中です。";
// After a failed save whose old content could not be put back: %1 is the copy.
inline constexpr char kMsgOldContentKept[] = "元の内容は %1 に残してあります。";

// The status bar's notice while the smile file of the settings (%1) cannot be read.
inline constexpr char kMsgSmileFileUnreadable[] =
    "スマイルファイル %1 を読めません。スマイルの規則はありません。";

// The settings dialog's refusals.
inline constexpr char kMsgNotInteger[] = "整数を入力してください。";
inline constexpr char kMsgIntegerRange[] = "%1 から %2 までの整数を入力してください。";
inline constexpr char kMsgMaxChars[] = "%1 文字以内で入力してください。";
inline constexpr char kMsgNotCp932[] = "Shift_JIS で表せない文字は使えません。";

// The prompts of the eight recent-file entries, most recent first.
inline constexpr const char* kRecentFilePrompts[8] = {
    "指定のﾌｧｲﾙを開く",
    "指定のﾌｧｲﾙを開きます",
    "指定のﾌｧｲﾙを開くのだ",
    "指定のﾌｧｲﾙを開いちゃう",
    "指定のﾌｧｲﾙを開くよ",
    "指定のﾌｧｲﾙを開いてあげよう",
    "指定のﾌｧｲﾙを開こうかな",
    "指定のﾌｧｲﾙを開くぜ",
};

#endif
