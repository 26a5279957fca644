#pragma once
// The "Search" menu of the main window: searching the current sheet by text or number, for
// duplicates, and by structure. Each search that finds records opens them in a result sheet.

#include <QObject>
#include <string>

class QAction;
class QMenu;
class TZelmar_FormMain;
class TZelmarWindow;

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
    // The filter bar of the current sheet (Ctrl+F).
    void ActSearchFilterExecute();
    // A new sheet draws its structure filter in the structure search's dialog.
    void PlugFilter(TZelmarWindow* sheet);

    QAction* ActSearchMolecule;
    QAction* ActSearchAlphanumeric;
    QAction* ActSearchDuplicates;
    QAction* ActSearchFilter;

private:
    bool AskFilterStructure(TZelmarWindow* sheet, std::string& molFile, int& options,
                            bool& considerStereo);

    TZelmar_FormMain* const Form;
    // The duplicate search's last choice, offered again next time (for this session).
    bool FDuplicateStereo = false;
    int FDuplicatePolicy = 0;
};
