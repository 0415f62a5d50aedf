#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/VectorPath.h"
#include "engine/text/Codec.h"
#include "engine/text/PlaceCounter.h"

namespace {

// Line ends of every kind, lead bytes before them and pairs whose second byte is a
// CR or an LF, one- and two-byte characters, in windows of 64 bytes and across them.
// The first pieces are whole characters; the rest make pairs whose second byte is a
// CR or an LF, or lead bytes whose second byte is the next piece's first.
const std::vector<std::string> kPieces = {
    "\r", "\n", "\r\n", "\n\r", "a", "\x82\xA0", "\x82\xF1", "\x81\x42", "\xB1",
    "\x81", "\x9F", "\xE0", "\xFC", "\x81\r", "\x81\n",
};
constexpr std::size_t kWholePieces = 9;

}  // namespace

// The counter over a text in parts must give every place PlaceInBytes gives over the
// whole, on the portable path and the vector one, and on the shorter way for a text
// of whole pairs.
TEST(PlaceCounterTest, CountsAsTheWholeTextIsCountedHoweverItIsCut)
{
    std::mt19937 engine(5);
    for (const bool vectors : {false, true}) {
        AllowVectorPath(vectors);
        for (int round = 0; round < 600; ++round) {
            const bool wholePairs = round % 2 == 1;
            const std::size_t kinds = wholePairs ? kWholePieces : kPieces.size();
            std::string text;
            const std::size_t pieces = engine() % 200;
            for (std::size_t k = 0; k < pieces; ++k)
                text += kPieces[engine() % kinds];
            CPlaceCounter counter(wholePairs);
            std::size_t at = 0;
            while (at < text.size()) {
                const std::size_t length = std::min<std::size_t>(1 + engine() % 150, text.size() - at);
                const std::size_t inside = engine() % (length + 1);
                const CTextPlace expectedInside = PlaceInBytes(text, EEncoding::ShiftJis, at + inside);
                const CTextPlace placeInside = counter.PlaceAt(std::string_view(text).substr(at, length), inside);
                ASSERT_EQ(placeInside.m_nLine, expectedInside.m_nLine) << round << " at " << at + inside;
                ASSERT_EQ(placeInside.m_nColumn, expectedInside.m_nColumn) << round << " at " << at + inside;
                counter.Advance(std::string_view(text).substr(at, length));
                at += length;
                const CTextPlace expected = PlaceInBytes(text, EEncoding::ShiftJis, at);
                ASSERT_EQ(counter.Place().m_nLine, expected.m_nLine) << round << " at " << at;
                ASSERT_EQ(counter.Place().m_nColumn, expected.m_nColumn) << round << " at " << at;
            }
        }
    }
    AllowVectorPath(true);
}
