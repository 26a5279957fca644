#include "Zelmar_Icons.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {

QPixmap Render(QSvgRenderer& renderer, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

}  // namespace

QIcon ZelmarIcon(const QString& name) {
    // Rendered here rather than by an image plugin, so the program needs no plugin for them.
    static QHash<QString, QIcon> cache;
    const auto found = cache.constFind(name);
    if (found != cache.constEnd()) return *found;
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
    QIcon icon;
    if (renderer.isValid())
        for (int size : {16, 24, 32, 48}) icon.addPixmap(Render(renderer, size));
    cache.insert(name, icon);
    return icon;
}
