#pragma once
// Main-window actions that forward to an operation of the current sheet and are enabled by
// the sheet's own query for it, so the menus and the sheet's pop-up menu never disagree.

#include <QAction>
#include <vector>

#include "Zelmar_Form_Main.h"
#include "Zelmar_Window.h"
#include "vesk_Guard.h"

class TZelmarSheetActionList {
public:
    using TQuery = bool (TZelmarWindow::*)() const;
    using TOperation = void (TZelmarWindow::*)();

    explicit TZelmarSheetActionList(TZelmar_FormMain* form) : Form(form) {}

    // traceName names the handler in the trace log when the operation fails.
    void Add(QAction* action, TQuery can, TOperation run, const char* traceName) {
        Entries.push_back({action, can});
        QObject::connect(action, &QAction::triggered, action, [this, can, run, traceName] {
            GuardedVoid(traceName, [&] {
                // The enabling is recomputed only now and then: ask the sheet again.
                TZelmarWindow* sheet = Form->GetCurrentChildWindow();
                if (sheet != nullptr && (sheet->*can)()) (sheet->*run)();
            });
        });
    }

    // An action that does more than one sheet operation: only enabled here.
    void AddEnabling(QAction* action, TQuery can) { Entries.push_back({action, can}); }

    void Update() const {
        const TZelmarWindow* sheet = Form->GetCurrentChildWindow();
        for (const TEntry& entry : Entries)
            entry.Action->setEnabled(sheet != nullptr && (sheet->*entry.Can)());
    }

private:
    struct TEntry {
        QAction* Action;
        TQuery Can;
    };
    TZelmar_FormMain* const Form;
    std::vector<TEntry> Entries;
};
