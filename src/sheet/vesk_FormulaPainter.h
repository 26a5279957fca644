#pragma once
// Molecular formulas with the digits after element symbols written as subscripts.

#include <QRect>
#include <QString>

class QPainter;

// Draws the formula into rect in the canvas's font and pen. Alignment 0 to 8: mod 3 gives
// left, centre, right; 0-2 top, 3-5 middle, 6-8 bottom. A digit is lowered by a third of the
// font height when a letter came before it since the last "*", so "2*H2O" keeps its leading
// 2 on the baseline; "*" is drawn as " * ". Returns the height the formula needs. Nothing
// is clipped here: callers clip.
int DrawFormula(QPainter* canvas, const QRect& rect, const QString& text, int alignment);
