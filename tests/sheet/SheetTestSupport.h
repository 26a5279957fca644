#pragma once
// Helpers of the painting tests: pictures on an offscreen QImage and where their ink is.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>
#include <string>
#include <vector>

namespace sheetTest {

inline const QColor Paper(Qt::white);

// A white picture, painted by the step.
inline QImage Picture(int width, int height, const std::function<void(QPainter&)>& paint,
                      const QColor& paper = Paper) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(paper);
    QPainter painter(&image);
    paint(painter);
    painter.end();
    return image;
}

// Pixels of the area that differ from the paper.
struct TInk {
    QRect Box;  // null when there is none
    int Count = 0;
};

inline TInk InkOf(const QImage& image, const QRect& area, const QColor& paper = Paper) {
    TInk ink;
    const QRgb background = paper.rgba();
    const QRect within = area.intersected(image.rect());
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x) {
            if (image.pixel(x, y) == background) continue;
            ++ink.Count;
            ink.Box = ink.Box.isNull() ? QRect(x, y, 1, 1) : ink.Box.united(QRect(x, y, 1, 1));
        }
    }
    return ink;
}

// Runs of consecutive columns of the area that hold ink.
inline int InkColumnRuns(const QImage& image, const QRect& area, const QColor& paper = Paper) {
    int runs = 0;
    bool inRun = false;
    for (int x = area.left(); x <= area.right(); ++x) {
        const bool ink = InkOf(image, QRect(x, area.top(), 1, area.height()), paper).Count > 0;
        if (ink && !inRun) ++runs;
        inRun = ink;
    }
    return runs;
}

// Dark: all three channels below 40 % (of full opacity).
inline bool IsDark(QRgb pixel) {
    return qRed(pixel) < 100 && qGreen(pixel) < 100 && qBlue(pixel) < 100;
}

inline int CountPixels(const QImage& image, const QRect& area,
                       const std::function<bool(QRgb)>& test) {
    int count = 0;
    const QRect within = area.intersected(image.rect());
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

// Molfile records of an SD file: each record's molfile and its data items.
struct TSDRecord {
    std::string Molfile;
    std::vector<std::pair<std::string, std::string>> Items;
    std::string Item(const std::string& name) const {
        for (const auto& item : Items) {
            if (item.first == name) return item.second;
        }
        return {};
    }
};

// The first `count` records; empty when the file cannot be read. Enough for test files
// with LF or CR LF line ends.
std::vector<TSDRecord> ReadSDRecords(const std::string& path, int count);

}  // namespace sheetTest
