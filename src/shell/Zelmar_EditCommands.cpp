#include "Zelmar_EditCommands.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <array>

#include "Zelmar_ActionSupport.h"
#include "Zelmar_Dialog_EditFields.h"
#include "Zelmar_Dialog_EditMolPropertys.h"
#include "Zelmar_Dialog_MixSheets.h"
#include "Zelmar_Form_Main.h"
#include "Zelmar_Translater.h"
#include "Zelmar_Window.h"
#include "vesk_ChemView2.h"
#include "vesk_Guard.h"

namespace {

// What a mixing result window shows in its tool tip: the operation and its two sheets.
QString MixOrigin(const TZelmarDialogMixSheets& dialog) {
    static const char* const operations[] = {
        "Zelmar_FormMain##  Schnittmenge von %1 und %2",
        "Zelmar_FormMain##  Vereinigung von %1 und %2",
        "Zelmar_FormMain##  %1 ohne die Moleküle von %2",
        "Zelmar_FormMain##  %2 ohne die Moleküle von %1",
    };
    const TZelmarMixSheet* left = dialog.GetCurrentLeftWindow();
    const TZelmarMixSheet* right = dialog.GetCurrentRightWindow();
    const int operation = dialog.GetOperation();
    if (left == nullptr || right == nullptr || operation < 1 || operation > 4) return QString();
    return ShownText(operations[operation - 1])
        .arg(QString::fromStdString(left->Caption), QString::fromStdString(right->Caption));
}

}  // namespace

TZelmarEditCommands::TZelmarEditCommands(TZelmar_FormMain* form)
    : QObject(form), Form(form), Actions(form) {
    ActionUndo = MakeAction(form, "ActionUndo");
    ActionUndo->setShortcuts(QKeySequence::Undo);
    ActionRedo = MakeAction(form, "ActionRedo");
    // Both habits: Ctrl+Y and Ctrl+Shift+Z, whatever the platform's own is.
    ActionRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    ActionCut = MakeAction(form, "ActionCut", QStringLiteral("edit-cut"), QKeySequence::Cut);
    ActionCopy = MakeAction(form, "ActionCopy", QStringLiteral("edit-copy"), QKeySequence::Copy);
    ActionPaste =
        MakeAction(form, "ActionPaste", QStringLiteral("edit-paste"), QKeySequence::Paste);
    ActionImportMOLFile = MakeAction(form, "ActionImportMOLFile", QStringLiteral("mol-import"));
    ActionExportMOLFile = MakeAction(form, "ActionExportMOLFile", QStringLiteral("mol-export"));
    ActionClearCell = MakeAction(form, "ActionClearCell", QStringLiteral("edit-clear"),
                                 QKeySequence(Qt::Key_Delete));
    ActEditFields = MakeAction(form, "ActEditFields", QStringLiteral("fields-edit"));
    ActMixSheets = MakeAction(form, "ActMixSheets", QStringLiteral("sheets-mix"));
    ActEditMolPropertys =
        MakeAction(form, "ActEditMolPropertys", QStringLiteral("molecule-display"));
    Actions.AddEnabling(ActEditFields, &TZelmarWindow::CanEditFields);
    connect(ActEditFields, &QAction::triggered, this, [this] { ActEditFieldsExecute(); });
    connect(ActMixSheets, &QAction::triggered, this, [this] { ActMixSheetsExecute(); });
    connect(ActEditMolPropertys, &QAction::triggered, this,
            [this] { ActEditMolPropertysExecute(); });
    Actions.Add(ActionUndo, &TZelmarWindow::CanUndo, &TZelmarWindow::Undo,
                "TZelmar_FormMain.ActionUndoExecute");
    Actions.Add(ActionRedo, &TZelmarWindow::CanRedo, &TZelmarWindow::Redo,
                "TZelmar_FormMain.ActionRedoExecute");
    Actions.Add(ActionCut, &TZelmarWindow::CanCut, &TZelmarWindow::CutToClipboard,
                "TZelmar_FormMain.ActionCutExecute");
    Actions.Add(ActionCopy, &TZelmarWindow::CanCopy, &TZelmarWindow::CopyToClipboard,
                "TZelmar_FormMain.ActionCopyExecute");
    Actions.Add(ActionPaste, &TZelmarWindow::CanPaste, &TZelmarWindow::PasteFromClipboard,
                "TZelmar_FormMain.ActionPasteExecute");
    Actions.Add(ActionImportMOLFile, &TZelmarWindow::CanImportMolFile,
                &TZelmarWindow::ImportMolFile, "TZelmar_FormMain.ActionImportMOLFileExecute");
    Actions.Add(ActionExportMOLFile, &TZelmarWindow::CanExportMolFile,
                &TZelmarWindow::ExportMolFile, "TZelmar_FormMain.ActionExportMOLFileExecute");
    Actions.Add(ActionClearCell, &TZelmarWindow::CanClearCell, &TZelmarWindow::ClearCell,
                "TZelmar_FormMain.ActionClearCellExecute");
    for (QAction* action :
         {ActionUndo, ActionRedo, ActionCut, ActionCopy, ActionPaste, ActionImportMOLFile,
          ActionExportMOLFile, ActionClearCell, ActEditFields, ActMixSheets, ActEditMolPropertys})
        form->addAction(action);
    Retranslate();
}

void TZelmarEditCommands::Retranslate() {
    SetCaptionAndHint(ActionUndo, "Zelmar_FormMain##  Rückgängig",
                      "Zelmar_FormMain##  Rückgängig|Nimmt die letzte Änderung am Datenblatt "
                      "zurück");
    SetCaptionAndHint(ActionRedo, "Zelmar_FormMain##  Wiederherstellen",
                      "Zelmar_FormMain##  Wiederherstellen|Führt die zuletzt zurückgenommene "
                      "Änderung wieder aus");
    UpdateUndoCaptions();
    SetCaptionAndHint(ActionCut, "Zelmar_FormMain##  Ausschneiden",
                      "Zelmar_FormMain##  Ausschneiden|Das markierte Objekt in die "
                      "Zwischenablage verschieben");
    SetCaptionAndHint(ActionCopy, "Zelmar_FormMain##  Kopieren",
                      "Zelmar_FormMain##  Kopieren|Das markierte Objekt in die Zwischenablage "
                      "kopieren");
    SetCaptionAndHint(ActionPaste, "Zelmar_FormMain##  Einfügen",
                      "Zelmar_FormMain##  Einfügen|Den Inhalt der Zwischenablage einfügen");
    SetCaptionAndHint(ActionImportMOLFile, "Zelmar_FormMain##  Importieren",
                      "Zelmar_FormMain##  Molekül aus MOL-Datei importieren");
    SetCaptionAndHint(ActionExportMOLFile, "Zelmar_FormMain##  Exportieren",
                      "Zelmar_FormMain##  Exportiert das Molekül als MOL-Datei");
    SetCaptionAndHint(ActEditFields, "Zelmar_FormMain##  Felder bearbeiten...",
                      "Zelmar_FormMain##  Felder bearbeiten|Benennt die Felder des aktuellen "
                      "Datenblattes um, fügt Felder hinzu, löscht, ordnet und verbirgt sie");
    SetCaptionAndHint(ActMixSheets, "Zelmar_FormMain##  Datenblätter mischen...",
                      "Zelmar_FormMain##  Datenblätter mischen|Verbindet zwei Datenblätter "
                      "Molekül für Molekül zu einem neuen");
    SetCaptionAndHint(ActEditMolPropertys, "Zelmar_FormMain##  Molekülansicht einstellen...",
                      "Zelmar_FormMain##  Molekülansicht einstellen|Legt fest, an welchen Atomen "
                      "die Strukturen Wasserstoffatome zeigen");
    SetCaptionAndHint(ActionClearCell, "Zelmar_FormMain##  Zelle löschen",
                      "Zelmar_FormMain##  Zelle löschen|Löscht den Inhalt der aktuellen Zelle");
}

void TZelmarEditCommands::FillMenu(QMenu* menu) const {
    menu->addActions({ActionUndo, ActionRedo});
    menu->addSeparator();
    menu->addActions({ActionCut, ActionCopy, ActionPaste});
    menu->addSeparator();
    menu->addActions({ActionImportMOLFile, ActionExportMOLFile});
    menu->addSeparator();
    menu->addActions({ActEditFields, ActMixSheets, ActEditMolPropertys});
}

void TZelmarEditCommands::UpdateUndoCaptions() {
    const TZelmarWindow* sheet = Form->GetCurrentChildWindow();
    const std::string undo = sheet != nullptr ? sheet->UndoName() : std::string();
    const std::string redo = sheet != nullptr ? sheet->RedoName() : std::string();
    ActionUndo->setText(
        undo.empty()
            ? ShownText("Zelmar_FormMain##  Rückgängig")
            : ShownText("Zelmar_FormMain##  Rückgängig: %1").arg(QString::fromStdString(undo)));
    ActionRedo->setText(redo.empty() ? ShownText("Zelmar_FormMain##  Wiederherstellen")
                                     : ShownText("Zelmar_FormMain##  Wiederherstellen: %1")
                                           .arg(QString::fromStdString(redo)));
}

void TZelmarEditCommands::UpdateActions() {
    Actions.Update();
    UpdateUndoCaptions();
    ActMixSheets->setEnabled(Form->SheetWindows().size() > 1);
    ActEditMolPropertys->setEnabled(Form->ViewerPool() != nullptr);
}
void TZelmarEditCommands::ActEditFieldsExecute() {
    GuardedVoid("TZelmar_FormMain.ActEditFieldsExecute", [&] {
        QPointer<TZelmarWindow> sheet = Form->GetCurrentChildWindow();
        if (sheet.isNull() || !sheet->CanEditFields()) return;
        TZelmarDialog_EditFields dialog(Form, [sheet](TZelmarFieldList& copy) {
            return !sheet.isNull() && sheet->FillCopyOfFieldList(copy);
        });
        if (!dialog.Init() || dialog.exec() != QDialog::Accepted || sheet.isNull()) return;
        sheet->SetNewFields(dialog.Fields());
        sheet->Refresh();
    });
}

void TZelmarEditCommands::ActMixSheetsExecute() {
    GuardedVoid("TZelmar_FormMain.ActMixSheetsExecute", [&] {
        if (Form->SheetWindows().size() < 2) return;
        TZelmarDialogMixSheets dialog(Form);
        dialog.OnGetAvailableSheets = [this](TZelmarDialogMixSheets*,
                                             std::vector<TZelmarMixSheet>& sheets) {
            return Guarded("TZelmar_FormMain.HandleOnGetAvailableSheets", false, [&] {
                for (TZelmarWindow* sheet : Form->SheetWindows()) {
                    QPointer<TZelmarWindow> alive(sheet);
                    sheets.push_back({sheet->Caption(), sheet->List(),
                                      [alive] { return alive && alive->Indexing(); }, sheet});
                }
                return true;
            });
        };
        dialog.OnGetNextSearchResultCaption = [this](TZelmarDialogMixSheets*,
                                                     std::string& caption) {
            caption = Form->GetNextSearchWindowCaption();
        };
        if (dialog.exec() != QDialog::Accepted) return;
        Form->CreateSearchResultWindow(&dialog.GetResultList(), dialog.GetOutputName(),
                                       MixOrigin(dialog));
    });
}

void TZelmarEditCommands::ActEditMolPropertysExecute() {
    GuardedVoid("TZelmar_FormMain.ActEditMolPropertysExecute", [&] {
        TveskChemView2Pool* pool = Form->ViewerPool();
        if (pool == nullptr || !pool->MolProperties) return;
        std::uint8_t& mode = pool->MolProperties->Display->HydrogenMode;
        TZelmarDialogEditMolPropertys dialog(Form);
        dialog.SetHydrogens(mode);
        // The identifier columns are the current sheet's own.
        constexpr std::array<TZelmarFieldKind, 3> kinds = {ecsdtSmiles, ecsdtInchi, ecsdtInchiKey};
        QPointer<TZelmarWindow> sheet = Form->GetCurrentChildWindow();
        std::array<bool, 3> shown = {false, false, false};
        for (std::size_t i = 0; i < kinds.size() && !sheet.isNull(); ++i)
            shown[i] = sheet->HasIdentifierColumn(kinds[i]);
        dialog.SetIdentifierColumns(shown, !sheet.isNull() && sheet->IsIdle());
        if (dialog.exec() != QDialog::Accepted) return;
        mode = static_cast<std::uint8_t>(dialog.GetHydrogens());
        if (!sheet.isNull() && sheet->IsIdle()) {
            const std::array<bool, 3> wanted = dialog.GetIdentifierColumns();
            for (std::size_t i = 0; i < kinds.size(); ++i)
                sheet->SetIdentifierColumn(kinds[i], wanted[i]);
        }
        Form->RefreshAllSheets();
    });
}
