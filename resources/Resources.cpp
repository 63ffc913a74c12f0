#include "Resources.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QtGlobal>

void InitRavelinResources() {
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(help);
}

QIcon PictureIcon(const QString& name, std::initializer_list<int> sizes) {
    QSvgRenderer source(QStringLiteral(":/pictures/%1.svg").arg(name));
    QIcon icon;
    for (const int size : sizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        source.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
