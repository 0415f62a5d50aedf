#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QStatusBar>
#include <QtTest>

#include "UiTestSupport.h"
#include "document/ChirpwellDoc.h"
#include "document/CommandIds.h"
#include "ui/ChirpwellView.h"
#include "ui/MainFrame.h"

using namespace uitest;

namespace {

// "です。" and what the built-in set makes of it at frequency 100, "ではありません。".
const std::string kDesu = "\x82\xC5\x82\xB7\x81\x42";
const std::string kDewaArimasen =
    "\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";

// The visible recent-file items of the File menu, in order.
QStringList RecentItems(const CMainFrame* frame)
{
    QStringList items;
    for (const QAction* action : frame->FileMenu()->actions()) {
        const int id = action->data().toInt();
        if (action->isVisible() && action->isEnabled() && id >= ID_FILE_MRU_FILE1 &&
            id <= ID_FILE_MRU_FILE8)
            items << action->text();
    }
    return items;
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpEnvironment(); }
    void init()
    {
        ClearProfile();
        WriteProfile("Settings/frequency", 100);
    }
    void cleanup() { m_app.Stop(); }

    void fileOnCommandLineOpensSmiledOnce();
    void missingFileIsReportedAndEndsStartUp();
    void noFileGivesEmptyUntitledDocument();
    void recentListKeepsEightNewestFirstAndSurvivesRestart();
    void recentEntryOpensAndMovesToTop();
    void failingRecentEntryIsReportedAndLeavesList();
    void unregisterRemovesProfile();
    void printToMissingPrinterFails();
    void badCommandLinesEndWithUsageError_data();
    void badCommandLinesEndWithUsageError();
    void helpAndVersionNeedNoDisplay();
    void relativeFileIsFoundBeforeTheWorkingFolderMoves();
    void unreadableSmileFileLeavesALastingNotice();

private:
    CTestApp m_app;
    QTemporaryDir m_files;
};

void StartupTest::fileOnCommandLineOpensSmiledOnce()
{
    const QString path = WriteFile(m_files, "desu.txt", kDesu);
    QVERIFY(m_app.Start({path}));
    CChirpwellDoc* document = m_app.App().Document();
    // A second smile would have turned the "。" at the end into something else.
    QCOMPARE(m_app.App().View()->GetText(), kDewaArimasen);
    QCOMPARE(m_app.App().View()->toPlainText(), QString("ではありません。"));
    QCOMPARE(document->Converter().SmilePlaces(), CSmilePlaceList({{0, 16}}));
    QCOMPARE(QString::fromStdString(document->GetPathName()), path);
    QVERIFY(!document->IsUndoAvailable());
    QVERIFY(m_app.App().View()->isReadOnly());
    QVERIFY(m_app.App().Frame()->isVisible());
}

void StartupTest::missingFileIsReportedAndEndsStartUp()
{
    const QString path = m_files.filePath("nowhere.txt");
    CModalAnswerer answers;
    answers.OnMessageBox();
    QVERIFY(!m_app.Start({path}));
    QVERIFY(m_app.ExitCode() != 0);
    QCOMPARE(answers.Remaining(), 0);
    QCOMPARE(answers.Boxes().size(), std::size_t(1));
    QCOMPARE(answers.Boxes()[0].m_strTitle, QString("Chirpwell"));
    QCOMPARE(answers.Boxes()[0].m_eIcon, QMessageBox::Warning);
    QCOMPARE(answers.Boxes()[0].m_strText, path + " を開けません。\nﾌｧｲﾙが見つかりません。");
    QVERIFY(!m_app.App().Frame());
}

void StartupTest::noFileGivesEmptyUntitledDocument()
{
    QVERIFY(m_app.Start());
    QVERIFY(m_app.App().View()->GetText().empty());
    QVERIFY(m_app.App().Document()->GetPathName().empty());
    QVERIFY(m_app.App().Document()->Converter().SmilePlaces().empty());
    QCOMPARE(m_app.App().Frame()->windowTitle(), QString("無題 - Chirpwell"));
    QCOMPARE(RecentItems(m_app.App().Frame()), QStringList());
}

void StartupTest::recentListKeepsEightNewestFirstAndSurvivesRestart()
{
    QVERIFY(m_app.Start());
    QStringList paths;
    for (int i = 1; i <= 9; ++i)
        paths << WriteFile(m_files, QString("f%1.txt").arg(i), kDesu);
    // The first through the open command and its dialog, the rest as the others do.
    {
        CModalAnswerer answers;
        answers.OnFileDialog(paths[0]);
        QVERIFY(m_app.App().Frame()->Route(ID_FILE_OPEN));
        QCOMPARE(answers.Remaining(), 0);
        QCOMPARE(answers.FileDialogTitles(), QStringList{"開く"});
    }
    for (int i = 1; i < 9; ++i)
        QVERIFY(m_app.App().Document()->OpenDocumentFile(paths[i].toStdString()));

    auto check = [&paths](const CMainFrame* frame) {
        const QStringList items = RecentItems(frame);
        QCOMPARE(items.size(), 8);
        for (int i = 0; i < 8; ++i) {
            QVERIFY2(items[i].startsWith(QString("&%1 ").arg(i + 1)), qPrintable(items[i]));
            QVERIFY2(items[i].endsWith(QString("/f%1.txt").arg(9 - i)), qPrintable(items[i]));
        }
    };
    check(m_app.App().Frame());
    m_app.Stop();

    QCOMPARE(ReadProfile("Recent File List/File1").toString(), paths[8]);
    QCOMPARE(ReadProfile("Recent File List/File8").toString(), paths[1]);
    QVERIFY(m_app.Start());
    check(m_app.App().Frame());
    QCOMPARE(m_app.App().RecentFiles().Entries().size(), std::size_t(8));
}

void StartupTest::recentEntryOpensAndMovesToTop()
{
    const QString first = WriteFile(m_files, "first.txt", kDesu);
    const QString second = WriteFile(m_files, "second.txt", "abc");
    QVERIFY(m_app.Start());
    QVERIFY(m_app.App().Document()->OpenDocumentFile(first.toStdString()));
    QVERIFY(m_app.App().Document()->OpenDocumentFile(second.toStdString()));

    QVERIFY(m_app.App().Frame()->Route(ID_FILE_MRU_FILE1 + 1));
    QCOMPARE(m_app.App().View()->GetText(), kDewaArimasen);
    QCOMPARE(m_app.App().Frame()->windowTitle(), QString("first.txt - Chirpwell"));
    QCOMPARE(m_app.App().RecentFiles().Entries(),
             std::vector<std::string>({first.toStdString(), second.toStdString()}));
}

void StartupTest::failingRecentEntryIsReportedAndLeavesList()
{
    const QString kept = WriteFile(m_files, "kept.txt", kDesu);
    const QString gone = WriteFile(m_files, "gone.txt", kDesu);
    QVERIFY(m_app.Start());
    QVERIFY(m_app.App().Document()->OpenDocumentFile(kept.toStdString()));
    QVERIFY(m_app.App().Document()->OpenDocumentFile(gone.toStdString()));
    QVERIFY(QFile::remove(gone));
    const std::string textBefore = m_app.App().View()->GetText();

    CModalAnswerer answers;
    answers.OnMessageBox();
    QVERIFY(m_app.App().Frame()->Route(ID_FILE_MRU_FILE1));
    QCOMPARE(answers.Texts(), QStringList{gone + " を開けません。\nﾌｧｲﾙが見つかりません。"});
    QCOMPARE(m_app.App().RecentFiles().Entries(), std::vector<std::string>({kept.toStdString()}));
    const QStringList items = RecentItems(m_app.App().Frame());
    QCOMPARE(items.size(), 1);
    QVERIFY(items[0].endsWith("/kept.txt"));
    QCOMPARE(m_app.App().View()->GetText(), textBefore);
}

void StartupTest::unregisterRemovesProfile()
{
    WriteProfile("Settings/FontSize", 120);
    WriteProfile("Recent File List/File1", "/tmp/somewhere.txt");
    QVERIFY(QFile::exists(ProfileFile()));
    QVERIFY(!m_app.Start({"--unregister"}));
    QCOMPARE(m_app.ExitCode(), 0);
    m_app.Stop();
    // Nothing is written back on the way out.
    QVERIFY(!QFile::exists(ProfileFile()));
    QVERIFY(!ReadProfile("Settings/FontSize").isValid());
}

void StartupTest::printToMissingPrinterFails()
{
    const QString path = WriteFile(m_files, "print.txt", kDesu);
    QVERIFY(!m_app.Start({"--print-to", "NoSuchPrinter-Chirpwell-Test", path}));
    QVERIFY(m_app.ExitCode() != 0);
    QVERIFY(!m_app.App().Frame());
}

void StartupTest::badCommandLinesEndWithUsageError_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("two files") << QStringList{"a.txt", "b.txt"};
    QTest::newRow("print without file") << QStringList{"--print"};
    QTest::newRow("unknown switch") << QStringList{"--frobnicate"};
}

void StartupTest::badCommandLinesEndWithUsageError()
{
    QFETCH(QStringList, arguments);
    QVERIFY(!m_app.Start(arguments));
    QCOMPARE(m_app.ExitCode(), 2);
    QVERIFY(!m_app.App().Frame());
}

// They aborted without a display, and the help mixed Qt's Japanese lines in.
void StartupTest::helpAndVersionNeedNoDisplay()
{
    auto run = [](const QString& option, const QString& output = QString()) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            environment.remove(name);
        environment.insert("LANG", "C");  // English help, whatever the developer's locale
        process.setProcessEnvironment(environment);
        if (!output.isEmpty())
            process.setStandardOutputFile(output);
        process.start(CHIRPWELL_PATH, {option});
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return std::pair(-1, QByteArray());
        return std::pair(process.exitCode(), process.readAllStandardOutput());
    };
    const auto [helpCode, help] = run("--help");
    QCOMPARE(helpCode, 0);
    QVERIFY2(help.startsWith("Usage: chirpwell [OPTION]... [FILE]\n"), help.constData());
    for (const char byte : help)
        QVERIFY2(static_cast<unsigned char>(byte) < 0x80, help.constData());
    QCOMPARE(run("-v"), std::pair(0, QByteArray("chirpwell 4.02\n")));
    QCOMPARE(run("--version", "/dev/full").first, 2);
}

// The profile's working folder used to take the name over, so another file opened,
// or none, and the recent list held the wrong path.
void StartupTest::relativeFileIsFoundBeforeTheWorkingFolderMoves()
{
    QTemporaryDir elsewhere;
    WriteFile(elsewhere, "desu.txt", "elsewhere");
    WriteProfile("Settings/CurrentDirectory", elsewhere.path());
    const QString path = WriteFile(m_files, "desu.txt", kDesu);
    const QString started = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_files.path()));
    const bool startedUp = m_app.Start({"desu.txt"});
    QDir::setCurrent(started);
    QVERIFY(startedUp);
    QCOMPARE(m_app.App().View()->GetText(), kDewaArimasen);
    QCOMPARE(QString::fromStdString(m_app.App().Document()->GetPathName()), path);
    QCOMPARE(m_app.App().RecentFiles().Entries(), std::vector<std::string>{path.toStdString()});
}

// Nothing smiled and nothing said why. The notice is a pane of its own, so that
// prompts leave it alone, and it goes once a set is loaded.
void StartupTest::unreadableSmileFileLeavesALastingNotice()
{
    const QString missing = m_files.filePath("missing.grn");
    WriteProfile("Settings/modeFilePath", missing);
    CModalAnswerer answers;
    QVERIFY(m_app.Start());
    CMainFrame* frame = m_app.App().Frame();
    auto* notice = frame->statusBar()->findChild<QLabel*>("smileSetNotice");
    QVERIFY(notice);
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QCOMPARE(notice->text(), "スマイルファイル " + missing + " を読めません。スマイルの規則はありません。");
    QVERIFY(notice->isVisible());
    QVERIFY(frame->Action(ID_SMILE_AGAIN)->showStatusText(frame));
    QVERIFY(notice->isVisible());

    // Cancelling the settings puts the built-in set in force, since the file it
    // tries again still cannot be read.
    answers.OnSettingsDialog(nullptr, CModalAnswerer::EPress::Cancel);
    answers.OnMessageBox();
    QVERIFY(frame->Route(ID_SETTINGS));
    QCOMPARE(answers.Texts(), QStringList{"キャンセル処理中にエラーが発生しました。"});
    QVERIFY(!notice->isVisible());
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
