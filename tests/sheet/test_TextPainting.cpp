// Wrapped text, formulas, numbers and stored bytes as shown.

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QtTest>
#include <limits>

#include "SheetPaintingTest.h"
#include "SheetTestSupport.h"
#include "ZelmarGermanLocale.h"
#include "Zelmar_Object_DataPainter.h"
#include "vesk_FormulaPainter.h"
#include "vesk_TextPainter.h"

using namespace sheetTest;

void TestSheetPainting::initTestCase() {
    // Measurements assume one known font and plain colours.
    QVERIFY(QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Base, Qt::white);
    QApplication::setPalette(palette);
}

void TestSheetPainting::wrappedTextBreaksAtBlanksAndLineEnds() {
    QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    const QFontMetricsF fm(painter.font());
    const int line = qRound(fm.height());
    auto width = [&](const char* text) { return qCeil(fm.horizontalAdvance(QString(text))); };
    // Lines and widest line as measured; the rectangle keeps its corner.
    auto measure = [&](const QString& text, int rectWidth, unsigned flags, int length = -1) {
        QRect rect(5, 7, rectWidth, 300);
        const int height = DrawWrappedText(&painter, text, length, flags | dtCalcRect, rect);
        const bool sane = rect.topLeft() == QPoint(5, 7) && rect.height() == height;
        return QPoint(sane ? height / line : -1, rect.width());
    };
    QCOMPARE(measure("aaa bbb ccc", width("aaa bbb ") + 1, dtWordBreak),
             QPoint(2, width("aaa bbb")));
    QCOMPARE(measure("aaa bbb ccc", width("aaa bbb ") + 1, 0).x(), 1);  // no word break: one line
    QCOMPARE(measure("abcdefghij", width("abcde") + 1, dtWordBreak), QPoint(2, width("abcde")));
    QCOMPARE(measure("one\r\ntwo\nthree", 500, dtWordBreak), QPoint(3, width("three")));
    QCOMPARE(measure("one two three", 500, dtWordBreak, 3), QPoint(1, width("one")));
    // A character wider than the rectangle ends everything, also what follows it.
    QCOMPARE(measure("i\r\nW\r\ni", width("W") - 1, dtWordBreak).x(), 1);
    // Centred both ways, the single line sits in the middle of the rectangle.
    const QImage centred = Picture(120, 80, [&](QPainter& p) {
        QRect r(10, 10, 100, 60);
        DrawWrappedText(&p, "ab", -1, dtCenter | dtVCenter, r);
    });
    const QRect ink = InkOf(centred, centred.rect()).Box;
    QVERIFY(std::abs((ink.left() - 10) - (109 - ink.right())) <= 2);
    QVERIFY(std::abs(ink.center().y() - 40) <= line / 2);
    QRect any(0, 0, 100, 100);
    QCOMPARE(DrawWrappedText(&painter, "", -1, dtWordBreak | dtCalcRect, any), 0);
    QCOMPARE(DrawWrappedText(nullptr, "text", -1, dtWordBreak, any), 0);
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
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {0.00001, "0.00001"},
        {1.5e-7, "1.5E-7"},
        {1.0 / 3, "0.333333333333333"},
        {2e16 / 3, "6.66666666666667E15"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
    };
    for (const auto& c : cases) QCOMPARE(FormatFloatGeneral(c.Value), std::string(c.Text));
    // The C locale QApplication takes from LANG=de_DE.UTF-8 changes none of them.
    const TZelmarGermanLocale german;
    QVERIFY2(german.Active(), TZelmarGermanLocale::kMissing);
    for (const auto& c : cases) QCOMPARE(FormatFloatGeneral(c.Value), std::string(c.Text));
}

void TestSheetPainting::formulaDigitsAfterLettersAreSubscripts() {
    const QFontMetrics fm(QApplication::font());
    const int s = fm.height() / 3;
    bool roomy = true;
    // The lowest dark row under each character, laid out from x = 10 as the formula does.
    auto bottoms = [&](const QString& text) {
        int needed = 0;
        const QImage image = Picture(300, 60, [&](QPainter& p) {
            needed = DrawFormula(&p, QRect(10, 10, 280, 40), text, 0);
        });
        roomy = roomy && InkOf(image, image.rect()).Box.bottom() < 10 + needed;
        std::vector<int> result;
        int x = 10;
        for (const QChar c : text) {
            const int advance = fm.horizontalAdvance(c == '*' ? QString(" * ") : QString(c));
            int bottom = -1;
            for (int y = 0; y < 60; ++y) {
                for (int cx = x + 1; cx < x + advance - 1; ++cx) {
                    if (qGray(image.pixel(cx, y)) < 128) bottom = y;
                }
            }
            result.push_back(bottom);
            x += advance;
        }
        return result;
    };
    std::vector<int> b = bottoms("C2H6O");
    const int base = b[0];
    QCOMPARE(b[2], base);
    QCOMPARE(b[4], base);
    QVERIFY(std::abs(b[1] - (base + s)) <= 1 && std::abs(b[3] - (base + s)) <= 1);
    b = bottoms("CuSO4*5H2O");
    QVERIFY(std::abs(b[4] - (base + s)) <= 1 && std::abs(b[8] - (base + s)) <= 1);
    QVERIFY(b[5] > 0 && b[5] < base);  // " * " between the parts
    QCOMPARE(b[6], base);              // 5 after "*" stays on the line
    b = bottoms("2*H2O");
    QCOMPARE(b[0], base);
    QVERIFY(std::abs(b[3] - (base + s)) <= 1);
    QVERIFY2(roomy, "the height returned leaves room for the subscripts");

    const QImage centred = Picture(
        300, 60, [&](QPainter& p) { DrawFormula(&p, QRect(0, 0, 300, 60), "C8H10N4O2", 4); });
    const QRect ink = InkOf(centred, centred.rect()).Box;
    QVERIFY(std::abs(ink.left() - (299 - ink.right())) <= 3);
    QVERIFY(ink.top() > 10 && ink.bottom() < 50);
}

void TestSheetPainting::bytesShowAsUtf8OrWindows1252() {
    QCOMPARE(TextFromBytes("Gr\xC3\xBC\xC3\x9F"), QString::fromUtf8("Grüß"));
    QCOMPARE(TextFromBytes("\xB1 5 \x80 \x93x\x94"), QString::fromUtf8("± 5 € “x”"));
    QCOMPARE(TextFromBytes("\xC3"), QString::fromUtf8("Ã"));
    QCOMPARE(TrimBlanks(" \t x y \r\n"), QString("x y"));
}

QTEST_MAIN(TestSheetPainting)

// Under AddressSanitizer: fontconfig keeps its font cache for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
