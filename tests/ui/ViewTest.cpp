#include <QSignalSpy>
#include <QtTest>

#include "UiTestSupport.h"
#include "document/ChirpwellDoc.h"
#include "ui/ChirpwellView.h"
#include "ui/MainFrame.h"
#include "ui/TextCodec.h"

using namespace uitest;

class ViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpEnvironment(); }
    void init();
    void cleanup() { m_app.Stop(); }

    void openPutsOnlyTheSmiledTextInTheWidget();
    void textTooLongToSmileIsShownAsRead();
    void characterBeyondUffffIsSelectedWhole();

private:
    CTestApp m_app;
    QTemporaryDir m_files;
    CChirpwellView* m_pView = nullptr;
};

void ViewTest::init()
{
    ClearProfile();
    WriteProfile("Settings/frequency", 100);
    QVERIFY(m_app.Start());
    m_pView = m_app.App().View();
}

void ViewTest::openPutsOnlyTheSmiledTextInTheWidget()
{
    // "です。" smiles to "ではありません。"; the widget never holds the plain text.
    const QString path = WriteFile(m_files, "desu.txt", "\x82\xC5\x82\xB7\x81\x42");
    QSignalSpy changes(m_pView, &QPlainTextEdit::textChanged);
    QVERIFY(m_app.App().Document()->OpenDocumentFile(ToPath(path)));
    QTRY_COMPARE(m_pView->toPlainText(), QString("ではありません。"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(m_pView->GetSelection(), CSelection({0, 0}));
}

void ViewTest::textTooLongToSmileIsShownAsRead()
{
    // Longer than a smile may start on: the smile is refused and the text stays as read.
    std::string text;
    while (text.size() < 600000)
        text += std::string(78, 'a') + "\r\n";
    const QString path = WriteFile(m_files, "long.txt", text);
    CModalAnswerer answers;
    answers.OnMessageBox();
    QVERIFY(m_app.App().Document()->OpenDocumentFile(ToPath(path)));
    QCOMPARE(answers.Texts(), QStringList{"文字列の長さが限界を超えました。この変換は無効です。"});
    QCOMPARE(m_pView->GetText(), text);
    // Each CR LF shows as one line break.
    QTRY_COMPARE(m_pView->toPlainText().size(), qsizetype(text.size() / 80 * 79));
    QVERIFY(m_pView->toPlainText().startsWith(QString(78, 'a') + "\n" + QString(78, 'a')));
}

void ViewTest::characterBeyondUffffIsSelectedWhole()
{
    // "a🌸b" in UTF-8: the blossom, which CP932 lacks, takes a code of two bytes and
    // shows as two UTF-16 units.
    const QString path = WriteFile(m_files, "blossom.txt", "a\xF0\x9F\x8C\xB8" "b");
    QVERIFY(m_app.App().Document()->OpenDocumentFile(ToPath(path)));
    QCOMPARE(m_pView->GetText().size(), std::size_t(4));
    m_pView->SetSelection({1, 3});
    QCOMPARE(m_pView->textCursor().selectedText(), QString::fromUtf8("\xF0\x9F\x8C\xB8"));
    QCOMPARE(m_pView->GetSelection(), CSelection({1, 3}));
    // A selection the user makes is given back in bytes, the blossom whole.
    QVERIFY(Reactivate(m_app.App().Frame()));
    m_pView->setFocus();
    QTest::keyClick(m_pView, Qt::Key_Home);
    QTest::keyClick(m_pView, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(m_pView, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(m_pView->GetSelection(), CSelection({0, 3}));
}

QTEST_MAIN(ViewTest)
#include "ViewTest.moc"
