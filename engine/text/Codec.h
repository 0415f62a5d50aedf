#ifndef CHIRPWELL_ENGINE_TEXT_CODEC_H
#define CHIRPWELL_ENGINE_TEXT_CODEC_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/text/Encoding.h"

class CIso2022JpWriter;

// Why a text could not be read or written in an encoding. Offsets count bytes of the
// input: the file's bytes when reading, the CP932 text when writing.
struct CTextFault {
    enum class EKind {
        Malformed,          // the bytes are no text in the encoding
        TooManyCharacters,  // more characters that CP932 lacks than there are codes
        Unencodable,        // a character the encoding lacks
        Zero,               // a zero byte, or U+0000 in UTF-16, which no text holds
        UnreadEncoding,     // the byte-order mark of an encoding that is not read
    };
    EKind m_eKind = EKind::Malformed;
    std::size_t m_nOffset = 0;
    char32_t m_character = 0;   // Unencodable: the character, 0 when the bytes are none
    std::size_t m_nCount = 0;   // TooManyCharacters: the kinds of such characters
    std::size_t m_nLength = 0;  // Unencodable: the bytes of the unit at m_nOffset
    const char* m_pEncoding = nullptr;  // UnreadEncoding: its name
};

// Everything about characters and bytes for one open text: the encodings' tables,
// the two-byte codes given to characters that CP932 lacks or does not give back as
// themselves (taken from CP932 code space that no character uses, so that a text
// passes through CP932 and comes back byte for byte), and the unassigned pairs that a
// Shift_JIS text holds as its own bytes, which no character takes. Inside, every text
// is CP932 bytes; offsets count bytes. A code once given keeps its character until
// the next text starts. Copyable, so that a file can be read into a new codec that
// replaces the old one only once the file is read.
class CCodec {
public:
    // Starts the codes afresh for the text of a file of bytes in encoding. In a
    // Shift_JIS file the pairs that CP932 leaves unassigned are the text's own.
    void StartText(std::string_view bytes, EEncoding encoding);
    EEncoding TextEncoding() const { return m_eText; }

    // Starts the text of a file whose bytes text holds, in the encoding named or in
    // the one detected, and makes text its CP932 text as DecodeText does, in place;
    // on failure text keeps the bytes. encoding says which it was, also when the
    // bytes are no text in it. Valid UTF-8 is told by decoding it once. A zero byte,
    // U+0000 in UTF-16, and a byte-order mark of UTF-32 are refused.
    bool ReadText(std::string& text, std::optional<EEncoding> named, EEncoding& encoding,
                  CTextFault& fault);
    // A file's bytes as CP932 text, a byte-order mark left out. Shift_JIS is taken
    // byte for byte; a character that CP932 lacks gets a code. All or none.
    bool DecodeText(std::string_view bytes, EEncoding encoding, std::string& cp932,
                    CTextFault& fault);
    // The same for text from elsewhere (a smile file, a censor character): in a
    // Shift_JIS text the JIS forms of 〜, −, ‖, ¢, £ and ¬ take CP932's codes, as
    // they are typed on Linux and still find their characters.
    bool DecodeInput(std::string_view bytes, EEncoding encoding, std::string& cp932,
                     CTextFault& fault);
    // A file's bytes that come in parts, a stream: the CP932 text of the units that
    // start before the last kStreamHold bytes, all of them when last, written at the
    // start of buffer, which grows as needed and is never shrunk, so that a buffer
    // used again costs nothing; length is set to its bytes and used to the bytes
    // read, the caller keeping the rest for the next part. The mark is left out of
    // the part that starts with it; later parts must name the encoding's form
    // without a mark. Not for ISO-2022-JP, which keeps a state of its own
    // (CIso2022JpReader). Codes running out give the offset of the first character
    // left without one.
    static constexpr std::size_t kStreamHold = 8;
    bool DecodePart(std::string_view bytes, EEncoding encoding, bool last, std::string& buffer,
                    std::size_t& length, std::size_t& used, CTextFault& fault);
    // UTF-8 input that must hold characters of CP932, in either of their forms (a
    // censor character): as DecodeInput, but false for a character CP932 lacks.
    bool DecodeCp932Input(std::string_view utf8, std::string& cp932);
    // UTF-8 input that may only take codes already given, as a search does; false
    // when it is no UTF-8 or holds a character without a code.
    bool DecodeKnownInput(std::string_view utf8, std::string& cp932) const;

    // CP932 text as a file's bytes, with a byte-order mark for Utf8Bom. Shift_JIS is
    // the text as it stands, unless it holds a character with a code of ours.
    bool Encode(std::string_view cp932, EEncoding encoding, std::string& bytes,
                CTextFault& fault) const;
    // Whether cp932 goes out as Shift_JIS as it stands, as Encode would write it.
    bool FitsShiftJis(std::string_view cp932, CTextFault& fault) const;
    // Turns sorted offsets in cp932 into offsets in encoding as Encode writes it, a
    // byte-order mark included; an offset inside a unit becomes that of the unit.
    // Shift_JIS offsets stay as they are. The text must encode without a fault.
    void MapOffsets(std::string_view cp932, EEncoding encoding,
                    std::vector<std::size_t>& offsets) const;
    // A text that comes in parts, as Encode writes it whole, in any encoding but
    // Shift_JIS: the bytes of the CP932 units of cp932 (which must not end in a lead
    // byte whose second byte is still to come), the byte-order mark first when mark,
    // written at the start of buffer as DecodePart writes there; length is set to
    // their count. ISO-2022-JP goes through writer, which keeps its set from one
    // part to the next and is finished after the last. offsets, when given, are
    // mapped as MapOffsets maps them, counting from the part's first byte.
    bool EncodePart(std::string_view cp932, EEncoding encoding, bool mark,
                    CIso2022JpWriter& writer, std::string& buffer, std::size_t& length,
                    std::vector<std::size_t>* offsets, CTextFault& fault) const;

    // The character of the CP932 unit that starts cp932 (not empty), 0 when it is
    // none; length is set to the unit's bytes.
    char32_t UnitCharacter(std::string_view cp932, std::size_t& length) const;
    // The character a code of ours stands for, 0 when none.
    char32_t CharacterOf(std::uint16_t code) const;
    // CP932 text as UTF-8 for the user's eyes; a unit that is no character shows as
    // U+FFFD.
    std::string ToUtf8(std::string_view cp932) const;

    // The codes given, and those not given yet.
    std::size_t CodesGiven() const { return m_codes.size(); }
    std::size_t CodesLeft() const;

private:
    class CWriter;

    // The text of the units that start before end, at the start of buffer, as
    // DecodePart writes it; all or none.
    bool Decode(std::string_view bytes, EEncoding encoding, bool input, std::size_t end,
                std::string& buffer, std::size_t& length, std::size_t& used, CTextFault& fault);
    // DecodeText, or DecodeInput when input.
    bool DecodeWhole(std::string_view bytes, EEncoding encoding, bool input, std::string& cp932,
                     CTextFault& fault);
    // Encode in any encoding but Shift_JIS; with offsets, MapOffsets too.
    bool Write(std::string_view cp932, EEncoding encoding, std::string& bytes,
               CTextFault& fault, std::vector<std::size_t>* offsets) const;
    // The same for one part, written as EncodePart writes it.
    bool Write(std::string_view cp932, EEncoding encoding, bool withMark,
               CIso2022JpWriter& writer, std::string& buffer, std::size_t& length,
               CTextFault& fault, std::vector<std::size_t>* offsets) const;
    // ReadText in an encoding known; validCp932 is what the detector learnt.
    bool Read(std::string& text, EEncoding encoding, std::optional<bool> validCp932,
              CTextFault& fault);
    // The first free index from index on that is not taken.
    std::size_t NextFree(std::size_t index) const;
    void Give(const std::vector<char32_t>& characters);

    // Before any text, input keeps its characters as they are.
    EEncoding m_eText = EEncoding::Utf8;
    std::vector<bool> m_taken;                       // by free index; empty for none
    std::vector<char32_t> m_given;                   // by free index
    std::unordered_map<char32_t, std::uint16_t> m_codes;
    std::size_t m_nNext = 0;                         // the next free index to give
};

// The line of an offset in bytes of encoding, from 1 (a CR LF pair, a lone CR and a
// lone LF each end one), and its column, from 1, counting characters.
struct CTextPlace {
    std::size_t m_nLine = 1;
    std::size_t m_nColumn = 1;
};
CTextPlace PlaceInBytes(std::string_view bytes, EEncoding encoding, std::size_t offset);

// Program texts, paths and settings, which belong to no text: UTF-8 to CP932, the JIS
// forms included, false when a character has no CP932 code or the input is no UTF-8;
// and CP932 to UTF-8, false at a unit that is no character.
bool Utf8ToCp932(std::string_view utf8, std::string& cp932);
bool Cp932ToUtf8(std::string_view cp932, std::string& utf8);

#endif
