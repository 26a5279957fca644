#pragma once
// A sheet loaded as its window drives it, for the loading and saving tests: UI-thread events
// pumped through a queued dispatcher, worker progress counted, and a gate to hold the loader.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ModelTestSupport.h"
#include "Zelmar_Object_SDFileData.h"

namespace loading_support {

using namespace testing_support;
using namespace std::chrono_literals;

// Holds a worker until opened; opens itself when it goes, so declare it after the sheet.
class TGate {
public:
    ~TGate() { Open(); }
    void Open() {
        std::lock_guard<std::mutex> lock(FMutex);
        FOpen = true;
        FChanged.notify_all();
    }
    void Wait() { WaitFor(60s); }
    // True when opened within the time.
    bool WaitFor(std::chrono::milliseconds timeout) {
        std::unique_lock<std::mutex> lock(FMutex);
        return FChanged.wait_for(lock, timeout, [this] { return FOpen; });
    }

private:
    std::mutex FMutex;
    std::condition_variable FChanged;
    bool FOpen = false;
};

// A sheet as its window drives it: UI-thread events in order, worker progress counted.
struct TSheet {
    platform::TQueuedUiDispatcher Ui;
    std::vector<std::string> Events;  // UI thread only
    std::mutex Mutex;
    std::vector<int> IndexingProgress;
    std::atomic<int> LoadProgressCalls{0};
    std::atomic<int> FieldListChanges{0};
    std::unique_ptr<TZelmarSDFileDataList> List;

    TSheet() {
        auto event = [this](const char* name) {
            return [this, name](TZelmarSDFileDataList*) { Events.push_back(name); };
        };
        List = std::make_unique<TZelmarSDFileDataList>(
            &Ui, event("start load"), event("end load"),
            [this](TZelmarSDFileDataList*, int) { return ++LoadProgressCalls > 0; },
            event("start indexing"), event("end indexing"),
            [this](TZelmarSDFileDataList*, int percent) {
                std::lock_guard<std::mutex> lock(Mutex);
                IndexingProgress.push_back(percent);
                return true;
            });
        List->OnFieldListChanged = [this](TZelmarSDFileDataList*) { ++FieldListChanges; };
    }
    bool Load(const std::string& file) {
        return List->LoadFile(file) && PumpUntil(Ui, [this] { return List->GetLoadFinished(); });
    }
};

inline std::string NumberedFile(const TTempDir& dir, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += SDRecord(MolBlock("record", {"C", "C", "O"}), {{"No", {std::to_string(i)}}});
    const std::string path = dir.File("numbered" + std::to_string(count) + ".sdf");
    WriteText(path, text);
    return path;
}

inline std::string No(TZelmarSDFileData* record) {
    TZelmarField field;
    field.Name = "No";
    field.Kind = ecsdtDataText;
    TZelmarDataCarrier carrier;
    return record != nullptr && record->GetDataForField(&field, &carrier) ? carrier.Text() : "-";
}

// What a file keeps of a record, as one text.
inline std::string Content(const TZelmarSDFileData* record) {
    const TZelmarRecordTexts& texts = record->Texts();
    std::string text = std::string(texts.MolString()) + "|";
    for (int item = 0; item < texts.DataCount(); ++item) {
        text += "<" + std::string(texts.DataName(item)) + ">";
        for (const auto& line : texts.DataLines(item)) text += line + "\n";
    }
    return text;
}

}  // namespace loading_support
