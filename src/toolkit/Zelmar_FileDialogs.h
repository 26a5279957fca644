#pragma once
// The program's MOL file dialogs: the same (Qt's own) dialog on every desktop, the file
// name without a "*.mol" starting text, and ".mol" added to a saved name without one.

#include <QString>
#include <string>

class QWidget;

// "Text|*.ext|Text|*.*" as Qt's file dialogs want it: "Text (*.ext);;Text (*.*)". The
// caption of each pair may already name its pattern.
QString DialogFilter(const QString& pairs);

// An open dialog (existing files) or a save dialog (asking before it overwrites); the chosen
// path, or empty when cancelled. filterPairs is in the form DialogFilter takes.
std::string AskMolFileName(QWidget* owner, bool save, const QString& title,
                           const QString& filterPairs, const QString& objectName);
