// Build step: turns a PNG into the pixels the window would decode it to at
// start-up, so that the pictures on the first screen are copied, not
// decoded. The packed form is a header of four little-endian 32-bit
// integers (width, height, QImage format, bytes per line) and the rows.
//
//   pack_picture IN.png OUT.pixels

#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: pack_picture IN.png OUT.pixels\n");
        return 2;
    }
    QImage image(QString::fromLocal8Bit(argv[1]), "png");
    if (image.isNull()) {
        std::fprintf(stderr, "pack_picture: cannot read %s\n", argv[1]);
        return 1;
    }
    // The formats a pixmap on a raster screen keeps a decoded picture in.
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                          : QImage::Format_RGB32);
    const qint32 header[4] = {
        qToLittleEndian(qint32(image.width())), qToLittleEndian(qint32(image.height())),
        qToLittleEndian(qint32(image.format())), qToLittleEndian(qint32(image.bytesPerLine()))};
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(reinterpret_cast<const char*>(header), sizeof header) != sizeof header ||
        out.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()) !=
            image.sizeInBytes()) {
        std::fprintf(stderr, "pack_picture: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
