// The two field dialogs. The field editor works on a copy of a sheet's fields: what the user
// renames, adds, deletes, hides and moves comes back in the copy, and a record list given
// that copy renames and deletes its data items accordingly. The field chooser gives back the
// chosen field and the stereo setting.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "ZelmarDialogTestSupport.h"
#include "ZelmarDialogWatcher.h"
#include "Zelmar_Dialog_ChooseField.h"
#include "Zelmar_Dialog_EditFields.h"
#include "Zelmar_HelpHeader.h"
#include "Zelmar_Object_SDFileData.h"

namespace {

// A sheet of two records with the data items NAME and CAS (the second without CAS).
struct TSheet {
    TZelmarSDFileDataList List{nullptr};
    TSheet() {
        Add({{"NAME", "Benzol"}, {"CAS", "71-43-2"}});
        Add({{"NAME", "Ethanol"}});
        List.InitFieldNamesFromData();
    }
    void Add(const std::vector<std::pair<std::string, std::string>>& items) {
        TZelmarSDFileData* record = List.CreateSDFileData(false);
        for (const auto& [name, text] : items) {
            TZelmarField field;
            field.Kind = ecsdtDataText;
            field.Name = name;
            TZelmarDataCarrier value;
            value.SetText(text);
            record->SetDataForField(&field, &value);
        }
    }
    std::string Item(int record, const std::string& name) {
        TZelmarField field;
        field.Kind = ecsdtDataText;
        field.Name = name;
        TZelmarDataCarrier value;
        return List.GetSDFileData(record)->GetDataForField(&field, &value) ? value.Text()
                                                                           : "<none>";
    }
    TZelmarDialog_EditFields::TCopyFieldsEvent Copy() {
        return [this](TZelmarFieldList& copy) { return List.FillCopyOfFieldList(copy); };
    }
};

// Rows of the editor's list: the fields behind the check box.
enum { kMolecule, kFormula, kWeight, kName, kCas };

QStringList Names(const TZelmarFieldList& fields) {
    QStringList names;
    for (int i = 0; i < fields.GetCount(); ++i)
        names << QString::fromStdString(fields.GetField(i)->Name);
    return names;
}

void Show(QDialog& dialog) {
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
}

void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

}  // namespace

class TestFieldDialogs : public QObject {
    Q_OBJECT

private slots:
    void withoutTheirProceduresTheyCannotBeMade() {
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, TZelmarDialog_EditFields(nullptr, nullptr));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 TZelmarDialogChooseFields(nullptr, nullptr));
        TZelmarDialog_EditFields dialog(nullptr, [](TZelmarFieldList&) { return false; });
        QVERIFY(!dialog.Init());
    }

    void listsEveryFieldButTheCheckBoxWhoseColumnFollowsTheBox() {
        TSheet sheet;
        TZelmarDialog_EditFields dialog(nullptr, sheet.Copy());
        QVERIFY(dialog.Init());
        Show(dialog);
        QCOMPARE(dialog.LbFieldList->count(), 5);
        QCOMPARE(dialog.LbFieldList->item(kName)->text(), QStringLiteral("NAME"));
        QCOMPARE(dialog.LbFieldList->currentRow(), 0);
        QVERIFY(dialog.ChkShowCheckbox->isChecked());
        QTest::mouseClick(dialog.ChkShowCheckbox, Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
        dialog.BtnOk->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.Fields()->IsCheckboxVisible());
        QVERIFY(sheet.List.IsCheckboxVisible());  // the sheet's own list is never touched
    }

    void builtInFieldsTakeDisplayNamesAndMovesButNoNewNameAndNoDeleting() {
        TSheet sheet;
        TZelmarDialog_EditFields dialog(nullptr, sheet.Copy());
        QVERIFY(dialog.Init());
        Show(dialog);
        for (int row : {kMolecule, kFormula, kWeight}) {
            ClickRow(dialog.LbFieldList, row);
            QVERIFY(!dialog.EdFieldName->isEnabled());
            QVERIFY(!dialog.SpeedButtonDelete->isEnabled());
            QVERIFY(dialog.EdFriendlyName->isEnabled());
        }
        // The first entry cannot go up, the last not down.
        ClickRow(dialog.LbFieldList, kMolecule);
        QVERIFY(!dialog.SpeedButtonTop->isEnabled());
        QVERIFY(dialog.SpeedButtonDown->isEnabled());
        Retype(dialog.EdFriendlyName, QStringLiteral("Struktur"));
        QCOMPARE(dialog.LbFieldList->item(kMolecule)->text(), QStringLiteral("Struktur"));
        ClickCheck(dialog.LbFieldList, kMolecule);
        dialog.SpeedButtonDown->click();
        QCOMPARE(dialog.LbFieldList->currentRow(), 1);
        ClickRow(dialog.LbFieldList, kCas);
        QVERIFY(dialog.SpeedButtonTop->isEnabled());
        QVERIFY(!dialog.SpeedButtonDown->isEnabled());
        dialog.BtnOk->click();
        const TZelmarFieldList& fields = *dialog.Fields();
        QCOMPARE(Names(fields), (QStringList{"ecsdtCheckbox", "ecsdtFormula", "ecsdtChemistry",
                                             "ecsdtMolweight", "NAME", "CAS"}));
        QCOMPARE(fields.GetField(2)->Caption, std::string("Struktur"));
        QVERIFY(!fields.GetField(2)->Visible);
        QVERIFY(!fields.GetField(2)->Edited);
    }

    void renamedAddedDeletedAndHiddenFieldsReachTheRecords() {
        TSheet sheet;
        TZelmarDialog_EditFields dialog(nullptr, sheet.Copy());
        QVERIFY(dialog.Init());
        Show(dialog);
        ClickRow(dialog.LbFieldList, kName);
        Retype(dialog.EdFieldName, QStringLiteral("Trivialname"));
        // The display name was the name: it follows the new name.
        QCOMPARE(dialog.EdFriendlyName->text(), QStringLiteral("Trivialname"));
        QCOMPARE(dialog.LbFieldList->item(kName)->text(), QStringLiteral("Trivialname"));
        Retype(dialog.EdFriendlyName, QStringLiteral("Name"));
        QCOMPARE(dialog.LbFieldList->item(kName)->text(), QStringLiteral("Name"));
        ClickRow(dialog.LbFieldList, kCas);
        dialog.SpeedButtonDelete->click();
        QCOMPARE(dialog.LbFieldList->count(), 4);
        QCOMPARE(dialog.LbFieldList->currentRow(), 3);  // the new last entry
        dialog.SpeedButtonNew->click();
        QCOMPARE(dialog.EdFieldName->text(), QStringLiteral("<Neues Feld>"));
        QVERIFY(dialog.EdFieldName->hasFocus());
        QTest::keyClicks(dialog.EdFieldName, QStringLiteral("Bemerkung"));
        ClickCheck(dialog.LbFieldList, kFormula);
        ClickRow(dialog.LbFieldList, kName);
        dialog.SpeedButtonTop->click();
        dialog.BtnOk->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        const TZelmarFieldList& fields = *dialog.Fields();
        QCOMPARE(Names(fields), (QStringList{"ecsdtCheckbox", "ecsdtChemistry", "ecsdtFormula",
                                             "Trivialname", "ecsdtMolweight", "Bemerkung"}));
        const TZelmarField* renamed = fields.GetFieldByName("Trivialname");
        QVERIFY(renamed->Edited);
        QCOMPARE(renamed->OrigName, std::string("NAME"));
        const TZelmarField* added = fields.GetFieldByName("Bemerkung");
        QVERIFY(!added->Edited);
        QVERIFY(added->OrigName.empty());
        QCOMPARE(added->ColWidth, 128);
        QCOMPARE(added->Kind, ecsdtDataText);
        QVERIFY(!fields.GetFieldByName(kFieldNameFormula)->Visible);

        QVERIFY(sheet.List.SetNewFields(dialog.Fields()));
        QCOMPARE(sheet.Item(0, "Trivialname"), std::string("Benzol"));
        QCOMPARE(sheet.Item(1, "Trivialname"), std::string("Ethanol"));
        QCOMPARE(sheet.Item(0, "NAME"), std::string("<none>"));
        QCOMPARE(sheet.Item(0, "CAS"), std::string("<none>"));
    }

    void swappedNamesAndANameFreedByDeletingKeepEachFieldsData() {
        TSheet sheet;
        {
            TZelmarDialog_EditFields dialog(nullptr, sheet.Copy());
            QVERIFY(dialog.Init());
            Show(dialog);
            ClickRow(dialog.LbFieldList, kName);
            Retype(dialog.EdFieldName, QStringLiteral("CAS"));
            ClickRow(dialog.LbFieldList, kCas);
            Retype(dialog.EdFieldName, QStringLiteral("NAME"));
            dialog.BtnOk->click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY(sheet.List.SetNewFields(dialog.Fields()));
        }
        QCOMPARE(sheet.Item(0, "CAS"), std::string("Benzol"));
        QCOMPARE(sheet.Item(0, "NAME"), std::string("71-43-2"));
        QCOMPARE(sheet.Item(1, "CAS"), std::string("Ethanol"));
        QCOMPARE(sheet.Item(1, "NAME"), std::string("<none>"));

        // Now "CAS" holds the names: delete "NAME" (the numbers) and give "CAS" its name.
        TZelmarDialog_EditFields dialog(nullptr, sheet.Copy());
        QVERIFY(dialog.Init());
        Show(dialog);
        ClickRow(dialog.LbFieldList, kCas);
        QCOMPARE(dialog.EdFieldName->text(), QStringLiteral("NAME"));
        dialog.SpeedButtonDelete->click();
        ClickRow(dialog.LbFieldList, kName);
        Retype(dialog.EdFieldName, QStringLiteral("NAME"));
        dialog.BtnOk->click();
        QVERIFY(sheet.List.SetNewFields(dialog.Fields()));
        QCOMPARE(sheet.Item(0, "NAME"), std::string("Benzol"));
        QCOMPARE(sheet.Item(1, "NAME"), std::string("Ethanol"));
        QCOMPARE(sheet.Item(0, "CAS"), std::string("<none>"));
        TZelmarField cas;
        cas.Kind = ecsdtDataText;
        cas.Name = "NAME";
        QVERIFY(sheet.List.GetSDFileData(0)->DeleteData(&cas));
        QCOMPARE(sheet.Item(0, "NAME"), std::string("<none>"));  // no second item left behind
    }

    // What the sheet shows as a column's header is the field's display name.
    void aNewOrRenamedFieldIsShownUnderItsNewName() {
        TSheet sheet;
        {
            TZelmarDialog_EditFields dialog(nullptr, sheet.Copy());
            QVERIFY(dialog.Init());
            Show(dialog);
            dialog.SpeedButtonNew->click();
            QTest::keyClicks(dialog.EdFieldName, QStringLiteral("Bemerkung"));
            QCOMPARE(dialog.LbFieldList->item(5)->text(), QStringLiteral("Bemerkung"));
            ClickRow(dialog.LbFieldList, kCas);
            QTest::keyClicks(dialog.EdFieldName, QStringLiteral("-Nr"));
            dialog.BtnOk->click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY(sheet.List.SetNewFields(dialog.Fields()));
        }
        QCOMPARE(sheet.List.GetFieldByName("Bemerkung")->GetDisplayName(),
                 std::string("Bemerkung"));
        QCOMPARE(sheet.List.GetFieldByName("CAS-Nr")->GetDisplayName(), std::string("CAS-Nr"));

        // Once more on the edited sheet: a display name of its own stays when the field is
        // renamed, one that only repeated the name follows it.
        TZelmarDialog_EditFields dialog(nullptr, sheet.Copy());
        QVERIFY(dialog.Init());
        Show(dialog);
        ClickRow(dialog.LbFieldList, kName);
        Retype(dialog.EdFriendlyName, QStringLiteral("Name der Substanz"));
        Retype(dialog.EdFieldName, QStringLiteral("Trivialname"));
        QCOMPARE(dialog.EdFriendlyName->text(), QStringLiteral("Name der Substanz"));
        ClickRow(dialog.LbFieldList, kCas);
        Retype(dialog.EdFieldName, QStringLiteral("CAS"));
        QCOMPARE(dialog.LbFieldList->item(kCas)->text(), QStringLiteral("CAS"));
        dialog.BtnOk->click();
        QVERIFY(sheet.List.SetNewFields(dialog.Fields()));
        QCOMPARE(sheet.List.GetFieldByName("Trivialname")->GetDisplayName(),
                 std::string("Name der Substanz"));
        QCOMPARE(sheet.List.GetFieldByName("CAS")->GetDisplayName(), std::string("CAS"));
        QCOMPARE(sheet.Item(0, "CAS"), std::string("71-43-2"));
    }

    // "ecsdtChemistry" and its kin are internal: not in the name box, and not as the display
    // name of a field whose display name the user emptied.
    void builtInFieldsNeverShowTheirInternalNames() {
        for (const char* language : {"de", "en"}) {
            TTestLanguage dictionary(language);
            const bool english = QByteArray(language) == "en";
            TZelmarFieldList source;
            source.CreateDefaultFields();
            source.GetFieldByName(kFieldNameFormula)->Caption = "  ";  // as an older copy had
            TZelmarDialog_EditFields dialog(nullptr, [&](TZelmarFieldList& copy) {
                copy.Assign(&source);
                return true;
            });
            QVERIFY(dialog.Init());
            Show(dialog);
            const QStringList shown =
                english ? QStringList{"Molecule", "Formula", "Molecular weight"}
                        : QStringList{"Molekül", "Summenformel", "Molekulargewicht"};
            for (int row : {kMolecule, kFormula, kWeight}) {
                ClickRow(dialog.LbFieldList, row);
                QCOMPARE(dialog.EdFieldName->text(), shown[row]);
                QCOMPARE(dialog.EdFriendlyName->text(), shown[row]);
                QCOMPARE(dialog.LbFieldList->item(row)->text(), shown[row]);
            }
            ClickRow(dialog.LbFieldList, kMolecule);
            Retype(dialog.EdFriendlyName, QString());
            QCOMPARE(dialog.LbFieldList->item(kMolecule)->text(), shown[kMolecule]);
            dialog.BtnOk->click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            for (int row : {kMolecule, kFormula, kWeight})
                QCOMPARE(
                    QString::fromStdString(dialog.Fields()->GetField(row + 1)->GetDisplayName()),
                    shown[row]);
        }
    }

    void oneUndefinedNewFieldAtATimeAndOkWantsItNamed() {
        TSheet sheet;
        TZelmarDialog_EditFields dialog(nullptr, sheet.Copy());
        QVERIFY(dialog.Init());
        Show(dialog);
        dialog.SpeedButtonNew->click();
        TDialogWatcher watcher;
        watcher.ExpectOk();
        watcher.ExpectOk();
        ClickRow(dialog.LbFieldList, kMolecule);
        dialog.SpeedButtonNew->click();
        QCOMPARE(dialog.LbFieldList->count(), 6);
        dialog.BtnOk->click();
        QVERIFY(watcher.AllAnswered());
        QCOMPARE(watcher.Texts,
                 (QStringList{
                     "Es gibt bereits neue, noch nicht definierte Felder. Bitte verwenden Sie "
                     "diese, bevor Sie weitere Felder anlegen.",
                     "Bitte geben Sie einen anderen Namen für die neu definierten Felder an."}));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.LbFieldList->currentRow(), 5);
        QCOMPARE(dialog.EdFieldName->text(), QStringLiteral("<Neues Feld>"));
        dialog.BtnCancel->click();  // closes at once
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(watcher.Unexpected.isEmpty());
    }

    void namesThatWouldLoseOrBreakDataAreRefused() {
        TSheet sheet;
        TZelmarDialog_EditFields dialog(nullptr, sheet.Copy());
        QVERIFY(dialog.Init());
        Show(dialog);
        TDialogWatcher watcher;
        watcher.ExpectOk();
        watcher.ExpectOk();
        ClickRow(dialog.LbFieldList, kCas);
        QTest::keyClicks(dialog.EdFieldName, QStringLiteral(">x>"));
        QCOMPARE(dialog.EdFieldName->text(), QStringLiteral("CASx"));  // '>' cannot be typed
        Retype(dialog.EdFieldName, QStringLiteral("NAME"));
        dialog.BtnOk->click();
        dialog.EdFieldName->clear();
        dialog.BtnOk->click();
        QVERIFY(watcher.AllAnswered());
        QCOMPARE(watcher.Texts, (QStringList{"Der Feldname 'NAME' wird bereits verwendet. Bitte "
                                             "geben Sie einen anderen Namen an.",
                                             "Bitte geben Sie einen Namen für das Feld an."}));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.LbFieldList->currentRow(), int(kCas));
        QTest::keyClicks(dialog.EdFieldName, QStringLiteral("CAS-Nr"));
        dialog.BtnOk->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(watcher.Unexpected.isEmpty());
    }

    void aNameReadFromAFileKeepsItsBytesWhenOnlyTheDisplayNameChanges() {
        // "Gr\xfc\xdfe" in Windows-1252, as a Latin-1 file brings it.
        const std::string latin1Name =
            "Gr\xf6\xdf"
            "e";
        TZelmarFieldList source;
        source.CreateDefaultFields();
        source.CreateField(latin1Name, ecsdtDataText, "");
        TZelmarDialog_EditFields dialog(nullptr, [&](TZelmarFieldList& copy) {
            copy.Assign(&source);
            return true;
        });
        QVERIFY(dialog.Init());
        Show(dialog);
        ClickRow(dialog.LbFieldList, 3);
        QCOMPARE(dialog.EdFieldName->text(), QStringLiteral("Größe"));
        Retype(dialog.EdFriendlyName, QStringLiteral("Size in cm"));
        dialog.BtnOk->click();
        const TZelmarField* field = dialog.Fields()->GetField(4);
        QCOMPARE(field->Name, latin1Name);
        QVERIFY(!field->Edited);
        QCOMPARE(field->Caption, std::string("Size in cm"));
    }

    void theChooserGivesTheFieldAndTheStereoSetting() {
        TSheet sheet;
        TZelmarDialogChooseFields dialog(
            nullptr, [&](TZelmarFieldRefs& out) { sheet.List.EnumSelectableFields(out); });
        Show(dialog);
        QCOMPARE(dialog.LbFieldList->count(), 5);
        QVERIFY(dialog.BtnOk->isEnabled());
        QCOMPARE(dialog.GetCurrentField()->Name, std::string(kFieldNameChemistry));
        QVERIFY(!dialog.ConsiderStereoChem());
        QVERIFY(dialog.CbConsiderStereoChem->isEnabled());
        QTest::mouseClick(dialog.CbConsiderStereoChem, Qt::LeftButton, Qt::NoModifier,
                          QPoint(8, 8));
        QVERIFY(dialog.ConsiderStereoChem());
        // Stereochemistry means nothing for formulas, weights and texts.
        dialog.LbFieldList->setFocus();
        for (int row : {kFormula, kWeight, kName}) {
            QTest::keyClick(dialog.LbFieldList, Qt::Key_Down);
            QCOMPARE(dialog.LbFieldList->currentRow(), row);
            QVERIFY(!dialog.CbConsiderStereoChem->isEnabled());
            QVERIFY(!dialog.ConsiderStereoChem());
        }
        QTest::keyClick(dialog.LbFieldList, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetCurrentField()->Name, std::string("NAME"));
        QVERIFY(!dialog.ConsiderStereoChem());
        // Back on the molecule, the box is as the user left it.
        ClickRow(dialog.LbFieldList, kMolecule);
        QVERIFY(dialog.CbConsiderStereoChem->isEnabled());
        QVERIFY(dialog.ConsiderStereoChem());
    }

    void anEmptyChooserStillLetsOkThroughWithNoField() {
        TZelmarDialogChooseFields dialog(nullptr, [](TZelmarFieldRefs&) {});
        Show(dialog);
        QVERIFY(dialog.BtnOk->isEnabled());
        QVERIFY(dialog.GetCurrentField() == nullptr);
        QVERIFY(dialog.CbConsiderStereoChem->isEnabled());  // the molecule field is searched
    }

    void textsInGermanAndEnglish() {
        for (const char* language : {"de", "en"}) {
            TTestLanguage dictionary(language);
            const bool english = QByteArray(language) == "en";
            TSheet sheet;
            TZelmarDialog_EditFields edit(nullptr, sheet.Copy());
            QVERIFY(edit.Init());
            Show(edit);
            QCOMPARE(edit.windowTitle(),
                     english ? QStringLiteral("Edit fields") : QStringLiteral("Felder bearbeiten"));
            QCOMPARE(edit.HelpHeader->InfoText().count(QLatin1Char('\n')), 3);
            edit.SpeedButtonNew->click();
            QCOMPARE(edit.EdFieldName->text(),
                     english ? QStringLiteral("<New field>") : QStringLiteral("<Neues Feld>"));
            Shot(&edit, QStringLiteral("edit_fields_%1").arg(QLatin1String(language)));
            TZelmarDialogChooseFields choose(
                nullptr, [&](TZelmarFieldRefs& out) { sheet.List.EnumSelectableFields(out); });
            Show(choose);
            QCOMPARE(choose.HelpHeader->Title(),
                     english ? QStringLiteral("Select field") : QStringLiteral("Feld auswählen"));
            Shot(&choose, QStringLiteral("choose_field_%1").arg(QLatin1String(language)));
        }
    }
};

QTEST_MAIN(TestFieldDialogs)
#include "test_field_dialog.moc"
