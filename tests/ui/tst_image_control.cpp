// An image control given a picture by name decodes it only when the picture
// is first needed, and then shows and hands out the very picture every
// other control shares.

#include "Form1TestSupport.h"
#include "ImageControl.h"
#include "Pictures.h"

#include <QPixmapCache>
#include <QTest>

using namespace mivesk;

namespace {

bool decoded(const QString& name) {
    QPixmap unused;
    return QPixmapCache::find(QStringLiteral(":/pictures/%1.png").arg(name), &unused);
}

} // namespace

class ImageControlTest : public QObject {
    Q_OBJECT

private slots:
    void hiddenPictureIsDecodedWhenFirstShown();
    void pictureAskedForIsDecodedAtOnce();
    void pictureSetLaterWins();
    void builtInPixelsMatchTheirPngs();
};

void ImageControlTest::hiddenPictureIsDecodedWhenFirstShown() {
    QWidget window;
    auto* mark = new ImageControl(&window);
    mark->setResourcePicture(QStringLiteral("mark_correct"));
    test::showWithHidden(window, mark, {10, 10, 161, 188});
    QVERIFY(!decoded(QStringLiteral("mark_correct")));

    mark->show();
    const QImage shown = window.grab().toImage();
    QVERIFY(decoded(QStringLiteral("mark_correct")));
    const QImage picture = mark->picture().toImage();
    QCOMPARE(picture.size(), QSize(161, 188));
    QCOMPARE(mark->picture().cacheKey(),
             resourcePicture(QStringLiteral("mark_correct")).cacheKey());
    // The window shows the picture's opaque pixels where the control lies.
    int opaque = 0;
    for (int y = 0; y < picture.height(); y += 4) {
        for (int x = 0; x < picture.width(); x += 4) {
            if (qAlpha(picture.pixel(x, y)) == 255) {
                ++opaque;
                QCOMPARE(shown.pixel(x + 10, y + 10), picture.pixel(x, y));
            }
        }
    }
    QVERIFY(opaque > 50);
}

void ImageControlTest::pictureAskedForIsDecodedAtOnce() {
    // The dots take the picture of a hidden holder image, which is never
    // painted itself.
    QWidget window;
    ImageControl holder(&window);
    holder.setResourcePicture(QStringLiteral("dot_on"));
    QVERIFY(!holder.isVisible());
    QCOMPARE(holder.picture().size(), QSize(32, 32));
    QCOMPARE(holder.picture().cacheKey(), resourcePicture(QStringLiteral("dot_on")).cacheKey());
}

void ImageControlTest::pictureSetLaterWins() {
    QWidget window;
    ImageControl dot(&window);
    dot.setResourcePicture(QStringLiteral("mark_almost"));
    const QPixmap off = resourcePicture(QStringLiteral("dot_off"));
    dot.setPicture(off);
    QCOMPARE(dot.picture().cacheKey(), off.cacheKey());
    QVERIFY(!decoded(QStringLiteral("mark_almost")));
}

// The first screen's pictures are built in as pixels, copied rather than
// decoded at start-up; they must be the pixels their PNGs decode to.
void ImageControlTest::builtInPixelsMatchTheirPngs() {
    for (const char* name : {"app_icon", "button_set", "dot_off", "heading_concave"}) {
        const QImage png(QStringLiteral(":/pictures/%1.png").arg(QLatin1String(name)));
        const QImage shown = resourcePicture(QString::fromLatin1(name)).toImage();
        QCOMPARE(shown.size(), png.size());
        QCOMPARE(shown, png.convertToFormat(shown.format()));
    }
}

QTEST_MAIN(ImageControlTest)
#include "tst_image_control.moc"
