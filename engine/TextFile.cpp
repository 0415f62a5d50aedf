#include "engine/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

bool ReadStreamBytes(std::FILE* stream, std::string& bytes, std::string& error,
                     std::size_t maxBytes)
{
    std::string content;
    char buffer[65536];
    while (content.size() <= maxBytes) {
        const std::size_t wanted = std::min(sizeof buffer, maxBytes + 1 - content.size());
        const std::size_t got = std::fread(buffer, 1, wanted, stream);
        content.append(buffer, got);
        if (got < wanted) {
            if (std::ferror(stream)) {
                error = std::strerror(errno);
                return false;
            }
            break;
        }
    }
    bytes = std::move(content);
    return true;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error,
                   std::size_t maxBytes)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    const bool ok = ReadStreamBytes(file, bytes, error, maxBytes);
    std::fclose(file);
    return ok;
}
