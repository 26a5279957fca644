// Reads an SD file into a sheet and saves it over itself, killing itself once the save has
// reached the given per cent: what a crash in the middle of saving leaves of the user's file.
// Usage: zelmar_save_child FILE PERCENT
#include <signal.h>

#include <cstdlib>
#include <string>

#include "ModelTestSupport.h"
#include "Zelmar_Object_SDFileData.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const std::string file = argv[1];
    const int killAt = std::atoi(argv[2]);
    platform::TQueuedUiDispatcher ui;
    TZelmarSDFileDataList list(&ui);
    if (!list.LoadFile(file)) return 3;
    if (!testing_support::PumpUntil(ui, [&] { return list.GetLoadFinished(); })) return 4;
    list.OnSaveDataProgress = [&](TZelmarSDFileDataList*, int percent) {
        if (percent >= killAt) raise(SIGKILL);
        return true;
    };
    return list.SaveFile(file) ? 0 : 5;
}
