#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "UiTestSupport.h"
#include "document/ChirpwellDoc.h"
#include "document/CommandIds.h"
#include "ui/ChirpwellView.h"
#include "ui/FindDialog.h"
#include "ui/MainFrame.h"

using namespace uitest;

class FindTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpEnvironment(); }
    void init();
    void cleanup() { m_app.Stop(); }

    void findNextSelectsEachMatchDownwards();
    void matchCaseSkipsOtherCase();
    void upFindsTheMatchBefore();
    void missingTextIsReportedAndSelectionStays();
    void twoByteTextIsFoundWholeOnly();
    void selectionFillsTheFindField();

private:
    void OpenFind(const QString& text, bool matchCase = false, bool up = false);
    CSelection Selection() { return m_app.App().View()->GetSelection(); }

    CTestApp m_app;
    QTemporaryDir m_files;
    CFindDialog* m_pFind = nullptr;
};

void FindTest::init()
{
    ClearProfile();
    WriteProfile("Settings/frequency", 0);
    // "abc ABC abc", a line break, "です。です"; at frequency 0 nothing is smiled.
    const QString path =
        WriteFile(m_files, "find.txt", "abc ABC abc\r\n\x82\xC5\x82\xB7\x81\x42\x82\xC5\x82\xB7");
    QVERIFY(m_app.Start({path}));
    QVERIFY(m_app.App().Document()->Converter().SmilePlaces().empty());
}

void FindTest::OpenFind(const QString& text, bool matchCase, bool up)
{
    QVERIFY(m_app.App().Frame()->Route(ID_EDIT_FIND));
    m_pFind = m_app.App().View()->FindDialog();
    QVERIFY(m_pFind);
    QVERIFY(m_pFind->isVisible());
    QVERIFY(!m_pFind->isModal());
    QCOMPARE(m_pFind->windowTitle(), QString("検索"));
    m_pFind->FindEdit()->setText(text);
    m_pFind->MatchCaseBox()->setChecked(matchCase);
    if (up)
        m_pFind->UpButton()->setChecked(true);
}

void FindTest::findNextSelectsEachMatchDownwards()
{
    OpenFind("abc");
    m_pFind->FindNextButton()->click();
    QCOMPARE(Selection(), CSelection({0, 3}));
    m_pFind->FindNextButton()->click();
    QCOMPARE(Selection(), CSelection({4, 7}));
    QCOMPARE(m_app.App().View()->textCursor().selectedText(), QString("ABC"));
    m_pFind->FindNextButton()->click();
    QCOMPARE(Selection(), CSelection({8, 11}));
}

void FindTest::matchCaseSkipsOtherCase()
{
    OpenFind("abc", true);
    m_pFind->FindNextButton()->click();
    QCOMPARE(Selection(), CSelection({0, 3}));
    m_pFind->FindNextButton()->click();
    QCOMPARE(Selection(), CSelection({8, 11}));
    OpenFind("ABC", true);
    m_app.App().View()->SetSelection({0, 0});
    m_pFind->FindNextButton()->click();
    QCOMPARE(Selection(), CSelection({4, 7}));
}

void FindTest::upFindsTheMatchBefore()
{
    m_app.App().View()->SetSelection({8, 11});
    OpenFind("abc", false, true);
    m_pFind->FindNextButton()->click();
    QCOMPARE(Selection(), CSelection({4, 7}));
    m_pFind->FindNextButton()->click();
    QCOMPARE(Selection(), CSelection({0, 3}));

    CModalAnswerer answers;
    answers.OnMessageBox();
    m_pFind->FindNextButton()->click();
    QCOMPARE(answers.Texts(), QStringList{"「abc」が見つかりません。"});
    QCOMPARE(Selection(), CSelection({0, 3}));
}

void FindTest::missingTextIsReportedAndSelectionStays()
{
    m_app.App().View()->SetSelection({4, 7});
    OpenFind("xyz");
    CModalAnswerer answers;
    answers.OnMessageBox();
    m_pFind->FindNextButton()->click();
    QCOMPARE(answers.Remaining(), 0);
    QCOMPARE(answers.Texts(), QStringList{"「xyz」が見つかりません。"});
    QCOMPARE(answers.Boxes()[0].m_strTitle, QString("Chirpwell"));
    QCOMPARE(Selection(), CSelection({4, 7}));
    // The dialog stays for the next try.
    QVERIFY(m_pFind->isVisible());
}

void FindTest::twoByteTextIsFoundWholeOnly()
{
    OpenFind("す");
    m_pFind->FindNextButton()->click();
    QCOMPARE(Selection(), CSelection({15, 17}));
    QCOMPARE(m_app.App().View()->textCursor().selectedText(), QString("す"));
}

void FindTest::selectionFillsTheFindField()
{
    m_app.App().View()->SetSelection({4, 7});
    QVERIFY(m_app.App().Frame()->Route(ID_EDIT_FIND));
    m_pFind = m_app.App().View()->FindDialog();
    QCOMPARE(m_pFind->FindEdit()->text(), QString("ABC"));
    QVERIFY(m_pFind->FindNextButton()->isEnabled());
    m_pFind->FindEdit()->clear();
    QVERIFY(!m_pFind->FindNextButton()->isEnabled());
}

QTEST_MAIN(FindTest)
#include "FindTest.moc"
