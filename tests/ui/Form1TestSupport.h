#pragma once

// Shared by the window tests: a real Form1 over the real data file, shown
// offscreen, and clicks delivered through the window system so that they
// reach whatever control lies at the point, as a user's would.

#include "Dialog.h"
#include "DrillEngine.h"
#include "Fonts.h"
#include "Form1.h"
#include "ImageControl.h"
#include "TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <memory>
#include <vector>

namespace mivesk::test {

inline std::unique_ptr<Form1> showForm1(std::unique_ptr<DictionarySource> dictionary,
                                        std::unique_ptr<RandomSource> random) {
    registerFontSubstitutes();
    auto drill = std::make_unique<DrillEngine>(std::move(dictionary), std::move(random));
    auto window = std::make_unique<Form1>(std::move(drill));
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("the main window was not shown");
    return window;
}

// `closed`, when given, is set once the window's engine closes its
// dictionary.
inline std::unique_ptr<Form1> showForm1(std::vector<float> randoms = {0.0f},
                                        bool* closed = nullptr) {
    return showForm1(
        std::make_unique<RecordingSource>(checkedDictionary(dataFileBytes()), nullptr, closed),
        std::make_unique<ScriptedRandom>(std::move(randoms)));
}

// The main window's windowless controls from the top of the stacking order
// down; the windowed ones (option buttons, check box, text box) lie above.
inline const QStringList WindowlessTopDown{
    "imgFuseikai",  "imgOsii",    "imgSeikai",  "lblCount",   "lblRitsu",   "ShpCover",
    "Im_Hint",      "Label4",     "Label1",     "Im_Reset",   "Im_End",     "Im_Set",
    "Lb_First",     "Shp_first",  "Im_Version", "Image3",     "Imtenoff",   "Imtenon",
    "Label3",       "Label2",     "Lb_Main",    "Shape2",     "Shape1",     "Shape4",
    "Shp_FirstBak", "Shp_Blue",   "ImTen_2",    "ImTen_5",    "ImTenKai_5", "ImTenKai_4",
    "ImTenKai_3",   "ImTenKai_2", "ImTenKai_1", "ImTenKai_0", "ImTen_4",    "ImTen_3",
    "ImTen_1",      "ImTen_0",    "Shape3",     "Im_Next",    "Im_Check"};

inline QWidget* control(const QWidget& window, const QString& name) {
    auto* found = window.findChild<QWidget*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

inline QPoint centreOf(const QWidget& window, const QString& name) {
    return control(window, name)->geometry().center();
}

inline void clickAt(QWidget& window, QPoint point) {
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, point);
}

inline void doubleClickAt(QWidget& window, QPoint point) {
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, point);
}

inline void click(QWidget& window, const QString& name) {
    clickAt(window, centreOf(window, name));
}

// Whether a dot of either cell shows raised.
inline bool dotRaised(const QWidget& window, const QString& name) {
    return qobject_cast<ImageControl*>(control(window, name))->isRaised();
}

// The input cell's dots as six characters, index 0 first: '1' raised.
inline QByteArray raisedDots(const QWidget& window) {
    QByteArray dots;
    for (int i = 0; i < 6; ++i)
        dots += dotRaised(window, QStringLiteral("ImTen_%1").arg(i)) ? '1' : '0';
    return dots;
}

inline QString caption(const QWidget& window, const QString& name) {
    return qobject_cast<QLabel*>(control(window, name))->text();
}

// What the user sees at a point of the client area.
inline QColor pixelAt(QWidget& window, QPoint point) {
    return window.grab().toImage().pixelColor(point);
}

// The points of a control's rectangle at which the window shows `colour`.
inline int pixelsOfColour(QWidget& window, const QRect& area, QColor colour) {
    const QImage image = window.grab().toImage();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

// Every hint window, open or closed but not yet deleted.
inline QList<Dialog*> hintWindows() {
    QList<Dialog*> found;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* hint = qobject_cast<Dialog*>(window)) {
            found << hint;
        }
    }
    return found;
}

// The hint window, or nullptr.
inline Dialog* hintWindow() {
    const QList<Dialog*> all = hintWindows();
    return all.isEmpty() ? nullptr : all.first();
}

inline qsizetype visibleHintWindows() {
    const QList<Dialog*> all = hintWindows();
    return std::count_if(all.begin(), all.end(), [](Dialog* hint) { return hint->isVisible(); });
}

// Shows `window` with `control` hidden in it at `geometry`: whatever the
// control puts off until it is first shown has not happened yet.
inline void showWithHidden(QWidget& window, QWidget* control, const QRect& geometry) {
    control->setGeometry(geometry);
    control->hide();
    window.resize(240, 220);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the window was not shown");
}

// A stand-in for the main window, shown, with one button to click.
struct StandIn {
    QWidget window;
    QPushButton* button = new QPushButton(QStringLiteral("Check"), &window);
    StandIn() {
        button->setGeometry(10, 10, 80, 30);
        window.resize(200, 100);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("the stand-in window was not shown");
    }
    void clickButton() { clickAt(window, {50, 25}); }
};

inline const QColor Blue{0, 0, 255};
inline const QColor White{255, 255, 255};
inline const QColor WelcomePink{255, 128, 128};
inline const QColor HatchPink{255, 192, 192};

} // namespace mivesk::test
