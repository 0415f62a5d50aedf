// Detecting and transcoding a file of nearly the text limit, as opening it does.

#include <optional>
#include <string>
#include <string_view>

#include <benchmark/benchmark.h>

#include "bench/BenchInputs.h"
#include "engine/Limits.h"
#include "engine/text/Codec.h"
#include "engine/text/Cp932.h"
#include "engine/text/EncodingDetector.h"

namespace {

// The prose, in encoding, repeated up to the text limit, with a character CP932
// lacks in every copy where the encoding has one, and the encoding's byte-order mark.
std::string NearlyTheLimit(EEncoding encoding)
{
    const std::string_view mark = ByteOrderMarkOf(encoding);
    const EEncoding unmarked = encoding == EEncoding::Utf16LeBom ? EEncoding::Utf16Le : encoding;
    CCodec codec;
    std::string copy;
    CTextFault fault;
    codec.Encode(JapaneseProse(), unmarked, copy, fault);
    switch (encoding) {
    case EEncoding::EucJp:
        copy += "\x8F\xB0\xA1";  // 丂, JIS X 0212
        break;
    case EEncoding::ShiftJis2004:
        copy += "\x82\xF5";  // か゚
        break;
    case EEncoding::EucJis2004:
        copy += "\xA4\xF7";
        break;
    case EEncoding::Utf16LeBom:
        copy += std::string("\x3D\xD8\x00\xDE", 4);  // 😀
        break;
    case EEncoding::Iso2022Jp:
    case EEncoding::ShiftJis:
        break;
    default:
        copy += "\xF0\x9F\x98\x80";
    }
    std::string text(mark);
    while (text.size() + copy.size() <= kTextLimit)
        text += copy;
    return text;
}

// Reading the text as opening a file does: detecting it, then transcoding it.
void DetectAndDecode(benchmark::State& state, EEncoding encoding)
{
    const std::string bytes = NearlyTheLimit(encoding);
    for (auto _ : state) {
        CCodec codec;
        std::string text = bytes;
        EEncoding detected = EEncoding::ShiftJis;
        CTextFault fault;
        if (!codec.ReadText(text, std::nullopt, detected, fault) || detected != encoding) {
            state.SkipWithError("the text did not decode as made");
            return;
        }
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_DetectAndDecode(benchmark::State& state)
{
    DetectAndDecode(state, static_cast<EEncoding>(state.range(0)));
    state.SetLabel(EncodingName(static_cast<EEncoding>(state.range(0))));
}
BENCHMARK(BM_DetectAndDecode)
    ->Unit(benchmark::kMillisecond)
    ->ArgName("encoding")
    ->Arg(static_cast<int>(EEncoding::ShiftJis))
    ->Arg(static_cast<int>(EEncoding::Utf8))
    ->Arg(static_cast<int>(EEncoding::EucJp))
    ->Arg(static_cast<int>(EEncoding::Iso2022Jp))
    ->Arg(static_cast<int>(EEncoding::Utf16LeBom))
    ->Arg(static_cast<int>(EEncoding::ShiftJis2004))
    ->Arg(static_cast<int>(EEncoding::EucJis2004));

void BM_EncodeUtf8(benchmark::State& state)
{
    const std::string bytes = NearlyTheLimit(EEncoding::Utf8);
    CCodec codec;
    std::string cp932;
    CTextFault fault;
    codec.DecodeText(bytes, EEncoding::Utf8, cp932, fault);
    for (auto _ : state) {
        std::string out;
        codec.Encode(cp932, EEncoding::Utf8, out, fault);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_EncodeUtf8)->Unit(benchmark::kMillisecond);

}  // namespace
