#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Limits.h"
#include "engine/filters/Filters.h"
#include "engine/smile/Pipeline.h"
#include "tests/engine/EngineTest.h"

namespace {

const std::string kHtmlCaption =
    Hex("8267 8273 826C 826B 8F88 979D 9286 82C5 8CE4 8DC0 82E9 8142");
const std::string kCommentsCaption =
    Hex("8262 8143 8262 817B 817B 8352 8381 8393 8367 8F88 979D 9286 82C5 8CE4 8DC0 82E9 8142");
const std::string kNewlinesCaption =
    Hex("89FC 8D73 8352 815B 8368 8F88 979D 9286 82C5 8CE4 8DC0 82E9 8142");
const std::string kSmilingCaption =
    Hex("94F7 8FCE 82F1 82C5 82A2 82E9 8DC5 9286 82C5 8CE4 8DC0 82E9 8142");

using CFilter = bool (*)(std::string&, std::size_t, IProgress&);

struct CFilterCase {
    std::string m_strInput;
    std::string m_strOutput;
};

void ExpectFiltered(CFilter filter, const std::vector<CFilterCase>& cases)
{
    for (const CFilterCase& c : cases) {
        SCOPED_TRACE(c.m_strInput);
        CRecordingProgress progress;
        std::string text = c.m_strInput;
        EXPECT_TRUE(filter(text, kTextLimit, progress));
        EXPECT_EQ(text, c.m_strOutput);
    }
}

TEST(HtmlFilter, RemovesTagsAndDecodesFourEntitiesOnce)
{
    ExpectFiltered(StripHtmlTags, {
        {"<b>bold</b>", "bold"},
        {"x<y>z", "xz"},
        {"a<b>", "a"},
        {"<<>", ""},
        {"<a><b>c", "c"},
        {"a < b", "a < b"},
        {"a > b", "a > b"},
        {"&lt;b&gt;", "<b>"},
        {"&quot;x&quot;", "\"x\""},
        {"&amp;lt;", "&lt;"},
        {"&amp;&amp;", "&&"},
        {"&lt;<b>x", "<x"},
        {"&LT; &nbsp; &#60; &lt", "&LT; &nbsp; &#60; &lt"},
        {"<!-- a > b -->", " b -->"},
        {Hex("82A0") + "<i>" + Hex("82A2"), Hex("82A0 82A2")},  // あ<i>い
    });
}

TEST(CommentFilter, RemovesTerminatedCommentsOnly)
{
    ExpectFiltered(StripCppComments, {
        {"a/*b*/c", "ac"},
        {"/**/", ""},
        {"/*/ x */", ""},
        {"a/*x*//*y*/b", "ab"},
        {"/* a */// b\r\nc", "\r\nc"},
        {"a//b\r\n", "a\r\n"},
        {"a//b", "a//b"},
        {"a//b\nc", "a//b\nc"},
        {"a/* open", "a/* open"},
        {"a/", "a/"},
        {"x/*" + Hex("82A0") + "*/y", "xy"},
    });
}

TEST(NewlineFilter, MakesEveryLoneBreakACrLfPair)
{
    ExpectFiltered(NormalizeReturnCodes, {
        {"a\nb", "a\r\nb"},
        {"a\rb", "a\r\nb"},
        {"a\r\nb", "a\r\nb"},
        {"\n", "\r\n"},
        {"a\r", "a\r\n"},
        {"\n\r", "\r\n\r\n"},
        {"\r\r\n", "\r\n\r\n"},
    });
}

TEST(NewlineFilter, StopsWhenTheTextReachesTheRoom)
{
    CRecordingProgress progress;
    std::string text = "a\nb\n";
    EXPECT_TRUE(NormalizeReturnCodes(text, 5, progress));
    EXPECT_EQ(text, "a\r\nb\n");

    std::string full = "a\nb";
    EXPECT_TRUE(NormalizeReturnCodes(full, 3, progress));
    EXPECT_EQ(full, "a\nb");
}

// The filters look for their bytes 64 at a time; what they act on may sit on either
// side of a 64-byte edge, or straddle it.
TEST(Filters, BytesAroundTheSearchWindowsAreFound)
{
    for (const std::size_t lead : {62u, 63u, 64u, 65u, 127u, 128u}) {
        SCOPED_TRACE(lead);
        const std::string pad(lead, 'a');
        ExpectFiltered(NormalizeReturnCodes, {
            {pad + "\r\nb", pad + "\r\nb"},
            {pad + "\r\n", pad + "\r\n"},
            {pad + "\nb", pad + "\r\nb"},
            {pad + "\rb", pad + "\r\nb"},
            {pad + "\r", pad + "\r\n"},
            {pad + "\n\n", pad + "\r\n\r\n"},
        });
        ExpectFiltered(StripHtmlTags, {
            {pad + "<b>x", pad + "x"},
            {pad + "&amp;x<", pad + "&x<"},
        });
        ExpectFiltered(StripCppComments, {
            {pad + "/*c*/x", pad + "x"},
            {pad + "//c\r\nx/", pad + "\r\nx/"},
        });
    }
}

TEST(NewlineFilter, LongRunsOfLoneBreaksGetTheirPartnerUntilTheRoom)
{
    std::string lines;
    std::string filtered;
    for (int k = 0; k < 20000; ++k) {
        lines += "ab\n";
        filtered += "ab\r\n";
    }
    CRecordingProgress whole;
    std::string all = lines;
    EXPECT_TRUE(NormalizeReturnCodes(all, kTextLimit, whole));
    EXPECT_TRUE(all == filtered);  // a failure would print 80,000 bytes

    // 60,000 bytes in a room of 61,000: the first 1,000 LFs get a CR.
    CRecordingProgress progress;
    std::string text = lines;
    EXPECT_TRUE(NormalizeReturnCodes(text, 61000, progress));
    EXPECT_EQ(text.size(), 61000u);
    EXPECT_TRUE(text.substr(0, 4 * 1000) == filtered.substr(0, 4 * 1000));
    EXPECT_TRUE(text.substr(4 * 1000) == lines.substr(3 * 1000));
}

TEST(HtmlFilter, TextOverTheRoomStopsAfterItsFirstPosition)
{
    CRecordingProgress progress;
    std::string text = "<b>xy<i>z";
    EXPECT_TRUE(StripHtmlTags(text, 1, progress));
    EXPECT_EQ(text, "xy<i>z");
}

TEST(Filters, EmptyTextGetsTheCaptionAndNoProgress)
{
    const std::vector<std::pair<CFilter, std::string>> filters = {
        {StripHtmlTags, kHtmlCaption},
        {StripCppComments, kCommentsCaption},
        {NormalizeReturnCodes, kNewlinesCaption},
    };
    for (const auto& [filter, caption] : filters) {
        SCOPED_TRACE(caption);
        CRecordingProgress progress;
        std::string text;
        EXPECT_TRUE(filter(text, kTextLimit, progress));
        EXPECT_EQ(text, "");
        EXPECT_EQ(progress.m_calls, std::vector<std::string>{"caption:" + caption});
    }
}

TEST(Filters, ProgressFollowsTheCurrentLength)
{
    CRecordingProgress html;
    std::string text = "a<bcdefgh>ij";  // 0 of 12, 1 of 12, then 2 of 3
    StripHtmlTags(text, kTextLimit, html);
    EXPECT_EQ(Collapsed(html.m_positions), (std::vector<int>{0, 8, 66}));

    CRecordingProgress comments;
    text = "ab/*xy*/cdef";  // 0, 1, 2 of 12, then 3 and 4 of 6
    StripCppComments(text, kTextLimit, comments);
    EXPECT_EQ(Collapsed(comments.m_positions), (std::vector<int>{0, 8, 16, 50, 66}));

    CRecordingProgress newlines;
    text = "a\nb";  // 0 and 1 of 3, then 3 of 4
    NormalizeReturnCodes(text, kTextLimit, newlines);
    EXPECT_EQ(Collapsed(newlines.m_positions), (std::vector<int>{0, 33, 75}));
}

using Pipeline = CEngineTest;

TEST_F(Pipeline, RunsTheSwitchedFiltersInOrderThenTheSmiler)
{
    m_converter.m_bHTMLCut = true;
    m_converter.m_bCPPCut = true;
    m_converter.m_bReturnCode = true;
    CConverter smiler(m_notifier, m_random);
    smiler.AddRule("b", "B");
    smiler.m_nFrequency = 100;
    // Another order gives another text: the comment filter first would take the
    // tag's '>', the newline filter before it would end the line comment.
    std::string text = "<a/*>*/b//x\n";
    EXPECT_TRUE(FilterAndSmile(m_converter, smiler, text, m_progress));
    EXPECT_EQ(text, "*/B//x\r\n");
    EXPECT_EQ(m_progress.m_captions, (std::vector<std::string>{kHtmlCaption, kCommentsCaption,
                                                               kNewlinesCaption, kSmilingCaption}));
    EXPECT_EQ(smiler.SmilePlaces().size(), 1u);
    EXPECT_TRUE(m_converter.SmilePlaces().empty());
}

TEST_F(Pipeline, SwitchedOffFiltersDoNotRun)
{
    CConverter smiler(m_notifier, m_random);
    std::string text = "<b>\n";
    EXPECT_TRUE(FilterAndSmile(m_converter, smiler, text, m_progress));
    EXPECT_EQ(text, "<b>\n");
    EXPECT_EQ(m_progress.m_captions, std::vector<std::string>{kSmilingCaption});
}

}  // namespace
