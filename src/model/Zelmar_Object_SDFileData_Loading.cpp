// The record list's loading face: the threads are the loading control's; the list hands it
// the file, reads records for it, and turns what it reports into the list's events, raised
// after the list's locks are released.
#include <mutex>
#include <utility>

#include "Zelmar_Object_SDFileData.h"
#include "vesk_Guard.h"

// ---- loading ------------------------------------------------------------------------------

bool TZelmarSDFileDataList::LoadFile(const std::string& fileName) {
    return Guarded("TZelmarSDFileDataList.LoadFile", false, [&] {
        if (!FLoading->MayLoad(fileName)) return false;
        FFileName = fileName;
        return FLoading->StartIndexing(fileName, PostWorkerEvents);
    });
}

void TZelmarSDFileDataList::LoadData() {
    FLoading->StartLoader();
}

bool TZelmarSDFileDataList::PauseLoaderThread() {
    return FLoading->Pause();
}

void TZelmarSDFileDataList::ContinueLoaderThread() {
    FLoading->Continue();
}

void TZelmarSDFileDataList::TerminateLoaderThread() {
    FLoading->TerminateLoader();
}

void TZelmarSDFileDataList::TerminateIndexingThread() {
    FLoading->TerminateIndexing();
}

bool TZelmarSDFileDataList::GetLoadFinished() const {
    return FLoading->LoadFinished();
}

bool TZelmarSDFileDataList::GetAllLoaded() const {
    return FLoading->AllLoaded();
}

TveskSDFileManager* TZelmarSDFileDataList::GetManager() const {
    return FLoading->Manager();
}

bool TZelmarSDFileDataList::LoadEntryData(TZelmarSDFileData* record) {
    return Guarded("TZelmarSDFileDataList.LoadEntryData", false, [&] {
        std::lock_guard<std::recursive_mutex> lock(FStore->CriticalSection());
        if (record == nullptr) return false;
        if (record->IsLoaded()) return true;
        const TZelmarEntryRead read = FLoading->ReadEntry(*record);
        if (read == TZelmarEntryRead::NotRead) return false;
        // Announced once the record lock is released (AnnounceFieldListChanges).
        if (SynchronizeFieldList(record)) FFieldsChanged = true;
        if (read == TZelmarEntryRead::Loaded) TallyValues(*record);
        return read == TZelmarEntryRead::Loaded;
    });
}

void TZelmarSDFileDataList::TallyValues(const TZelmarSDFileData& record) {
    const TZelmarRecordTexts& texts = record.Texts();
    const int records = FStore->Count();
    for (int item = 0; item < texts.DataCount(); ++item) {
        const std::uint32_t name = texts.DataNameIndex(item);
        if (name == TZelmarNamePool::kNone) continue;
        if (name >= FValueTallies.size()) FValueTallies.resize(name + 1);
        TZelmarValueTally& tally = FValueTallies[name];
        // Text columns (names, SMILES) are known as such after a few records.
        if (tally.CannotBeNumeric(records)) continue;
        const int lines = texts.LineCount(item);
        if (lines == 1) tally.Count(texts.Line(item, 0));
        // A value of several lines is a value, and no number.
        if (lines > 1) ++tally.NonEmpty;
    }
}

bool TZelmarSDFileDataList::DetectFieldKinds() {
    return Guarded("TZelmarSDFileDataList.DetectFieldKinds", false, [&] {
        std::lock_guard<std::recursive_mutex> records(FStore->CriticalSection());
        std::lock_guard<std::recursive_mutex> fields(FCritSectFields);
        bool changed = false;
        for (int i = 0; i < FFields->GetCount(); ++i) {
            TZelmarField* field = FFields->GetField(i);
            if (field->Kind != ecsdtDataText || field->KindChosen) continue;
            const std::uint32_t name = TZelmarNamePool::Shared().Find(field->Name);
            char separator = '.';
            const bool numeric = name < FValueTallies.size() &&
                                 !FValueTallies[name].CannotBeNumeric(FStore->Count()) &&
                                 FValueTallies[name].IsNumeric(separator);
            changed = changed || numeric != field->Numeric ||
                      (numeric && separator != field->DecimalSeparator);
            field->Numeric = numeric;
            field->DecimalSeparator = separator;
        }
        return changed;
    });
}

void TZelmarSDFileDataList::AnnounceFieldListChanges() {
    bool changed = false;
    {
        std::lock_guard<std::recursive_mutex> lock(FStore->CriticalSection());
        changed = std::exchange(FFieldsChanged, false);
    }
    if (!changed || !OnFieldListChanged) return;
    if (!PostWorkerEvents) {
        OnFieldListChanged(this);
        return;
    }
    FLoading->Post([this] {
        if (OnFieldListChanged) OnFieldListChanged(this);
    });
}

void TZelmarSDFileDataList::SetLastError(const std::string& error) {
    std::lock_guard<std::mutex> lock(FErrorMutex);
    FLastError = error;
}

std::string TZelmarSDFileDataList::GetLastError() const {
    std::lock_guard<std::mutex> lock(FErrorMutex);
    return FLastError;
}

// ---- what the loading control reports -----------------------------------------------------

void TZelmarSDFileDataList::TLoadingClient::IndexingStarted() {
    if (FList.OnStartIndexing) FList.OnStartIndexing(&FList);
}

void TZelmarSDFileDataList::TLoadingClient::IndexingEnded() {
    if (FList.OnEndIndexing) FList.OnEndIndexing(&FList);
}

void TZelmarSDFileDataList::TLoadingClient::LoadingStarted() {
    if (FList.OnStartLoadData) FList.OnStartLoadData(&FList);
}

void TZelmarSDFileDataList::TLoadingClient::LoadingEnded() {
    FList.DetectFieldKinds();
    if (FList.OnEndLoadData) FList.OnEndLoadData(&FList);
}

void TZelmarSDFileDataList::TLoadingClient::IndexingProgress(int percent) {
    if (FList.OnIndexingProgress) FList.OnIndexingProgress(&FList, percent);
}

bool TZelmarSDFileDataList::TLoadingClient::LoadingProgress(int percent) {
    // The progress event is optional: without it loading goes on.
    return !FList.OnLoadDataProgress || FList.OnLoadDataProgress(&FList, percent);
}

void TZelmarSDFileDataList::TLoadingClient::RecordRead() {
    FList.AnnounceFieldListChanges();
}

void TZelmarSDFileDataList::TLoadingClient::Failed(const std::string& error) {
    FList.SetLastError(error);
}
