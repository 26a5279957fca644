// The sheet window as a document on disk: saving with a backup of the file it replaces,
// closing with a save query, and the status bar's icons and their hints.
#include <QCloseEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "Zelmar_MessageBoxes.h"
#include "Zelmar_Object_HintManager.h"
#include "Zelmar_SheetGrid.h"
#include "Zelmar_SheetStatusBar.h"
#include "Zelmar_TextFormat.h"
#include "Zelmar_Translater.h"
#include "Zelmar_Window.h"
#include "vesk_Guard.h"

namespace fs = std::filesystem;

bool TZelmarWindow::SaveAs() {
    return Save(true);
}

bool TZelmarWindow::Save(bool askForName) {
    return Guarded("TZelmarWindow.Save", false, [&] {
        // A second save, or one during a sort, would work on a list that is busy.
        if (!CanSaveAs()) return false;
        FGrid->CloseEditor();
        std::string name = QString::fromStdString(FList->GetFileName()).trimmed().toStdString();
        if (name.empty() || askForName) {
            name = ExecSaveDialog();
            if (name.empty()) {
                FSaveCancelled = true;
                return false;
            }
        }
        return DoSave(name);
    });
}

std::string TZelmarWindow::ExecSaveDialog() {
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setWindowTitle(
        QString::fromStdString(LoadTranslatedText("ZelmarWindow##  SD-Datei speichern unter")));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("sdf"));
    dialog.setNameFilter(
        QString::fromStdString(LoadTranslatedText("ZelmarWindow##  SD-Dateien (*.sdf)")));
    if (!FList->GetFileName().empty())
        dialog.selectFile(QString::fromStdString(FList->GetFileName()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::string();
    return dialog.selectedFiles().first().trimmed().toStdString();
}

bool TZelmarWindow::DoSave(const std::string& fileName) {
    const std::string name = QString::fromStdString(fileName).trimmed().toStdString();
    if (name.empty()) return false;
    bool saved = false;
    {
        // Saving removes the unticked records: a step that undo takes back.
        TZelmarUndoStep step(
            FList->Undo(), LoadTranslatedText("ZelmarWindow##  Deselektierte Datensätze löschen"));
        saved = FList->SaveFile(name);
    }
    if (saved) FList->Undo().MarkSaved();
    return saved;
}

bool TZelmarWindow::ShowLoadErrorWarningBeforeSave() {
    return MessageBoxes().AskQuestion(FillPlaceholders(
        LoadTranslatedText("ZelmarWindow##  Die Datei \"%s\" hat noch fehlerhafte Einträge. Diese "
                           "werden nicht mitgespeichert.<BR>Möchten Sie den Speichervorgang "
                           "fortsetzen?"),
        {Caption()}));
}

// Records without a check mark are not written: the user hears how many before they go.
bool TZelmarWindow::AskSaveWithoutUnselected() {
    const int unselected = FList->GetUnselectedCount();
    if (unselected == 0) return true;
    const std::string message =
        unselected == 1
            ? LoadTranslatedText(
                  "ZelmarWindow##  1 Datensatz ist nicht markiert und wird nicht "
                  "gespeichert.<BR>Möchten Sie den Speichervorgang fortsetzen?")
            : FillPlaceholders(
                  LoadTranslatedText("ZelmarWindow##  %d Datensätze sind nicht markiert und "
                                     "werden nicht gespeichert.<BR>Möchten Sie den "
                                     "Speichervorgang fortsetzen?"),
                  {std::to_string(unselected)});
    return MessageBoxes().AskOkCancel(message);
}

bool TZelmarWindow::HandleOnStartSaveData(const std::string& newName, const std::string&) {
    return Guarded("TZelmarWindow.HandleOnStartSaveData", false, [&] {
        FBackupOf.clear();
        FBackupName.clear();
        FSaveCancelled = false;
        if (FList->HasLoadErrors()) {
            if (!ShowLoadErrorWarningBeforeSave()) {
                FSaveCancelled = true;
                return false;
            }
            DoDeleteLoadErrors();
        }
        if (!AskSaveWithoutUnselected()) {
            FSaveCancelled = true;
            return false;
        }
        if (!newName.empty() && !MakeBackup(newName)) {
            if (!MessageBoxes().AskQuestion(
                    "ZelmarWindow##  Es konnte keine Sicherungskopie der Originaldatei erstellt "
                    "werden. <BR>Wollen Sie das Speichern trotzdem fortsetzen?"))
                return false;
        }
        FEscapeInGrid = false;
        FSaving = true;
        StatusText(FillPlaceholders(LoadTranslatedText("ZelmarWindow##  Speichere Datei: \"%s\""),
                                    {newName}));
        ShowProgress(0);
        ShowProgressBar(true);
        SetBusyCursor(true);
        return true;
    });
}

bool TZelmarWindow::MakeBackup(const std::string& fileName) {
    return Guarded("TZelmarWindow.MakeBackup", false, [&] {
        const fs::path file(fileName);
        const fs::path backup = fs::path(file).replace_extension(".BAK");
        std::error_code error;
        if (!fs::exists(file, error)) return true;
        fs::rename(file, backup, error);
        if (error) {
            MessageBoxes().ShowError(FillPlaceholders(
                LoadTranslatedText("ZelmarWindow##  Es geschah ein Fehler beim Umbenennen einer "
                                   "Datei.<BR>Fehlermeldung: %s"),
                {error.message()}));
            return false;
        }
        FBackupOf = file.string();
        FBackupName = backup.string();
        return true;
    });
}

void TZelmarWindow::RestoreBackup() {
    // A failed save leaves the target as it was before the save: without the file the backup
    // was moved from, the user's name would hold nothing. Nothing is done if some file has
    // appeared under the name meanwhile.
    GuardedVoid("TZelmarWindow.RestoreBackup", [&] {
        if (FBackupOf.empty()) return;
        std::error_code error;
        if (!fs::exists(FBackupOf, error)) fs::rename(FBackupName, FBackupOf, error);
        if (error)
            TraceMessage("TZelmarWindow.RestoreBackup", tlError, "%s", error.message().c_str());
    });
    FBackupOf.clear();
    FBackupName.clear();
}

bool TZelmarWindow::HandleOnSaveDataError(const std::string& fileName, bool isRecordError,
                                          const std::string& error, int index) {
    return Guarded("TZelmarWindow.HandleOnSaveDataError", false, [&] {
        if (isRecordError) {
            return MessageBoxes().AskQuestion(FillPlaceholders(
                LoadTranslatedText(
                    "ZelmarWindow##  Während dem Speichern der Datei \"%s\" ist ein Fehler "
                    "aufgetreten.<BR>Beim Speichern des Datensatzes %d ist der Fehler \"%s\" "
                    "aufgetreten.<BR>Möchten Sie mit dem Speichern fortfahren?"),
                {fileName, std::to_string(index), error}));
        }
        MessageBoxes().ShowError(FillPlaceholders(
            LoadTranslatedText("ZelmarWindow##  Während dem Speichern der Datei: \"%s\" ist der "
                               "Fehler : %s aufgetreten. <BR>Das Speichern kann nicht fortgesetzt "
                               "werden."),
            {fileName, error}));
        return false;
    });
}

void TZelmarWindow::HandleOnEndSaveData(bool success) {
    GuardedVoid("TZelmarWindow.HandleOnEndSaveData", [&] {
        if (success) {
            FBackupOf.clear();
            FBackupName.clear();
        } else {
            RestoreBackup();
        }
        InitStringGrid(-1);
        // The save removed the unchecked records: the current cell may show another one now.
        PointEditAtCurrentCell();
        FSaving = false;
        StatusText("");
        ShowProgressBar(false);
        SetBusyCursor(false);
        if (success) {
            FModified = false;
            SetCaption(FList->GetFileName());
        }
        UpdateStatusIcons();
        if (!FLoading && !FIndexing) ShowRecordInfo(FList->GetLoadedCount(), FList->GetCount());
        // A narrowed sheet is saved whole: the user should not fear for the rows not shown.
        if (success && IsFiltered())
            StatusText(FillPlaceholders(
                LoadTranslatedText("ZelmarWindow##  Gespeichert: alle %d Einträge, auch die "
                                   "vom Filter ausgeblendeten"),
                {std::to_string(FList->GetCount())}));
    });
    FEscapeInGrid = FEscapePressed = false;
}

// ---- closing ----

TSaveAnswer TZelmarWindow::AskSaveChanges() {
    // A sheet that is still loading cannot be saved; it closes without the question.
    if (FLoading) return TSaveAnswer::Discard;
    return MessageBoxes().AskSave(FillPlaceholders(
        LoadTranslatedText("ZelmarWindow##  Das Datenblatt '%s' wurde verändert.<BR>Wollen Sie es "
                           "speichern, bevor es geschlossen wird?"),
        {Caption()}));
}

bool TZelmarWindow::FormCloseQuery() {
    return Guarded("TZelmarWindow.FormCloseQuery", false, [&] {
        if (!CanCloseNow()) return false;
        if (!FModified) return true;
        switch (AskSaveChanges()) {
            case TSaveAnswer::Discard:
                return true;
            case TSaveAnswer::Cancel:
                return false;
            case TSaveAnswer::Save:
                break;
        }
        FSaveCancelled = false;
        if (Save(false)) return true;
        // Cancelled in one of the save's own questions: the sheet stays, as after Cancel here.
        if (FSaveCancelled) return false;
        return MessageBoxes().AskQuestion(FillPlaceholders(
            LoadTranslatedText("ZelmarWindow##  Das Datenblatt \"%s\" konnte nicht gespeichert "
                               "werden. Möchten Sie es trotzdem schließen?"),
            {Caption()}));
    });
}

void TZelmarWindow::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FGrid->CloseEditor();
    FHintManager->SetNoHint(FGrid);
    FHintManager->SetNoHint(FStatusBar);
    if (OnUpdateDataExchange) OnUpdateDataExchange(this, nullptr, nullptr);
    event->accept();
}

// ---- status bar icons ----

void TZelmarWindow::WireStatusBar() {
    FStatusBar->OnPanelHover = [this](int panel) { StatusBarHover(panel); };
    FStatusBar->OnPanelClick = [this](int panel) {
        if (panel == 1) ShowLoadErrors();
    };
}

void TZelmarWindow::StatusBarHover(int panel) {
    GuardedVoid("TZelmarWindow.StatusBar1MouseMove", [&] {
        std::string text;
        if (panel == 0) {
            text = FModified ? "ZelmarWindow##  Das aktuelle Datenblatt wurde verändert"
                             : "ZelmarWindow##  Das aktuelle Datenblatt wurde noch nicht verändert";
        } else if (panel == 1 && FList->HasLoadErrors()) {
            text =
                "ZelmarWindow##  Das Laden der Daten war fehlerhaft. Klicken Sie hier, um die "
                "Fehler anzuzeigen.";
        }
        if (text.empty()) {
            FHintManager->SetNoHint(FStatusBar);
        } else {
            FHintManager->SetStatusBarHint(FStatusBar,
                                           QString::fromStdString(LoadTranslatedText(text)));
        }
    });
}

// ---- the sheet's small dialogs ----

void TZelmarWindow::ShowLoadErrors() {
    GuardedVoid("TZelmarWindow.ShowLoadErrors", [&] {
        if (!FList->HasLoadErrors() || FList->GetLoadErrors() == nullptr) return;
        if (!OnShowLoadErrorsDialog) return;
        OnShowLoadErrorsDialog(
            this, *FList->GetLoadErrors(),
            [this](const TZelmarSDFileData* record) { return HandleOnGetSDFileDataIndex(record); },
            [this](int n) { GotoIndex(n); });
    });
}

void TZelmarWindow::DoGotoRecord() {
    GuardedVoid("TZelmarWindow.DoGotoRecord", [&] {
        int n = -1;
        if (!OnAskRecordNo || !OnAskRecordNo(this, FList->Rows().RowCount(), n)) return;
        if (n < 0 || n > FGrid->RowCount() - 1) {
            MessageBoxes().ShowError(FillPlaceholders(
                LoadTranslatedText("ZelmarWindow##  Die Datensatznummer \"%d\" liegt außerhalb des "
                                   "Datenbereichs.<BR>Bitte geben Sie eine gültige "
                                   "Datensatznummer ein."),
                {std::to_string(n)}));
            return;
        }
        GotoIndex(std::max(n, 1));
    });
}
