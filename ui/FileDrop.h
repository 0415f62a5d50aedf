#ifndef CHIRPWELL_UI_FILEDROP_H
#define CHIRPWELL_UI_FILEDROP_H

#include <QObject>
#include <QStringList>

class CChirpwellDoc;
class QWidget;

// Files dropped on a text box: the one file of a drop is opened in the document, and
// a drop of more is refused with a message. It watches the box and its viewport,
// takes their drag events from them and is owned by the box; the document must
// outlive it.
class CFileDrop : public QObject {
    Q_OBJECT
public:
    CFileDrop(QWidget& box, QWidget& viewport, CChirpwellDoc& document);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Opens the one file of paths, or says that only one may be dropped.
    void OnDropFiles(const QStringList& paths);

    QWidget& m_box;
    CChirpwellDoc& m_document;
};

#endif
