// The duplicate search under duplicate policies as a user runs it: a written file opened, the
// search chosen by its action, rules ticked in the dialog with the mouse, and the result sheet
// holding the groups those rules make; the choice is offered again the next time.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <set>

#include "SheetWindowTestSupport.h"
#include "ZelmarMolfileBuilder.h"
#include "Zelmar_ChemSearchEngine.h"
#include "Zelmar_Dialog_ChooseField.h"
#include "Zelmar_Object_PolicyKeys.h"
#include "Zelmar_PolicyChoice.h"

using namespace sheetTest;

namespace {

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

// Pairs that differ in a salt, a charge or a tautomer, and two that differ in nothing a rule
// sets aside (keto and enol).
QString WriteFile(const QTemporaryDir& folder) {
    const std::vector<std::pair<std::string, std::string>> records = {
        {"ethanol", Mol({"C", "C", "O"}, {{1, 2}, {2, 3}})},
        {"sodium acetate", Mol({"C", "C", "O", "O-", "Na+"}, {{1, 2}, {2, 3, 2}, {2, 4}})},
        {"pyridone", Mol({"N", "C", "C", "C", "C", "C", "O"},
                         {{1, 2}, {2, 3}, {3, 4, 2}, {4, 5}, {5, 6, 2}, {6, 1}, {2, 7, 2}})},
        {"acetone", Mol({"C", "C", "O", "C"}, {{1, 2}, {2, 3, 2}, {2, 4}})},
        {"acetic acid", Mol({"C", "C", "O", "O"}, {{1, 2}, {2, 3, 2}, {2, 4}})},
        {"ethanol and water", Mol({"C", "C", "O", "O"}, {{1, 2}, {2, 3}})},
        {"hydroxypyridine", Mol({"N", "C", "C", "C", "C", "C", "O"},
                                {{1, 2, 2}, {2, 3}, {3, 4, 2}, {4, 5}, {5, 6, 2}, {6, 1}, {2, 7}})},
        {"propenol", Mol({"C", "C", "O", "C"}, {{1, 2, 2}, {2, 3}, {2, 4}})},
    };
    std::string sd;
    for (const auto& [id, mol] : records) sd += mol + ">  <id>\n" + id + "\n\n$$$$\n";
    const QString file = folder.filePath(QStringLiteral("pairs.sdf"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return {};
    out.write(sd.data(), static_cast<qint64>(sd.size()));
    return file;
}

QAction* Action(TZelmar_FormMain& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void Pick(QListWidget* list, const QString& text) {
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->text() == text) {
            const QRect rect = list->visualItemRect(list->item(row));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
            return;
        }
    QFAIL(qPrintable(QStringLiteral("no entry ") + text));
}

QCheckBox* Box(QDialog* dialog, const char* name) {
    return dialog->findChild<QCheckBox*>(QLatin1String(name));
}

void Click(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
}

// The result sheet's ids in its groups' order.
std::vector<std::string> Ids(TZelmarWindow* sheet) {
    std::vector<std::string> ids;
    for (int row = 1; row <= sheet->List()->GetCount(); ++row)
        ids.push_back(Value(sheet, row, "id"));
    return ids;
}

}  // namespace

class TestSheetPolicies : public QObject {
    Q_OBJECT

    QTemporaryDir Folder;
    TShownForm* Shown = nullptr;
    TZelmarWindow* Sheet = nullptr;

    TZelmar_FormMain& Form() { return Shown->Form; }

    // The duplicate search answered by answer; the result sheet, if one opened.
    // With noResults the search's notice that it found nothing is expected and confirmed.
    TZelmarWindow* SearchDuplicates(std::function<void(TZelmarDialogChooseFields*)> answer,
                                    bool noResults = false) {
        Form().MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(Sheet->parentWidget()));
        const auto before = Form().SheetWindows();
        TDialogWatcher watcher;
        watcher.Expect([&](QDialog* dialog) {
            auto* typed = qobject_cast<TZelmarDialogChooseFields*>(dialog);
            if (typed == nullptr) {
                dialog->reject();
                return;
            }
            answer(typed);
        });
        if (noResults) watcher.ExpectOk();
        Form().UpdateActions();
        Action(Form(), "ActSearchDuplicates")->trigger();
        if (!watcher.AllAnswered() || !watcher.Unexpected.isEmpty()) return nullptr;
        const auto after = Form().SheetWindows();
        return after.size() > before.size() ? after.last() : nullptr;
    }

private slots:
    void initTestCase() {
        UseOwnSettings();
        if (!ZelmarPolicyKeysAvailable()) QFAIL("the search library makes no policy keys");
        Shown = new TShownForm;
        const QString file = WriteFile(Folder);
        QVERIFY(!file.isEmpty());
        Sheet = Open(Form(), file);
        QVERIFY(Sheet != nullptr);
        QCOMPARE(Sheet->List()->GetCount(), 8);
    }

    void cleanupTestCase() {
        if (Shown != nullptr) CloseAllSheetsDiscarding(Form());
        delete Shown;
    }

    void rulesTickedInTheDialogMakeTheResultsGroups() {
        bool offForFormula = false;
        TZelmarWindow* result = SearchDuplicates([&](TZelmarDialogChooseFields* dialog) {
            // Only molecules have rules: off for the formula, on again for the molecule.
            Pick(dialog->LbFieldList, QStringLiteral("Summenformel"));
            offForFormula = !Box(dialog, "CbIgnoreSalts")->isEnabled();
            Pick(dialog->LbFieldList, QStringLiteral("Molekül"));
            Click(Box(dialog, "CbIgnoreSalts"));
            Click(Box(dialog, "CbIgnoreCharges"));
            Click(dialog->CbConsiderStereoChem);
            const QString shots = qEnvironmentVariable("ZELMAR_DIALOG_SHOTS");
            if (!shots.isEmpty())
                dialog->grab().save(shots + QStringLiteral("/duplicates_policy.png"));
            dialog->BtnOk->click();
        });
        QVERIFY(offForFormula);
        QVERIFY(result != nullptr);
        // Group by group, each in sheet order; keto and enol stay apart, and so do the
        // pyridones, which only the tautomer rule joins.
        const std::vector<std::string> ids = Ids(result);
        QCOMPARE(ids.size(), std::size_t(4));
        const std::set<std::set<std::string>> groups = {{ids[0], ids[1]}, {ids[2], ids[3]}};
        QCOMPARE(groups, (std::set<std::set<std::string>>{{"ethanol", "ethanol and water"},
                                                          {"sodium acetate", "acetic acid"}}));
        QVERIFY(ids[0] == "ethanol" || ids[0] == "sodium acetate");
        // The caption names the rules, the tool tip too.
        QVERIFY2(QString::fromStdString(result->Caption())
                     .contains(QStringLiteral("ohne Salze, ohne Ladungen")),
                 result->Caption().c_str());
        QVERIFY(result->parentWidget()->toolTip().contains(QStringLiteral("ohne Salze")));
    }

    void theNextSearchOffersTheLastChoice() {
        TZelmarWindow* result = SearchDuplicates([&](TZelmarDialogChooseFields* dialog) {
            QVERIFY(Box(dialog, "CbIgnoreSalts")->isChecked());
            QVERIFY(Box(dialog, "CbIgnoreCharges")->isChecked());
            QVERIFY(!Box(dialog, "CbTautomers")->isChecked());
            QVERIFY(dialog->CbConsiderStereoChem->isChecked());
            QCOMPARE(dialog->Policy(), int(dpSalts | dpCharges));
            // Now the tautomers alone.
            Click(Box(dialog, "CbIgnoreSalts"));
            Click(Box(dialog, "CbIgnoreCharges"));
            Click(Box(dialog, "CbTautomers"));
            dialog->BtnOk->click();
        });
        QVERIFY(result != nullptr);
        QCOMPARE(Ids(result), (std::vector<std::string>{"pyridone", "hydroxypyridine"}));
        QVERIFY(QString::fromStdString(result->Caption())
                    .contains(QStringLiteral("Tautomere vereint")));

        // Cancelled: nothing opens, and the choice stays the one searched with.
        QVERIFY(SearchDuplicates([](TZelmarDialogChooseFields* dialog) {
                    QVERIFY(Box(dialog, "CbTautomers")->isChecked());
                    Click(Box(dialog, "CbIgnoreIsotopes"));
                    dialog->BtnCancel->click();
                }) == nullptr);
        TZelmarWindow* exact = SearchDuplicates(
            [](TZelmarDialogChooseFields* dialog) {
                QVERIFY(!Box(dialog, "CbIgnoreIsotopes")->isChecked());
                QVERIFY(Box(dialog, "CbTautomers")->isChecked());
                Click(Box(dialog, "CbTautomers"));
                QCOMPARE(dialog->Policy(), 0);
                dialog->BtnOk->click();
            },
            true);
        // No rule: the exact search, which finds no two records alike here.
        QVERIFY(exact == nullptr);
    }
};

QTEST_MAIN(TestSheetPolicies)
#include "test_sheet_policies.moc"
