#pragma once
// A sheet's columns: each field ties a column to the records' data items (by name) or to a
// computed value (formula, weight, molecule, check mark). The field list has no lock of its
// own; a sheet's list is guarded by its record list's CritSectFields.

#include <cstdint>
#include <string>
#include <vector>

#include "Zelmar_Object_StringList.h"

// One byte, as the field kinds are stored and compared everywhere.
enum TZelmarFieldKind : std::uint8_t {
    ecsdtNone = 0,
    ecsdtDataText = 1,
    ecsdtFormula = 2,
    ecsdtChemistry = 3,
    ecsdtMolweight = 4,
    ecsdtCheckbox = 5,
    // Identifiers of the molecule, computed like the formula and never written to the file.
    ecsdtSmiles = 6,
    ecsdtInchi = 7,
    ecsdtInchiKey = 8,
};

// Canonical SMILES, standard InChI or InChIKey.
inline bool ZelmarIsIdentifierKind(TZelmarFieldKind kind) {
    return kind == ecsdtSmiles || kind == ecsdtInchi || kind == ecsdtInchiKey;
}

// Names of the default fields; they never clash with data item names read from files in
// practice, and names compare exactly.
inline constexpr const char* kFieldNameCheckbox = "ecsdtCheckbox";
inline constexpr const char* kFieldNameChemistry = "ecsdtChemistry";
inline constexpr const char* kFieldNameFormula = "ecsdtFormula";
inline constexpr const char* kFieldNameMolweight = "ecsdtMolweight";
inline constexpr const char* kFieldNameSmiles = "ecsdtSmiles";
inline constexpr const char* kFieldNameInchi = "ecsdtInchi";
inline constexpr const char* kFieldNameInchiKey = "ecsdtInchiKey";

class TZelmarField {
public:
    TZelmarField();

    // Name and Caption empty, Kind none, ColWidth 0; the flags keep their values.
    void Clear();
    // Copies every member; a null source changes nothing.
    void Assign(const TZelmarField* source);
    // The caption when it holds more than blanks (unchanged, blanks included), else the name.
    std::string GetDisplayName() const;

    bool IsEditable() const;   // cells the user edits in the grid
    bool IsBuiltIn() const;    // neither renamed nor deleted by the field dialog
    bool IsChemistry() const;  // the molecule
    bool IsSortable() const;   // sorting and duplicate search accept it

    bool Visible = true;
    std::string Name;  // byte-wise, case-sensitive identity
    TZelmarFieldKind Kind = ecsdtNone;
    std::string Caption;
    bool Edited = false;   // name differs from OrigName (SetEditedFlags)
    std::string OrigName;  // name when the list was last saved for editing
    bool Fixed = false;    // only the check box: not offered in choosers, not moved
    int ColWidth = 0;      // grid column width in pixels
    // Data fields: the values are numbers (sorted, searched and compared as such), written
    // with this decimal separator; chosen by the user, or else decided when the file loads.
    bool Numeric = false;
    char DecimalSeparator = '.';
    bool KindChosen = false;
    // Data text sorted with runs of digits compared by their value (CHEMBL9 before CHEMBL10).
    bool NaturalOrder = false;

    bool IsNumericData() const { return Kind == ecsdtDataText && Numeric; }
};

// Non-owning (text, field) lists handed to choosers.
using TZelmarFieldRefs = TZelmarStringList<TZelmarField>;

class TZelmarFieldList {
public:
    TZelmarFieldList() = default;
    TZelmarFieldList(const TZelmarFieldList&) = delete;
    TZelmarFieldList& operator=(const TZelmarFieldList&) = delete;

    int GetCount() const;
    // Null outside 0..count-1.
    TZelmarField* GetField(int index) const;
    TZelmarField* GetFieldByName(const std::string& name) const;
    bool HasFieldName(const std::string& name) const;
    int GetVisibleFieldCount() const;
    // The index-th visible field in list order; null for -1 or past the last visible one.
    TZelmarField* GetVisibleField(int visibleIndex) const;
    int GetFixedCount() const;
    bool IsCheckboxVisible() const;
    void SetCheckboxVisible(bool visible);

    TZelmarField* CreateField();
    TZelmarField* CreateField(const std::string& name, TZelmarFieldKind kind,
                              const std::string& caption);
    // Appends a copy of the source (nothing for null).
    TZelmarField* AddField(const TZelmarField* source);
    // Frees the field if it is in this list.
    void DeleteField(TZelmarField* field);
    // Exchanges positions a and b counted among the fields behind the fixed ones.
    void Exchange(int a, int b);
    void Clear();
    // Becomes a copy of the source (empty for null).
    void Assign(const TZelmarFieldList* source);

    // A data text field for each name no field bears yet, in order; names compare exactly.
    void AddStringFields(const std::vector<std::string>& names);
    // Copies of the fields of this list whose names do not occur in the new list.
    void FindDeletedFields(const TZelmarFieldList* newList, TZelmarFieldList& out) const;
    // Copies of the fields of the given list that are marked edited.
    static void FindModifiedFields(const TZelmarFieldList* list, TZelmarFieldList& out);
    void SaveOrigFieldNames();
    void SetEditedFlags();
    // Appends (empty text, field) for each field that is not the molecule and not fixed.
    void EnumSearchableFields(TZelmarFieldRefs& out) const;
    // Appends (empty text, field) for each field that is not fixed.
    void EnumSelectableFields(TZelmarFieldRefs& out) const;
    void CreateDefaultFields();

private:
    TZelmarStringList<TZelmarField> FFields;
};
