// The record list's identifier columns: SMILES, InChI and InChIKey shown as computed columns,
// their values made for every record when a sort, search or export needs them all, and a
// column turned into a data field of its own.
#include <algorithm>
#include <string>
#include <vector>

#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SDFileData_Internal.h"
#include "Zelmar_RecordIdentifiers.h"
#include "Zelmar_Translater.h"
#include "vesk_ChemRoutines.h"
#include "vesk_Guard.h"
#include "vesk_MulDiv.h"

using sdfiledata_internal::kCriticalSection;
using sdfiledata_internal::kCritSectFields;
using sdfiledata_internal::TTracedLock;

namespace {

const char* FieldNameOf(TZelmarFieldKind kind) {
    switch (kind) {
        case ecsdtSmiles:
            return kFieldNameSmiles;
        case ecsdtInchi:
            return kFieldNameInchi;
        default:
            return kFieldNameInchiKey;
    }
}

// The name the identifier is known by in chemistry, in every language.
const char* CaptionOf(TZelmarFieldKind kind) {
    switch (kind) {
        case ecsdtSmiles:
            return "SMILES";
        case ecsdtInchi:
            return "InChI";
        default:
            return "InChIKey";
    }
}

std::string ShownCaptionOf(TZelmarFieldKind kind) {
    switch (kind) {
        case ecsdtSmiles:
            return LoadTranslatedText("ZelmarField##  SMILES");
        case ecsdtInchi:
            return LoadTranslatedText("ZelmarField##  InChI");
        default:
            return LoadTranslatedText("ZelmarField##  InChIKey");
    }
}

// Where a new identifier column goes: behind the weight and the identifier columns of the
// kinds before it, so that the three always stand in one order; last without a weight.
int InsertPosition(const TZelmarFieldList& fields, TZelmarFieldKind kind) {
    int position = -1;
    for (int i = 0; i < fields.GetCount(); ++i) {
        const TZelmarField* field = fields.GetField(i);
        if (field->Kind == ecsdtMolweight ||
            (ZelmarIsIdentifierKind(field->Kind) && field->Kind < kind))
            position = i + 1;
    }
    return position < 0 ? fields.GetCount() : position;
}

}  // namespace

TZelmarField* TZelmarSDFileDataList::GetIdentifierField(TZelmarFieldKind kind) {
    return Guarded("TZelmarSDFileDataList.GetIdentifierField", static_cast<TZelmarField*>(nullptr),
                   [&]() -> TZelmarField* {
                       TTracedLock lock(FCritSectFields, "TZelmarSDFileDataList.GetIdentifierField",
                                        kCritSectFields);
                       if (!ZelmarIsIdentifierKind(kind)) return nullptr;
                       for (int i = 0; i < FFields->GetCount(); ++i)
                           if (FFields->GetField(i)->Kind == kind) return FFields->GetField(i);
                       return nullptr;
                   });
}

bool TZelmarSDFileDataList::ShowIdentifierColumn(TZelmarFieldKind kind, bool show) {
    constexpr const char* kSource = "TZelmarSDFileDataList.ShowIdentifierColumn";
    return Guarded(kSource, false, [&] {
        if (!ZelmarIsIdentifierKind(kind)) return false;
        TTracedLock lock(FCritSectFields, kSource, kCritSectFields);
        TZelmarField* shown = GetIdentifierField(kind);
        if ((shown != nullptr) == show) return true;
        // The other fields stay the very objects they are: whoever holds one (a sort, a
        // tool's columns) still holds it afterwards.
        if (!show) {
            if (SortField == shown) SortField = nullptr;
            FFields->DeleteField(shown);
            return true;
        }
        const int position = std::max(InsertPosition(*FFields, kind), FFields->GetFixedCount());
        if (FFields->CreateField(FieldNameOf(kind), kind, ShownCaptionOf(kind)) == nullptr)
            return false;
        const int fixed = FFields->GetFixedCount();
        for (int at = FFields->GetCount() - 1; at > position; --at)
            FFields->Exchange(at - 1 - fixed, at - fixed);
        return true;
    });
}

bool TZelmarSDFileDataList::MakeIdentifiers(TZelmarFieldKind kind, const TProgressEvent& progress) {
    return Guarded("TZelmarSDFileDataList.MakeIdentifiers", false, [&] {
        const int count = GetCount();
        std::vector<TZelmarSDFileData*> records(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) records[static_cast<std::size_t>(i)] = GetSDFileData(i);
        std::vector<std::string> values;
        return ZelmarRecordIdentifiers(
            records, kind, values, [&](std::size_t done, std::size_t total) {
                return !progress ||
                       progress(this, platform::MulDiv(static_cast<int>(done), 100,
                                                       std::max(1, static_cast<int>(total))));
            });
    });
}

std::string TZelmarSDFileDataList::TakeOverIdentifierColumn(TZelmarFieldKind kind,
                                                            const std::string& stepName,
                                                            const TProgressEvent& progress) {
    constexpr const char* kSource = "TZelmarSDFileDataList.TakeOverIdentifierColumn";
    return Guarded(kSource, std::string(), [&] {
        const TZelmarField* column = GetIdentifierField(kind);
        // Without the routines library every value would be empty: a field of nothing.
        if (column == nullptr || !TveskMolManager().IsLibLoaded()) return std::string();
        if (!MakeIdentifiers(kind, progress)) return std::string();
        std::string name = CaptionOf(kind);
        for (int number = 2; GetFieldByName(name) != nullptr; ++number)
            name = std::string(CaptionOf(kind)) + " " + std::to_string(number);
        TZelmarFieldList fields;
        FillCopyOfFieldList(fields);
        TZelmarField* target = nullptr;
        for (int i = 0; i < fields.GetCount(); ++i) {
            TZelmarField* field = fields.GetField(i);
            if (field->Kind != kind) continue;
            // A new field in the column's place, not a rename: no record has items under the
            // column's internal name.
            field->Name = name;
            field->Kind = ecsdtDataText;
            field->Caption.clear();
            field->Edited = false;
            field->OrigName.clear();
            target = field;
        }
        if (target == nullptr) return std::string();
        TZelmarField taken;
        taken.Assign(target);
        TZelmarUndoStep step(*FUndo, stepName);
        if (!SetNewFields(&fields)) return std::string();
        TTracedLock records(FStore->CriticalSection(), kSource, kCriticalSection);
        TZelmarDataCarrier value;
        for (int i = 0; i < FStore->Count(); ++i) {
            TZelmarSDFileData* record = FStore->At(i);
            if (record == nullptr) continue;
            value.Clear();
            value.SetKind(ecsdtDataText);
            value.SetText(ZelmarRecordIdentifier(*record, kind));
            // A molecule without identifier gets no item, as a file would have none.
            if (!value.Text().empty()) record->SetDataForField(&taken, &value);
        }
        return name;
    });
}
