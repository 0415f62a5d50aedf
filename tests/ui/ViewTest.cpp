#include <QAccessible>
#include <QClipboard>
#include <QFontDialog>
#include <QFontInfo>
#include <QSignalSpy>
#include <QtTest>

#include "UiTestSupport.h"
#include "document/ChirpwellDoc.h"
#include "document/CommandIds.h"
#include "ui/ChirpwellView.h"
#include "ui/FontDialog.h"
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
    void keyboardCaretMovesSelectsAndCopies_data();
    void keyboardCaretMovesSelectsAndCopies();
    void screenReaderReadsTextCaretAndSelection();
    void fontDialogStartsAtTheFontInUse();

private:
    // Opens three lines, "abc", "def" and "ghi", which nothing smiles, shown and
    // focused as the user finds them.
    bool OpenThreeLines();

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

bool ViewTest::OpenThreeLines()
{
    const QString path = WriteFile(m_files, "lines.txt", "abc\r\ndef\r\nghi");
    if (!m_app.App().Document()->OpenDocumentFile(ToPath(path)) ||
        m_pView->GetText() != "abc\r\ndef\r\nghi" || !Reactivate(m_app.App().Frame()))
        return false;
    m_pView->setFocus();
    return QTest::qWaitForWindowActive(m_app.App().Frame()) && m_pView->hasFocus();
}

void ViewTest::keyboardCaretMovesSelectsAndCopies_data()
{
    // Keys pressed from the start of the text, and the byte selection they leave;
    // "abc\r\ndef\r\nghi" has its lines at bytes 0, 5 and 10.
    using CKeys = QList<QKeyCombination>;
    QTest::addColumn<CKeys>("keys");
    QTest::addColumn<CSelection>("selection");
    QTest::addColumn<QString>("copied");
    const auto shift = [](Qt::Key key) { return QKeyCombination(Qt::ShiftModifier, key); };
    const auto ctrl = [](Qt::Key key) { return QKeyCombination(Qt::ControlModifier, key); };
    QTest::newRow("arrows") << CKeys{Qt::Key_Right, Qt::Key_Down, Qt::Key_Right, Qt::Key_Left}
                            << CSelection{6, 6} << QString();
    QTest::newRow("End") << CKeys{Qt::Key_Down, Qt::Key_End} << CSelection{8, 8} << QString();
    QTest::newRow("Home") << CKeys{Qt::Key_Down, Qt::Key_End, Qt::Key_Home} << CSelection{5, 5}
                          << QString();
    QTest::newRow("Page Down") << CKeys{Qt::Key_PageDown} << CSelection{10, 10} << QString();
    QTest::newRow("Page Up") << CKeys{Qt::Key_Down, Qt::Key_Right, Qt::Key_PageUp}
                             << CSelection{1, 1} << QString();
    QTest::newRow("Ctrl+End") << CKeys{ctrl(Qt::Key_End)} << CSelection{13, 13} << QString();
    QTest::newRow("Shift+End selects a line")
        << CKeys{Qt::Key_Down, shift(Qt::Key_End), ctrl(Qt::Key_C)} << CSelection{5, 8}
        << QString("def");
    QTest::newRow("Shift+Down across a line break")
        << CKeys{Qt::Key_Right, shift(Qt::Key_Down), ctrl(Qt::Key_C)} << CSelection{1, 6}
        << QString("bc\nd");
    QTest::newRow("Shift+Page Down to the end")
        << CKeys{shift(Qt::Key_PageDown), shift(Qt::Key_End), ctrl(Qt::Key_C)}
        << CSelection{0, 13} << QString("abc\ndef\nghi");
}

void ViewTest::keyboardCaretMovesSelectsAndCopies()
{
    QFETCH(QList<QKeyCombination>, keys);
    QFETCH(CSelection, selection);
    QFETCH(QString, copied);
    QVERIFY(OpenThreeLines());
    QApplication::clipboard()->setText("before");
    for (const QKeyCombination key : keys)
        QTest::keyClick(m_pView, key.key(), key.keyboardModifiers());
    QCOMPARE(m_pView->GetSelection(), selection);
    QCOMPARE(QApplication::clipboard()->text(), copied.isEmpty() ? QString("before") : copied);
    // The keys move and select; nothing types into the text.
    QTest::keyClicks(m_pView, "xy");
    QTest::keyClick(m_pView, Qt::Key_Backspace);
    QCOMPARE(m_pView->GetText(), std::string("abc\r\ndef\r\nghi"));
}

void ViewTest::screenReaderReadsTextCaretAndSelection()
{
    QVERIFY(OpenThreeLines());
    // What Qt's accessibility bridge reads for a screen reader.
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(m_pView);
    QVERIFY(view);
    QCOMPARE(view->role(), QAccessible::EditableText);
    QVERIFY(view->state().readOnly);
    QVERIFY(view->state().focused);
    QAccessibleTextInterface* text = view->textInterface();
    QVERIFY(text);
    QCOMPARE(text->characterCount(), 11);
    QCOMPARE(text->text(0, text->characterCount()), QString("abc\ndef\nghi"));

    QTest::keyClick(m_pView, Qt::Key_Down);
    QTest::keyClick(m_pView, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(m_pView, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(text->cursorPosition(), 6);
    QCOMPARE(text->selectionCount(), 1);
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(QPair(start, end), QPair(4, 6));
    QCOMPARE(text->text(start, end), QString("de"));

    // A selection the program sets in bytes reads the same way.
    m_pView->SetSelection({10, 13});
    text->selection(0, &start, &end);
    QCOMPARE(QPair(start, end), QPair(8, 11));
}

void ViewTest::fontDialogStartsAtTheFontInUse()
{
    // The profile's "FixedSys" is no face of this system; the dialog shows the face
    // the text is shown in, at its size.
    const QString shown = QFontInfo(m_pView->DisplayFont()).family();
    QVERIFY(shown != "FixedSys");
    CModalAnswerer answers;
    QFont started;
    answers.Answer([&started](QWidget* widget) {
        auto* dialog = qobject_cast<CFontDialog*>(widget);
        if (!dialog)
            return false;
        started = dialog->FontPicker()->currentFont();
        QTimer::singleShot(0, dialog, &QDialog::reject);
        return true;
    });
    QVERIFY(m_app.App().Frame()->Route(ID_FONT));
    QCOMPARE(answers.Remaining(), 0);
    QCOMPARE(started.family(), shown);
    QCOMPARE(started.pointSize(), 14);
}

QTEST_MAIN(ViewTest)
#include "ViewTest.moc"
