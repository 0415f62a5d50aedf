#include <cstdint>
#include <string>
#include <string_view>

#include <iconv.h>

#include <gtest/gtest.h>

#include "engine/text/Characters.h"
#include "engine/text/Codec.h"
#include "engine/text/CodecTables.h"
#include "engine/text/Cp932.h"
#include "engine/text/EucJp.h"

namespace {

// One iconv descriptor, asked one unit at a time.
class CIconv {
public:
    CIconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~CIconv() { iconv_close(m_cd); }
    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // What iconv makes of in, whole; empty when it refuses.
    std::string Convert(std::string_view in)
    {
        char out[16];
        char* inPointer = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char* outPointer = out;
        std::size_t outLeft = sizeof out;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_cd, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0)
            return {};
        return std::string(out, sizeof out - outLeft);
    }

private:
    iconv_t m_cd;
};

std::string Utf8(char32_t character)
{
    std::string utf8;
    AppendUtf8(character, utf8);
    return utf8;
}

// Every CP932 unit shows as what iconv reads it as, and a character iconv writes
// back as that unit is written so by the codec; units iconv refuses are no character.
TEST(CodecTables, Cp932IsIconvs)
{
    CIconv toUtf8("UTF-8", "CP932");
    CIconv toCp932("CP932", "UTF-8");
    ASSERT_TRUE(toUtf8.IsOpen() && toCp932.IsOpen());
    const CCodec codec;
    for (int code = 0; code < 0x10000; ++code) {
        const bool pair = code > 0xFF;
        if (pair && !IsLeadByte(static_cast<unsigned char>(code >> 8)))
            continue;
        if (!pair && (code == 0 || IsLeadByte(static_cast<unsigned char>(code))))
            continue;
        std::string unit;
        if (pair)
            unit += static_cast<char>(code >> 8);
        unit += static_cast<char>(code & 0xFF);
        const std::string expected = toUtf8.Convert(unit);
        std::size_t length = 0;
        const char32_t character = codec.UnitCharacter(unit, length);
        ASSERT_EQ(character == 0 ? std::string() : Utf8(character), expected) << std::hex << code;
        if (character == 0)
            continue;
        std::string bytes;
        CTextFault fault;
        ASSERT_TRUE(codec.Encode(unit, EEncoding::Utf8, bytes, fault));
        // Where several units show one character, iconv's choice is its code.
        std::string back;
        ASSERT_TRUE(Utf8ToCp932(bytes, back));
        EXPECT_EQ(back, toCp932.Convert(bytes)) << std::hex << code;
    }
}

TEST(CodecTables, EucJpIsIconvs)
{
    CIconv toUtf8("UTF-8", "EUC-JP");
    ASSERT_TRUE(toUtf8.IsOpen());
    auto check = [&toUtf8](const std::string& unit) {
        std::size_t length = 0;
        const char32_t character = DecodeEucJp(unit, length);
        const std::string expected = toUtf8.Convert(unit);
        ASSERT_EQ(character == 0 ? std::string() : Utf8(character), expected) << unit;
        std::string back;
        if (character != 0 && EncodeEucJp(character, back)) {
            EXPECT_EQ(DecodeEucJp(back, length), character);
        }
    };
    for (int byte = 1; byte < 0x80; ++byte)
        check(std::string(1, static_cast<char>(byte)));
    for (int high = 0xA1; high <= 0xFE; ++high) {
        check(std::string{'\x8E', static_cast<char>(high)});
        for (int low = 0xA1; low <= 0xFE; ++low) {
            check(std::string{static_cast<char>(high), static_cast<char>(low)});
            check(std::string{'\x8F', static_cast<char>(high), static_cast<char>(low)});
        }
    }
}

}  // namespace
