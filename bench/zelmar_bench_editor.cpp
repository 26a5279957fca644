// zelmar_bench_editor FILE [--rounds N]: what a user waits for on the first molecule edit
// right after the start (the busy cursor, the dialog), how soon the editor page is ready after
// the main window shows, and how long opening the editor on a record's molecule and reading
// the drawing back take once it is.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Zelmar_Dialog_EditChemistry.h"
#include "Zelmar_Form_Main.h"
#include "Zelmar_Object_Fields.h"
#include "Zelmar_SheetGrid.h"
#include "Zelmar_Window.h"
#include "zelmar_bench_numbers.h"

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

int StructureColumn(TZelmarWindow* sheet) {
    for (int column = 1; column < sheet->Grid()->ColCount(); ++column) {
        const TZelmarField* field = sheet->List()->GetVisibleField(column - 1);
        if (field != nullptr && field->Name == kFieldNameChemistry) return column;
    }
    return -1;
}

struct TColdOpen {
    double BusyMs = -1;          // from the key to the busy cursor
    double ShownS = -1;          // from the key to the dialog on the screen
    double ReadyS = -1;          // from the window showing to the page being ready
    double WithoutCursorMs = 0;  // of the wait for the dialog, the time without the cursor
};

// F2 on the first structure cell while the page is still starting, as a user does it at once
// after the start; the dialog is closed as soon as it shows.
TColdOpen OpenCold(TZelmarWindow* sheet, TZelmarDialogEditChemistry* editor,
                   const QElapsedTimer& sinceShown) {
    TColdOpen result;
    QElapsedTimer sinceKey;
    QTimer sampler;
    qint64 lastNs = 0;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (!sinceKey.isValid()) return;
        const qint64 nowNs = sinceKey.nsecsElapsed();
        const bool busy = QApplication::overrideCursor() != nullptr;
        if (result.BusyMs < 0 && busy) result.BusyMs = nowNs / 1e6;
        if (result.ReadyS < 0 && editor->PageReady())
            result.ReadyS = sinceShown.nsecsElapsed() / 1e9;
        if (result.ShownS >= 0) return;
        if (editor->isVisible()) {
            result.ShownS = nowNs / 1e9;
            editor->reject();
            return;
        }
        if (!busy) result.WithoutCursorMs += (nowNs - lastNs) / 1e6;
        lastNs = nowNs;
    });
    sampler.start(2);
    if (!sheet->Grid()->SelectCell(StructureColumn(sheet), 1)) return result;
    sinceKey.start();
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(sheet->Grid(), &f2);
    ProcessUntil([&] { return result.ShownS >= 0 && !editor->isVisible(); }, 120000);
    return result;
}

}  // namespace

int main(int programArgc, char* programArgv[]) {
    if (programArgc < 2) {
        std::fprintf(stderr,
                     "usage: zelmar_bench_editor FILE [--rounds N]\n  a main window (offscreen) "
                     "shows, its molecule editor loads its page, then opens N times on the "
                     "molecules of FILE and reads each drawing back: records, first_busy_ms, "
                     "first_without_cursor_ms and first_open_s (the first edit of a structure cell "
                     "at once after the start: "
                     "busy cursor and dialog), page_ready_s (after the window showed), open_ms and "
                     "read_back_ms (mean, max)\n");
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
    KeepNumbersMachineReadable();

    QElapsedTimer sinceShown;
    TZelmar_FormMain form({"/LNG=DE"});
    form.show();
    sinceShown.start();
    form.DoOpenNewFile(file);
    TZelmarWindow* sheet = form.GetCurrentChildWindow();
    ProcessUntil([&] { return sheet != nullptr && sheet->List()->GetLoadFinished(); }, 600000);
    if (sheet == nullptr || sheet->List()->GetCount() == 0) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
    }
    TZelmarDialogEditChemistry* editor = form.EditChemistryDialog();
    const TColdOpen cold = OpenCold(sheet, editor, sinceShown);
    if (cold.ShownS < 0 || !editor->ReloadDrawlet()) {
        std::fprintf(stderr, "the editor page did not load\n");
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
        "{\"records\":%d,\"first_busy_ms\":%.1f,\"first_without_cursor_ms\":%.1f,"
        "\"first_open_s\":%.3f,\"page_ready_s\":%.3f,"
        "\"open_ms_mean\":%.1f,\"open_ms_max\":%.1f,\"read_back_ms_mean\":%.1f,"
        "\"read_back_ms_max\":%.1f}\n",
        sheet->List()->GetCount(), cold.BusyMs, cold.WithoutCursorMs, cold.ShownS, cold.ReadyS,
        mean(openMs), *std::max_element(openMs.begin(), openMs.end()), mean(readMs),
        *std::max_element(readMs.begin(), readMs.end()));
    return 0;
}
