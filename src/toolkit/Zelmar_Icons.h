#pragma once
// The program's action images, drawn for it as SVG and rendered at the sizes menus and tool
// bars ask for (16 and 24 pixels, and twice that on high-density screens).

#include <QIcon>
#include <QString>

// The image by its file name without ".svg" (for example "file-open"); a null icon for an
// unknown name.
QIcon ZelmarIcon(const QString& name);
