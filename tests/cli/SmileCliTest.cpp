#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/fakes/WholeFiles.h"

namespace {

namespace fs = std::filesystem;

struct CRun {
    int m_nExit = -1;
    std::string m_strOut;
    std::string m_strErr;
};

// Runs chirpwell-smile with the arguments, feeding input on standard input.
class SmileCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("chirpwell-cli-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path File(const std::string& name, const std::string& content)
    {
        const fs::path path = m_dir / name;
        WriteAll(path, content);
        return path;
    }

    // How a run is started, beyond its arguments.
    struct CSetup {
        std::string m_strInput;                // standard input, from a file
        std::string m_strPipe;                 // descriptor 3, a pipe; small enough to fit
        std::string m_strStdout;               // standard output's file; empty: read back
        std::vector<std::string> m_through;    // a program the run goes through
        std::string m_strProgram = CHIRPWELL_SMILE_PATH;
    };

    CRun Run(std::vector<std::string> args, const std::string& input = std::string())
    {
        CSetup setup;
        setup.m_strInput = input;
        return Run(std::move(args), setup);
    }

    CRun Run(std::vector<std::string> args, const CSetup& setup)
    {
        const fs::path in = File("stdin", setup.m_strInput);
        const fs::path out = setup.m_strStdout.empty() ? m_dir / "stdout" : fs::path(setup.m_strStdout);
        const fs::path err = m_dir / "stderr";
        args.insert(args.begin(), setup.m_strProgram);
        args.insert(args.begin(), setup.m_through.begin(), setup.m_through.end());
        int pipe[2];
        if (::pipe(pipe) != 0)
            return CRun();
        const bool written = ::write(pipe[1], setup.m_strPipe.data(), setup.m_strPipe.size()) ==
                             static_cast<ssize_t>(setup.m_strPipe.size());
        ::close(pipe[1]);
        if (!written)
            return CRun();
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(::open(in.c_str(), O_RDONLY), 0);
            ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
            ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
            ::dup2(pipe[0], 3);
            std::vector<char*> argv;
            for (std::string& arg : args)
                argv.push_back(arg.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(pipe[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        CRun run;
        run.m_nExit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.m_strOut = setup.m_strStdout.empty() ? ReadAll(out) : std::string();
        run.m_strErr = ReadAll(err);
        return run;
    }

    // The names in the test's folder but the run's own streams.
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(m_dir)) {
            const std::string name = entry.path().filename().string();
            if (name != "stdin" && name != "stdout" && name != "stderr")
                names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_dir;
};

// CP932 bytes of the texts the tests use.
const std::string kDesu = "\x82\xC5\x82\xB7\x81\x42";                         // です。
const std::string kMaru = "\x81\x42";                                         // 。
const std::string kTen = "\x81\x41";                                          // 、
const std::string kWarai = "\x81\x69\x8F\xCE\x81\x6A\x81\x42";                // （笑）。
const std::string kAsekaki = "(^_^;)\x81\x41";                                // (^_^;)、
const std::string kDewaArimasen =
    "\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";      // ではありません。

}  // namespace

// Seed 1 gives 41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464,
// 5705, ... At 。 the four rules with that key draw 18467 % 1, 6334 % 2 = 0,
// 26500 % 3 = 1, 19169 % 4 = 1: the second, "（笑）。", is taken. At 、 (15724 % 100 =
// 24 passes 50) the four 、 rules draw 11478 % 1, 29358 % 2 = 0, 26962 % 3 = 1,
// 24464 % 4 = 0: the fourth, "(^_^;)、".
TEST_F(SmileCliTest, SeedFixesTheChoicesAndPlaces)
{
    const fs::path places = m_dir / "places";
    const CRun run = Run({"--seed=1", "-f", "50", "--places=" + places.string()}, kMaru + kTen);
    EXPECT_EQ(run.m_nExit, 0) << run.m_strErr;
    EXPECT_EQ(run.m_strOut, kWarai + kAsekaki);
    EXPECT_EQ(ReadAll(places), "0 8\n8 8\n");
}

TEST_F(SmileCliTest, WholeKeyIsReplacedAndItsReplacementNotSmiledAgain)
{
    const CRun run = Run({"--seed=1", "--frequency=100"}, kDesu);
    EXPECT_EQ(run.m_nExit, 0) << run.m_strErr;
    EXPECT_EQ(run.m_strOut, kDewaArimasen);
}

TEST_F(SmileCliTest, FiltersRunInOrderBeforeTheSmile)
{
    const CRun run = Run({"--seed=1", "-f", "0", "--html", "--comments"},
                         "<b>x</b>&lt;/*c*/y\nz");
    EXPECT_EQ(run.m_nExit, 0) << run.m_strErr;
    EXPECT_EQ(run.m_strOut, "x<y\r\nz");

    const CRun kept = Run({"-f", "0", "--keep-newlines"}, "a\nb\rc");
    EXPECT_EQ(kept.m_strOut, "a\nb\rc");
}

TEST_F(SmileCliTest, Utf8InputAndOutput)
{
    const CRun run = Run({"--utf8", "--seed=1", "-f", "100"}, "です。");
    EXPECT_EQ(run.m_nExit, 0) << run.m_strErr;
    EXPECT_EQ(run.m_strOut, "ではありません。");
}

TEST_F(SmileCliTest, CensorAndReverseKeepLineBreaks)
{
    // At frequency 100 every draw passes r <= 100.
    const CRun censor = Run({"--censor", "-f", "100", "--utf8", "--zenkaku=■"}, "テスト a\r\n　b");
    EXPECT_EQ(censor.m_nExit, 0) << censor.m_strErr;
    EXPECT_EQ(censor.m_strOut, "■■■ *\r\n　*");

    const CRun reverse = Run({"--reverse", "--places=" + (m_dir / "p").string()}, "ab\r\ncd");
    EXPECT_EQ(reverse.m_nExit, 0) << reverse.m_strErr;
    EXPECT_EQ(reverse.m_strOut, "dc\r\nba");
    EXPECT_EQ(ReadAll(m_dir / "p"), "");
}

TEST_F(SmileCliTest, SmileFileRulesAndItsLineError)
{
    const fs::path good = File("good.grn", "c comment\r\nr a bb\r\ns |\r\nd|c\n");
    const CRun run = Run({"-f", "100", "--seed=9", "-s", good.string()}, "xacx");
    EXPECT_EQ(run.m_nExit, 0) << run.m_strErr;
    EXPECT_EQ(run.m_strOut, "xbbx");

    const fs::path bad = File("bad.grn", "r a b\n r c d\n");
    const CRun failed = Run({"-s", bad.string(), "-o", (m_dir / "out").string()}, "a");
    EXPECT_EQ(failed.m_nExit, 2);
    EXPECT_NE(failed.m_strErr.find("bad.grn: read error on line 2\n"), std::string::npos);
    EXPECT_NE(failed.m_strErr.find("chirpwell-smile: the smile file could not be loaded\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_dir / "out"));

    const CRun missing = Run({"-s", (m_dir / "none.grn").string()}, "a");
    EXPECT_EQ(missing.m_nExit, 2);
    EXPECT_NE(missing.m_strErr.find("No such file"), std::string::npos);
}

// -s /dev/zero read until memory ran out. A pipe is fine, as from <(command).
TEST_F(SmileCliTest, SmileFileIsARegularFileOrPipeUpToTheTextLimit)
{
    const CRun device = Run({"-s", "/dev/zero"}, "a");
    EXPECT_EQ(device.m_nExit, 2);
    EXPECT_EQ(device.m_strErr, "chirpwell-smile: /dev/zero: not a regular file or a pipe\n"
                               "chirpwell-smile: the smile file could not be loaded\n");

    const fs::path large = File("large.grn", std::string(1048576, 'c'));
    const CRun tooLarge = Run({"-s", large.string()}, "a");
    EXPECT_EQ(tooLarge.m_nExit, 2);
    EXPECT_NE(tooLarge.m_strErr.find("large.grn: larger than 1,048,575 bytes\n"), std::string::npos)
        << tooLarge.m_strErr;

    // "r a b", then a comment line that fills the file to the limit.
    const fs::path limit = File("limit.grn", "r a b\n" + std::string(1048575 - 6, 'c'));
    const CRun atLimit = Run({"-f", "100", "-s", limit.string()}, "a");
    EXPECT_EQ(atLimit.m_nExit, 0) << atLimit.m_strErr;
    EXPECT_EQ(atLimit.m_strOut, "b");

    CSetup piped;
    piped.m_strInput = "a";
    piped.m_strPipe = "r a p\n";
    const CRun pipe = Run({"-f", "100", "-s", "/dev/fd/3"}, piped);
    EXPECT_EQ(pipe.m_nExit, 0) << pipe.m_strErr;
    EXPECT_EQ(pipe.m_strOut, "p");
}

TEST_F(SmileCliTest, TooLongSmileWritesNothing)
{
    const fs::path rules = File("grow.grn", "r a bb\n");
    const fs::path out = m_dir / "out";
    const fs::path places = m_dir / "places";
    const CRun run = Run({"-f", "100", "-s", rules.string(), "-o", out.string(),
                          "--places=" + places.string()},
                         std::string(524287, 'a'));
    EXPECT_EQ(run.m_nExit, 1);
    EXPECT_NE(run.m_strErr.find(
                  "the smiled text would be longer than 524,287 bytes; nothing is converted"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(places));
}

TEST_F(SmileCliTest, InputLimits)
{
    // A text at the view's limit is read, but it is past what a smile may reach.
    const fs::path atLimit = File("limit.txt", std::string(1048575, 'x'));
    EXPECT_EQ(Run({"--keep-newlines", atLimit.string()}).m_nExit, 1);

    const fs::path over = File("over.txt", std::string(1048576, 'x'));
    const CRun tooLarge = Run({over.string()});
    EXPECT_EQ(tooLarge.m_nExit, 2);
    EXPECT_NE(tooLarge.m_strErr.find(
                  "over.txt: the file is too large to open (larger than 1,048,575 bytes)\n"), std::string::npos);

    const CRun zero = Run({}, std::string("ab\0c", 4));
    EXPECT_EQ(zero.m_nExit, 2);
    EXPECT_NE(zero.m_strErr.find("zero byte at byte 2"), std::string::npos);

    // A named pipe has no size to read ahead by: its bytes are taken as they come,
    // across the reads and up to the same limit as a file's.
    const fs::path fifo = m_dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::size_t m_nSize;
        int m_nExit;
    } piped[] = {{70001, 0}, {1048575, 1}, {1048576, 2}};
    for (const auto& row : piped) {
        const fs::path source = File("source.txt", std::string(row.m_nSize, 'x'));
        CSetup setup;
        const std::string feed = "cat '" + source.string() + "' > '" + fifo.string() + "' & ";
        setup.m_through = {"/bin/sh", "-c", feed + "exec \"$0\" \"$@\""};
        const CRun run = Run({"--keep-newlines", "-f", "0", fifo.string()}, setup);
        EXPECT_EQ(run.m_nExit, row.m_nExit) << row.m_nSize;
        if (row.m_nExit == 0) {
            EXPECT_EQ(run.m_strOut, ReadAll(source));
        }
    }

    EXPECT_EQ(Run({(m_dir / "absent.txt").string()}).m_nExit, 2);
    const CRun device = Run({"/dev/zero"});
    EXPECT_EQ(device.m_nExit, 2);
    EXPECT_NE(device.m_strErr.find("/dev/zero: not a regular file or a pipe"), std::string::npos);
    const CRun folder = Run({m_dir.string()});
    EXPECT_EQ(folder.m_nExit, 2);
    EXPECT_NE(folder.m_strErr.find("Is a directory"), std::string::npos);
}

TEST_F(SmileCliTest, EncodingsComeBackAndFaultsNameTheirPlace)
{
    // Every line end counts, CR, LF and CR LF alike; columns count characters.
    for (const char* text : {"ok\nあい\xFF", "ok\rあい\xFF", "ok\r\nあい\xFF"}) {
        const CRun invalid = Run({"--utf8"}, text);
        EXPECT_EQ(invalid.m_nExit, 2);
        EXPECT_NE(invalid.m_strErr.find(":2:3: not valid UTF-8"), std::string::npos)
            << invalid.m_strErr;
    }

    // Characters that CP932 lacks come back as they were.
    const CRun lacking = Run({"-f", "0"}, "a€〜😀\n");
    EXPECT_EQ(lacking.m_nExit, 0) << lacking.m_strErr;
    EXPECT_EQ(lacking.m_strOut, "a€〜😀\r\n");
    const CRun sjis = Run({"--output-encoding=SJIS", "-f", "0"}, "a\n€");
    EXPECT_EQ(sjis.m_nExit, 2);
    EXPECT_NE(sjis.m_strErr.find("U+20AC at 2:1 cannot be written in Shift_JIS"), std::string::npos)
        << sjis.m_strErr;
    EXPECT_EQ(sjis.m_strOut, "");
    const CRun noCharacter = Run({"--encoding=sjis", "--output-encoding=utf8", "-f", "0"}, "a\n\x80");
    EXPECT_EQ(noCharacter.m_nExit, 2);
    EXPECT_NE(noCharacter.m_strErr.find("bytes <80> at 2:1 are no character"), std::string::npos)
        << noCharacter.m_strErr;

    // EUC-JP is detected and written back: 〜丂ねこです。, the second of them JIS X 0212.
    const std::string euc = "\xA1\xC1\x8F\xB0\xA1\xA4\xCD\xA4\xB3\xA4\xC7\xA4\xB9\xA1\xA3";
    const CRun eucRun = Run({"-f", "0"}, euc);
    EXPECT_EQ(eucRun.m_strOut, euc);
    const CRun eucAsUtf8 = Run({"-f", "0", "--output-encoding=utf8"}, euc);
    EXPECT_EQ(eucAsUtf8.m_strOut, "〜丂ねこです。");

    // "B" matches the second byte of 。 (0x81 0x42) in Shift_JIS, but a smile never
    // splits a character of a UTF-8 text.
    const fs::path rules = File("split.grn", "r B !\n");
    const CRun split = Run({"--utf8", "-f", "100", "-s", rules.string()}, "。");
    EXPECT_EQ(split.m_nExit, 0) << split.m_strErr;
    EXPECT_EQ(split.m_strOut, "。");
    const CRun bytes = Run({"--encoding=sjis", "-f", "100", "-s", rules.string()}, "\x81\x42");
    EXPECT_EQ(bytes.m_strOut, "\x81!");

    // A character Shift_JIS lacks, or not one of the width the option stands for,
    // is refused rather than quietly replaced by the default.
    for (const char* option : {"--zenkaku=€", "--zenkaku=●●", "--zenkaku=*", "--hankaku=■",
                               "--hankaku=ab"}) {
        const CRun refused = Run({"--censor", "-f", "100", option}, "a");
        EXPECT_EQ(refused.m_nExit, 2) << option;
        EXPECT_EQ(refused.m_strOut, "") << option;
    }
    // The wave dash typed on Linux censors as itself in UTF-8 and as CP932's in
    // Shift_JIS.
    const CRun wave = Run({"--utf8", "--censor", "-f", "100", "--zenkaku=〜"}, "あい");
    EXPECT_EQ(wave.m_strOut, "〜〜");
    const CRun sjisWave =
        Run({"--encoding=sjis", "--censor", "-f", "100", "--zenkaku=〜"}, "\x82\xA0");
    EXPECT_EQ(sjisWave.m_strOut, "\x81\x60");
}

// Real documents in every encoding: an unsmiled run gives the file back byte for
// byte, and a smiled one the same characters as its UTF-8 form smiled alike.
TEST_F(SmileCliTest, EveryEncodingComesBackAndSmilesLikeItsUtf8Form)
{
    struct CDocument {
        const char* m_pFile;      // in tests/data
        const char* m_pEncoding;  // named, or auto
    };
    const CDocument documents[] = {
        {"sample.iso2022jp", "auto"},       {"passwd.5.iso2022jp", "auto"},
        {"sample.utf16", "auto"},           {"passwd.5.utf16", "auto"},
        {"jisx0213.sjis2004", "auto"},      {"jisx0213.eucjis2004", "auto"},
        {"passwd.5.sjis", "shift_jis-2004"}, {"fstab.5.eucjp", "euc-jis-2004"},
        {"fstab.5.eucjp", "auto"},          {"fstab.5.sjis", "auto"},
    };
    const std::string data = std::string(CHIRPWELL_SOURCE_DIR) + "/tests/data/";
    for (const CDocument& document : documents) {
        SCOPED_TRACE(document.m_pFile + std::string(" as ") + document.m_pEncoding);
        const std::string path = data + document.m_pFile;
        const std::string encoding = std::string("--encoding=") + document.m_pEncoding;
        const CRun same = Run({encoding, "-f", "0", "--keep-newlines", path});
        EXPECT_EQ(same.m_nExit, 0) << same.m_strErr;
        EXPECT_EQ(same.m_strOut, ReadAll(path));
        const std::string base = path.substr(0, path.rfind('.'));
        const CRun smiled = Run({encoding, "-f", "30", "--seed=7", "--output-encoding=utf-8", path});
        const CRun utf8 = Run({"-f", "30", "--seed=7", base + ".utf8"});
        EXPECT_EQ(smiled.m_strOut, utf8.m_strOut);
        EXPECT_NE(utf8.m_strOut, ReadAll(base + ".utf8"));
    }
    // A byte-order mark of UTF-32 is named, not taken for a zero byte.
    const CRun utf32 = Run({}, std::string("\xFF\xFE\0\0a\0\0\0", 8));
    EXPECT_EQ(utf32.m_nExit, 2);
    EXPECT_NE(utf32.m_strErr.find("UTF-32LE by its byte-order mark"), std::string::npos)
        << utf32.m_strErr;
}

TEST_F(SmileCliTest, AShiftJisFilesUnassignedPairsStayItsOwnBytes)
{
    // テスト, the unassigned pair 81 AD, です。: a smile file's emoji takes another code.
    const std::string holes = "\x83\x65\x83\x58\x83\x67\x81\xAD\x82\xC5\x82\xB7\x81\x42\r\n";
    const fs::path input = File("holes.txt", holes);
    const std::string emoji = std::string(CHIRPWELL_SOURCE_DIR) + "/samples/emoji.grn";
    const CRun kept = Run({"--encoding=shift_jis", "-f", "0", "--keep-newlines", "-s", emoji,
                           input.string()});
    EXPECT_EQ(kept.m_nExit, 0) << kept.m_strErr;
    EXPECT_EQ(kept.m_strOut, holes);
    const CRun asUtf8 = Run({"--encoding=shift_jis", "-f", "0", "--output-encoding=utf-8", "-s",
                             emoji, input.string()});
    EXPECT_EQ(asUtf8.m_nExit, 2);
    EXPECT_NE(asUtf8.m_strErr.find("bytes <81><AD> at 1:4 are no character"), std::string::npos)
        << asUtf8.m_strErr;
    // Smiled with the emoji, the file writes the emoji's code but not the pair.
    const fs::path smiled = m_dir / "smiled.txt";
    const CRun smile = Run({"--seed=1", "-f", "100", "--keep-newlines", "-s", emoji, "--encoding=sjis",
                            "--output-encoding=utf-8", "-o", smiled.string(), input.string()});
    EXPECT_EQ(smile.m_nExit, 2);
    EXPECT_NE(smile.m_strErr.find("<81><AD>"), std::string::npos) << smile.m_strErr;
}

TEST_F(SmileCliTest, PlacesCountBytesOfTheResultAsWritten)
{
    // r 。 ！。 in a UTF-8 smile file; at frequency 100 the one 。 always smiles.
    const fs::path rules = File("bang.grn", "r 。 ！。\n");
    const fs::path places = m_dir / "places";
    const CRun run = Run({"-f", "100", "-s", rules.string(), "--places=" + places.string()},
                         "\xEF\xBB\xBFあ。");
    EXPECT_EQ(run.m_nExit, 0) << run.m_strErr;
    EXPECT_EQ(run.m_strOut, "\xEF\xBB\xBFあ！。");
    EXPECT_EQ(ReadAll(places), "6 6\n");
    // The same smile in Shift_JIS counts two bytes a character.
    const CRun sjis = Run({"-f", "100", "-s", rules.string(), "--places=" + places.string(),
                           "--smile-encoding=utf-8", "--output-encoding=cp932"},
                          "\xEF\xBB\xBFあ。");
    EXPECT_EQ(sjis.m_strOut, "\x82\xA0\x81\x49\x81\x42");
    EXPECT_EQ(ReadAll(places), "2 4\n");
    // In Shift_JIS a key may match from a character's second byte: ＝ is 81 81, and
    // "。" matches 81 42 from its second byte. The place is the engine's.
    const fs::path maru = File("maru.grn", "r 。 ！。\n");
    const CRun second = Run({"--encoding=sjis", "-f", "100", "--keep-newlines", "-s", maru.string(),
                             "--places=" + places.string()},
                            "ab\x81\x81" "Bc");
    EXPECT_EQ(second.m_strOut, "ab\x81\x81\x49\x81\x42" "c");
    EXPECT_EQ(ReadAll(places), "3 4\n");
}

TEST_F(SmileCliTest, BadUsage)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"-f", "abc"},
             {"--frequency="},
             {"--seed=4294967296"},
             {"--seed=-1"},
             {"--censor", "--reverse"},
             {"--reverse", "--html"},
             {"--no-such-option"},
             {"--encoding=latin1"},
             {"--output-encoding=auto"},
             {"a", "b"},
             {"-o"},
         }) {
        const CRun run = Run(args, "x");
        EXPECT_EQ(run.m_nExit, 2) << args[0];
        EXPECT_EQ(run.m_strOut, "") << args[0];
        EXPECT_NE(run.m_strErr.find("--help"), std::string::npos) << args[0];
    }
    EXPECT_EQ(Run({"--seed=4294967295", "-f", "-5"}, "x").m_nExit, 0);
    EXPECT_EQ(Run({"--version"}).m_strOut, "chirpwell-smile 4.02\n");
    // Help that cannot be written is a failure.
    CSetup full;
    full.m_strStdout = "/dev/full";
    for (const char* option : {"--help", "--version"})
        EXPECT_EQ(Run({option}, full).m_nExit, 2) << option;
}

TEST_F(SmileCliTest, OutputFileReplacedWholeOrLeftAlone)
{
    const fs::path out = File("out", "old");
    EXPECT_EQ(Run({"-f", "0", "-o", out.string()}, "new").m_nExit, 0);
    EXPECT_EQ(ReadAll(out), "new");

    const CRun failed = Run({"-o", (m_dir / "no" / "such" / "dir").string()}, "x");
    EXPECT_EQ(failed.m_nExit, 2);
    EXPECT_EQ(failed.m_strOut, "");
}

TEST_F(SmileCliTest, OutputFollowsLinksAndWritesDevicesInPlace)
{
    const fs::path target = File("target", "old");
    fs::create_symlink("target", m_dir / "link");
    EXPECT_EQ(Run({"-f", "0", "-o", (m_dir / "link").string()}, "new").m_nExit, 0);
    EXPECT_TRUE(fs::is_symlink(m_dir / "link"));
    EXPECT_EQ(ReadAll(target), "new");
    // A link to nothing yet makes its target.
    fs::create_symlink("made", m_dir / "dangling");
    EXPECT_EQ(Run({"-f", "0", "-o", (m_dir / "dangling").string()}, "x").m_nExit, 0);
    EXPECT_TRUE(fs::is_symlink(m_dir / "dangling"));
    EXPECT_EQ(ReadAll(m_dir / "made"), "x");

    // As root, -o /dev/null would have replaced /dev/null: a device of the same
    // kind stands in for it.
    const fs::path device = m_dir / "null";
    if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
        GTEST_SKIP() << "making a device needs root";
    const CRun run = Run({"-f", "0", "-o", device.string(), "--places=" + device.string() + "2"},
                         "into the device");
    EXPECT_EQ(run.m_nExit, 0) << run.m_strErr;
    struct stat status;
    ASSERT_EQ(::lstat(device.c_str(), &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
    EXPECT_EQ(status.st_rdev, ::makedev(1, 3));
}

// -o adir --places=p.txt used to replace p.txt before failing, and --places=adir
// failed after the result had gone to standard output.
TEST_F(SmileCliTest, SecondTargetThatFailsChangesNothing)
{
    const fs::path out = File("out", "old");
    const fs::path places = File("p.txt", "old places");
    fs::create_directory(m_dir / "adir");
    const std::vector<std::string> before = Names();

    const CRun directory = Run({"-f", "0", "--places=" + places.string(), "-o", (m_dir / "adir").string()}, "new");
    EXPECT_EQ(directory.m_nExit, 2);
    EXPECT_NE(directory.m_strErr.find("adir: Is a directory"), std::string::npos);
    const CRun toStdout = Run({"-f", "0", "--places=" + (m_dir / "adir").string()}, "new");
    EXPECT_EQ(toStdout.m_nExit, 2);
    EXPECT_EQ(toStdout.m_strOut, "");
    CSetup full;
    full.m_strInput = "new";
    full.m_strStdout = "/dev/full";
    const CRun stdoutFails = Run({"-f", "0", "--places=" + places.string()}, full);
    EXPECT_EQ(stdoutFails.m_nExit, 2);
    EXPECT_NE(stdoutFails.m_strErr.find("standard output: No space left"), std::string::npos);

    EXPECT_EQ(ReadAll(out), "old");
    EXPECT_EQ(ReadAll(places), "old places");
    EXPECT_EQ(Names(), before);
}

TEST_F(SmileCliTest, PlacesMayNotNameAFileTheRunReadsOrWrites)
{
    const fs::path input = File("in.txt", "ab");
    const fs::path smile = File("s.grn", "r a b\n");
    const fs::path out = File("out", "old");
    fs::create_symlink("in.txt", m_dir / "in-link");
    const std::string dot = (m_dir / "." / "s.grn").string();
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {input.string(), "--places=" + (m_dir / "in-link").string()},
             {"-s", smile.string(), "--places=" + dot},
             {"-o", out.string(), "--places=" + out.string()},
             {"-o", (m_dir / "new").string(), "--places=" + (m_dir / "new").string()},
         }) {
        const CRun run = Run(args, "x");
        EXPECT_EQ(run.m_nExit, 2) << args[1];
        EXPECT_NE(run.m_strErr.find("--places names"), std::string::npos) << run.m_strErr;
        EXPECT_NE(run.m_strErr.find("--help"), std::string::npos) << args[1];
    }
    EXPECT_EQ(ReadAll(input), "ab");
    EXPECT_EQ(ReadAll(smile), "r a b\n");
    EXPECT_EQ(ReadAll(out), "old");
    EXPECT_FALSE(fs::exists(m_dir / "new"));

    // -o may name the input, which it replaces whole, as sort -o does.
    EXPECT_EQ(Run({"--reverse", "-o", input.string(), input.string()}).m_nExit, 0);
    EXPECT_EQ(ReadAll(input), "ba");
}

// The tests run as root, who may write anything; an ordinary user may not.
TEST_F(SmileCliTest, OrdinaryUserIsRefusedWhatTheyCouldNotWrite)
{
    if (::geteuid() != 0 || !fs::exists("/usr/bin/setpriv"))
        GTEST_SKIP() << "needs root and setpriv to run as another user";
    // The build folder may sit under a home that others cannot enter.
    fs::permissions(m_dir, fs::perms(0755));
    CSetup nobody;
    nobody.m_strInput = "new";
    nobody.m_strProgram = (m_dir / "chirpwell-smile").string();
    nobody.m_through = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    fs::copy_file(CHIRPWELL_SMILE_PATH, nobody.m_strProgram);

    // A read-only file in the user's own folder, which a rename could replace.
    const fs::path own = m_dir / "own";
    fs::create_directory(own);
    const fs::path readOnly = own / "ro.txt";
    WriteAll(readOnly, "old");
    ASSERT_EQ(::chown(own.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(readOnly.c_str(), 65534, 65534), 0);
    fs::permissions(readOnly, fs::perms(0444));
    const CRun refused = Run({"-f", "0", "-o", readOnly.string()}, nobody);
    EXPECT_EQ(refused.m_nExit, 2);
    EXPECT_NE(refused.m_strErr.find("ro.txt: Permission denied"), std::string::npos)
        << refused.m_strErr;
    EXPECT_EQ(ReadAll(readOnly), "old");

    // A file the user may write, in root's folder: written in place, root's still.
    const fs::path shared = File("shared.txt", "old contents");
    fs::permissions(shared, fs::perms(0666));
    const CRun inPlace = Run({"-f", "0", "-o", shared.string()}, nobody);
    EXPECT_EQ(inPlace.m_nExit, 0) << inPlace.m_strErr;
    EXPECT_EQ(ReadAll(shared), "new");
    struct stat status;
    ASSERT_EQ(::stat(shared.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 0u);

    // A new file in root's folder is refused before anything is written.
    const CRun created = Run({"-f", "0", "-o", (m_dir / "new.txt").string()}, nobody);
    EXPECT_EQ(created.m_nExit, 2);
    EXPECT_FALSE(fs::exists(m_dir / "new.txt"));
}

// --stream gives what a whole run gives, past the input limit too, and when it stops
// midway, standard output keeps the start while files are left as they were.
TEST_F(SmileCliTest, StreamMatchesTheWholeRunAndStopsCleanly)
{
    std::string prose;
    while (prose.size() < 3000)
        prose += kDesu + kTen + "abc" + kMaru + "\r\n";
    const std::vector<std::string> smile = {"--seed=1", "-f", "60"};
    auto with = [&](std::vector<std::string> args, const std::vector<std::string>& more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const CRun whole = Run(with(smile, {"--places=" + (m_dir / "p1").string()}), prose);
    const CRun streamed =
        Run(with(smile, {"--stream", "--places=" + (m_dir / "p2").string()}), prose);
    ASSERT_EQ(whole.m_nExit, 0) << whole.m_strErr;
    EXPECT_EQ(streamed.m_nExit, 0) << streamed.m_strErr;
    EXPECT_EQ(streamed.m_strOut, whole.m_strOut);
    EXPECT_EQ(ReadAll(m_dir / "p2"), ReadAll(m_dir / "p1"));

    std::string large;
    while (large.size() <= 1048575)
        large += prose;
    EXPECT_EQ(Run(smile, large).m_nExit, 2);
    const CRun past = Run(with(smile, {"--stream"}), large);
    EXPECT_EQ(past.m_nExit, 0) << past.m_strErr;
    EXPECT_GT(past.m_strOut.size(), large.size());

    const std::string valid(200000, 'a');
    const std::string broken = valid + "\r\nab\xFF" + valid;
    const fs::path out = File("out", "old");
    fs::create_hard_link(File("linked", "old"), m_dir / "other-name");
    struct {
        std::vector<std::string> m_args;
        std::string m_strInput;
        const char* m_pError;
        bool m_bOutputStarts;  // standard output holds the input's start
    } const rows[] = {
        {{"--encoding=utf-8", "-f", "0"}, broken, "(standard input):2:3: not valid UTF-8", true},
        {{"--encoding=utf-8", "-f", "0", "-o", out.string()}, broken, "not valid UTF-8", false},
        {{"--comments", "--keep-newlines"}, "ab//" + std::string(17 << 20, 'x'),
         "a comment has been open for 16 MiB", false},
        {{"-o", (m_dir / "linked").string()}, prose, "--stream cannot do", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.m_pError);
        const CRun run = Run(with(row.m_args, {"--stream"}), row.m_strInput);
        EXPECT_EQ(run.m_nExit, 2);
        EXPECT_NE(run.m_strErr.find(row.m_pError), std::string::npos) << run.m_strErr;
        if (row.m_bOutputStarts) {
            EXPECT_EQ(run.m_strOut, valid.substr(0, run.m_strOut.size()));
        }
        EXPECT_EQ(row.m_bOutputStarts, !run.m_strOut.empty());
    }
    EXPECT_EQ(ReadAll(out), "old");
    EXPECT_EQ(ReadAll(m_dir / "linked"), "old");
    EXPECT_EQ(Names(), (std::vector<std::string>{"linked", "other-name", "out", "p1", "p2"}));
}
