// The cell edit transaction: write-through, finish and abort, the dispatch of the window's
// reports, molecule edits through the owner, and the trace lines of refused calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SheetTestSupport.h"
#include "Zelmar_Object_DataExchange.h"
#include "vesk_Trace.h"

using namespace sheet_support;
using namespace testing_support;

namespace {

class TTraceCapture {
public:
    TTraceCapture() {
        WriteText(Dir.File("prog.ETC"),
                  "[TRACE]\nTrace=1\nLevel=ALL\nTraceFile=t.log\nOutput=TEXT\n");
        TraceReadConfiguration(Dir.File("module.so"), Dir.File("prog"));
    }
    ~TTraceCapture() { TraceShutdown(); }
    std::string Text() const {
        TraceShutdown();
        return ReadText(Dir.File("t.log"));
    }

private:
    TTempDir Dir;
};

struct TEditing {
    TZelmarSDFileDataList List{nullptr};
    TZelmarDataExchange Exchange;
    TZelmarField Name = Field(ecsdtDataText, "name");
    TZelmarField Chem = Field(ecsdtChemistry, "ecsdtChemistry");
    TZelmarSDFileData* First = AddRecord(List, kEthanol, "1", {{"name", "abc"}});
    TZelmarSDFileData* Second = AddRecord(List, kEthanol, "2", {{"name", "xyz"}});
    std::vector<std::string> Events;
    TEditing() {
        auto log = [this](const char* name) {
            return [this, name](TZelmarDataExchange*) { Events.push_back(name); };
        };
        Exchange.OnDataChanged = log("changed");
        Exchange.OnFinishEditData = log("finish");
        Exchange.OnAbortEditData = log("abort");
        Exchange.OnInitEditData = log("init");
    }
    std::string Value(TZelmarSDFileData* record, const TZelmarField& field) {
        TZelmarDataCarrier carrier;
        return record->GetDataForField(&field, &carrier) ? carrier.Text() : "<none>";
    }
    // The editor's reports: (text, edit molecule, abort, finish, start).
    void Report(const std::string& text, bool mol, bool abort, bool finish, bool start) {
        Exchange.HandleOnChangeExternalData(nullptr, text, mol, abort, finish, start);
    }
};

}  // namespace

TEST(DataExchange, AbortRestoresFinishMovesTheBaselineUpdateNeedsStart) {
    TTraceCapture trace;
    TEditing e;
    e.Exchange.HandleOnUpdateDataExchange(nullptr, e.First, &e.Name);
    EXPECT_EQ(e.Events, (std::vector<std::string>{"changed", "init"}));
    EXPECT_FALSE(e.Exchange.Modified);

    e.Report("zzz", false, false, false, false);  // not started: refused
    EXPECT_EQ(e.Value(e.First, e.Name), "abc");
    EXPECT_FALSE(e.Exchange.Modified);

    e.Report("abc", false, false, false, true);
    e.Report("abd", false, false, false, false);
    EXPECT_EQ(e.Value(e.First, e.Name), "abd");  // written through at once
    // Another cell selected during the edit: the edit stays on the first.
    e.Exchange.HandleOnUpdateDataExchange(nullptr, e.Second, &e.Name);
    EXPECT_EQ(e.Exchange.Record, e.First);
    e.Report("", false, true, false, false);
    EXPECT_EQ(e.Value(e.First, e.Name), "abc");
    EXPECT_TRUE(e.Exchange.Modified);
    EXPECT_FALSE(e.Exchange.Started);

    e.Report("new", false, false, false, true);
    e.Report("", false, false, true, false);
    EXPECT_EQ(e.Exchange.Baseline->Text(), "new");
    EXPECT_EQ(e.Exchange.Current->Text(), "new");
    e.Events.clear();
    e.Report("", false, true, false, false);  // abort without a new start: nothing
    EXPECT_TRUE(e.Events.empty());
    EXPECT_EQ(e.Value(e.First, e.Name), "new");

    // Finishing an emptied text keeps the item, with no lines.
    e.Report("", false, false, false, true);
    e.Report("", false, false, true, false);
    const TZelmarRecordTexts& texts = e.First->Texts();
    ASSERT_GE(texts.FindData("name"), 0);
    EXPECT_EQ(texts.LineCount(texts.FindData("name")), 0);

    const std::string log = trace.Text();
    EXPECT_NE(log.find("DataExchange cannot been Updated, if not Started"), std::string::npos);
    EXPECT_NE(log.find("TZelmarDataExchange.Update"), std::string::npos);
    EXPECT_NE(log.find("Edit Started"), std::string::npos);
}

TEST(DataExchange, MissingItemIsEditedAsEmptyTextAndAbortRemovesItAgain) {
    TEditing e;
    TZelmarField note = Field(ecsdtDataText, "note");
    e.Exchange.HandleOnUpdateDataExchange(nullptr, e.First, &note);
    EXPECT_EQ(e.Exchange.Current->Kind(), ecsdtDataText);
    e.Report("typed", false, false, false, true);
    EXPECT_EQ(e.Value(e.First, note), "typed");
    e.Report("", false, true, false, false);
    EXPECT_EQ(e.First->Texts().FindData("note"), -1);

    e.Exchange.HandleOnUpdateDataExchange(nullptr, nullptr, nullptr);
    EXPECT_FALSE(e.Exchange.IsValid());
    EXPECT_TRUE(e.Exchange.Current->Empty());
}

TEST(DataExchange, MoleculeEditsGoThroughTheOwner) {
    TEditing e;
    const std::string methane = MolBlock("m", {"C"});
    e.Exchange.HandleOnUpdateDataExchange(nullptr, e.First, &e.Chem);
    const std::string before = e.Value(e.First, e.Chem);

    std::string offered;
    e.Exchange.OnEditChemistry = [&](TZelmarDataExchange*, std::string& mol) {
        offered = mol;
        mol = methane;
        return true;
    };
    e.Report("ignored", true, false, false, false);
    EXPECT_EQ(offered, before);
    EXPECT_EQ(e.First->GetFormula(), "CH4");
    EXPECT_EQ(e.Exchange.Baseline->Text(), methane);

    // Refused (or nobody to ask): the molfile of the cell's last finished state comes back.
    e.Exchange.OnEditChemistry = [](TZelmarDataExchange*, std::string& mol) {
        mol = "garbage";
        return false;
    };
    e.Report("", true, false, false, false);
    EXPECT_EQ(e.First->GetFormula(), "CH4");
    e.Exchange.HandleOnUpdateDataExchange(nullptr, e.Second, &e.Chem);
    e.Exchange.OnEditChemistry = nullptr;
    e.Report("", true, false, false, false);
    EXPECT_EQ(e.Second->GetFormula(), "C2H6O");
    EXPECT_FALSE(e.Exchange.Started);
}
