// The Search and Edit menus end to end on real files, as a user goes through them: the
// dialogs answered with clicks and typing, and the result sheets checked against what the
// test counts itself from the file or the records.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <map>

#include "SheetWindowTestSupport.h"
#include "Zelmar_Dialog_ChooseField.h"
#include "Zelmar_Dialog_EditFields.h"
#include "Zelmar_Dialog_EditMolPropertys.h"
#include "Zelmar_Dialog_MixSheets.h"
#include "Zelmar_Dialog_SearchAlphanumeric.h"
#include "Zelmar_FilterBar.h"
#include "vesk_ChemView2.h"

using namespace sheetTest;

namespace {

QAction* Action(TZelmar_FormMain& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

// The row of the list entry with the text.
int RowOf(QListWidget* list, const QString& text) {
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->text() == text) return row;
    return -1;
}

void Pick(QListWidget* list, const QString& text) {
    const int row = RowOf(list, text);
    QVERIFY2(row >= 0, qPrintable(text));
    list->setCurrentRow(row);
}

// The values of one data item of every record of an SD file, read straight from its text.
std::vector<std::string> ItemValues(const QString& file, const std::string& item) {
    QFile in(file);
    std::vector<std::string> values;
    if (!in.open(QIODevice::ReadOnly)) return values;
    const std::string header = "<" + item + ">";
    bool next = false;
    while (!in.atEnd()) {
        std::string line = in.readLine().trimmed().toStdString();
        if (next) values.push_back(line);
        next = line.rfind(">", 0) == 0 && line.find(header) != std::string::npos;
    }
    return values;
}

}  // namespace

class TestSheetSearching : public QObject {
    Q_OBJECT

private:
    TShownForm* Shown = nullptr;
    TZelmarWindow* Sheet = nullptr;

    TZelmar_FormMain& Form() { return Shown->Form; }

    // Runs the action with one expected dialog answered by answer; the sheet that opens for
    // the result, if any.
    template <typename TDialog>
    TZelmarWindow* RunDialog(const char* action, std::function<void(TDialog*)> answer) {
        const auto before = Form().SheetWindows();
        TDialogWatcher watcher;
        watcher.Expect([&](QDialog* dialog) {
            auto* typed = qobject_cast<TDialog*>(dialog);
            if (typed == nullptr) {
                dialog->reject();
                return;
            }
            answer(typed);
        });
        Form().UpdateActions();
        Action(Form(), action)->trigger();
        if (!watcher.AllAnswered() || !watcher.Unexpected.isEmpty()) return nullptr;
        const auto after = Form().SheetWindows();
        if (after.size() <= before.size()) return nullptr;
        // A result sheet shows its records, not the empty sheet's notice over them.
        auto* noData = after.last()->findChild<QLabel*>(QStringLiteral("LabelNoData"));
        if (noData == nullptr || noData->isVisible()) {
            qWarning("the result sheet shows the no-data notice");
            return nullptr;
        }
        return after.last();
    }

private slots:
    void init() {
        Shown = new TShownForm;
        Sheet = Open(Form(), DataFile("nci_aids_props.sdf"));
        QVERIFY(Sheet != nullptr);
    }

    void cleanup() {
        TDialogWatcher watcher;
        for (TZelmarWindow* sheet : Form().SheetWindows())
            if (sheet->IsModified()) watcher.ExpectDiscard();
        Form().MdiArea()->closeAllSubWindows();
        delete Shown;
        Shown = nullptr;
    }

    void aTextSearchFindsTheRecordsWithTheValue() {
        const std::vector<std::string> values =
            ItemValues(DataFile("nci_aids_props.sdf"), "LIPINSKI_VIOLATIONS");
        QCOMPARE(values.size(), std::size_t(200));
        const auto expected = std::count(values.begin(), values.end(), "1;0001");
        QVERIFY(expected > 0);

        TZelmarWindow* result = RunDialog<TZelmarDialog_SearchAlphanumeric>(
            "ActSearchAlphanumeric", [](TZelmarDialog_SearchAlphanumeric* dialog) {
                Pick(dialog->LbFieldList, QStringLiteral("LIPINSKI_VIOLATIONS"));
                dialog->RbExactSearch->click();
                QTest::keyClicks(dialog->EdSearchString, QStringLiteral("1;0001"));
                dialog->BtnOk->click();
            });
        QVERIFY(result != nullptr);
        QCOMPARE(result->Caption(), std::string("Suchergebnis - 1"));
        QCOMPARE(result->List()->GetCount(), static_cast<int>(expected));
        for (int row = 1; row <= expected; ++row)
            QCOMPARE(Value(result, row, "LIPINSKI_VIOLATIONS"), std::string("1;0001"));
        QVERIFY(result->parentWidget()->toolTip().contains(QStringLiteral("LIPINSKI_VIOLATIONS")));
    }

    void aNumberRangeFindsTheRecordsOfThatWeight() {
        int expected = 0;
        const TZelmarField* weight = Sheet->List()->GetFieldByName(kFieldNameMolweight);
        for (int i = 0; i < Sheet->List()->GetCount(); ++i) {
            TZelmarDataCarrier data;
            Sheet->List()->GetSDFileData(i)->GetDataForField(weight, &data);
            if (data.Value() >= 200 && data.Value() <= 300) ++expected;
        }
        QVERIFY(expected > 0);
        TZelmarWindow* result = RunDialog<TZelmarDialog_SearchAlphanumeric>(
            "ActSearchAlphanumeric", [](TZelmarDialog_SearchAlphanumeric* dialog) {
                dialog->LbFieldList->setCurrentRow(1);  // the molecular weight
                dialog->RbSearchBetween->click();
                QTest::keyClicks(dialog->EdFloatStart, QStringLiteral("200"));
                QTest::keyClicks(dialog->EdFloatEnd, QStringLiteral("300"));
                dialog->BtnOk->click();
            });
        QVERIFY(result != nullptr);
        QCOMPARE(result->List()->GetCount(), expected);
    }

    void duplicatesByFormulaAndByStructure() {
        // formula groups counted from the records themselves
        std::map<std::string, int> formulas;
        const TZelmarField* formula = Sheet->List()->GetFieldByName(kFieldNameFormula);
        for (int i = 0; i < Sheet->List()->GetCount(); ++i) {
            TZelmarDataCarrier data;
            Sheet->List()->GetSDFileData(i)->GetDataForField(formula, &data);
            ++formulas[data.Text()];
        }
        int expected = 0;
        for (const auto& [text, count] : formulas) expected += count > 1 ? count : 0;
        QVERIFY(expected > 0);

        TZelmarWindow* byFormula = RunDialog<TZelmarDialogChooseFields>(
            "ActSearchDuplicates", [](TZelmarDialogChooseFields* dialog) {
                Pick(dialog->LbFieldList, QStringLiteral("Summenformel"));
                dialog->BtnOk->click();
            });
        QVERIFY(byFormula != nullptr);
        QCOMPARE(byFormula->List()->GetCount(), expected);

        // identical structures: a subset of the formula groups
        Form().MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(Sheet->parentWidget()));
        TZelmarWindow* byStructure = RunDialog<TZelmarDialogChooseFields>(
            "ActSearchDuplicates", [](TZelmarDialogChooseFields* dialog) {
                Pick(dialog->LbFieldList, QStringLiteral("Molekül"));
                dialog->BtnOk->click();
            });
        if (byStructure != nullptr) {
            QVERIFY(byStructure->List()->GetCount() <= expected);
            QCOMPARE(byStructure->Caption(), std::string("Suchergebnis - 2"));
        }
    }

    void twoRealFilesMixIntoAResultSheet() {
        TZelmarWindow* right = Open(Form(), DataFile("nci_3d.sdf"));
        QVERIFY(right != nullptr);
        Form().UpdateActions();
        QVERIFY(Action(Form(), "ActMixSheets")->isEnabled());
        const int total = Sheet->List()->GetCount() + right->List()->GetCount();
        TZelmarWindow* result =
            RunDialog<TZelmarDialogMixSheets>("ActMixSheets", [](TZelmarDialogMixSheets* dialog) {
                dialog->LbLeftSheets->setCurrentRow(0);
                dialog->LbRightSheets->setCurrentRow(1);
                QWidget* merge = dialog->findChild<QWidget*>(QStringLiteral("Selector2"));
                QTest::mouseClick(merge, Qt::LeftButton, Qt::NoModifier, QPoint(60, 20));
                dialog->BtnOk->click();
            });
        QVERIFY(result != nullptr);
        QCOMPARE(result->List()->GetCount(), total);  // every record of both, none merged
        QVERIFY(result->parentWidget()->toolTip().contains(QStringLiteral("nci_3d")));
    }

    void editedFieldsAreSavedAndComeBack() {
        QTemporaryDir folder;
        const QString copy = folder.path() + "/fields.sdf";
        QVERIFY(QFile::copy(DataFile("nci_aids_props.sdf"), copy));
        TZelmarWindow* sheet = Open(Form(), copy);
        QVERIFY(sheet != nullptr);
        const std::string clogp = Value(sheet, 1, "CLOGP");
        // The filter bar, open meanwhile, offers the fields as they are.
        QTRY_VERIFY(Action(Form(), "ActSearchFilter")->isEnabled());
        Action(Form(), "ActSearchFilter")->trigger();
        QComboBox* offered = sheet->FilterBar()->Fields();
        QVERIFY(offered->findText("CLOGP") >= 0);
        QVERIFY(RunDialog<TZelmarDialog_EditFields>(
                    "ActEditFields", [](TZelmarDialog_EditFields* dialog) {
                        Pick(dialog->LbFieldList, QStringLiteral("CLOGP"));
                        dialog->EdFieldName->setText(QStringLiteral("LOGP"));
                        Pick(dialog->LbFieldList, QStringLiteral("CP"));
                        dialog->SpeedButtonDelete->click();
                        dialog->SpeedButtonNew->click();
                        dialog->EdFieldName->setText(QStringLiteral("REMARK"));
                        dialog->BtnOk->click();
                    }) == nullptr);
        QVERIFY(sheet->List()->GetFieldByName("LOGP") != nullptr);
        QVERIFY(sheet->List()->GetFieldByName("CP") == nullptr);
        QVERIFY(sheet->List()->GetFieldByName("REMARK") != nullptr);
        QCOMPARE(Value(sheet, 1, "LOGP"), clogp);
        QVERIFY(offered->findText("LOGP") >= 0 && offered->findText("CLOGP") < 0);
        QVERIFY(sheet->IsModified());

        // The change is one step: Ctrl+Z brings the old fields and items back, Ctrl+Y the
        // new ones again.
        QAction* undo = Form().findChild<QAction*>("ActionUndo");
        QTRY_VERIFY(undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("Rückgängig: Felder"));
        Form().activateWindow();  // offscreen, no window manager does it after the dialog
        QTRY_VERIFY(Form().isActiveWindow());
        sheet->Grid()->setFocus();
        QTest::keyClick(sheet->Grid(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(sheet->List()->GetFieldByName("CLOGP") != nullptr);
        QVERIFY(sheet->List()->GetFieldByName("CP") != nullptr);
        QVERIFY(sheet->List()->GetFieldByName("LOGP") == nullptr);
        QCOMPARE(Value(sheet, 1, "CLOGP"), clogp);
        QVERIFY(ColumnOf(sheet, "CLOGP") > 0);
        QVERIFY(offered->findText("CLOGP") >= 0 && offered->findText("LOGP") < 0);
        QVERIFY(!sheet->IsModified());
        QTRY_VERIFY(Form().findChild<QAction*>("ActionRedo")->isEnabled());
        QTest::keyClick(sheet->Grid(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Value(sheet, 1, "LOGP"), clogp);
        QVERIFY(sheet->List()->GetFieldByName("CP") == nullptr);
        QVERIFY(sheet->IsModified());
        QVERIFY(sheet->Save(false));

        const std::vector<std::string> renamed = ItemValues(copy, "LOGP");
        QCOMPARE(renamed.size(), std::size_t(200));
        QCOMPARE(renamed.front(), clogp);
        QVERIFY(ItemValues(copy, "CLOGP").empty());
        QVERIFY(ItemValues(copy, "CP").empty());
        TZelmarWindow* reopened = Open(Form(), copy);
        QVERIFY(reopened != nullptr);
        QCOMPARE(Value(reopened, 1, "LOGP"), clogp);
    }

    void theDisplayDialogSetsTheHydrogensOfEveryDrawing() {
        TveskChemView2Pool* pool = Form().ViewerPool();
        QVERIFY(pool != nullptr && pool->MolProperties);
        const int before = pool->MolProperties->Display->HydrogenMode;
        const int wanted = before == 4 ? 0 : 4;
        RunDialog<TZelmarDialogEditMolPropertys>("ActEditMolPropertys",
                                                 [wanted](TZelmarDialogEditMolPropertys* dialog) {
                                                     dialog->SetHydrogens(wanted);
                                                     dialog->accept();
                                                 });
        QCOMPARE(int(pool->MolProperties->Display->HydrogenMode), wanted);
    }
};

QTEST_MAIN(TestSheetSearching)
#include "test_sheet_searching.moc"
