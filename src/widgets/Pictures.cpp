#include "Pictures.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap PicturePixmap(const QString& name, QSize size)
{
    QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(name));
    if (size.isEmpty())
        size = renderer.defaultSize();
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return pixmap;
}
