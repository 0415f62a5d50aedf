#include "lib/LibraryTexts.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>

#include <dlfcn.h>
#include <libintl.h>

#include "lib/LibraryFacts.h"

namespace {

constexpr char kDomain[] = "libchirpwell";

// The catalogues' folder: from the library's own folder first, so that a library
// installed under another prefix, or one in the build tree, finds its own.
std::string LocaleFolder()
{
    namespace fs = std::filesystem;
    Dl_info info{};
    if (::dladdr(reinterpret_cast<const void*>(&LibTr), &info) != 0 && info.dli_fname) {
        const fs::path library = info.dli_fname;
        for (const char* relative : {kLibraryLocaleFromLibraries, "../locale"}) {
            std::error_code error;
            const fs::path folder = (library.parent_path() / relative).lexically_normal();
            if (fs::is_directory(folder, error))
                return folder.string();
        }
    }
    return kLibraryLocaleFolder;
}

}  // namespace

const char* LibTr(const char* english)
{
    static std::once_flag bound;
    std::call_once(bound, [] {
        bindtextdomain(kDomain, LocaleFolder().c_str());
        bind_textdomain_codeset(kDomain, "UTF-8");
    });
    return dgettext(kDomain, english);
}

chirpwell_code Fail(chirpwell_code code, const std::string& text, char** message)
{
    if (message) {
        // The caller frees it with chirpwell_free, that is free().
        if (char* copy = static_cast<char*>(std::malloc(text.size() + 1))) {
            std::memcpy(copy, text.c_str(), text.size() + 1);
            *message = copy;
        }
    }
    return code;
}
