#include "cli/SmileOptions.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <getopt.h>

#include "cli/Encoding.h"
#include "engine/BuildFacts.h"
#include "engine/text/TextFormat.h"
#include "programs/Translation.h"

namespace {

enum ELongOnly {
    kOptHtml = 256,
    kOptComments,
    kOptKeepNewlines,
    kOptSeed,
    kOptPlaces,
    kOptCensor,
    kOptReverse,
    kOptZenkaku,
    kOptHankaku,
    kOptUtf8,
    kOptEncoding,
    kOptOutputEncoding,
    kOptSmileEncoding,
    kOptStream,
    kOptVersion,
};

const option kLongOptions[] = {
    {"frequency", required_argument, nullptr, 'f'},
    {"smile-file", required_argument, nullptr, 's'},
    {"html", no_argument, nullptr, kOptHtml},
    {"comments", no_argument, nullptr, kOptComments},
    {"keep-newlines", no_argument, nullptr, kOptKeepNewlines},
    {"seed", required_argument, nullptr, kOptSeed},
    {"places", required_argument, nullptr, kOptPlaces},
    {"censor", no_argument, nullptr, kOptCensor},
    {"reverse", no_argument, nullptr, kOptReverse},
    {"zenkaku", required_argument, nullptr, kOptZenkaku},
    {"hankaku", required_argument, nullptr, kOptHankaku},
    {"utf8", no_argument, nullptr, kOptUtf8},
    {"encoding", required_argument, nullptr, kOptEncoding},
    {"output-encoding", required_argument, nullptr, kOptOutputEncoding},
    {"smile-encoding", required_argument, nullptr, kOptSmileEncoding},
    {"output", required_argument, nullptr, 'o'},
    {"stream", no_argument, nullptr, kOptStream},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kOptVersion},
    {nullptr, 0, nullptr, 0},
};

// A whole decimal number from low to high, nothing else.
bool ParseWhole(const char* text, long long low, long long high, long long& value)
{
    if (*text == '\0')
        return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return errno == 0 && *end == '\0' && value >= low && value <= high;
}

// An empty path would read as no path at all: standard input or output, the
// built-in set, no places.
bool NamesAFile(const char* path, const char* option, std::string& message)
{
    if (*path != '\0')
        return true;
    message = FormatMessage(Tr("empty file name for %1"), option);
    return false;
}

// The whole help is one message, so that a translation can lay it out anew.
const char* HelpText()
{
    return Tr(
        "Usage: chirpwell-smile [OPTION]... [FILE]\n"
        "Smile a Japanese text (Shift_JIS, UTF-8, EUC-JP, ISO-2022-JP, UTF-16 or the\n"
        "JIS X 0213 forms) as Chirpwell does when it opens a file, and write the result\n"
        "to standard output in the same encoding.\n"
        "With no FILE, or when FILE is -, read standard input.\n"
        "\n"
        "  -f, --frequency=N     smile frequency in percent (default 2)\n"
        "  -s, --smile-file=PATH use the smile set of a smile file (default: the built-in\n"
        "                        set)\n"
        "      --html            remove HTML tags and decode &lt; &gt; &quot; &amp; first\n"
        "      --comments        remove C and C++ comments first\n"
        "      --keep-newlines   leave line breaks as they are (by default every lone CR\n"
        "                        or LF becomes CR LF)\n"
        "      --seed=N          seed the random generator with N (0 to 4294967295)\n"
        "                        instead of the current time in seconds\n"
        "      --places=PATH     also write the smiled places, one \"POSITION LENGTH\" line\n"
        "                        each, in bytes of the result as written\n"
        "      --censor          censor each character at the frequency instead of\n"
        "                        smiling the text\n"
        "      --reverse         reverse the whole text instead of smiling it\n"
        "      --zenkaku=C       full-width censor character (default ●)\n"
        "      --hankaku=C       half-width censor character (default *)\n"
        "      --encoding=ENC    the input's encoding: auto (the default: detected),\n"
        "                        shift_jis, utf-8, euc-jp, iso-2022-jp, utf-16,\n"
        "                        utf-16le, utf-16be, shift_jis-2004 or euc-jis-2004\n"
        "                        (also sjis, cp932, utf8, eucjp, jis; any case)\n"
        "      --output-encoding=ENC  the result's encoding, as --encoding but auto\n"
        "                        (default: the input's)\n"
        "      --smile-encoding=ENC  the smile file's encoding, as --encoding\n"
        "      --utf8            the same as --encoding=utf-8\n"
        "  -o, --output=PATH     write the result to PATH instead of standard output\n"
        "      --stream          smile the text as it is read, of any size, writing the\n"
        "                        result as it comes (no size limit, no progress)\n"
        "  -h, --help            show this help and end\n"
        "      --version         show the version and end\n"
        "\n"
        "--censor and --reverse run no filters and use no smile file.\n"
        "Without --stream the input may have at most 1048575 bytes. With it the result\n"
        "is the same whatever the size of the pieces the input comes in; the encoding\n"
        "is detected from the first 64 KiB; an HTML tag or comment may stay open for\n"
        "16 MiB at most; -o and --places are written whole or not at all, and a file\n"
        "that would have to be rewritten in place is refused.\n"
        "Exit status: 0 done; 1 the smiled text would pass 524287 bytes; 2 bad usage,\n"
        "input that cannot be read, a result with a character the output encoding lacks,\n"
        "or a smile file that cannot be loaded. Nothing is written unless the status\n"
        "is 0, but for what --stream has written to standard output or a stream.\n");
}

}  // namespace

EParseResult ParseSmileOptions(int argc, char** argv, CSmileOptions& options,
                               std::string& message)
{
    bool censor = false;
    bool reverse = false;
    std::string smileOnly;  // an option that only smiling uses
    opterr = 0;
    // 0, not 1: GNU getopt then also forgets where it stopped in a group of short
    // options, so that the command line can be read more than once in a process.
    optind = 0;
    int code;
    while ((code = getopt_long(argc, argv, ":f:s:o:h", kLongOptions, nullptr)) != -1) {
        long long value = 0;
        switch (code) {
        case 'f':
            if (!ParseWhole(optarg, INT_MIN, INT_MAX, value)) {
                message = FormatMessage(Tr("the frequency must be a whole number: '%1'"), optarg);
                return EParseResult::BadUsage;
            }
            options.m_nFrequency = static_cast<int>(value);
            break;
        case 's':
            if (!NamesAFile(optarg, "-s/--smile-file", message))
                return EParseResult::BadUsage;
            options.m_strSmileFile = optarg;
            smileOnly = "--smile-file";
            break;
        case kOptHtml:
            options.m_bHtml = true;
            smileOnly = "--html";
            break;
        case kOptComments:
            options.m_bComments = true;
            smileOnly = "--comments";
            break;
        case kOptKeepNewlines:
            options.m_bKeepNewlines = true;
            smileOnly = "--keep-newlines";
            break;
        case kOptSeed:
            if (!ParseWhole(optarg, 0, 4294967295LL, value)) {
                message = FormatMessage(
                    Tr("the seed must be a whole number from 0 to 4294967295: '%1'"), optarg);
                return EParseResult::BadUsage;
            }
            options.m_bSeedGiven = true;
            options.m_nSeed = static_cast<std::uint32_t>(value);
            break;
        case kOptPlaces:
            if (!NamesAFile(optarg, "--places", message))
                return EParseResult::BadUsage;
            options.m_strPlaces = optarg;
            break;
        case kOptCensor:
            censor = true;
            break;
        case kOptReverse:
            reverse = true;
            break;
        case kOptZenkaku:
            options.m_strZenkaku = optarg;
            break;
        case kOptHankaku:
            options.m_strHankaku = optarg;
            break;
        case kOptUtf8:
            options.m_inputEncoding = EEncoding::Utf8;
            break;
        case kOptEncoding:
        case kOptOutputEncoding:
        case kOptSmileEncoding: {
            const bool output = code == kOptOutputEncoding;
            std::optional<EEncoding>& encoding =
                output ? options.m_outputEncoding
                       : code == kOptEncoding ? options.m_inputEncoding : options.m_smileEncoding;
            if (!EncodingByName(optarg, !output, encoding)) {
                message = FormatMessage(
                    output ? Tr("unknown encoding '%1' (see --help)")
                           : Tr("unknown encoding '%1' (auto, or see --help)"),
                    optarg);
                return EParseResult::BadUsage;
            }
            break;
        }
        case 'o':
            if (!NamesAFile(optarg, "-o/--output", message))
                return EParseResult::BadUsage;
            options.m_strOutput = optarg;
            break;
        case kOptStream:
            options.m_bStream = true;
            break;
        case 'h':
            message = HelpText();
            return EParseResult::Exit;
        case kOptVersion:
            message = std::string("chirpwell-smile ") + kVersion + "\n";
            return EParseResult::Exit;
        case ':':
            message = FormatMessage(Tr("option '%1' needs a value"), argv[optind - 1]);
            return EParseResult::BadUsage;
        default:
            message = FormatMessage(Tr("unknown option '%1'"), argv[optind - 1]);
            return EParseResult::BadUsage;
        }
    }
    if (censor && reverse) {
        message = Tr("--censor and --reverse cannot be used together");
        return EParseResult::BadUsage;
    }
    // Censoring and reversing take the whole text.
    if ((censor || reverse) && options.m_bStream) {
        message = FormatMessage(Tr("--stream smiles; it cannot be used with %1"),
                                censor ? "--censor" : "--reverse");
        return EParseResult::BadUsage;
    }
    if ((censor || reverse) && !smileOnly.empty()) {
        message = FormatMessage(Tr("%1 has no effect with %2"), smileOnly,
                                censor ? "--censor" : "--reverse");
        return EParseResult::BadUsage;
    }
    options.m_eMode = censor ? ECliMode::Censor : reverse ? ECliMode::Reverse : ECliMode::Smile;
    if (argc - optind > 1) {
        message = Tr("only one FILE may be given");
        return EParseResult::BadUsage;
    }
    if (optind < argc) {
        if (!NamesAFile(argv[optind], "FILE", message))
            return EParseResult::BadUsage;
        options.m_strInput = argv[optind];
    }
    return EParseResult::Run;
}
