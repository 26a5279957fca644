// Mixing two sheets of real SD files through the dialog, as a user does it: choosing the
// sheets, the operation and the name, pressing OK, and stopping a mix under way. The
// results are checked against counts made here from the search library's exact-match keys.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "ZelmarDialogTestSupport.h"
#include "ZelmarMolfileBuilder.h"
#include "Zelmar_ChemSearchEngine.h"
#include "Zelmar_Dialog_MixSheets.h"
#include "Zelmar_HelpHeader.h"
#include "Zelmar_Object_PolicyKeys.h"
#include "Zelmar_PolicyChoice.h"
#include "vesk_QtDispatcher.h"

namespace {

const TZelmarField& Chemistry() {
    static const TZelmarField field = [] {
        TZelmarField chemistry;
        chemistry.Name = kFieldNameChemistry;
        chemistry.Kind = ecsdtChemistry;
        return chemistry;
    }();
    return field;
}

// A loaded sheet's records with a few check marks taken away.
struct TLoadedSheet {
    std::unique_ptr<TZelmarSDFileDataList> List;
    TZelmarMixSheet Sheet;
    bool Indexed = false;

    TLoadedSheet(platform::TUiDispatcher* ui, const char* file, int uncheckEvery,
                 bool wait = true) {
        List = std::make_unique<TZelmarSDFileDataList>(
            ui, nullptr, nullptr, nullptr, nullptr,
            [this](TZelmarSDFileDataList*) { Indexed = true; });
        Sheet.Caption = std::string(ZELMAR_SDF_DATA_DIR "/") + file;
        Sheet.List = List.get();
        Sheet.Indexing = [this] { return !Indexed; };
        if (!List->LoadFile(Sheet.Caption)) qWarning("cannot load %s", file);
        if (!wait) return;
        QTRY_VERIFY_WITH_TIMEOUT(List->GetLoadFinished(), 120000);
        for (int i = uncheckEvery - 1; uncheckEvery > 0 && i < List->GetCount(); i += uncheckEvery)
            List->GetSDFileData(i)->Selected = false;
    }
};

// The exact-match key of every checked record, made here; molecules without a key (no
// atoms, unreadable) get a key of their own, as they never equal anything.
std::vector<std::string> CheckedKeys(TZelmarSDFileDataList& list) {
    TZelmarSearchEngine engine(nullptr);
    std::vector<std::string> keys;
    for (int i = 0; i < list.GetCount(); ++i) {
        TZelmarSDFileData* record = list.GetSDFileData(i);
        if (!record->Selected) continue;
        TZelmarDataCarrier molecule;
        record->GetDataForField(&Chemistry(), &molecule);
        const TZelmarStructureKey key = engine.StructureKey(molecule.Text(), false);
        keys.push_back(key.Kind == TZelmarStructureKey::skKey
                           ? key.Text
                           : "<none " + std::to_string(reinterpret_cast<std::uintptr_t>(record)) +
                                 ">");
    }
    return keys;
}

std::multiset<std::string> KeysOf(const TZelmarRecordRefs& records) {
    TZelmarSearchEngine engine(nullptr);
    std::multiset<std::string> keys;
    for (const auto& item : records) {
        TZelmarDataCarrier molecule;
        item.Object->GetDataForField(&Chemistry(), &molecule);
        keys.insert(engine.StructureKey(molecule.Text(), false).Text);
    }
    return keys;
}

// What each operation must give, counted from the keys.
struct TExpected {
    int Intersect = 0, Merge = 0, LeftMinusRight = 0, RightMinusLeft = 0;
    std::set<std::string> Common;
};

TExpected Expect(const std::vector<std::string>& left, const std::vector<std::string>& right) {
    const std::set<std::string> l(left.begin(), left.end()), r(right.begin(), right.end());
    TExpected expected;
    expected.Merge = static_cast<int>(left.size() + right.size());
    for (const auto& key : left) {
        if (r.count(key)) {
            ++expected.Intersect;
            expected.Common.insert(key);
        } else {
            ++expected.LeftMinusRight;
        }
    }
    for (const auto& key : right) (l.count(key) ? expected.Intersect : expected.RightMinusLeft)++;
    return expected;
}

// A dialog offering the sheets, as the main window makes it.
std::unique_ptr<TZelmarDialogMixSheets> MakeDialog(const std::vector<TZelmarMixSheet>& sheets) {
    auto dialog = std::make_unique<TZelmarDialogMixSheets>();
    dialog->OnGetAvailableSheets = [sheets](TZelmarDialogMixSheets*,
                                            std::vector<TZelmarMixSheet>& out) {
        out = sheets;
        return true;
    };
    dialog->OnGetNextSearchResultCaption = [](TZelmarDialogMixSheets*, std::string& caption) {
        caption = "Suchergebnis 1";
    };
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog.get())) return nullptr;
    return dialog;
}

void Choose(TZelmarDialogMixSheets& dialog, int right, int operation) {
    ClickRow(dialog.LbRightSheets, right);
    QWidget* selector = dialog.findChild<QWidget*>(QStringLiteral("Selector%1").arg(operation));
    QVERIFY(selector != nullptr);
    QTest::mouseClick(selector, Qt::LeftButton, Qt::NoModifier, QPoint(60, 20));
    QCOMPARE(dialog.GetOperation(), operation);
}

// Runs the action once from the event loop while the mix shows the given step.
void WhileShowing(TZelmarDialogMixSheets& dialog, const QString& step,
                  std::function<void()> action) {
    auto* timer = new QTimer(&dialog);
    QObject::connect(timer, &QTimer::timeout, &dialog, [&dialog, timer, step, action] {
        if (!dialog.PanelProgress->isVisible() || dialog.LabelAction->text() != step) return;
        timer->stop();
        action();
    });
    timer->start(0);
}

// A molecule of atoms in a row ("O-", "Na+" charged) and bonds {from, to[, order]}.
std::string Mol(const std::vector<std::string>& symbols,
                const std::vector<std::vector<int>>& bonds) {
    molfile_support::TMolfile molfile = molfile_support::Chain(
        "m", "  test", std::vector<std::string>(symbols.size(), "C"), 1.5, 0.5);
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        std::string symbol = symbols[i];
        if (symbol.back() == '+' || symbol.back() == '-') {
            molfile.Atoms[i].Charge = symbol.back() == '+' ? 3 : 5;
            symbol.pop_back();
        }
        molfile.Atoms[i].Symbol = symbol;
    }
    molfile.Bonds.clear();
    for (const auto& b : bonds) molfile.Bonds.push_back({b[0], b[1], b.size() > 2 ? b[2] : 1, 0});
    return molfile.Text();
}

const TZelmarField& IdField() {
    static const TZelmarField field = [] {
        TZelmarField id;
        id.Name = "id";
        id.Kind = ecsdtDataText;
        return id;
    }();
    return field;
}

void Add(TZelmarSDFileDataList& list, const std::string& mol, const std::string& id) {
    TZelmarSDFileData* record = list.CreateSDFileData(false);
    TZelmarDataCarrier value;
    value.SetText(mol);
    record->SetDataForField(&Chemistry(), &value);
    value.SetText(id);
    record->SetDataForField(&IdField(), &value);
}

std::string Id(TZelmarSDFileData* record) {
    TZelmarDataCarrier value;
    return record->GetDataForField(&IdField(), &value) ? value.Text() : "<none>";
}

}  // namespace

class TestMixSheetsDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<TQtUiDispatcher> FUi;
    std::unique_ptr<TLoadedSheet> FLeft, FRight;

private slots:
    void initTestCase() {
        if (!QFileInfo::exists(QStringLiteral(ZELMAR_SDF_DATA_DIR "/nci_3d.sdf")))
            QSKIP("the shared SD files are missing");
        FUi = std::make_unique<TQtUiDispatcher>();
        FLeft = std::make_unique<TLoadedSheet>(FUi.get(), "nci_aids_props.sdf", 7);
        FRight = std::make_unique<TLoadedSheet>(FUi.get(), "nci_3d.sdf", 5);
        QVERIFY(FLeft->List->GetCount() == 200 && FRight->List->GetCount() == 70);
    }
    void cleanupTestCase() {
        FLeft.reset();
        FRight.reset();
        FUi.reset();
    }

    void okWaitsForTwoDifferentSheetsAndAName() {
        auto dialog = MakeDialog({FLeft->Sheet, FRight->Sheet});
        QVERIFY(dialog);
        QCOMPARE(dialog->LbLeftSheets->item(0)->text(), QStringLiteral("nci_aids_props"));
        QCOMPARE(dialog->LbRightSheets->item(1)->text(), QStringLiteral("nci_3d"));
        QCOMPARE(dialog->EdOutputName->text(), QStringLiteral("Suchergebnis 1"));
        QCOMPARE(dialog->GetOperation(), int(TZelmarMixWindows::moIntersect));
        QVERIFY(dialog->GetCurrentRightWindow() == nullptr);
        QVERIFY(!dialog->BtnOk->isEnabled());
        ClickRow(dialog->LbRightSheets, 0);
        QVERIFY(!dialog->BtnOk->isEnabled());  // the same sheet on both sides
        ClickRow(dialog->LbRightSheets, 1);
        QVERIFY(dialog->BtnOk->isEnabled());
        dialog->EdOutputName->selectAll();
        QTest::keyClicks(dialog->EdOutputName, QStringLiteral("  "));
        QVERIFY(!dialog->BtnOk->isEnabled());
        QVERIFY(!dialog->PanelProgress->isVisible());
    }

    void mixesTwoRealFilesAsTheirMoleculesSay() {
        const std::vector<std::string> left = CheckedKeys(*FLeft->List);
        const std::vector<std::string> right = CheckedKeys(*FRight->List);
        const TExpected expected = Expect(left, right);
        QVERIFY2(!expected.Common.empty(), "the two files should share molecules");
        const std::map<int, int> counts = {
            {TZelmarMixWindows::moIntersect, expected.Intersect},
            {TZelmarMixWindows::moMerge, expected.Merge},
            {TZelmarMixWindows::moLeftMinusRight, expected.LeftMinusRight},
            {TZelmarMixWindows::moRightMinusLeft, expected.RightMinusLeft}};
        for (const auto& [operation, count] : counts) {
            auto dialog = MakeDialog({FLeft->Sheet, FRight->Sheet});
            QVERIFY(dialog);
            Choose(*dialog, 1, operation);
            dialog->BtnOk->click();
            QCOMPARE(dialog->result(), int(QDialog::Accepted));
            const TZelmarRecordRefs& result = dialog->GetResultList();
            QCOMPARE(result.GetCount(), count);
            for (const auto& item : result) QVERIFY(item.Object->Selected);  // no unchecked record
            const std::multiset<std::string> keys = KeysOf(result);
            if (operation == TZelmarMixWindows::moIntersect) {
                for (const auto& key : keys) QVERIFY(expected.Common.count(key));
            } else if (operation == TZelmarMixWindows::moLeftMinusRight ||
                       operation == TZelmarMixWindows::moRightMinusLeft) {
                for (const auto& key : keys) QVERIFY(!expected.Common.count(key));
            } else {
                // Left records first, then right ones, each in sheet order.
                QCOMPARE(KeysOf(result).size(), left.size() + right.size());
                TZelmarDataCarrier first, firstRight;
                result.GetObject(0)->GetDataForField(&Chemistry(), &first);
                result.GetObject(static_cast<int>(left.size()))
                    ->GetDataForField(&Chemistry(), &firstRight);
                TZelmarDataCarrier leftFirst, rightFirst;
                FLeft->List->GetSDFileData(0)->GetDataForField(&Chemistry(), &leftFirst);
                FRight->List->GetSDFileData(0)->GetDataForField(&Chemistry(), &rightFirst);
                QCOMPARE(first.Text(), leftFirst.Text());
                QCOMPARE(firstRight.Text(), rightFirst.Text());
            }
        }
    }

    void theCancelButtonStopsTheMixAndItCanStartAgain() {
        TTestLanguage english("en");
        auto dialog = MakeDialog({FLeft->Sheet, FRight->Sheet});
        QVERIFY(dialog);
        Choose(*dialog, 1, TZelmarMixWindows::moMerge);
        bool shown = false;
        WhileShowing(*dialog, QStringLiteral("Verifying left data integrity"), [&] {
            shown = true;
            Shot(dialog.get(), QStringLiteral("mix_sheets_progress_en"));
            dialog->BtnAbort->click();
        });
        dialog->BtnOk->click();
        QVERIFY(shown);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->GetResultList().GetCount(), 0);
        QVERIFY(!dialog->PanelProgress->isVisible());
        QVERIFY(dialog->LbLeftSheets->isEnabled());
        dialog->BtnOk->click();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->GetResultList().GetCount(),
                 Expect(CheckedKeys(*FLeft->List), CheckedKeys(*FRight->List)).Merge);
    }

    void escapeStopsAMixInsteadOfClosingTheDialog() {
        auto dialog = MakeDialog({FLeft->Sheet, FRight->Sheet});
        QVERIFY(dialog);
        Choose(*dialog, 1, TZelmarMixWindows::moIntersect);
        bool pressed = false;
        WhileShowing(*dialog, QStringLiteral("Mixing Sheets"), [&] {
            pressed = true;
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        });
        dialog->BtnOk->click();
        QVERIFY(pressed);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->GetResultList().GetCount(), 0);
        QTest::keyClick(dialog.get(), Qt::Key_Escape);  // not mixing: Esc closes
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
    }

    void aSheetWhoseWindowClosesMeanwhileStopsTheMix() {
        auto window = std::make_unique<QObject>();
        TZelmarMixSheet left = FLeft->Sheet;
        left.Window = window.get();
        auto dialog = MakeDialog({left, FRight->Sheet});
        QVERIFY(dialog);
        Choose(*dialog, 1, TZelmarMixWindows::moIntersect);
        WhileShowing(*dialog, QStringLiteral("Verifying left data integrity"),
                     [&] { window.reset(); });
        dialog->BtnOk->click();
        QVERIFY(!window);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->GetResultList().GetCount(), 0);
    }

    void sheetsWithoutCommonMoleculesGiveAnEmptyResult() {
        TLoadedSheet esters(FUi.get(), "crlf.sdf", 0);
        TLoadedSheet chembl(FUi.get(), "chembl_examples.sdf", 0);
        auto dialog = MakeDialog({esters.Sheet, chembl.Sheet});
        QVERIFY(dialog);
        Choose(*dialog, 1, TZelmarMixWindows::moIntersect);
        dialog->BtnOk->click();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->GetResultList().GetCount(), 0);
    }

    void aSheetStillCountingItsEntriesIsWaitedFor() {
        // Mixed at once, before its file's entries are counted (that ends in the event loop).
        TLoadedSheet opening(FUi.get(), "pubchem_hard_subset.sdf", 0, false);
        QVERIFY(!opening.Indexed);
        QCOMPARE(opening.List->GetCount(), 0);
        TZelmarRecordRefs result;
        QVERIFY(TZelmarMixWindows::MixWindows(&opening.Sheet, &FRight->Sheet, nullptr, nullptr,
                                              nullptr, result, &Chemistry(),
                                              TZelmarMixWindows::moMerge));
        QCOMPARE(result.GetCount(), 208 + static_cast<int>(CheckedKeys(*FRight->List).size()));
        result.Clear();
        QVERIFY(!TZelmarMixWindows::MixWindows(&opening.Sheet, &FRight->Sheet, nullptr, nullptr,
                                               nullptr, result, &Chemistry(), 0));
        QCOMPARE(result.GetCount(), 0);
    }

    void thePolicyComparesWithoutSaltsAndIsOffForMerging() {
        if (!ZelmarPolicyKeysAvailable()) QFAIL("the search library makes no policy keys");
        // Acetic acid, and its sodium salt as a second fragment; ethanol, and with water.
        const std::string ethanol = Mol({"C", "C", "O"}, {{1, 2}, {2, 3}});
        const std::string ethanolWater = Mol({"C", "C", "O", "O"}, {{1, 2}, {2, 3}});
        const std::string acetic = Mol({"C", "C", "O", "O"}, {{1, 2}, {2, 3, 2}, {2, 4}});
        const std::string acetate = Mol({"C", "C", "O", "O-", "Na+"}, {{1, 2}, {2, 3, 2}, {2, 4}});
        TZelmarSDFileDataList left(nullptr), right(nullptr);
        Add(left, ethanol, "ethanol");
        Add(left, acetate, "sodium acetate");
        Add(right, acetic, "acetic acid");
        Add(right, ethanolWater, "ethanol and water");
        TZelmarMixSheet leftSheet, rightSheet;
        leftSheet.Caption = "/tmp/left.sdf";
        leftSheet.List = &left;
        rightSheet.Caption = "/tmp/right.sdf";
        rightSheet.List = &right;

        const auto mix = [&](int operation, const std::vector<const char*>& ticks) {
            auto dialog = MakeDialog({leftSheet, rightSheet});
            if (!dialog) return std::vector<std::string>{"<no dialog>"};
            Choose(*dialog, 1, operation);
            for (const char* name : ticks) {
                auto* box = dialog->findChild<QCheckBox*>(QLatin1String(name));
                if (box == nullptr || !box->isEnabled()) return std::vector<std::string>{name};
                QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier,
                                  QPoint(6, box->height() / 2));
            }
            dialog->BtnOk->click();
            std::vector<std::string> ids;
            if (dialog->result() != QDialog::Accepted) return std::vector<std::string>{"<open>"};
            for (const auto& item : dialog->GetResultList()) ids.push_back(Id(item.Object));
            return ids;
        };
        using TIds = std::vector<std::string>;
        QCOMPARE(mix(TZelmarMixWindows::moIntersect, {}), TIds());
        QCOMPARE(mix(TZelmarMixWindows::moIntersect, {"CbIgnoreSalts"}),
                 (TIds{"ethanol", "ethanol and water"}));
        TIds both = mix(TZelmarMixWindows::moIntersect, {"CbIgnoreSalts", "CbIgnoreCharges"});
        std::sort(both.begin(), both.end());
        QCOMPARE(both, (TIds{"acetic acid", "ethanol", "ethanol and water", "sodium acetate"}));
        QCOMPARE(mix(TZelmarMixWindows::moLeftMinusRight, {"CbIgnoreSalts"}),
                 (TIds{"sodium acetate"}));
        QCOMPARE(mix(TZelmarMixWindows::moRightMinusLeft, {"CbIgnoreSalts", "CbIgnoreCharges"}),
                 TIds());

        // Merging compares nothing: the rules are off, and a tick from before does not count.
        auto dialog = MakeDialog({leftSheet, rightSheet});
        QVERIFY(dialog);
        QVERIFY(dialog->PolicyChoice->isEnabled());
        dialog->SetPolicy(dpSalts);
        QCOMPARE(dialog->GetPolicy(), int(dpSalts));
        Choose(*dialog, 1, TZelmarMixWindows::moMerge);
        QVERIFY(!dialog->PolicyChoice->isEnabled());
        QCOMPARE(dialog->GetPolicy(), 0);
        Choose(*dialog, 1, TZelmarMixWindows::moIntersect);
        QCOMPARE(dialog->GetPolicy(), int(dpSalts));
        // Each rule says under its box what it sets aside.
        for (QLabel* hint : dialog->PolicyChoice->Hints) QVERIFY(hint->text().size() > 20);
        Shot(dialog.get(), QStringLiteral("mix_sheets_policy"));
    }

    void textsInGermanAndEnglish() {
        for (const char* language : {"de", "en"}) {
            TTestLanguage dictionary(language);
            auto dialog = MakeDialog({FLeft->Sheet, FRight->Sheet});
            QVERIFY(dialog);
            const bool english = QByteArray(language) == "en";
            QCOMPARE(dialog->windowTitle(), english
                                                ? QStringLiteral("Combine data sheets")
                                                : QStringLiteral("Datenblätter zusammenführen"));
            QCOMPARE(dialog->size(), QSize(712, 655));
            QCOMPARE(dialog->PolicyChoice->Boxes[0]->text(),
                     english ? QStringLiteral("Ignore salts and solvents")
                             : QStringLiteral("Salze und Lösungsmittel ignorieren"));
            ClickRow(dialog->LbRightSheets, 1);
            Shot(dialog.get(), QStringLiteral("mix_sheets_%1").arg(QLatin1String(language)));
        }
    }
};

QTEST_MAIN(TestMixSheetsDialog)
#include "test_mix_sheets_dialog.moc"
