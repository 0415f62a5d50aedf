#ifndef CHIRPWELL_UI_HELPWINDOW_H
#define CHIRPWELL_UI_HELPWINDOW_H

#include <QMainWindow>

class QTextBrowser;

// The program's help pages in a window of their own, opened at the contents.
class CHelpWindow : public QMainWindow {
    Q_OBJECT
public:
    CHelpWindow(const QString& contentsPath, QWidget* parent = nullptr);

    void ShowContents();
    QTextBrowser* Browser() const { return m_pBrowser; }

private:
    QString m_strContents;
    QTextBrowser* m_pBrowser = nullptr;
};

// Where the contents page is looked for: beside the program in the build, or in
// the installed share folder; $CHIRPWELL_HELP_DIR first when it is set.
QString HelpContentsPath();

#endif
