#ifndef CHIRPWELL_UI_PROGRESSDIALOG_H
#define CHIRPWELL_UI_PROGRESSDIALOG_H

#include <QDialog>
#include <QElapsedTimer>

#include "document/IProgressFactory.h"
#include "document/ProgressRule.h"
#include "engine/IProgress.h"

class QProgressBar;

// The modeless window of one pipeline run: a bar and a title that names the phase.
// Shown as soon as it is made, over the main window's centre; the bar moves only
// when the rule allows, and the window is painted at once, at most once a frame.
class CProgressDialog : public QDialog, public IProgress {
    Q_OBJECT
public:
    explicit CProgressDialog(QWidget* mainWindow);

    void SetCaption(const std::string& caption) override;
    void SetPosition(int percent) override;

    QProgressBar* Bar() const { return m_pBar; }

private:
    void Repaint();

    CProgressRule m_rule;
    QProgressBar* m_pBar = nullptr;  // owned by its Qt parent
    QElapsedTimer m_sincePaint;      // since the window was last painted
};

// Makes a progress window over the main window once that is on the screen. The run
// that smiles the file named at start-up has none: it is part of starting, and a
// window over a main window not yet shown would stand alone, only to slow the start.
class CProgressFactory : public IProgressFactory {
public:
    explicit CProgressFactory(QWidget* mainWindow) : m_pMainWindow(mainWindow) {}
    std::unique_ptr<IProgress> Create() override;

private:
    QWidget* m_pMainWindow;
};

#endif
