// zelmar_bench_editor FILE [--rounds N]: how soon the molecule editor is ready after the main
// window shows, and how long opening it on a record's molecule and reading the drawing back take
// once it is.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Zelmar_Dialog_EditChemistry.h"
#include "Zelmar_Form_Main.h"
#include "Zelmar_Object_Fields.h"
#include "Zelmar_Window.h"

namespace {

void ProcessUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && !clock.hasExpired(timeoutMs))
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

std::string MoleculeOf(TZelmarWindow* sheet, int position) {
    TZelmarDataCarrier data;
    TZelmarSDFileData* record = sheet->List()->GetSDFileData(position);
    TZelmarField* field = sheet->List()->GetFieldByName(kFieldNameChemistry);
    if (record == nullptr || field == nullptr || !record->GetDataForField(field, &data)) return {};
    return data.Text();
}

}  // namespace

int main(int programArgc, char* programArgv[]) {
    if (programArgc < 2) {
        std::fprintf(stderr,
                     "usage: zelmar_bench_editor FILE [--rounds N]\n  a main window (offscreen) "
                     "shows, its molecule editor loads its page, then opens N times on the "
                     "molecules of FILE and reads each drawing back: records, page_ready_s (after "
                     "the window showed), open_ms and read_back_ms (mean, max)\n");
        return 2;
    }
    const std::string file = programArgv[1];
    int rounds = 20;
    if (programArgc >= 4 && std::string(programArgv[2]) == "--rounds")
        rounds = std::max(1, std::atoi(programArgv[3]));
    TZelmarDrawletDialog::PrepareBrowserEnvironment();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "zelmar_bench";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    QElapsedTimer sinceShown;
    TZelmar_FormMain form({"/LNG=DE"});
    form.show();
    sinceShown.start();
    TZelmarDialogEditChemistry* editor = form.EditChemistryDialog();
    if (!editor->ReloadDrawlet()) {
        std::fprintf(stderr, "the editor page did not load\n");
        return 1;
    }
    const double readyS = sinceShown.nsecsElapsed() / 1e9;

    form.DoOpenNewFile(file);
    TZelmarWindow* sheet = form.GetCurrentChildWindow();
    ProcessUntil([&] { return sheet != nullptr && sheet->List()->GetLoadFinished(); }, 600000);
    if (sheet == nullptr || sheet->List()->GetCount() == 0) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
    }
    std::vector<double> openMs, readMs;
    for (int round = 0; round < rounds; ++round) {
        const std::string molecule = MoleculeOf(sheet, round % sheet->List()->GetCount());
        QElapsedTimer clock;
        clock.start();
        editor->SetMolecule(molecule);
        editor->show();
        ProcessUntil([&] { return editor->isVisible(); }, 10000);
        openMs.push_back(clock.nsecsElapsed() / 1e6);
        clock.restart();
        editor->GetChemString();
        readMs.push_back(clock.nsecsElapsed() / 1e6);
        editor->hide();
    }
    const auto mean = [](const std::vector<double>& v) {
        double sum = 0;
        for (double x : v) sum += x;
        return sum / static_cast<double>(v.size());
    };
    std::printf(
        "{\"records\":%d,\"page_ready_s\":%.3f,\"open_ms_mean\":%.1f,\"open_ms_max\":%.1f,"
        "\"read_back_ms_mean\":%.1f,\"read_back_ms_max\":%.1f}\n",
        sheet->List()->GetCount(), readyS, mean(openMs),
        *std::max_element(openMs.begin(), openMs.end()), mean(readMs),
        *std::max_element(readMs.begin(), readMs.end()));
    return 0;
}
