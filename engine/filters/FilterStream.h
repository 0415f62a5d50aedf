#ifndef CHIRPWELL_ENGINE_FILTERS_FILTERSTREAM_H
#define CHIRPWELL_ENGINE_FILTERS_FILTERSTREAM_H

#include <cstddef>
#include <string>
#include <string_view>

class IProgress;

// The input filters that are switched on, in the order HTML, comments, newlines, over a
// CP932 text that comes in parts, with the result one run of each over the whole text
// would give without a room. Each holds back what its result still depends on until
// the bytes that decide it come: an open tag or comment, an entity that may go on, a
// CR that an LF may follow. Memory follows the parts, but for a tag or comment that is
// open; one open longer than kOpenLimit bytes stops the stream. The progress display,
// which the filters are given, must outlive this.
class CFilterStream {
public:
    static constexpr std::size_t kOpenLimit = 16 * 1024 * 1024;
    enum class EOpen { None, Tag, Comment };

    CFilterStream(bool html, bool comments, bool newlines, IProgress& progress);
    CFilterStream(const CFilterStream&) = delete;
    CFilterStream& operator=(const CFilterStream&) = delete;

    // The filtered text of the next part that is final, of all that is left when last;
    // it lasts until the next call. False when a tag or comment has been open for
    // longer than kOpenLimit bytes; open says which.
    bool Filter(std::string_view part, bool last, std::string_view& filtered, EOpen& open);

private:
    // The HTML or the comment filter's text: the bytes held back, then the part given.
    struct CStage {
        std::string m_strText;
        std::size_t m_nDone = 0;  // the bytes given on last time, dropped next time
        bool m_bOn = false;
    };
    std::string_view Strip(CStage& stage, std::string_view part, bool last, bool html);
    std::string_view Normalize(std::string_view part, bool last);

    CStage m_html;
    CStage m_comments;
    bool m_bNewlines;
    std::string m_strNewlines;  // the newline filter's text
    bool m_bHeldCr = false;     // the last part's CR, which an LF may follow
    IProgress& m_progress;
};

#endif
