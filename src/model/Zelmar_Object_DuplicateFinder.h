#pragma once
// Duplicate search: every checked record gets a cheap precheck key (its value, or for
// molecules the formula), the keys are sorted, and records are compared only within blocks of
// equal key: by value, or for molecules by exact-structure key.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Zelmar_Object_RecordAccess.h"
#include "Zelmar_Object_StringList.h"
#include "Zelmar_Object_StructureKeys.h"

class TZelmarField;
class TZelmarSearchEngine;
class TZelmarSDFileData;

class TZelmarDuplicateFinder {
public:
    using TRefs = TZelmarStringList<TZelmarSDFileData>;
    // (position, total) -> go on.
    using TProgress = std::function<bool(int position, int total)>;

    TZelmarDuplicateFinder(IZelmarRecordAccess& records, TZelmarStructureKeyMaker& structureKeys)
        : FRecords(records), FStructureKeys(structureKeys) {}
    TZelmarDuplicateFinder(const TZelmarDuplicateFinder&) = delete;
    TZelmarDuplicateFinder& operator=(const TZelmarDuplicateFinder&) = delete;

    // Appends (precheck key, record) of every checked record and sorts target by key (stable:
    // records of one key keep the sheet's order). total -1: the record count. False for a
    // field without keys, when stopped or on failure.
    bool Precheck(TRefs* target, const TZelmarField* field, int total, const TProgress& progress);
    // Appends the groups of equal values (molecules: identical structures) of the checked
    // records to results, in key order; each result's text is its group's number (1, 2, ...).
    // Progress goes from offset to total through the records' search progress; gathering reports
    // too when gatherProgress is set. A policy (TZelmarDuplicatePolicy bits) groups molecules by
    // their keys under it; the groups then come in the order of their first records' formulas.
    bool Find(const TZelmarField* field, bool considerStereo, bool gatherProgress, int offset,
              int total, TRefs* results, int policy = 0);

    // Whether keys of the field compare as numbers (weights).
    static bool IsNumericField(const TZelmarField* field);
    // The order of two precheck keys (numeric: by their numbers).
    static int CompareKeys(const std::string& a, const std::string& b, bool numeric);
    // Runs of equal key in a sorted precheck list, as (first, end) positions.
    static std::vector<std::pair<int, int>> Blocks(const TRefs& precheck, bool numeric);
    // The run of keys equal to the one at start, copied into target; false outside the list.
    static bool BuildBlockListForSearch(const TRefs& precheck, TRefs& target, int start,
                                        bool numericKeys = false);
    // Moves the block's records matching the record into hits; drops unreadable ones.
    static bool DoSearchInBlockList(TZelmarSDFileData* record, const TZelmarField* field,
                                    TZelmarSearchEngine* engine, TRefs* hits, TRefs* block);
    // Removes the leading items whose key sorts before key (into removed, when given).
    static bool DeleteBlocksFromListTilPrecheck(TRefs& precheck, const std::string& key,
                                                TRefs* removed = nullptr, bool numericKeys = false);
    static bool DeleteObjectFromStringList(TRefs& list, const TZelmarSDFileData* record);

private:
    // The molecule part of Find: groups of identical structures within the precheck's blocks
    // of equal formula.
    bool FindIdenticalStructures(const TRefs& precheck, bool considerStereo, int offset, int total,
                                 TRefs* results);
    // The molecule part of Find under a policy: one key per checked record, grouped over all
    // of them, since a salt and its parent have different formulas.
    bool FindPolicyGroups(const TRefs& precheck, bool considerStereo, int policy, int offset,
                          int total, TRefs* results);
    bool Progress(int position, int total);

    IZelmarRecordAccess& FRecords;
    TZelmarStructureKeyMaker& FStructureKeys;
};
