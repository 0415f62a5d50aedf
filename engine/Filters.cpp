#include "engine/Filters.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "engine/Cp932.h"
#include "engine/EngineTexts.h"
#include "engine/IProgress.h"
#include "engine/ProgressMeter.h"

// Each filter walks the text once. The shrinking filters compact it in place: what
// is kept is written at `write`, behind the reading position `read`, so the text at
// the current position is always text[read..]. That gives the same result as
// removing each range as it is found, without moving the rest of the text each time.

namespace {

struct CEntity {
    std::string_view m_strForm;
    char m_cDecoded;
};

constexpr std::array<CEntity, 4> kEntities = {{
    {"&lt;", '<'},
    {"&gt;", '>'},
    {"&quot;", '"'},
    {"&amp;", '&'},
}};

// The first pair of bytes first, second whose first byte is at from or later, or
// npos: the "*/" that ends a block comment, the CR LF that ends a line comment.
std::size_t FindPair(std::string_view text, std::size_t from, char first, char second)
{
    while (from + 1 < text.size()) {
        const std::size_t at = text.find(first, from);
        if (at == std::string_view::npos || at + 1 >= text.size())
            return std::string_view::npos;
        if (text[at + 1] == second)
            return at;
        from = at + 1;
    }
    return std::string_view::npos;
}

// A search that failed from some offset fails from every later one, since what lies
// behind the reading position never changes; remembering that keeps a text full of
// unterminated openings linear.
class CFailedSearch {
public:
    bool Known(std::size_t from) const { return from >= m_nFrom; }
    void Remember(std::size_t from) { m_nFrom = std::min(m_nFrom, from); }

private:
    std::size_t m_nFrom = std::string_view::npos;
};

}  // namespace

bool StripHtmlTags(std::string& text, std::size_t room, IProgress& progress)
{
    progress.SetCaption(Cp932Text(kCaptionHtml));
    CProgressMeter meter(progress);
    const std::size_t size = text.size();
    const std::string_view source(text.data(), size);
    CFailedSearch noClose;
    std::size_t read = 0;
    std::size_t write = 0;
    while (read < size) {
        meter.At(write, write + size - read);
        while (source[read] == '<' && !noClose.Known(read)) {
            const std::size_t close = source.find('>', read);
            if (close == std::string_view::npos) {
                noClose.Remember(read);
                break;
            }
            read = close + 1;
            if (read == size)
                break;
        }
        if (read == size)
            break;
        char kept = source[read];
        std::size_t consumed = 1;
        if (kept == '&') {
            for (const CEntity& entity : kEntities) {
                if (source.substr(read).starts_with(entity.m_strForm)) {
                    kept = entity.m_cDecoded;
                    consumed = entity.m_strForm.size();
                    break;
                }
            }
        }
        text[write++] = kept;
        read += consumed;
        // Only a text that came in longer than the room can still be longer.
        if (write + size - read > room)
            break;
    }
    std::memmove(text.data() + write, text.data() + read, size - read);
    text.resize(write + size - read);
    return true;
}

bool StripCppComments(std::string& text, std::size_t /*room*/, IProgress& progress)
{
    progress.SetCaption(Cp932Text(kCaptionComments));
    CProgressMeter meter(progress);
    const std::size_t size = text.size();
    const std::string_view source(text.data(), size);
    CFailedSearch noBlockEnd;
    CFailedSearch noLineEnd;
    std::size_t read = 0;
    std::size_t write = 0;
    // Positions run while at least two bytes are left: a comment needs two.
    while (read + 1 < size) {
        meter.At(write, write + size - read);
        while (read + 1 < size && source[read] == '/') {
            const std::size_t from = read + 2;
            if (source[read + 1] == '*') {
                const std::size_t end =
                    noBlockEnd.Known(from) ? std::string_view::npos : FindPair(source, from, '*', '/');
                if (end == std::string_view::npos) {
                    noBlockEnd.Remember(from);
                    break;
                }
                read = end + 2;  // another comment may start right behind it
            } else if (source[read + 1] == '/') {
                const std::size_t end =
                    noLineEnd.Known(from) ? std::string_view::npos : FindPair(source, from, '\r', '\n');
                if (end == std::string_view::npos)
                    noLineEnd.Remember(from);
                else
                    read = end;  // the CR LF stays
                break;
            } else {
                break;
            }
        }
        if (read == size)
            break;
        text[write++] = source[read++];
    }
    std::memmove(text.data() + write, text.data() + read, size - read);
    text.resize(write + size - read);
    return true;
}

bool NormalizeReturnCodes(std::string& text, std::size_t room, IProgress& progress)
{
    progress.SetCaption(Cp932Text(kCaptionNewlines));
    if (text.empty())
        return true;
    CProgressMeter meter(progress);
    const std::string source = std::move(text);
    const std::size_t size = source.size();
    std::string result;
    result.reserve(std::max(room, size));
    std::size_t read = 0;
    while (read < size) {
        const std::size_t length = result.size() + size - read;
        // No room for another byte.
        if (length >= room)
            break;
        meter.At(result.size(), length);
        const char byte = source[read++];
        if (byte == '\n' && (result.empty() || result.back() != '\r'))
            result += '\r';
        result += byte;
        if (byte == '\r' && (read == size || source[read] != '\n'))
            result += '\n';
    }
    result.append(source, read, std::string::npos);
    text = std::move(result);
    return true;
}
