// Wrapped text, formulas, numbers and stored bytes as shown.

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QtTest>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

#include "SheetPaintingTest.h"
#include "SheetTestSupport.h"
#include "Zelmar_Object_DataPainter.h"
#include "vesk_FormulaPainter.h"
#include "vesk_TextPainter.h"

using namespace sheetTest;

namespace sheetTest {

std::vector<TSDRecord> ReadSDRecords(const std::string& path, int count) {
    std::ifstream in(path, std::ios::binary);
    std::vector<TSDRecord> records;
    if (!in) return records;
    TSDRecord record;
    bool inMolfile = true;
    std::string itemName;
    std::string itemValue;
    bool inItem = false;
    for (std::string line; std::getline(in, line) && static_cast<int>(records.size()) < count;) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "$$$$") {
            records.push_back(record);
            record = TSDRecord();
            inMolfile = true;
            continue;
        }
        if (inMolfile) {
            record.Molfile += line + "\n";
            if (line == "M  END") inMolfile = false;
            continue;
        }
        if (!inItem && !line.empty() && line[0] == '>') {
            const auto open = line.find('<');
            const auto close = line.find('>', open == std::string::npos ? 0 : open);
            itemName = open == std::string::npos ? "" : line.substr(open + 1, close - open - 1);
            itemValue.clear();
            inItem = true;
        } else if (inItem && line.empty()) {
            record.Items.emplace_back(itemName, itemValue);
            inItem = false;
        } else if (inItem) {
            itemValue += (itemValue.empty() ? "" : "\r\n") + line;
        }
    }
    return records;
}

}  // namespace sheetTest

namespace {

// Where the darkest part of the columns x0..x1 ends: the lowest row darker than mid-grey.
int InkBottom(const QImage& image, int x0, int x1) {
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (qGray(image.pixel(x, y)) < 128) bottom = y;
        }
    }
    return bottom;
}

}  // namespace

void TestSheetPainting::initTestCase() {
    // Measurements below assume one known font.
    QVERIFY(QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Highlight, QColor(0, 90, 180));
    palette.setColor(QPalette::Base, Qt::white);
    QApplication::setPalette(palette);
}

void TestSheetPainting::wrappedTextBreaksAtBlanksAndLineEnds() {
    QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    const QFontMetricsF fm(painter.font());
    const int line = qRound(fm.height());
    auto width = [&](const char* text) {
        return qCeil(fm.horizontalAdvance(QString::fromLatin1(text)));
    };
    struct TResult {
        int Height, Width;
        QPoint TopLeft;
    };
    auto measure = [&](const QString& text, int rectWidth, unsigned flags, int length = -1) {
        QRect rect(5, 7, rectWidth, 300);
        const int height = DrawWrappedText(&painter, text, length, flags | dtCalcRect, rect);
        return TResult{height, rect.height() == height ? rect.width() : -1, rect.topLeft()};
    };
    QCOMPARE(measure("abc", 100, 0).TopLeft, QPoint(5, 7));

    TResult r = measure("aaa bbb ccc", width("aaa bbb ") + 1, dtWordBreak);
    QCOMPARE(r.Height, 2 * line);
    QCOMPARE(r.Width, width("aaa bbb"));
    r = measure("aaa bbb ccc", width("aaa bbb ") + 1, 0);
    QCOMPARE(r.Height, line);  // without word break only the first line
    r = measure("abcdefghij", width("abcde") + 1, dtWordBreak);
    QCOMPARE(r.Height, 2 * line);  // no blank: cut where it overflows
    QCOMPARE(r.Width, width("abcde"));
    r = measure("one\r\ntwo\nthree", 500, dtWordBreak);
    QCOMPARE(r.Height, 3 * line);
    QCOMPARE(r.Width, width("three"));
    r = measure("one two three", 500, dtWordBreak, 3);
    QCOMPARE(r.Width, width("one"));
    // A character wider than the rectangle ends everything, also what follows it.
    QVERIFY(width("i") < width("W") - 1);
    r = measure("i\r\nW\r\ni", width("W") - 1, dtWordBreak);
    QCOMPARE(r.Height, line);
    QCOMPARE(measure("", 100, dtWordBreak).Height, 0);
    QRect any(0, 0, 100, 100);
    QCOMPARE(DrawWrappedText(nullptr, "text", -1, dtWordBreak, any), 0);
}

void TestSheetPainting::wrappedTextAlignsAndClipsItsLines() {
    const int line = QFontMetrics(QApplication::font()).height();
    auto draw = [](const QString& text, unsigned flags, const QRect& rect) {
        return Picture(120, 120, [&](QPainter& p) {
            QRect r = rect;
            DrawWrappedText(&p, text, -1, flags, r);
        });
    };
    const QRect rect(10, 10, 100, 60);
    const TInk centred = InkOf(draw("ab", dtCenter, rect), rect);
    QVERIFY(centred.Count > 0);
    QVERIFY(std::abs((centred.Box.left() - rect.left()) - (rect.right() - centred.Box.right())) <=
            2);
    const TInk right = InkOf(draw("ab", dtRight, rect), rect);
    QVERIFY(right.Box.right() >= rect.right() - 2);
    const TInk middle = InkOf(draw("Xg", dtVCenter, rect), rect);
    QVERIFY(std::abs(middle.Box.center().y() - rect.center().y()) <= line / 2);
    const TInk left = InkOf(draw("ab", dtLeft, rect), rect);
    QVERIFY(left.Box.left() <= rect.left() + 2);
    QVERIFY(left.Box.top() < rect.top() + line);

    // The second line starts inside the rectangle and runs past its bottom: its top shows,
    // nothing below the rectangle does.
    const QRect shallow(10, 10, 100, line + 4);
    const QImage clipped = draw("XXXX\r\nXXXX", dtWordBreak, shallow);
    QVERIFY(InkOf(clipped, QRect(10, 10 + line, 100, 4)).Count > 0);
    QCOMPARE(InkOf(clipped, QRect(0, shallow.bottom() + 1, 120, 120)).Count, 0);
}

void TestSheetPainting::numbersInTheGeneralFormat() {
    const struct {
        double Value;
        const char* Text;
    } cases[] = {
        {180.16, "180.16"},
        {1e20, "1E20"},
        {0.1 + 0.2, "0.3"},
        {-2.5, "-2.5"},
        {0, "0"},
        {46.069, "46.069"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {0.00001, "0.00001"},
        {1.5e-7, "1.5E-7"},
        {-3.25e-12, "-3.25E-12"},
        {100, "100"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3 * 1e16, "6.66666666666667E15"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
    };
    for (const auto& c : cases) QCOMPARE(FormatFloatGeneral(c.Value), std::string(c.Text));
}

void TestSheetPainting::formulaDigitsAfterLettersAreSubscripts() {
    const QFontMetrics fm(QApplication::font());
    const int s = fm.height() / 3;
    QVERIFY(s >= 3);
    // Columns of each character as the formula lays them out from x = 10.
    auto spans = [&](const QString& text) {
        std::vector<std::pair<int, int>> result;
        int x = 10;
        for (const QChar c : text) {
            const int advance =
                c == QLatin1Char('*') ? fm.horizontalAdvance(" * ") : fm.horizontalAdvance(c);
            result.emplace_back(x + 1, x + advance - 2);
            x += advance;
        }
        return result;
    };
    int needed = 0;
    auto draw = [&](const QString& text) {
        return Picture(300, 60, [&](QPainter& p) {
            p.setPen(Qt::black);
            needed = DrawFormula(&p, QRect(10, 10, 280, 40), text, 0);
        });
    };

    QImage image = draw("C2H6O");
    auto sp = spans("C2H6O");
    const int base = InkBottom(image, sp[0].first, sp[0].second);
    QVERIFY(base > 10);
    QCOMPARE(InkBottom(image, sp[2].first, sp[2].second), base);                       // H
    QCOMPARE(InkBottom(image, sp[4].first, sp[4].second), base);                       // O
    QVERIFY(std::abs(InkBottom(image, sp[1].first, sp[1].second) - (base + s)) <= 1);  // 2
    QVERIFY(std::abs(InkBottom(image, sp[3].first, sp[3].second) - (base + s)) <= 1);  // 6
    QVERIFY(InkOf(image, image.rect()).Box.bottom() < 10 + needed);

    image = draw("CuSO4*5H2O");
    sp = spans("CuSO4*5H2O");
    QVERIFY(std::abs(InkBottom(image, sp[4].first, sp[4].second) - (base + s)) <= 1);  // 4
    const TInk star = InkOf(image, QRect(sp[5].first, 0, sp[5].second - sp[5].first, 60));
    QVERIFY(star.Count > 0);  // " * " between the parts
    QVERIFY(star.Box.bottom() < base);
    QCOMPARE(InkBottom(image, sp[6].first, sp[6].second), base);  // 5 after "*": baseline
    QVERIFY(std::abs(InkBottom(image, sp[8].first, sp[8].second) - (base + s)) <= 1);  // 2

    image = draw("2*H2O");
    sp = spans("2*H2O");
    QCOMPARE(InkBottom(image, sp[0].first, sp[0].second), base);  // leading 2
    QVERIFY(std::abs(InkBottom(image, sp[3].first, sp[3].second) - (base + s)) <= 1);

    // Centred alignment: as much room left as right.
    const QImage centred = Picture(300, 60, [&](QPainter& p) {
        p.setPen(Qt::black);
        DrawFormula(&p, QRect(0, 0, 300, 60), "C8H10N4O2", 4);
    });
    const TInk ink = InkOf(centred, centred.rect());
    QVERIFY(std::abs(ink.Box.left() - (299 - ink.Box.right())) <= 3);
    QVERIFY(ink.Box.top() > 10 && ink.Box.bottom() < 50);
}

void TestSheetPainting::bytesShowAsUtf8OrWindows1252() {
    QCOMPARE(TextFromBytes("Gr\xC3\xBC\xC3\x9F"), QString::fromUtf8("Grüß"));
    QCOMPARE(TextFromBytes("\xB1 5 \x80 \x93x\x94"), QString::fromUtf8("± 5 € “x”"));
    QCOMPARE(TextFromBytes("\xC3"), QString::fromUtf8("Ã"));
    QCOMPARE(TextFromBytes(""), QString());
    QCOMPARE(TrimBlanks(QString(" \t x y \r\n")), QString("x y"));
}

QTEST_MAIN(TestSheetPainting)
