// The About window: modal over every other window, its texts and look, and
// the keys and clicks that close it or do not.

#include "Dialog.h"
#include "Form1TestSupport.h"
#include "frmAbout.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>

#include <functional>

using mivesk::frmAbout;
using namespace mivesk::test;

namespace {

// Opens the About window the way the main window does and runs `inspect` on
// it from inside the modal loop. Unless `inspect` closed it, the window is
// closed afterwards (and, as a last resort, after a few seconds) so that a
// failed check can never leave the test waiting. Returns whether the window
// was still open once `inspect` had run.
bool whileShown(const std::function<void(frmAbout*)>& inspect, QWidget* owner = nullptr) {
    bool stillOpen = false;
    QObject timers;
    QTimer::singleShot(0, &timers, [&] {
        auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        QVERIFY(about);
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QPointer<frmAbout> guard = about;
        inspect(about);
        QCoreApplication::processEvents();
        stillOpen = guard && guard->isVisible();
        if (stillOpen)
            guard->close();
    });
    QTimer::singleShot(5000, &timers, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    frmAbout::showModal(owner);
    return stillOpen;
}

} // namespace

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { mivesk::registerFontSubstitutes(); }

    // Each opening loads afresh: what the first showing changed is gone.
    void everyOpeningLoadsCaptionTitleAndVersion() {
        QPointer<frmAbout> first;
        for (int opening = 0; opening < 2; ++opening) {
            whileShown([&](frmAbout* about) {
                QCOMPARE(about->windowTitle(), QStringLiteral("Miveskのﾊﾞｰｼﾞｮﾝ情報"));
                QCOMPARE(caption(*about, QStringLiteral("lblTitle")), QStringLiteral("Mivesk"));
                QCOMPARE(caption(*about, QStringLiteral("lblVersion")),
                         QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.2.0"));
                first = about;
                about->setWindowTitle(QStringLiteral("changed"));
                about->findChild<QLabel*>(QStringLiteral("lblTitle"))->clear();
                about->findChild<QLabel*>(QStringLiteral("lblVersion"))->clear();
            });
            QVERIFY(first.isNull());
        }
    }

    void numbersAreWrittenPlain() {
        QCOMPARE(frmAbout::versionTextFor(1, 10, 0), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.10.0"));
        QCOMPARE(frmAbout::versionTextFor(0, 2, 12), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 0.2.12"));
        QCOMPARE(frmAbout::captionFor(QStringLiteral("X")), QStringLiteral("Xのﾊﾞｰｼﾞｮﾝ情報"));
    }

    void isAnApplicationModalFixedDialogOfTheMainWindow() {
        StandIn main;
        whileShown(
            [&main](frmAbout* about) {
                QCOMPARE(about->parentWidget(), &main.window);
                QCOMPARE(about->windowModality(), Qt::ApplicationModal);
                QCOMPARE(about->minimumSize(), QSize(306, 170));
                QCOMPARE(about->maximumSize(), QSize(306, 170));
                const Qt::WindowFlags flags = about->windowFlags();
                QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
                QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
                QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
                QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
                QVERIFY(about->findChildren<QPushButton*>().isEmpty()); // no default button
            },
            &main.window);
    }

    void mainAndHintWindowsRefuseClicksWhileOpen() {
        StandIn main;
        QPointer<mivesk::Dialog> hint = mivesk::Dialog::open();
        QVERIFY(QTest::qWaitForWindowExposed(hint));
        QSignalSpy clicked(main.button, &QPushButton::clicked);

        whileShown(
            [&](frmAbout*) {
                main.clickButton();
                click(*hint, QStringLiteral("Im_Close"));
            },
            &main.window);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(hint && hint->isVisible());

        // The same clicks work once it has closed.
        main.clickButton();
        QCOMPARE(clicked.count(), 1);
        click(*hint, QStringLiteral("Im_Close"));
        QTRY_VERIFY(hint.isNull());
    }

    void escReturnAndEnterCloseIt() {
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
            const bool stillOpen =
                whileShown([key](frmAbout* about) { QTest::keyClick(about->windowHandle(), key); });
            QVERIFY2(!stillOpen, qPrintable(QKeySequence(key).toString()));
        }
    }

    void okClosesIt() {
        const bool stillOpen =
            whileShown([](frmAbout* about) { click(*about, QStringLiteral("ImOk")); });
        QVERIFY(!stillOpen);
    }

    void controlsAndTexts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::newRow("picIcon") << "picIcon" << QRect(16, 16, 36, 36) << QString();
        QTest::newRow("ImOk") << "ImOk" << QRect(192, 136, 115, 20) << QString();
        QTest::newRow("Label2") << "Label2" << QRect(72, 96, 193, 17)
                                << "https://mivesk.example.org/";
        QTest::newRow("Label1") << "Label1" << QRect(72, 80, 185, 17)
                                << "E-mail: mivesk@example.org";
        QTest::newRow("Line1") << "Line1" << QRect(8, 120, 371, 1) << QString();
        QTest::newRow("lblDescription") << "lblDescription" << QRect(72, 64, 187, 14)
                                        << QStringLiteral("御意見等は、メールにてお願いします。");
        QTest::newRow("lblTitle") << "lblTitle" << QRect(70, 16, 187, 16) << "Mivesk";
        QTest::newRow("lblVersion")
            << "lblVersion" << QRect(128, 40, 131, 15) << QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.2.0");
        QTest::newRow("lblDisclaimer")
            << "lblDisclaimer" << QRect(17, 128, 170, 37)
            << QStringLiteral("警告:このアプリケーションの使用による、"
                              "いかなる責任も負えませんのでご了承ください。");
    }

    // Every control in place, and every label's text fits its box: the
    // one-line labels on one line, the disclaimer in three.
    void controlsAndTexts() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        whileShown([&](frmAbout* about) {
            QWidget* w = control(*about, name);
            QCOMPARE(w->geometry(), geometry);
            auto* label = qobject_cast<QLabel*>(w);
            if (!label)
                return;
            QCOMPARE(label->text(), text);
            QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::white));
            const QFontMetricsF metrics(label->font());
            const int lines = name == QLatin1String("lblDisclaimer") ? 3 : 1;
            const QRectF needed =
                metrics.boundingRect(QRectF(0, 0, geometry.width(), 1000), Qt::TextWordWrap, text);
            QVERIFY2(needed.height() <= lines * metrics.lineSpacing() + 0.5,
                     qPrintable(QString::number(needed.height())));
        });
    }

    void looksWhiteWithAGreyRule() {
        whileShown([](frmAbout* about) {
            const QImage shot = about->grab().toImage();
            QCOMPARE(shot.size(), QSize(306, 170));
            QCOMPARE(shot.pixelColor(300, 4), QColor(Qt::white));
            QCOMPARE(shot.pixelColor(8, 120), QColor(128, 128, 128));
            QCOMPARE(shot.pixelColor(305, 120), QColor(128, 128, 128));
            QCOMPARE(shot.pixelColor(8, 121), QColor(Qt::white));
        });
    }
};

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
