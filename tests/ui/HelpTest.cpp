#include <QTextBrowser>
#include <QtTest>

#include "UiTestSupport.h"
#include "document/CommandIds.h"
#include "ui/ChirpwellView.h"
#include "ui/HelpWindow.h"
#include "ui/MainFrame.h"

using namespace uitest;

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void helpCommandOpensContentsPage();
    void f1OpensHelp();
    void helpCommandReturnsToContents();
    void escapeAndCtrlWCloseHelp_data();
    void escapeAndCtrlWCloseHelp();
    void missingHelpFileIsReportedWithItsPath();
    void bundledHelpOpensAtItsContents();

private:
    CTestApp m_app;
    QTemporaryDir m_pages;
    QByteArray m_bundledHelpDir;  // as the test was started with
};

void HelpTest::initTestCase()
{
    SetUpEnvironment();
    m_bundledHelpDir = qgetenv("CHIRPWELL_HELP_DIR");
    WriteFile(m_pages, "index.html",
              "<html><body><h1>Contents</h1><a href=\"other.html\">other</a></body></html>");
    WriteFile(m_pages, "other.html", "<html><body><h1>Other page</h1></body></html>");
}

void HelpTest::init()
{
    ClearProfile();
    qputenv("CHIRPWELL_HELP_DIR", QFile::encodeName(m_pages.path()));
    QVERIFY(m_app.Start());
}

void HelpTest::cleanup()
{
    m_app.Stop();
    qputenv("CHIRPWELL_HELP_DIR", m_bundledHelpDir);
}

void HelpTest::helpCommandOpensContentsPage()
{
    QVERIFY(!m_app.App().View()->HelpWindow());
    QVERIFY(m_app.App().Frame()->Route(ID_LAUNCH_HELP));
    const CHelpWindow* help = m_app.App().View()->HelpWindow();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->windowTitle(), QString("Chirpwell ヘルプ"));
    QCOMPARE(help->Browser()->source(), QUrl::fromLocalFile(m_pages.filePath("index.html")));
    QVERIFY(help->Browser()->toPlainText().contains("Contents"));
}

void HelpTest::f1OpensHelp()
{
    QVERIFY(QTest::qWaitForWindowActive(m_app.App().Frame()));
    QTest::keyClick(m_app.App().View(), Qt::Key_F1);
    QVERIFY(m_app.App().View()->HelpWindow());
    QTRY_VERIFY(m_app.App().View()->HelpWindow()->isVisible());
}

void HelpTest::helpCommandReturnsToContents()
{
    QVERIFY(m_app.App().Frame()->Route(ID_LAUNCH_HELP));
    CHelpWindow* help = m_app.App().View()->HelpWindow();
    help->Browser()->setSource(QUrl::fromLocalFile(m_pages.filePath("other.html")));
    QVERIFY(help->Browser()->toPlainText().contains("Other page"));
    help->close();
    QVERIFY(m_app.App().Frame()->Route(ID_LAUNCH_HELP));
    QCOMPARE(m_app.App().View()->HelpWindow(), help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->Browser()->source(), QUrl::fromLocalFile(m_pages.filePath("index.html")));
}

void HelpTest::escapeAndCtrlWCloseHelp_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::newRow("Esc") << QKeyCombination(Qt::Key_Escape);
    QTest::newRow("Ctrl+W") << QKeyCombination(Qt::ControlModifier, Qt::Key_W);
}

void HelpTest::escapeAndCtrlWCloseHelp()
{
    QFETCH(QKeyCombination, key);
    QVERIFY(m_app.App().Frame()->Route(ID_LAUNCH_HELP));
    CHelpWindow* help = m_app.App().View()->HelpWindow();
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help->Browser(), key.key(), key.keyboardModifiers());
    QTRY_VERIFY(!help->isVisible());
    QVERIFY(m_app.App().Frame()->isVisible());
}

void HelpTest::missingHelpFileIsReportedWithItsPath()
{
    QTemporaryDir empty;
    qputenv("CHIRPWELL_HELP_DIR", QFile::encodeName(empty.path()));
    CModalAnswerer answers;
    answers.OnMessageBox();
    QVERIFY(m_app.App().Frame()->Route(ID_LAUNCH_HELP));
    QCOMPARE(answers.Remaining(), 0);
    QCOMPARE(answers.Texts(),
             QStringList{"ヘルプファイル " + empty.filePath("index.html") + " が見つかりません。"});
    QCOMPARE(answers.Boxes()[0].m_eIcon, QMessageBox::Warning);
    QVERIFY(!m_app.App().View()->HelpWindow());
}

void HelpTest::bundledHelpOpensAtItsContents()
{
    QVERIFY2(!m_bundledHelpDir.isEmpty(), "CHIRPWELL_HELP_DIR names the build's help pages");
    qputenv("CHIRPWELL_HELP_DIR", m_bundledHelpDir);
    QVERIFY(m_app.App().Frame()->Route(ID_LAUNCH_HELP));
    const CHelpWindow* help = m_app.App().View()->HelpWindow();
    QVERIFY(help);
    QCOMPARE(QFileInfo(help->Browser()->source().toLocalFile()).fileName(), QString("index.html"));
    QVERIFY(help->Browser()->toPlainText().contains("Chirpwell"));
}

QTEST_MAIN(HelpTest)
#include "HelpTest.moc"
