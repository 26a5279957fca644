#pragma once
// The application's one cell edit transaction: the sheet windows report the current cell and
// their editor's text; every change is written through to the record at once, finishing
// keeps it, aborting writes back the value the cell had when the edit began.
// UI thread only.

#include <functional>
#include <memory>
#include <string>

#include "Zelmar_Object_DataCarrier.h"

class TZelmarSDFileData;
class TZelmarField;

class TZelmarDataExchange {
public:
    using TNotifyEvent = std::function<void(TZelmarDataExchange* sender)>;
    // Gets the molfile to edit; true with the edited molfile in it means accepted.
    using TEditChemistryEvent =
        std::function<bool(TZelmarDataExchange* sender, std::string& molFile)>;

    TZelmarDataExchange();
    ~TZelmarDataExchange();
    TZelmarDataExchange(const TZelmarDataExchange&) = delete;
    TZelmarDataExchange& operator=(const TZelmarDataExchange&) = delete;

    bool IsValid() const;
    void Init(TZelmarSDFileData* record, TZelmarField* field);
    void Start();
    void SetStringData(const std::string& text);
    // Writes only while Started; otherwise traced as an error and ignored.
    void Update(const std::string& text);
    void Finish();
    void Abort();
    void EditChemistry();
    // The window's current cell changed (null record and field when it closes); ignored
    // while an edit is in progress. The sender, whichever window reports, is not looked at.
    void HandleOnUpdateDataExchange(const void* sender, TZelmarSDFileData* record,
                                    TZelmarField* field);
    // The window's cell editor reports; the first set flag among editMolecule, finish,
    // (not abort), abort decides.
    void HandleOnChangeExternalData(const void* sender, const std::string& text, bool editMolecule,
                                    bool abort, bool finish, bool start);

    TZelmarSDFileData* Record = nullptr;
    TZelmarField* Field = nullptr;
    const std::unique_ptr<TZelmarDataCarrier> Current;
    const std::unique_ptr<TZelmarDataCarrier> Baseline;
    TNotifyEvent OnDataChanged;
    TNotifyEvent OnFinishEditData;
    TNotifyEvent OnAbortEditData;
    TNotifyEvent OnInitEditData;
    TEditChemistryEvent OnEditChemistry;
    bool Modified = false;
    bool Started = false;
};
