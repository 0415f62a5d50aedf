// chirpwell-smile as a whole process, start-up included, beside `--version` (the
// floor every run pays) and beside chirpwell_literal_smile, the same work done by the
// literal in-place forms. Each repetition starts one process, its output going to
// /dev/null, so that the median is one of single runs, not of means that a slow run
// drags up. Run with interleaved repetitions, so that a machine whose speed drifts
// moves all figures alike, and read the medians:
//
//   chirpwell_command_bench --benchmark_enable_random_interleaving=true
//       --benchmark_repetitions=100 --benchmark_report_aggregates_only=true

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

// The inputs as files, written once into a folder of their own that goes at exit.
class CInputFolder {
public:
    CInputFolder()
        : m_path(fs::temp_directory_path() /
                 ("chirpwell-command-bench-" + std::to_string(::getpid())))
    {
        fs::create_directories(m_path);
        const std::string& prose = JapaneseProse();
        Write("prose-520k.txt", prose);
        Write("prose-64k.txt", prose.substr(0, prose.find("\r\n", 64000) + 2));
        std::string utf8;
        Cp932ToUtf8(prose, utf8);
        Write("prose-520k.utf8.txt", utf8);
        Write("html.txt", TagDenseHtml());
    }
    ~CInputFolder() { fs::remove_all(m_path); }
    CInputFolder(const CInputFolder&) = delete;
    CInputFolder& operator=(const CInputFolder&) = delete;

    fs::path Path(const char* name) const { return m_path / name; }

private:
    void Write(const char* name, const std::string& bytes) const
    {
        std::ofstream(m_path / name, std::ios::binary) << bytes;
    }

    fs::path m_path;
};

const CInputFolder& InputFolder()
{
    static const CInputFolder folder;
    return folder;
}

void Run(benchmark::State& state, std::vector<std::string> arguments, const char* input)
{
    if (input)
        arguments.push_back(InputFolder().Path(input).string());
    for (auto _ : state) {
        if (!RunChild(arguments).m_bDone) {
            state.SkipWithError("the command failed");
            return;
        }
    }
}

void Register(const std::string& name, std::vector<std::string> arguments, const char* input)
{
    benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
        Run(state, arguments, input);
    })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
}

int Main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const std::string smile = CHIRPWELL_SMILE_PATH;
    const std::string literal = CHIRPWELL_LITERAL_SMILE_PATH;
    Register("BM_Command/version", {smile, "--version"}, nullptr);
    struct CInput {
        const char* m_pName;
        const char* m_pFile;
        std::vector<std::string> m_options;
        bool m_bLiteral;  // the literal form takes it in under a second
    };
    const CInput inputs[] = {
        {"prose_64k", "prose-64k.txt", {}, true},
        {"prose_520k", "prose-520k.txt", {}, true},
        {"prose_520k_utf8", "prose-520k.utf8.txt", {}, false},
        {"html", "html.txt", {"--html", "--keep-newlines"}, true},
    };
    for (const CInput& input : inputs) {
        std::vector<std::string> options = {"--seed=1", "-f", "2"};
        options.insert(options.end(), input.m_options.begin(), input.m_options.end());
        std::vector<std::string> command = {smile};
        command.insert(command.end(), options.begin(), options.end());
        Register(std::string("BM_Command/") + input.m_pName + "/chirpwell_smile", command,
                 input.m_pFile);
        if (!input.m_bLiteral)
            continue;
        command = {literal};
        command.insert(command.end(), options.begin(), options.end());
        Register(std::string("BM_Command/") + input.m_pName + "/literal", command, input.m_pFile);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    return Main(argc, argv);
}
