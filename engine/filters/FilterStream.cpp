#include "engine/filters/FilterStream.h"

#include <cstring>

#include "engine/Limits.h"
#include "engine/filters/Filters.h"

namespace {

// Whether bytes hold byte.
bool Holds(std::string_view bytes, char byte)
{
    return std::memchr(bytes.data(), byte, bytes.size()) != nullptr;
}

}  // namespace

CFilterStream::CFilterStream(bool html, bool comments, bool newlines, IProgress& progress)
    : m_bNewlines(newlines), m_progress(progress)
{
    m_html.m_bOn = html;
    m_comments.m_bOn = comments;
}

bool CFilterStream::Filter(std::string_view part, bool last, std::string_view& filtered,
                           EOpen& open)
{
    open = EOpen::None;
    if (m_html.m_bOn) {
        part = Strip(m_html, part, last, true);
        if (m_html.m_strText.size() - part.size() > kOpenLimit) {
            open = EOpen::Tag;
            return false;
        }
    }
    if (m_comments.m_bOn) {
        part = Strip(m_comments, part, last, false);
        if (m_comments.m_strText.size() - part.size() > kOpenLimit) {
            open = EOpen::Comment;
            return false;
        }
    }
    if (m_bNewlines)
        part = Normalize(part, last);
    filtered = part;
    return true;
}

std::string_view CFilterStream::Strip(CStage& stage, std::string_view part, bool last, bool html)
{
    std::string& text = stage.m_strText;
    text.erase(0, stage.m_nDone);
    const std::size_t held = text.size();
    text.append(part);
    // A held tag stays open until a '>' comes, and a held comment until a '/' or an
    // LF does (the end of "*/" or of CR LF); a short hold may be an entity or a
    // last byte, which any byte may decide.
    const bool undecided = html ? held >= 6 && !Holds(part, '>')
                                : held >= 2 && !Holds(part, '/') && !Holds(part, '\n');
    std::size_t left = text.size();
    if (last || !undecided)
        left = html ? StripHtmlTagsPart(text, last, m_progress)
                    : StripCppCommentsPart(text, last, m_progress);
    stage.m_nDone = text.size() - left;
    return std::string_view(text).substr(0, stage.m_nDone);
}

std::string_view CFilterStream::Normalize(std::string_view part, bool last)
{
    m_strNewlines.assign(m_bHeldCr ? "\r" : "");
    m_strNewlines.append(part);
    // Whether an LF follows a CR at the end is for the next part to say.
    m_bHeldCr = !last && !m_strNewlines.empty() && m_strNewlines.back() == '\r';
    if (m_bHeldCr)
        m_strNewlines.pop_back();
    NormalizeReturnCodes(m_strNewlines, kNoLimit, m_progress);
    return m_strNewlines;
}
