#pragma once
// The "Help" menu: the user manual (F1) and the about box with the versions of the program
// and its libraries.

#include <QObject>

class QAction;
class QMenu;
class TZelmar_FormMain;
class TZelmarHelpWindow;

class TZelmarHelpCommands : public QObject {
    Q_OBJECT
public:
    explicit TZelmarHelpCommands(TZelmar_FormMain* form);

    void FillMenu(QMenu* menu) const;
    void Retranslate();

    void ActHelpManualExecute();
    void ActHelpAboutExecute();
    // The manual's window once it has been opened, else null.
    TZelmarHelpWindow* HelpWindow() const { return Manual; }

    QAction* ActHelpManual;
    QAction* ActHelpAbout;

private:
    TZelmar_FormMain* const Form;
    TZelmarHelpWindow* Manual = nullptr;  // owned by the form, made on first use
};
