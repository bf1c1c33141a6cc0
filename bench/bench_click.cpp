// The response to a click on the real main window: from the mouse press on
// Check, on Next and on a dot of the input cell to the moment the control
// that changed has been repainted and the window flushed. Runs offscreen
// unless QT_QPA_PLATFORM says otherwise.
//
// One round is: Next, two dot clicks, Check. The verdict mark that Check
// shows is hidden again by the next round's Next, so every dot click
// reaches its dot.

#include "DataFileCheck.h"
#include "DataFileLocator.h"
#include "DrillEngine.h"
#include "Fonts.h"
#include "Form1.h"
#include "ImageControl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

namespace {

// Notes which widgets get a paint event and how many.
class PaintWatch final : public QObject {
public:
    void expect(std::set<const QObject*> targets) {
        m_targets = std::move(targets);
        m_seen = false;
        m_paints = 0;
    }
    bool seen() const { return m_seen; }
    int paints() const { return m_paints; }

    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++m_paints;
            if (m_targets.count(object))
                m_seen = true;
        }
        return false;
    }

private:
    std::set<const QObject*> m_targets;
    bool m_seen = false;
    int m_paints = 0;
};

struct Series {
    const char* name;
    std::vector<double> micros;
    std::vector<double> paints;
};

double quantile(std::vector<double> values, double q) {
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    const double at = q * double(values.size() - 1);
    const size_t below = size_t(std::floor(at));
    const size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (at - double(below));
}

template <typename T> T* child(const QWidget& window, const char* name) {
    auto* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found) {
        std::fprintf(stderr, "bench_click: the window has no %s\n", name);
        std::exit(1);
    }
    return found;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int rounds = 1000;
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--rounds") == 0)
            rounds = std::max(1, std::atoi(argv[i + 1]));
    }
    const int warmupRounds = 20;

    QApplication app(argc, argv);
    mivesk::registerFontSubstitutes();
    mivesk::DataFileCheck data = mivesk::checkDataFile(mivesk::dataFileCandidates());
    if (!data.dictionary) {
        std::fprintf(stderr, "bench_click: %s\n", qPrintable(data.problem));
        return 1;
    }
    mivesk::Form1 window(std::make_unique<mivesk::DrillEngine>(
        std::move(data.dictionary), std::make_unique<mivesk::ClockSeededRandom>()));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "bench_click: the window was never shown\n");
        return 1;
    }

    auto* set = child<mivesk::ImageControl>(window, "Im_Set");
    auto* check = child<mivesk::ImageControl>(window, "Im_Check");
    auto* next = child<mivesk::ImageControl>(window, "Im_Next");
    auto* kana = child<QLabel>(window, "Lb_Main");
    const std::set<const QObject*> marks{child<mivesk::ImageControl>(window, "imgSeikai"),
                                         child<mivesk::ImageControl>(window, "imgOsii"),
                                         child<mivesk::ImageControl>(window, "imgFuseikai")};
    std::vector<mivesk::ImageControl*> dots;
    for (int i = 0; i < 6; ++i)
        dots.push_back(
            child<mivesk::ImageControl>(window, qPrintable(QStringLiteral("ImTen_%1").arg(i))));

    PaintWatch watch;
    app.installEventFilter(&watch);

    // Clicks the middle of `target` and lets the event loop run until one of
    // `painted` has had its paint event; the window's whole dirty region is
    // painted and flushed in that same pass. Returns microseconds.
    const auto clickAndRepaint = [&](QWidget* target, std::set<const QObject*> painted,
                                     Series* series) {
        watch.expect(std::move(painted));
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        while (!watch.seen()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            if (timer.elapsed() > 5000) {
                std::fprintf(stderr, "bench_click: no repaint after a click on %s\n",
                             qPrintable(target->objectName()));
                std::exit(1);
            }
        }
        const double micros = double(timer.nsecsElapsed()) / 1000.0;
        if (series) {
            series->micros.push_back(micros);
            series->paints.push_back(watch.paints());
        }
    };

    // Mode 50音順 is selected at start; Set shows the first kana.
    clickAndRepaint(set, {kana}, nullptr);

    Series checkSeries{"Check", {}, {}};
    Series nextSeries{"Next", {}, {}};
    Series dotSeries{"dot", {}, {}};
    for (int round = 0; round < warmupRounds + rounds; ++round) {
        const bool counted = round >= warmupRounds;
        clickAndRepaint(next, {kana}, counted ? &nextSeries : nullptr);
        for (int k : {round % 6, (round + 3) % 6})
            clickAndRepaint(dots[size_t(k)], {dots[size_t(k)]}, counted ? &dotSeries : nullptr);
        clickAndRepaint(check, marks, counted ? &checkSeries : nullptr);
    }

    std::printf("Click to repainted window, platform %s: %d rounds (Next, 2 dots, Check)\n",
                qPrintable(QGuiApplication::platformName()), rounds);
    std::printf("%-8s %8s %12s %12s %12s %16s  %s\n", "click", "samples", "median", "p99", "max",
                "widgets painted", "target");
    bool allMet = true;
    for (const Series* series : {&checkSeries, &nextSeries, &dotSeries}) {
        const double median = quantile(series->micros, 0.5);
        const double p99 = quantile(series->micros, 0.99);
        const double max = quantile(series->micros, 1.0);
        const bool met = p99 < 2000.0;
        allMet = allMet && met;
        std::printf("%-8s %8zu %9.1f us %9.1f us %9.1f us %16.0f  < 2000 us %s\n", series->name,
                    series->micros.size(), median, p99, max, quantile(series->paints, 0.5),
                    met ? "met" : "MISSED");
    }
    std::printf("(widgets painted: median number of paint events per click; the target is "
                "checked against p99)\n");
    return 0;
}
