#include "Zelmar_HelpCommands.h"

#include <QAction>
#include <QMenu>

#include "Zelmar_ActionSupport.h"
#include "Zelmar_Dialog_About.h"
#include "Zelmar_DrawletDialog.h"
#include "Zelmar_Form_Main.h"
#include "Zelmar_Global.h"
#include "Zelmar_HelpWindow.h"
#include "vesk_Folders.h"
#include "vesk_Guard.h"

namespace {

QString VersionOf(const std::string& path) {
    if (path.empty()) return ShownText("Zelmar_FormMain##  nicht gefunden");
    return QString::fromStdString(GetFileVersionString(path));
}

TZelmar_DialogAbout::TVersionLines VersionLines() {
    TZelmar_DialogAbout::TVersionLines lines;
    lines.emplace_back(QStringLiteral("Zelmar"), VersionOf(platform::GetProgramPath()));
    for (const TRequiredLibrary& library : RequiredLibraries())
        lines.emplace_back(QString::fromLatin1(library.FileName),
                           VersionOf(GetLibraryPath(library.FileName)));
    lines.emplace_back(QStringLiteral("RDKit"), QStringLiteral(ZELMAR_RDKIT_VERSION));
    lines.emplace_back(QStringLiteral("Ketcher"), TZelmarDrawletDialog::EditorVersion());
    lines.emplace_back(QStringLiteral("Qt"), QString::fromLatin1(qVersion()));
    return lines;
}

}  // namespace

TZelmarHelpCommands::TZelmarHelpCommands(TZelmar_FormMain* form) : QObject(form), Form(form) {
    // F1 wherever the keyboard is in the main window, its sheets included.
    ActHelpManual = MakeAction(form, "ActHelpManual", QString(), QKeySequence(Qt::Key_F1));
    connect(ActHelpManual, &QAction::triggered, this, [this] { ActHelpManualExecute(); });
    form->addAction(ActHelpManual);
    ActHelpAbout = MakeAction(form, "ActHelpAbout", QStringLiteral("help-about"));
    connect(ActHelpAbout, &QAction::triggered, this, [this] { ActHelpAboutExecute(); });
    form->addAction(ActHelpAbout);
    Retranslate();
}

void TZelmarHelpCommands::Retranslate() {
    SetCaptionAndHint(ActHelpManual, "Zelmar_FormMain##  &Handbuch",
                      "Zelmar_FormMain##  Handbuch|Zeigt das Benutzerhandbuch von Zelmar");
    if (Manual) Manual->Retranslate();
    SetCaptionAndHint(ActHelpAbout, "Zelmar_FormMain##  Info ...",
                      "Zelmar_FormMain##  Info|Zeigt die Versionen des Programms und seiner "
                      "Bibliotheken");
}

void TZelmarHelpCommands::FillMenu(QMenu* menu) const {
    menu->addAction(ActHelpManual);
    menu->addSeparator();
    menu->addAction(ActHelpAbout);
}

void TZelmarHelpCommands::ActHelpManualExecute() {
    GuardedVoid("TZelmar_FormMain.ActHelpManualExecute", [&] {
        if (!Manual) Manual = new TZelmarHelpWindow(Form);
        Manual->ShowManual();
    });
}

void TZelmarHelpCommands::ActHelpAboutExecute() {
    GuardedVoid("TZelmar_FormMain.ActHelpAboutExecute", [&] {
        TZelmar_DialogAbout box(Form);
        box.SetVersions(VersionLines());
        box.exec();
    });
}
