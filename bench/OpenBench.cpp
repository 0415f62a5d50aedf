// How long opening a large file takes in the desktop program: from the open command
// to the smiled text painted in the view, with the real view, progress window and
// document on the offscreen platform.

#include <cstdio>
#include <string>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "bench/BenchInputs.h"
#include "document/ChirpwellDoc.h"
#include "document/IPrompter.h"
#include "document/ProcessWorkingDirectory.h"
#include "document/RecentFileList.h"
#include "engine/Cp932.h"
#include "engine/SystemClock.h"
#include "engine/FileWriter.h"
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
    frame.resize(800, 600);
    view->OnInitialUpdate();
    frame.show();
    QApplication::processEvents();

    for (auto _ : state) {
        document.OpenDocumentFile(path);
        view->viewport()->repaint();
        QApplication::processEvents();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    document.SetView(nullptr);
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
    std::string text;
    while (text.size() + JapaneseProse().size() <= 1048575)
        text += JapaneseProse();
    OpenAndShow(state, text);
}
BENCHMARK(BM_OpenOneMebibyte)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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
