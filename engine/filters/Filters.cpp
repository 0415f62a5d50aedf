#include "engine/filters/Filters.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "engine/EngineTexts.h"
#include "engine/IProgress.h"
#include "engine/Limits.h"
#include "engine/VectorPath.h"
#include "engine/filters/BytePositions.h"
#include "engine/smile/ProgressMeter.h"
#include "engine/text/Cp932.h"

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
constexpr std::size_t kLongestEntity = 6;

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

// Bit k: position from + k, below from + count, holds a CR that no LF follows or
// an LF that no CR precedes; the bytes just outside count.
std::uint64_t LoneBreaks(bool vectors, std::string_view text, std::size_t from, std::size_t count)
{
    std::uint64_t crs = 0;
    std::uint64_t lfs = 0;
    CBytePositions::Masks(vectors, text.data() + from, count, '\r', '\n', crs, lfs);
    std::uint64_t lfAfter = lfs >> 1;
    if (from + count < text.size() && text[from + count] == '\n')
        lfAfter |= std::uint64_t{1} << (count - 1);
    std::uint64_t crBefore = crs << 1;
    if (from > 0 && text[from - 1] == '\r')
        crBefore |= 1;
    return (crs & ~lfAfter) | (lfs & ~crBefore);
}

// The HTML filter, on a whole text or, with more, on a part whose rest is still to
// come; gives the bytes at the end left for the next part.
std::size_t StripHtml(std::string& text, std::size_t room, IProgress& progress, bool more)
{
    CProgressMeter meter(progress);
    const std::size_t size = text.size();
    const std::string_view source(text.data(), size);
    CFailedSearch noClose;
    CBytePositions marks(source, '<', '&');
    CBytePositions ampersands(source, '&', '&');
    std::size_t read = 0;
    std::size_t write = 0;
    while (read < size) {
        const std::size_t length = write + size - read;
        // A run of bytes that are kept as they are, while the room cannot stop the
        // walk; once no '>' is left, a '<' is such a byte too. Markup has a tag every
        // few bytes: the next few are looked at one by one before a search.
        if (length <= room) {
            const bool lessIsKept = noClose.Known(read);
            const std::size_t near = std::min(size, read + 16);
            char* kept = text.data() + write;  // behind or at source[read]
            std::size_t next = read;
            for (; next < near && source[next] != '&' && (lessIsKept || source[next] != '<'); ++next)
                kept[next - read] = source[next];
            if (next == near && near < size) {
                next = lessIsKept ? ampersands.Next(near) : marks.Next(near);
                if (write != read)
                    std::memmove(kept + (near - read), source.data() + near, next - near);
            }
            // The run's positions and the one after it, which acts on its byte, share
            // the length.
            const bool end = next == size;
            meter.Span(write, write + (next - read) + (end ? 0 : 1), length);
            write += next - read;
            read = next;
            if (end)
                break;
        } else {
            meter.At(write, length);
        }
        bool open = false;
        while (source[read] == '<' && !noClose.Known(read)) {
            const std::size_t close = std::min(source.find('>', read), size);
            if (close == size) {
                // The '>' may come in the next part.
                open = more;
                noClose.Remember(read);
                break;
            }
            read = close + 1;
            if (read == size)
                break;
        }
        if (read == size || open)
            break;
        char kept = source[read];
        std::size_t consumed = 1;
        // An entity may go on in the next part.
        if (kept == '&' && more && size - read < kLongestEntity)
            break;
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
    return more ? size - read : 0;
}

// The comment filter likewise.
std::size_t StripComments(std::string& text, IProgress& progress, bool more)
{
    CProgressMeter meter(progress);
    const std::size_t size = text.size();
    const std::string_view source(text.data(), size);
    CFailedSearch noBlockEnd;
    CFailedSearch noLineEnd;
    CBytePositions slashes(source, '/', '/');
    std::size_t read = 0;
    std::size_t write = 0;
    // Positions run while at least two bytes are left: a comment needs two.
    while (read + 1 < size) {
        const std::size_t length = write + size - read;
        // A run of bytes up to the next '/', which all stay.
        const std::size_t next = std::min(slashes.Next(read), size - 1);
        // The run's positions and the one after it, which holds a '/', share the
        // length; the last byte is no position.
        const bool atEnd = next == size - 1;
        meter.Span(write, write + (next - read) + (atEnd ? 0 : 1), length);
        if (write != read)
            std::memmove(text.data() + write, text.data() + read, next - read);
        write += next - read;
        read = next;
        if (atEnd)
            break;
        // A comment whose end is not in this part may end in the next.
        bool open = false;
        while (read + 1 < size && source[read] == '/') {
            const std::size_t from = read + 2;
            if (source[read + 1] == '*') {
                const std::size_t end =
                    noBlockEnd.Known(from) ? std::string_view::npos : FindPair(source, from, '*', '/');
                if (end == std::string_view::npos) {
                    open = more;
                    noBlockEnd.Remember(from);
                    break;
                }
                read = end + 2;  // another comment may start right behind it
            } else if (source[read + 1] == '/') {
                const std::size_t end =
                    noLineEnd.Known(from) ? std::string_view::npos : FindPair(source, from, '\r', '\n');
                if (end == std::string_view::npos) {
                    open = more;
                    noLineEnd.Remember(from);
                } else {
                    read = end;  // the CR LF stays
                }
                break;
            } else {
                break;
            }
        }
        // The last byte is no position, unless a next part follows it.
        if (read == size || open || (more && read + 1 == size))
            break;
        text[write++] = source[read++];
    }
    std::memmove(text.data() + write, text.data() + read, size - read);
    text.resize(write + size - read);
    return more ? size - read : 0;
}

}  // namespace

bool StripHtmlTags(std::string& text, std::size_t room, IProgress& progress)
{
    progress.SetCaption(Cp932Text(kCaptionHtml));
    StripHtml(text, room, progress, false);
    return true;
}

std::size_t StripHtmlTagsPart(std::string& text, bool last, IProgress& progress)
{
    return StripHtml(text, kNoLimit, progress, !last);
}

bool StripCppComments(std::string& text, std::size_t /*room*/, IProgress& progress)
{
    progress.SetCaption(Cp932Text(kCaptionComments));
    StripComments(text, progress, false);
    return true;
}

std::size_t StripCppCommentsPart(std::string& text, bool last, IProgress& progress)
{
    return StripComments(text, progress, !last);
}

bool NormalizeReturnCodes(std::string& text, std::size_t room, IProgress& progress)
{
    progress.SetCaption(Cp932Text(kCaptionNewlines));
    if (text.empty())
        return true;
    CProgressMeter meter(progress);
    const std::size_t size = text.size();
    const char* source = text.data();
    // Until the first lone CR or LF the text stays as it is; from there the result
    // goes to a second buffer, which can hold it: every byte added keeps the length
    // below room, and no byte gets more than one added. One more byte lets a step
    // below write two bytes where it keeps one.
    std::string result;
    char* out = nullptr;
    const bool vectors = VectorPathInUse();
    std::size_t read = 0;
    std::size_t added = 0;  // CRs and LFs put in so far
    // Bytes that stay as they are, up to next, reported and (once the result has a
    // buffer) copied in one run.
    const auto keepUpTo = [&](std::size_t next) {
        meter.Span(read + added, next + added, size + added);
        if (out) {
            std::memcpy(out, source + read, next - read);
            out += next - read;
        }
        read = next;
    };
    while (read < size) {
        // Windows without a lone break, whose bytes all stay, pass in one run.
        std::size_t count = 0;
        std::uint64_t lone = 0;
        std::size_t plain = read;
        for (;;) {
            count = std::min(CBytePositions::kWindow, size - plain);
            lone = LoneBreaks(vectors, text, plain, count);
            if (lone != 0 || plain + count == size)
                break;
            plain += count;
        }
        // No room for another byte.
        if (size + added >= room)
            break;
        if (plain != read)
            keepUpTo(plain);
        const std::size_t position = read + added;
        const std::size_t length = size + added;
        const auto breaks = lone == 0 ? 0 : static_cast<std::size_t>(__builtin_popcountll(lone));
        // Many breaks that neither the room nor a new percentage can stop: each
        // byte is copied, a lone break as CR LF, without a branch on its value.
        if (out && count == CBytePositions::kWindow && breaks >= 4 && length + breaks < room &&
            meter.Steady(position, position + count + breaks, length, length + breaks)) {
            const char* window = source + read;
            std::uint64_t bits = lone;
            for (std::size_t k = 0; k < CBytePositions::kWindow; ++k) {
                const auto isLone = static_cast<unsigned>(bits & 1);
                bits >>= 1;
                const auto byte = static_cast<unsigned>(static_cast<unsigned char>(window[k]));
                out[0] = static_cast<char>(byte ^ ((byte ^ '\r') & (0u - isLone)));
                out[1] = '\n';
                out += 1 + isLone;
            }
            read += count;
            added += breaks;
            continue;
        }
        const std::size_t base = read;
        const std::size_t end = read + count;
        std::uint64_t left = lone;
        while (size + added < room) {
            const std::size_t next = left != 0 ? base + static_cast<std::size_t>(__builtin_ctzll(left)) : end;
            if (next != read)
                keepUpTo(next);
            if (read == end)
                break;
            meter.At(read + added, size + added);
            if (!out) {
                result.resize(std::min(room, 2 * size) + 1);
                std::memcpy(result.data(), source, read);
                out = result.data() + read;
            }
            // A lone LF gets a CR before it, a lone CR an LF after it.
            *out++ = '\r';
            *out++ = '\n';
            ++added;
            ++read;
            left &= left - 1;
        }
        if (read != end)
            break;
    }
    if (out) {
        std::memcpy(out, source + read, size - read);
        result.resize(size + added);
        text = std::move(result);
    }
    return true;
}
