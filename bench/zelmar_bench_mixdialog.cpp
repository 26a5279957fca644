// zelmar_bench mix-dialog: the same mix as "mix", but through the mixing dialog's OK, with its
// progress panel and event handling, so that the dialog's own cost shows beside the mix's.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Zelmar_Dialog_MixSheets.h"
#include "vesk_Dispatcher.h"
#include "zelmar_bench_numbers.h"

namespace {

bool LoadSheet(platform::TQueuedUiDispatcher& ui, TZelmarSDFileDataList& list,
               const std::string& file) {
    if (!list.LoadFile(file)) {
        std::fprintf(stderr, "cannot start reading %s\n", file.c_str());
        return false;
    }
    while (!list.GetLoadFinished()) ui.WaitAndProcess(std::chrono::milliseconds(1));
    return true;
}

int OperationFor(const std::string& op) {
    if (op == "intersect") return TZelmarMixWindows::moIntersect;
    if (op == "merge") return TZelmarMixWindows::moMerge;
    if (op == "left-minus-right") return TZelmarMixWindows::moLeftMinusRight;
    if (op == "right-minus-left") return TZelmarMixWindows::moRightMinusLeft;
    return 0;
}

}  // namespace

// mix-dialog LEFT RIGHT --op intersect|merge|left-minus-right|right-minus-left
int RunMixDialog(const std::string& leftFile, const std::vector<std::string>& args) {
    if (args.size() < 3 || args[1] != "--op") return 2;
    const int operation = OperationFor(args[2]);
    if (operation == 0) return 2;
    int argc = 1;
    char name[] = "zelmar_bench";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    KeepNumbersMachineReadable();
    platform::TQueuedUiDispatcher ui;
    TZelmarSDFileDataList left(&ui), right(&ui);
    if (!LoadSheet(ui, left, leftFile) || !LoadSheet(ui, right, args[0])) return 1;

    TZelmarDialogMixSheets dialog;
    dialog.OnGetAvailableSheets = [&](TZelmarDialogMixSheets*, std::vector<TZelmarMixSheet>& out) {
        out.resize(2);
        out[0].Caption = leftFile;
        out[0].List = &left;
        out[1].Caption = args[0];
        out[1].List = &right;
        return true;
    };
    dialog.OnGetNextSearchResultCaption = [](TZelmarDialogMixSheets*, std::string& caption) {
        caption = "bench";
    };
    dialog.show();
    QApplication::processEvents();
    dialog.LbRightSheets->setCurrentRow(1);
    dialog.SelectOperation(operation);
    const auto start = std::chrono::steady_clock::now();
    dialog.BtnOk->click();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (dialog.result() != QDialog::Accepted) return 1;
    std::printf("{\"left\":%d,\"right\":%d,\"result\":%d,\"seconds\":%.6f}\n", left.GetCount(),
                right.GetCount(), dialog.GetResultList().GetCount(), seconds);
    return 0;
}
