// chirpwell-smile --stream as a whole process on 1 GB of Japanese prose, beside cat of
// the same file, in one run: each iteration runs cat, then chirpwell-smile, on a file
// that the first read has put in the page cache, both writing to /dev/null. The
// figures are chirpwell-smile's time, cat's, the rate beyond cat (the bytes over the
// difference of the two times) and chirpwell-smile's peak memory:
//
//   chirpwell_stream_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// The inputs are made when the program starts, in a folder under the temporary
// folder that goes at exit: about 2 GB.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include "bench/BenchInputs.h"
#include "bench/ChildProcess.h"
#include "engine/text/Codec.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kInputBytes = 1000 * 1000 * 1000;

// The prose, CR LF lines, written again and again to a little past a gigabyte.
class CLargeInputs {
public:
    CLargeInputs()
        : m_path(fs::temp_directory_path() /
                 ("chirpwell-stream-bench-" + std::to_string(::getpid())))
    {
        fs::create_directories(m_path);
        const std::string& prose = JapaneseProse();
        Write("prose.sjis", prose);
        std::string utf8;
        Cp932ToUtf8(prose, utf8);
        Write("prose.utf8", utf8);
    }
    ~CLargeInputs() { fs::remove_all(m_path); }
    CLargeInputs(const CLargeInputs&) = delete;
    CLargeInputs& operator=(const CLargeInputs&) = delete;

    fs::path Path(const char* name) const { return m_path / name; }

private:
    void Write(const char* name, const std::string& piece) const
    {
        std::ofstream out(m_path / name, std::ios::binary);
        for (std::size_t written = 0; written < kInputBytes; written += piece.size())
            out << piece;
    }

    fs::path m_path;
};

const CLargeInputs& LargeInputs()
{
    static const CLargeInputs inputs;
    return inputs;
}

void BM_Stream(benchmark::State& state, const char* name)
{
    const std::string input = LargeInputs().Path(name).string();
    const double bytes = static_cast<double>(fs::file_size(input));
    const std::vector<std::string> smile = {CHIRPWELL_SMILE_PATH, "--stream", "--seed=1",
                                            "-o", "/dev/null", input};
    const std::vector<std::string> cat = {"/bin/cat", input};
    // The first read puts the file in the page cache for both.
    RunChild(cat);
    double smileSeconds = 0;
    double catSeconds = 0;
    double peak = 0;
    for (auto _ : state) {
        const CChildRun catRun = RunChild(cat);
        const CChildRun smileRun = RunChild(smile);
        if (!catRun.m_bDone || !smileRun.m_bDone) {
            state.SkipWithError("a command failed");
            return;
        }
        state.SetIterationTime(smileRun.m_nSeconds);
        smileSeconds += smileRun.m_nSeconds;
        catSeconds += catRun.m_nSeconds;
        peak = std::max(peak, smileRun.m_nPeakMiB);
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["smile_s"] = smileSeconds / runs;
    state.counters["cat_s"] = catSeconds / runs;
    state.counters["GBps"] = bytes * runs / smileSeconds / 1e9;
    state.counters["GBps_beyond_cat"] = bytes * runs / (smileSeconds - catSeconds) / 1e9;
    state.counters["peak_MiB"] = peak;
}

BENCHMARK_CAPTURE(BM_Stream, shift_jis, "prose.sjis")
    ->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Stream, utf8, "prose.utf8")
    ->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
