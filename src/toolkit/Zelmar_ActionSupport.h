#pragma once
// Making the program's actions the same way everywhere: an object name for tests and
// scripts, an optional image and shortcut, and captions from the dictionary.

#include <QKeySequence>
#include <QString>

class QAction;
class QObject;

// A stored message as shown in the current language.
QString ShownText(const char* stored);

// A new action owned by owner; image is an icon name of ZelmarIcon, empty for none.
QAction* MakeAction(QObject* owner, const char* objectName, const QString& image = QString(),
                    const QKeySequence& shortcut = QKeySequence());

// Sets the caption and the two-part hint "short|long" (stored messages): the tool tip shows
// the short part and the status bar the long one; a hint without "|" is both.
void SetCaptionAndHint(QAction* action, const char* caption, const char* hint);
