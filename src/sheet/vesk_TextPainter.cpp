#include "vesk_TextPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringDecoder>
#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// Windows-1252 at 0x80..0x9F; the five unassigned bytes keep their Latin-1 code points.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct TLine {
    QString Text;
    qreal Width;  // without trailing blanks
};

qreal WidthWithoutTrailingBlanks(const QFontMetricsF& fm, const QString& line) {
    qsizetype end = line.size();
    while (end > 0 && line[end - 1] == QLatin1Char(' ')) --end;
    return fm.horizontalAdvance(line.left(end));
}

}  // namespace

QString TextFromBytes(const std::string& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    text.clear();
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(Cp1252High[b - 0x80]) : QChar(b));
    }
    return text;
}

std::string BytesFromText(const QString& text, bool windows1252) {
    if (!windows1252) return text.toStdString();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            bytes += static_cast<char>(code);
            continue;
        }
        const auto* high = std::find(std::begin(Cp1252High), std::end(Cp1252High), code);
        if (high == std::end(Cp1252High)) return text.toStdString();
        bytes += static_cast<char>(0x80 + (high - std::begin(Cp1252High)));
    }
    return bytes;
}

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= ' ') ++begin;
    while (end > begin && text[end - 1].unicode() <= ' ') --end;
    return text.mid(begin, end - begin);
}

int DrawWrappedText(QPainter* canvas, const QString& text, int length, unsigned flags,
                    QRect& rect) {
    if (canvas == nullptr || text.isEmpty() || length == 0) return 0;
    const QString s = (length < 0 || length >= text.size()) ? text : text.left(length);
    const QFontMetricsF fm(canvas->font());
    const int lineHeight = qRound(fm.height());
    if (lineHeight <= 0) return 0;
    const bool wordBreak = (flags & dtWordBreak) != 0;
    const bool measureOnly = (flags & dtCalcRect) != 0;
    const bool vCenter = (flags & dtVCenter) != 0;
    // Lines far below the rectangle are never seen; only measuring and centring need them.
    const bool layoutAll = measureOnly || vCenter;
    const qreal maxWidth = rect.width();

    std::vector<TLine> lines;
    const qsizetype n = s.size();
    qsizetype pos = 0;
    while (pos < n) {
        if (!layoutAll && static_cast<long long>(lines.size()) * lineHeight >= rect.height()) break;
        const qsizetype lineStart = pos;
        QString line;
        qreal lineWidth = 0;
        bool stop = false;
        while (pos < n) {
            const QChar c = s[pos];
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                pos += (c == QLatin1Char('\r') && pos + 1 < n && s[pos + 1] == QLatin1Char('\n'))
                           ? 2
                           : 1;
                break;
            }
            // A surrogate pair is one character.
            const qsizetype units = (c.isHighSurrogate() && pos + 1 < n) ? 2 : 1;
            const QString character = s.mid(pos, units);
            const qreal width = fm.horizontalAdvance(character);
            if (lineWidth + width > maxWidth) {
                if (line.isEmpty()) {
                    stop = true;
                } else if (wordBreak) {
                    const qsizetype blank = line.lastIndexOf(QLatin1Char(' '));
                    if (blank >= 0) {
                        line.truncate(blank + 1);
                        pos = lineStart + blank + 1;
                    }
                }
                break;
            }
            line += character;
            lineWidth += width;
            pos += units;
        }
        if (stop) break;
        lines.push_back({line, WidthWithoutTrailingBlanks(fm, line)});
        if (!wordBreak) break;
    }

    const int total = static_cast<int>(lines.size()) * lineHeight;
    if (measureOnly) {
        qreal widest = 0;
        for (const TLine& line : lines) widest = std::max(widest, line.Width);
        rect.setWidth(qCeil(widest));
        rect.setHeight(total);
        return total;
    }

    int top = rect.top();
    if (vCenter) top += (rect.height() - total) / 2;
    const int bottom = rect.top() + rect.height();  // exclusive
    canvas->save();
    for (const TLine& line : lines) {
        if (top >= bottom) break;
        if (top + lineHeight > rect.top()) {
            qreal x = rect.left();
            if ((flags & dtRight) != 0) {
                x = rect.left() + maxWidth - line.Width;
            } else if ((flags & dtCenter) != 0) {
                x = rect.left() + (maxWidth - line.Width) / 2;
            }
            canvas->save();
            canvas->setClipRect(
                QRect(rect.left(), top, rect.width(), std::min(lineHeight, bottom - top)),
                Qt::IntersectClip);
            canvas->drawText(QPointF(x, top + fm.ascent()), line.Text);
            canvas->restore();
        }
        top += lineHeight;
    }
    canvas->restore();
    return total;
}
