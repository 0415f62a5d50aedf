// The engine's filters, conversion and whole pipeline against their literal in-place
// forms, on large generated texts. Every iteration copies the input first (the
// filters and the conversion work in place); Copy/INPUT measures that copy alone.
// NAME runs the engine on the fastest path the processor has (AVX2 here), NAME/portable
// on the portable one. The literal forms, quadratic, run once per repetition: filter
// them with --benchmark_filter=-literal when only the engine matters.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/BenchInputs.h"
#include "engine/IProgress.h"
#include "engine/Limits.h"
#include "engine/VectorPath.h"
#include "engine/filters/Filters.h"
#include "engine/smile/Converter.h"
#include "engine/smile/Pipeline.h"
#include "engine/smile/Random.h"
#include "programs/FixedClock.h"
#include "programs/SilentProgress.h"
#include "tests/fakes/FakeNotifier.h"
#include "tests/reference/LiteralEngine.h"

namespace {

constexpr std::uint32_t kSeed = 20240601;
constexpr int kLiteralRepetitions = 3;

// One input and the settings the program would smile it with.
struct CBenchCase {
    const char* m_pName;
    const std::string& (*m_pText)();
    bool m_bHTMLCut;
    bool m_bCPPCut;
    int m_nFrequency;
};

const std::string& CommentDenseCrLf()
{
    return CommentDenseC(true);
}

const std::string& CommentDenseLf()
{
    return CommentDenseC(false);
}

const std::vector<CBenchCase> kCases = {
    {"html", TagDenseHtml, true, false, 2},
    {"lf_japanese", LfOnlyJapanese, false, false, 2},
    {"prose", JapaneseProse, false, false, 2},
    {"c_crlf", CommentDenseCrLf, false, true, 2},
    {"c_lf", CommentDenseLf, false, true, 2},
    {"punctuation", PunctuationDense, false, false, 100},
};

const CBenchCase& Case(const std::string& name)
{
    for (const CBenchCase& benchCase : kCases) {
        if (name == benchCase.m_pName)
            return benchCase;
    }
    std::abort();
}

// A converter set up as the program's would be for the case: the built-in set, the
// case's frequency and filters, the newline filter on.
class CBenchConverter {
public:
    explicit CBenchConverter(const CBenchCase& benchCase)
        : m_random(m_clock), m_converter(m_notifier, m_random)
    {
        m_converter.LoadBuiltInSet();
        m_converter.m_nFrequency = benchCase.m_nFrequency;
        m_converter.m_bHTMLCut = benchCase.m_bHTMLCut;
        m_converter.m_bCPPCut = benchCase.m_bCPPCut;
        m_converter.m_bReturnCode = true;
    }

    // The state a run of the pipeline starts from.
    CConverter& Fresh()
    {
        m_random.Seed(kSeed);
        m_converter.ClearSmilePlaces();
        return m_converter;
    }
    CRandom& Random() { return m_random; }

private:
    CFakeNotifier m_notifier;
    CFixedClock m_clock;
    CRandom m_random;
    CConverter m_converter;
};

using FilterFunction = bool (*)(std::string&, std::size_t, IProgress&);

// What a pass leaves behind, to compare the literal form's with the engine's.
struct COutcome {
    std::string m_strText;
    bool m_bDone = true;
    std::size_t m_nPlaces = 0;

    bool operator==(const COutcome&) const = default;
};

COutcome RunFilter(FilterFunction filter, const std::string& input)
{
    CSilentProgress progress;
    COutcome outcome{input};
    filter(outcome.m_strText, kTextLimit, progress);
    return outcome;
}

COutcome RunConvert(const CBenchCase& benchCase, bool literal)
{
    CBenchConverter bench(benchCase);
    CConverter& converter = bench.Fresh();
    CSilentProgress progress;
    COutcome outcome{benchCase.m_pText()};
    CSmilePlaceList places;
    if (literal) {
        outcome.m_bDone =
            LiteralConvert(outcome.m_strText, converter.RuleTable(), converter.m_nFrequency,
                           bench.Random(), kMaxSmileLength, places, progress);
    } else {
        outcome.m_bDone = converter.Convert(outcome.m_strText, kMaxSmileLength, progress);
        places = converter.SmilePlaces();
    }
    outcome.m_nPlaces = places.size();
    return outcome;
}

COutcome RunPipeline(const CBenchCase& benchCase, bool literal)
{
    CBenchConverter bench(benchCase);
    CConverter& converter = bench.Fresh();
    CSilentProgress progress;
    COutcome outcome{benchCase.m_pText()};
    std::string& text = outcome.m_strText;
    if (!literal) {
        outcome.m_bDone = FilterAndSmile(converter, converter, text, progress);
        outcome.m_nPlaces = converter.SmilePlaces().size();
        return outcome;
    }
    RunFilters(converter, text, progress, kTextLimit,
               {LiteralStripHtmlTags, LiteralStripCppComments, LiteralNormalizeReturnCodes});
    CSmilePlaceList places;
    outcome.m_bDone = LiteralConvert(text, converter.RuleTable(), converter.m_nFrequency,
                                     bench.Random(), kMaxSmileLength, places, progress);
    outcome.m_nPlaces = places.size();
    return outcome;
}

// Times run over iterations; reports what the last one left, and for a literal form
// or the portable path whether that equals what the engine leaves.
template <typename Run>
void Measure(benchmark::State& state, std::size_t inputSize, Run run, const COutcome* engine)
{
    COutcome outcome;
    for (auto _ : state) {
        outcome = run();
        benchmark::DoNotOptimize(outcome.m_strText.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * inputSize));
    state.counters["in_bytes"] = static_cast<double>(inputSize);
    state.counters["out_bytes"] = static_cast<double>(outcome.m_strText.size());
    state.counters["done"] = outcome.m_bDone ? 1 : 0;
    state.counters["places"] = static_cast<double>(outcome.m_nPlaces);
    if (engine && !(*engine == outcome))
        state.SkipWithError("the result differs from the engine's on its fastest path");
}

// Loads the many keys, each replaced by itself and "（笑）", and smiles the half prose
// at frequency 100 in the engine or the literal form: the rule set's loading is
// timed as well, so that a look-up structure built for it is not left out.
COutcome RunManyKeys(bool literal)
{
    CFakeNotifier notifier;
    CFixedClock clock;
    CRandom random(clock);
    CConverter converter(notifier, random);
    for (const std::string& key : ManyKeys())
        converter.AddRule(key, key + "\x81\x69\x8F\xCE\x81\x6A");
    converter.m_nFrequency = 100;
    random.Seed(kSeed);
    CSilentProgress progress;
    COutcome outcome{ProseHalf()};
    CSmilePlaceList places;
    if (literal) {
        outcome.m_bDone = LiteralConvert(outcome.m_strText, converter.RuleTable(), 100, random,
                                         kMaxSmileLength, places, progress);
    } else {
        outcome.m_bDone = converter.Convert(outcome.m_strText, kMaxSmileLength, progress);
        places = converter.SmilePlaces();
    }
    outcome.m_nPlaces = places.size();
    return outcome;
}

void Register(const std::string& name, std::size_t inputSize,
              std::function<COutcome()> fast, std::function<COutcome()> slow,
              int literalRepetitions = kLiteralRepetitions)
{
    benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
        Measure(state, inputSize, fast, nullptr);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/portable").c_str(), [=](benchmark::State& state) {
        const COutcome engine = fast();
        AllowVectorPath(false);
        Measure(state, inputSize, fast, &engine);
        AllowVectorPath(true);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/literal").c_str(), [=](benchmark::State& state) {
        const COutcome engine = fast();
        Measure(state, inputSize, slow, &engine);
    })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(literalRepetitions)
        ->ReportAggregatesOnly(true);
}

void RegisterAll()
{
    for (const CBenchCase& benchCase : kCases) {
        const std::string& input = benchCase.m_pText();
        benchmark::RegisterBenchmark((std::string("Copy/") + benchCase.m_pName).c_str(),
                                     [&input](benchmark::State& state) {
                                         Measure(state, input.size(),
                                                 [&input] { return COutcome{input}; }, nullptr);
                                     })
            ->Unit(benchmark::kMillisecond);
    }

    const std::pair<const char*, const char*> filterRuns[] = {
        {"StripHtmlTags", "html"},
        {"StripCppComments", "c_crlf"},
        {"StripCppComments", "c_lf"},
        {"NormalizeReturnCodes", "lf_japanese"},
    };
    for (const auto& [filterName, caseName] : filterRuns) {
        const std::string filter = filterName;
        const std::string& input = Case(caseName).m_pText();
        FilterFunction fast = NormalizeReturnCodes;
        FilterFunction slow = LiteralNormalizeReturnCodes;
        if (filter == "StripHtmlTags") {
            fast = StripHtmlTags;
            slow = LiteralStripHtmlTags;
        } else if (filter == "StripCppComments") {
            fast = StripCppComments;
            slow = LiteralStripCppComments;
        }
        Register(filter + "/" + caseName, input.size(),
                 [fast, &input] { return RunFilter(fast, input); },
                 [slow, &input] { return RunFilter(slow, input); });
    }

    for (const char* caseName : {"prose", "punctuation"}) {
        const CBenchCase& benchCase = Case(caseName);
        Register(std::string("Convert/") + caseName, benchCase.m_pText().size(),
                 [&benchCase] { return RunConvert(benchCase, false); },
                 [&benchCase] { return RunConvert(benchCase, true); });
    }

    // The literal form compares every key at every position: seconds, so run once.
    ManyKeys();  // made once, before any timing
    Register("ManyKeys/prose_half", ProseHalf().size(), [] { return RunManyKeys(false); },
             [] { return RunManyKeys(true); }, 1);

    for (const CBenchCase& benchCase : kCases) {
        Register(std::string("Pipeline/") + benchCase.m_pName, benchCase.m_pText().size(),
                 [&benchCase] { return RunPipeline(benchCase, false); },
                 [&benchCase] { return RunPipeline(benchCase, true); });
    }
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
