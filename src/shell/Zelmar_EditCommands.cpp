#include "Zelmar_EditCommands.h"

#include <QAction>
#include <QMenu>

#include "Zelmar_ActionSupport.h"
#include "Zelmar_Form_Main.h"
#include "Zelmar_Window.h"

TZelmarEditCommands::TZelmarEditCommands(TZelmar_FormMain* form)
    : QObject(form), Form(form), Actions(form) {
    ActionCut = MakeAction(form, "ActionCut", QStringLiteral("edit-cut"), QKeySequence::Cut);
    ActionCopy = MakeAction(form, "ActionCopy", QStringLiteral("edit-copy"), QKeySequence::Copy);
    ActionPaste =
        MakeAction(form, "ActionPaste", QStringLiteral("edit-paste"), QKeySequence::Paste);
    ActionImportMOLFile = MakeAction(form, "ActionImportMOLFile", QStringLiteral("mol-import"));
    ActionExportMOLFile = MakeAction(form, "ActionExportMOLFile", QStringLiteral("mol-export"));
    ActionClearCell = MakeAction(form, "ActionClearCell", QStringLiteral("edit-clear"),
                                 QKeySequence(Qt::Key_Delete));
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
    for (QAction* action : {ActionCut, ActionCopy, ActionPaste, ActionImportMOLFile,
                            ActionExportMOLFile, ActionClearCell})
        form->addAction(action);
    Retranslate();
}

void TZelmarEditCommands::Retranslate() {
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
    SetCaptionAndHint(ActionClearCell, "Zelmar_FormMain##  Zelle löschen",
                      "Zelmar_FormMain##  Zelle löschen|Löscht den Inhalt der aktuellen Zelle");
}

void TZelmarEditCommands::FillMenu(QMenu* menu) const {
    menu->addActions({ActionCut, ActionCopy, ActionPaste});
    menu->addSeparator();
    menu->addActions({ActionImportMOLFile, ActionExportMOLFile});
}

void TZelmarEditCommands::UpdateActions() {
    Actions.Update();
}
