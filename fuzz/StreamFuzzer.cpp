// The streaming smiler on any bytes, cut at places the input chooses: its output,
// places and faults must be those of one run over the whole text without limits.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "engine/text/Encoding.h"
#include "fuzz/FuzzSupport.h"
#include "tests/reference/StreamRuns.h"

namespace {

constexpr EEncoding kEncodings[] = {
    EEncoding::ShiftJis, EEncoding::Utf8,       EEncoding::Utf8Bom,      EEncoding::EucJp,
    EEncoding::Iso2022Jp, EEncoding::Utf16Le,   EEncoding::Utf16LeBom,   EEncoding::Utf16Be,
    EEncoding::Utf16BeBom, EEncoding::ShiftJis2004, EEncoding::EucJis2004,
};
constexpr std::size_t kEncodingCount = sizeof kEncodings / sizeof kEncodings[0];

// None for one of the bytes past the list: detected, or the input's.
std::optional<EEncoding> Encoding(std::uint8_t byte)
{
    const std::size_t which = byte % (kEncodingCount + 2);
    if (which >= kEncodingCount)
        return std::nullopt;
    return kEncodings[which];
}

// A smile file whose keys and replacements are the engine's likely troubles: long
// keys, keys that begin others, characters CP932 lacks, line breaks.
constexpr const char* kSmileFiles[] = {
    "",
    "r 。 。」\nd 、\nr です。 ではありません。\nr 。#n、 x\n",
    "r 。 😊\nr ！ ！！\nr ー 〜\n",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    CStreamSettings settings;
    settings.m_nFrequency = input.TakeByte() % 101;
    const std::uint8_t flags = input.TakeByte();
    settings.m_bHtml = flags & 1;
    settings.m_bComments = flags & 2;
    settings.m_bNewlines = flags & 4;
    settings.m_strSmileFile = kSmileFiles[(flags >> 3) % 3];
    settings.m_nSeed = input.TakeUint32();
    settings.m_input = Encoding(input.TakeByte());
    settings.m_output = Encoding(input.TakeByte());
    const std::size_t cutCount = input.TakeByte() % 16;
    std::vector<std::size_t> cuts(cutCount);
    for (std::size_t& cut : cuts)
        cut = input.TakeByte() << 8 | input.TakeByte();
    const std::string text = input.Rest();
    for (std::size_t& cut : cuts)
        cut = text.empty() ? 0 : cut % (text.size() + 1);
    std::sort(cuts.begin(), cuts.end());

    const std::string difference = CompareStreamWithWhole(settings, text, cuts);
    if (!difference.empty())
        std::fprintf(stderr, "%s\n", difference.c_str());
    FUZZ_CHECK(difference.empty());
    return 0;
}
