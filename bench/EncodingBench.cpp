// Detecting and transcoding a file of nearly the text limit, as opening it does.

#include <string>

#include <benchmark/benchmark.h>

#include "bench/BenchInputs.h"
#include "engine/Codec.h"
#include "engine/Cp932.h"
#include "engine/EncodingDetector.h"
#include "engine/Limits.h"

namespace {

// The prose, in encoding, repeated up to the text limit, with a character CP932
// lacks in every copy.
std::string NearlyTheLimit(EEncoding encoding)
{
    CCodec codec;
    std::string copy;
    CTextFault fault;
    codec.Encode(JapaneseProse(), encoding, copy, fault);
    copy += encoding == EEncoding::EucJp ? "\x8F\xB0\xA1" : "\xF0\x9F\x98\x80";
    std::string text;
    while (text.size() + copy.size() <= kTextLimit)
        text += copy;
    return text;
}

void DetectAndDecode(benchmark::State& state, EEncoding encoding)
{
    const std::string bytes = NearlyTheLimit(encoding);
    for (auto _ : state) {
        CCodec codec;
        std::string cp932;
        CTextFault fault;
        const EEncoding detected = DetectEncoding(bytes);
        if (detected != encoding || !codec.DecodeText(bytes, detected, cp932, fault)) {
            state.SkipWithError("the text did not decode as made");
            return;
        }
        benchmark::DoNotOptimize(cp932.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_DetectAndDecodeUtf8(benchmark::State& state)
{
    DetectAndDecode(state, EEncoding::Utf8);
}
BENCHMARK(BM_DetectAndDecodeUtf8)->Unit(benchmark::kMillisecond);

void BM_DetectAndDecodeEucJp(benchmark::State& state)
{
    DetectAndDecode(state, EEncoding::EucJp);
}
BENCHMARK(BM_DetectAndDecodeEucJp)->Unit(benchmark::kMillisecond);

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
