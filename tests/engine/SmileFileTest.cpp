#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

#include "engine/files/TextFile.h"
#include "engine/smilefiles/SmileFileReader.h"
#include "tests/engine/EngineTest.h"

namespace {

const std::string kUnnamed = Hex("8CA0 95BA 8971");              // 権兵衛
const std::string kBuiltInName = Hex("95CF 82ED 82E7 82CA 8FCE 8AE7");  // 変わらぬ笑顔
const std::string kMaru = Hex("8142");                           // 。
const std::string kTen = Hex("8141");                            // 、

// 第N行で読み込みエラーが起きました。 with the number's digits in between.
std::string LineError(const std::string& digits)
{
    return Hex("91E6") + digits +
           Hex("8D73 82C5 93C7 82DD 8D9E 82DD 8347 8389 815B 82AA 8B4E 82AB 82DC 82B5 82BD 8142");
}

class SmileFile : public CEngineTest {
protected:
    SmileFile()
    {
        std::string pattern = std::filesystem::temp_directory_path() / "chirpwell-XXXXXX";
        EXPECT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    ~SmileFile() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string path = m_folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    const std::vector<CSmileRule>& Rules(unsigned char byte)
    {
        return m_converter.RuleTable().Lookup(byte);
    }

    std::filesystem::path m_folder;
};

TEST_F(SmileFile, LoadsEveryCommandWithEitherLineEnd)
{
    const std::string path = Write("set.grn",
                                   "c a comment\r\n"
                                   "n first\n"
                                   "n " + Hex("8FCE") + " ignored\r\n"  // 笑: the second name wins
                                   "r " + kMaru + " " + Hex("8169 8FCE 816A") + kMaru + "\n"
                                   "R ok okay\r\n"
                                   "a " + kTen + " " + Hex("82C8 82F1 82C6") + "\n"  // なんと
                                   "b yo ne\n"
                                   "d !! ignored\n"
                                   "r cr x\ry\r\n"
                                   "r last #n");  // no line end
    ASSERT_TRUE(m_converter.LoadSmileFile(path));
    EXPECT_TRUE(m_notifier.m_messages.empty());
    EXPECT_EQ(m_converter.m_strModeFilePath, path);
    EXPECT_EQ(m_converter.Name(), Hex("8FCE"));
    EXPECT_EQ(m_converter.RuleTable().Size(), 7u);

    ASSERT_EQ(Rules(0x81).size(), 2u);
    EXPECT_EQ(Rules(0x81)[0].m_strReplacement, Hex("8169 8FCE 816A 8142"));
    EXPECT_EQ(Rules(0x81)[1].m_strKey, kTen);
    EXPECT_EQ(Rules(0x81)[1].m_strReplacement, kTen + Hex("82C8 82F1 82C6"));
    ASSERT_EQ(Rules('o').size(), 1u);
    EXPECT_EQ(Rules('o')[0].m_strReplacement, "okay");
    ASSERT_EQ(Rules('y').size(), 1u);
    EXPECT_EQ(Rules('y')[0].m_strReplacement, "neyo");
    ASSERT_EQ(Rules('!').size(), 1u);
    EXPECT_EQ(Rules('!')[0].m_strKey, "!!");
    EXPECT_EQ(Rules('!')[0].m_strReplacement, "");
    ASSERT_EQ(Rules('c').size(), 1u);
    EXPECT_EQ(Rules('c')[0].m_strReplacement, "x\ry");  // a lone CR ends no line
    ASSERT_EQ(Rules('l').size(), 1u);
    EXPECT_EQ(Rules('l')[0].m_strReplacement, "\r\n");
}

TEST_F(SmileFile, OnlyEmptyLinesAndCommentsGiveAnEmptyUnnamedSet)
{
    m_converter.LoadBuiltInSet();
    ASSERT_TRUE(m_converter.LoadSmileFile(Write("empty.grn", "\n\r\nc\ncomment\n\n")));
    EXPECT_EQ(m_converter.RuleTable().Size(), 0u);
    EXPECT_EQ(m_converter.Name(), kUnnamed);
}

TEST_F(SmileFile, BadLineLeavesOnlyTheBuiltInSetAndIsReportedByNumber)
{
    const std::string path = Write("bad.grn", "r a b\r\nr c d\r\nx e f\r\nr g h\r\n");
    EXPECT_FALSE(m_converter.LoadSmileFile(path));
    EXPECT_EQ(m_notifier.m_messages, std::vector<std::string>{LineError("3")});
    EXPECT_EQ(m_converter.Name(), kBuiltInName);
    EXPECT_EQ(m_converter.RuleTable().Size(), 11u);
    EXPECT_TRUE(Rules('a').empty());
    EXPECT_TRUE(Rules('g').empty());
    EXPECT_EQ(m_converter.m_strModeFilePath, path);  // it was opened
}

TEST_F(SmileFile, LineNumbersCountEmptyLinesAndComments)
{
    EXPECT_FALSE(m_converter.LoadSmileFile(Write("late.grn", "c\n\n\n\n\n\n\n\n\n\nr a b\n?\n")));
    EXPECT_EQ(m_notifier.m_messages, std::vector<std::string>{LineError("12")});
}

// A device or a file past the text limit is refused like one that cannot be
// opened; /dev/zero used to be read until memory ran out.
TEST_F(SmileFile, FailedLoadLeavesNoRules)
{
    const std::string folder = m_folder;
    const std::string tooLarge = Write("large.grn", std::string(1048576, 'c'));
    for (const std::string& path : {folder + "/missing.grn", folder, tooLarge,
                                    std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        m_converter.LoadBuiltInSet();
        EXPECT_TRUE(m_converter.HasSmileSet());
        m_converter.m_strModeFilePath = "before.grn";
        EXPECT_FALSE(m_converter.LoadSmileFile(path));
        EXPECT_EQ(m_converter.RuleTable().Size(), 0u);
        EXPECT_EQ(m_converter.Name(), kUnnamed);
        EXPECT_EQ(m_converter.m_strModeFilePath, "before.grn");
        EXPECT_FALSE(m_converter.HasSmileSet());
        EXPECT_TRUE(m_notifier.m_messages.empty());
    }
    // One byte less is read: a rule, then a comment to the limit.
    EXPECT_TRUE(m_converter.LoadSmileFile(Write("limit.grn", "r a b\n" + std::string(1048569, 'c'))));
    EXPECT_EQ(m_converter.RuleTable().Size(), 1u);
    EXPECT_TRUE(m_converter.HasSmileSet());
}

TEST_F(SmileFile, Utf8AndEucJpFilesAreReadThroughTheSharedCodes)
{
    // n 笑 / r 。 😊。 in UTF-8: the emoji takes the first free code, 81AD.
    const std::string utf8 = Write("emoji.grn", Hex("EFBBBF") + "n " + Hex("E7AC91") + "\r\n" +
                                                    "r " + Hex("E38082") + " " +
                                                    Hex("F09F988A E38082") + "\r\n");
    ASSERT_TRUE(m_converter.LoadSmileFile(utf8));
    EXPECT_EQ(m_converter.Name(), Hex("8FCE"));
    ASSERT_EQ(Rules(0x81).size(), 1u);
    EXPECT_EQ(Rules(0x81)[0].m_strReplacement, Hex("81AD") + kMaru);
    EXPECT_EQ(m_converter.Codec().CharacterOf(0x81AD), U'\U0001F60A');

    // EUC-JP: r 〜 ！, and 〜 (U+301C) takes the next code.
    ASSERT_TRUE(m_converter.LoadSmileText("wave.grn", "r " + Hex("A1C1") + " " + Hex("A1AA"),
                                          EEncoding::EucJp));
    EXPECT_EQ(Rules(0x81).at(0).m_strKey, Hex("81AE"));
    EXPECT_EQ(Rules(0x81).at(0).m_strReplacement, Hex("8149"));

    // Bytes that are no text in the encoding named are reported; no rules are left.
    EXPECT_FALSE(m_converter.LoadSmileText("bad.grn", "r " + Hex("A4"), EEncoding::EucJp));
    EXPECT_EQ(m_converter.RuleTable().Size(), 0u);
    EXPECT_FALSE(m_converter.HasSmileSet());
    EXPECT_EQ(m_notifier.m_messages,
              std::vector<std::string>{"bad.grn" + Hex("2082cd204555432d4a502082c682b582c493c7"
                                                       "82df82dc82b982f18142")});
}

TEST_F(SmileFile, ReadingSaysWhyAFileCannotBeRead)
{
    CCodec codec;
    std::string bytes;
    std::string content;
    CSmileFileFault fault;
    EXPECT_FALSE(ReadSmileFileBytes((m_folder / "missing.grn").string(), bytes, fault));
    EXPECT_EQ(fault.m_error, std::errc::no_such_file_or_directory);
    EXPECT_FALSE(ReadSmileFileBytes(m_folder.string(), bytes, fault));
    EXPECT_EQ(fault.m_error, std::errc::is_a_directory);
    EXPECT_FALSE(ReadSmileFileBytes("/dev/null", bytes, fault));
    EXPECT_EQ(fault.m_error, EReadError::NotRegularFile);
    EXPECT_FALSE(ReadSmileFileBytes(Write("big.grn", std::string(1048576, 'c')), bytes, fault));
    EXPECT_EQ(fault.m_error, EReadError::TooLarge);
    EXPECT_FALSE(DecodeSmileFile("c " + Hex("A4"), EEncoding::EucJp, codec, content, fault));
    EXPECT_FALSE(fault.m_error);
    EXPECT_EQ(fault.m_text.m_eKind, CTextFault::EKind::Malformed);
    EXPECT_EQ(fault.m_text.m_nOffset, 2u);

    // Through the converter the reason comes with the failed load.
    EXPECT_FALSE(m_converter.LoadSmileFile("/dev/null", &fault));
    EXPECT_EQ(fault.m_error, EReadError::NotRegularFile);
}

TEST_F(SmileFile, QuestionMarksInstallTheBuiltInSetWithoutTheDisk)
{
    m_converter.m_strModeFilePath = "before.grn";
    EXPECT_TRUE(m_converter.LoadSmileFile("????"));
    EXPECT_EQ(m_converter.Name(), kBuiltInName);
    EXPECT_EQ(m_converter.RuleTable().Size(), 11u);
    EXPECT_EQ(m_converter.m_strModeFilePath, "before.grn");
    EXPECT_EQ(m_converter.Separator(), " ");
}

TEST_F(SmileFile, EveryLoadStartsWithTheSpaceSeparator)
{
    ASSERT_TRUE(m_converter.LoadSmileFile(Write("colon.grn", "s :\nr:a:b\n")));
    EXPECT_EQ(m_converter.Separator(), ":");
    ASSERT_TRUE(m_converter.LoadSmileFile(Write("space.grn", "r c d\n")));
    EXPECT_EQ(m_converter.Separator(), " ");
    ASSERT_EQ(Rules('c').size(), 1u);
    EXPECT_TRUE(Rules('a').empty());
}

TEST_F(SmileFile, TwoByteSeparatorSplitsOnlyAtCharacterBoundaries)
{
    // ａ is 82 81; followed by 'A' it holds the bytes of 、 from its second byte.
    const std::string fullA = Hex("8281") + "A";
    ASSERT_TRUE(m_converter.LoadSmileFile(
        Write("ten.grn", "s " + kTen + "\n"
                         "r" + kTen + Hex("82A0") + kTen + Hex("82A2") + kTen + Hex("82A4") + "\n"
                         "r" + kTen + fullA + kTen + "x\n")));
    ASSERT_EQ(Rules(0x82).size(), 2u);
    EXPECT_EQ(Rules(0x82)[0].m_strKey, Hex("82A0"));                       // あ
    EXPECT_EQ(Rules(0x82)[0].m_strReplacement, Hex("82A2") + kTen + Hex("82A4"));  // い、う
    EXPECT_EQ(Rules(0x82)[1].m_strKey, fullA);
    EXPECT_EQ(Rules(0x82)[1].m_strReplacement, "x");
}

TEST_F(SmileFile, EmptySeparatorMakesEveryLaterCommandBad)
{
    EXPECT_FALSE(m_converter.LoadSmileFile(Write("nosep.grn", "s \nc still fine\n\nr a b\n")));
    EXPECT_EQ(m_notifier.m_messages, std::vector<std::string>{LineError("4")});
    EXPECT_EQ(m_converter.Separator(), "");  // kept until the next load
}

// Single lines, with the reader set up as a load leaves it.
class ParseLine : public CEngineTest {
protected:
    ParseLine()
    {
        m_converter.LoadSmileFile("????");
        m_converter.RemoveAllRules();
    }
    const CSmileRule& OnlyRule(unsigned char byte)
    {
        EXPECT_EQ(m_converter.RuleTable().Size(), 1u);
        return m_converter.RuleTable().Lookup(byte).at(0);
    }
};

TEST_F(ParseLine, AcceptsAndRefusesLinesByTheirShape)
{
    const std::vector<std::pair<std::string, bool>> cases = {
        {"", true},
        {"c", true},
        {"cno separator needed", true},
        {" ", false},
        {"   ", false},
        {"r", false},
        {"rab", false},
        {"r  a", false},  // field 1 would be empty
        {"x a b", false},
        {"C a b", false},
        {Hex("82A0") + " a b", false},  // a lead byte first: the space is no separator
    };
    for (const auto& [line, good] : cases) {
        SCOPED_TRACE(line);
        EXPECT_EQ(m_converter.ParseLine(line), good);
    }
    EXPECT_EQ(m_converter.RuleTable().Size(), 0u);
}

TEST_F(ParseLine, FieldTwoRunsToTheEndOrIsEmpty)
{
    ASSERT_TRUE(m_converter.ParseLine("r a b c"));
    ASSERT_TRUE(m_converter.ParseLine("r z"));
    ASSERT_TRUE(m_converter.ParseLine("r "));  // both fields empty
    const CRuleTable& table = m_converter.RuleTable();
    EXPECT_EQ(table.Lookup('a').at(0).m_strReplacement, "b c");
    EXPECT_EQ(table.Lookup('z').at(0).m_strReplacement, "");
    EXPECT_EQ(table.Lookup(0).at(0).m_strKey, "");
    EXPECT_EQ(table.Lookup(0).at(0).m_strReplacement, "");
}

TEST_F(ParseLine, AddAndBeforeJoinFieldsBeforeEscapes)
{
    ASSERT_TRUE(m_converter.ParseLine("a x# y"));  // "x#y": the "#" takes the y along
    EXPECT_EQ(OnlyRule('x').m_strKey, "x");
    EXPECT_EQ(OnlyRule('x').m_strReplacement, "x");
    m_converter.RemoveAllRules();
    ASSERT_TRUE(m_converter.ParseLine("b x# y"));  // "yx#"
    EXPECT_EQ(OnlyRule('x').m_strReplacement, "yx");
}

TEST_F(ParseLine, NameAndSeparatorTakeFieldOneAsWritten)
{
    ASSERT_TRUE(m_converter.ParseLine("n a#nb ignored"));
    EXPECT_EQ(m_converter.Name(), "a#nb");
    ASSERT_TRUE(m_converter.ParseLine("s :: ignored"));
    EXPECT_EQ(m_converter.Separator(), "::");
    EXPECT_FALSE(m_converter.ParseLine("r a b"));
    ASSERT_TRUE(m_converter.ParseLine("r::a::b::c"));
    EXPECT_EQ(OnlyRule('a').m_strReplacement, "b::c");
}

}  // namespace
