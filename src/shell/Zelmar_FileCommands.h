#pragma once
// The file commands of the main window: new, open, close, save, save as and exit, with the
// update handlers that enable them from the current sheet's state.

#include <QObject>

class QAction;
class QMenu;
class TZelmar_FormMain;

class TZelmarFileCommands : public QObject {
    Q_OBJECT
public:
    explicit TZelmarFileCommands(TZelmar_FormMain* form);

    void FillMenu(QMenu* menu) const;
    void UpdateActions();
    void Retranslate();

    void FileNewExecute();
    void FileOpenExecute();
    void FileCloseExecute();
    void FileSaveExecute();
    void FileSaveAsExecute();
    void FileExportExecute();
    void FileExitExecute();

    QAction* FileNew;
    QAction* FileOpen;
    QAction* FileClose;
    QAction* FileSave;
    QAction* FileSaveAs;
    QAction* FileExport;
    QAction* FileExit;
    // The files opened last, listed afresh each time the menu opens.
    QMenu* RecentMenu;

private:
    void FillRecentMenu();

    TZelmar_FormMain* Form;
};
