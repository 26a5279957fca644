#pragma once
// Word-wrapping text drawing for grid cells, field choosers and the mixing dialog, and the
// conversion of stored bytes into shown text.

#include <QRect>
#include <QString>
#include <string>

class QPainter;

// Format flags of DrawWrappedText; the values are those of the Windows DT_ flags the
// callers were written against. Flags not listed here are ignored.
enum TveskTextFlag : unsigned {
    dtLeft = 0,
    dtCenter = 1,            // centre each line horizontally
    dtRight = 2,             // right-align each line
    dtVCenter = 4,           // centre the block of lines vertically
    dtWordBreak = 16,        // wrap at blanks; without it only the first line is drawn
    dtSingleLine = 32,       // accepted, has no effect of its own
    dtCalcRect = 1024,       // only measure: rect gets the widest line and the total height
    dtEndEllipsis = 0x8000,  // accepted, has no effect of its own
};

// Draws text into rect line by line in the canvas's font and pen; length -1 means the whole
// text. Lines end at CR LF (or a lone CR or LF) and where the next character would not fit;
// with dtWordBreak a line that overflows ends after its last blank. A character wider than
// the rectangle ends the drawing. Each line is clipped to its line box and to the bottom of
// rect. Returns the height of the lines laid out (all of them when measuring or centring
// vertically; otherwise layout stops below the rectangle).
int DrawWrappedText(QPainter* canvas, const QString& text, int length, unsigned flags, QRect& rect);

// Stored bytes as shown: UTF-8 when they are valid UTF-8, otherwise Windows-1252.
QString TextFromBytes(const std::string& bytes);

// Typed text as stored: Windows-1252 for a file whose values are shown so, when every
// character has a Windows-1252 byte; otherwise UTF-8 (nothing typed is lost).
std::string BytesFromText(const QString& text, bool windows1252);

// The text without leading and trailing blanks and control characters (anything up to ' ').
QString TrimBlanks(const QString& text);
