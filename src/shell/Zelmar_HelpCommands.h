#pragma once
// The "Help" menu: the about box with the versions of the program and its libraries.

#include <QObject>

class QAction;
class QMenu;
class TZelmar_FormMain;

class TZelmarHelpCommands : public QObject {
    Q_OBJECT
public:
    explicit TZelmarHelpCommands(TZelmar_FormMain* form);

    void FillMenu(QMenu* menu) const;
    void Retranslate();

    void ActHelpAboutExecute();

    QAction* ActHelpAbout;

private:
    TZelmar_FormMain* const Form;
};
