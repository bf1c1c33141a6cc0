// The pictures compiled into the program: every one is present at its exact
// size (the image controls take the size of their picture, so a wrong size
// moves the layout), has a transparent background so the panel colours show
// around it, and has a high-DPI twin at twice the size showing the same
// thing. A few pixels that decide the drill's look are checked directly.

#include "Form1Controls.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTest>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

QImage picture(const QString& name) {
    return QImage(QStringLiteral(":/pictures/") + name);
}

// Mean opacity over the picture: the painted share of its area, which does
// not depend on the resolution it was drawn at.
double coverage(const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += qAlpha(image.pixel(x, y)) / 255.0;
    return sum / (image.width() * image.height());
}

struct Entry {
    const char* name;
    QSize size;
    bool transparentCorners;
};

const Entry Pictures[] = {
    {"app_icon", {32, 32}, false}, // an opaque square
    {"dot_off", {32, 32}, true},          {"dot_on", {32, 32}, true},
    {"mark_correct", {161, 188}, true},   {"mark_almost", {196, 165}, true},
    {"mark_incorrect", {162, 188}, true}, {"button_set", {46, 23}, true},
    {"button_check", {71, 32}, true},     {"button_next", {53, 34}, true},
    {"button_reset", {82, 19}, true},     {"button_end", {49, 19}, true},
    {"button_hint", {85, 28}, true},      {"heading_concave", {66, 33}, true},
    {"hint_chart", {138, 225}, true},     {"button_close", {98, 30}, true},
    {"button_ok", {115, 20}, true},
};

const mivesk::ControlDesign& controlShowing(const char* pictureName) {
    for (const mivesk::ControlDesign& control : mivesk::form1Controls())
        if (control.content && std::strcmp(control.content, pictureName) == 0)
            return control;
    qFatal("no control shows %s", pictureName);
}

// The raised dot's own blue, as the user sees it.
bool isDotBlue(QRgb px) {
    return qAlpha(px) == 255 && qBlue(px) >= 200 && qRed(px) <= 80 && qGreen(px) <= 80;
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void eachPicture_data();
    void eachPicture();
    void noStrayPictures();
    void dotOnIsAPureBlueDiscOfAbout26Pixels();
    void dotOffIsAGreyRingWithAHole();
    void verdictMarksAreRed_data();
    void verdictMarksAreRed();
    void desktopIconAtEverySize_data();
    void desktopIconAtEverySize();
    void verdictMarksLetEveryDotRead_data();
    void verdictMarksLetEveryDotRead();
};

void PicturesTest::eachPicture_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("transparentCorners");
    for (const Entry& e : Pictures)
        QTest::newRow(e.name) << QString::fromLatin1(e.name) << e.size << e.transparentCorners;
}

void PicturesTest::eachPicture() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(bool, transparentCorners);

    const QImage normal = picture(name + ".png");
    const QImage doubled = picture(name + "@2x.png");
    QCOMPARE(normal.size(), size);
    QCOMPARE(doubled.size(), size * 2);
    QVERIFY(normal.hasAlphaChannel());
    QVERIFY(doubled.hasAlphaChannel());

    for (const QImage& image : {normal, doubled}) {
        const int right = image.width() - 1, bottom = image.height() - 1;
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)}) {
            QCOMPARE(qAlpha(image.pixel(corner)), transparentCorners ? 0 : 255);
        }
    }

    // The twin shows the same picture: its painted share of the area matches.
    const double a = coverage(normal), b = coverage(doubled);
    QVERIFY(a > 0.02);
    QVERIFY2(std::abs(a - b) < 0.04, qPrintable(QStringLiteral("%1 vs %2").arg(a).arg(b)));
}

void PicturesTest::noStrayPictures() {
    // Every compiled-in picture is one of the known ones or its twin, so a
    // misspelt file name cannot hide beside a missing picture.
    QSet<QString> known;
    for (const Entry& e : Pictures) {
        known << QString::fromLatin1(e.name) + ".png";
        known << QString::fromLatin1(e.name) + "@2x.png";
    }
    const QStringList present = QDir(QStringLiteral(":/pictures")).entryList(QDir::Files);
    QVERIFY(!present.isEmpty());
    for (const QString& file : present)
        QVERIFY2(known.contains(file), qPrintable(file + " is not a known picture"));
}

void PicturesTest::dotOnIsAPureBlueDiscOfAbout26Pixels() {
    for (const int scale : {1, 2}) {
        const QImage dot = picture(scale == 1 ? "dot_on.png" : "dot_on@2x.png");
        const int c = 16 * scale;
        QCOMPARE(dot.pixel(c, c), qRgba(0, 0, 255, 255));
        // Solid blue well out towards the rim (11 px from the centre)...
        const QRgb inner = dot.pixel(c + 11 * scale, c);
        QCOMPARE(qAlpha(inner), 255);
        QVERIFY(qBlue(inner) > 200 && qRed(inner) < 80 && qGreen(inner) < 80);
        // ...and nothing beyond 14 px.
        QCOMPARE(qAlpha(dot.pixel(c + 14 * scale, c)), 0);
        QCOMPARE(qAlpha(dot.pixel(c, c - 15 * scale)), 0);
    }
}

void PicturesTest::dotOffIsAGreyRingWithAHole() {
    for (const int scale : {1, 2}) {
        const QImage dot = picture(scale == 1 ? "dot_off.png" : "dot_off@2x.png");
        const int c = 16 * scale;
        QCOMPARE(qAlpha(dot.pixel(c, c)), 0); // the hole
        for (const QPoint onRing : {QPoint(c + 5 * scale, c), QPoint(c, c - 5 * scale)}) {
            const QRgb ring = dot.pixel(onRing);
            QCOMPARE(qAlpha(ring), 255);
            QVERIFY2(std::abs(qRed(ring) - 152) <= 12 && std::abs(qGreen(ring) - 148) <= 12 &&
                         std::abs(qBlue(ring) - 152) <= 12,
                     qPrintable(QString::number(ring, 16)));
        }
        // Outer diameter 16 px: nothing 9 px or more from the centre.
        QCOMPARE(qAlpha(dot.pixel(c + 9 * scale, c)), 0);
        QCOMPARE(qAlpha(dot.pixel(c - 10 * scale, c)), 0);
    }
}

void PicturesTest::verdictMarksAreRed_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("correct") << "mark_correct.png";
    QTest::newRow("almost") << "mark_almost.png";
    QTest::newRow("incorrect") << "mark_incorrect.png";
}

void PicturesTest::verdictMarksAreRed() {
    QFETCH(QString, name);
    const QImage mark = picture(name);
    qsizetype opaque = 0, red = 0;
    for (int y = 0; y < mark.height(); ++y) {
        for (int x = 0; x < mark.width(); ++x) {
            const QRgb px = mark.pixel(x, y);
            if (qAlpha(px) < 255)
                continue;
            ++opaque;
            if (qRed(px) > 180 && qGreen(px) < 80 && qBlue(px) < 80)
                ++red;
        }
    }
    // A bold stroke: a good share of the picture is solid paint, all of it red.
    QVERIFY(opaque > mark.width() * mark.height() / 10);
    QCOMPARE(red, opaque);
}

void PicturesTest::desktopIconAtEverySize_data() {
    QTest::addColumn<int>("size");
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%d px", size) << size;
}

void PicturesTest::desktopIconAtEverySize() {
    // Desktops pick the icon file by its size; one of another size is shown
    // blurred or at the wrong size. They are installed from the source tree.
    QFETCH(int, size);
    const QString file =
        QFINDTESTDATA(QStringLiteral("../../ui/pictures/icons/app_icon_%1.png").arg(size));
    QVERIFY2(!file.isEmpty(), "icon file missing");
    const QImage icon(file);
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());
    // An opaque square, like the window icon.
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 255);
    QCOMPARE(qAlpha(icon.pixel(size - 1, size - 1)), 255);
}

void PicturesTest::verdictMarksLetEveryDotRead_data() {
    QTest::addColumn<QString>("mark");
    QTest::addColumn<int>("scale");
    for (const char* mark : {"mark_correct", "mark_almost", "mark_incorrect"}) {
        QTest::addRow("%s 1x", mark) << QString::fromLatin1(mark) << 1;
        QTest::addRow("%s @2x", mark) << QString::fromLatin1(mark) << 2;
    }
}

void PicturesTest::verdictMarksLetEveryDotRead() {
    QFETCH(QString, mark);
    QFETCH(int, scale);
    // A mark shown over the cells must not hide which dots are raised: over
    // every dot of both cells, at least a third of a raised dot's blue shows.
    const QString suffix = scale == 1 ? QStringLiteral(".png") : QStringLiteral("@2x.png");
    const mivesk::ControlDesign& markControl = controlShowing(mark.toLatin1().constData());
    const mivesk::ControlDesign& raised = controlShowing("dot_on");
    // Compared pixel for pixel: an @2x file loads with a device pixel ratio
    // of 2, which would make the painter draw it at half size.
    QImage markImage = picture(mark + suffix);
    QImage dot = picture(QString::fromLatin1(raised.content) + suffix);
    markImage.setDevicePixelRatio(1);
    dot.setDevicePixelRatio(1);
    QCOMPARE(markImage.size(), markControl.rect.size() * scale);

    // The scene as the window shows it: every dot of both cells raised on
    // white, then the mark painted over them all.
    std::vector<const mivesk::ControlDesign*> cells;
    QRect scene = markControl.rect;
    for (const mivesk::ControlDesign& control : mivesk::form1Controls()) {
        if (std::strcmp(control.name, "ImTen") == 0 || std::strcmp(control.name, "ImTenKai") == 0) {
            cells.push_back(&control);
            scene |= control.rect;
        }
    }
    QCOMPARE(int(cells.size()), 12);
    const auto inScene = [&](const QRect& rect) {
        return QRect((rect.topLeft() - scene.topLeft()) * scale, rect.size() * scale);
    };
    QImage before(scene.size() * scale, QImage::Format_ARGB32_Premultiplied);
    before.fill(Qt::white);
    {
        QPainter p(&before);
        for (const mivesk::ControlDesign* cell : cells) {
            p.drawImage(inScene(cell->rect).topLeft(), dot);
        }
    }
    QImage after = before;
    {
        QPainter p(&after);
        p.drawImage(inScene(markControl.rect).topLeft(), markImage);
    }

    int dotsUnderTheMark = 0;
    for (const mivesk::ControlDesign* cell : cells) {
        const QRect area = inScene(cell->rect);
        int blue = 0, shown = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (isDotBlue(before.pixel(x, y))) {
                    ++blue;
                    shown += isDotBlue(after.pixel(x, y)) ? 1 : 0;
                }
            }
        }
        QVERIFY(blue > 400 * scale * scale);
        dotsUnderTheMark += shown < blue ? 1 : 0;
        QVERIFY2(3 * shown >= blue, qPrintable(QStringLiteral("%1_%2: %3 of %4 blue pixels show")
                                                   .arg(QLatin1String(cell->name))
                                                   .arg(cell->index)
                                                   .arg(shown)
                                                   .arg(blue)));
    }
    // The marks lie over the cells: the check above is not vacuous.
    QVERIFY(dotsUnderTheMark >= 4);
}

QTEST_GUILESS_MAIN(PicturesTest)
#include "tst_pictures.moc"
