#ifndef CHIRPWELL_UI_HELPLAUNCHER_H
#define CHIRPWELL_UI_HELPLAUNCHER_H

class CHelpWindow;
class QWidget;

// The help command: the help window, made on first use and owned by the owner
// widget, opened at the contents page; a missing contents page is reported instead.
class CHelpLauncher {
public:
    explicit CHelpLauncher(QWidget& owner) : m_owner(owner) {}

    void Launch();
    CHelpWindow* Window() const { return m_pWindow; }

private:
    QWidget& m_owner;
    CHelpWindow* m_pWindow = nullptr;
};

#endif
