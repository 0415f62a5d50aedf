#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "document/ResizeRule.h"

namespace {

// A frame of 800 x 600 whose view is 780 x 540: the frame adds 20 x 60 around it.
const CRect kFrame{100, 50, 900, 650};
const CRect kView{110, 100, 890, 640};
const CWindowPlacement kPlacement{false, kFrame};

// Measures the pieces it is given from a table and records them.
class CTableMeasure {
public:
    explicit CTableMeasure(std::map<std::string, int> widths) : m_widths(std::move(widths)) {}
    CMeasureText Function()
    {
        return [this](std::string_view piece) {
            m_pieces.emplace_back(piece);
            const auto found = m_widths.find(std::string(piece));
            return found == m_widths.end() ? -1 : found->second;
        };
    }
    std::vector<std::string> m_pieces;

private:
    std::map<std::string, int> m_widths;
};

std::optional<CWindowPlacement> Resize(const std::string& text, CTableMeasure& measure,
                                       int fontSize, int screenWidth = 1920,
                                       const CRect& frame = kFrame, const CRect& view = kView,
                                       const CWindowPlacement& placement = kPlacement)
{
    return ResizeToText(true, text, measure.Function(), fontSize, frame, view, screenWidth,
                        placement);
}

// The frame placed normally so that its view is width wide and width / 2 high.
CWindowPlacement NormalFor(int width)
{
    return {false, {100, 50, 100 + 20 + width, 50 + 60 + width / 2}};
}

TEST(ResizeRuleTest, LastLineGetsTheMarginTwice)
{
    // Font size 100: a margin of 10 pixels.
    CTableMeasure longerLast({{"first\r\n", 500}, {"last", 495}});
    EXPECT_EQ(Resize("first\r\nlast", longerLast, 100), NormalFor(515));
    EXPECT_EQ(longerLast.m_pieces, (std::vector<std::string>{"first\r\n", "last"}));

    CTableMeasure shorterLast({{"first\r\n", 500}, {"last", 480}});
    EXPECT_EQ(Resize("first\r\nlast", shorterLast, 100), NormalFor(510));
}

TEST(ResizeRuleTest, NarrowTextIsRaisedTo350)
{
    CTableMeasure measure({{"one line", 100}});
    EXPECT_EQ(Resize("one line", measure, 140), NormalFor(350));  // 350 x 175
    EXPECT_EQ(NormalFor(350).m_normal.Height(), 60 + 175);
}

TEST(ResizeRuleTest, EveryLineWithItsCrLfIsMeasured)
{
    // Only CR LF ends a line here; a lone LF or CR stays inside it.
    CTableMeasure measure({{"a\r\n", 300}, {"b\nc\r\n", 600}, {"\r\n", 0}, {"d\re", 200}});
    EXPECT_EQ(Resize("a\r\nb\nc\r\n\r\nd\re", measure, 120), NormalFor(612));
    EXPECT_EQ(measure.m_pieces, (std::vector<std::string>{"a\r\n", "b\nc\r\n", "\r\n", "d\re"}));
}

TEST(ResizeRuleTest, EmptyLastLineIsNotMeasured)
{
    CTableMeasure measure({{"wide line\r\n", 700}});
    EXPECT_EQ(Resize("wide line\r\n", measure, 100), NormalFor(710));
    EXPECT_EQ(measure.m_pieces, std::vector<std::string>{"wide line\r\n"});
}

TEST(ResizeRuleTest, FrameWiderThanTheScreenIsMaximisedInstead)
{
    // W = 990 + 5 + 5 = 1000 at font size 50: the frame becomes 1020 wide.
    CTableMeasure measure({{"x", 990}});
    const CRect frame{0, 0, 800, 600};
    const CRect view{10, 40, 790, 590};
    const CWindowPlacement placement{false, frame};
    EXPECT_EQ(Resize("x", measure, 50, 1024, frame, view, placement),
              (CWindowPlacement{false, {0, 0, 1020, 600 - 550 + 500}}));
    EXPECT_EQ(Resize("x", measure, 50, 1020, frame, view, placement),
              (CWindowPlacement{false, {0, 0, 1020, 550}}));
    // On a screen 800 wide it is maximised, and its normal place stays as it was.
    EXPECT_EQ(Resize("x", measure, 50, 800, frame, view, placement),
              (CWindowPlacement{true, frame}));
}

TEST(ResizeRuleTest, LinesAfterOneTooWideForTheScreenAreNotMeasured)
{
    // The frame adds 20 to the view: at font size 100, a line of 1891 makes it 1921
    // wide, one more than the screen; 1890 still fits.
    CTableMeasure tooWide({{"a\r\n", 100}, {"wide\r\n", 1891}});
    EXPECT_EQ(Resize("a\r\nwide\r\nb\r\nlast", tooWide, 100, 1920),
              (CWindowPlacement{true, kFrame}));
    EXPECT_EQ(tooWide.m_pieces, (std::vector<std::string>{"a\r\n", "wide\r\n"}));

    CTableMeasure fits({{"a\r\n", 100}, {"wide\r\n", 1890}, {"b\r\n", 10}, {"last", 10}});
    EXPECT_EQ(Resize("a\r\nwide\r\nb\r\nlast", fits, 100, 1920), NormalFor(1900));
    EXPECT_EQ(fits.m_pieces.size(), 4u);
}

TEST(ResizeRuleTest, MaximisedFrameReturnsToNormalAtItsCorner)
{
    const CRect maximised{-8, -8, 1928, 1088};
    const CRect view{0, 60, 1920, 1080};
    const CWindowPlacement placement{true, {200, 200, 600, 500}};
    CTableMeasure measure({{"short", 386}});
    EXPECT_EQ(Resize("short", measure, 70, 1920, maximised, view, placement),
              (CWindowPlacement{false, {-8, -8, -8 + 16 + 400, -8 + 76 + 200}}));
}

TEST(ResizeRuleTest, WidthsAreTakenWhole)
{
    // 70,000 pixels is no negative width in the low 16 bits: it stays the widest.
    CTableMeasure measure({{"huge\r\n", 70000}, {"x", 10}});
    EXPECT_EQ(Resize("huge\r\nx", measure, 100, 100000), NormalFor(70010));
    EXPECT_TRUE(Resize("huge\r\nx", measure, 100, 1920)->m_bMaximized);
}

TEST(ResizeRuleTest, NothingWhenAutoResizeIsOffOrTextEmpty)
{
    CTableMeasure measure({{"text", 500}});
    EXPECT_FALSE(ResizeToText(false, "text", measure.Function(), 140, kFrame, kView, 1920,
                              kPlacement)
                     .has_value());
    EXPECT_FALSE(Resize("", measure, 140).has_value());
    EXPECT_TRUE(measure.m_pieces.empty());
}

}  // namespace
