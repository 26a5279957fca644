// Cells without structures: texts, numbers, backgrounds, check boxes, header corners, field
// chooser entries, and failures.

#include <QApplication>
#include <QFontMetrics>
#include <QtTest>
#include <stdexcept>

#include "SheetPaintingTest.h"
#include "SheetTestSupport.h"
#include "Zelmar_Object_DataPainter.h"
#include "Zelmar_Object_Fields.h"
#include "vesk_ChemView2.h"

using namespace sheetTest;

namespace {

// A painter whose every cell holds one value.
struct TOneValue {
    TZelmarDataCarrier Value;
    TZelmarDataPainter Painter;
    explicit TOneValue(TZelmarFieldKind kind) {
        Value.SetKind(kind);
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
};

QPixmap Filled(const QColor& color, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(color);
    return pixmap;
}

bool SameRows(const QImage& a, const QImage& b, int rows) {
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
        }
    }
    return true;
}

}  // namespace

void TestSheetPainting::headerTextIsCentredWithEllipsis() {
    TOneValue cell(ecsdtDataText);
    cell.Value.SetText("Molecular weight of the sample");
    const QImage image = cell.Paint(74, 24, 3, 0);
    const QRect inner(2, 2, 70, 20);
    const TInk ink = InkOf(image, image.rect());
    QVERIFY(ink.Count > 0);
    QVERIFY(inner.contains(ink.Box));
    QVERIFY(std::abs((ink.Box.left() - inner.left()) - (inner.right() - ink.Box.right())) <= 3);
    QVERIFY(std::abs((ink.Box.top() - inner.top()) - (inner.bottom() - ink.Box.bottom())) <= 3);
    // The end is "...": the three last runs of ink are small dots low on the line.
    // Only dark pixels count here, so that antialiasing does not join neighbours.
    std::vector<QRect> runs;
    for (int x = 0; x < image.width(); ++x) {
        QRect column;
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < 128) column = column.united(QRect(x, y, 1, 1));
        }
        if (column.isNull()) continue;
        if (!runs.empty() && runs.back().right() == x - 1) {
            runs.back() = runs.back().united(column);
        } else {
            runs.push_back(column);
        }
    }
    QVERIFY(runs.size() > 4);
    for (std::size_t i = runs.size() - 2; i < runs.size(); ++i) {
        QVERIFY(runs[i].width() <= 3);
        QVERIFY(runs[i].top() > ink.Box.center().y());
    }
    // Whatever follows the cut does not matter; in a wide cell the whole text shows.
    cell.Value.SetText("Molecular weight of the sample and more words");
    QCOMPARE(cell.Paint(74, 24, 3, 0), image);
    const QImage wide = cell.Paint(400, 24, 3, 0);
    const TInk whole = InkOf(wide, wide.rect());
    QVERIFY(whole.Box.width() > 3 * ink.Box.width());
    QVERIFY(std::abs((whole.Box.left() - 2) - (397 - whole.Box.right())) <= 3);

    // A row number in column 0 is centred as well, and short enough to stay whole.
    cell.Value.SetText("12");
    const QImage number = cell.Paint(40, 24, 0, 7);
    const TInk digits = InkOf(number, number.rect());
    QVERIFY(std::abs(digits.Box.left() - (39 - digits.Box.right())) <= 2);
    QCOMPARE(InkColumnRuns(number, number.rect()), 2);
}

void TestSheetPainting::dataTextWrapsAndIsClippedAtTheCellBottom() {
    TOneValue cell(ecsdtDataText);
    cell.Value.SetText("alpha beta gamma delta epsilon zeta eta theta iota kappa");
    const int line = QFontMetrics(QApplication::font()).height();
    const QImage shallow = cell.Paint(94, 40, 2, 1);
    const QImage tall = cell.Paint(94, 200, 2, 1);
    // Same lines from the top left; the low cell cuts them at its inner bottom.
    QVERIFY(SameRows(shallow, tall, 38));
    QCOMPARE(InkOf(shallow, QRect(0, 38, 94, 2)).Count, 0);
    const TInk all = InkOf(tall, tall.rect());
    QVERIFY(all.Box.left() <= 4 && all.Box.top() <= 2 + line);
    QVERIFY(all.Box.right() <= 91);
    QVERIFY(all.Box.bottom() > 38 + line);  // more lines below the low cell's end
    QVERIFY(InkOf(shallow, QRect(0, 2 + 2 * line, 94, 38 - 2 - 2 * line)).Count >
            0);  // third line cut
}

void TestSheetPainting::blankTextPaintsOnlyTheBackground() {
    TOneValue cell(ecsdtDataText);
    const QColor background(250, 240, 200);
    cell.Painter.OnGetBgColor = [&](TZelmarDataPainter*, int, int, QColor& color,
                                    TZelmarGridDrawState) {
        color = background;
        return true;
    };
    for (const char* text : {"   ", " \t\r\n ", ""}) {
        cell.Value.SetText(text);
        const QImage image = Picture(
            90, 30, [&](QPainter& p) { cell.Painter.PaintTo(&p, QRect(5, 5, 80, 20), 1, 1, 0); });
        QCOMPARE(
            CountPixels(image, QRect(5, 5, 80, 20), [&](QRgb p) { return p != background.rgba(); }),
            0);
        QCOMPARE(InkOf(image, QRect(0, 0, 90, 5)).Count + InkOf(image, QRect(0, 25, 90, 5)).Count,
                 0);
    }
}

void TestSheetPainting::numbersPaintAsTheirText() {
    TOneValue number(ecsdtMolweight);
    TOneValue text(ecsdtDataText);
    for (const auto& [value, shown] :
         {std::pair<double, const char*>{180.16, "180.16"}, {1e20, "1E20"}}) {
        number.Value.SetValue(value);
        text.Value.SetText(shown);
        const QImage a = number.Paint(80, 24, 4, 3);
        QVERIFY(InkOf(a, a.rect()).Count > 0);
        QCOMPARE(a, text.Paint(80, 24, 4, 3));
    }
}

void TestSheetPainting::backgroundComesFromTheOwner() {
    TOneValue cell(ecsdtNone);
    const QColor yellow(255, 255, 0);
    bool answer = true;
    TZelmarGridDrawState seenState = 0;
    int seenRow = -1, seenColumn = -1;
    cell.Painter.OnGetBgColor = [&](TZelmarDataPainter*, int row, int column, QColor& color,
                                    TZelmarGridDrawState state) {
        seenRow = row;
        seenColumn = column;
        seenState = state;
        color = yellow;
        return answer;
    };
    auto yellowPixels = [&](const QImage& image) {
        return CountPixels(image, image.rect(), [&](QRgb p) { return p == yellow.rgba(); });
    };
    QCOMPARE(yellowPixels(cell.Paint(20, 10, 6, 5, gdSelected | gdFocused)), 200);
    QCOMPARE(seenRow, 5);
    QCOMPARE(seenColumn, 6);
    QCOMPARE(seenState, gdSelected | gdFocused);
    answer = false;
    QCOMPARE(yellowPixels(cell.Paint(20, 10, 1, 1)), 0);

    answer = true;
    bool painted = true;
    QRect specialRect;
    cell.Painter.OnPaintSpecialBackground = [&](TZelmarDataPainter*, QPainter&, const QRect& rect,
                                                const QColor& color, int, int) {
        specialRect = rect;
        return painted && color == yellow;
    };
    QCOMPARE(yellowPixels(cell.Paint(20, 10, 1, 1)), 0);
    QCOMPARE(specialRect, QRect(0, 0, 20, 10));
    painted = false;
    QCOMPARE(yellowPixels(cell.Paint(20, 10, 1, 1)), 200);

    // Without a data event nothing is painted, not even the background.
    cell.Painter.OnGetData = nullptr;
    QCOMPARE(yellowPixels(cell.Paint(20, 10, 1, 1)), 0);
}

void TestSheetPainting::checkboxIsCentred() {
    TZelmarImageList boxes(13, 13);
    boxes.Add(Filled(Qt::blue, 13));
    boxes.Add(Filled(Qt::red, 13));
    TOneValue cell(ecsdtCheckbox);
    cell.Painter.CheckboxImages = &boxes;
    for (int height : {20, 41, 64}) {
        for (bool ticked : {true, false}) {
            cell.Value.SetChecked(ticked);
            const QImage image = Picture(100, height, [&](QPainter& p) {
                cell.Painter.PaintTo(&p, QRect(50, 0, 32, height), 0 + 1, 1, 0);
            });
            const QRgb expected = QColor(ticked ? Qt::red : Qt::blue).rgba();
            const TInk ink = InkOf(image, image.rect());
            QCOMPARE(ink.Count, 169);
            QCOMPARE(image.pixel(ink.Box.center()), expected);
            QVERIFY(std::abs((ink.Box.left() - 50) - (81 - ink.Box.right())) <= 1);
            QVERIFY(std::abs(ink.Box.top() - (height - 1 - ink.Box.bottom())) <= 1);
        }
    }
    cell.Painter.CheckboxImages = nullptr;
    QCOMPARE(InkOf(cell.Paint(32, 20, 1, 1), QRect(0, 0, 32, 20)).Count, 0);
}

void TestSheetPainting::headerCornersAreRounded() {
    TZelmarDataPainter painter;
    const QColor header(200, 60, 60);
    const QColor grey(128, 128, 128);
    auto paint = [&](const QRect& rect, bool left) {
        return Picture(
            110, 90,
            [&](QPainter& p) {
                if (left) {
                    painter.PaintLeftEcke(&p, rect, header);
                } else {
                    painter.PaintRightEcke(&p, rect, header);
                }
            },
            grey);
    };
    const QRgb window = QApplication::palette().color(QPalette::Base).rgba();
    const QRgb h = header.rgba();

    const QImage left = paint(QRect(10, 10, 80, 20), true);
    QCOMPARE(left.pixel(10, 10), window);  // rounded away
    QCOMPARE(left.pixel(89, 10), h);
    QCOMPARE(left.pixel(10, 29), h);
    QCOMPARE(left.pixel(50, 20), h);
    QCOMPARE(left.pixel(9, 10), grey.rgba());  // nothing outside
    QCOMPARE(left.pixel(90, 29), grey.rgba());

    const QImage right = paint(QRect(10, 10, 80, 20), false);
    QCOMPARE(right.pixel(89, 10), window);
    QCOMPARE(right.pixel(10, 10), h);
    QCOMPARE(right.pixel(89, 29), h);
    QCOMPARE(right.pixel(10, 29), h);

    // Taller than wide: the square sits at the top, the corner is still the only round part.
    const QImage tall = paint(QRect(10, 10, 20, 60), true);
    QCOMPARE(tall.pixel(10, 10), window);
    QCOMPARE(tall.pixel(29, 10), h);
    QCOMPARE(tall.pixel(10, 69), h);
    QCOMPARE(tall.pixel(10, 40), h);
}

void TestSheetPainting::fieldPainterDrawsKindImageAndName() {
    TZelmarImageList images(16, 16);
    const QColor colors[6] = {Qt::red, Qt::green, Qt::blue, Qt::cyan, Qt::magenta, Qt::yellow};
    for (const QColor& c : colors) images.Add(Filled(c, 16));
    TZelmarFieldPainter painter(&images);

    TZelmarField field;
    const struct {
        TZelmarFieldKind Kind;
        int Plain, Selected;
    } table[] = {{ecsdtNone, -1, -1},    {ecsdtDataText, 1, 4},  {ecsdtFormula, 1, 4},
                 {ecsdtChemistry, 0, 3}, {ecsdtMolweight, 2, 5}, {ecsdtCheckbox, -1, -1}};
    for (const auto& row : table) {
        field.Kind = row.Kind;
        QCOMPARE(painter.GetImageIndex(&field, false), row.Plain);
        QCOMPARE(painter.GetImageIndex(&field, true), row.Selected);
    }
    QCOMPARE(painter.GetImageIndex(nullptr, true), -1);

    auto paint = [&](const TZelmarField& f, bool selected) {
        return Picture(
            150, 24, [&](QPainter& p) { painter.PaintTo(&p, &f, selected, QRect(0, 0, 150, 24)); });
    };
    field.Kind = ecsdtChemistry;
    field.Name = "ecsdtChemistry";
    field.Caption = "Molek\xC3\xBCl";
    QImage image = paint(field, true);
    QCOMPARE(image.pixel(4, 0), QColor(Qt::cyan).rgba());  // image 3, at left + 4
    QCOMPARE(image.pixel(19, 15), QColor(Qt::cyan).rgba());
    QCOMPARE(image.pixel(3, 0), Paper.rgba());
    const TInk text = InkOf(image, QRect(20, 0, 130, 24));
    QVERIFY(text.Count > 0);
    QVERIFY(text.Box.left() >= 24);
    QVERIFY(std::abs(text.Box.top() - (23 - text.Box.bottom())) <= 4);

    // A blank caption shows the name; no image for a check box field.
    TZelmarField named;
    named.Kind = ecsdtCheckbox;
    named.Name = "ID";
    named.Caption = "   ";
    TZelmarField same;
    same.Kind = ecsdtCheckbox;
    same.Name = "ID";
    image = paint(named, false);
    QCOMPARE(image, paint(same, false));
    QVERIFY(InkOf(image, QRect(0, 0, 4, 24)).Count == 0);
    QVERIFY(InkOf(image, QRect(4, 0, 12, 24)).Count > 0);
    same.Caption = "X";
    QVERIFY(image != paint(same, false));
}

void TestSheetPainting::failuresStayInTheirCell() {
    TOneValue cell(ecsdtDataText);
    cell.Value.SetText("after");
    const QColor background(220, 220, 255);
    cell.Painter.OnGetBgColor = [&](TZelmarDataPainter*, int, int, QColor& color,
                                    TZelmarGridDrawState) {
        color = background;
        return true;
    };
    const QImage normal = cell.Paint(60, 20, 1, 1);
    auto getData = cell.Painter.OnGetData;
    cell.Painter.OnGetData = [](TZelmarDataPainter*, int, int, TZelmarDataCarrier&) -> bool {
        throw std::runtime_error("record vanished");
    };
    const QImage failed = cell.Paint(60, 20, 1, 1);
    QCOMPARE(failed.pixel(30, 10), background.rgba());  // as far as it got: the background
    cell.Painter.OnGetData = getData;
    QCOMPARE(cell.Paint(60, 20, 1, 1), normal);

    // A view that cannot draw is still given back, exactly once.
    TveskChemView2Pool pool;
    QVERIFY(pool.PoolValid());
    TOneValue structure(ecsdtChemistry);
    structure.Value.SetText("not a molfile\n\n\n  a  b\nM  END\n");
    int lent = 0, returned = 0;
    structure.Painter.PictureCache = nullptr;
    structure.Painter.OnGetMolViewer = [&](TZelmarDataPainter*, const std::string& text, int) {
        ++lent;
        return pool.CreateMolViewFromString(text);
    };
    structure.Painter.OnReleaseMolViewer = [&](TZelmarDataPainter*,
                                               std::unique_ptr<TveskMolView2> view) {
        ++returned;
        pool.ReleaseMolView(std::move(view));
        throw std::runtime_error("release failed");
    };
    const QImage nothing = structure.Paint(80, 40, 1, 1);
    QCOMPARE(InkOf(nothing, nothing.rect()).Count, 0);
    QCOMPARE(lent, 1);
    QCOMPARE(returned, 1);
    structure.Painter.OnReleaseMolViewer = nullptr;  // one event missing: no view borrowed
    structure.Paint(80, 40, 1, 1);
    QCOMPARE(lent, 1);
}
