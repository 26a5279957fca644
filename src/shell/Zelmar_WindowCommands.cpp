#include "Zelmar_WindowCommands.h"

#include <QAction>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "Zelmar_ActionSupport.h"
#include "Zelmar_Form_Main.h"
#include "Zelmar_Translater.h"
#include "vesk_Guard.h"

namespace {

QList<QMdiSubWindow*> VisibleChildren(QMdiArea* area) {
    QList<QMdiSubWindow*> children;
    for (QMdiSubWindow* child : area->subWindowList())
        if (!child->isMinimized() && child->isVisible()) children << child;
    return children;
}

}  // namespace

TZelmarWindowCommands::TZelmarWindowCommands(TZelmar_FormMain* form) : QObject(form), Form(form) {
    WindowCascade = MakeAction(form, "WindowCascade", QStringLiteral("window-cascade"));
    WindowTileHorizontal =
        MakeAction(form, "WindowTileHorizontal", QStringLiteral("window-tile-horizontal"));
    WindowTileVertical =
        MakeAction(form, "WindowTileVertical", QStringLiteral("window-tile-vertical"));
    WindowMinimizeAll = MakeAction(form, "WindowMinimizeAll");
    ActWindowRestoreAll = MakeAction(form, "ActWindowRestoreAll");
    WindowArrangeAll = MakeAction(form, "WindowArrangeAll");
    connect(WindowCascade, &QAction::triggered, this, [this] {
        GuardedVoid("TZelmar_FormMain.WindowCascade1Execute",
                    [&] { Form->MdiArea()->cascadeSubWindows(); });
    });
    connect(WindowTileHorizontal, &QAction::triggered, this, [this] { TileHorizontal(); });
    connect(WindowTileVertical, &QAction::triggered, this, [this] { TileVertical(); });
    connect(WindowMinimizeAll, &QAction::triggered, this, [this] { MinimizeAll(); });
    connect(ActWindowRestoreAll, &QAction::triggered, this, [this] { DoRestoreAll(); });
    connect(WindowArrangeAll, &QAction::triggered, this, [this] { ArrangeAll(); });
    for (QAction* action : {WindowCascade, WindowTileHorizontal, WindowTileVertical,
                            WindowMinimizeAll, ActWindowRestoreAll, WindowArrangeAll})
        form->addAction(action);
    connect(form->MdiArea(), &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* child) {
        if (child != nullptr && child->widget() != nullptr)
            connect(child->widget(), &QWidget::windowTitleChanged, this,
                    &TZelmarWindowCommands::UpdateTitle, Qt::UniqueConnection);
        UpdateTitle();
    });
    form->installEventFilter(this);
    Retranslate();
}

QString TZelmarWindowCommands::WantedTitle() const {
    QString name = ShownText("Zelmar_FormMain##  Zelmar");
    const QMdiSubWindow* child = Form->MdiArea()->currentSubWindow();
    const QWidget* sheet = child != nullptr ? child->widget() : nullptr;
    if (sheet == nullptr || sheet->windowTitle().isEmpty()) return name;
    return QStringLiteral("%1 - [%2]").arg(name, sheet->windowTitle());
}

void TZelmarWindowCommands::UpdateTitle() {
    GuardedVoid("TZelmar_FormMain.UpdateTitle", [&] {
        const QString title = WantedTitle();
        if (Form->windowTitle() != title) Form->setWindowTitle(title);
    });
}

bool TZelmarWindowCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Form && event->type() == QEvent::WindowTitleChange) UpdateTitle();
    return QObject::eventFilter(watched, event);
}

void TZelmarWindowCommands::Retranslate() {
    SetCaptionAndHint(WindowCascade, "Zelmar_FormMain##  Ü&berlappend",
                      "Zelmar_FormMain##  Überlappend|Ordnet die Fenster überlappend an");
    SetCaptionAndHint(WindowTileHorizontal, "Zelmar_FormMain##  Hori&zontal anordnen",
                      "Zelmar_FormMain##  Horizontal anordnen|Ordnet die Fenster "
                      "untereinander an");
    SetCaptionAndHint(WindowTileVertical, "Zelmar_FormMain##  &Vertikal anordnen",
                      "Zelmar_FormMain##  Vertikal anordnen|Ordnet die Fenster nebeneinander an");
    SetCaptionAndHint(WindowMinimizeAll, "Zelmar_FormMain##  &Alle verkleinern",
                      "Zelmar_FormMain##  Alle verkleinern|Verkleinert alle Fenster zu Symbolen");
    SetCaptionAndHint(ActWindowRestoreAll, "Zelmar_FormMain##  Alle &wiederherstellen",
                      "Zelmar_FormMain##  Alle wiederherstellen|Stellt alle Fenster in ihrer "
                      "normalen Größe wieder her");
    SetCaptionAndHint(WindowArrangeAll, "Zelmar_FormMain##  Alle an&ordnen",
                      "Zelmar_FormMain##  Alle anordnen|Ordnet die Symbole der verkleinerten "
                      "Fenster an");
    UpdateTitle();
}

void TZelmarWindowCommands::FillMenu(QMenu* menu) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { ListWindows(menu); });
    ListWindows(menu);
}

void TZelmarWindowCommands::ListWindows(QMenu* menu) {
    menu->clear();
    menu->addActions({WindowCascade, WindowTileHorizontal, WindowTileVertical, WindowMinimizeAll,
                      ActWindowRestoreAll, WindowArrangeAll});
    const QList<QMdiSubWindow*> children = Form->MdiArea()->subWindowList();
    if (!children.isEmpty()) menu->addSeparator();
    int number = 1;
    for (QMdiSubWindow* child : children) {
        QAction* entry =
            menu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(child->windowTitle()));
        entry->setObjectName(QStringLiteral("WindowListEntry"));
        entry->setCheckable(true);
        entry->setChecked(child == Form->MdiArea()->currentSubWindow());
        connect(entry, &QAction::triggered, this, [this, child] {
            if (child->isMinimized()) child->showNormal();
            Form->MdiArea()->setActiveSubWindow(child);
        });
    }
}

void TZelmarWindowCommands::UpdateActions() {
    const bool any = !Form->MdiArea()->subWindowList().isEmpty();
    for (QAction* action : {WindowCascade, WindowTileHorizontal, WindowTileVertical,
                            WindowMinimizeAll, ActWindowRestoreAll, WindowArrangeAll})
        action->setEnabled(any);
}

void TZelmarWindowCommands::TileHorizontal() {
    GuardedVoid("TZelmar_FormMain.WindowTileHorizontal1Execute", [&] {
        const QList<QMdiSubWindow*> children = VisibleChildren(Form->MdiArea());
        if (children.isEmpty()) return;
        const QRect area = Form->MdiArea()->viewport()->rect();
        const int height = area.height() / static_cast<int>(children.size());
        int top = 0;
        for (QMdiSubWindow* child : children) {
            child->showNormal();
            child->setGeometry(0, top, area.width(), height);
            top += height;
        }
    });
}

void TZelmarWindowCommands::TileVertical() {
    GuardedVoid("TZelmar_FormMain.WindowTileVertical1Execute", [&] {
        const QList<QMdiSubWindow*> children = VisibleChildren(Form->MdiArea());
        if (children.isEmpty()) return;
        const QRect area = Form->MdiArea()->viewport()->rect();
        const int width = area.width() / static_cast<int>(children.size());
        int left = 0;
        for (QMdiSubWindow* child : children) {
            child->showNormal();
            child->setGeometry(left, 0, width, area.height());
            left += width;
        }
    });
}

void TZelmarWindowCommands::MinimizeAll() {
    GuardedVoid("TZelmar_FormMain.WindowMinimizeAll1Execute", [&] {
        for (QMdiSubWindow* child : Form->MdiArea()->subWindowList()) child->showMinimized();
    });
}

void TZelmarWindowCommands::DoRestoreAll() {
    GuardedVoid("TZelmar_FormMain.DoRestoreAll", [&] {
        for (QMdiSubWindow* child : Form->MdiArea()->subWindowList()) child->showNormal();
    });
}

void TZelmarWindowCommands::ArrangeAll() {
    GuardedVoid("TZelmar_FormMain.WindowArrangeAll1Execute", [&] {
        // Minimised windows in a row along the bottom, left to right.
        const QRect area = Form->MdiArea()->viewport()->rect();
        int left = 0;
        for (QMdiSubWindow* child : Form->MdiArea()->subWindowList()) {
            if (!child->isMinimized()) continue;
            const QSize size = child->size();
            if (left + size.width() > area.width()) left = 0;
            child->move(left, area.height() - size.height());
            left += size.width();
        }
    });
}
