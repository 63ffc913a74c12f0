#include "Resources.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QtGlobal>
#include <mutex>

namespace {

// Images drawn ahead, by name and size, each taken once.
std::mutex g_preparedMutex;
QHash<QPair<QString, int>, QImage> g_prepared;

QImage Drawn(QSvgRenderer& source, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    source.render(&painter);
    return image;
}

QImage TakePrepared(const QString& name, int size) {
    const std::lock_guard<std::mutex> lock(g_preparedMutex);
    return g_prepared.take({name, size});
}

}  // namespace

void InitRavelinResources() {
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(help);
}

QIcon PictureIcon(const QString& name, std::initializer_list<int> sizes) {
    QSvgRenderer source;
    QIcon icon;
    for (const int size : sizes) {
        QImage image = TakePrepared(name, size);
        if (image.isNull()) {
            if (!source.isValid()) source.load(QStringLiteral(":/pictures/%1.svg").arg(name));
            image = Drawn(source, size);
        }
        icon.addPixmap(QPixmap::fromImage(std::move(image)));
    }
    return icon;
}

void PreparePicture(const QString& name, std::initializer_list<int> sizes) {
    QSvgRenderer source(QStringLiteral(":/pictures/%1.svg").arg(name));
    for (const int size : sizes) {
        QImage image = Drawn(source, size);
        const std::lock_guard<std::mutex> lock(g_preparedMutex);
        g_prepared.insert({name, size}, std::move(image));
    }
}
