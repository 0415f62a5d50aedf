#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

struct CRun {
    int m_nExit = -1;
    std::string m_strOut;
    std::string m_strErr;
};

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteAll(const fs::path& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
}

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

    CRun Run(std::vector<std::string> args, const std::string& input = std::string())
    {
        const fs::path in = File("stdin", input);
        const fs::path out = m_dir / "stdout";
        const fs::path err = m_dir / "stderr";
        args.insert(args.begin(), CHIRPWELL_SMILE_PATH);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(::open(in.c_str(), O_RDONLY), 0);
            ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
            ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
            std::vector<char*> argv;
            for (std::string& arg : args)
                argv.push_back(arg.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        CRun run;
        run.m_nExit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.m_strOut = ReadAll(out);
        run.m_strErr = ReadAll(err);
        return run;
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
    EXPECT_NE(failed.m_strErr.find("第2行で読み込みエラーが起きました。"), std::string::npos);
    EXPECT_NE(failed.m_strErr.find("設定ファイルのロードに失敗しました。"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_dir / "out"));

    const CRun missing = Run({"-s", (m_dir / "none.grn").string()}, "a");
    EXPECT_EQ(missing.m_nExit, 2);
    EXPECT_NE(missing.m_strErr.find("No such file"), std::string::npos);
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
    EXPECT_NE(run.m_strErr.find("文字列の長さが限界を超えました。この変換は無効です。"),
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
    EXPECT_NE(tooLarge.m_strErr.find("ﾌｧｲﾙが大きすぎて開けません。"), std::string::npos);

    const CRun zero = Run({}, std::string("ab\0c", 4));
    EXPECT_EQ(zero.m_nExit, 2);
    EXPECT_NE(zero.m_strErr.find("zero byte at byte 2"), std::string::npos);

    EXPECT_EQ(Run({(m_dir / "absent.txt").string()}).m_nExit, 2);
    const CRun folder = Run({m_dir.string()});
    EXPECT_EQ(folder.m_nExit, 2);
    EXPECT_NE(folder.m_strErr.find("Is a directory"), std::string::npos);
}

TEST_F(SmileCliTest, Utf8FaultsNameLineAndColumn)
{
    const CRun invalid = Run({"--utf8"}, "ok\nあい\xFF");
    EXPECT_EQ(invalid.m_nExit, 2);
    EXPECT_NE(invalid.m_strErr.find(":2:3: invalid UTF-8"), std::string::npos) << invalid.m_strErr;

    const CRun lacking = Run({"--utf8"}, "a€");
    EXPECT_EQ(lacking.m_nExit, 2);
    EXPECT_NE(lacking.m_strErr.find(":1:2: the character U+20AC"), std::string::npos)
        << lacking.m_strErr;

    // "B" matches the second byte of 。 (0x81 0x42); "!" cannot follow a lead byte.
    const fs::path rules = File("split.grn", "r B !\n");
    const CRun split = Run({"--utf8", "-f", "100", "-s", rules.string()}, "。");
    EXPECT_EQ(split.m_nExit, 2);
    EXPECT_EQ(split.m_strOut, "");

    const CRun zenkaku = Run({"--censor", "--zenkaku=€"}, "a");
    EXPECT_EQ(zenkaku.m_nExit, 2);
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
