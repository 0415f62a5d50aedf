#ifndef CHIRPWELL_ENGINE_ENGINETEXTS_H
#define CHIRPWELL_ENGINE_ENGINETEXTS_H

// Every text the engine shows, in UTF-8; Cp932Text() turns one into CP932.

inline constexpr char kCaptionSmiling[] = "微笑んでいる最中で御座る。";
inline constexpr char kCaptionHtml[] = "ＨＴＭＬ処理中で御座る。";
inline constexpr char kCaptionComments[] = "Ｃ，Ｃ＋＋コメント処理中で御座る。";
inline constexpr char kCaptionNewlines[] = "改行コード処理中で御座る。";

inline constexpr char kMsgOutOfMemory[] = "メモリに関する例外が発生しました。大変です。（笑）";
inline constexpr char kMsgLineError[] = "第%d行で読み込みエラーが起きました。";
inline constexpr char kMsgNoPlaceBelow[] = "もうここより後ろにはないヨ。";
inline constexpr char kMsgNoPlaceAbove[] = "もうここより前にはないヨ。";

inline constexpr char kMsgTooLong[] = "文字列の長さが限界を超えました。この変換は無効です。";
inline constexpr char kMsgSmileFileFailed[] = "設定ファイルのロードに失敗しました。";
inline constexpr char kMsgFileTooLarge[] = "ﾌｧｲﾙが大きすぎて開けません。";

// Encodings: %1 is the path, %2 an encoding's name or a count.
inline constexpr char kMsgCannotDecode[] = "%1 は %2 として読めません。";
inline constexpr char kMsgTooManyCharacters[] =
    "%1 には Shift_JIS にない文字が多すぎて開けません（%2 種類）。";
inline constexpr char kMsgZeroByte[] =
    "%1 はテキストファイルではありません (ゼロのバイトを含んでいます)。";
inline constexpr char kMsgUnreadEncoding[] =
    "%1 は %2 のバイト順マークで始まっています。Chirpwell は %2 のテキストを読めません。";

inline constexpr char kUnnamedSetName[] = "権兵衛";
inline constexpr char kDefaultZenkaku[] = "●";
inline constexpr char kDefaultHankaku[] = "*";

#endif
