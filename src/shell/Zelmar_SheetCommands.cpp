#include "Zelmar_SheetCommands.h"

#include <QAction>
#include <QMenu>

#include "Zelmar_ActionSupport.h"
#include "Zelmar_Dialog_ColumnStatistics.h"
#include "Zelmar_Dialog_GotoRecord.h"
#include "Zelmar_Dialog_ShowLoadErrors.h"
#include "Zelmar_Form_Main.h"
#include "Zelmar_Settings.h"
#include "Zelmar_Window.h"
#include "vesk_Guard.h"

namespace {

void ShowLoadErrorsDialog(QWidget* owner, const TZelmarRecordRefs& errors,
                          std::function<int(const TZelmarSDFileData*)> getIndex,
                          std::function<void(int)> gotoIndex) {
    GuardedVoid("TZelmarWindow.ShowLoadErrors", [&] {
        TZelmar_DialogLoadErrors dialog(owner);
        dialog.OnGetIndex = std::move(getIndex);
        dialog.OnGotoIndex = std::move(gotoIndex);
        dialog.Init(errors);
        dialog.exec();
    });
}

}  // namespace

TZelmarSheetCommands::TZelmarSheetCommands(TZelmar_FormMain* form) : QObject(form), Actions(form) {
    ActNewRecord = MakeAction(form, "ActNewRecord", QStringLiteral("record-new"));
    ActDeleteUnSelected =
        MakeAction(form, "ActDeleteUnSelected", QStringLiteral("records-delete-unselected"));
    ActDeleteLoadErrors =
        MakeAction(form, "ActDeleteLoadErrors", QStringLiteral("records-delete-errors"));
    ActSelectAll = MakeAction(form, "ActSelectAll", QStringLiteral("records-select-all"));
    ActUnselectAll = MakeAction(form, "ActUnselectAll", QStringLiteral("records-unselect-all"));
    ActGotoRecord = MakeAction(form, "ActGotoRecord", QStringLiteral("record-goto"));
    Actions.Add(ActNewRecord, &TZelmarWindow::CanNewRecord, &TZelmarWindow::AddRecord,
                "TZelmar_FormMain.ActNewRecordExecute");
    Actions.Add(ActDeleteUnSelected, &TZelmarWindow::CanSelectAll, &TZelmarWindow::DeleteUnselected,
                "TZelmar_FormMain.ActDeleteUnSelectedExecute");
    Actions.Add(ActDeleteLoadErrors, &TZelmarWindow::CanDeleteLoadErrors,
                &TZelmarWindow::DoDeleteLoadErrors, "TZelmar_FormMain.ActDeleteLoadErrorsExecute");
    Actions.Add(ActSelectAll, &TZelmarWindow::CanSelectAll, &TZelmarWindow::SelectAll,
                "TZelmar_FormMain.ActSelectAllExecute");
    Actions.Add(ActUnselectAll, &TZelmarWindow::CanSelectAll, &TZelmarWindow::UnselectAll,
                "TZelmar_FormMain.ActUnselectAllExecute");
    Actions.Add(ActGotoRecord, &TZelmarWindow::CanGotoRecord, &TZelmarWindow::DoGotoRecord,
                "TZelmar_FormMain.ActGotoRecordExecute");
    for (QAction* action : {ActNewRecord, ActDeleteUnSelected, ActDeleteLoadErrors, ActSelectAll,
                            ActUnselectAll, ActGotoRecord})
        form->addAction(action);
    Retranslate();
}

void TZelmarSheetCommands::Retranslate() {
    SetCaptionAndHint(ActNewRecord, "Zelmar_FormMain##  Neuer Datensatz",
                      "Zelmar_FormMain##  Erstellt einen neuen Datensatz|Erstellt einen neuen "
                      "Datensatz im aktuellen Datenblatt");
    SetCaptionAndHint(ActDeleteUnSelected, "Zelmar_FormMain##  Deselektierte Datensätze löschen",
                      "Zelmar_FormMain##  Löscht die deselektierten Datensätze|Löscht alle "
                      "deselektierten Datensätze des aktuellen Datenblattes");
    SetCaptionAndHint(ActDeleteLoadErrors, "Zelmar_FormMain##  Fehlerhafte Datensätze löschen",
                      "Zelmar_FormMain##  Löscht fehlerhafte Datensätze|Löscht alle fehlerhaften "
                      "Datensätze des aktuellen Datenblattes");
    SetCaptionAndHint(ActSelectAll, "Zelmar_FormMain##  Alle Datensätze selektieren",
                      "Zelmar_FormMain##  Selektiert alle Datensätze|Selektiert alle "
                      "vorhandenen Datensätze des aktuellen Datenblattes");
    SetCaptionAndHint(ActUnselectAll, "Zelmar_FormMain##  Alle Datensätze deselektieren",
                      "Zelmar_FormMain##  Deselektiert alle Datensätze|Deselektiert alle "
                      "vorhandenen Datensätze des aktuellen Datenblattes");
    SetCaptionAndHint(ActGotoRecord, "Zelmar_FormMain##  Gehe zu...",
                      "Zelmar_FormMain##  Springt zum angegebenen Datensatz|Springt zum "
                      "angegebenen Datensatz des aktuellen Datenblattes");
}

void TZelmarSheetCommands::FillMenu(QMenu* menu) const {
    menu->addActions({ActNewRecord, ActDeleteUnSelected, ActDeleteLoadErrors});
    menu->addSeparator();
    menu->addActions({ActSelectAll, ActUnselectAll});
    menu->addSeparator();
    menu->addAction(ActGotoRecord);
}

void TZelmarSheetCommands::UpdateActions() {
    Actions.Update();
}

bool TZelmarSheetCommands::AskRecordNo(QWidget* owner, int recordCount, int& recordNo) {
    return Guarded("TZelmarWindow.DoGotoRecord", false, [&] {
        TZelmar_DialogGotoRecord dialog(owner);
        dialog.SetRecordCount(recordCount);
        if (dialog.exec() != QDialog::Accepted) return false;
        recordNo = dialog.GetRecordNo();
        return true;
    });
}

void TZelmarSheetCommands::PlugDialogs(TZelmarWindow* sheet) {
    sheet->OnAskRecordNo = &TZelmarSheetCommands::AskRecordNo;
    sheet->OnShowLoadErrorsDialog = &ShowLoadErrorsDialog;
    sheet->OnShowColumnStatistics = [](TZelmarWindow* owner, TZelmarField* field) {
        TZelmarDialogColumnStatistics dialog(owner);
        if (dialog.Gather(*owner->List(), *field)) dialog.exec();
    };
    sheet->OnColumnChoiceChanged = [](TZelmarWindow* owner, const TZelmarField* field) {
        zelmarSettings::SaveColumnChoice(owner->List()->GetFileName(), *field);
    };
    // Every sheet shows its pictures at the size the user zoomed to last.
    if (const int height = zelmarSettings::PictureHeight(); height > 0)
        sheet->SetPictureHeight(height);
    sheet->OnPictureHeightChanged = &zelmarSettings::SavePictureHeight;
    sheet->OnApplyColumnChoices = [](TZelmarWindow* owner) {
        zelmarSettings::ApplyColumnChoices(owner->List()->GetFileName(), *owner->List());
    };
}
