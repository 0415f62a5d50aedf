#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/text/Characters.h"
#include "engine/text/Codec.h"
#include "engine/text/CodecTables.h"
#include "engine/text/EncodingDetector.h"
#include "tests/fakes/Hex.h"
#include "tests/fakes/WholeFiles.h"

namespace {

std::string ReadData(const std::string& name)
{
    return ReadAll(std::string(CHIRPWELL_SOURCE_DIR) + "/" + name);
}

// The bundled sample and cuts of real manual pages, each in three encodings.
const char* const kDocuments[] = {"tests/data/sample", "tests/data/passwd.5", "tests/data/fstab.5"};

std::string ShiftJisVersion(const std::string& base)
{
    return ReadData(base == kDocuments[0] ? "samples/sample.txt" : base + ".sjis");
}

// bytes, read as named (or detected), must come in as encoding with the CP932 text
// cp932 and go back as written.
void ExpectReadAndWritten(const std::string& bytes, std::optional<EEncoding> named,
                          EEncoding encoding, const std::string& cp932,
                          const std::string& written)
{
    CCodec codec;
    std::string text = bytes;
    EEncoding read = EEncoding::ShiftJis;
    CTextFault fault;
    ASSERT_TRUE(codec.ReadText(text, named, read, fault));
    EXPECT_EQ(read, encoding);
    EXPECT_EQ(text, cp932);
    std::string back;
    ASSERT_TRUE(codec.Encode(text, encoding, back, fault));
    EXPECT_EQ(back, written);
}

TEST(Encoding, DetectsEveryVersionOfTheSampleAndOfRealDocuments)
{
    for (const std::string base : kDocuments) {
        SCOPED_TRACE(base);
        EXPECT_EQ(DetectEncoding(ReadData(base + ".utf8")), EEncoding::Utf8);
        EXPECT_EQ(DetectEncoding(ReadData(base + ".eucjp")), EEncoding::EucJp);
        EXPECT_EQ(DetectEncoding(ShiftJisVersion(base)), EEncoding::ShiftJis);
    }
    EXPECT_EQ(DetectEncoding(ReadData("samples/kansai.grn")), EEncoding::ShiftJis);
}

TEST(Encoding, DetectionEdges)
{
    EXPECT_EQ(DetectEncoding(""), EEncoding::ShiftJis);
    EXPECT_EQ(DetectEncoding("plain ASCII\r\n"), EEncoding::ShiftJis);
    EXPECT_EQ(DetectEncoding(Hex("EFBBBF") + "ASCII"), EEncoding::Utf8Bom);
    // ねこです。 in EUC-JP is also valid CP932 (half-width katakana and pairs): the
    // detector decides.
    EXPECT_EQ(DetectEncoding(Hex("A4CD A4B3 A4C7 A4B9 A1A3")), EEncoding::EucJp);
    // ｱｲｳｴｵｶｷｸｹｺ in Shift_JIS is valid EUC-JP too, but no detector takes it for that.
    EXPECT_EQ(DetectEncoding(Hex("B1B2B3B4B5B6B7B8B9BA")), EEncoding::ShiftJis);
    // Valid EUC-JP shape with an unassigned pair is no EUC-JP.
    EXPECT_FALSE(IsValidEucJp(Hex("A9A1")));
    EXPECT_FALSE(IsValidCp932(Hex("82A0 82")));

    // Reading tells UTF-8 by decoding it: valid far into the text but not at its
    // end, it is no UTF-8 there either.
    std::string late;
    while (late.size() < 70000)
        late += Hex("E38182");
    for (const std::string& tail : {Hex("FF"), Hex("E381")}) {
        CCodec codec;
        std::string cp932;
        EEncoding encoding = EEncoding::Utf8;
        CTextFault fault;
        EXPECT_EQ(DetectEncoding(late + tail), EEncoding::ShiftJis);
        cp932 = late + tail;
        EXPECT_TRUE(codec.ReadText(cp932, std::nullopt, encoding, fault));
        EXPECT_EQ(encoding, EEncoding::ShiftJis);
        cp932 = late;
        EXPECT_TRUE(codec.ReadText(cp932, std::nullopt, encoding, fault));
        EXPECT_EQ(encoding, EEncoding::Utf8);
    }
}

// Characters that CP932 lacks, or gives back as others, in UTF-8: U+301C, U+2014,
// U+2212, U+00A5, é, 😀 and 𠮷.
const std::string kLacking = Hex("E3809C E28094 E28892 C2A5 C3A9 F09F9880 F0A0AEB7");

TEST(Encoding, CharactersCp932LacksTakeCodesOfTheirOwnAndComeBack)
{
    CCodec codec;
    std::string cp932;
    CTextFault fault;
    ASSERT_TRUE(codec.DecodeText("a" + kLacking + Hex("E38182") + "\r\n", EEncoding::Utf8, cp932, fault));
    // The free codes from the first up: 81AD, 81AE, ... ; あ is CP932's own 82A0.
    EXPECT_EQ(cp932, "a" + Hex("81AD 81AE 81AF 81B0 81B1 81B2 81B3 82A0") + "\r\n");
    EXPECT_EQ(codec.CodesGiven(), 7u);

    // A second text, and a BOM: known characters keep their codes.
    std::string again;
    ASSERT_TRUE(codec.DecodeText(Hex("EFBBBF F09F9880 E3809C"), EEncoding::Utf8Bom, again, fault));
    EXPECT_EQ(again, Hex("81B2 81AD"));

    std::string bytes;
    ASSERT_TRUE(codec.Encode(cp932, EEncoding::Utf8, bytes, fault));
    EXPECT_EQ(bytes, "a" + kLacking + Hex("E38182") + "\r\n");
    ASSERT_TRUE(codec.Encode(again, EEncoding::Utf8Bom, bytes, fault));
    EXPECT_EQ(bytes, Hex("EFBBBF F09F9880 E3809C"));
}

TEST(Encoding, EucJpComesBackByteForByteJisX0212Included)
{
    CCodec codec;
    // 〜 (A1C1, U+301C), 丂 (8FB0A1, JIS X 0212), ｱ (8EB1), あ, a C1 byte (0x85).
    const std::string euc = Hex("A1C1 8FB0A1 8EB1 A4A2 85") + "x";
    std::string cp932;
    CTextFault fault;
    ASSERT_TRUE(codec.DecodeText(euc, EEncoding::EucJp, cp932, fault));
    EXPECT_EQ(cp932, Hex("81AD 81AE B1 82A0 81AF") + "x");
    std::string bytes;
    ASSERT_TRUE(codec.Encode(cp932, EEncoding::EucJp, bytes, fault));
    EXPECT_EQ(bytes, euc);
    // The same text as UTF-8, through the same codes.
    ASSERT_TRUE(codec.Encode(cp932, EEncoding::Utf8, bytes, fault));
    EXPECT_EQ(bytes, Hex("E3809C E4B882 EFBDB1 E38182 C285") + "x");

    for (const std::string base : kDocuments) {
        for (const auto& [suffix, encoding] : {std::pair{".utf8", EEncoding::Utf8},
                                               std::pair{".eucjp", EEncoding::EucJp}}) {
            const std::string original = ReadData(base + suffix);
            ASSERT_TRUE(codec.DecodeText(original, encoding, cp932, fault));
            EXPECT_EQ(cp932, ShiftJisVersion(base)) << base << suffix;
            ASSERT_TRUE(codec.Encode(cp932, encoding, bytes, fault));
            EXPECT_EQ(bytes, original) << base << suffix;
        }
    }
}

TEST(Encoding, ShiftJisIsTakenAndWrittenByteForByte)
{
    CCodec codec;
    const std::string raw = Hex("82A0 80 8540 FD") + "\n" + Hex("82");  // bytes that are no characters
    std::string cp932;
    std::string bytes;
    CTextFault fault;
    ASSERT_TRUE(codec.DecodeText(raw, EEncoding::ShiftJis, cp932, fault));
    EXPECT_EQ(cp932, raw);
    ASSERT_TRUE(codec.Encode(cp932, EEncoding::ShiftJis, bytes, fault));
    EXPECT_EQ(bytes, raw);
    // As UTF-8 the first byte that is no character stops the write.
    EXPECT_FALSE(codec.Encode(cp932, EEncoding::Utf8, bytes, fault));
    EXPECT_EQ(fault.m_eKind, CTextFault::EKind::Unencodable);
    EXPECT_EQ(fault.m_nOffset, 2u);
    EXPECT_EQ(fault.m_character, 0u);
    EXPECT_EQ(fault.m_nLength, 1u);
}

TEST(Encoding, WritingRefusesACharacterTheTargetLacks)
{
    CCodec codec;
    std::string cp932;
    CTextFault fault;
    ASSERT_TRUE(codec.DecodeText("ab\n" + Hex("E3809C F09F9880"), EEncoding::Utf8, cp932, fault));
    std::string bytes = "untouched";
    EXPECT_FALSE(codec.Encode(cp932, EEncoding::ShiftJis, bytes, fault));
    EXPECT_EQ(fault.m_eKind, CTextFault::EKind::Unencodable);
    EXPECT_EQ(fault.m_nOffset, 3u);
    EXPECT_EQ(fault.m_character, 0x301Cu);
    EXPECT_EQ(fault.m_nLength, 2u);
    EXPECT_EQ(bytes, "untouched");
    // EUC-JP has the wave dash but no emoji.
    EXPECT_FALSE(codec.Encode(cp932, EEncoding::EucJp, bytes, fault));
    EXPECT_EQ(fault.m_nOffset, 5u);
    EXPECT_EQ(fault.m_character, 0x1F600u);
}

TEST(Encoding, ReadingRefusesMalformedBytesAndTooManyNewCharacters)
{
    CCodec codec;
    std::string cp932 = "untouched";
    CTextFault fault;
    EXPECT_FALSE(codec.DecodeText("ok" + Hex("E381"), EEncoding::Utf8, cp932, fault));
    EXPECT_EQ(fault.m_eKind, CTextFault::EKind::Malformed);
    EXPECT_EQ(fault.m_nOffset, 2u);
    EXPECT_FALSE(codec.DecodeText("0123456789" + Hex("C0AF"), EEncoding::Utf8, cp932, fault));
    EXPECT_EQ(fault.m_nOffset, 10u);
    EXPECT_FALSE(codec.DecodeText("o" + Hex("A4A2 A9A1"), EEncoding::EucJp, cp932, fault));
    EXPECT_EQ(fault.m_nOffset, 3u);
    EXPECT_FALSE(codec.DecodeText(Hex("A4"), EEncoding::EucJp, cp932, fault));

    // Emoji from U+1F000 up, each once, one more than there are codes: nothing is
    // given, and the text stays.
    std::string many;
    const std::size_t count = kCp932FreeCodeCount + 1;
    for (char32_t c = 0x1F000; c < 0x1F000 + count; ++c)
        AppendUtf8(c, many);
    ASSERT_TRUE(codec.DecodeText(Hex("E3809C"), EEncoding::Utf8, cp932, fault));
    EXPECT_FALSE(codec.DecodeText(many + Hex("E3809C"), EEncoding::Utf8, cp932, fault));
    EXPECT_EQ(fault.m_eKind, CTextFault::EKind::TooManyCharacters);
    EXPECT_EQ(fault.m_nCount, count + 1);
    EXPECT_EQ(codec.CodesGiven(), 1u);
    EXPECT_EQ(cp932, Hex("81AD"));

    // A known-only read takes no new code.
    EXPECT_FALSE(codec.DecodeKnownInput(Hex("F09F9880"), cp932));
    EXPECT_EQ(codec.CodesGiven(), 1u);
}

TEST(Encoding, AShiftJisTextsUnassignedPairsAreItsOwnAndTakeNoCharacter)
{
    // テスト, the unassigned pair 81AD, です。
    const std::string holes = Hex("8365 8358 8367 81AD 82C5 82B7 8142") + "\r\n";
    CCodec codec;
    std::string cp932;
    CTextFault fault;
    ASSERT_TRUE(codec.DecodeText(Hex("F09F988A"), EEncoding::Utf8, cp932, fault));
    EXPECT_EQ(cp932, Hex("81AD"));  // an earlier text's emoji

    codec.StartText(holes, EEncoding::ShiftJis);
    EXPECT_EQ(codec.CodesGiven(), 0u);
    EXPECT_EQ(codec.CharacterOf(0x81AD), 0u);
    ASSERT_TRUE(codec.DecodeText(holes, EEncoding::ShiftJis, cp932, fault));
    EXPECT_EQ(codec.CodesLeft(), kCp932FreeCodeCount - 1);
    // A smile file's emoji passes the text's own pair by.
    std::string emoji;
    ASSERT_TRUE(codec.DecodeInput(Hex("F09F988A"), EEncoding::Utf8, emoji, fault));
    EXPECT_EQ(emoji, Hex("81AE"));

    std::string bytes;
    ASSERT_TRUE(codec.Encode(cp932, EEncoding::ShiftJis, bytes, fault));
    EXPECT_EQ(bytes, holes);
    EXPECT_FALSE(codec.Encode(cp932, EEncoding::Utf8, bytes, fault));
    EXPECT_EQ(fault.m_nOffset, 6u);
    EXPECT_EQ(fault.m_character, 0u);
    EXPECT_EQ(codec.ToUtf8(cp932.substr(4, 4)), Hex("E38388 EFBFBD"));  // ト�
    // The emoji's code in the text is refused in Shift_JIS.
    EXPECT_FALSE(codec.Encode(cp932 + emoji, EEncoding::ShiftJis, bytes, fault));
    EXPECT_EQ(fault.m_nOffset, cp932.size());
    EXPECT_EQ(fault.m_character, 0x1F60Au);
}

TEST(Encoding, InputTakesCp932sCodesForTheJisFormsInAShiftJisTextOnly)
{
    // 〜 U+301C, − U+2212, ‖ U+2016, ¢, £, ¬, as iconv writes them in CP932.
    const std::string typed = Hex("E3809C E28892 E28096 C2A2 C2A3 C2AC");
    const std::string cp932Forms = Hex("8160 817C 8161 8191 8192 81CA");
    CCodec codec;
    std::string cp932;
    CTextFault fault;
    codec.StartText("", EEncoding::ShiftJis);
    ASSERT_TRUE(codec.DecodeInput(typed, EEncoding::Utf8, cp932, fault));
    EXPECT_EQ(cp932, cp932Forms);
    ASSERT_TRUE(codec.DecodeKnownInput(typed, cp932));
    EXPECT_EQ(cp932, cp932Forms);
    // The text's own characters keep theirs: in a UTF-8 text they are characters of
    // their own, and a search finds them only once the text gave them codes.
    codec.StartText("", EEncoding::Utf8);
    EXPECT_FALSE(codec.DecodeKnownInput(typed, cp932));
    ASSERT_TRUE(codec.DecodeText(typed, EEncoding::Utf8, cp932, fault));
    EXPECT_EQ(cp932, Hex("81AD 81AE 81AF 81B0 81B1 81B2"));
    std::string found;
    ASSERT_TRUE(codec.DecodeKnownInput(typed, found));
    EXPECT_EQ(found, cp932);
}

TEST(Encoding, EveryPlaceCountsCrLfCrAndLfAsLineEndsAndColumnsInCharacters)
{
    struct CCase {
        EEncoding m_eEncoding;
        std::string m_strBytes;  // the place sought is that of the first '#'
        std::size_t m_nLine;
        std::size_t m_nColumn;
    };
    const CCase cases[] = {
        {EEncoding::ShiftJis, "a\rb\nc\r\n" + Hex("82A0 82A2") + "#", 4, 3},
        {EEncoding::Utf16LeBom, Hex("FFFE 0D00 0A00 4230 2300"), 2, 2},
        {EEncoding::Utf16Be, Hex("000D 3042 2300"), 2, 2},  // U+2300 starts with the byte of #
        {EEncoding::Iso2022Jp, "\n" + Hex("1B2442 2422 2424 1B2842") + "#", 2, 3},
        {EEncoding::ShiftJis, Hex("82A0") + "\r\r#", 3, 1},
        {EEncoding::Utf8, "line1\rline2\r" + Hex("E38182") + "#", 3, 2},
        {EEncoding::Utf8Bom, Hex("EFBBBF E38182") + "#", 1, 2},
        {EEncoding::EucJp, "\n" + Hex("A4A2 8FB0A1 8EB1") + "#", 2, 4},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.m_strBytes);
        const CTextPlace place = PlaceInBytes(c.m_strBytes, c.m_eEncoding, c.m_strBytes.find('#'));
        EXPECT_EQ(place.m_nLine, c.m_nLine);
        EXPECT_EQ(place.m_nColumn, c.m_nColumn);
    }
}

// What glibc cannot write, made by hand: ISO-2022-JP with half-width katakana
// (ESC ( I), the NEC row 13, JIS X 0208-1978 (ESC $ @) and JIS-Roman (ESC ( J).
TEST(Encoding, Iso2022JpAsMailProgramsWriteIt)
{
    struct CCase {
        std::string m_strBytes;
        std::string m_strCp932;
        std::string m_strWritten;  // how it is written back; empty: as it came
    };
    const CCase cases[] = {
        // あ〜 then ｱｲ, then ①Ⅷ㎏ on a line of their own: 0x2141 is CP932's 〜.
        {Hex("1B2442 2422 2141 1B2849 3132 1B2842") + "\r\n" + Hex("1B2442 2D21 2D37 2D51 1B2842") +
             "\r\n",
         Hex("82A0 8160 B1B2") + "\r\n" + Hex("8740 8756 8770") + "\r\n", ""},
        // The older sets come back as ESC $ B and ASCII; a set still in force at
        // the end returns to ASCII.
        {Hex("1B2440 2422 1B284A") + "a" + Hex("1B2442 2424"), Hex("82A0") + "a" + Hex("82A2"),
         Hex("1B2442 2422 1B2842") + "a" + Hex("1B2442 2424 1B2842")},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.m_strBytes);
        ExpectReadAndWritten(c.m_strBytes, std::nullopt, EEncoding::Iso2022Jp, c.m_strCp932,
                             c.m_strWritten.empty() ? c.m_strBytes : c.m_strWritten);
    }
    // Bytes that are no ISO-2022-JP, and characters it lacks.
    CCodec codec;
    std::string out;
    CTextFault fault;
    for (const std::string& bad : {Hex("1B2442 2422 24"), Hex("1B2442 2921") /* unassigned row 9 */,
                                   Hex("1B2443"), Hex("1B2849 60")}) {
        EXPECT_FALSE(codec.DecodeText(bad, EEncoding::Iso2022Jp, out, fault)) << bad;
        EXPECT_EQ(fault.m_eKind, CTextFault::EKind::Malformed);
    }
    EXPECT_FALSE(codec.Encode(Hex("FA40"), EEncoding::Iso2022Jp, out, fault));  // ⅰ, IBM's
    EXPECT_EQ(fault.m_character, 0x2170u);
}

TEST(Encoding, Utf16ByItsMarkWithZeroBytesButNoU0000)
{
    struct CCase {
        std::optional<EEncoding> m_named;
        std::string m_strBytes;
        EEncoding m_eRead;
    };
    // あa😀 in each form: a mark decides; without one only a named order reads.
    const CCase cases[] = {
        {std::nullopt, Hex("FFFE 4230 6100 3DD8 00DE"), EEncoding::Utf16LeBom},
        {std::nullopt, Hex("FEFF 3042 0061 D83D DE00"), EEncoding::Utf16BeBom},
        {EEncoding::Utf16Le, Hex("4230 6100 3DD8 00DE"), EEncoding::Utf16Le},
        {EEncoding::Utf16Be, Hex("3042 0061 D83D DE00"), EEncoding::Utf16Be},
        {EEncoding::Utf16Le, Hex("FEFF 3042 0061 D83D DE00"), EEncoding::Utf16BeBom},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.m_strBytes);
        ExpectReadAndWritten(c.m_strBytes, c.m_named, c.m_eRead, Hex("82A0") + "a" + Hex("81AD"),
                             c.m_strBytes);
    }
    CCodec codec;
    std::string cp932;
    EEncoding encoding = EEncoding::ShiftJis;
    CTextFault fault;
    cp932 = Hex("FFFE 6100 0000");
    EXPECT_FALSE(codec.ReadText(cp932, std::nullopt, encoding, fault));
    EXPECT_EQ(fault.m_eKind, CTextFault::EKind::Zero);
    EXPECT_EQ(fault.m_nOffset, 4u);
    cp932 = Hex("FFFE 3DD8 6100");
    EXPECT_FALSE(codec.ReadText(cp932, std::nullopt, encoding, fault));
    EXPECT_EQ(fault.m_eKind, CTextFault::EKind::Malformed);
    cp932 = Hex("FFFE0000 61000000");
    EXPECT_FALSE(codec.ReadText(cp932, std::nullopt, encoding, fault));
    EXPECT_EQ(fault.m_eKind, CTextFault::EKind::UnreadEncoding);
    EXPECT_STREQ(fault.m_pEncoding, "UTF-32LE");
    // Elsewhere a zero byte is no text either.
    cp932 = std::string("ab\0c", 4);
    EXPECT_FALSE(codec.ReadText(cp932, std::nullopt, encoding, fault));
    EXPECT_EQ(fault.m_eKind, CTextFault::EKind::Zero);
    EXPECT_EQ(fault.m_nOffset, 2u);
}

// か゚ is one JIS X 0213 code for two characters, and one character here, whether it
// came from Shift_JIS-2004, EUC-JIS-2004 or UTF-8; 𠮟 lies beyond the BMP.
TEST(Encoding, JisX0213SequencesAreOneCharacterInEveryForm)
{
    const std::pair<EEncoding, std::string> forms[] = {
        {EEncoding::ShiftJis2004, Hex("82F5 9873") + "."},
        {EEncoding::EucJis2004, Hex("A4F7 CFD4") + "."},
        {EEncoding::Utf8, Hex("E3818B E3829A F0A0AE9F") + "."},
    };
    for (const auto& [encoding, bytes] : forms) {
        SCOPED_TRACE(bytes);
        CCodec codec;
        std::string cp932;
        CTextFault fault;
        ASSERT_TRUE(codec.DecodeText(bytes, encoding, cp932, fault));
        EXPECT_EQ(cp932, Hex("81AD 81AE") + ".");
        for (const auto& [other, otherBytes] : forms) {
            std::string written;
            ASSERT_TRUE(codec.Encode(cp932, other, written, fault));
            EXPECT_EQ(written, otherBytes);
        }
    }
    // Detected only where CP932 and EUC-JP fail; a text valid in CP932 stays it.
    EXPECT_EQ(DetectEncoding(Hex("82F5 9873")), EEncoding::ShiftJis2004);
    EXPECT_EQ(DetectEncoding(ReadData("tests/data/jisx0213.sjis2004")), EEncoding::ShiftJis2004);
    EXPECT_EQ(DetectEncoding(ReadData("tests/data/jisx0213.eucjis2004")), EEncoding::EucJis2004);
    EXPECT_EQ(DetectEncoding(Hex("82A0 88A0")), EEncoding::ShiftJis);
    EXPECT_EQ(DetectEncoding("plain " + Hex("1B2442 2422 1B2842")), EEncoding::Iso2022Jp);
    EXPECT_EQ(DetectEncoding("plain ESC ( B"), EEncoding::ShiftJis);
}

}  // namespace
