#pragma once
// The data side of mixing two sheets into a third: the set operations over the two record
// lists. The target list carries OnMixProgress; its content is replaced only on success.
// Window-side operations (choosing sheets, captions, painting) live with the dialog.

#include <functional>

#include "Zelmar_Object_StringList.h"

class TZelmarSDFileData;
class TZelmarSDFileDataList;
class TZelmarField;

class TZelmarSetOperations {
public:
    using TRefs = TZelmarStringList<TZelmarSDFileData>;
    // (done, total) -> go on.
    using TProgress = std::function<bool(int done, int total)>;
    // The four ways of mixing, numbered as the mixing dialog offers them.
    enum TOperation { opIntersect = 1, opMerge = 2, opLeftMinusRight = 3, opRightMinusLeft = 4 };

    // One of the operations on left and right into target; false for an unknown operation.
    // The dialog and the command line both mix through this, so they give the same records.
    // A policy (TZelmarDuplicatePolicy bits) compares the molecules by their keys under it,
    // with or without stereo; 0 compares exact structures without stereo.
    bool Mix(int operation, TZelmarSDFileDataList* left, TZelmarSDFileDataList* right,
             const TZelmarField* field, TZelmarSDFileDataList* target, int policy = 0,
             bool considerStereo = false);

    // Records of both lists whose molecules (under the field) occur on both sides.
    bool IntersectData(TZelmarSDFileDataList* left, TZelmarSDFileDataList* right,
                       const TZelmarField* field, TZelmarSDFileDataList* target, int policy = 0,
                       bool considerStereo = false);
    // Checked records of left, then those of right, in sheet order.
    bool MergeData(TZelmarSDFileDataList* left, TZelmarSDFileDataList* right,
                   TZelmarSDFileDataList* target);
    // Checked records of a without an identical record among the checked records of b.
    bool SubtractData(TZelmarSDFileDataList* a, TZelmarSDFileDataList* b, const TZelmarField* field,
                      TZelmarSDFileDataList* target, int policy = 0, bool considerStereo = false);

    // The walks over two sorted precheck lists (as the record list's precheck makes them):
    // kept gets the records to keep, in the order found. False when progress stopped them.
    // Intersect keeps the records of p with an identical record in q, each followed by its
    // matches in q and in p; Subtract keeps the records of p without one in q.
    static bool Intersect(TRefs& p, TRefs& q, const TZelmarField* field, const TProgress& progress,
                          TRefs& kept);
    static bool Subtract(TRefs& p, TRefs& q, const TZelmarField* field, const TProgress& progress,
                         TRefs& kept);
    // The same walks with the molecules' keys under a policy, one key per record: the
    // precheck's formula blocks do not hold under a policy (a salt and its parent differ in
    // formula). The order is the one above. Molecules without atoms or unreadable ones never
    // match, as exact comparison never calls them equal.
    static bool IntersectByKeys(TRefs& p, TRefs& q, int policy, bool considerStereo,
                                const TProgress& progress, TRefs& kept);
    static bool SubtractByKeys(TRefs& p, TRefs& q, int policy, bool considerStereo,
                               const TProgress& progress, TRefs& kept);
};

// The name the mixing dialog knows these operations by.
using TZelmarWindowHelper = TZelmarSetOperations;
