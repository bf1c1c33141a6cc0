#pragma once

// Shared by the main window's tests: a real Form1 over the real data file,
// shown offscreen, and clicks delivered through the window system so that
// they reach whatever control lies at the point, as a user's would.

#include "DrillEngine.h"
#include "FileDictionarySource.h"
#include "Fonts.h"
#include "Form1.h"

#include <QLabel>
#include <QTest>
#include <QWindow>

#include <memory>
#include <vector>

namespace mivesk::test {

// Hands out the given numbers in turn, starting again after the last.
class FixedRandom final : public RandomSource {
public:
    explicit FixedRandom(std::vector<float> numbers) : m_numbers(std::move(numbers)) {}
    void seedFromClock() override {}
    float next() override { return m_numbers[m_next++ % m_numbers.size()]; }

private:
    std::vector<float> m_numbers;
    std::size_t m_next = 0;
};

inline std::unique_ptr<Form1> showForm1(std::vector<float> randoms = {0.0f}) {
    registerFontSubstitutes();
    auto dictionary = std::make_unique<FileDictionarySource>(QStringLiteral(MIVESK_DATA_FILE));
    if (!dictionary->open())
        qFatal("cannot open %s", MIVESK_DATA_FILE);
    auto engine = std::make_unique<DrillEngine>(std::move(dictionary),
                                                std::make_unique<FixedRandom>(std::move(randoms)));
    auto window = std::make_unique<Form1>(std::move(engine));
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("the main window was not shown");
    return window;
}

inline QWidget* control(const Form1& window, const QString& name) {
    auto* found = window.findChild<QWidget*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

inline QPoint centreOf(const Form1& window, const QString& name) {
    return control(window, name)->geometry().center();
}

inline void clickAt(Form1& window, QPoint point) {
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, point);
}

inline void doubleClickAt(Form1& window, QPoint point) {
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, point);
}

inline void click(Form1& window, const QString& name) {
    clickAt(window, centreOf(window, name));
}

inline QString caption(const Form1& window, const QString& name) {
    return qobject_cast<QLabel*>(control(window, name))->text();
}

// What the user sees at a point of the client area.
inline QColor pixelAt(Form1& window, QPoint point) {
    return window.grab().toImage().pixelColor(point);
}

// The points of a control's rectangle at which the window shows `colour`.
inline int pixelsOfColour(Form1& window, const QRect& area, QColor colour) {
    const QImage image = window.grab().toImage();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

inline const QColor Blue{0, 0, 255};
inline const QColor White{255, 255, 255};
inline const QColor WelcomePink{255, 128, 128};
inline const QColor HatchPink{255, 192, 192};

} // namespace mivesk::test
