#pragma once
// Sorting a sheet's records by one field: the keys, their comparison and the molecule sort's
// precheck (formula first, then identical structures gathered within each formula).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Zelmar_Object_RecordAccess.h"
#include "Zelmar_Object_StringList.h"
#include "Zelmar_Object_StructureKeys.h"

class TZelmarField;

class TZelmarSorter {
public:
    TZelmarSorter(IZelmarRecordAccess& records, TZelmarStructureKeyMaker& structureKeys)
        : FRecords(records), FStructureKeys(structureKeys) {}
    TZelmarSorter(const TZelmarSorter&) = delete;
    TZelmarSorter& operator=(const TZelmarSorter&) = delete;

    // Reorders the records by the field's values (data text, formula, weight, molecule). False
    // when the field cannot be sorted, when a progress answer stopped it (the order is then
    // the one before, except that a molecule sort stopped in its second half keeps the formula
    // order of its first) or on failure.
    bool Sort(const TZelmarField* field, bool descending);

    // -1, 0, 1; total orders (equal numbers compare equal, however written). Texts follow the
    // collation locale, then bytes.
    static int CompareStringKeys(const std::string& a, const std::string& b);
    static int CompareFloatKeys(const std::string& a, const std::string& b);
    // Natural order: runs of digits compare by their value ("CHEMBL9" before "CHEMBL10"),
    // the rest as texts; equal values written differently ("a01", "a1") by their bytes.
    static int CompareNaturalKeys(std::string_view a, std::string_view b);
    // A weight key's number, read with a point in every locale; 0 for a text that is none.
    static double FloatKeyValue(const std::string& key);
    // The same for the texts at a and b of a list; 0 also outside the list.
    static int StringSortProc(const TZelmarStringList<TZelmarSDFileData>& list, int a, int b);
    static int FloatSortProc(const TZelmarStringList<TZelmarSDFileData>& list, int a, int b);
    // Moves the items at the given positions, in that order, to start, start + 1, ... The
    // caller holds whatever lock guards the list.
    static bool MoveObjectsToPos(TZelmarStringList<TZelmarSDFileData>& target,
                                 const std::vector<int>& positions, int start);

private:
    bool SortByText(const TZelmarField* field, bool descending);
    bool SortByNumber(const TZelmarField* field, bool descending);
    // A numeric data field: numbers by value (equal numbers by qualifier), then what is no
    // number as text, empty values last, in both directions.
    bool SortByDataNumber(const TZelmarField* field, bool descending);
    bool SortByNaturalText(const TZelmarField* field, bool descending);
    // The field's value of every record, in list order (empty where there is none); false
    // when progress stopped it.
    bool GatherTexts(const TZelmarField* field, std::vector<std::string>& texts);
    // Progress from offset within total, so that the molecule sort can report its first half.
    bool SortByFormula(bool descending, int progressOffset, int progressTotal);
    bool SortByStructure(bool descending);
    // Every record, loaded, in list order (null where there is none).
    std::vector<TZelmarSDFileData*> Records(int count);

    IZelmarRecordAccess& FRecords;
    TZelmarStructureKeyMaker& FStructureKeys;
};
