// Smile files: the input is loaded as a file with LoadSmileFile and, line by line,
// given to ParseLine; both must end with the same smile set, and every rule must be
// filed and measured as it should.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <sys/mman.h>
#include <unistd.h>

#include "engine/smile/BuiltInSet.h"
#include "engine/smile/Converter.h"
#include "engine/smile/Random.h"
#include "engine/smilefiles/SmileFileReader.h"
#include "fuzz/FuzzSupport.h"
#include "programs/FixedClock.h"
#include "tests/fakes/FakeNotifier.h"

namespace {

// The file lives in memory, so runs touch no disk and leave nothing behind.
int MemoryFile(const std::string& content)
{
    const int fd = ::memfd_create("smile", 0);
    FUZZ_CHECK(fd >= 0);
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t written = ::write(fd, content.data() + done, content.size() - done);
        FUZZ_CHECK(written > 0);
        done += static_cast<std::size_t>(written);
    }
    return fd;
}

bool SameRules(const CRuleTable& left, const CRuleTable& right)
{
    if (left.Size() != right.Size())
        return false;
    for (unsigned byte = 0; byte < 256; ++byte) {
        const auto& leftList = left.Lookup(static_cast<unsigned char>(byte));
        const auto& rightList = right.Lookup(static_cast<unsigned char>(byte));
        if (leftList.size() != rightList.size())
            return false;
        for (std::size_t k = 0; k < leftList.size(); ++k) {
            if (leftList[k].m_strKey != rightList[k].m_strKey ||
                leftList[k].m_strReplacement != rightList[k].m_strReplacement)
                return false;
        }
    }
    return true;
}

void CheckFiling(const CRuleTable& table)
{
    std::size_t count = 0;
    for (unsigned byte = 0; byte < 256; ++byte) {
        for (const CSmileRule& rule : table.Lookup(static_cast<unsigned char>(byte))) {
            const unsigned first =
                rule.m_strKey.empty() ? 0 : static_cast<unsigned char>(rule.m_strKey[0]);
            FUZZ_CHECK(first == byte);
            FUZZ_CHECK(rule.m_nReplacementLength ==
                       static_cast<int>(rule.m_strReplacement.size()));
            ++count;
        }
    }
    FUZZ_CHECK(count == table.Size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CFixedClock clock;
    CRandom random(clock);

    CFakeNotifier fileNotifier;
    CConverter fromFile(fileNotifier, random);
    const int fd = MemoryFile(bytes);
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    const bool loaded = fromFile.LoadSmileFile(path);
    ::close(fd);
    CheckFiling(fromFile.RuleTable());

    // The lines are those of the file's text as the loader decodes it, through a
    // codec of its own that gives the same codes in the same order.
    CCodec codec;
    std::string content;
    CSmileFileFault fault;
    if (!DecodeSmileFile(bytes, std::nullopt, codec, content, fault)) {
        FUZZ_CHECK(!loaded && fromFile.RuleTable().Size() == 0 && !fromFile.HasSmileSet());
        FUZZ_CHECK(fileNotifier.m_messages.size() == 1);
        return 0;
    }
    FUZZ_CHECK(fromFile.m_strModeFilePath == path);

    // A path that cannot be opened leaves the state a load starts from.
    CFakeNotifier lineNotifier;
    CConverter byLines(lineNotifier, random);
    FUZZ_CHECK(!byLines.LoadSmileFile(""));
    FUZZ_CHECK(byLines.RuleTable().Size() == 0 && byLines.Separator() == " ");
    int badLine = 0;
    int lineNumber = 0;
    std::string_view rest = content;
    while (!rest.empty() && badLine == 0) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (end != std::string_view::npos && line.ends_with('\r'))
            line.remove_suffix(1);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        ++lineNumber;
        if (!byLines.ParseLine(line))
            badLine = lineNumber;
    }
    CheckFiling(byLines.RuleTable());

    FUZZ_CHECK(loaded == (badLine == 0));
    if (loaded) {
        FUZZ_CHECK(fileNotifier.m_messages.empty());
        FUZZ_CHECK(SameRules(fromFile.RuleTable(), byLines.RuleTable()));
        FUZZ_CHECK(fromFile.Name() == byLines.Name());
        FUZZ_CHECK(fromFile.Separator() == byLines.Separator());
    } else {
        CFakeNotifier expectedNotifier;
        CConverter expected(expectedNotifier, random);
        expected.LoadBuiltInSet();
        expected.ShowLineError(badLine);
        FUZZ_CHECK(fileNotifier.m_messages == expectedNotifier.m_messages);
        FUZZ_CHECK(SameRules(fromFile.RuleTable(), expected.RuleTable()));
        FUZZ_CHECK(fromFile.Name() == kBuiltInSetName);
    }
    return 0;
}
