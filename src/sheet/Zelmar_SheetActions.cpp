#include "Zelmar_SheetActions.h"

#include <QAction>
#include <QMenu>

#include "Zelmar_ActionSupport.h"
#include "Zelmar_Window.h"

TZelmarSheetActions::TZelmarSheetActions(TZelmarWindow* sheet)
    : QObject(sheet), FSheet(sheet), FMenu(new QMenu(sheet)) {
    FMenu->setObjectName(QStringLiteral("PopupMenu"));
    ActNewRecord = MakeAction(this, "ActNewRecord", QStringLiteral("record-new"));
    ActDeleteUnSelected =
        MakeAction(this, "ActDeleteUnSelected", QStringLiteral("records-delete-unselected"));
    ActDeleteLoadErrors =
        MakeAction(this, "ActDeleteLoadErrors", QStringLiteral("records-delete-errors"));
    ActSelectAll = MakeAction(this, "ActSelectAll", QStringLiteral("records-select-all"));
    ActUnselectAll = MakeAction(this, "ActUnselectAll", QStringLiteral("records-unselect-all"));
    ActTickSelection = MakeAction(this, "ActTickSelection");
    ActUntickSelection = MakeAction(this, "ActUntickSelection");
    ActionCut = MakeAction(this, "ActionCut", QStringLiteral("edit-cut"));
    ActionCopy = MakeAction(this, "ActionCopy", QStringLiteral("edit-copy"));
    ActionPaste = MakeAction(this, "ActionPaste", QStringLiteral("edit-paste"));
    ActionClearCell = MakeAction(this, "ActionClearCell", QStringLiteral("edit-clear"));
    ActionImportMolFile = MakeAction(this, "ActionImportMolFile", QStringLiteral("mol-import"));
    ActionExportMolFile = MakeAction(this, "ActionExportMolFile", QStringLiteral("mol-export"));
    ActGotoRecord = MakeAction(this, "ActGotoRecord", QStringLiteral("record-goto"));

    connect(ActNewRecord, &QAction::triggered, sheet, &TZelmarWindow::AddRecord);
    connect(ActDeleteUnSelected, &QAction::triggered, sheet, &TZelmarWindow::DeleteUnselected);
    connect(ActDeleteLoadErrors, &QAction::triggered, sheet, &TZelmarWindow::DoDeleteLoadErrors);
    connect(ActSelectAll, &QAction::triggered, sheet, &TZelmarWindow::SelectAll);
    connect(ActUnselectAll, &QAction::triggered, sheet, &TZelmarWindow::UnselectAll);
    connect(ActTickSelection, &QAction::triggered, sheet, [sheet] { sheet->TickSelectedRows(true); });
    connect(ActUntickSelection, &QAction::triggered, sheet,
            [sheet] { sheet->TickSelectedRows(false); });
    connect(ActionCut, &QAction::triggered, sheet, &TZelmarWindow::CutToClipboard);
    connect(ActionCopy, &QAction::triggered, sheet, &TZelmarWindow::CopyToClipboard);
    connect(ActionPaste, &QAction::triggered, sheet, &TZelmarWindow::PasteFromClipboard);
    connect(ActionClearCell, &QAction::triggered, sheet, &TZelmarWindow::ClearCell);
    connect(ActionImportMolFile, &QAction::triggered, sheet, &TZelmarWindow::ImportMolFile);
    connect(ActionExportMolFile, &QAction::triggered, sheet, &TZelmarWindow::ExportMolFile);
    connect(ActGotoRecord, &QAction::triggered, sheet, &TZelmarWindow::DoGotoRecord);
    FillMenu();
    connect(FMenu, &QMenu::aboutToShow, this, &TZelmarSheetActions::UpdateActions);
    Retranslate();
}

void TZelmarSheetActions::FillMenu() {
    FMenu->addActions({ActNewRecord, ActDeleteUnSelected, ActDeleteLoadErrors});
    FMenu->addSeparator();
    FMenu->addActions({ActSelectAll, ActUnselectAll, ActTickSelection, ActUntickSelection});
    FMenu->addSeparator();
    FMenu->addActions({ActionCut, ActionCopy, ActionPaste, ActionClearCell});
    FMenu->addSeparator();
    FMenu->addActions({ActionImportMolFile, ActionExportMolFile});
    FMenu->addSeparator();
    FMenu->addAction(ActGotoRecord);
}

void TZelmarSheetActions::Retranslate() {
    SetCaptionAndHint(ActNewRecord, "ZelmarWindow##  Neuer Datensatz",
                      "ZelmarWindow##  Erstellt einen neuen Datensatz|Erstellt einen neuen "
                      "Datensatz im aktuellen Datenblatt");
    SetCaptionAndHint(ActDeleteUnSelected, "ZelmarWindow##  Deselektierte Datensätze löschen",
                      "ZelmarWindow##  Löscht die deselektierten Datensätze|Löscht alle "
                      "deselektierten Datensätze des aktuellen Datenblattes");
    SetCaptionAndHint(ActDeleteLoadErrors, "ZelmarWindow##  Fehlerhafte Datensätze löschen",
                      "ZelmarWindow##  Löscht fehlerhafte Datensätze|Löscht alle fehlerhaften "
                      "Datensätze des aktuellen Datenblattes");
    SetCaptionAndHint(ActSelectAll, "ZelmarWindow##  Alle Datensätze selektieren",
                      "ZelmarWindow##  Selektiert alle Datensätze|Selektiert alle vorhandenen "
                      "Datensätze des aktuellen Datenblattes");
    SetCaptionAndHint(ActUnselectAll, "ZelmarWindow##  Alle Datensätze deselektieren",
                      "ZelmarWindow##  Deselektiert alle Datensätze|Deselektiert alle "
                      "vorhandenen Datensätze des aktuellen Datenblattes");
    SetCaptionAndHint(ActTickSelection, "ZelmarWindow##  Häkchen für Auswahl setzen",
                      "ZelmarWindow##  Häkchen für Auswahl setzen|Setzt das Häkchen der "
                      "ausgewählten Zeilen");
    SetCaptionAndHint(ActUntickSelection, "ZelmarWindow##  Häkchen für Auswahl entfernen",
                      "ZelmarWindow##  Häkchen für Auswahl entfernen|Entfernt das Häkchen der "
                      "ausgewählten Zeilen");
    SetCaptionAndHint(ActionCut, "ZelmarWindow##  Ausschneiden",
                      "ZelmarWindow##  Ausschneiden|Das markierte Objekt in die Zwischenablage "
                      "verschieben");
    SetCaptionAndHint(ActionCopy, "ZelmarWindow##  Kopieren",
                      "ZelmarWindow##  Kopieren|Das markierte Objekt in die Zwischenablage "
                      "kopieren");
    SetCaptionAndHint(ActionPaste, "ZelmarWindow##  Einfügen",
                      "ZelmarWindow##  Einfügen|Den Inhalt der Zwischenablage einfügen");
    SetCaptionAndHint(ActionClearCell, "ZelmarWindow##  Feld leeren",
                      "ZelmarWindow##  Feld leeren|Löscht den Inhalt der aktuellen Zelle");
    SetCaptionAndHint(ActionImportMolFile, "ZelmarWindow##  Importieren",
                      "ZelmarWindow##  Molekül aus MOL-Datei importieren");
    SetCaptionAndHint(ActionExportMolFile, "ZelmarWindow##  Exportieren",
                      "ZelmarWindow##  Exportiert das Molekül als MOL-Datei");
    SetCaptionAndHint(ActGotoRecord, "ZelmarWindow##  Gehe zu...",
                      "ZelmarWindow##  Springt zum angegebenen Datensatz|Springt zum "
                      "angegebenen Datensatz des aktuellen Datenblattes");
}

void TZelmarSheetActions::UpdateActions() {
    ActNewRecord->setEnabled(FSheet->CanNewRecord());
    ActDeleteUnSelected->setEnabled(FSheet->CanSelectAll());
    ActDeleteLoadErrors->setEnabled(FSheet->CanDeleteLoadErrors());
    ActSelectAll->setEnabled(FSheet->CanSelectAll());
    ActUnselectAll->setEnabled(FSheet->CanSelectAll());
    ActTickSelection->setEnabled(FSheet->CanSelectAll());
    ActUntickSelection->setEnabled(FSheet->CanSelectAll());
    ActionCut->setEnabled(FSheet->CanCut());
    ActionCopy->setEnabled(FSheet->CanCopy());
    ActionPaste->setEnabled(FSheet->CanPaste());
    ActionClearCell->setEnabled(FSheet->CanClearCell());
    ActionImportMolFile->setEnabled(FSheet->CanImportMolFile());
    ActionExportMolFile->setEnabled(FSheet->CanExportMolFile());
    ActGotoRecord->setEnabled(FSheet->CanGotoRecord());
}

void TZelmarSheetActions::Popup(const QPoint& globalPos) {
    UpdateActions();
    FMenu->popup(globalPos);
}
