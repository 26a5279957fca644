#include "Zelmar_FileCommands.h"

#include <QAction>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "Zelmar_ActionSupport.h"
#include "Zelmar_ExportCommand.h"
#include "Zelmar_Form_Main.h"
#include "Zelmar_Settings.h"
#include "Zelmar_Translater.h"
#include "Zelmar_Window.h"
#include "vesk_Guard.h"

TZelmarFileCommands::TZelmarFileCommands(TZelmar_FormMain* form) : QObject(form), Form(form) {
    FileNew = MakeAction(form, "FileNew", QStringLiteral("file-new"), QKeySequence::New);
    FileOpen = MakeAction(form, "FileOpen", QStringLiteral("file-open"), QKeySequence::Open);
    FileClose = MakeAction(form, "FileClose");
    FileSave = MakeAction(form, "FileSave", QStringLiteral("file-save"), QKeySequence::Save);
    FileSaveAs = MakeAction(form, "FileSaveAs");
    FileExport = MakeAction(form, "FileExport");
    connect(FileExport, &QAction::triggered, this, [this] { FileExportExecute(); });
    form->addAction(FileExport);
    FileExit = MakeAction(form, "FileExit");
    connect(FileNew, &QAction::triggered, this, [this] { FileNewExecute(); });
    connect(FileOpen, &QAction::triggered, this, [this] { FileOpenExecute(); });
    connect(FileClose, &QAction::triggered, this, [this] { FileCloseExecute(); });
    connect(FileSave, &QAction::triggered, this, [this] { FileSaveExecute(); });
    connect(FileSaveAs, &QAction::triggered, this, [this] { FileSaveAsExecute(); });
    connect(FileExit, &QAction::triggered, this, [this] { FileExitExecute(); });
    for (QAction* action : {FileNew, FileOpen, FileClose, FileSave, FileSaveAs, FileExit})
        form->addAction(action);
    RecentMenu = new QMenu(form);
    RecentMenu->setObjectName(QStringLiteral("MenuRecentFiles"));
    connect(RecentMenu, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
    Retranslate();
}

void TZelmarFileCommands::Retranslate() {
    SetCaptionAndHint(FileNew, "Zelmar_FormMain##  &Neu",
                      "Zelmar_FormMain##  Neu|Neue Datei erstellen");
    SetCaptionAndHint(FileOpen, "Zelmar_FormMain##  Ö&ffnen",
                      "Zelmar_FormMain##  Öffnen|Vorhandene Datei öffnen");
    SetCaptionAndHint(FileClose, "Zelmar_FormMain##  S&chließen",
                      "Zelmar_FormMain##  Schließen|Aktuelle Datei schließen");
    SetCaptionAndHint(FileSave, "Zelmar_FormMain##  &Speichern",
                      "Zelmar_FormMain##  Speichern|Aktuelle Datei speichern");
    SetCaptionAndHint(
        FileSaveAs, "Zelmar_FormMain##  Speichern &unter...",
        "Zelmar_FormMain##  Speichern unter|Eine Datei unter einem anderen Namen speichern");
    SetCaptionAndHint(FileExit, "Zelmar_FormMain##  &Beenden",
                      "Zelmar_FormMain##  Beenden|Anwendung beenden");
    SetCaptionAndHint(FileExport, "Zelmar_DialogExport##  E&xportieren...",
                      "Zelmar_DialogExport##  Exportieren|Die Datensätze als SD-Datei, CSV, TSV "
                      "oder Excel-Arbeitsmappe schreiben");
    RecentMenu->setTitle(ShownText("Zelmar_FormMain##  &Zuletzt geöffnet"));
}

void TZelmarFileCommands::FillRecentMenu() {
    GuardedVoid("TZelmar_FormMain.FillRecentMenu", [&] {
        RecentMenu->clear();
        const std::vector<std::string> files = zelmarSettings::RecentFiles();
        int number = 0;
        for (const std::string& file : files) {
            // The number is the entry's key, as in other programs' lists of recent files.
            const QString caption = QStringLiteral("&%1 %2").arg(++number % 10).arg(
                QString::fromStdString(file).replace(QLatin1Char('&'), QStringLiteral("&&")));
            QAction* entry = RecentMenu->addAction(caption);
            connect(entry, &QAction::triggered, this, [this, file] { Form->DoOpenNewFile(file); });
        }
        if (files.empty())
            RecentMenu->addAction(ShownText("Zelmar_FormMain##  (keine)"))->setEnabled(false);
    });
}

void TZelmarFileCommands::FillMenu(QMenu* menu) const {
    menu->addActions({FileNew, FileOpen, FileClose, FileSave, FileSaveAs});
    menu->addAction(FileExport);
    menu->addSeparator();
    menu->addMenu(RecentMenu);
    menu->addSeparator();
    menu->addAction(FileExit);
}

void TZelmarFileCommands::UpdateActions() {
    const TZelmarWindow* sheet = Form->GetCurrentChildWindow();
    FileClose->setEnabled(Form->MdiArea()->currentSubWindow() != nullptr);
    FileSave->setEnabled(sheet != nullptr && sheet->CanSave());
    FileSaveAs->setEnabled(sheet != nullptr && sheet->CanSaveAs());
    FileExport->setEnabled(sheet != nullptr && sheet->CanSaveAs());
}

void TZelmarFileCommands::FileNewExecute() {
    GuardedVoid("TZelmar_FormMain.FileNew1Execute", [&] {
        const std::string caption = LoadTranslatedText("Zelmar_FormMain##  Zelmar") +
                                    std::to_string(Form->MdiArea()->subWindowList().size() + 1);
        if (TZelmarWindow* sheet = Form->CreateSheetWindow(caption)) sheet->ShowStringGrid();
    });
}

void TZelmarFileCommands::FileOpenExecute() {
    GuardedVoid("TZelmar_FormMain.FileOpen1Execute", [&] {
        QFileDialog dialog(Form);
        dialog.setObjectName(QStringLiteral("OpenDialog"));
        dialog.setWindowTitle(ShownText("Zelmar_FormMain##  SD-Datei öffnen"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(ShownText("Zelmar_FormMain##  SD-Dateien (*.sdf)"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
        Form->DoOpenNewFile(dialog.selectedFiles().first().toStdString());
    });
}

void TZelmarFileCommands::FileCloseExecute() {
    GuardedVoid("TZelmar_FormMain.FileClose1Execute", [&] {
        if (QMdiSubWindow* child = Form->MdiArea()->currentSubWindow()) child->close();
    });
}

void TZelmarFileCommands::FileSaveExecute() {
    GuardedVoid("TZelmar_FormMain.FileSave1Execute", [&] {
        // The enabling is recomputed only now and then: ask the sheet again.
        TZelmarWindow* sheet = Form->GetCurrentChildWindow();
        if (sheet != nullptr && sheet->CanSave()) sheet->Save(false);
    });
}

void TZelmarFileCommands::FileSaveAsExecute() {
    GuardedVoid("TZelmar_FormMain.FileSaveAs1Execute", [&] {
        TZelmarWindow* sheet = Form->GetCurrentChildWindow();
        if (sheet != nullptr && sheet->CanSaveAs()) sheet->SaveAs();
    });
}

void TZelmarFileCommands::FileExportExecute() {
    ExportSheetAsked(Form, Form->GetCurrentChildWindow());
}

void TZelmarFileCommands::FileExitExecute() {
    GuardedVoid("TZelmar_FormMain.FileExitExecute", [&] { Form->close(); });
}
