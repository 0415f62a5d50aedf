#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "UiTestSupport.h"
#include "document/ChirpwellDoc.h"
#include "document/CommandIds.h"
#include "ui/ChirpwellView.h"
#include "ui/MainFrame.h"

using namespace uitest;

namespace {

using EPress = CModalAnswerer::EPress;

// "n テスト笑顔" and "r です。 でした。": a set of one rule.
const std::string kGoodSmileFile =
    "n \x83\x65\x83\x58\x83\x67\x8F\xCE\x8A\xE7\r\n"
    "r \x82\xC5\x82\xB7\x81\x42 \x82\xC5\x82\xB5\x82\xBD\x81\x42\r\n";
// "n 二番" and a rule "。" to "！": another set.
const std::string kOtherSmileFile = "n \x93\xF1\x94\xD4\r\nr \x81\x42 \x81\x49\r\n";
// A good rule, then "xyz", which is no command with a separator: line 2 is bad.
const std::string kBadSmileFile = "r \x81\x42 \x81\x49\r\nxyz\r\n";

const std::string kDesu = "\x82\xC5\x82\xB7\x81\x42";          // です。
const std::string kDeshita = "\x82\xC5\x82\xB5\x82\xBD\x81\x42";  // でした。

// Types text into a field one character at a time, as a keyboard or an input
// method hands it over.
void Type(QLineEdit* field, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &release);
    }
}

class CNoNotifier : public INotifier {
public:
    void ShowMessage(const std::string&) override { ++m_nShown; }
    int m_nShown = 0;
};

}  // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpEnvironment(); }
    void init();
    void cleanup() { m_app.Stop(); }

    void okRefusesAndFocusesTheField_data();
    void okRefusesAndFocusesTheField();
    void okAcceptsFrequencyAtBothEnds_data();
    void okAcceptsFrequencyAtBothEnds();
    void storedValuesShowUnchangedAndAreRefusedOnOk();
    void typingStopsAtTheFieldsByteLimit();
    void loadButtonLoadsSmileFileAndNamesIt();
    void badSmileFileReportsLineThenFailureAndShowsBuiltInSet();
    void cancelRestoresTheSetInUseBefore();
    void cancelKeepsTheSixValues();
    void focusIsOnOkAtOpenAndAfterCancelledFileDialog();

private:
    void Start();
    CConverter& Converter() { return m_app.App().Document()->Converter(); }

    CTestApp m_app;
    QTemporaryDir m_files;
};

void SettingsDialogTest::init()
{
    ClearProfile();
    WriteProfile("Settings/frequency", 100);
}

void SettingsDialogTest::Start()
{
    QVERIFY(m_app.Start());
}

void SettingsDialogTest::okRefusesAndFocusesTheField_data()
{
    QTest::addColumn<int>("field");  // 0 frequency, 1 half-width, 2 full-width
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("letters") << 0 << "abc" << "整数を入力してください。";
    QTest::newRow("empty") << 0 << "" << "整数を入力してください。";
    QTest::newRow("4") << 0 << "4" << "5 から 100 までの整数を入力してください。";
    QTest::newRow("101") << 0 << "101" << "5 から 100 までの整数を入力してください。";
    QTest::newRow("half-width of 2 bytes") << 1 << "**" << "1 文字以内で入力してください。";
    QTest::newRow("half-width of a 2-byte character") << 1 << "●" << "1 文字以内で入力してください。";
    QTest::newRow("full-width of 3 bytes") << 2 << "●a" << "2 文字以内で入力してください。";
}

void SettingsDialogTest::okRefusesAndFocusesTheField()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Start();
    auto fieldOf = [field](CSettingsDialog& dialog) {
        return field == 0 ? dialog.FrequencyEdit()
                          : field == 1 ? dialog.HankakuEdit() : dialog.ZenkakuEdit();
    };
    bool focused = false;
    CModalAnswerer answers;
    answers.OnSettingsDialog([&](CSettingsDialog& dialog) { fieldOf(dialog)->setText(text); },
                             EPress::Ok);
    answers.OnMessageBox();
    answers.OnSettingsDialog(
        [&](CSettingsDialog& dialog) { focused = dialog.focusWidget() == fieldOf(dialog); },
        EPress::Cancel);
    QVERIFY(m_app.App().Frame()->Route(ID_SETTINGS));
    QCOMPARE(answers.Remaining(), 0);
    QCOMPARE(answers.Texts(), QStringList{message});
    QCOMPARE(answers.Boxes()[0].m_strTitle, QString("Chirpwell"));
    QVERIFY(focused);
    QCOMPARE(Converter().m_nFrequency, 100);
    QCOMPARE(Converter().m_strHankaku, std::string("*"));
    QCOMPARE(Converter().m_strZenkaku, std::string("\x81\x9C"));
}

void SettingsDialogTest::okAcceptsFrequencyAtBothEnds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("frequency");
    QTest::newRow("5") << "5" << 5;
    QTest::newRow("100") << "100" << 100;
    QTest::newRow("blanks around") << " 42 " << 42;
}

void SettingsDialogTest::okAcceptsFrequencyAtBothEnds()
{
    QFETCH(QString, text);
    QFETCH(int, frequency);
    WriteProfile("Settings/frequency", 50);
    Start();
    CModalAnswerer answers;
    answers.OnSettingsDialog(
        [&](CSettingsDialog& dialog) {
            dialog.FrequencyEdit()->setText(text);
            dialog.findChildren<QCheckBox*>().at(0)->setChecked(true);
        },
        EPress::Ok);
    QVERIFY(m_app.App().Frame()->Route(ID_SETTINGS));
    QCOMPARE(answers.Remaining(), 0);
    // No file is open, so no reload question follows.
    QCOMPARE(answers.Texts(), QStringList());
    QCOMPARE(Converter().m_nFrequency, frequency);
    QVERIFY(Converter().m_bHTMLCut);
}

void SettingsDialogTest::storedValuesShowUnchangedAndAreRefusedOnOk()
{
    WriteProfile("Settings/frequency", 2);
    WriteProfile("Settings/Hankaku", "**");
    Start();
    QString shownFrequency;
    QString shownHankaku;
    bool hankakuFocused = false;
    CModalAnswerer answers;
    answers.OnSettingsDialog(
        [&](CSettingsDialog& dialog) {
            shownFrequency = dialog.FrequencyEdit()->text();
            shownHankaku = dialog.HankakuEdit()->text();
        },
        EPress::Ok);
    answers.OnMessageBox();
    answers.OnSettingsDialog([](CSettingsDialog& dialog) { dialog.FrequencyEdit()->setText("5"); },
                             EPress::Ok);
    answers.OnMessageBox();
    answers.OnSettingsDialog(
        [&](CSettingsDialog& dialog) {
            hankakuFocused = dialog.focusWidget() == dialog.HankakuEdit();
            // A stored text over the limit can still be shortened.
            dialog.HankakuEdit()->setFocus();
            dialog.HankakuEdit()->end(false);
            QTest::keyClick(dialog.HankakuEdit(), Qt::Key_Backspace);
        },
        EPress::Ok);
    QVERIFY(m_app.App().Frame()->Route(ID_SETTINGS));
    QCOMPARE(answers.Remaining(), 0);
    QCOMPARE(shownFrequency, QString("2"));
    QCOMPARE(shownHankaku, QString("**"));
    QCOMPARE(answers.Texts(), QStringList({"5 から 100 までの整数を入力してください。",
                                           "1 文字以内で入力してください。"}));
    QVERIFY(hankakuFocused);
    QCOMPARE(Converter().m_nFrequency, 5);
    QCOMPARE(Converter().m_strHankaku, std::string("*"));
}

void SettingsDialogTest::typingStopsAtTheFieldsByteLimit()
{
    Start();
    CNoNotifier notifier;
    CSettingsValues values;
    values.m_nFrequency = 10;
    CSettingsDialog dialog(values, Converter(), notifier);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    Type(dialog.HankakuEdit(), "ab");
    QCOMPARE(dialog.HankakuEdit()->text(), QString("a"));
    // Typing over the selected character may not bring in a longer one.
    dialog.HankakuEdit()->selectAll();
    Type(dialog.HankakuEdit(), "●");
    QCOMPARE(dialog.HankakuEdit()->text(), QString("a"));
    dialog.HankakuEdit()->selectAll();
    Type(dialog.HankakuEdit(), "b");
    QCOMPARE(dialog.HankakuEdit()->text(), QString("b"));
    dialog.HankakuEdit()->setText(QString());
    Type(dialog.HankakuEdit(), "●");
    QCOMPARE(dialog.HankakuEdit()->text(), QString());
    // Half-width katakana is one byte in CP932.
    Type(dialog.HankakuEdit(), "ｱｲ");
    QCOMPARE(dialog.HankakuEdit()->text(), QString("ｱ"));

    Type(dialog.ZenkakuEdit(), "●■");
    QCOMPARE(dialog.ZenkakuEdit()->text(), QString("●"));
    dialog.ZenkakuEdit()->setText(QString());
    Type(dialog.ZenkakuEdit(), "abc");
    QCOMPARE(dialog.ZenkakuEdit()->text(), QString("ab"));
    // Two one-byte characters selected and replaced by one two-byte character fit.
    dialog.ZenkakuEdit()->selectAll();
    Type(dialog.ZenkakuEdit(), "■");
    QCOMPARE(dialog.ZenkakuEdit()->text(), QString("■"));
    dialog.ZenkakuEdit()->setText(QString());
    Type(dialog.ZenkakuEdit(), "a●");
    QCOMPARE(dialog.ZenkakuEdit()->text(), QString("a"));
    QCOMPARE(notifier.m_nShown, 0);
}

void SettingsDialogTest::loadButtonLoadsSmileFileAndNamesIt()
{
    const QString smileFile = WriteFile(m_files, "test.grn", kGoodSmileFile);
    const QString text = WriteFile(m_files, "desu.txt", kDesu);
    Start();
    QString title;
    QString titleAtOpen;
    bool okFocused = false;
    CModalAnswerer answers;
    answers.OnSettingsDialog(
        [&](CSettingsDialog& dialog) {
            titleAtOpen = dialog.SetBox()->title();
            dialog.FrequencyEdit()->setFocus();
            dialog.LoadButton()->click();
        },
        EPress::None);
    answers.OnFileDialog(smileFile);
    answers.OnSettingsDialog(
        [&](CSettingsDialog& dialog) {
            title = dialog.SetBox()->title();
            okFocused = dialog.focusWidget() == dialog.OkButton();
        },
        EPress::Ok);
    QVERIFY(m_app.App().Frame()->Route(ID_SETTINGS));
    QCOMPARE(answers.Remaining(), 0);
    QCOMPARE(answers.FileDialogTitles(), QStringList{"「微笑み文書」を選んでください。"});
    QCOMPARE(titleAtOpen, QString("変わらぬ笑顔"));
    QCOMPARE(title, QString("テスト笑顔"));
    QVERIFY(okFocused);
    QCOMPARE(Converter().Name(), std::string("\x83\x65\x83\x58\x83\x67\x8F\xCE\x8A\xE7"));
    QCOMPARE(QString::fromStdString(Converter().m_strModeFilePath), smileFile);

    // The new set is the one that smiles.
    QVERIFY(m_app.App().Document()->OpenDocumentFile(text.toStdString()));
    QCOMPARE(m_app.App().View()->GetText(), kDeshita);
}

void SettingsDialogTest::badSmileFileReportsLineThenFailureAndShowsBuiltInSet()
{
    const QString smileFile = WriteFile(m_files, "bad.grn", kBadSmileFile);
    Start();
    QString title;
    CModalAnswerer answers;
    answers.OnSettingsDialog([](CSettingsDialog& dialog) { dialog.LoadButton()->click(); },
                             EPress::None);
    answers.OnFileDialog(smileFile);
    answers.OnMessageBox();
    answers.OnMessageBox();
    answers.OnSettingsDialog([&](CSettingsDialog& dialog) { title = dialog.SetBox()->title(); },
                             EPress::Ok);
    QVERIFY(m_app.App().Frame()->Route(ID_SETTINGS));
    QCOMPARE(answers.Remaining(), 0);
    QCOMPARE(answers.Texts(), QStringList({"第2行で読み込みエラーが起きました。",
                                           "設定ファイルのロードに失敗しました。"}));
    QCOMPARE(title, QString("変わらぬ笑顔"));
    QCOMPARE(Converter().Name(), std::string("\x95\xCF\x82\xED\x82\xE7\x82\xCA\x8F\xCE\x8A\xE7"));
}

void SettingsDialogTest::cancelRestoresTheSetInUseBefore()
{
    const QString first = WriteFile(m_files, "first.grn", kGoodSmileFile);
    const QString other = WriteFile(m_files, "other.grn", kOtherSmileFile);
    WriteProfile("Settings/modeFilePath", first);
    Start();
    QCOMPARE(Converter().Name(), std::string("\x83\x65\x83\x58\x83\x67\x8F\xCE\x8A\xE7"));

    QString loadedTitle;
    CModalAnswerer answers;
    answers.OnSettingsDialog([](CSettingsDialog& dialog) { dialog.LoadButton()->click(); },
                             EPress::None);
    answers.OnFileDialog(other);
    answers.OnSettingsDialog(
        [&](CSettingsDialog& dialog) { loadedTitle = dialog.SetBox()->title(); }, EPress::Cancel);
    QVERIFY(m_app.App().Frame()->Route(ID_SETTINGS));
    QCOMPARE(answers.Remaining(), 0);
    QCOMPARE(loadedTitle, QString("二番"));
    QCOMPARE(Converter().Name(), std::string("\x83\x65\x83\x58\x83\x67\x8F\xCE\x8A\xE7"));
    QCOMPARE(QString::fromStdString(Converter().m_strModeFilePath), first);
    QCOMPARE(answers.Texts(), QStringList());

    QString titleNextTime;
    answers.OnSettingsDialog(
        [&](CSettingsDialog& dialog) { titleNextTime = dialog.SetBox()->title(); },
        EPress::Cancel);
    QVERIFY(m_app.App().Frame()->Route(ID_SETTINGS));
    QCOMPARE(titleNextTime, QString("テスト笑顔"));
    m_app.Stop();
    QCOMPARE(ReadProfile("Settings/modeFilePath").toString(), first);
}

void SettingsDialogTest::cancelKeepsTheSixValues()
{
    Start();
    CModalAnswerer answers;
    answers.OnSettingsDialog(
        [](CSettingsDialog& dialog) {
            dialog.FrequencyEdit()->setText("50");
            dialog.HankakuEdit()->setText("#");
            for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
                box->setChecked(!box->isChecked());
        },
        EPress::Cancel);
    const bool returnCode = Converter().m_bReturnCode;
    QVERIFY(m_app.App().Frame()->Route(ID_SETTINGS));
    QCOMPARE(answers.Remaining(), 0);
    QCOMPARE(Converter().m_nFrequency, 100);
    QCOMPARE(Converter().m_strHankaku, std::string("*"));
    QVERIFY(!Converter().m_bHTMLCut);
    QVERIFY(!Converter().m_bCPPCut);
    QCOMPARE(Converter().m_bReturnCode, returnCode);
}

void SettingsDialogTest::focusIsOnOkAtOpenAndAfterCancelledFileDialog()
{
    Start();
    bool okAtOpen = false;
    bool okAfterLoad = false;
    CModalAnswerer answers;
    answers.OnSettingsDialog(
        [&](CSettingsDialog& dialog) {
            okAtOpen = dialog.focusWidget() == dialog.OkButton();
            dialog.ZenkakuEdit()->setFocus();
            dialog.LoadButton()->click();
        },
        EPress::None);
    answers.OnFileDialog(QString());
    answers.OnSettingsDialog(
        [&](CSettingsDialog& dialog) { okAfterLoad = dialog.focusWidget() == dialog.OkButton(); },
        EPress::Cancel);
    QVERIFY(m_app.App().Frame()->Route(ID_SETTINGS));
    QCOMPARE(answers.Remaining(), 0);
    QVERIFY(okAtOpen);
    QVERIFY(okAfterLoad);
    QCOMPARE(Converter().Name(), std::string("\x95\xCF\x82\xED\x82\xE7\x82\xCA\x8F\xCE\x8A\xE7"));
}

QTEST_MAIN(SettingsDialogTest)
#include "SettingsDialogTest.moc"
