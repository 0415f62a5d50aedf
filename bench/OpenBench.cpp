// How long opening a large file takes in the desktop program: from the open command
// to the smiled text painted in the view, with the real view, progress window and
// document on the offscreen platform. Beside it, the floor Qt sets: the same text,
// already decoded, put in a bare text box and painted.
//
// A timed round is a function of its own, so that a profiler can count the timed
// rounds alone, without start-up and the first round that loads the glyphs:
//   valgrind --tool=callgrind --collect-atstart=no --toggle-collect='*TimedRound*'
//       build-bench/bench/chirpwell_ui_bench --benchmark_filter=BM_OpenProse/

#include <cstdio>
#include <functional>
#include <string>

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "bench/BenchInputs.h"
#include "document/ChirpwellDoc.h"
#include "document/DisplayText.h"
#include "document/IPrompter.h"
#include "document/ProcessWorkingDirectory.h"
#include "document/RecentFileList.h"
#include "engine/Limits.h"
#include "engine/SystemClock.h"
#include "engine/files/FileWriter.h"
#include "engine/text/Codec.h"
#include "engine/text/Cp932.h"
#include "tests/fakes/FakeProfile.h"
#include "ui/ChirpwellView.h"
#include "ui/DialogUnits.h"
#include "ui/MainFrame.h"
#include "ui/ProgressDialog.h"

namespace {

// Answers every question with No and shows nothing, so no box stops the clock.
class CSilentPrompter : public IPrompter {
public:
    void ShowMessage(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseFileToOpen(const CFileDialogOptions&) override { return {}; }
    std::optional<std::string> ChooseFileToSave(const CFileDialogOptions&) override { return {}; }
    bool RunSettingsDialog(CSettingsValues&, CConverter&) override { return false; }
};

// Counts the paintings of a widget.
class CPaintCounter : public QObject {
public:
    explicit CPaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int m_nPaints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_nPaints;
        return false;
    }
};

// A command, then the event loop as the program runs it until two turns in a row
// paint nothing; false when the widget was never painted.
bool RunAndPaint(const std::function<void()>& command, CPaintCounter& paints)
{
    paints.m_nPaints = 0;
    command();
    int quietTurns = 0;
    for (int turn = 0; turn < 100 && quietTurns < 2; ++turn) {
        const int before = paints.m_nPaints;
        QApplication::processEvents();
        quietTurns = paints.m_nPaints == before ? quietTurns + 1 : 0;
    }
    return paints.m_nPaints > 0;
}

// Not folded into RunAndPaint, whose body it shares, so that the first round stays
// out of a profile of the timed ones.
[[gnu::noinline, gnu::no_icf]] bool TimedRound(const std::function<void()>& command,
                                               CPaintCounter& paints)
{
    return RunAndPaint(command, paints);
}

// Times command in a shown main window around box, after a first round that loads
// the glyphs.
void TimeRounds(benchmark::State& state, CMainFrame& frame, QWidget& box,
                const std::function<void()>& command, std::size_t bytes)
{
    frame.resize(800, 600);
    frame.show();
    QApplication::processEvents();
    CPaintCounter paints(box);
    if (!RunAndPaint(command, paints)) {
        state.SkipWithError("the text was never painted");
        return;
    }
    for (auto _ : state) {
        if (!TimedRound(command, paints)) {
            state.SkipWithError("the text was never painted");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void OpenAndShow(benchmark::State& state, const std::string& text)
{
    QTemporaryDir folder;
    const std::string path = QDir(folder.path()).filePath("text.txt").toStdString();
    std::error_code error;
    if (!CFileWriter(path).Write(text, error)) {
        state.SkipWithError("cannot write the input file");
        return;
    }
    CFakeProfile profile;
    CRecentFileList recentFiles;
    CSilentPrompter prompter;
    CSystemClock clock;
    CProcessWorkingDirectory workingDirectory;
    CMainFrame frame(recentFiles);
    CProgressFactory progressFactory(&frame);
    CChirpwellDoc document({prompter, progressFactory, profile, clock, workingDirectory, frame});
    auto* view = new CChirpwellView(document, profile, &frame);
    frame.setCentralWidget(view);
    document.SetView(view);
    view->OnInitialUpdate();
    TimeRounds(state, frame, *view->viewport(),
               [&document, &path] { document.OpenDocumentFile(path); }, text.size());
    document.SetView(nullptr);
}

// The text as the view shows it, put straight into a text box set up as the view is.
void QtFloor(benchmark::State& state, const std::string& text)
{
    CRecentFileList recentFiles;
    CMainFrame frame(recentFiles);
    auto* box = new QPlainTextEdit(&frame);
    frame.setCentralWidget(box);
    CFakeProfile profile;
    CDisplaySettings settings;
    settings.Load(profile);
    QFont font(QString::fromStdString(settings.m_strFont));
    font.setPointSizeF(settings.m_nFontSize / 10.0);
    box->setFont(font);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setUndoRedoEnabled(false);
    box->setReadOnly(true);
    box->document()->setDocumentMargin(2);
    const QString shown = QString::fromStdU16String(CDisplayText(text).Shown());
    // The frame is as the open leaves it: the prose's lines are wider than the screen.
    frame.showMaximized();
    TimeRounds(state, frame, *box->viewport(), [box, &shown] { box->setPlainText(shown); },
               text.size());
}

const std::string& OneMebibyte()
{
    static const std::string text = [] {
        std::string bytes;
        while (bytes.size() + JapaneseProse().size() <= kTextLimit)
            bytes += JapaneseProse();
        return bytes;
    }();
    return text;
}

void BM_OpenProse(benchmark::State& state)
{
    OpenAndShow(state, JapaneseProse());
}
BENCHMARK(BM_OpenProse)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same prose in UTF-8, which is transcoded as it is read.
void BM_OpenProseUtf8(benchmark::State& state)
{
    std::string utf8;
    Cp932ToUtf8(JapaneseProse(), utf8);
    OpenAndShow(state, utf8);
}
BENCHMARK(BM_OpenProseUtf8)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Larger than a smile may grow: shown unsmiled after the refusal.
void BM_OpenOneMebibyte(benchmark::State& state)
{
    OpenAndShow(state, OneMebibyte());
}
BENCHMARK(BM_OpenOneMebibyte)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_QtFloorProse(benchmark::State& state)
{
    QtFloor(state, JapaneseProse());
}
BENCHMARK(BM_QtFloorProse)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_QtFloorOneMebibyte(benchmark::State& state)
{
    QtFloor(state, OneMebibyte());
}
BENCHMARK(BM_QtFloorOneMebibyte)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    InstallFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
