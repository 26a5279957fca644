// Field list: default fields, the visibility walk, moves behind the fixed field, names from
// data, and the rename bookkeeping of the field dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Zelmar_Object_Fields.h"
#include "Zelmar_Translater.h"

namespace {

template <typename List>
std::vector<std::string> Names(const List& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i) {
        if constexpr (std::is_same_v<List, TZelmarFieldList>) names.push_back(list.GetField(i)->Name);
        else names.push_back(list.GetObject(i)->Name);
    }
    return names;
}

}  // namespace

TEST(FieldList, DefaultsVisibilityAndMovesBehindTheFixedField) {
    SetTranslationLookup([](const std::string& scope, const std::string& text) {
        return scope == "ZelmarField" && text == "Molekül" ? std::string("Molecule") : "";
    });
    TZelmarFieldList list;
    list.CreateDefaultFields();
    SetTranslationLookup(nullptr);
    EXPECT_EQ(Names(list), (std::vector<std::string>{kFieldNameCheckbox, kFieldNameChemistry,
                                                     kFieldNameFormula, kFieldNameMolweight}));
    EXPECT_EQ(list.GetField(1)->Caption, "Molecule");
    EXPECT_EQ(list.GetField(2)->Caption, "Summenformel");  // no translation: native text
    EXPECT_EQ(list.GetFixedCount(), 1);
    EXPECT_EQ(list.GetVisibleField(0)->Kind, ecsdtCheckbox);

    list.SetCheckboxVisible(false);
    EXPECT_EQ(list.GetVisibleField(0)->Kind, ecsdtChemistry);
    EXPECT_EQ(list.GetVisibleField(3), nullptr);
    EXPECT_EQ(list.GetVisibleField(-1), nullptr);
    EXPECT_EQ(list.GetFixedCount(), 1);

    list.Exchange(0, 1);  // counted behind the check box
    list.Exchange(0, 3);  // past the end: nothing
    EXPECT_EQ(Names(list), (std::vector<std::string>{kFieldNameCheckbox, kFieldNameFormula,
                                                     kFieldNameChemistry, kFieldNameMolweight}));

    list.AddStringFields({"x", "X", "x"});  // names compare exactly
    EXPECT_EQ(list.GetCount(), 6);
    EXPECT_EQ(list.GetField(5)->Name, "X");
    EXPECT_EQ(list.GetField(5)->Kind, ecsdtDataText);

    TZelmarFieldRefs searchable, selectable;
    list.EnumSearchableFields(searchable);
    list.EnumSelectableFields(selectable);
    EXPECT_EQ(Names(searchable), (std::vector<std::string>{kFieldNameFormula, kFieldNameMolweight,
                                                           "x", "X"}));
    EXPECT_EQ(selectable.GetCount(), 5);
}

TEST(Field, DisplayNameFallsBackOnlyForBlankCaptions) {
    TZelmarField field;
    field.Name = "Name";
    field.Caption = "   ";
    EXPECT_EQ(field.GetDisplayName(), "Name");
    field.Caption = " a ";
    EXPECT_EQ(field.GetDisplayName(), " a ");
}

// The field dialog's protocol: copy, save the names, edit, mark, find what changed.
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
    EXPECT_FALSE(edited.GetFieldByName("Id")->Edited);
    EXPECT_EQ(sheet.GetFieldByName("Name")->Name, "Name");  // the copy was deep

    TZelmarFieldList modified, deleted;
    TZelmarFieldList::FindModifiedFields(&edited, modified);
    sheet.FindDeletedFields(&edited, deleted);
    EXPECT_EQ(Names(modified), (std::vector<std::string>{"Title", "New"}));
    EXPECT_EQ(modified.GetField(0)->OrigName, "Name");
    EXPECT_EQ(Names(deleted), (std::vector<std::string>{"Name", "Comment"}));
}
