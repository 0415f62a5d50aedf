// The bare Qt 6 program the start-up benchmark measures Chirpwell against: a main
// window with a menu bar and a status bar around a read-only, word-wrapping text
// box that holds a UTF-8 text file, at the size Chirpwell fits the sample to.
//   chirpwell_bare_qt FILE

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2)
        return 2;
    QFile file(QFile::decodeName(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        return 1;

    QMainWindow window;
    window.setWindowTitle("Bare Qt");
    window.menuBar()->addMenu("&File")->addAction("&Quit", &application, &QApplication::quit);
    window.statusBar()->showMessage("Ready");
    auto* text = new QPlainTextEdit(&window);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text->setPlainText(QString::fromUtf8(file.readAll()));
    window.setCentralWidget(text);
    window.resize(790, 460);
    window.show();
    return QApplication::exec();
}
