// Renders the application icon's SVG into one PNG size at build time, so the PNGs of every size
// come from the drawing in the tree and never go stale.
// usage: IconRenderer SOURCE.svg OUTPUT.png SIZE

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: IconRenderer SOURCE.svg OUTPUT.png SIZE\n");
        return 2;
    }
    // No application object: the drawings hold shapes only, and the raster engine needs none.
    bool ok = false;
    const int size = QString::fromLocal8Bit(argv[3]).toInt(&ok);
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!ok || size <= 0 || !renderer.isValid()) {
        std::fprintf(stderr, "IconRenderer: cannot render %s at %s px\n", argv[1], argv[3]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    if (!image.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "IconRenderer: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
