// Undoing and redoing the changes to a sheet's records: random edits of a file undone give
// its bytes back on save, the save point, the number of steps kept, removed records put back
// where they were.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ModelTestSupport.h"
#include "Zelmar_Object_SDFileData.h"

using namespace testing_support;

namespace {

TZelmarField Field(TZelmarFieldKind kind, const std::string& name) {
    TZelmarField field;
    field.Name = name;
    field.Kind = kind;
    return field;
}

void Set(TZelmarSDFileData* record, TZelmarFieldKind kind, const std::string& name,
         const std::string& text) {
    const TZelmarField field = Field(kind, name);
    TZelmarDataCarrier value;
    value.SetText(text);
    record->SetDataForField(&field, &value);
}

// Everything a user sees of the sheet: per record its check mark, molecule and items.
std::string Sheet(TZelmarSDFileDataList& list) {
    std::string out;
    for (int index = 0; index < list.GetCount(); ++index) {
        const TZelmarSDFileData* record = list.GetSDFileData(index);
        const TZelmarRecordTexts& texts = record->Texts();
        out += record->Selected ? "[x] " : "[ ] ";
        out += std::string(texts.MolString());
        for (int item = 0; item < texts.DataCount(); ++item) {
            out += "<" + std::string(texts.DataName(item)) + ">";
            for (const std::string& line : texts.DataLines(item)) out += line + "/";
        }
        out += "\n";
    }
    return out;
}

std::vector<const TZelmarSDFileData*> Records(TZelmarSDFileDataList& list) {
    std::vector<const TZelmarSDFileData*> records;
    for (int index = 0; index < list.GetCount(); ++index)
        records.push_back(list.GetSDFileData(index));
    return records;
}

// An edit as one step: a value, a molecule, a check mark, all or no check marks, a new
// record, or the unticked records deleted.
void RandomEdit(TZelmarSDFileDataList& list, std::mt19937& random, int step) {
    TZelmarUndoStack& undo = list.Undo();
    const auto pick = [&](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    };
    TZelmarSDFileData* record = list.GetSDFileData(pick(list.GetCount()));
    undo.BeginStep("step " + std::to_string(step));
    switch (pick(7)) {
        case 0:
            undo.NoteContent(record);
            Set(record, ecsdtDataText, "CLOGP", std::to_string(step) + ".5");
            break;
        case 1:
            undo.NoteContent(record);
            Set(record, ecsdtDataText, pick(2) ? "Note" : "No", "edit\n" + std::to_string(step));
            break;
        case 2:
            undo.NoteContent(record);
            Set(record, ecsdtChemistry, "", MolBlock("e", {"C", pick(2) ? "O" : "N", "C"}));
            break;
        case 3:
            undo.NoteCheck(record);
            record->Selected = !record->Selected;
            break;
        case 4:
            for (int index = 0; index < list.GetCount(); ++index)
                undo.NoteCheck(list.GetSDFileData(index));
            pick(2) ? list.SelectAll() : list.UnselectAll();
            break;
        case 5: {
            TZelmarSDFileData* added = list.CreateSDFileData(false);
            Set(added, ecsdtChemistry, "", MolBlock("new", {"S"}));
            Set(added, ecsdtDataText, "No", "new " + std::to_string(step));
            break;
        }
        default:
            // Some unticked first, so that there is something to delete.
            for (int k = 0; k < 3; ++k) {
                TZelmarSDFileData* unticked = list.GetSDFileData(pick(list.GetCount()));
                undo.NoteCheck(unticked);
                unticked->Selected = false;
            }
            if (list.GetUnselectedCount() < list.GetCount()) list.DeleteUnselected();
            break;
    }
    undo.EndStep();
}

std::string FileOfRecords(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += SDRecord(MolBlock("r" + std::to_string(i), {"C", i % 3 ? "C" : "O"}),
                         {{"No", {std::to_string(i)}}, {"CLOGP", {std::to_string(i % 7) + ".25"}}});
    return text;
}

}  // namespace

TEST(UndoStack, HundredRandomEditsUndoneSaveTheOriginalBytesAndRedoneGiveTheEditedSheet) {
    TTempDir dir;
    const std::string original = FileOfRecords(40);
    WriteText(dir.File("in.sdf"), original);
    platform::TQueuedUiDispatcher ui;
    TZelmarSDFileDataList list(&ui);
    ASSERT_TRUE(list.LoadFile(dir.File("in.sdf")));
    ASSERT_TRUE(PumpUntil(ui, [&] { return list.GetLoadFinished(); }));
    ASSERT_EQ(list.GetCount(), 40);
    EXPECT_TRUE(list.Undo().AtSavePoint());

    std::mt19937 random(20261210);
    std::vector<std::string> sheets{Sheet(list)};
    // A step that changed no check mark is not kept.
    std::vector<bool> kept{false};
    for (int step = 1; step <= 100; ++step) {
        const int before = list.Undo().UndoCount();
        RandomEdit(list, random, step);
        sheets.push_back(Sheet(list));
        kept.push_back(list.Undo().UndoCount() == before + 1);
    }
    EXPECT_GT(list.Undo().UndoCount(), 80);
    ASSERT_NE(sheets.back(), sheets.front());
    EXPECT_FALSE(list.Undo().AtSavePoint());

    for (int step = 100; step >= 1; --step) {
        if (!kept[step]) {
            EXPECT_EQ(sheets[step], sheets[step - 1]) << "step " << step << " was not kept";
            continue;
        }
        ASSERT_TRUE(list.Undo().CanUndo()) << step;
        EXPECT_EQ(list.Undo().UndoName(), "step " + std::to_string(step));
        ASSERT_TRUE(list.Undo().Undo());
        ASSERT_EQ(Sheet(list), sheets[step - 1]) << "undoing step " << step;
    }
    EXPECT_FALSE(list.Undo().CanUndo());
    EXPECT_TRUE(list.Undo().AtSavePoint());

    ASSERT_TRUE(list.SaveFile(dir.File("out.sdf")));
    EXPECT_EQ(ReadText(dir.File("out.sdf")), original);

    // Saving kept the steps: they can all be done again.
    while (list.Undo().CanRedo()) ASSERT_TRUE(list.Undo().Redo());
    EXPECT_EQ(Sheet(list), sheets.back());
    EXPECT_FALSE(list.Undo().AtSavePoint());
}

TEST(UndoStack, SavePointIsReachedByUndoAndRedoUntilANewStepReplacesItsBranch) {
    TTempDir dir;
    TZelmarSDFileDataList list(nullptr);
    TZelmarUndoStack& undo = list.Undo();
    TZelmarSDFileData* record = list.CreateSDFileData(false);
    Set(record, ecsdtChemistry, "", MolBlock("m", {"C"}));
    const auto edit = [&](const std::string& value) {
        undo.BeginStep("Cell " + value);
        undo.NoteContent(record);
        Set(record, ecsdtDataText, "CLOGP", value);
        undo.EndStep();
    };

    edit("1");
    EXPECT_FALSE(undo.AtSavePoint());
    ASSERT_TRUE(list.SaveFile(dir.File("a.sdf")));
    undo.MarkSaved();
    edit("2");
    EXPECT_EQ(undo.UndoName(), "Cell 2");
    EXPECT_FALSE(undo.AtSavePoint());
    ASSERT_TRUE(undo.Undo());
    EXPECT_TRUE(undo.AtSavePoint());
    EXPECT_EQ(undo.RedoName(), "Cell 2");
    ASSERT_TRUE(undo.Undo());
    EXPECT_FALSE(undo.AtSavePoint()) << "before the save";
    EXPECT_EQ(Sheet(list).find("CLOGP"), std::string::npos);
    ASSERT_TRUE(undo.Redo());
    EXPECT_TRUE(undo.AtSavePoint());

    // A step that changes nothing is no step.
    undo.BeginStep("nothing");
    undo.NoteCheck(record);
    undo.EndStep();
    EXPECT_EQ(undo.UndoName(), "Cell 1");

    // Undone past the save, then a new step: the saved state is out of reach.
    ASSERT_TRUE(undo.Undo());
    edit("3");
    EXPECT_FALSE(undo.CanRedo());
    ASSERT_TRUE(undo.Undo());
    EXPECT_FALSE(undo.AtSavePoint());
    ASSERT_TRUE(undo.Redo());
    EXPECT_FALSE(undo.AtSavePoint());

    // Saving removes the unticked records as a step of its own, which undo takes back.
    TZelmarSDFileData* dropped = list.CreateSDFileData(false);
    Set(dropped, ecsdtChemistry, "", MolBlock("d", {"N"}));
    dropped->Selected = false;
    ASSERT_TRUE(list.SaveFile(dir.File("b.sdf")));
    undo.MarkSaved();
    EXPECT_EQ(list.GetCount(), 1);
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Records(list), (std::vector<const TZelmarSDFileData*>{record, dropped}));
    EXPECT_FALSE(undo.AtSavePoint());
}

TEST(UndoStack, KeepsTheNewestStepsAndPutsRemovedRecordsBackInPlace) {
    TZelmarSDFileDataList list(nullptr);
    TZelmarUndoStack& undo = list.Undo();
    for (int i = 0; i < 10; ++i)
        Set(list.CreateSDFileData(false), ecsdtDataText, "No", std::to_string(i));
    const std::vector<const TZelmarSDFileData*> all = Records(list);

    // Untick 1, 4 and 8 and delete them in one step, then add a record in the next.
    undo.BeginStep("delete");
    for (const int index : {1, 4, 8}) {
        undo.NoteCheck(list.GetSDFileData(index));
        list.GetSDFileData(index)->Selected = false;
    }
    list.DeleteUnselected();
    undo.EndStep();
    ASSERT_EQ(list.GetCount(), 7);
    undo.BeginStep("new");
    TZelmarSDFileData* added = list.CreateSDFileData(false);
    undo.EndStep();
    EXPECT_EQ(list.GetCount(), 8);

    ASSERT_TRUE(undo.Undo());
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Records(list), all);
    EXPECT_TRUE(list.GetSDFileData(4)->Selected);
    ASSERT_TRUE(undo.Redo());
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(list.GetCount(), 8);
    EXPECT_EQ(list.GetSDFileData(7), added);

    // A record a step knows, removed for good: the steps are forgotten, not left dangling.
    list.DeleteSDFileData(added);
    EXPECT_FALSE(undo.CanUndo());

    // Only the newest steps are kept; undoing all of them stops at the oldest kept.
    TZelmarSDFileData* record = list.GetSDFileData(0);
    const int steps = TZelmarUndoStack::kDefaultLimit + 30;
    std::string afterThirty;
    for (int step = 1; step <= steps; ++step) {
        undo.BeginStep("edit");
        undo.NoteContent(record);
        Set(record, ecsdtDataText, "No", std::to_string(step));
        undo.EndStep();
        if (step == 30) afterThirty = Sheet(list);
    }
    EXPECT_GE(TZelmarUndoStack::kDefaultLimit, 100);
    EXPECT_EQ(undo.UndoCount(), TZelmarUndoStack::kDefaultLimit);
    while (undo.CanUndo()) undo.Undo();
    EXPECT_EQ(Sheet(list), afterThirty);
}

TEST(UndoStack, AFieldChangeForgetsTheStepsAndLeavesTheSheetModified) {
    TZelmarSDFileDataList list(nullptr);
    TZelmarUndoStack& undo = list.Undo();
    TZelmarSDFileData* record = list.CreateSDFileData(false);
    Set(record, ecsdtDataText, "B", "old");
    list.InitFieldNamesFromData();
    undo.MarkSaved();
    undo.BeginStep("edit");
    undo.NoteContent(record);
    Set(record, ecsdtDataText, "B", "new");
    undo.EndStep();

    TZelmarFieldList edited;
    ASSERT_TRUE(list.FillCopyOfFieldList(edited));
    edited.SaveOrigFieldNames();
    edited.GetFieldByName("B")->Name = "Title";
    edited.SetEditedFlags();
    ASSERT_TRUE(list.SetNewFields(&edited));
    // Undoing the edit now would bring the item back under its old name.
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_FALSE(undo.AtSavePoint());
    EXPECT_EQ(Sheet(list).find("<B>"), std::string::npos);
}

TEST(UndoStack, AFieldChangeInsideAStepIsUndoneAndRedoneWithTheEditsBeforeIt) {
    TZelmarSDFileDataList list(nullptr);
    TZelmarUndoStack& undo = list.Undo();
    TZelmarSDFileData* record = list.CreateSDFileData(false);
    Set(record, ecsdtDataText, "B", "old");
    Set(record, ecsdtDataText, "C", "gone soon");
    list.InitFieldNamesFromData();
    undo.MarkSaved();
    const std::string loaded = Sheet(list);
    undo.BeginStep("edit");
    undo.NoteContent(record);
    Set(record, ecsdtDataText, "B", "new");
    undo.EndStep();
    const std::string edited = Sheet(list);

    // B becomes Title, C goes: one step of its own.
    TZelmarFieldList fields;
    ASSERT_TRUE(list.FillCopyOfFieldList(fields));
    fields.SaveOrigFieldNames();
    fields.GetFieldByName("B")->Name = "Title";
    fields.DeleteField(fields.GetFieldByName("C"));
    fields.SetEditedFlags();
    undo.BeginStep("fields");
    ASSERT_TRUE(list.SetNewFields(&fields));
    undo.EndStep();
    const std::string renamed = Sheet(list);
    EXPECT_EQ(renamed.find("<B>"), std::string::npos);
    EXPECT_EQ(renamed.find("<C>"), std::string::npos);
    EXPECT_NE(renamed.find("<Title>new/"), std::string::npos);
    EXPECT_EQ(undo.UndoName(), "fields");

    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Sheet(list), edited);
    EXPECT_NE(list.GetFieldByName("B"), nullptr);
    EXPECT_NE(list.GetFieldByName("C"), nullptr);
    EXPECT_EQ(list.GetFieldByName("Title"), nullptr);
    ASSERT_TRUE(undo.Undo());  // the edit before it still comes back in its old name
    EXPECT_EQ(Sheet(list), loaded);
    EXPECT_TRUE(undo.AtSavePoint());

    ASSERT_TRUE(undo.Redo());
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(Sheet(list), renamed);
    EXPECT_NE(list.GetFieldByName("Title"), nullptr);
    EXPECT_EQ(list.GetFieldByName("B"), nullptr);
}
