// Renders the program's SVG icon into a square PNG of the given size for the icon theme.
// Usage: zelmar_render_icon <icon.svg> <size> <out.png>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <icon.svg> <size> <out.png>\n", argv[0]);
        return 2;
    }
    // Built and run on machines without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    const int size = std::atoi(argv[2]);
    if (!renderer.isValid() || size <= 0 || size > 1024) {
        std::fprintf(stderr, "cannot render %s at size %s\n", argv[1], argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
