#ifndef CHIRPWELL_ENGINE_TEXT_ENCODINGDETECTOR_H
#define CHIRPWELL_ENGINE_TEXT_ENCODINGDETECTOR_H

#include <optional>
#include <string_view>

#include "engine/text/Encoding.h"

// The encoding a file's bytes are most likely in, tested in this order: the
// byte-order mark of UTF-8 or UTF-16; ISO-2022-JP when they are 7-bit and hold one
// of its escape sequences; UTF-8 when they are valid UTF-8 with a character beyond
// ASCII; EUC-JP when they are valid EUC-JP beyond ASCII and either no valid CP932 or
// named EUC-JP by a detector made for the job; EUC-JIS-2004 when they are valid in it
// but not in EUC-JP, and either not in CP932 or named EUC-JP; Shift_JIS-2004 when
// they are valid in it but neither in CP932 nor in EUC-JP; Shift_JIS otherwise, pure
// ASCII included.
//
// How much the UTF-8 test reads: the whole; the first 64 KiB, for a caller that
// decodes the whole as UTF-8 anyway and, should that fail, detects again with None;
// or nothing, taking the bytes for no UTF-8.
// validCp932, when given, is set when the detector learnt whether the bytes are
// valid CP932, which it does for every text it takes for Shift_JIS.
enum class EUtf8Test { Whole, Start, None };
EEncoding DetectEncoding(std::string_view bytes, EUtf8Test utf8Test = EUtf8Test::Whole,
                         std::optional<bool>* validCp932 = nullptr);

// The encoding to read bytes in: detected when none is named, and a named UTF-8
// with or without a byte-order mark as the bytes have one.
EEncoding EncodingToRead(std::string_view bytes, std::optional<EEncoding> named,
                         EUtf8Test utf8Test = EUtf8Test::Whole,
                         std::optional<bool>* validCp932 = nullptr);

// The name of the encoding whose byte-order mark starts bytes, when it is one the
// program does not read (UTF-32); otherwise null.
const char* UnreadEncodingOf(std::string_view bytes);

// Whether every unit of bytes is a character of the system's CP932 or EUC-JP.
bool IsValidCp932(std::string_view bytes);
bool IsValidEucJp(std::string_view bytes);

#endif
