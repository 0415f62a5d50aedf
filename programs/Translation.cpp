#include "programs/Translation.h"

#include <clocale>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include <langinfo.h>
#include <libintl.h>

#include "engine/BuildFacts.h"


namespace {

constexpr char kDomain[] = "chirpwell";
bool g_bTranslating = false;

// The catalogues' folder. A package is built with one prefix from a build made with
// another, so the installed folder is found from the program's folder first; in the
// build tree the programs sit one folder below the catalogues' "locale".
std::string LocaleFolder()
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        for (const char* relative : {kLocaleFromPrograms, "../locale"}) {
            const fs::path folder = (program.parent_path() / relative).lexically_normal();
            if (fs::is_directory(folder, error))
                return folder.string();
        }
    }
    return kLocaleFolder;
}

}  // namespace

void InitTranslation()
{
    // Only these two follow the locale: everything else reads and writes its
    // texts in encodings of its own, and compares names as ASCII.
    std::setlocale(LC_CTYPE, "");
    std::setlocale(LC_MESSAGES, "");
    // Messages are written in UTF-8 whatever the terminal takes, so a locale of
    // another character set would get Japanese it cannot show; strerror's texts
    // follow LC_MESSAGES too.
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
        std::setlocale(LC_MESSAGES, "C");
        return;
    }
    const std::string folder = LocaleFolder();
    g_bTranslating = bindtextdomain(kDomain, folder.c_str()) != nullptr &&
                     bind_textdomain_codeset(kDomain, "UTF-8") != nullptr;
}

const char* Tr(const char* english)
{
    return g_bTranslating ? dgettext(kDomain, english) : english;
}
