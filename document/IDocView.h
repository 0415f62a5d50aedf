#ifndef CHIRPWELL_DOCUMENT_IDOCVIEW_H
#define CHIRPWELL_DOCUMENT_IDOCVIEW_H

#include <cstddef>
#include <string>

// A range of the view's text in bytes: start <= end, end just behind the last
// selected byte; start == end is the caret.
struct CSelection {
    std::size_t m_nStart = 0;
    std::size_t m_nEnd = 0;

    bool operator==(const CSelection&) const = default;
};

// The text view as the document sees it: it holds the text, CP932 bytes without a
// zero byte, and shows it.
class IDocView {
public:
    virtual ~IDocView() = default;

    virtual std::string GetText() const = 0;
    // Replaces the whole text and puts the caret at its start.
    virtual void SetText(const std::string& text) = 0;
    // The most bytes the view holds.
    virtual std::size_t GetTextLimit() const = 0;

    virtual CSelection GetSelection() const = 0;
    virtual void SetSelection(CSelection selection) = 0;
    // Puts text in place of the selection, outside the view's own undo; the caret
    // ends behind it.
    virtual void ReplaceSelection(const std::string& text) = 0;
    virtual void ScrollCaret() = 0;

    // Fits the main window to the text, when auto-resize is on.
    virtual void ResizeToText() = 0;

    // Whether a file's encoding is detected when it is opened (else it is Shift_JIS),
    // as the display settings say.
    virtual bool DetectsEncoding() const = 0;
};

#endif
