#include "vesk_FormulaPainter.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

bool IsAsciiLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

bool IsAsciiDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

}  // namespace

int DrawFormula(QPainter* canvas, const QRect& rect, const QString& text, int alignment) {
    if (canvas == nullptr) return 0;
    const QFontMetrics fm(canvas->font());
    const QString separator = QStringLiteral(" * ");

    // Measured as shown by the formula routines: no blanks, each "*" or "." a separator.
    QString measured;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ')) continue;
        if (c == QLatin1Char('*') || c == QLatin1Char('.')) {
            measured += separator;
        } else {
            measured += c;
        }
    }
    const int w = fm.horizontalAdvance(measured);
    const int h = fm.height();
    const int s = h / 3;

    int x = rect.left();
    switch (alignment % 3) {
        case 1:
            x = rect.left() + (rect.width() - w) / 2;
            break;
        case 2:
            x = rect.left() + rect.width() - w;
            break;
        default:
            break;
    }
    int y = rect.top();
    if (alignment >= 3 && alignment <= 5) {
        y = rect.top() + (rect.height() - (h + s)) / 2;
    } else if (alignment >= 6 && alignment <= 8) {
        y = rect.top() + rect.height() - (h + s);
    }

    const int baseline = y + fm.ascent();
    bool afterLetter = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('*')) {
            canvas->drawText(QPoint(x, baseline), separator);
            x += fm.horizontalAdvance(separator);
            afterLetter = false;
        } else if (c == QLatin1Char(' ')) {
            x += fm.horizontalAdvance(c);
        } else {
            const qsizetype units = (c.isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
            const QString character = text.mid(i, units);
            const int lowered = (IsAsciiDigit(c) && afterLetter) ? s : 0;
            canvas->drawText(QPoint(x, baseline + lowered), character);
            x += fm.horizontalAdvance(character);
            if (IsAsciiLetter(c)) afterLetter = true;
            i += units - 1;
        }
    }
    return fm.height() + 2 * s;
}
