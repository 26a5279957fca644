#include "Zelmar_Object_Fields.h"

#include <memory>

#include "Zelmar_Translater.h"
#include "vesk_Guard.h"

namespace {

bool IsBlankText(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) > ' ') return false;
    return true;
}

}  // namespace

// ---- TZelmarField -------------------------------------------------------------------------

TZelmarField::TZelmarField() {
    Clear();
}

void TZelmarField::Clear() {
    Name.clear();
    Caption.clear();
    Kind = ecsdtNone;
    ColWidth = 0;
}

void TZelmarField::Assign(const TZelmarField* source) {
    GuardedVoid("TZelmarField.Assign", [&] {
        if (source == nullptr || source == this) return;
        Visible = source->Visible;
        Name = source->Name;
        Kind = source->Kind;
        Caption = source->Caption;
        OrigName = source->OrigName;
        Edited = source->Edited;
        Fixed = source->Fixed;
        ColWidth = source->ColWidth;
        Numeric = source->Numeric;
        DecimalSeparator = source->DecimalSeparator;
        KindChosen = source->KindChosen;
        NaturalOrder = source->NaturalOrder;
    });
}

std::string TZelmarField::GetDisplayName() const {
    return IsBlankText(Caption) ? Name : Caption;
}

bool TZelmarField::IsEditable() const {
    return Kind == ecsdtDataText || Kind == ecsdtChemistry;
}

bool TZelmarField::IsBuiltIn() const {
    return Kind == ecsdtFormula || Kind == ecsdtChemistry || Kind == ecsdtMolweight ||
           ZelmarIsIdentifierKind(Kind) || Fixed;
}

bool TZelmarField::IsChemistry() const {
    return Kind == ecsdtChemistry;
}

bool TZelmarField::IsSortable() const {
    return (Kind >= ecsdtDataText && Kind <= ecsdtMolweight) || ZelmarIsIdentifierKind(Kind);
}

// ---- TZelmarFieldList ---------------------------------------------------------------------

int TZelmarFieldList::GetCount() const {
    return FFields.GetCount();
}

TZelmarField* TZelmarFieldList::GetField(int index) const {
    return FFields.GetObject(index);
}

TZelmarField* TZelmarFieldList::GetFieldByName(const std::string& name) const {
    return Guarded("TZelmarFieldList.GetFieldByName", static_cast<TZelmarField*>(nullptr), [&] {
        for (const auto& item : FFields)
            if (item.Object != nullptr && item.Object->Name == name) return item.Object;
        return static_cast<TZelmarField*>(nullptr);
    });
}

bool TZelmarFieldList::HasFieldName(const std::string& name) const {
    return GetFieldByName(name) != nullptr;
}

int TZelmarFieldList::GetVisibleFieldCount() const {
    int count = 0;
    for (const auto& item : FFields)
        if (item.Object != nullptr && item.Object->Visible) ++count;
    return count;
}

TZelmarField* TZelmarFieldList::GetVisibleField(int visibleIndex) const {
    if (visibleIndex < 0) return nullptr;
    int seen = -1;
    for (const auto& item : FFields) {
        if (item.Object == nullptr) return nullptr;
        if (item.Object->Visible && ++seen == visibleIndex) return item.Object;
    }
    return nullptr;
}

int TZelmarFieldList::GetFixedCount() const {
    int count = 0;
    for (const auto& item : FFields)
        if (item.Object != nullptr && item.Object->Fixed) ++count;
    return count;
}

bool TZelmarFieldList::IsCheckboxVisible() const {
    const TZelmarField* field = GetFieldByName(kFieldNameCheckbox);
    return field != nullptr && field->Visible;
}

void TZelmarFieldList::SetCheckboxVisible(bool visible) {
    if (TZelmarField* field = GetFieldByName(kFieldNameCheckbox)) field->Visible = visible;
}

TZelmarField* TZelmarFieldList::CreateField() {
    return Guarded("TZelmarFieldList.CreateField", static_cast<TZelmarField*>(nullptr), [&] {
        auto field = std::make_unique<TZelmarField>();
        TZelmarField* result = field.get();
        FFields.AddOwnedObject(std::string(), std::move(field));
        return result;
    });
}

TZelmarField* TZelmarFieldList::CreateField(const std::string& name, TZelmarFieldKind kind,
                                            const std::string& caption) {
    return Guarded("TZelmarFieldList.CreateField", static_cast<TZelmarField*>(nullptr), [&] {
        TZelmarField* field = CreateField();
        if (field != nullptr) {
            field->Name = name;
            field->Kind = kind;
            field->Caption = caption;
        }
        return field;
    });
}

TZelmarField* TZelmarFieldList::AddField(const TZelmarField* source) {
    return Guarded("TZelmarFieldList.AddField", static_cast<TZelmarField*>(nullptr), [&] {
        if (source == nullptr) return static_cast<TZelmarField*>(nullptr);
        TZelmarField* field = CreateField();
        if (field != nullptr) field->Assign(source);
        return field;
    });
}

void TZelmarFieldList::DeleteField(TZelmarField* field) {
    GuardedVoid("TZelmarFieldList.DeleteField", [&] {
        const int index = FFields.IndexOfObject(field);
        if (index >= 0) FFields.Delete(index);
    });
}

void TZelmarFieldList::Exchange(int a, int b) {
    GuardedVoid("TZelmarFieldList.Exchange", [&] {
        if (a < 0 || b < 0) return;
        const int fixedCount = GetFixedCount();
        FFields.Exchange(a + fixedCount, b + fixedCount);
    });
}

void TZelmarFieldList::Clear() {
    GuardedVoid("TZelmarFieldList.Clear", [&] { FFields.Clear(); });
}

void TZelmarFieldList::Assign(const TZelmarFieldList* source) {
    GuardedVoid("TZelmarFieldList.Assign", [&] {
        if (source == this) return;
        Clear();
        if (source == nullptr) return;
        for (const auto& item : source->FFields) AddField(item.Object);
    });
}

void TZelmarFieldList::AddStringFields(const std::vector<std::string>& names) {
    GuardedVoid("TZelmarFieldList.AddStringFields", [&] {
        for (const std::string& name : names)
            if (!HasFieldName(name)) CreateField(name, ecsdtDataText, std::string());
    });
}

void TZelmarFieldList::FindDeletedFields(const TZelmarFieldList* newList,
                                         TZelmarFieldList& out) const {
    GuardedVoid("TZelmarFieldList.FindDeletedFields", [&] {
        for (const auto& item : FFields) {
            if (item.Object == nullptr) continue;
            if (newList == nullptr || !newList->HasFieldName(item.Object->Name))
                out.AddField(item.Object);
        }
    });
}

void TZelmarFieldList::FindModifiedFields(const TZelmarFieldList* list, TZelmarFieldList& out) {
    GuardedVoid("TZelmarFieldList.FindModifiedFields", [&] {
        if (list == nullptr) return;
        for (const auto& item : list->FFields)
            if (item.Object != nullptr && item.Object->Edited) out.AddField(item.Object);
    });
}

void TZelmarFieldList::SaveOrigFieldNames() {
    GuardedVoid("TZelmarFieldList.SaveOrigFieldNames", [&] {
        for (const auto& item : FFields)
            if (item.Object != nullptr) item.Object->OrigName = item.Object->Name;
    });
}

void TZelmarFieldList::SetEditedFlags() {
    GuardedVoid("TZelmarFieldList.SetEditedFlags", [&] {
        // Fields added in the dialog have no OrigName and are never marked.
        for (const auto& item : FFields)
            if (item.Object != nullptr && !item.Object->OrigName.empty())
                item.Object->Edited = item.Object->OrigName != item.Object->Name;
    });
}

void TZelmarFieldList::EnumSearchableFields(TZelmarFieldRefs& out) const {
    GuardedVoid("TZelmarFieldList.EnumSearchableFields", [&] {
        for (const auto& item : FFields)
            if (item.Object != nullptr && !item.Object->IsChemistry() && !item.Object->Fixed)
                out.AddObject(std::string(), item.Object);
    });
}

void TZelmarFieldList::EnumSelectableFields(TZelmarFieldRefs& out) const {
    GuardedVoid("TZelmarFieldList.EnumSelectableFields", [&] {
        for (const auto& item : FFields)
            if (item.Object != nullptr && !item.Object->Fixed)
                out.AddObject(std::string(), item.Object);
    });
}

void TZelmarFieldList::CreateDefaultFields() {
    GuardedVoid("TZelmarFieldList.CreateDefaultFields", [&] {
        // A sheet without its check-box column still works, so that failure stays silent.
        try {
            if (TZelmarField* checkbox = CreateField(kFieldNameCheckbox, ecsdtCheckbox, ""))
                checkbox->Fixed = true;
        } catch (...) {
        }
        CreateField(kFieldNameChemistry, ecsdtChemistry,
                    LoadTranslatedText("ZelmarField##  Molekül"));
        CreateField(kFieldNameFormula, ecsdtFormula,
                    LoadTranslatedText("ZelmarField##  Summenformel"));
        CreateField(kFieldNameMolweight, ecsdtMolweight,
                    LoadTranslatedText("ZelmarField##  Molekulargewicht"));
    });
}
