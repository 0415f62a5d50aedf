// Writes the codec's tables as C++ source, read from the system's iconv when
// Chirpwell is built, so that no run builds them. Usage: MakeCodecTables OUTPUT.

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <iconv.h>

namespace {

constexpr char16_t kNone = 0xFFFD;

// One iconv descriptor from an encoding to UTF-32LE, asked one code at a time.
class CDecoder {
public:
    explicit CDecoder(const char* encoding) : m_cd(iconv_open("UTF-32LE", encoding)) {}
    ~CDecoder()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // The characters code stands for, empty when none.
    std::u32string Decode(std::string_view code)
    {
        char32_t out[4];
        char* in = const_cast<char*>(code.data());
        std::size_t inLeft = code.size();
        char* outPointer = reinterpret_cast<char*>(out);
        std::size_t outLeft = sizeof out;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_cd, &in, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0)
            return {};
        return std::u32string(out, (sizeof out - outLeft) / sizeof(char32_t));
    }

    // The one character code stands for, or 0.
    char32_t DecodeOne(std::string_view code)
    {
        const std::u32string characters = Decode(code);
        return characters.size() == 1 ? characters[0] : 0;
    }

private:
    iconv_t m_cd;
};

// The bytes iconv writes for one character in encoding, empty when it has none.
std::string Encode(const char* encoding, char32_t character)
{
    iconv_t cd = iconv_open(encoding, "UTF-32LE");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    char out[8];
    char* in = reinterpret_cast<char*>(&character);
    std::size_t inLeft = sizeof character;
    char* outPointer = out;
    std::size_t outLeft = sizeof out;
    const bool ok = iconv(cd, &in, &inLeft, &outPointer, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    return ok ? std::string(out, sizeof out - outLeft) : std::string();
}

bool IsLeadByte(int byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(int byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

char16_t Shown(char32_t character)
{
    return character == 0 || character > 0xFFFF ? kNone : static_cast<char16_t>(character);
}

class CSource {
public:
    explicit CSource(std::ostream& out) : m_out(out) {}

    template <typename T>
    void Array(const char* type, const char* name, const std::vector<T>& values)
    {
        m_out << "extern const " << type << " " << name << "[] = {";
        for (std::size_t i = 0; i < values.size(); ++i) {
            m_out << (i % 16 == 0 ? "\n   " : " ");
            if constexpr (std::is_signed_v<T>)
                m_out << static_cast<long>(values[i]) << ",";
            else
                m_out << "0x" << std::hex << static_cast<unsigned long>(values[i]) << std::dec << ",";
        }
        m_out << "\n};\n";
    }

    void Size(const char* name, std::size_t value)
    {
        m_out << "extern const std::size_t " << name << " = " << value << ";\n";
    }

    // A map from characters to codes as pages of 256 characters, at least the 256
    // of the BMP; every page that holds no code is the first, which holds none.
    template <typename T>
    void Pages(const char* type, const char* name, const std::map<char32_t, T>& codes)
    {
        const std::size_t pageCount =
            std::max<std::size_t>(256, codes.empty() ? 0 : (codes.rbegin()->first >> 8) + 1);
        std::vector<std::uint16_t> pages(pageCount, 0);
        std::vector<T> values(256, 0);
        for (const auto& [character, code] : codes) {
            std::uint16_t& page = pages[character >> 8];
            if (page == 0) {
                page = static_cast<std::uint16_t>(values.size() / 256);
                values.resize(values.size() + 256, 0);
            }
            values[page * 256u + (character & 0xFF)] = code;
        }
        const std::string base(name);
        Array("std::uint16_t", (base + "Pages").c_str(), pages);
        Size((base + "PageCount").c_str(), pageCount);
        Array(type, (base + "Codes").c_str(), values);
    }

private:
    std::ostream& m_out;
};

// The characters CP932 gives back, and their codes.
using CCp932Codes = std::map<char32_t, std::uint16_t>;

// The CP932 codes of a table of characters, 0 where CP932 lacks one: what lets a
// two-byte unit of another encoding become CP932 in one step.
std::vector<std::uint16_t> Cp932CodesOf(const CCp932Codes& cp932,
                                        const std::vector<std::uint32_t>& characters)
{
    std::vector<std::uint16_t> codes;
    for (const std::uint32_t character : characters) {
        const auto found = cp932.find(character);
        codes.push_back(found == cp932.end() ? 0 : found->second);
    }
    return codes;
}

bool WriteCp932(CSource& source, CCp932Codes& codes)
{
    CDecoder decoder("CP932");
    if (!decoder.IsOpen())
        return false;
    std::vector<char16_t> singles(256, kNone);
    for (int byte = 0; byte < 256; ++byte) {
        if (!IsLeadByte(byte))
            singles[byte] = Shown(decoder.DecodeOne(std::string(1, static_cast<char>(byte))));
    }
    std::vector<char16_t> pairs;
    std::vector<std::uint16_t> freeCodes;
    std::vector<std::int16_t> freeIndex;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(lead))
            continue;
        for (int trail = 0; trail < 256; ++trail) {
            const char unit[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const char16_t shown = Shown(decoder.DecodeOne(std::string_view(unit, 2)));
            pairs.push_back(shown);
            const bool free = shown == kNone && IsTrailByte(trail);
            freeIndex.push_back(free ? static_cast<std::int16_t>(freeCodes.size()) : -1);
            if (free)
                freeCodes.push_back(static_cast<std::uint16_t>(lead << 8 | trail));
        }
    }
    // Every code that shows as a character gives it back; where several codes show
    // the same character, iconv's own choice stands.
    std::map<char32_t, int> sharers;
    auto offer = [&](char16_t character, int code) {
        if (character == kNone || character == 0)
            return;
        if (codes.emplace(character, static_cast<std::uint16_t>(code)).second)
            return;
        ++sharers[character];
    };
    for (int byte = 1; byte < 256; ++byte)
        offer(singles[byte], byte);
    std::size_t row = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(lead))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail)
            offer(pairs[row * 256 + trail], lead << 8 | trail);
        ++row;
    }
    auto codeOf = [](const std::string& bytes) {
        return bytes.size() == 1   ? static_cast<unsigned char>(bytes[0])
               : bytes.size() == 2 ? static_cast<unsigned char>(bytes[0]) << 8 |
                                         static_cast<unsigned char>(bytes[1])
                                   : 0;
    };
    auto showsAs = [&](int code) -> char16_t {
        if (code < 0x100)
            return singles[code];
        const int lead = code >> 8;
        if (!IsLeadByte(lead))
            return kNone;
        const int leadIndex = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F;
        return pairs[leadIndex * 256 + (code & 0xFF)];
    };
    for (const auto& [character, count] : sharers) {
        const int code = codeOf(Encode("CP932", character));
        if (code != 0 && showsAs(code) == character)
            codes[character] = static_cast<std::uint16_t>(code);
    }
    // Characters that CP932 does not give back but that iconv writes as one of its
    // codes: the JIS forms of the wave dash, minus and the like, as typed on Linux.
    std::vector<std::uint32_t> inputCodes;
    for (char32_t character = 0x80; character < 0x10000; ++character) {
        if ((character >= 0xD800 && character <= 0xDFFF) || codes.count(character))
            continue;
        const int code = codeOf(Encode("CP932", character));
        if (code != 0 && showsAs(code) != kNone)
            inputCodes.push_back(static_cast<std::uint32_t>(character) << 16 |
                                 static_cast<std::uint32_t>(code));
    }
    // Bit maps over byte values for checking whole texts with vectors: the bytes that
    // are a character alone, the lead bytes whose row takes exactly the second bytes
    // a pair may have, and the second bytes rows 0x81 to 0x83 take.
    std::vector<std::uint8_t> byteMaps(5 * 32, 0);
    auto mark = [&byteMaps](int map, int byte) {
        byteMaps[static_cast<std::size_t>(map * 32 + byte / 8)] |=
            static_cast<std::uint8_t>(1 << byte % 8);
    };
    std::size_t leadIndex = 0;
    for (int byte = 0; byte < 256; ++byte) {
        if (!IsLeadByte(byte)) {
            if (singles[static_cast<std::size_t>(byte)] != kNone)
                mark(0, byte);
            continue;
        }
        bool full = true;
        for (int second = 0; second < 256; ++second) {
            const bool assigned =
                pairs[leadIndex * 256 + static_cast<std::size_t>(second)] != kNone;
            const bool secondByte =
                (second >= 0x40 && second <= 0x7E) || (second >= 0x80 && second <= 0xFC);
            full = full && assigned == secondByte;
            if (assigned && byte >= 0x81 && byte <= 0x83)
                mark(2 + byte - 0x81, second);
        }
        if (full)
            mark(1, byte);
        ++leadIndex;
    }
    source.Array("char16_t", "kCp932Singles", singles);
    source.Array("char16_t", "kCp932Pairs", pairs);
    source.Array("std::uint8_t", "kCp932ByteMaps", byteMaps);
    source.Array("std::uint16_t", "kCp932FreeCodes", freeCodes);
    source.Size("kCp932FreeCodeCount", freeCodes.size());
    source.Array("std::int16_t", "kCp932FreeIndex", freeIndex);
    source.Pages("std::uint16_t", "kCp932", codes);
    source.Array("std::uint32_t", "kCp932InputCodes", inputCodes);
    source.Size("kCp932InputCodeCount", inputCodes.size());
    return true;
}

bool WriteEucJp(CSource& source, const CCp932Codes& cp932)
{
    CDecoder decoder("EUC-JP");
    if (!decoder.IsOpen())
        return false;
    constexpr int kFirst = 0xA1;
    std::vector<char16_t> singles(256, 0);
    std::vector<char16_t> kana(256, 0);
    std::vector<char16_t> jisX0208;
    std::vector<char16_t> jisX0212;
    std::map<char32_t, std::uint32_t> codes;
    // The first code of a character is its own; glibc writes it so too.
    auto learn = [&codes](char32_t character, std::uint32_t code) {
        if (character != 0)
            codes.emplace(character, code);
        return static_cast<char16_t>(character > 0xFFFF ? 0 : character);
    };
    for (int byte = 1; byte < 256; ++byte)
        singles[byte] = learn(decoder.DecodeOne(std::string(1, static_cast<char>(byte))),
                              static_cast<std::uint32_t>(byte));
    for (int low = kFirst; low <= 0xFE; ++low) {
        const char pair[2] = {static_cast<char>(0x8E), static_cast<char>(low)};
        kana[low] = learn(decoder.DecodeOne(std::string_view(pair, 2)),
                          static_cast<std::uint32_t>(0x8E00 | low));
    }
    for (int high = kFirst; high <= 0xFE; ++high) {
        for (int low = kFirst; low <= 0xFE; ++low) {
            const char pair[2] = {static_cast<char>(high), static_cast<char>(low)};
            jisX0208.push_back(learn(decoder.DecodeOne(std::string_view(pair, 2)),
                                     static_cast<std::uint32_t>(high << 8 | low)));
            const char triple[3] = {static_cast<char>(0x8F), static_cast<char>(high),
                                    static_cast<char>(low)};
            jisX0212.push_back(learn(decoder.DecodeOne(std::string_view(triple, 3)),
                                     static_cast<std::uint32_t>(0x8F0000 | high << 8 | low)));
        }
    }
    source.Array("char16_t", "kEucJpSingles", singles);
    source.Array("char16_t", "kEucJpKana", kana);
    source.Array("char16_t", "kJisX0208", jisX0208);
    source.Array("char16_t", "kJisX0212", jisX0212);
    source.Array("std::uint16_t", "kJisX0208Cp932",
                 Cp932CodesOf(cp932, std::vector<std::uint32_t>(jisX0208.begin(), jisX0208.end())));
    source.Pages("std::uint32_t", "kEucJp", codes);
    return true;
}

// JIS X 0213 in its two forms. A code that stands for two characters (a kana and the
// combining semi-voiced mark, say) becomes one key past the last Unicode character:
// 0x110000 + its place in the list of such pairs.
class CJisX0213 {
public:
    static constexpr char32_t kFirstSequence = 0x110000;

    char32_t Key(const std::u32string& characters)
    {
        if (characters.size() == 1)
            return characters[0];
        if (characters.size() != 2)
            return 0;
        for (std::size_t i = 0; i < m_sequences.size(); i += 2) {
            if (m_sequences[i] == characters[0] && m_sequences[i + 1] == characters[1])
                return kFirstSequence + static_cast<char32_t>(i / 2);
        }
        m_sequences.push_back(characters[0]);
        m_sequences.push_back(characters[1]);
        return kFirstSequence + static_cast<char32_t>(m_sequences.size() / 2 - 1);
    }

    const std::vector<std::uint32_t>& Sequences() const { return m_sequences; }

private:
    std::vector<std::uint32_t> m_sequences;
};

bool WriteJisX0213(CSource& source, const CCp932Codes& cp932)
{
    CDecoder euc("EUC-JISX0213");
    CDecoder sjis("SHIFT_JISX0213");
    if (!euc.IsOpen() || !sjis.IsOpen())
        return false;
    CJisX0213 jis;
    // Bytes below 0x80 are ASCII in every form the program reads, as in CP932; the
    // yen sign and overline that JIS-Roman puts at 0x5C and 0x7E are left aside.
    std::vector<std::uint32_t> eucSingles(256, 0);
    std::vector<std::uint32_t> sjisSingles(256, 0);
    std::map<char32_t, std::uint32_t> eucCodes;
    std::map<char32_t, std::uint32_t> sjisCodes;
    for (int byte = 1; byte < 0x80; ++byte) {
        eucSingles[byte] = sjisSingles[byte] = static_cast<std::uint32_t>(byte);
        eucCodes.emplace(byte, byte);
        sjisCodes.emplace(byte, byte);
    }
    for (int byte = 0x80; byte < 256; ++byte) {
        const std::string unit(1, static_cast<char>(byte));
        if ((eucSingles[byte] = jis.Key(euc.Decode(unit))) != 0)
            eucCodes.emplace(eucSingles[byte], byte);
        if (!IsLeadByte(byte) && (sjisSingles[byte] = jis.Key(sjis.Decode(unit))) != 0)
            sjisCodes.emplace(sjisSingles[byte], byte);
    }
    // EUC-JIS-2004: half-width katakana after 0x8E, plane 1 in pairs of 0xA1 to 0xFE,
    // plane 2 after 0x8F.
    std::vector<std::uint32_t> eucKana(256, 0);
    std::vector<std::uint32_t> planes;
    for (int low = 0xA1; low <= 0xFE; ++low) {
        const char pair[2] = {static_cast<char>(0x8E), static_cast<char>(low)};
        if ((eucKana[low] = jis.Key(euc.Decode(std::string_view(pair, 2)))) != 0)
            eucCodes.emplace(eucKana[low], static_cast<std::uint32_t>(0x8E00 | low));
    }
    for (int plane = 1; plane <= 2; ++plane) {
        for (int high = 0xA1; high <= 0xFE; ++high) {
            for (int low = 0xA1; low <= 0xFE; ++low) {
                std::string code;
                if (plane == 2)
                    code += static_cast<char>(0x8F);
                code += static_cast<char>(high);
                code += static_cast<char>(low);
                const char32_t key = jis.Key(euc.Decode(code));
                planes.push_back(key);
                if (key != 0)
                    eucCodes.emplace(key, static_cast<std::uint32_t>(
                                              (plane == 2 ? 0x8F0000 : 0) | high << 8 | low));
            }
        }
    }
    std::vector<std::uint32_t> sjisPairs;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(lead))
            continue;
        for (int trail = 0; trail < 256; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const char32_t key = jis.Key(sjis.Decode(std::string_view(pair, 2)));
            sjisPairs.push_back(key);
            if (key != 0)
                sjisCodes.emplace(key, static_cast<std::uint32_t>(lead << 8 | trail));
        }
    }
    source.Array("std::uint32_t", "kJisX0213Sequences", jis.Sequences());
    source.Size("kJisX0213SequenceCount", jis.Sequences().size() / 2);
    source.Array("std::uint32_t", "kEucJis2004Singles", eucSingles);
    source.Array("std::uint32_t", "kEucJis2004Kana", eucKana);
    source.Array("std::uint32_t", "kJisX0213Planes", planes);
    source.Pages("std::uint32_t", "kEucJis2004", eucCodes);
    source.Array("std::uint32_t", "kShiftJis2004Singles", sjisSingles);
    source.Array("std::uint32_t", "kShiftJis2004Pairs", sjisPairs);
    source.Array("std::uint16_t", "kShiftJis2004Cp932", Cp932CodesOf(cp932, sjisPairs));
    source.Array("std::uint16_t", "kJisX0213Cp932",
                 Cp932CodesOf(cp932, std::vector<std::uint32_t>(planes.begin(),
                                                                planes.begin() + 94 * 94)));
    source.Pages("std::uint32_t", "kShiftJis2004", sjisCodes);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: MakeCodecTables OUTPUT\n";
        return 2;
    }
    const std::string path = argv[1];
    std::ofstream out(path + ".part");
    out << "// Generated by engine/text/tablegen/MakeCodecTables from the system's iconv.\n"
           "// Do not edit: the build writes it again.\n\n"
           "#include \"engine/text/CodecTables.h\"\n\n";
    CSource source(out);
    CCp932Codes cp932;
    if (!WriteCp932(source, cp932) || !WriteEucJp(source, cp932) ||
        !WriteJisX0213(source, cp932)) {
        std::cerr << "MakeCodecTables: the system's iconv lacks CP932, EUC-JP or JIS X 0213\n";
        return 1;
    }
    out.close();
    if (!out || std::rename((path + ".part").c_str(), path.c_str()) != 0) {
        std::cerr << "MakeCodecTables: cannot write " << path << "\n";
        return 1;
    }
    return 0;
}
