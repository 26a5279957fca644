#pragma once
// The "Window" menu: cascading, tiling, minimising, restoring and arranging the child
// windows, and the list of open windows; and the frame's title, which names the current one.

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
    // "Zelmar - [caption of the current sheet]", or the program's name without a sheet.
    void UpdateTitle();

    QAction* WindowCascade;
    QAction* WindowTileHorizontal;
    QAction* WindowTileVertical;
    QAction* WindowMinimizeAll;
    QAction* ActWindowRestoreAll;
    QAction* WindowArrangeAll;

protected:
    // The MDI area retitles the frame while a sheet is maximized; the frame keeps its own.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ListWindows(QMenu* menu);
    QString WantedTitle() const;

    TZelmar_FormMain* Form;
};
