#ifndef CHIRPWELL_TESTS_UI_UITESTSUPPORT_H
#define CHIRPWELL_TESTS_UI_UITESTSUPPORT_H

// What the window tests share: a profile of their own, sample files, a started
// application, and a hand that answers the modal dialogs a command opens. Texts
// written to files are CP932; Qt strings are what the widgets show.

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVariant>

#include "engine/text/Codec.h"
#include "ui/ChirpwellApp.h"
#include "ui/DialogUnits.h"
#include "ui/SettingsDialog.h"

namespace uitest {

// The profile lives in a folder of this process's own, made before the first
// QSettings is; QSettings keeps the path it found for the rest of the process.
inline QTemporaryDir& ConfigDir()
{
    static QTemporaryDir dir;
    return dir;
}

inline void SetUpEnvironment()
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(ConfigDir().path()));
    QApplication::setOrganizationName("Vevizo");
    QApplication::setApplicationName("Chirpwell");
    QApplication::setApplicationVersion("4.02");
    InstallFontSubstitutes();
}

inline QString ProfileFile()
{
    return ConfigDir().path() + "/Vevizo/Chirpwell.conf";
}

inline void ClearProfile()
{
    QSettings settings("Vevizo", "Chirpwell");
    settings.clear();
    settings.sync();
    QFile::remove(ProfileFile());
}

// key as "Settings/frequency".
inline void WriteProfile(const QString& key, const QVariant& value)
{
    QSettings settings("Vevizo", "Chirpwell");
    settings.setValue(key, value);
    settings.sync();
}

inline QVariant ReadProfile(const QString& key)
{
    QSettings settings("Vevizo", "Chirpwell");
    settings.sync();
    return settings.value(key);
}

// A text of the program in CP932, for file contents written from readable source.
inline std::string Cp932(const char* utf8)
{
    std::string bytes;
    if (!Utf8ToCp932(utf8, bytes))
        qFatal("not CP932: %s", utf8);
    return bytes;
}

// Writes bytes as dir/name and gives the full path.
inline QString WriteFile(const QTemporaryDir& dir, const QString& name, const std::string& bytes)
{
    const QString path = QDir(dir.path()).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

// The offscreen platform gives the focus back to no window once a box has
// closed; the window's keys need it active.
inline bool Reactivate(QWidget* window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// One started program: InitInstance with a command line, ExitInstance when done.
class CTestApp {
public:
    bool Start(const QStringList& arguments = {})
    {
        m_pApp = std::make_unique<CChirpwellApp>();
        m_bStarted = m_pApp->InitInstance(QStringList{"chirpwell"} + arguments, m_nExitCode);
        return m_bStarted;
    }
    void Stop()
    {
        if (m_pApp)
            m_pApp->ExitInstance();
        m_pApp.reset();
    }
    ~CTestApp() { Stop(); }

    CChirpwellApp& App() { return *m_pApp; }
    int ExitCode() const { return m_nExitCode; }

private:
    std::unique_ptr<CChirpwellApp> m_pApp;
    bool m_bStarted = false;
    int m_nExitCode = -1;
};

// A message box as it showed.
struct CShownBox {
    QString m_strTitle;
    QString m_strText;
    QMessageBox::Icon m_eIcon = QMessageBox::NoIcon;
};

// Answers the modal dialogs that show while a command runs, in the order they are
// expected. A poll looks at the active modal widget; an answer that takes it acts
// later, from the event loop, since its click may open the next dialog. A dialog
// that no answer takes is closed, so that the test ends, and fails it.
class CModalAnswerer : public QObject {
public:
    // Takes the widget and returns true, or leaves it and returns false.
    using CAnswer = std::function<bool(QWidget*)>;

    CModalAnswerer()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start();
    }

    // Fails the running test on a dialog that showed unexpected, or on an expected
    // one that never showed; a test that failed before has said why already.
    ~CModalAnswerer() override
    {
        if (QTest::currentTestFailed())
            return;
        if (!m_unexpected.isEmpty())
            QTest::qFail(qPrintable("unexpected dialog: " + m_unexpected.join("; ")), __FILE__,
                         __LINE__);
        else if (!m_answers.empty())
            QTest::qFail(qPrintable(QString("%1 expected dialogs did not show").arg(Remaining())),
                         __FILE__, __LINE__);
    }

    void Answer(CAnswer answer) { m_answers.push_back(std::move(answer)); }

    // A message box: record it and press button.
    void OnMessageBox(QMessageBox::StandardButton button = QMessageBox::Ok)
    {
        Answer([this, button](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (!box)
                return false;
            m_boxes.push_back({box->windowTitle(), box->text(), box->icon()});
            QAbstractButton* pressed = box->button(button);
            Later(box, [box = QPointer<QMessageBox>(box), pressed = QPointer<QAbstractButton>(pressed)] {
                if (pressed)
                    pressed->click();
                else if (box)
                    box->reject();
            });
            return true;
        });
    }

    // A file dialog: choose path, or cancel when path is empty.
    void OnFileDialog(const QString& path)
    {
        Answer([this, path](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            if (!dialog)
                return false;
            m_fileDialogTitles << dialog->windowTitle();
            Later(dialog, [dialog = QPointer<QFileDialog>(dialog), path] {
                if (!dialog)
                    return;
                if (path.isEmpty()) {
                    dialog->reject();
                    return;
                }
                // selectFile() leaves a focused name field alone, so the name goes
                // in as the user would type it.
                if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
                    name->setText(path);
                else
                    dialog->selectFile(path);
                // accept() is protected; the slot is what the Open button calls.
                QMetaObject::invokeMethod(dialog, "accept");
            });
            return true;
        });
    }

    // Another dialog, one of the class named: close it unanswered.
    void OnDialog(const QByteArray& className)
    {
        Answer([this, className](QWidget* widget) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            if (!dialog || !dialog->inherits(className.constData()))
                return false;
            Later(dialog, [dialog = QPointer<QDialog>(dialog)] {
                if (dialog)
                    dialog->reject();
            });
            return true;
        });
    }

    // The settings dialog: edit may look at it and change its fields, then OK or
    // Cancel is pressed (or nothing, when press is false and edit pressed itself).
    enum class EPress { Ok, Cancel, None };
    void OnSettingsDialog(std::function<void(CSettingsDialog&)> edit, EPress press)
    {
        Answer([this, edit = std::move(edit), press](QWidget* widget) {
            auto* dialog = qobject_cast<CSettingsDialog*>(widget);
            if (!dialog)
                return false;
            Later(dialog, [dialog = QPointer<CSettingsDialog>(dialog), edit, press] {
                if (!dialog)
                    return;
                if (edit)
                    edit(*dialog);
                if (press == EPress::Ok)
                    dialog->OkButton()->click();
                else if (press == EPress::Cancel)
                    dialog->reject();
            });
            return true;
        });
    }

    int Remaining() const { return static_cast<int>(m_answers.size()); }
    const std::vector<CShownBox>& Boxes() const { return m_boxes; }
    QStringList Texts() const
    {
        QStringList texts;
        for (const CShownBox& box : m_boxes)
            texts << box.m_strText;
        return texts;
    }
    const QStringList& FileDialogTitles() const { return m_fileDialogTitles; }
    // What showed and was not expected, as "class: text".
    const QStringList& Unexpected() const { return m_unexpected; }

private:
    // Runs action on widget from the event loop once this poll is over. Until the
    // action has returned (its click may run a nested dialog), widget is not
    // answered again: a closed nested dialog would otherwise let the next answer
    // look at it before the click has done its work.
    void Later(QWidget* widget, std::function<void()> action)
    {
        m_bActing = true;
        QTimer::singleShot(0, this, [this, widget = QPointer<QWidget>(widget),
                                     action = std::move(action)] {
            m_bActing = false;
            m_busy.push_back(widget);
            action();
            m_busy.removeOne(widget);
        });
    }

    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (m_bActing || !modal || !modal->isVisible() || m_busy.contains(modal)) {
            m_nIdlePolls = 0;
            return;
        }
        if (!m_answers.empty() && m_answers.front()(modal)) {
            m_answers.pop_front();
            m_nIdlePolls = 0;
            return;
        }
        // A dialog nobody answers would hold the test for ever.
        if (++m_nIdlePolls < 400)
            return;
        m_nIdlePolls = 0;
        QString text;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            text = box->text();
        m_unexpected << QString::fromLatin1(modal->metaObject()->className()) + ": " + text;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }

    QTimer m_timer;
    std::deque<CAnswer> m_answers;
    QList<QPointer<QWidget>> m_busy;
    std::vector<CShownBox> m_boxes;
    QStringList m_fileDialogTitles;
    QStringList m_unexpected;
    bool m_bActing = false;
    int m_nIdlePolls = 0;
};

}  // namespace uitest

#endif
