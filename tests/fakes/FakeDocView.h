#ifndef CHIRPWELL_TESTS_FAKES_FAKEDOCVIEW_H
#define CHIRPWELL_TESTS_FAKES_FAKEDOCVIEW_H

#include <cstddef>
#include <string>

#include "document/IDocView.h"
#include "engine/Limits.h"

// A view of bytes and a selection. Counts the calls whose effect lies outside the
// text (fitting the window, scrolling) and the whole-text replacements.
class CFakeDocView : public IDocView {
public:
    std::string GetText() const override { return m_strText; }
    void SetText(const std::string& text) override
    {
        m_strText = text;
        m_selection = {};
        ++m_nSetTextCalls;
    }
    std::size_t GetTextLimit() const override { return m_nTextLimit; }

    CSelection GetSelection() const override { return m_selection; }
    void SetSelection(CSelection selection) override { m_selection = selection; }
    void ReplaceSelection(const std::string& text) override
    {
        m_strText.replace(m_selection.m_nStart, m_selection.m_nEnd - m_selection.m_nStart, text);
        m_selection.m_nStart += text.size();
        m_selection.m_nEnd = m_selection.m_nStart;
    }
    void ScrollCaret() override { ++m_nScrollCalls; }
    void ResizeToText() override { ++m_nResizeCalls; }
    bool DetectsEncoding() const override { return m_bDetectsEncoding; }

    std::string m_strText;  // CP932
    CSelection m_selection;
    std::size_t m_nTextLimit = kTextLimit;
    bool m_bDetectsEncoding = true;
    int m_nSetTextCalls = 0;
    int m_nScrollCalls = 0;
    int m_nResizeCalls = 0;
};

#endif
