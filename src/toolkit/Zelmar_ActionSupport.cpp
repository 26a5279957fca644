#include "Zelmar_ActionSupport.h"

#include <QAction>

#include "Zelmar_Icons.h"
#include "Zelmar_Translater.h"

QString ShownText(const char* stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

QAction* MakeAction(QObject* owner, const char* objectName, const QString& image,
                    const QKeySequence& shortcut) {
    auto* action = new QAction(owner);
    action->setObjectName(QString::fromLatin1(objectName));
    if (!image.isEmpty()) action->setIcon(ZelmarIcon(image));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

void SetCaptionAndHint(QAction* action, const char* caption, const char* hint) {
    action->setText(ShownText(caption));
    const QString both = ShownText(hint);
    action->setToolTip(both.section(QLatin1Char('|'), 0, 0));
    action->setStatusTip(both.contains(QLatin1Char('|')) ? both.section(QLatin1Char('|'), 1)
                                                         : both);
}
