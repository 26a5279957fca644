#include "Zelmar_Object_DataExchange.h"

#include "Zelmar_Object_SDFileData.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

TZelmarDataExchange::TZelmarDataExchange()
    : Current(std::make_unique<TZelmarDataCarrier>()),
      Baseline(std::make_unique<TZelmarDataCarrier>()) {}

TZelmarDataExchange::~TZelmarDataExchange() = default;

bool TZelmarDataExchange::IsValid() const {
    return Record != nullptr && Field != nullptr;
}

void TZelmarDataExchange::Init(TZelmarSDFileData* record, TZelmarField* field) {
    GuardedVoid("TZelmarDataExchange.Init", [&] {
        Record = record;
        Field = field;
        if (IsValid()) {
            // A cell without its data item yet is edited as an empty data text.
            for (TZelmarDataCarrier* carrier : {Current.get(), Baseline.get()}) {
                carrier->Clear();
                if (!Record->GetDataForField(Field, carrier)) {
                    carrier->Clear();
                    carrier->SetKind(ecsdtDataText);
                }
            }
            if (OnDataChanged) OnDataChanged(this);
            Modified = false;
        } else {
            Current->Clear();
            Baseline->Clear();
            if (OnDataChanged) OnDataChanged(this);
        }
    });
}

void TZelmarDataExchange::Start() {
    Started = true;
}

void TZelmarDataExchange::SetStringData(const std::string& text) {
    GuardedVoid("TZelmarDataExchange.SetStringData", [&] {
        if (!IsValid()) return;
        Current->SetText(text);
        Record->SetDataForField(Field, Current.get());
        Modified = true;
        if (OnDataChanged) OnDataChanged(this);
    });
}

void TZelmarDataExchange::Update(const std::string& text) {
    GuardedVoid("TZelmarDataExchange.Update", [&] {
        if (Started) {
            SetStringData(text);
            return;
        }
        TraceMessage("TZelmarDataExchange.Update", tlError, "%s",
                     "DataExchange cannot been Updated, if not Started");
    });
}

void TZelmarDataExchange::Finish() {
    GuardedVoid("TZelmarDataExchange.Finish", [&] {
        Baseline->Assign(Current.get());
        if (OnDataChanged) OnDataChanged(this);
        if (OnFinishEditData) OnFinishEditData(this);
        Started = false;
    });
}

void TZelmarDataExchange::Abort() {
    GuardedVoid("TZelmarDataExchange.Abort", [&] {
        if (Baseline->Empty() && IsValid()) {
            // The item did not exist when the edit began: remove it again rather than
            // leave an empty item behind.
            Current->Assign(Baseline.get());
            Record->SetDataForField(Field, Current.get());
            Modified = true;
            if (OnDataChanged) OnDataChanged(this);
        } else {
            const std::string baseline = Baseline->Text();
            SetStringData(baseline);
        }
        if (OnAbortEditData) OnAbortEditData(this);
        Started = false;
    });
}

void TZelmarDataExchange::EditChemistry() {
    GuardedVoid("TZelmarDataExchange.EditChemistry", [&] {
        if (!IsValid()) return;
        std::string molFile = Current->Text();
        const bool accepted = OnEditChemistry && OnEditChemistry(this, molFile);
        if (accepted) {
            SetStringData(molFile);
            Finish();
        } else {
            Abort();
        }
    });
}

void TZelmarDataExchange::HandleOnUpdateDataExchange(const void* /*sender*/,
                                                     TZelmarSDFileData* record,
                                                     TZelmarField* field) {
    GuardedVoid("TZelmarDataExchange.HandleOnUpdateDataExchange", [&] {
        if (Started) {
            TraceMessage("TZelmarDataExchange.HandleOnUpdateDataExchange", tlInformation, "%s",
                         "Edit Started");
            return;
        }
        Init(record, field);
        if (OnInitEditData) OnInitEditData(this);
    });
}

void TZelmarDataExchange::HandleOnChangeExternalData(const void* /*sender*/,
                                                     const std::string& text, bool editMolecule,
                                                     bool abort, bool finish, bool start) {
    GuardedVoid("TZelmarDataExchange.HandleOnChangeExternalData", [&] {
        if (editMolecule) {
            EditChemistry();
        } else if (finish) {
            Finish();
        } else if (!abort) {
            if (start) Start();
            Update(text);
        } else if (Started) {
            Abort();
        }
    });
}
