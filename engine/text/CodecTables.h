#ifndef CHIRPWELL_ENGINE_TEXT_CODECTABLES_H
#define CHIRPWELL_ENGINE_TEXT_CODECTABLES_H

#include <cstddef>
#include <cstdint>

// The encodings' tables, generated from the system's iconv when Chirpwell is built
// (engine/text/tablegen). Characters are Unicode; U+FFFD in the CP932 tables and 0 in the
// EUC-JP ones stand for no character.

// CP932: one-byte units by byte, two-byte units by lead index (LeadIndex) * 256 +
// second byte.
extern const char16_t kCp932Singles[];
extern const char16_t kCp932Pairs[];
// Five maps of 32 bytes, a bit per byte value (value / 8, bit value % 8): the bytes
// that are a character alone; the lead bytes whose row takes exactly the second
// bytes a pair may have (0x40 to 0x7E, 0x80 to 0xFC); the second bytes that rows
// 0x81, 0x82 and 0x83 take.
extern const std::uint8_t kCp932ByteMaps[];
// Two-byte codes, in order, that no character uses though their second byte is one
// a character may have; the program gives them characters of its own. The free
// index of a pair, laid out like kCp932Pairs, is its place in that list or -1.
extern const std::uint16_t kCp932FreeCodes[];
extern const std::size_t kCp932FreeCodeCount;
extern const std::int16_t kCp932FreeIndex[];
// Characters that CP932 gives back, and their codes (one byte, or lead * 256 +
// second byte).
extern const std::uint16_t kCp932Pages[];
extern const std::size_t kCp932PageCount;
extern const std::uint16_t kCp932Codes[];
// Characters that CP932 does not give back but that iconv writes as a CP932 code,
// as character << 16 | code in character order: the JIS forms of 〜, −, ‖ and the
// like, which is how they are typed on Linux.
extern const std::uint32_t kCp932InputCodes[];
extern const std::size_t kCp932InputCodeCount;

// EUC-JP: one-byte units by byte, half-width katakana by the byte after 0x8E, and
// JIS X 0208 and (after 0x8F) JIS X 0212 by (first - 0xA1) * 94 + (second - 0xA1).
extern const char16_t kEucJpSingles[];
extern const char16_t kEucJpKana[];
extern const char16_t kJisX0208[];
extern const char16_t kJisX0212[];
// The CP932 code of each JIS X 0208 character, laid out like kJisX0208; 0 where
// CP932 does not give the character back.
extern const std::uint16_t kJisX0208Cp932[];
// Characters and their EUC-JP bytes, high byte first.
extern const std::uint16_t kEucJpPages[];
extern const std::size_t kEucJpPageCount;
extern const std::uint32_t kEucJpCodes[];

// JIS X 0213, which Shift_JIS-2004 and EUC-JIS-2004 encode. Where a code stands for
// two characters (か and the combining semi-voiced mark), its character is a key
// past Unicode: kFirstSequenceKey + its place in kJisX0213Sequences, which holds
// the two characters of each. Bytes below 0x80 are ASCII in both forms.
inline constexpr char32_t kFirstSequenceKey = 0x110000;
extern const std::uint32_t kJisX0213Sequences[];
extern const std::size_t kJisX0213SequenceCount;
// EUC-JIS-2004: one-byte units by byte, half-width katakana by the byte after 0x8E,
// and the two planes, the second after 0x8F, by (plane - 1) * 94 * 94 + (first -
// 0xA1) * 94 + (second - 0xA1).
extern const std::uint32_t kEucJis2004Singles[];
extern const std::uint32_t kEucJis2004Kana[];
extern const std::uint32_t kJisX0213Planes[];
extern const std::uint16_t kEucJis2004Pages[];
extern const std::size_t kEucJis2004PageCount;
extern const std::uint32_t kEucJis2004Codes[];
// Shift_JIS-2004: one-byte units by byte, pairs like kCp932Pairs.
extern const std::uint32_t kShiftJis2004Singles[];
extern const std::uint32_t kShiftJis2004Pairs[];
// The CP932 codes of the characters of Shift_JIS-2004's pairs, and of the first
// plane's, laid out like their tables; 0 where CP932 does not give one back.
extern const std::uint16_t kShiftJis2004Cp932[];
extern const std::uint16_t kJisX0213Cp932[];
extern const std::uint16_t kShiftJis2004Pages[];
extern const std::size_t kShiftJis2004PageCount;
extern const std::uint32_t kShiftJis2004Codes[];

inline constexpr int kCp932LeadCount = 0x1F + 0x1D;
// What the CP932 tables hold for a unit that is no character.
inline constexpr char16_t kNoCharacter = 0xFFFD;

// Lead bytes 0x81 to 0x9F, then 0xE0 to 0xFC, numbered from 0. lead must be one.
constexpr int LeadIndex(unsigned char lead)
{
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F;
}

// The code of character in a map of pages, 0 when it has none. Every map has the
// 256 pages of the BMP, and a page without codes is the first, which holds none, so
// a BMP character takes no test.
template <typename T>
T FindInPages(const std::uint16_t* pages, std::size_t pageCount, const T* codes,
              char32_t character)
{
    const std::size_t page = character >> 8;
    if (page >= pageCount)
        return 0;
    return codes[pages[page] * 256u + (character & 0xFF)];
}

#endif
