// Field list: default fields, visibility walk, moves behind the fixed field, names from
// data, the rename bookkeeping of the field dialog and the choosers' lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Zelmar_Object_Fields.h"
#include "Zelmar_Translater.h"

namespace {

std::vector<std::string> Names(const TZelmarFieldList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i) names.push_back(list.GetField(i)->Name);
    return names;
}

std::vector<std::string> Names(const TZelmarFieldRefs& refs) {
    std::vector<std::string> names;
    for (int i = 0; i < refs.GetCount(); ++i) names.push_back(refs.GetObject(i)->Name);
    return names;
}

const std::vector<std::string> kDefaultNames = {kFieldNameCheckbox, kFieldNameChemistry,
                                                kFieldNameFormula, kFieldNameMolweight};

}  // namespace

TEST(FieldList, DefaultFieldsAndTheVisibilityWalk) {
    TZelmarFieldList list;
    list.CreateDefaultFields();
    EXPECT_EQ(Names(list), kDefaultNames);
    EXPECT_EQ(list.GetVisibleFieldCount(), 4);
    EXPECT_EQ(list.GetFixedCount(), 1);
    EXPECT_EQ(list.GetVisibleField(0)->Name, kFieldNameCheckbox);
    EXPECT_EQ(list.GetField(0)->Kind, ecsdtCheckbox);
    EXPECT_EQ(list.GetField(1)->Kind, ecsdtChemistry);
    EXPECT_EQ(list.GetField(2)->Kind, ecsdtFormula);
    EXPECT_EQ(list.GetField(3)->Kind, ecsdtMolweight);
    EXPECT_TRUE(list.IsCheckboxVisible());

    list.SetCheckboxVisible(false);
    EXPECT_FALSE(list.IsCheckboxVisible());
    EXPECT_EQ(list.GetVisibleField(0)->Name, kFieldNameChemistry);
    EXPECT_EQ(list.GetVisibleField(2)->Name, kFieldNameMolweight);
    EXPECT_EQ(list.GetVisibleField(3), nullptr);
    EXPECT_EQ(list.GetVisibleField(-1), nullptr);
    EXPECT_EQ(list.GetFixedCount(), 1);
    EXPECT_EQ(list.GetVisibleFieldCount(), 3);
    EXPECT_EQ(list.GetField(4), nullptr);
    EXPECT_EQ(list.GetField(-1), nullptr);
}

TEST(FieldList, DefaultCaptionsGoThroughTheDictionary) {
    SetTranslationLookup([](const std::string& scope, const std::string& text) {
        if (scope != "ZelmarField") return std::string();
        if (text == "Molekül") return std::string("Molecule");
        if (text == "Molekulargewicht") return std::string("Molecular weight");
        return std::string();
    });
    TZelmarFieldList list;
    list.CreateDefaultFields();
    SetTranslationLookup(nullptr);
    EXPECT_EQ(list.GetFieldByName(kFieldNameChemistry)->Caption, "Molecule");
    // Without a translation the native text stays, the scope key removed.
    EXPECT_EQ(list.GetFieldByName(kFieldNameFormula)->Caption, "Summenformel");
    EXPECT_EQ(list.GetFieldByName(kFieldNameMolweight)->GetDisplayName(), "Molecular weight");
    EXPECT_EQ(list.GetFieldByName(kFieldNameCheckbox)->GetDisplayName(), kFieldNameCheckbox);
}

TEST(FieldList, ExchangeCountsBehindTheFixedFieldAndIgnoresBadPositions) {
    TZelmarFieldList list;
    list.CreateDefaultFields();
    list.Exchange(0, 1);
    EXPECT_EQ(Names(list), (std::vector<std::string>{kFieldNameCheckbox, kFieldNameFormula,
                                                     kFieldNameChemistry, kFieldNameMolweight}));
    list.Exchange(-1, 0);
    list.Exchange(0, 3);  // position 4 does not exist
    EXPECT_EQ(list.GetField(1)->Name, kFieldNameFormula);
    EXPECT_EQ(list.GetField(3)->Name, kFieldNameMolweight);
}

TEST(FieldList, NamesFromDataCompareExactly) {
    TZelmarFieldList list;
    list.CreateDefaultFields();
    list.AddStringFields({"x", "X", "x", "ecsdtFormula"});
    ASSERT_EQ(list.GetCount(), 6);
    EXPECT_EQ(list.GetField(4)->Name, "x");
    EXPECT_EQ(list.GetField(5)->Name, "X");
    EXPECT_EQ(list.GetField(5)->Kind, ecsdtDataText);
    EXPECT_TRUE(list.GetField(5)->Caption.empty());
    EXPECT_TRUE(list.GetField(5)->Visible);
    EXPECT_TRUE(list.HasFieldName("X"));
    EXPECT_FALSE(list.HasFieldName("x "));
}

TEST(Field, DisplayNameKindTestsAndClear) {
    TZelmarField field;
    field.Name = "Name";
    field.Caption = "   ";
    EXPECT_EQ(field.GetDisplayName(), "Name");
    field.Caption = " a ";
    EXPECT_EQ(field.GetDisplayName(), " a ");

    field.Kind = ecsdtDataText;
    EXPECT_TRUE(field.IsEditable());
    EXPECT_FALSE(field.IsBuiltIn());
    EXPECT_TRUE(field.IsSortable());
    field.Fixed = true;  // the field dialog keeps its hands off fixed fields of any kind
    EXPECT_TRUE(field.IsBuiltIn());
    field.Kind = ecsdtCheckbox;
    EXPECT_FALSE(field.IsSortable());
    EXPECT_FALSE(field.IsEditable());
    field.Kind = ecsdtChemistry;
    EXPECT_TRUE(field.IsChemistry());
    EXPECT_TRUE(field.IsEditable());

    field.Visible = false;
    field.ColWidth = 128;
    field.Clear();
    EXPECT_TRUE(field.Name.empty());
    EXPECT_TRUE(field.Caption.empty());
    EXPECT_EQ(field.Kind, ecsdtNone);
    EXPECT_EQ(field.ColWidth, 0);
    EXPECT_FALSE(field.Visible);  // flags survive Clear
    EXPECT_TRUE(field.Fixed);
}

TEST(FieldList, AssignMakesIndependentCopies) {
    TZelmarFieldList list;
    list.CreateDefaultFields();
    list.GetField(1)->ColWidth = 77;
    TZelmarFieldList copy;
    copy.CreateField("stale", ecsdtDataText, "");
    copy.Assign(&list);
    EXPECT_EQ(Names(copy), kDefaultNames);
    EXPECT_EQ(copy.GetField(1)->ColWidth, 77);
    EXPECT_TRUE(copy.GetField(0)->Fixed);
    EXPECT_NE(copy.GetField(1), list.GetField(1));
    copy.GetField(1)->Name = "changed";
    EXPECT_EQ(list.GetField(1)->Name, kFieldNameChemistry);

    copy.DeleteField(list.GetField(2));  // not in this list: nothing happens
    EXPECT_EQ(copy.GetCount(), 4);
    copy.DeleteField(copy.GetField(2));
    EXPECT_EQ(copy.GetCount(), 3);
    copy.Assign(nullptr);
    EXPECT_EQ(copy.GetCount(), 0);
}

// The field dialog's protocol: save the names, edit, mark, then find what changed.
TEST(FieldList, RenameBookkeepingFindsModifiedAndDeletedFields) {
    TZelmarFieldList sheet;
    sheet.CreateDefaultFields();
    sheet.AddStringFields({"Name", "Comment", "Id"});

    TZelmarFieldList edited;
    edited.Assign(&sheet);
    edited.SaveOrigFieldNames();
    edited.GetFieldByName("Name")->Name = "Title";
    edited.GetFieldByName("Id")->Name = "Number";
    edited.GetFieldByName("Number")->Name = "Id";  // renamed back
    edited.DeleteField(edited.GetFieldByName("Comment"));
    TZelmarField* added = edited.CreateField("New", ecsdtDataText, "");
    added->Edited = true;  // a field without OrigName keeps its mark
    edited.SetEditedFlags();

    EXPECT_TRUE(edited.GetFieldByName("Title")->Edited);
    EXPECT_FALSE(edited.GetFieldByName("Id")->Edited);
    EXPECT_TRUE(added->Edited);

    TZelmarFieldList modified;
    TZelmarFieldList::FindModifiedFields(&edited, modified);
    EXPECT_EQ(Names(modified), (std::vector<std::string>{"Title", "New"}));
    EXPECT_EQ(modified.GetField(0)->OrigName, "Name");

    TZelmarFieldList deleted;
    sheet.FindDeletedFields(&edited, deleted);
    EXPECT_EQ(Names(deleted), (std::vector<std::string>{"Name", "Comment"}));
}

TEST(FieldList, ChoosersSkipTheFixedFieldAndSearchSkipsTheMolecule) {
    TZelmarFieldList list;
    list.CreateDefaultFields();
    list.AddStringFields({"A"});
    TZelmarFieldRefs searchable;
    list.EnumSearchableFields(searchable);
    EXPECT_EQ(Names(searchable),
              (std::vector<std::string>{kFieldNameFormula, kFieldNameMolweight, "A"}));
    TZelmarFieldRefs selectable;
    list.EnumSelectableFields(selectable);
    EXPECT_EQ(Names(selectable), (std::vector<std::string>{kFieldNameChemistry, kFieldNameFormula,
                                                           kFieldNameMolweight, "A"}));
    EXPECT_EQ(selectable.GetObject(0), list.GetField(1));  // the list's own fields, not copies
}
