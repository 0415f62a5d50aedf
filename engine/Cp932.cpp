#include "engine/Cp932.h"

#include <cassert>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include <iconv.h>

namespace {

// Runs iconv over the whole input; false with the offset of the first unit it
// could not take.
bool Recode(const char* to, const char* from, std::string_view input, std::string& output,
            std::size_t& failedAt)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        failedAt = 0;
        return false;
    }
    std::string result(input.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t written = 0;
    bool ok = true;
    while (inLeft > 0) {
        char* out = result.data() + written;
        std::size_t outLeft = result.size() - written;
        const std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        written = result.size() - outLeft;
        if (rc != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG) {
            result.resize(result.size() * 2);
            continue;
        }
        failedAt = input.size() - inLeft;
        ok = false;
        break;
    }
    iconv_close(cd);
    if (!ok)
        return false;
    result.resize(written);
    output = std::move(result);
    return true;
}

}  // namespace

bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

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

CTextPlace PlaceInText(std::string_view cp932, std::size_t offset)
{
    CTextPlace place;
    std::size_t i = 0;
    while (i < offset && i < cp932.size()) {
        const char byte = cp932[i];
        if (byte == '\r' || byte == '\n') {
            ++place.m_nLine;
            place.m_nColumn = 1;
            i += byte == '\r' && i + 1 < cp932.size() && cp932[i + 1] == '\n' ? 2 : 1;
            continue;
        }
        ++place.m_nColumn;
        i += IsLeadByte(static_cast<unsigned char>(byte)) ? 2 : 1;
    }
    return place;
}

bool Utf8ToCp932(std::string_view utf8, std::string& cp932, CCodecError* error)
{
    CCodecError fault;
    fault.m_nOffset = FindInvalidUtf8(utf8);
    if (fault.m_nOffset != std::string_view::npos) {
        fault.m_bMalformed = true;
    } else if (Recode("CP932", "UTF-8", utf8, cp932, fault.m_nOffset)) {
        return true;
    }
    if (error)
        *error = fault;
    return false;
}

bool Cp932ToUtf8(std::string_view cp932, std::string& utf8, CCodecError* error)
{
    CCodecError fault;
    fault.m_bMalformed = true;
    if (Recode("UTF-8", "CP932", cp932, utf8, fault.m_nOffset))
        return true;
    if (error)
        *error = fault;
    return false;
}

std::size_t FindInvalidUtf8(std::string_view utf8)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t i = 0;
    while (i < utf8.size()) {
        // Runs of ASCII pass eight bytes at a time.
        std::uint64_t word;
        if (i + 8 <= utf8.size() && (std::memcpy(&word, bytes + i, 8), (word & 0x8080808080808080u) == 0)) {
            i += 8;
            continue;
        }
        std::size_t length = 1;
        if (bytes[i] >= 0x80 && DecodeUtf8Character(bytes + i, utf8.size() - i, length) == 0)
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
