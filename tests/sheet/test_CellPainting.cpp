// Cells without structures: texts, numbers, backgrounds, check boxes, header corners, field
// chooser entries, and failures.

#include <QApplication>
#include <QFontMetrics>
#include <QtTest>
#include <stdexcept>

#include "SheetPaintingTest.h"
#include "SheetTestSupport.h"
#include "ZelmarGermanLocale.h"
#include "Zelmar_Object_DataPainter.h"
#include "Zelmar_Object_Fields.h"
#include "Zelmar_Object_SDFileData.h"

using namespace sheetTest;

namespace {

// A painter whose every cell holds one value.
struct TOneValue {
    TZelmarDataCarrier Value;
    TZelmarDataPainter Painter;
    explicit TOneValue(TZelmarFieldKind kind, const std::string& text = "") {
        Value.SetKind(kind);
        Value.SetText(text);
        Painter.OnGetData = [this](TZelmarDataPainter*, int, int, TZelmarDataCarrier& data) {
            data.Assign(&Value);
            return true;
        };
    }
    QImage Paint(int width, int height, int column, int row, TZelmarGridDrawState state = 0) {
        return Picture(width, height, [&](QPainter& p) {
            Painter.PaintTo(&p, QRect(0, 0, width, height), column, row, state);
        });
    }
    void Background(const QColor& color) {
        Painter.OnGetBgColor = [color](TZelmarDataPainter*, int, int, QColor& c,
                                       TZelmarGridDrawState) {
            c = color;
            return true;
        };
    }
};

QPixmap Filled(const QColor& color, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(color);
    return pixmap;
}

}  // namespace

void TestSheetPainting::headerTextIsCentredWithEllipsis() {
    TOneValue cell(ecsdtDataText, "Molecular weight of the sample");
    const QImage image = cell.Paint(74, 24, 3, 0);
    const QRect ink = InkOf(image, image.rect()).Box;
    QVERIFY(QRect(2, 2, 70, 20).contains(ink));
    QVERIFY(std::abs((ink.left() - 2) - (71 - ink.right())) <= 3);
    QVERIFY(std::abs((ink.top() - 2) - (21 - ink.bottom())) <= 3);
    // The end is "...": the last two dots are small and low, apart from the letters.
    const int dot = QFontMetrics(QApplication::font()).horizontalAdvance('.');
    for (int right : {ink.right(), ink.right() - dot}) {
        const QRect last = InkOf(image, QRect(right - dot + 2, 0, dot - 1, 24)).Box;
        QVERIFY(last.width() <= 3 && last.top() > ink.center().y());
    }
    // What follows the cut does not matter; a wide cell shows the whole text, centred.
    cell.Value.SetText("Molecular weight of the sample and more");
    QCOMPARE(cell.Paint(74, 24, 3, 0), image);
    const QImage wide = cell.Paint(400, 24, 0, 3);
    const QRect whole = InkOf(wide, wide.rect()).Box;
    QVERIFY(whole.width() > 3 * ink.width());
    QVERIFY(std::abs((whole.left() - 2) - (397 - whole.right())) <= 3);
}

void TestSheetPainting::dataTextWrapsAndIsClippedAtTheCellBottom() {
    TOneValue cell(ecsdtDataText, "alpha beta gamma delta epsilon zeta eta theta iota kappa");
    const int line = QFontMetrics(QApplication::font()).height();
    const QImage low = cell.Paint(94, 40, 2, 1);
    const QImage tall = cell.Paint(94, 200, 2, 1);
    // The same lines from the top left; the low cell cuts them at its inner bottom (row 37).
    QCOMPARE(low.copy(0, 0, 94, 38), tall.copy(0, 0, 94, 38));
    QCOMPARE(InkOf(low, QRect(0, 38, 94, 2)).Count, 0);
    QVERIFY(InkOf(low, QRect(0, 2 + 2 * line, 94, 36 - 2 * line)).Count > 0);  // third line, cut
    const QRect all = InkOf(tall, tall.rect()).Box;
    QVERIFY(all.left() <= 4 && all.top() <= 2 + line && all.right() <= 91);
    QVERIFY(all.bottom() > 38 + line);
}

void TestSheetPainting::blankTextPaintsOnlyTheBackground() {
    const QColor background(250, 240, 200);
    for (const char* text : {"   ", " \t\r\n ", ""}) {
        TOneValue cell(ecsdtDataText, text);
        cell.Background(background);
        const QImage image = Picture(
            90, 30, [&](QPainter& p) { cell.Painter.PaintTo(&p, QRect(5, 5, 80, 20), 1, 1, 0); });
        QCOMPARE(CountPixels(image, image.rect(), [&](QRgb p) { return p == background.rgba(); }),
                 1600);
        QCOMPARE(InkOf(image, image.rect()).Count, 1600);
    }
}

void TestSheetPainting::numbersPaintAsTheirText() {
    TOneValue number(ecsdtMolweight);
    for (const auto& [value, shown] :
         {std::pair<double, const char*>{180.16, "180.16"}, {1e20, "1E20"}}) {
        number.Value.SetValue(value);
        const QImage image = number.Paint(80, 24, 4, 3);
        QVERIFY(InkOf(image, image.rect()).Count > 0);
        QCOMPARE(image, TOneValue(ecsdtDataText, shown).Paint(80, 24, 4, 3));
    }
}

// Under a German system locale a weight shows with the separator of the interface language,
// never garbled ("2,0.3238"), whatever the C locale says.
void TestSheetPainting::weightsShowTheInterfaceLanguagesSeparator() {
    const TZelmarGermanLocale german;
    QVERIFY2(german.Active(), TZelmarGermanLocale::kMissing);
    TOneValue number(ecsdtMolweight);
    number.Value.SetValue(203.238);
    QCOMPARE(number.Paint(80, 24, 4, 3), TOneValue(ecsdtDataText, "203.238").Paint(80, 24, 4, 3));
    SetDisplayDecimalSeparator(DecimalSeparatorOfLanguage("DE"));
    const QImage comma = number.Paint(80, 24, 4, 3);
    SetDisplayDecimalSeparator('.');
    QCOMPARE(comma, TOneValue(ecsdtDataText, "203,238").Paint(80, 24, 4, 3));
}

// A record whose molecule cannot be read has no weight: its cell stays empty, it shows no 0.
void TestSheetPainting::aWeightThatCannotBeComputedPaintsNothing() {
    TZelmarField weight;
    weight.Name = kFieldNameMolweight;
    weight.Kind = ecsdtMolweight;
    TZelmarField molecule;
    molecule.Name = kFieldNameChemistry;
    molecule.Kind = ecsdtChemistry;
    TZelmarSDFileData record(false);
    TZelmarDataCarrier broken;
    // Two bonds announced, one there.
    broken.SetText(
        "m\n  test\n\n  2  2  0  0  0  0  0  0  0  0999 V2000\n"
        "    0.0000    0.0000    0.0000 C   0  0  0\n"
        "    1.5000    0.0000    0.0000 O   0  0  0\n  1  2  1  0\nM  END\n");
    record.SetDataForField(&molecule, &broken);

    TZelmarDataPainter painter;
    painter.OnGetData = [&](TZelmarDataPainter*, int, int, TZelmarDataCarrier& data) {
        return record.GetDataForField(&weight, &data);
    };
    auto paint = [&] {
        return Picture(80, 24,
                       [&](QPainter& p) { painter.PaintTo(&p, QRect(0, 0, 80, 24), 4, 3, 0); });
    };
    QCOMPARE(InkOf(paint(), QRect(0, 0, 80, 24)).Count, 0);
    // A carrier of the weight's kind without a value paints nothing either.
    TOneValue empty(ecsdtMolweight);
    empty.Value.Clear();
    empty.Value.SetKind(ecsdtMolweight);
    QCOMPARE(InkOf(empty.Paint(80, 24, 4, 3), QRect(0, 0, 80, 24)).Count, 0);

    // The molecule mended, the weight shows.
    TZelmarDataCarrier water;
    water.SetText(
        "m\n  test\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n"
        "    0.0000    0.0000    0.0000 O   0  0  0\nM  END\n");
    record.SetDataForField(&molecule, &water);
    QCOMPARE(paint(), TOneValue(ecsdtDataText, "18.015").Paint(80, 24, 4, 3));
}

void TestSheetPainting::backgroundComesFromTheOwner() {
    TOneValue cell(ecsdtNone);
    const QColor yellow(255, 255, 0);
    bool answer = true, special = true;
    QString seen;
    cell.Painter.OnGetBgColor = [&](TZelmarDataPainter*, int row, int column, QColor& color,
                                    TZelmarGridDrawState state) {
        seen = QString("%1 %2 %3").arg(row).arg(column).arg(state);
        color = yellow;
        return answer;
    };
    auto yellowPixels = [&](TZelmarGridDrawState state = 0) {
        const QImage image = cell.Paint(20, 10, 6, 5, state);
        return CountPixels(image, image.rect(), [&](QRgb p) { return p == yellow.rgba(); });
    };
    QCOMPARE(yellowPixels(gdSelected | gdFocused), 200);
    QCOMPARE(seen, QString("5 6 3"));
    answer = false;
    QCOMPARE(yellowPixels(), 0);
    answer = true;
    cell.Painter.OnPaintSpecialBackground = [&](TZelmarDataPainter*, QPainter&, const QRect&,
                                                const QColor&, int, int) { return special; };
    QCOMPARE(yellowPixels(), 0);  // the owner painted it
    special = false;
    QCOMPARE(yellowPixels(), 200);
    cell.Painter.OnGetData = nullptr;  // no data event: nothing at all
    QCOMPARE(yellowPixels(), 0);
}

void TestSheetPainting::checkboxIsCentred() {
    TZelmarImageList boxes(13, 13);
    boxes.Add(Filled(Qt::blue, 13));
    boxes.Add(Filled(Qt::red, 20));  // scaled to the list's size
    TOneValue cell(ecsdtCheckbox);
    cell.Painter.CheckboxImages = &boxes;
    for (int height : {20, 41, 64}) {
        for (bool ticked : {true, false}) {
            cell.Value.SetChecked(ticked);
            const QImage image = Picture(100, height, [&](QPainter& p) {
                cell.Painter.PaintTo(&p, QRect(50, 0, 32, height), 1, 1, 0);
            });
            const TInk ink = InkOf(image, image.rect());
            QCOMPARE(ink.Count, 169);
            QCOMPARE(image.pixel(ink.Box.center()), QColor(ticked ? Qt::red : Qt::blue).rgba());
            QVERIFY(std::abs((ink.Box.left() - 50) - (81 - ink.Box.right())) <= 1);
            QVERIFY(std::abs(ink.Box.top() - (height - 1 - ink.Box.bottom())) <= 1);
        }
    }
}

void TestSheetPainting::headerCornersAreRounded() {
    TZelmarDataPainter painter;
    const QColor header(200, 60, 60), grey(128, 128, 128);
    auto paint = [&](const QRect& rect, bool left) {
        return Picture(
            110, 90,
            [&](QPainter& p) {
                left ? painter.PaintLeftEcke(&p, rect, header)
                     : painter.PaintRightEcke(&p, rect, header);
            },
            grey);
    };
    const QRgb window = QApplication::palette().color(QPalette::Base).rgba(), h = header.rgba();
    const QImage left = paint(QRect(10, 10, 80, 20), true);
    QCOMPARE(left.pixel(10, 10), window);  // rounded off
    for (QPoint p : {QPoint(89, 10), QPoint(10, 29), QPoint(89, 29), QPoint(50, 20)})
        QCOMPARE(left.pixel(p), h);
    QCOMPARE(InkOf(left, QRect(0, 0, 110, 90), grey).Box, QRect(10, 10, 80, 20));
    const QImage right = paint(QRect(10, 10, 80, 20), false);
    QCOMPARE(right.pixel(89, 10), window);
    for (QPoint p : {QPoint(10, 10), QPoint(10, 29), QPoint(89, 29)}) QCOMPARE(right.pixel(p), h);
    // Taller than wide: the square sits at the top; only the corner is round.
    const QImage tall = paint(QRect(10, 10, 20, 60), true);
    QCOMPARE(tall.pixel(10, 10), window);
    for (QPoint p : {QPoint(29, 10), QPoint(10, 40), QPoint(10, 69)}) QCOMPARE(tall.pixel(p), h);
}

void TestSheetPainting::fieldPainterDrawsKindImageAndName() {
    TZelmarImageList images(16, 16);
    for (auto color : {Qt::red, Qt::green, Qt::blue, Qt::cyan, Qt::magenta, Qt::yellow}) {
        images.Add(Filled(color, 16));
    }
    TZelmarFieldPainter painter(&images);
    TZelmarField field;
    QString indexes;
    for (auto kind :
         {ecsdtNone, ecsdtDataText, ecsdtFormula, ecsdtChemistry, ecsdtMolweight, ecsdtCheckbox}) {
        field.Kind = kind;
        indexes += QString("%1/%2 ")
                       .arg(painter.GetImageIndex(&field, false))
                       .arg(painter.GetImageIndex(&field, true));
    }
    QCOMPARE(indexes, QString("-1/-1 1/4 1/4 0/3 2/5 -1/-1 "));
    QCOMPARE(painter.GetImageIndex(nullptr, true), -1);

    auto paint = [&](const TZelmarField& f, bool selected) {
        return Picture(
            150, 24, [&](QPainter& p) { painter.PaintTo(&p, &f, selected, QRect(0, 0, 150, 24)); });
    };
    field.Kind = ecsdtChemistry;
    field.Caption = "Molek\xC3\xBCl";
    QImage image = paint(field, true);
    QCOMPARE(InkOf(image, QRect(0, 0, 20, 24)).Box, QRect(4, 0, 16, 16));  // image 3 at left + 4
    QCOMPARE(image.pixel(4, 0), QColor(Qt::cyan).rgba());
    const QRect text = InkOf(image, QRect(20, 0, 130, 24)).Box;
    QVERIFY(text.left() >= 24 && std::abs(text.top() - (23 - text.bottom())) <= 4);

    field.Kind = ecsdtCheckbox;  // no image: the text starts at left + 4
    QVERIFY(InkOf(paint(field, false), QRect(0, 0, 20, 24)).Box.left() >= 4);
    QVERIFY(InkOf(paint(field, false), QRect(0, 0, 20, 24)).Box.left() < 8);
}

void TestSheetPainting::failuresStayInTheirCell() {
    TOneValue cell(ecsdtDataText, "after");
    const QColor background(220, 220, 255);
    cell.Background(background);
    const QImage normal = cell.Paint(60, 20, 1, 1);
    const auto getData = cell.Painter.OnGetData;
    cell.Painter.OnGetData = [](TZelmarDataPainter*, int, int, TZelmarDataCarrier&) -> bool {
        throw std::runtime_error("record vanished");
    };
    QCOMPARE(cell.Paint(60, 20, 1, 1).pixel(30, 10), background.rgba());  // as far as it got
    cell.Painter.OnGetData = getData;
    QCOMPARE(cell.Paint(60, 20, 1, 1), normal);
}
