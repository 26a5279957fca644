#pragma once
// The "Search" menu of the main window: searching the current sheet by text or number, for
// duplicates, and by structure. Each search that finds records opens them in a result sheet.

#include <QObject>

class QAction;
class QMenu;
class TZelmar_FormMain;

class TZelmarSearchCommands : public QObject {
    Q_OBJECT
public:
    explicit TZelmarSearchCommands(TZelmar_FormMain* form);

    void FillMenu(QMenu* menu) const;
    void UpdateActions();
    void Retranslate();

    void ActSearchMoleculeExecute();
    void ActSearchAlphanumericExecute();
    void ActSearchDuplicatesExecute();

    QAction* ActSearchMolecule;
    QAction* ActSearchAlphanumeric;
    QAction* ActSearchDuplicates;

private:
    TZelmar_FormMain* const Form;
};
