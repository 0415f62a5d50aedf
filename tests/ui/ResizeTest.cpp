#include <QAction>
#include <QFontMetrics>
#include <QScreen>
#include <QtTest>

#include "UiTestSupport.h"
#include "document/ChirpwellDoc.h"
#include "document/CommandIds.h"
#include "ui/ChirpwellView.h"
#include "ui/MainFrame.h"

using namespace uitest;

namespace {

// The width of n times c in the view's font, as the text box lays it out.
int Advance(const CChirpwellView* view, QChar c, int n)
{
    return QFontMetrics(view->DisplayFont()).horizontalAdvance(c) * n;
}

// n times "あ" in CP932.
std::string Hiragana(int n)
{
    std::string line;
    for (int i = 0; i < n; ++i)
        line += "\x82\xA0";
    return line;
}

// A line of "あ" a little wider than the screen in the view's first font, "FixedSys"
// at 14 points.
std::string LineWiderThanTheScreen()
{
    QFont font("FixedSys");
    font.setPointSizeF(14);
    const int advance = QFontMetrics(font).horizontalAdvance(QChar(0x3042));
    return Hiragana(QApplication::primaryScreen()->geometry().width() / advance + 2);
}

}  // namespace

class ResizeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpEnvironment(); }
    void init()
    {
        ClearProfile();
        WriteProfile("Settings/frequency", 0);
    }
    void cleanup() { m_app.Stop(); }

    void startUpFitsAsReloadDoes();
    void oneShortLineGivesTheSmallestView();
    void lastLineCountsItsMarginTwice();
    void widestLineBeforeTheLastSetsTheWidth();
    void lineWiderThanTheScreenMaximisesTheFrame();
    void fittingTextBringsMaximisedFrameBack();
    void autoResizeOffLeavesTheSizeAlone();
    void toggleCarriesCheckMarkAndResizesWhenTurnedOn();
    void emptyTextLeavesTheSizeAlone();

private:
    bool StartWith(const std::string& text);
    QSize ViewSize() { return m_app.App().View() ? m_app.App().View()->viewport()->size() : QSize(); }

    CTestApp m_app;
    QTemporaryDir m_files;
};

bool ResizeTest::StartWith(const std::string& text)
{
    const QString path = WriteFile(m_files, "text.txt", text);
    if (!m_app.Start({path}))
        return false;
    return QTest::qWaitForWindowExposed(m_app.App().Frame());
}

void ResizeTest::startUpFitsAsReloadDoes()
{
    // The window is shown at its fitted size from the start, with a window manager
    // or without one, and reloading finds nothing to change.
    QVERIFY(StartWith(Hiragana(30) + "\r\n" + Hiragana(10)));
    CMainFrame* frame = m_app.App().Frame();
    const int width = Advance(m_app.App().View(), QChar(0x3042), 30) + 14;
    QCOMPARE(ViewSize(), QSize(width, width / 2));
    QVERIFY(!frame->isMaximized());
    const QRect shown = frame->geometry();
    QVERIFY(frame->Route(ID_RELOAD));
    QCOMPARE(frame->geometry().size(), shown.size());
    QVERIFY(!frame->isMaximized());
    QCOMPARE(ViewSize(), QSize(width, width / 2));
}

void ResizeTest::oneShortLineGivesTheSmallestView()
{
    QVERIFY(StartWith("abc"));
    QTRY_COMPARE(ViewSize(), QSize(350, 175));
    QVERIFY(!m_app.App().Frame()->isMaximized());
}

void ResizeTest::lastLineCountsItsMarginTwice()
{
    // Font size 140: a margin of 14 pixels, once for the line and once for the view.
    QVERIFY(StartWith(std::string(40, 'x')));
    const int width = Advance(m_app.App().View(), 'x', 40) + 28;
    QVERIFY2(width > 350 && width < 800, qPrintable(QString::number(width)));
    QTRY_COMPARE(ViewSize(), QSize(width, width / 2));
}

void ResizeTest::widestLineBeforeTheLastSetsTheWidth()
{
    QVERIFY(StartWith(std::string(40, 'x') + "\r\n" + std::string(10, 'x')));
    const int width = Advance(m_app.App().View(), 'x', 40) + 14;
    QTRY_COMPARE(ViewSize(), QSize(width, width / 2));
}

void ResizeTest::lineWiderThanTheScreenMaximisesTheFrame()
{
    QVERIFY(StartWith(LineWiderThanTheScreen()));
    QTRY_VERIFY(m_app.App().Frame()->isMaximized());
}

void ResizeTest::fittingTextBringsMaximisedFrameBack()
{
    QVERIFY(StartWith(LineWiderThanTheScreen()));
    QTRY_VERIFY(m_app.App().Frame()->isMaximized());
    const QString shortText = WriteFile(m_files, "short.txt", "abc");
    QVERIFY(m_app.App().Document()->OpenDocumentFile(shortText.toStdString()));
    QTRY_VERIFY(!m_app.App().Frame()->isMaximized());
    QTRY_COMPARE(ViewSize(), QSize(350, 175));
}

void ResizeTest::autoResizeOffLeavesTheSizeAlone()
{
    WriteProfile("Settings/AutoResize", 0);
    QVERIFY(StartWith("abc"));
    CMainFrame* frame = m_app.App().Frame();
    const QSize before = frame->size();
    QVERIFY(ViewSize() != QSize(350, 175));
    const QString wide = WriteFile(m_files, "wide.txt", LineWiderThanTheScreen());
    QVERIFY(m_app.App().Document()->OpenDocumentFile(wide.toStdString()));
    QApplication::processEvents();
    QVERIFY(!frame->isMaximized());
    QCOMPARE(frame->size(), before);
}

void ResizeTest::toggleCarriesCheckMarkAndResizesWhenTurnedOn()
{
    QVERIFY(StartWith("abc"));
    CMainFrame* frame = m_app.App().Frame();
    QAction* toggle = frame->Action(ID_AUTO_RESIZE);
    QVERIFY(toggle->isCheckable());
    QVERIFY(toggle->isChecked());
    QTRY_COMPARE(ViewSize(), QSize(350, 175));

    QVERIFY(frame->Route(ID_AUTO_RESIZE));
    QVERIFY(!toggle->isChecked());
    QVERIFY(!m_app.App().View()->DisplaySettings().m_bAutoResize);
    // Turning it off keeps the window as it is.
    QCOMPARE(ViewSize(), QSize(350, 175));
    const QString wider = WriteFile(m_files, "wider.txt", std::string(40, 'x'));
    QVERIFY(m_app.App().Document()->OpenDocumentFile(wider.toStdString()));
    QApplication::processEvents();
    QCOMPARE(ViewSize(), QSize(350, 175));

    QVERIFY(frame->Route(ID_AUTO_RESIZE));
    QVERIFY(toggle->isChecked());
    const int width = Advance(m_app.App().View(), 'x', 40) + 28;
    QTRY_COMPARE(ViewSize(), QSize(width, width / 2));
    m_app.Stop();
    QCOMPARE(ReadProfile("Settings/AutoResize").toInt(), 1);
}

void ResizeTest::emptyTextLeavesTheSizeAlone()
{
    QVERIFY(m_app.Start());
    QVERIFY(QTest::qWaitForWindowExposed(m_app.App().Frame()));
    const QSize before = m_app.App().Frame()->size();
    m_app.App().View()->ResizeToText();
    QApplication::processEvents();
    QCOMPARE(m_app.App().Frame()->size(), before);
    QVERIFY(ViewSize() != QSize(350, 175));
}

QTEST_MAIN(ResizeTest)
#include "ResizeTest.moc"
