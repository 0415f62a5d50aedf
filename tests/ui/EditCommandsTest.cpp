#include <QAction>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

#include "UiTestSupport.h"
#include "document/ChirpwellDoc.h"
#include "document/CommandIds.h"
#include "ui/ChirpwellView.h"
#include "ui/MainFrame.h"

using namespace uitest;

namespace {

// "です。" three times, and at frequency 100 "ではありません。" three times.
const std::string kDesu = "\x82\xC5\x82\xB7\x81\x42";
const std::string kDewaArimasen =
    "\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";
const std::string kThreeDesu = kDesu + kDesu + kDesu;
const std::string kThreeSmiled = kDewaArimasen + kDewaArimasen + kDewaArimasen;
const CSmilePlaceList kThreePlaces = {{0, 16}, {16, 16}, {32, 16}};

// "。んせまりあはで": the first smile reversed character by character.
const std::string kReversed =
    "\x81\x42\x82\xF1\x82\xB9\x82\xDC\x82\xE8\x82\xA0\x82\xCD\x82\xC5";
// Eight "●": every character censored at frequency 100.
const std::string kCensored =
    "\x81\x9C\x81\x9C\x81\x9C\x81\x9C\x81\x9C\x81\x9C\x81\x9C\x81\x9C";

void Drop(QWidget* target, const QStringList& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    // Qt hands a drop only to a widget that took the drag's entering.
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);

}

// What opening the Convert menu shows for an item.
bool EnabledInMenu(CMainFrame* frame, int id)
{
    for (QMenu* menu : frame->menuBar()->findChildren<QMenu*>())
        emit menu->aboutToShow();
    return frame->Action(id)->isEnabled();
}

}  // namespace

class EditCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpEnvironment(); }
    void init();
    void cleanup() { m_app.Stop(); }

    void dropOfOneFileOpensAndSmilesIt();
    void dropOfTwoFilesIsRefusedAndChangesNothing();
    void dragOfTextIsRefused();
    void searchKeysStepThroughSmilePlaces();
    void searchesWithoutPlacesSayNoneAndKeepSelection();
    void effectsAreGreyedAndNotCarriedOutOnEmptySelection();
    void reverseThenUndoRestoresTextAndPlaces();
    void censorThenUndoRestoresTextAndPlaces();
    void smileAgainThenUndoBringsBackEarlierPlaces();
    void settingsOkAsksToReloadAndNoKeepsText();
    void settingsOkWithYesReloadsFromDisk();

private:
    CTestApp m_app;
    QTemporaryDir m_files;
    QString m_strPath;
    CChirpwellView* m_pView = nullptr;
    CChirpwellDoc* m_pDocument = nullptr;
    CMainFrame* m_pFrame = nullptr;
};

void EditCommandsTest::init()
{
    ClearProfile();
    WriteProfile("Settings/frequency", 100);
    m_strPath = WriteFile(m_files, "three.txt", kThreeDesu);
    QVERIFY(m_app.Start({m_strPath}));
    m_pView = m_app.App().View();
    m_pDocument = m_app.App().Document();
    m_pFrame = m_app.App().Frame();
    QCOMPARE(m_pView->GetText(), kThreeSmiled);
    QCOMPARE(m_pDocument->Converter().SmilePlaces(), kThreePlaces);
}

void EditCommandsTest::dropOfOneFileOpensAndSmilesIt()
{
    const QString dropped = WriteFile(m_files, "dropped.txt", kDesu);
    Drop(m_pView->viewport(), {dropped});
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(m_pView->GetText(), kDewaArimasen);
    QCOMPARE(m_pDocument->Converter().SmilePlaces(), CSmilePlaceList({{0, 16}}));
    QCOMPARE(QString::fromStdString(m_pDocument->GetPathName()), dropped);
    QCOMPARE(m_pFrame->windowTitle(), QString("dropped.txt - Chirpwell"));
    QCOMPARE(QString::fromStdString(m_app.App().RecentFiles().Entries().front()), dropped);
    QVERIFY(!m_pDocument->IsUndoAvailable());
}

void EditCommandsTest::dropOfTwoFilesIsRefusedAndChangesNothing()
{
    const QString a = WriteFile(m_files, "a.txt", kDesu);
    const QString b = WriteFile(m_files, "b.txt", kDesu);
    const std::size_t recent = m_app.App().RecentFiles().Entries().size();
    CModalAnswerer answers;
    answers.OnMessageBox();
    Drop(m_pView->viewport(), {a, b});
    QCOMPARE(answers.Texts(), QStringList{"ファイルの個数が不正だっちゅ－の（笑）。"});
    QCOMPARE(answers.Boxes()[0].m_strTitle, QString("Chirpwell"));
    QCOMPARE(m_pView->GetText(), kThreeSmiled);
    QCOMPARE(QString::fromStdString(m_pDocument->GetPathName()), m_strPath);
    QCOMPARE(m_app.App().RecentFiles().Entries().size(), recent);
}

void EditCommandsTest::dragOfTextIsRefused()
{
    QMimeData data;
    data.setText("abc");
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_pView->viewport(), &enter);
    QVERIFY(!enter.isAccepted());
    QCOMPARE(m_pView->GetText(), kThreeSmiled);
}

void EditCommandsTest::searchKeysStepThroughSmilePlaces()
{
    QVERIFY(QTest::qWaitForWindowActive(m_pFrame));
    m_pView->setFocus();
    CModalAnswerer answers;
    answers.OnMessageBox();
    answers.OnMessageBox();

    // The place at 0 is not after the caret at 0.
    QTest::keyClick(m_pView, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(m_pView->GetSelection(), CSelection({16, 32}));
    QCOMPARE(m_pView->textCursor().selectedText(), QString("ではありません。"));
    QTest::keyClick(m_pView, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(m_pView->GetSelection(), CSelection({32, 48}));
    QTest::keyClick(m_pView, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(m_pView->GetSelection(), CSelection({32, 48}));
    QCOMPARE(answers.Texts(), QStringList{"もうここより後ろにはないヨ。"});
    QVERIFY(Reactivate(m_pFrame));

    QTest::keyClick(m_pView, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(m_pView->GetSelection(), CSelection({16, 32}));
    QTest::keyClick(m_pView, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(m_pView->GetSelection(), CSelection({0, 16}));
    QTest::keyClick(m_pView, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(m_pView->GetSelection(), CSelection({0, 16}));
    QCOMPARE(answers.Texts(), QStringList({"もうここより後ろにはないヨ。", "もうここより前にはないヨ。"}));
    QCOMPARE(answers.Remaining(), 0);
    // The keys reached the window, not the text box: the text is as it was.
    QCOMPARE(m_pView->GetText(), kThreeSmiled);
}

void EditCommandsTest::searchesWithoutPlacesSayNoneAndKeepSelection()
{
    WriteFile(m_files, "plain.txt", "abc");
    QVERIFY(m_pDocument->OpenDocumentFile(m_files.filePath("plain.txt").toStdString()));
    QVERIFY(m_pDocument->Converter().SmilePlaces().empty());
    m_pView->SetSelection({1, 2});
    CModalAnswerer answers;
    answers.OnMessageBox();
    answers.OnMessageBox();
    QVERIFY(m_pFrame->Route(ID_SEARCH_DOWN));
    QVERIFY(m_pFrame->Route(ID_SEARCH_UP));
    QCOMPARE(answers.Texts(), QStringList({"もうここより後ろにはないヨ。", "もうここより前にはないヨ。"}));
    QCOMPARE(m_pView->GetSelection(), CSelection({1, 2}));
}

void EditCommandsTest::effectsAreGreyedAndNotCarriedOutOnEmptySelection()
{
    QCOMPARE(m_pView->GetSelection(), CSelection({0, 0}));
    QVERIFY(!EnabledInMenu(m_pFrame, ID_CENSOR));
    QVERIFY(!EnabledInMenu(m_pFrame, ID_REVERSE));
    QVERIFY(!EnabledInMenu(m_pFrame, ID_UNDO));
    QVERIFY(!m_pFrame->Route(ID_CENSOR));
    QVERIFY(!m_pFrame->Route(ID_REVERSE));
    QVERIFY(!m_pFrame->Route(ID_UNDO));
    QCOMPARE(m_pView->GetText(), kThreeSmiled);
    QVERIFY(!m_pDocument->IsUndoAvailable());

    m_pView->SetSelection({16, 32});
    QVERIFY(EnabledInMenu(m_pFrame, ID_CENSOR));
    QVERIFY(EnabledInMenu(m_pFrame, ID_REVERSE));
}

void EditCommandsTest::reverseThenUndoRestoresTextAndPlaces()
{
    m_pView->SetSelection({0, 16});
    QVERIFY(m_pFrame->Route(ID_REVERSE));
    QCOMPARE(m_pView->GetText(), kReversed + kDewaArimasen + kDewaArimasen);
    QCOMPARE(m_pDocument->Converter().SmilePlaces(), kThreePlaces);
    QVERIFY(!m_pDocument->IsModified());
    // The caret now stands behind the reversed part, so the effects are greyed.
    QCOMPARE(m_pView->GetSelection(), CSelection({16, 16}));
    QVERIFY(!EnabledInMenu(m_pFrame, ID_REVERSE));
    QVERIFY(EnabledInMenu(m_pFrame, ID_UNDO));

    QVERIFY(QTest::qWaitForWindowActive(m_pFrame));
    QTest::keyClick(m_pView, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_pView->GetText(), kThreeSmiled);
    QCOMPARE(m_pDocument->Converter().SmilePlaces(), kThreePlaces);
    QVERIFY(!EnabledInMenu(m_pFrame, ID_UNDO));
    QVERIFY(!m_pFrame->Route(ID_UNDO));
}

void EditCommandsTest::censorThenUndoRestoresTextAndPlaces()
{
    m_pView->SetSelection({16, 32});
    QVERIFY(m_pFrame->Route(ID_CENSOR));
    QCOMPARE(m_pView->GetText(), kDewaArimasen + kCensored + kDewaArimasen);
    QCOMPARE(m_pView->toPlainText(), QString("ではありません。●●●●●●●●ではありません。"));
    QCOMPARE(m_pDocument->Converter().SmilePlaces(), kThreePlaces);

    // Two effects in a row: undo goes back to before the second only.
    m_pView->SetSelection({0, 16});
    QVERIFY(m_pFrame->Route(ID_REVERSE));
    QVERIFY(m_pFrame->Route(ID_UNDO));
    QCOMPARE(m_pView->GetText(), kDewaArimasen + kCensored + kDewaArimasen);
    QCOMPARE(m_pDocument->Converter().SmilePlaces(), kThreePlaces);
    QVERIFY(!m_pDocument->IsUndoAvailable());
}

void EditCommandsTest::smileAgainThenUndoBringsBackEarlierPlaces()
{
    QVERIFY(QTest::qWaitForWindowActive(m_pFrame));
    QTest::keyClick(m_pView, Qt::Key_E, Qt::ControlModifier);
    QVERIFY(m_pDocument->IsUndoAvailable());
    QVERIFY(m_pView->GetText() != kThreeSmiled);
    QVERIFY(m_pDocument->Converter().SmilePlaces() != kThreePlaces);
    QVERIFY(m_pFrame->Route(ID_UNDO));
    QCOMPARE(m_pView->GetText(), kThreeSmiled);
    QCOMPARE(m_pDocument->Converter().SmilePlaces(), kThreePlaces);
}

void EditCommandsTest::settingsOkAsksToReloadAndNoKeepsText()
{
    CModalAnswerer answers;
    answers.OnSettingsDialog([](CSettingsDialog& dialog) { dialog.FrequencyEdit()->setText("50"); },
                             CModalAnswerer::EPress::Ok);
    answers.OnMessageBox(QMessageBox::No);
    QVERIFY(m_pFrame->Route(ID_SETTINGS));
    QCOMPARE(answers.Remaining(), 0);
    QCOMPARE(answers.Texts(), QStringList{"設定が変更されたかもしれません。ファイルを再ロードしますか？"});
    QCOMPARE(m_pDocument->Converter().m_nFrequency, 50);
    QCOMPARE(m_pView->GetText(), kThreeSmiled);
    // Nothing reaches the profile before the program ends.
    QCOMPARE(ReadProfile("Settings/frequency").toInt(), 100);
    m_app.Stop();
    QCOMPARE(ReadProfile("Settings/frequency").toInt(), 50);
}

void EditCommandsTest::settingsOkWithYesReloadsFromDisk()
{
    WriteFile(m_files, "three.txt", kDesu);
    CModalAnswerer answers;
    answers.OnSettingsDialog({}, CModalAnswerer::EPress::Ok);
    answers.OnMessageBox(QMessageBox::Yes);
    QVERIFY(m_pFrame->Route(ID_SETTINGS));
    QCOMPARE(answers.Remaining(), 0);
    QCOMPARE(m_pView->GetText(), kDewaArimasen);
    QCOMPARE(m_pDocument->Converter().SmilePlaces(), CSmilePlaceList({{0, 16}}));
    QVERIFY(!m_pDocument->IsUndoAvailable());
}

QTEST_MAIN(EditCommandsTest)
#include "EditCommandsTest.moc"
