// Saving a sheet: records the user did not change go back byte for byte, unread ones straight
// from the file, and the new file takes the old one's place only when it is complete.
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SDFileData_Internal.h"
#include "vesk_Guard.h"

// ---- saving -------------------------------------------------------------------------------

bool TZelmarSDFileDataList::SaveFile(const std::string& fileName) {
    constexpr const char* kSource = "TZelmarSDFileDataList.SaveFile";
    return Guarded(kSource, false, [&] {
        bool saved = false;
        if (!OnStartSaveData || OnStartSaveData(this, fileName, FFileName))
            saved = Guarded(kSource, false, [&] { return WriteRecords(fileName); });
        GuardedVoid(kSource, [&] {
            if (OnEndSaveData) OnEndSaveData(this, saved);
        });
        return saved;
    });
}

bool TZelmarSDFileDataList::UsesCrLf() {
    bool crlf = false;
    FStore->ForEach([&](const TZelmarSDFileData& record) {
        const std::string_view text = record.Texts().OrgText();
        if (text.empty()) return true;
        const std::size_t lf = text.find('\n');
        crlf = lf != std::string_view::npos && lf > 0 && text[lf - 1] == '\r';
        return false;
    });
    return crlf;
}

bool TZelmarSDFileDataList::WriteRecord(TveskSDFileWriter& writer, int index, bool crlf,
                                        std::string& error, bool& readError) {
    std::lock_guard<std::recursive_mutex> lock(FStore->CriticalSection());
    TZelmarSDFileData* record = FStore->At(index);
    if (record == nullptr) {
        error = "record " + std::to_string(index + 1) + " is missing";
        readError = true;
        return false;
    }
    const TZelmarRecordTexts& texts = record->Texts();
    if (!texts.OrgText().empty() && (!texts.Loaded() || !texts.IsChanged())) {
        // Unchanged, or never understood: its bytes as they were read.
        if (writer.WriteEntryText(texts.OrgText())) return true;
        error = writer.LastError.empty() ? "the record could not be written" : writer.LastError;
        return false;
    }
    if (texts.Loaded()) {
        TveskSDFileEntry entry;
        texts.FillEntry(entry);
        entry.LastError.clear();
        if (writer.WriteEntry(&entry, crlf)) return true;
        error = !entry.LastError.empty()    ? entry.LastError
                : !writer.LastError.empty() ? writer.LastError
                                            : "the record could not be written";
        return false;
    }
    // Not read yet, or its reading failed without bytes to keep: its bytes come from the file
    // now, unchanged; a record that cannot be had fails the save rather than going missing.
    std::string text;
    TveskSDFileManager& manager = *FLoading->Manager();
    const bool fromFile = record->EntryNo() >= 0 && manager.FileHandle() != 0;
    if (!fromFile || !manager.ReadEntryText(record->EntryNo(), text)) {
        std::string reason = fromFile ? manager.LastError : record->LoadError;
        if (reason.empty()) reason = "it is no longer in its file";
        error = "record " + std::to_string(index + 1) + " cannot be read: " + reason;
        readError = true;
        return false;
    }
    if (writer.WriteEntryText(text)) return true;
    error = writer.LastError.empty() ? "the record could not be written" : writer.LastError;
    return false;
}

bool TZelmarSDFileDataList::WriteRecords(const std::string& fileName) {
    DeleteUnselected();
    std::string error;
    const bool written = WriteRecordsTo(
        fileName, false,
        [this](TZelmarSDFileDataList* sender, int percent) {
            return !OnSaveDataProgress || OnSaveDataProgress(sender, percent);
        },
        [&](bool isRecordError, const std::string& failure, int index) {
            SetLastError(failure);
            return OnSaveDataError &&
                   OnSaveDataError(this, fileName, isRecordError, failure, index);
        },
        error);
    if (!written) {
        SetLastError(error);
        return false;
    }
    FFileName = fileName;
    return true;
}

bool TZelmarSDFileDataList::WriteCopyTo(const std::string& fileName, bool onlyChecked,
                                        const TProgressEvent& progress, std::string& error) {
    return Guarded("TZelmarSDFileDataList.WriteCopyTo", false, [&] {
        error.clear();
        // A record that cannot be written fails the copy: an export never leaves one out.
        return WriteRecordsTo(
            fileName, onlyChecked, progress, [](bool, const std::string&, int) { return false; },
            error);
    });
}

bool TZelmarSDFileDataList::WriteRecordsTo(const std::string& fileName, bool onlyChecked,
                                           const TProgressEvent& progress,
                                           const TWriteErrorEvent& onError, std::string& error) {
    // The new file takes the old one's place only when it is complete, so the records not
    // read yet can still come from the old one while it is written.
    auto writer = std::make_unique<TveskSDFileWriter>(fileName);
    if (!writer->LastError.empty() || !writer->IsOpen()) {
        error = writer->LastError.empty() ? "the file could not be created" : writer->LastError;
        writer.reset();
        onError(false, error, 0);
        return false;
    }

    const bool crlf = UsesCrLf();
    const int count = GetCount();
    for (int index = 0; index < count; ++index) {
        bool included = true;
        if (onlyChecked) {
            std::lock_guard<std::recursive_mutex> lock(FStore->CriticalSection());
            const TZelmarSDFileData* record = FStore->At(index);
            included = record == nullptr || record->Selected;
        }
        std::string failure;
        bool readError = false;
        if (included && !WriteRecord(*writer, index, crlf, failure, readError)) {
            error = failure;
            // A record that cannot be read is never left out; one that cannot be written is
            // left out only when the handler says so.
            if (!onError(true, failure, index) || readError) return false;
        }
        if (progress && !progress(this, sdfiledata_internal::Percent(index, count))) {
            error = "saving " + fileName + " was stopped";
            return false;
        }
    }

    // Completing flushes to disk: a full disk shows here, and then the file is not saved.
    if (!writer->CloseFile()) {
        error = writer->LastError.empty() ? "the file could not be completed" : writer->LastError;
        writer.reset();
        onError(false, error, 0);
        return false;
    }
    error.clear();
    return true;
}
