#include "engine/Cp932.h"

#include <cassert>
#include <cstdint>
#include <cstring>

#include "engine/Codec.h"

std::size_t FindInText(std::string_view text, std::string_view needle)
{
    if (needle.empty())
        return 0;
    std::size_t i = 0;
    while (i + needle.size() <= text.size()) {
        if (text.compare(i, needle.size(), needle) == 0)
            return i;
        i += IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    }
    return std::string_view::npos;
}

std::size_t FindInvalidUtf8(std::string_view utf8)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (bytes[i] < 0x80) {
            // Runs of ASCII pass eight bytes at a time.
            std::uint64_t word;
            const bool run = i + 8 <= utf8.size() &&
                             (std::memcpy(&word, bytes + i, 8), (word & 0x8080808080808080u) == 0);
            i += run ? 8 : 1;
            continue;
        }
        if (DecodeUtf8ThreeBytes(bytes + i, utf8.size() - i) != 0) {
            i += 3;
            continue;
        }
        std::size_t length = 1;
        if (DecodeUtf8Character(bytes + i, utf8.size() - i, length) == 0)
            return i;
        i += length;
    }
    return std::string_view::npos;
}

std::string Cp932Text(std::string_view utf8)
{
    std::string cp932;
    const bool ok = Utf8ToCp932(utf8, cp932);
    assert(ok && "a program text has a character that CP932 lacks");
    (void)ok;
    return cp932;
}
