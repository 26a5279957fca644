#pragma once
// Opens the sheet's SD file for reading by index: the routines library scans the whole file
// once and counts its entries. The scan cannot be interrupted; stopping waits for its end.

#include <functional>
#include <string>

#include "vesk_ChemRoutines.h"
#include "vesk_Thread.h"

class TZelmarIndexingThread : public platform::TThread {
public:
    // Progress in per cent, in this thread, while the routines binding holds its lock.
    using TProgressEvent = std::function<void(TveskSDFileManager* sender, double progress)>;

    explicit TZelmarIndexingThread(platform::TUiDispatcher* dispatcher);
    ~TZelmarIndexingThread() override;

    // Set before Resume.
    std::string FileName;
    TveskSDFileManager* Manager = nullptr;  // not owned
    TProgressEvent OnProgress;

    void DoProgress(TveskSDFileManager* sender, double progress);

protected:
    void Execute() override;
};
