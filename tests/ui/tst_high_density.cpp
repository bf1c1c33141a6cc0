// On a screen above 100 % the window shows the pictures drawn at twice the
// size, at the same place and size as on a plain screen. The program runs
// at 200 %, or at the scale MIVESK_TEST_SCALE names.
#include "DrillEngine.h"
#include "Form1.h"
#include "ImageControl.h"
#include "Pictures.h"
#include "TestSupport.h"

#include <QApplication>
#include <QTest>

using namespace mivesk;

class HighDensityTest : public QObject {
    Q_OBJECT
private slots:
    void picturesComeFromTheirTwins() {
        const qreal ratio = qApp->devicePixelRatio();
        QVERIFY(ratio > 1.0);
        for (const char* name : {"dot_on", "dot_off", "mark_correct", "button_check", "app_icon"}) {
            const QPixmap picture = resourcePicture(QString::fromLatin1(name));
            const QImage twin(QStringLiteral(":/pictures/%1@2x.png").arg(QLatin1String(name)));
            // One pixel of the picture for each pixel of the screen, over
            // the plain picture's size.
            QCOMPARE(picture.devicePixelRatio(), ratio);
            QCOMPARE(picture.size(), (QSizeF(twin.size()) / 2 * ratio).toSize());
        }
        QCOMPARE(resourcePicture(QStringLiteral("dot_on")).deviceIndependentSize(), QSizeF(32, 32));
    }

    void raisedDotIsSharpOnTheWindow() {
        Form1 window(std::make_unique<DrillEngine>(test::checkedDictionary(test::dataFileBytes()),
                                                   std::make_unique<ClockSeededRandom>()));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("Im_Set")), Qt::LeftButton);
        auto* dot = window.findChild<ImageControl*>(QStringLiteral("ImTen_0"));
        QTest::mouseClick(dot, Qt::LeftButton);
        QCOMPARE(dot->geometry(), QRect(192, 104, 32, 32));
        const QImage shot = window.grab().toImage();
        QCOMPARE(shot.size(), QSize(858, 526));
        // The disc's rim, one device pixel wide, is only there in the twin:
        // a plain picture blown up would show it two pixels wide.
        const QImage twin = resourcePicture(QStringLiteral("dot_on")).toImage();
        int compared = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                if (twin.pixelColor(x, y).alpha() == 255) {
                    QCOMPARE(shot.pixel(384 + x, 208 + y), twin.pixel(x, y));
                    ++compared;
                }
            }
        }
        QVERIFY(compared > 1000);
    }
};

int main(int argc, char** argv) {
    // Whatever the environment says, this test runs on a 200 % screen
    // unless told another scale.
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_DEVICE_PIXEL_RATIO");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "1");
    const QByteArray scale = qgetenv("MIVESK_TEST_SCALE");
    qputenv("QT_SCALE_FACTOR", scale.isEmpty() ? QByteArray("2") : scale);
    QApplication app(argc, argv);
    HighDensityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_high_density.moc"
