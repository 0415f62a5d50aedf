#ifndef CHIRPWELL_UI_FINDER_H
#define CHIRPWELL_UI_FINDER_H

#include <QString>

class CCodec;
class CFindDialog;
class IDocView;
class QPlainTextEdit;

// The normal find: the modeless find dialog, made on first use and owned by the
// text box, and the search for its text in the view's bytes from the selection on.
// The view, its box and the codec must outlive the finder.
class CFinder {
public:
    CFinder(IDocView& view, QPlainTextEdit& box, const CCodec& codec);

    // Shows the dialog, holding the selection when that lies within one line.
    void Show();
    // Selects and shows the next match of text, or says there is none and returns
    // false.
    bool FindNext(const QString& text, bool matchCase, bool up);
    CFindDialog* Dialog() const { return m_pDialog; }

private:
    IDocView& m_view;
    QPlainTextEdit& m_box;
    const CCodec& m_codec;
    CFindDialog* m_pDialog = nullptr;
};

#endif
