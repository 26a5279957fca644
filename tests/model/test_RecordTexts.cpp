// A record's texts as pieces of the bytes it was read from: what stays a view, what goes to the
// side store, and that edits, copies and names keep each record's content its own.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "ModelTestSupport.h"
#include "Zelmar_Object_RecordTexts.h"
#include "vesk_ChemRoutines.h"

using namespace testing_support;

namespace {

// Reads record `index` of an SD text written to a file through the routines library.
class TReadRecords {
public:
    explicit TReadRecords(const std::string& text) {
        const std::string file = FDir.Write("records.sdf", text);
        Opened = FManager.OpenSDFile(file, "", nullptr, nullptr, true);
    }
    TZelmarRecordTexts Read(int index) {
        TveskSDFileRecord record;
        TZelmarRecordTexts texts;
        if (FManager.ReadEntry(index, record))
            texts.TakeRecord(record);
        else
            texts.KeepText(record.Text());
        return texts;
    }
    bool Opened = false;

private:
    TTempDir FDir;
    TveskSDFileManager FManager;
};

bool Inside(std::string_view piece, std::string_view text) {
    return piece.data() >= text.data() && piece.data() + piece.size() <= text.data() + text.size();
}

const std::string kTwoRecords =
    SDRecord(MolBlock("first", {"C", "O"}), {{"ID", {"A-1"}}, {"Note", {"two", " lines"}}}) +
    SDRecord(MolBlock("second", {"N"}), {{"Note", {"other"}}, {"ID", {"B-2"}}});

}  // namespace

TEST(RecordTexts, UneditedValuesAndMoleculeArePiecesOfTheBytesRead) {
    TReadRecords file(kTwoRecords);
    ASSERT_TRUE(file.Opened);
    const TZelmarRecordTexts first = file.Read(0);
    const TZelmarRecordTexts second = file.Read(1);
    ASSERT_TRUE(first.Loaded());
    EXPECT_FALSE(first.IsChanged());
    EXPECT_EQ(first.OrgText(), kTwoRecords.substr(0, first.OrgText().size()));

    EXPECT_EQ(first.MolString(), MolBlock("first", {"C", "O"}));
    EXPECT_TRUE(Inside(first.MolString(), first.OrgText()));
    ASSERT_EQ(first.DataCount(), 2);
    EXPECT_EQ(first.DataName(1), "Note");
    EXPECT_EQ(first.DataLines(1), (std::vector<std::string>{"two", " lines"}));
    for (int k = 0; k < first.LineCount(1); ++k)
        EXPECT_TRUE(Inside(first.Line(1, k), first.OrgText()));
    EXPECT_LT(first.OwnBytes(), 100u) << "tables only: no value or molecule copied";

    // Names are shared, not kept per record; the order of each record stays its own.
    EXPECT_EQ(second.FindData("ID"), 1);
    EXPECT_EQ(first.DataName(0).data(), second.DataName(1).data());
    EXPECT_EQ(first.FindData("id"), -1);
    EXPECT_EQ(first.FindData("never seen anywhere"), -1);
    EXPECT_FALSE(first.Formula().empty());
    EXPECT_GT(first.Molweight(), 0.0);
}

TEST(RecordTexts, CrLfRecordKeepsItsBytesAndOnlyTheMoleculeGoesAside) {
    std::string crlf;
    for (const char c : SDRecord(MolBlock("m", {"C"}), {{"ID", {"7", "8"}}})) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    TReadRecords file(crlf);
    ASSERT_TRUE(file.Opened);
    const TZelmarRecordTexts texts = file.Read(0);
    EXPECT_EQ(texts.OrgText(), crlf);
    EXPECT_EQ(texts.MolString(), MolBlock("m", {"C"})) << "the library's LF block";
    EXPECT_FALSE(Inside(texts.MolString(), texts.OrgText()));
    EXPECT_EQ(texts.DataLines(0), (std::vector<std::string>{"7", "8"}));
    EXPECT_TRUE(Inside(texts.Line(0, 1), texts.OrgText()));
}

TEST(RecordTexts, EditsChangeOnlyTheirItemAndRepeatedEditsDoNotGrowTheRecord) {
    TReadRecords file(kTwoRecords);
    ASSERT_TRUE(file.Opened);
    TZelmarRecordTexts texts = file.Read(0);

    texts.SetDataLines("ID", {"A-1"});
    EXPECT_FALSE(texts.IsChanged()) << "the same value written back";

    texts.SetDataLines("ID", {"x", "y", "z"});
    EXPECT_TRUE(texts.IsChanged());
    EXPECT_FALSE(texts.MolChanged());
    EXPECT_EQ(texts.DataLines(0), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(texts.DataLines(1), (std::vector<std::string>{"two", " lines"}));
    EXPECT_TRUE(Inside(texts.Line(1, 0), texts.OrgText())) << "untouched values stay views";
    EXPECT_EQ(texts.OrgText(), file.Read(0).OrgText()) << "the bytes read stay for saving";

    const std::size_t once = texts.OwnBytes();
    for (int i = 0; i < 50; ++i) texts.SetDataLines("ID", {"x", "y", i % 2 ? "z" : "w"});
    EXPECT_LE(texts.OwnBytes(), once + 1);

    texts.SetDataLines("New", {"added"});
    texts.RenameData("Note", "Remark");
    texts.DeleteData("ID");
    ASSERT_EQ(texts.DataCount(), 2);
    EXPECT_EQ(texts.DataName(0), "Remark");
    EXPECT_EQ(texts.DataLines(0), (std::vector<std::string>{"two", " lines"}));
    EXPECT_EQ(texts.DataName(1), "New");
    EXPECT_EQ(texts.DataLines(1), std::vector<std::string>{"added"});

    texts.SetMolString("changed");
    EXPECT_TRUE(texts.MolChanged());
    EXPECT_EQ(texts.MolString(), "changed");
    EXPECT_TRUE(texts.Formula().empty()) << "computed anew for the new molecule";
}

TEST(RecordTexts, CopiesShareTheBytesUntilOneOfThemIsEdited) {
    TReadRecords file(kTwoRecords);
    ASSERT_TRUE(file.Opened);
    const TZelmarRecordTexts source = file.Read(1);
    TZelmarRecordTexts copy;
    copy.Assign(source);
    EXPECT_EQ(copy.OrgText().data(), source.OrgText().data());

    copy.SetDataLines("Note", {"edited"});
    copy.SetMolString("");
    EXPECT_EQ(source.DataLines(0), std::vector<std::string>{"other"});
    EXPECT_EQ(source.MolString(), MolBlock("second", {"N"}));
    EXPECT_FALSE(source.IsChanged());
    EXPECT_EQ(copy.DataLines(0), std::vector<std::string>{"edited"});
    EXPECT_TRUE(copy.MolString().empty());

    copy.Clear();
    EXPECT_FALSE(copy.Loaded());
    EXPECT_EQ(copy.DataCount(), 0);
    EXPECT_EQ(source.DataCount(), 2) << "the source keeps its block";
}

TEST(RecordTexts, RecordThatCannotBeTakenApartKeepsOnlyItsBytes) {
    const std::string broken = "no molecule here\n> <ID>\n1\n\n$$$$\n";
    TReadRecords file(broken);
    ASSERT_TRUE(file.Opened);
    const TZelmarRecordTexts texts = file.Read(0);
    EXPECT_FALSE(texts.Loaded());
    EXPECT_EQ(texts.OrgText(), broken);
    EXPECT_EQ(texts.DataCount(), 0);
    EXPECT_TRUE(texts.MolString().empty());
}
