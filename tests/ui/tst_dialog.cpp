// The hint window: one at a time, never in the way of the main window,
// its texts, layout and colours, and the program's end with it.

#include "Dialog.h"
#include "Form1TestSupport.h"
#include "WindowPlacement.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFontInfo>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QWheelEvent>

using mivesk::Dialog;
using namespace mivesk::test;

class DialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { mivesk::registerFontSubstitutes(); }

    void cleanup() {
        if (Dialog* open = hintWindow())
            open->close();
        QTRY_VERIFY(!hintWindow());
    }

    void openTwiceGivesOneIndependentToolWindow() {
        Dialog* first = Dialog::open();
        QVERIFY(QTest::qWaitForWindowExposed(first));
        QVERIFY(QTest::qWaitForWindowActive(first));
        // Opening it again brings it back even from the taskbar.
        first->showMinimized();
        QTRY_VERIFY(first->isMinimized());
        QCOMPARE(Dialog::open(), first);
        QVERIFY(!first->isMinimized());
        QVERIFY(QTest::qWaitForWindowActive(first));
        QCOMPARE(hintWindow(), first);
        QCOMPARE(visibleHintWindows(), 1);

        QCOMPARE(first->windowType(), Qt::Tool);
        QVERIFY(!first->parentWidget());
        QCOMPARE(first->windowTitle(), QStringLiteral("ヒント♪"));
        const Qt::WindowFlags flags = first->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(first->minimumSize(), QSize(410, 280));
        QCOMPARE(first->maximumSize(), QSize(410, 280));
        // The icon comes once the first frame is up.
        QTRY_VERIFY(!first->windowIcon().isNull());
    }

    void mainWindowStillTakesClicksWhileOpen() {
        StandIn main;
        QVERIFY(QTest::qWaitForWindowExposed(Dialog::open()));
        QSignalSpy clicked(main.button, &QPushButton::clicked);
        // Through the window system, where a modal window would refuse it.
        main.clickButton();
        QCOMPARE(clicked.count(), 1);
    }

    void closeButtonDestroysItAndOpenMakesAFreshOne() {
        QPointer<Dialog> first = Dialog::open();
        QVERIFY(QTest::qWaitForWindowExposed(first));
        click(*first, QStringLiteral("Im_Close"));
        QTRY_VERIFY(first.isNull());
        QVERIFY(!hintWindow());
        QCOMPARE(visibleHintWindows(), 0);

        Dialog* second = Dialog::open();
        QVERIFY(second && second->isVisible());
        QCOMPARE(visibleHintWindows(), 1);

        QPointer<Dialog> byTitleBar = second;
        second->close(); // the title bar's close box
        QTRY_VERIFY(byTitleBar.isNull());
    }

    void textLines_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        const QStringList rowA = {QStringLiteral("あ…１点　　い…１・２点　う…１・４点"),
                                  QStringLiteral("え…１・２・４点　お…２・４点")};
        const QStringList hint = {QStringLiteral("☆それ以外の行はあ行に点を追加したもの☆"),
                                  QString(),
                                  QStringLiteral("　か行…６点　　　　「カロク」"),
                                  QStringLiteral("　さ行…５・６点　　「サゴロク」"),
                                  QStringLiteral("　た行…５・３点　　「タゴサク」"),
                                  QStringLiteral("　な行…３点　　　　「ナサン」"),
                                  QStringLiteral("　は行…３・６点　　「ハサロク」"),
                                  QStringLiteral("　ま行…３・５・６点「マサゴロー」"),
                                  QStringLiteral("　や行…あ行の点を下にスライド＋４点"),
                                  QStringLiteral("　ら行…５点　　　　「ラッコ」"),
                                  QStringLiteral("　わ行…あ行の点を下にスライド"),
                                  QStringLiteral("　ん…・単独に３・５・６点")};
        for (int i = 0; i < rowA.size(); ++i)
            QTest::addRow("Text1 line %d", i + 1) << "Text1" << i << rowA[i];
        for (int i = 0; i < hint.size(); ++i)
            QTest::addRow("txtHint line %d", i + 1) << "txtHint" << i << hint[i];
        // Each text ends with a line break, which leaves an empty last line.
        QTest::addRow("Text1 end") << "Text1" << rowA.size() << QString();
        QTest::addRow("txtHint end") << "txtHint" << hint.size() << QString();
    }

    void textLines() {
        QFETCH(QString, box);
        QFETCH(int, line);
        QFETCH(QString, text);
        auto* edit = qobject_cast<QTextEdit*>(control(*Dialog::open(), box));
        // Shown on one line of its own, inside the box and not clipped.
        const QTextBlock block = edit->document()->findBlockByNumber(line);
        QVERIFY(block.isValid());
        QCOMPARE(block.text(), text);
        QCOMPARE(block.layout()->lineCount(), 1);
        const QRectF shown = edit->document()->documentLayout()->blockBoundingRect(block);
        if (!text.isEmpty())
            QVERIFY(QRectF(edit->viewport()->rect()).contains(shown));
    }

    void textBoxesAreReadOnlyButSelectable() {
        Dialog* hint = Dialog::open();
        QVERIFY(QTest::qWaitForWindowExposed(hint));
        for (const char* name : {"Text1", "txtHint"}) {
            auto* edit = hint->findChild<QTextEdit*>(QLatin1String(name));
            const QString before = edit->toPlainText();
            QVERIFY(edit->isReadOnly());
            QCOMPARE(edit->frameShape(), QFrame::NoFrame);
            QCOMPARE(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            edit->setFocus();
            QTest::keyClicks(edit, QStringLiteral("abc"));
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClick(edit, Qt::Key_Backspace);
            QCOMPARE(edit->toPlainText(), before);
            QTest::keyClick(edit, Qt::Key_End, Qt::ShiftModifier);
            QVERIFY(edit->textCursor().hasSelection());
        }
    }

    // Both boxes show every line from the first whatever the user presses
    // or scrolls: nothing may move their text.
    void textBoxesNeverScroll() {
        Dialog* hint = Dialog::open();
        QVERIFY(QTest::qWaitForWindowExposed(hint));
        for (const char* name : {"Text1", "txtHint"}) {
            auto* edit = hint->findChild<QTextEdit*>(QLatin1String(name));
            edit->setFocus();
            const auto unmoved = [edit] {
                return edit->verticalScrollBar()->value() == 0 &&
                       edit->horizontalScrollBar()->value() == 0;
            };
            const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
                {Qt::Key_Space, {}},   {Qt::Key_PageDown, {}}, {Qt::Key_End, Qt::ControlModifier},
                {Qt::Key_Down, {}},    {Qt::Key_End, {}},      {Qt::Key_Right, {}},
                {Qt::Key_PageDown, {}}};
            for (const auto& [key, modifiers] : keys) {
                QTest::keyClick(edit, key, modifiers);
                QVERIFY2(unmoved(),
                         qPrintable(QStringLiteral("%1 after key %2").arg(name).arg(key)));
            }
            const QPointF centre = edit->viewport()->rect().center();
            for (const QPoint& delta : {QPoint(0, -360), QPoint(-360, 0)}) {
                QWheelEvent wheel(centre, edit->viewport()->mapToGlobal(centre), {}, delta,
                                  Qt::NoButton, {}, Qt::NoScrollPhase, false);
                QApplication::sendEvent(edit->viewport(), &wheel);
                QVERIFY2(unmoved(), name);
            }
        }
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("boldOrUnderlined");
        const QString gothic = QStringLiteral("ＭＳ ゴシック");
        QTest::newRow("Text1") << "Text1" << QRect(152, 40, 249, 33) << gothic << 13 << false;
        QTest::newRow("txtHint") << "txtHint" << QRect(152, 80, 249, 153) << gothic << 12 << false;
        QTest::newRow("Label2") << "Label2" << QRect(152, 24, 249, 17) << gothic << 15 << true;
        QTest::newRow("Label1") << "Label1" << QRect(8, 248, 217, 33)
                                << QStringLiteral("MS UI Gothic") << 27 << true;
        QTest::newRow("Image1") << "Image1" << QRect(8, 8, 138, 225) << QString() << 0 << false;
        QTest::newRow("Im_Close") << "Im_Close" << QRect(304, 248, 98, 30) << QString() << 0
                                  << false;
        QTest::newRow("Shape1") << "Shape1" << QRect(0, 264, 417, 17) << QString() << 0 << false;
    }

    void controls() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, family);
        QFETCH(int, pixels);
        QFETCH(bool, boldOrUnderlined);
        QWidget* w = control(*Dialog::open(), name);
        QCOMPARE(w->geometry(), geometry);
        if (family.isEmpty())
            return;
        QCOMPARE(w->font().families(), mivesk::windowsFont(family, 9).families());
        // The stand-in asked for is installed: Qt draws with that very font.
        QCOMPARE(QFontInfo(w->font()).family().toLower(), w->font().family().toLower());
        QCOMPARE(w->font().pixelSize(), pixels);
        QCOMPARE(w->font().bold() || w->font().underline(), boldOrUnderlined);
    }

    void stackingAndColours() {
        Dialog* hint = Dialog::open();
        QStringList order;
        for (QObject* child : hint->children())
            if (child->isWidgetType())
                order << child->objectName();
        // Bottom first; the two text boxes are real child windows on top.
        const QStringList bottomUp = {"Shape1", "Im_Close", "Image1", "Label1", "Label2"};
        int last = -1;
        for (const QString& name : bottomUp) {
            QVERIFY2(order.indexOf(name) > last, qPrintable(order.join(',')));
            last = order.indexOf(name);
        }
        QVERIFY(order.indexOf("Text1") > last && order.indexOf("txtHint") > last);

        const QImage shot = hint->grab().toImage();
        QCOMPARE(shot.size(), QSize(410, 280));
        QCOMPARE(shot.pixelColor(300, 4), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(5, 275), QColor(192, 192, 255));   // strip under the label
        QCOMPARE(shot.pixelColor(409, 279), QColor(192, 192, 255)); // strip to the corner
        QCOMPARE(shot.pixelColor(155, 26), QColor(192, 192, 255));  // heading bar
        QCOMPARE(shot.pixelColor(399, 71), QColor(192, 192, 255));  // あ-row box
        QCOMPARE(shot.pixelColor(399, 231), QColor(255, 255, 192)); // hint box
        auto* label1 = static_cast<QLabel*>(control(*hint, QStringLiteral("Label1")));
        QCOMPARE(label1->palette().color(QPalette::WindowText), QColor(255, 192, 192));
        QVERIFY(!label1->autoFillBackground());
    }

    // Frames as the window manager reports them: the main window 435 x 296,
    // the hint window 416 x 301.
    void placeBesideTheMainWindow_data() {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QPoint>("place");
        const QSize main(435, 296);
        QTest::newRow("below") << QRect(0, 0, 1280, 770) << QRect(QPoint(420, 100), main)
                               << QPoint(409, 398);
        QTest::newRow("below, pushed in from the left edge")
            << QRect(0, 0, 1280, 770) << QRect(QPoint(5, 100), main) << QPoint(0, 398);
        QTest::newRow("right") << QRect(0, 0, 1920, 1050) << QRect(QPoint(100, 700), main)
                               << QPoint(537, 700);
        QTest::newRow("left") << QRect(0, 0, 1920, 1050) << QRect(QPoint(1400, 700), main)
                              << QPoint(982, 700);
        QTest::newRow("above") << QRect(0, 0, 1024, 738) << QRect(QPoint(300, 430), main)
                               << QPoint(289, 127);
        // No side has room: of the places pushed back on screen, below and
        // above cover least (80 rows), and below comes first.
        QTest::newRow("nothing fits")
            << QRect(0, 0, 1024, 738) << QRect(QPoint(294, 221), main) << QPoint(283, 437);
        QTest::newRow("screen smaller than the hint")
            << QRect(0, 24, 320, 216) << QRect(QPoint(0, 24), main) << QPoint(0, 24);
    }

    void placeBesideTheMainWindow() {
        QFETCH(QRect, area);
        QFETCH(QRect, main);
        QFETCH(QPoint, place);
        const QSize hint(416, 301);
        QCOMPARE(mivesk::besideWithoutCovering(area, main, hint), place);
    }

    // Closing the main window leaves the hint window open and the program
    // running; closing the hint window then ends the program.
    void programEndsWithTheLastWindow() {
        auto* mainStandIn = new QWidget;
        mainStandIn->setAttribute(Qt::WA_DeleteOnClose);
        mainStandIn->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainStandIn));
        QVERIFY(QTest::qWaitForWindowExposed(Dialog::open()));

        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        bool runningAfterMainClosed = false;
        QObject timers; // drops the pending timers when the test returns
        QTimer::singleShot(0, mainStandIn, [mainStandIn] { mainStandIn->close(); });
        QTimer::singleShot(200, &timers, [&] {
            runningAfterMainClosed = lastClosed.isEmpty() && hintWindow();
            if (hintWindow())
                hintWindow()->close();
        });
        QTimer::singleShot(5000, &timers, [] { QCoreApplication::exit(2); });
        const int exitCode = QApplication::exec();
        QVERIFY(runningAfterMainClosed);
        QCOMPARE(exitCode, 0);
        QCOMPARE(lastClosed.count(), 1);
    }
};

QTEST_MAIN(DialogTest)
#include "tst_dialog.moc"
