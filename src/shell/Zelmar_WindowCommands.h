#pragma once
// The "Window" menu: cascading, tiling, minimising, restoring and arranging the child
// windows, and the list of open windows.

#include <QObject>

class QAction;
class QMenu;
class TZelmar_FormMain;

class TZelmarWindowCommands : public QObject {
    Q_OBJECT
public:
    explicit TZelmarWindowCommands(TZelmar_FormMain* form);

    // The menu lists the open windows below the commands each time it opens.
    void FillMenu(QMenu* menu);
    void UpdateActions();
    void Retranslate();

    void TileHorizontal();
    void TileVertical();
    void MinimizeAll();
    void DoRestoreAll();
    void ArrangeAll();

    QAction* WindowCascade;
    QAction* WindowTileHorizontal;
    QAction* WindowTileVertical;
    QAction* WindowMinimizeAll;
    QAction* ActWindowRestoreAll;
    QAction* WindowArrangeAll;

private:
    void ListWindows(QMenu* menu);

    TZelmar_FormMain* Form;
};
