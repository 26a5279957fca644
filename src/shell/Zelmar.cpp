#include "Zelmar.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

#include <csignal>
#include <cstdlib>

#include "Zelmar_CheckProcess.h"
#include "Zelmar_DrawletDialog.h"
#include "Zelmar_Form_Main.h"
#include "Zelmar_Global.h"

namespace {

TCommandLine ProgramArguments() {
    TCommandLine args;
    const QStringList all = QCoreApplication::arguments();
    for (int i = 1; i < all.size(); ++i) args.push_back(all[i].toLocal8Bit().toStdString());
    return args;
}

// A file size limit makes a write fail with an error that saving reports, instead of ending
// the program with the user's work in it.
void KeepRunningPastFileSizeLimits() {
    signal(SIGXFSZ, SIG_IGN);
}

}  // namespace

int RunZelmar(int argc, char* argv[]) {
    TZelmarDrawletDialog::PrepareBrowserEnvironment();
    KeepRunningPastFileSizeLimits();
    QApplication app(argc, argv);
    const TCommandLine args = ProgramArguments();
    if (HandOverToRunningInstance(args)) return 0;

    QApplication::setApplicationName(QStringLiteral("Zelmar"));
    // Ties the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("zelmar"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("zelmar")));
    if (HasCommandLineSwitch(args, "/NOXPSTYLE"))
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    TZelmar_FormMain form(args);
    form.show();
    return QApplication::exec();
}
