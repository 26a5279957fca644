#pragma once
// The editor dialogs' drawing buttons: each names the DRAWLET command it sends, its two-part
// hint and its place; buttons of the drawing-mode group choose a tool, one at a time.

#include <QIcon>
#include <vector>

struct TZelmarDrawletButton {
    const char* Name;    // object name, e.g. "BtnSingleBond"
    const char* Method;  // the page's command, e.g. "SingleBondClick"
    const char* Hint;    // stored "short|long" hint
    bool ModeGroup;      // one of the drawing-mode group
    bool LeftBar;        // on the left tool bar (rings and atoms), else on the top one
    bool OpensPageDialog;
};

// In the order the tool bars show them.
const std::vector<TZelmarDrawletButton>& DrawletButtons();

// The button's picture, drawn for the program.
QIcon DrawletButtonIcon(const TZelmarDrawletButton& button);
