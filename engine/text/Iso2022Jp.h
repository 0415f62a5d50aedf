#ifndef CHIRPWELL_ENGINE_TEXT_ISO2022JP_H
#define CHIRPWELL_ENGINE_TEXT_ISO2022JP_H

#include <cstddef>
#include <string>
#include <string_view>

// ISO-2022-JP, as mail programs write it: ASCII (ESC ( B), JIS-Roman (ESC ( J),
// JIS X 0208 (ESC $ @, ESC $ B), half-width katakana (ESC ( I) and the NEC row 13.
// JIS X 0208 codes go to CP932 by the Shift_JIS arithmetic, so that 0x2141 is CP932's
// 〜 and Shift_JIS keys match; no character needs a code of the program's own.

// Whether bytes hold one of the escape sequences above.
bool HasIso2022JpEscape(std::string_view bytes);

// The CP932 text of ISO-2022-JP bytes; false with the offset of the first byte that
// is no text in it (a byte above 0x7F, an unknown escape, a pair of JIS X 0208 that
// CP932 has no character for, or a pair cut short).
bool DecodeIso2022Jp(std::string_view bytes, std::string& cp932, std::size_t& faultOffset);

// Reads ISO-2022-JP that comes in parts, the set in force going on from one part to
// the next.
class CIso2022JpReader {
public:
    // Appends the CP932 text of bytes to cp932: all of it when last, else that of the
    // units that are whole, as an escape sequence or a pair may go on in the next
    // part; used is set to the bytes read. False, with nothing appended, as
    // DecodeIso2022Jp.
    bool Read(std::string_view bytes, bool last, std::string& cp932, std::size_t& used,
              std::size_t& faultOffset);

private:
    enum class ESet { Ascii, JisX0208, Katakana };
    ESet m_eSet = ESet::Ascii;
};

// Writes CP932 text as ISO-2022-JP a unit at a time: JIS X 0208 after ESC $ B,
// half-width katakana after ESC ( I, and ESC ( B before ASCII, a line end among it,
// when another set is in force, and at the end.
class CIso2022JpWriter {
public:
    // Appends the CP932 unit (one byte, or a lead byte and the next) to out; false
    // when ISO-2022-JP has no character for it.
    bool Put(std::string_view unit, std::string& out);
    // Returns to ASCII at the end of the text.
    void Finish(std::string& out);

private:
    enum class ESet { Ascii, JisX0208, Katakana };
    void Switch(ESet set, std::string& out);

    ESet m_eSet = ESet::Ascii;
};

#endif
