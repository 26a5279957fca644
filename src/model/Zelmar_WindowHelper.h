#pragma once
// The data side of mixing two sheets into a third: the set operations over the two record
// lists. The target list carries OnMixProgress; its content is replaced only on success.
// Window-side operations (choosing sheets, captions, painting) live with the dialog.

class TZelmarSDFileDataList;
class TZelmarField;

class TZelmarWindowHelper {
public:
    // Records of both lists whose molecules (under the field) occur on both sides.
    bool IntersectData(TZelmarSDFileDataList* left, TZelmarSDFileDataList* right,
                       const TZelmarField* field, TZelmarSDFileDataList* target);
    // Checked records of left, then those of right, in sheet order.
    bool MergeData(TZelmarSDFileDataList* left, TZelmarSDFileDataList* right,
                   TZelmarSDFileDataList* target);
    // Checked records of a without an identical record among the checked records of b.
    bool SubtractData(TZelmarSDFileDataList* a, TZelmarSDFileDataList* b,
                      const TZelmarField* field, TZelmarSDFileDataList* target);
};
