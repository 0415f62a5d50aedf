#include "engine/text/Cp932.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>

#include "engine/text/Codec.h"
#include "engine/text/CodecTables.h"

namespace {

// What each byte starts: the index of its row of pairs for a lead byte, kSingle for a
// character of one byte, kNoSingle for a byte that is no character alone.
constexpr int kSingle = -1;
constexpr int kNoSingle = -2;

std::array<int, 256> MakePairRows()
{
    std::array<int, 256> rows{};
    for (int byte = 0; byte < 256; ++byte) {
        const auto value = static_cast<unsigned char>(byte);
        rows[value] = IsLeadByte(value)                  ? LeadIndex(value) * 256
                      : kCp932Singles[value] == kNoCharacter ? kNoSingle
                                                             : kSingle;
    }
    return rows;
}

}  // namespace

std::size_t FindUnassignedCp932(std::string_view bytes, std::vector<bool>* taken)
{
    static const std::array<int, 256> kPairRows = MakePairRows();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t first = std::string_view::npos;
    std::size_t i = 0;
    while (i < size) {
        const int row = kPairRows[data[i]];
        if (row == kSingle) {
            ++i;
            continue;
        }
        if (row == kNoSingle || i + 1 == size) {
            first = std::min(first, i);
            if (!taken)
                return first;
            ++i;
            continue;
        }
        const int index = row + data[i + 1];
        if (kCp932Pairs[index] == kNoCharacter) {
            first = std::min(first, i);
            if (!taken)
                return first;
            if (kCp932FreeIndex[index] >= 0)
                (*taken)[static_cast<std::size_t>(kCp932FreeIndex[index])] = true;
        }
        i += 2;
    }
    return first;
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
