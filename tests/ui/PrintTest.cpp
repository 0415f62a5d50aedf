#include <cmath>

#include <QFontMetricsF>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include "UiTestSupport.h"
#include "document/ChirpwellDoc.h"
#include "document/CommandIds.h"
#include "ui/ChirpwellView.h"
#include "ui/MainFrame.h"
#include "ui/PrintService.h"
#include "ui/TextPrinter.h"

using namespace uitest;

namespace {

QString WithoutBlanks(QString text)
{
    text.remove(QRegularExpression("\\s"));
    return text;
}

// Every hiragana, every katakana and the full-width letters and digits: 231
// different two-byte characters, far too many for one printed line.
QString DistinctCharacters()
{
    QString text;
    for (char16_t c = u'ぁ'; c <= u'ん'; ++c)
        text += QChar(c);
    for (char16_t c = u'ァ'; c <= u'ヶ'; ++c)
        text += QChar(c);
    for (char16_t c = u'Ａ'; c <= u'Ｚ'; ++c)
        text += QChar(c);
    for (char16_t c = u'ａ'; c <= u'ｚ'; ++c)
        text += QChar(c);
    for (char16_t c = u'０'; c <= u'９'; ++c)
        text += QChar(c);
    return text;
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { m_app.Stop(); }

    void printsTheSmiledTextUnderItsTitle();
    void directPrintCommandWritesThePrinterFile();
    void pagesFollowTheLineCount();
    void longLineOfTwoByteCharactersIsWrappedNotCut();
    void unwritablePrinterFileIsReported();

private:
    // Opens text as the document, prints it to a PDF, and gives pdftotext's text,
    // pages split at form feeds.
    QStringList PrintPages(const std::string& text, const QString& name);
    QPrinter& Printer() { return m_app.App().PrintService().Printer(); }

    CTestApp m_app;
    QTemporaryDir m_files;
    QString m_strPdfToText;
};

void PrintTest::initTestCase()
{
    SetUpEnvironment();
    m_strPdfToText = QStandardPaths::findExecutable("pdftotext");
    QVERIFY2(!m_strPdfToText.isEmpty(), "pdftotext (poppler-utils) is needed");
}

void PrintTest::init()
{
    ClearProfile();
    WriteProfile("Settings/frequency", 100);
    QVERIFY(m_app.Start());
}

QStringList PrintTest::PrintPages(const std::string& text, const QString& name)
{
    const QString path = WriteFile(m_files, name, text);
    if (!m_app.App().Document()->OpenDocumentFile(path.toStdString()))
        return {};
    const QString pdf = m_files.filePath(name + ".pdf");
    Printer().setOutputFormat(QPrinter::PdfFormat);
    Printer().setOutputFileName(pdf);
    if (!m_app.App().PrintService().PrintDirect(m_app.App().Frame(),
                                                 m_app.App().View()->PrintJob(false)))
        return {};
    QProcess process;
    process.start(m_strPdfToText, {"-layout", "-enc", "UTF-8", pdf, "-"});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split('\f');
    // Read in the layout of the page, pdftotext keeps the header on its line;
    // it ends the last page with a form feed too.
    if (!pages.isEmpty() && WithoutBlanks(pages.back()).isEmpty())
        pages.removeLast();
    return pages;
}

void PrintTest::printsTheSmiledTextUnderItsTitle()
{
    // "です。\r\nです。" smiles to "ではありません。" twice.
    const QStringList pages =
        PrintPages("\x82\xC5\x82\xB7\x81\x42\r\n\x82\xC5\x82\xB7\x81\x42", "desu.txt");
    QCOMPARE(pages.size(), 1);
    QCOMPARE(WithoutBlanks(pages[0]), QString("desu.txt1/1ではありません。ではありません。"));
}

void PrintTest::directPrintCommandWritesThePrinterFile()
{
    const QString path = WriteFile(m_files, "direct.txt", "Chirpwell prints");
    QVERIFY(m_app.App().Document()->OpenDocumentFile(path.toStdString()));
    const QString pdf = m_files.filePath("direct.pdf");
    Printer().setOutputFormat(QPrinter::PdfFormat);
    Printer().setOutputFileName(pdf);
    QVERIFY(m_app.App().Frame()->Route(ID_FILE_PRINT_DIRECT));
    QProcess process;
    process.start(m_strPdfToText, {"-layout", "-enc", "UTF-8", pdf, "-"});
    QVERIFY(process.waitForFinished(30000));
    QVERIFY(WithoutBlanks(QString::fromUtf8(process.readAllStandardOutput()))
                .contains("Chirpwellprints"));
}

void PrintTest::pagesFollowTheLineCount()
{
    // How many short lines a page holds: the body is the page less two lines of
    // header. Texts of one and a half and of two and a half pages leave room for
    // a few lines of difference in line height either way.
    Printer().setOutputFormat(QPrinter::PdfFormat);
    const QRectF page = Printer().pageLayout().paintRectPixels(Printer().resolution());
    const QFontMetricsF metrics(m_app.App().View()->DisplayFont(), &Printer());
    const int perPage =
        static_cast<int>(std::floor((page.height() - 2 * metrics.height()) / metrics.height()));
    QVERIFY2(perPage > 20, qPrintable(QString::number(perPage)));

    auto lines = [](int count) {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text += "L" + std::to_string(i) + (i < count ? "\r\n" : "");
        return text;
    };
    const QStringList three = PrintPages(lines(3), "three.txt");
    QCOMPARE(three.size(), 1);
    QVERIFY(WithoutBlanks(three[0]).endsWith("L1L2L3"));

    const QStringList two = PrintPages(lines(perPage * 3 / 2), "two.txt");
    QCOMPARE(two.size(), 2);
    const QStringList pages = PrintPages(lines(perPage * 5 / 2), "five-halves.txt");
    QCOMPARE(pages.size(), 3);
    for (int i = 0; i < 3; ++i)
        QVERIFY(WithoutBlanks(pages[i]).startsWith(QString("five-halves.txt%1/3").arg(i + 1)));
    // Every line once, in order, across the pages.
    QString body;
    for (const QString& text : pages)
        body += WithoutBlanks(text).section("/3", 1);
    QString expected;
    for (int i = 1; i <= perPage * 5 / 2; ++i)
        expected += QString("L%1").arg(i);
    QCOMPARE(body, expected);
}

void PrintTest::longLineOfTwoByteCharactersIsWrappedNotCut()
{
    const QString line = DistinctCharacters();
    QCOMPARE(line.size(), 231);
    // Unsmiled, so that every character is the file's own.
    m_app.App().Document()->Converter().m_nFrequency = 0;
    const QStringList pages = PrintPages(Cp932(line.toUtf8().constData()), "long.txt");
    QCOMPARE(pages.size(), 1);
    const QString printed = WithoutBlanks(pages[0]);
    for (const QChar c : line)
        QVERIFY2(printed.count(c) == 1, qPrintable(QString(c)));
    QVERIFY(printed.endsWith(line));
    // Wrapped: the line takes several lines of the page.
    QVERIFY(pages[0].trimmed().count('\n') >= 3);
}

void PrintTest::unwritablePrinterFileIsReported()
{
    const QString path = WriteFile(m_files, "x.txt", "x");
    QVERIFY(m_app.App().Document()->OpenDocumentFile(path.toStdString()));
    Printer().setOutputFormat(QPrinter::PdfFormat);
    Printer().setOutputFileName(m_files.filePath("no/such/folder/x.pdf"));
    CModalAnswerer answers;
    answers.OnMessageBox();
    QVERIFY(!m_app.App().PrintService().PrintDirect(m_app.App().Frame(),
                                                     m_app.App().View()->PrintJob(false)));
    QCOMPARE(answers.Texts(),
             QStringList{"印刷を開始できませんでした。ﾌﾟﾘﾝﾀの設定を確認してください。"});
}

QTEST_MAIN(PrintTest)
#include "PrintTest.moc"
