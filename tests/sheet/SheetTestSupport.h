#pragma once
// Helpers of the painting tests: pictures on an offscreen QImage and where their ink is.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>

namespace sheetTest {

inline const QColor Paper(Qt::white);

// A picture filled with the paper colour, painted by the step.
inline QImage Picture(int width, int height, const std::function<void(QPainter&)>& paint,
                      const QColor& paper = Paper) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(paper);
    QPainter painter(&image);
    paint(painter);
    return image;
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

// The pixels of the area that differ from the paper: how many, and their bounding box.
struct TInk {
    QRect Box;
    int Count = 0;
};

inline TInk InkOf(const QImage& image, const QRect& area, const QColor& paper = Paper) {
    TInk ink;
    const QRect within = area.intersected(image.rect());
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x) {
            if (image.pixel(x, y) == paper.rgba()) continue;
            ++ink.Count;
            ink.Box |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

inline bool IsDark(QRgb pixel) {
    return qRed(pixel) < 100 && qGreen(pixel) < 100 && qBlue(pixel) < 100;
}

}  // namespace sheetTest
