// libchirpwell through its C interface only, against chirpwell-smile: the same
// arguments must give the same bytes and places, and every failure its code, its
// message and untouched outputs.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include <chirpwell/chirpwell.h>

#include "tests/fakes/WholeFiles.h"

namespace {

namespace fs = std::filesystem;

fs::path Source(const std::string& path) { return fs::path(CHIRPWELL_SOURCE_DIR) / path; }

struct Free {
    void operator()(chirpwell_options* options) const { chirpwell_options_destroy(options); }
    void operator()(chirpwell_set* set) const { chirpwell_set_destroy(set); }
    void operator()(chirpwell_result* result) const { chirpwell_result_destroy(result); }
    void operator()(chirpwell_smiler* smiler) const { chirpwell_smiler_destroy(smiler); }
    void operator()(char* message) const { chirpwell_free(message); }
};
template <typename T>
using Owned = std::unique_ptr<T, Free>;

// A result's places as chirpwell-smile --places writes them.
std::string PlacesText(const chirpwell_result* result)
{
    std::string text;
    for (size_t i = 0; i < chirpwell_result_place_count(result); ++i) {
        size_t position = 0;
        size_t size = 0;
        chirpwell_result_place(result, i, &position, &size);
        text += std::to_string(position) + " " + std::to_string(size) + "\n";
    }
    return text;
}

// What a call made, in the command's terms: its exit status, bytes and places.
struct COutcome {
    int m_nExit = -1;
    std::string m_strText;
    std::string m_strPlaces;
};

class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("chirpwell-lib-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Runs chirpwell-smile with args on text.
    COutcome Command(const std::vector<std::string>& args, const std::string& text)
    {
        WriteAll(m_dir / "in", text);
        std::string line = std::string(CHIRPWELL_SMILE_PATH) + " --places=" +
                           (m_dir / "places").string() + " -o " + (m_dir / "out").string();
        for (const std::string& arg : args)
            line += " '" + arg + "'";
        line += " < " + (m_dir / "in").string() + " 2>/dev/null";
        fs::remove(m_dir / "out");
        fs::remove(m_dir / "places");
        COutcome outcome;
        outcome.m_nExit = WEXITSTATUS(std::system(line.c_str()));
        outcome.m_strText = ReadAll(m_dir / "out");
        outcome.m_strPlaces = ReadAll(m_dir / "places");
        return outcome;
    }

    // Does what chirpwell-smile args does to text, through the library.
    static COutcome Library(const std::vector<std::string>& args, const std::string& text)
    {
        Owned<chirpwell_options> options(chirpwell_options_create());
        Owned<chirpwell_set> set(chirpwell_set_builtin());
        chirpwell_options_set_newlines(options.get(), 1);
        enum { Smile, Censor, Reverse } work = Smile;
        for (const std::string& arg : args) {
            const std::string value = arg.substr(arg.find('=') + 1);
            auto is = [&](const char* name) { return arg.rfind(name, 0) == 0; };
            chirpwell_code code = CHIRPWELL_OK;
            if (is("--frequency="))
                chirpwell_options_set_frequency(options.get(), std::stoi(value));
            else if (is("--seed="))
                chirpwell_options_set_seed(options.get(), std::stoul(value));
            else if (arg == "--html")
                chirpwell_options_set_html(options.get(), 1);
            else if (arg == "--comments")
                chirpwell_options_set_comments(options.get(), 1);
            else if (arg == "--keep-newlines")
                chirpwell_options_set_newlines(options.get(), 0);
            else if (arg == "--censor")
                work = Censor;
            else if (arg == "--reverse")
                work = Reverse;
            else if (is("--zenkaku="))
                code = chirpwell_options_set_censor_characters(options.get(), value.c_str(),
                                                               nullptr, nullptr);
            else if (is("--hankaku="))
                code = chirpwell_options_set_censor_characters(options.get(), nullptr,
                                                               value.c_str(), nullptr);
            else if (is("--encoding="))
                code = chirpwell_options_set_encoding(options.get(), value.c_str(), nullptr);
            else if (is("--output-encoding="))
                code = chirpwell_options_set_output_encoding(options.get(), value.c_str(), nullptr);
            else if (is("--smile-file=")) {
                chirpwell_set* loaded = nullptr;
                code = chirpwell_set_load_file(value.c_str(), nullptr, &loaded, nullptr);
                set.reset(loaded);
            } else
                ADD_FAILURE() << "no library call for " << arg;
            EXPECT_EQ(code, CHIRPWELL_OK) << arg;
        }
        chirpwell_result* made = nullptr;
        chirpwell_code code = CHIRPWELL_ERROR_ARGUMENT;
        if (work == Smile)
            code = chirpwell_smile(set.get(), options.get(), text.data(), text.size(), &made,
                                   nullptr);
        else if (work == Censor)
            code = chirpwell_censor(options.get(), text.data(), text.size(), &made, nullptr);
        else
            code = chirpwell_reverse(options.get(), text.data(), text.size(), &made, nullptr);
        Owned<chirpwell_result> result(made);
        COutcome outcome;
        outcome.m_nExit = code == CHIRPWELL_OK ? 0 : code == CHIRPWELL_TOO_LONG ? 1 : 2;
        // The command writes nothing unless it succeeds.
        if (code != CHIRPWELL_OK)
            return outcome;
        EXPECT_EQ(chirpwell_result_status(made), code);
        size_t length = 0;
        const char* bytes = chirpwell_result_text(made, &length);
        outcome.m_strText.assign(bytes, length);
        EXPECT_EQ(bytes[length], '\0');
        outcome.m_strPlaces = PlacesText(made);
        return outcome;
    }

    fs::path m_dir;
};

TEST_F(LibraryTest, SmilesCensorsAndReversesAsTheCommandDoes)
{
    const std::string sjis = ReadAll(Source("samples/sample.txt"));
    const std::string utf8 = ReadAll(Source("tests/data/sample.utf8"));
    const std::string html = "<p>今日は&lt;晴れ&gt;です。</p>\n/* 注 */明日も、雨です！\r\n";
    struct {
        std::string m_strText;
        std::vector<std::string> m_args;
    } const cases[] = {
        {sjis, {"--seed=1"}},
        {sjis, {"--frequency=100", "--seed=9"}},
        {sjis, {"--frequency=0", "--keep-newlines"}},
        {sjis, {"--frequency=60", "--seed=3", "--smile-file=" + Source("samples/kansai.grn").string()}},
        {sjis, {"--frequency=40", "--seed=4", "--output-encoding=utf-16"}},
        {utf8, {"--frequency=50", "--seed=5"}},
        {utf8, {"--frequency=50", "--seed=5", "--output-encoding=euc-jp"}},
        {ReadAll(Source("tests/data/sample.utf16")), {"--frequency=70", "--seed=6"}},
        {ReadAll(Source("tests/data/passwd.5.eucjp")), {"--frequency=30", "--seed=7"}},
        {ReadAll(Source("tests/data/sample.iso2022jp")), {"--frequency=30", "--seed=8"}},
        {ReadAll(Source("tests/data/jisx0213.sjis2004")),
         {"--frequency=90", "--seed=2", "--encoding=shift_jis-2004"}},
        {html, {"--frequency=100", "--seed=1", "--html", "--comments", "--encoding=utf-8"}},
        {html, {"--frequency=100", "--seed=1", "--keep-newlines", "--encoding=utf-8"}},
        {utf8, {"--censor", "--frequency=50", "--seed=2"}},
        {utf8, {"--censor", "--frequency=100", "--zenkaku=■", "--hankaku=#"}},
        {sjis, {"--reverse"}},
        {"", {"--seed=1"}},
        // More than the window's 524,287 bytes once smiled.
        {std::string(300000, '.') + std::string(120000, ' '), {"--frequency=100", "--seed=1"}},
    };
    for (const auto& row : cases) {
        std::string name;
        for (const std::string& arg : row.m_args)
            name += arg + " ";
        SCOPED_TRACE(name + std::to_string(row.m_strText.size()) + " bytes");
        const COutcome library = Library(row.m_args, row.m_strText);
        const COutcome command = Command(row.m_args, row.m_strText);
        EXPECT_EQ(library.m_nExit, command.m_nExit);
        EXPECT_TRUE(library.m_strText == command.m_strText);
        EXPECT_EQ(library.m_strPlaces, command.m_strPlaces);
    }
}

// Every failure: its code, a message that says what, and the outputs as they were.
TEST_F(LibraryTest, FailuresSayWhyAndTouchNothing)
{
    Owned<chirpwell_options> options(chirpwell_options_create());
    Owned<chirpwell_set> set(chirpwell_set_builtin());
    chirpwell_options* const o = options.get();
    const chirpwell_set* const s = set.get();
    chirpwell_result* const kUntouched = reinterpret_cast<chirpwell_result*>(0x1);
    chirpwell_result* result = kUntouched;
    chirpwell_set* loaded = nullptr;
    const std::string large(1048576, 'a');
    WriteAll(m_dir / "bad.grn", "。\n");
    struct {
        const char* m_pWhat;
        std::function<chirpwell_code(char**)> m_call;
        chirpwell_code m_eCode;
        const char* m_pMessage;
    } const cases[] = {
        {"zero byte", [&](char** m) { return chirpwell_smile(s, o, "あ\0い", 7, &result, m); },
         CHIRPWELL_ERROR_TEXT, "zero byte at byte 3"},
        {"UTF-32", [&](char** m) { return chirpwell_smile(s, o, "\xff\xfe\0\0a\0\0\0", 8, &result, m); },
         CHIRPWELL_ERROR_TEXT, "UTF-32LE"},
        {"too large", [&](char** m) { return chirpwell_reverse(o, large.data(), large.size(), &result, m); },
         CHIRPWELL_ERROR_TEXT, "larger than 1,048,575 bytes"},
        {"null text", [&](char** m) { return chirpwell_censor(o, nullptr, 3, &result, m); },
         CHIRPWELL_ERROR_ARGUMENT, "null"},
        {"null set", [&](char** m) { return chirpwell_smile(nullptr, o, "a", 1, &result, m); },
         CHIRPWELL_ERROR_ARGUMENT, "null"},
        {"null result", [&](char** m) { return chirpwell_smile(s, o, "a", 1, nullptr, m); },
         CHIRPWELL_ERROR_ARGUMENT, "result"},
        {"unknown encoding", [&](char** m) { return chirpwell_options_set_encoding(o, "klingon", m); },
         CHIRPWELL_ERROR_ARGUMENT, "klingon"},
        {"auto output", [&](char** m) { return chirpwell_options_set_output_encoding(o, "auto", m); },
         CHIRPWELL_ERROR_ARGUMENT, "auto"},
        {"two characters", [&](char** m) { return chirpwell_options_set_censor_characters(o, "●●", nullptr, m); },
         CHIRPWELL_ERROR_ARGUMENT, "●●"},
        {"half-width as full", [&](char** m) { return chirpwell_options_set_censor_characters(o, "*", nullptr, m); },
         CHIRPWELL_ERROR_ARGUMENT, "full-width"},
        {"full-width as half", [&](char** m) { return chirpwell_options_set_censor_characters(o, nullptr, "■", m); },
         CHIRPWELL_ERROR_ARGUMENT, "half-width"},
        {"no Shift_JIS form", [&](char** m) { return chirpwell_options_set_censor_characters(o, "😀", nullptr, m); },
         CHIRPWELL_ERROR_ARGUMENT, "😀"},
        {"no such smile file",
         [&](char** m) { return chirpwell_set_load_file((m_dir / "none.grn").c_str(), nullptr, &loaded, m); },
         CHIRPWELL_ERROR_READ, "none.grn"},
        {"smile file a folder",
         [&](char** m) { return chirpwell_set_load_file(m_dir.c_str(), nullptr, &loaded, m); },
         CHIRPWELL_ERROR_READ, "chirpwell-lib-"},
        {"bad smile line",
         [&](char** m) { return chirpwell_set_load_file((m_dir / "bad.grn").c_str(), nullptr, &loaded, m); },
         CHIRPWELL_ERROR_SMILE_FILE, "line 1"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.m_pWhat);
        char* message = nullptr;
        EXPECT_EQ(row.m_call(&message), row.m_eCode);
        ASSERT_NE(message, nullptr);
        EXPECT_NE(std::string(message).find(row.m_pMessage), std::string::npos) << message;
        chirpwell_free(message);
        // A caller may not want the message.
        EXPECT_EQ(row.m_call(nullptr), row.m_eCode);
        EXPECT_EQ(result, kUntouched);
        EXPECT_EQ(loaded, nullptr);
    }
}

// A text at the window's limits and past them, with the limits and without.
TEST_F(LibraryTest, LimitsHoldOnlyWhenOn)
{
    Owned<chirpwell_options> options(chirpwell_options_create());
    Owned<chirpwell_set> set(chirpwell_set_builtin());
    chirpwell_options_set_frequency(options.get(), 100);
    chirpwell_options_set_seed(options.get(), 1);
    const std::string text = std::string(2000000, 'a') + "です。";
    chirpwell_result* made = nullptr;
    EXPECT_EQ(chirpwell_smile(set.get(), options.get(), text.data(), text.size(), &made, nullptr),
              CHIRPWELL_ERROR_TEXT);
    EXPECT_EQ(made, nullptr);

    chirpwell_options_set_limits(options.get(), 0);
    ASSERT_EQ(chirpwell_smile(set.get(), options.get(), text.data(), text.size(), &made, nullptr),
              CHIRPWELL_OK);
    Owned<chirpwell_result> result(made);
    size_t length = 0;
    const char* bytes = chirpwell_result_text(made, &length);
    const std::string smiled(bytes, length);
    EXPECT_GT(smiled.size(), text.size());
    ASSERT_EQ(chirpwell_result_place_count(made), 1u);
    size_t position = 0;
    size_t size = 0;
    chirpwell_result_place(made, 0, &position, &size);
    EXPECT_EQ(position, 2000000u);
    EXPECT_EQ(smiled.substr(position, size), "ではありません。");
}

// The parts' results one after the other, places as the command writes them; the
// code of the first call that failed, and its message.
struct CStreamed {
    chirpwell_code m_eCode = CHIRPWELL_OK;
    std::string m_strMessage;
    std::string m_strText;
    std::string m_strPlaces;
};

CStreamed Stream(const chirpwell_set* set, const chirpwell_options* options,
                 const std::string& text, const std::vector<std::size_t>& cuts)
{
    CStreamed streamed;
    chirpwell_smiler* made = nullptr;
    EXPECT_EQ(chirpwell_smiler_create(set, options, &made, nullptr), CHIRPWELL_OK);
    Owned<chirpwell_smiler> smiler(made);
    std::size_t from = 0;
    for (std::size_t k = 0; k <= cuts.size(); ++k) {
        const bool last = k == cuts.size();
        const std::size_t to = last ? text.size() : cuts[k];
        chirpwell_result* part = nullptr;
        char* message = nullptr;
        chirpwell_code code =
            chirpwell_smiler_feed(smiler.get(), text.data() + from, to - from, &part, &message);
        from = to;
        if (code == CHIRPWELL_OK && last) {
            chirpwell_result_destroy(part);
            part = nullptr;
            code = chirpwell_smiler_finish(smiler.get(), &part, &message);
        }
        if (code != CHIRPWELL_OK) {
            streamed.m_eCode = code;
            streamed.m_strMessage = Owned<char>(message).get();
            EXPECT_EQ(part, nullptr);
            return streamed;
        }
        Owned<chirpwell_result> result(part);
        size_t length = 0;
        const char* bytes = chirpwell_result_text(part, &length);
        streamed.m_strText.append(bytes, length);
        streamed.m_strPlaces += PlacesText(part);
    }
    return streamed;
}


// A stream cut anywhere gives what one call on the whole text gives without limits.
TEST_F(LibraryTest, StreamsAsOneCallOnTheWholeText)
{
    Owned<chirpwell_set> builtIn(chirpwell_set_builtin());
    chirpwell_set* loaded = nullptr;
    ASSERT_EQ(chirpwell_set_load_file(Source("samples/emoji.grn").c_str(), nullptr, &loaded,
                                      nullptr),
              CHIRPWELL_OK);
    Owned<chirpwell_set> emoji(loaded);
    struct CRow {
        const char* m_pFile;
        const chirpwell_set* m_pSet;
        int m_nFrequency;
        bool m_bFilters;
        const char* m_pOutput;
    };
    const CRow rows[] = {
        {"samples/sample.txt", builtIn.get(), 100, false, nullptr},
        {"samples/sample.txt", emoji.get(), 60, true, "utf-8"},
        {"tests/data/fstab.5.utf8", builtIn.get(), 80, true, "shift_jis"},
    };
    std::mt19937 engine(22);
    for (const CRow& row : rows) {
        SCOPED_TRACE(row.m_pFile);
        const std::string text = ReadAll(Source(row.m_pFile));
        ASSERT_FALSE(text.empty());
        Owned<chirpwell_options> options(chirpwell_options_create());
        chirpwell_options_set_frequency(options.get(), row.m_nFrequency);
        chirpwell_options_set_seed(options.get(), 5);
        chirpwell_options_set_html(options.get(), row.m_bFilters);
        chirpwell_options_set_comments(options.get(), row.m_bFilters);
        chirpwell_options_set_limits(options.get(), 0);
        ASSERT_EQ(chirpwell_options_set_output_encoding(options.get(), row.m_pOutput, nullptr),
                  CHIRPWELL_OK);
        chirpwell_result* made = nullptr;
        ASSERT_EQ(chirpwell_smile(row.m_pSet, options.get(), text.data(), text.size(), &made,
                                  nullptr),
                  CHIRPWELL_OK);
        Owned<chirpwell_result> whole(made);
        size_t length = 0;
        const std::string places = PlacesText(made);
        ASSERT_NE(places, "");
        const char* bytes = chirpwell_result_text(made, &length);
        const std::string wholeText(bytes, length);
        std::vector<std::vector<std::size_t>> cutsToTry = {{}, {1}, {text.size() / 2 + 1}};
        std::vector<std::size_t> everyByte(text.size());
        std::iota(everyByte.begin(), everyByte.end(), 0);
        cutsToTry.push_back(everyByte);
        std::vector<std::size_t> random(50);
        for (std::size_t& cut : random)
            cut = engine() % text.size();
        std::sort(random.begin(), random.end());
        cutsToTry.push_back(random);
        for (const std::vector<std::size_t>& cuts : cutsToTry) {
            const CStreamed streamed = Stream(row.m_pSet, options.get(), text, cuts);
            EXPECT_EQ(streamed.m_eCode, CHIRPWELL_OK) << streamed.m_strMessage;
            EXPECT_EQ(streamed.m_strText, wholeText);
            EXPECT_EQ(streamed.m_strPlaces, places);
        }
    }
}

// A stream that fails says where, keeps what it gave and stays failed.
TEST_F(LibraryTest, StreamFailuresSayWhereAndLast)
{
    Owned<chirpwell_set> set(chirpwell_set_builtin());
    Owned<chirpwell_options> options(chirpwell_options_create());
    ASSERT_EQ(chirpwell_options_set_encoding(options.get(), "utf-8", nullptr), CHIRPWELL_OK);
    ASSERT_EQ(chirpwell_options_set_output_encoding(options.get(), "shift_jis", nullptr),
              CHIRPWELL_OK);
    struct CRow {
        std::string m_strText;
        chirpwell_code m_eCode;
        const char* m_pMessage;
    };
    const CRow rows[] = {
        {"一行目。\r\nabc\xff", CHIRPWELL_ERROR_TEXT, "not valid UTF-8 at 2:4"},
        {std::string("一行目。\r\nab\0", 17), CHIRPWELL_ERROR_TEXT, "zero byte at 2:3"},
        {"一行目。\r\n😊", CHIRPWELL_ERROR_UNENCODABLE, "U+1F60A at 2:1 cannot be written in "
                                                      "Shift_JIS"},
    };
    for (const CRow& row : rows) {
        SCOPED_TRACE(row.m_strText);
        const CStreamed streamed = Stream(set.get(), options.get(), row.m_strText, {3, 9});
        EXPECT_EQ(streamed.m_eCode, row.m_eCode);
        EXPECT_NE(streamed.m_strMessage.find(row.m_pMessage), std::string::npos)
            << streamed.m_strMessage;
    }

    chirpwell_smiler* made = nullptr;
    ASSERT_EQ(chirpwell_smiler_create(set.get(), options.get(), &made, nullptr), CHIRPWELL_OK);
    Owned<chirpwell_smiler> smiler(made);
    chirpwell_result* part = nullptr;
    EXPECT_EQ(chirpwell_smiler_feed(smiler.get(), nullptr, 3, &part, nullptr),
              CHIRPWELL_ERROR_ARGUMENT);
    // The fault comes out once the bytes after it have moved the stream on.
    const std::string bad = "\xff" + std::string(100000, 'a');
    EXPECT_EQ(chirpwell_smiler_feed(smiler.get(), bad.data(), bad.size(), &part, nullptr),
              CHIRPWELL_ERROR_TEXT);
    EXPECT_EQ(chirpwell_smiler_feed(smiler.get(), "a", 1, &part, nullptr), CHIRPWELL_ERROR_TEXT);
    EXPECT_EQ(chirpwell_smiler_finish(smiler.get(), &part, nullptr), CHIRPWELL_ERROR_TEXT);
    EXPECT_EQ(part, nullptr);

    ASSERT_EQ(chirpwell_smiler_create(set.get(), options.get(), &made, nullptr), CHIRPWELL_OK);
    smiler.reset(made);
    ASSERT_EQ(chirpwell_smiler_finish(smiler.get(), &part, nullptr), CHIRPWELL_OK);
    Owned<chirpwell_result>(part).reset();
    EXPECT_EQ(chirpwell_smiler_finish(smiler.get(), &part, nullptr), CHIRPWELL_ERROR_ARGUMENT);
}

// Calls on handles of their own, one set shared, on threads at once.
TEST_F(LibraryTest, ThreadsShareASet)
{
    Owned<chirpwell_set> set(chirpwell_set_builtin());
    const std::string text = ReadAll(Source("tests/data/sample.utf8"));
    auto smile = [&](std::string& out) {
        Owned<chirpwell_options> options(chirpwell_options_create());
        chirpwell_options_set_frequency(options.get(), 80);
        chirpwell_options_set_seed(options.get(), 42);
        for (int round = 0; round < 20; ++round) {
            chirpwell_result* made = nullptr;
            if (chirpwell_smile(set.get(), options.get(), text.data(), text.size(), &made,
                                nullptr) != CHIRPWELL_OK)
                return;
            size_t length = 0;
            const char* bytes = chirpwell_result_text(made, &length);
            out.assign(bytes, length);
            chirpwell_result_destroy(made);
        }
    };
    std::vector<std::string> outs(4);
    std::vector<std::thread> threads;
    for (std::string& out : outs)
        threads.emplace_back(smile, std::ref(out));
    for (std::thread& thread : threads)
        thread.join();
    std::string alone;
    smile(alone);
    ASSERT_NE(alone, text);
    for (const std::string& out : outs)
        EXPECT_TRUE(out == alone);
}

}  // namespace
