// Start-up as a user sees it, measured from outside the process: the time
// from just before exec to the first frame in which the whole window has
// been painted on the X server, and the peak memory of the process at that
// moment. Optionally, the time from a mouse click to the repainted window.
//
// The programs to compare are started in turn (A B, then B A, ...), each
// under the same private X server when --xvfb is given, otherwise on
// $DISPLAY (--xvfb=:N: a private server on display :N). The probe watches the root window for new
// windows, puts a DAMAGE object on each, and declares the frame painted when the damage reported on
// one window has covered it whole. With no window manager and no compositor, a damage report means
// the pixels are in the frame buffer.
//
//   bench_first_frame --xvfb --pairs 15 ui/mivesk "bench/bench_startup_bare --stay"
//   bench_first_frame --xvfb --clicks 200 --runs 3 ui/mivesk
//
// The first program is the one measured; every other is a reference it is
// compared with.

#include "PeakMemory.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#ifdef MIVESK_HAVE_XTEST
#include <X11/extensions/XTest.h>
#endif

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double quantile(std::vector<double> values, double q) {
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    const double position = q * double(values.size() - 1);
    const auto below = size_t(position);
    const size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (position - double(below));
}

std::string loadAverage() {
    char text[64] = "?";
    if (std::FILE* file = std::fopen("/proc/loadavg", "r")) {
        if (!std::fgets(text, sizeof text, file))
            std::strcpy(text, "?");
        std::fclose(file);
    }
    std::string load(text);
    // "0.52 0.61 0.70 1/181 12345": the three averages only.
    size_t spaces = 0;
    for (size_t i = 0; i < load.size(); ++i) {
        if (load[i] == ' ' && ++spaces == 3)
            return load.substr(0, i);
    }
    return load;
}

std::vector<std::string> splitWords(const std::string& command) {
    std::vector<std::string> words;
    size_t start = 0;
    while (start < command.size()) {
        const size_t end = command.find(' ', start);
        const size_t stop = end == std::string::npos ? command.size() : end;
        if (stop > start)
            words.push_back(command.substr(start, stop - start));
        start = stop + 1;
    }
    return words;
}

std::string baseName(const std::string& command) {
    const std::string first = splitWords(command).at(0);
    const size_t slash = first.rfind('/');
    std::string name = slash == std::string::npos ? first : first.substr(slash + 1);
    const std::vector<std::string> words = splitWords(command);
    for (size_t i = 1; i < words.size(); ++i)
        name += " " + words[i];
    return name;
}

// Errors on windows that have gone away meanwhile are expected; nothing
// else is sent that could fail.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

// A private X server on a free display, started with -displayfd.
class PrivateServer {
public:
    // On `display` (":N"), or on the first free one when it is empty.
    bool start(int dpi, const std::string& display) {
        if (!display.empty())
            return startOn(dpi, display);
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        const std::string fd = std::to_string(fds[1]);
        const std::string dpiText = std::to_string(dpi);
        const char* argv[] = {"Xvfb",      "-displayfd",  fd.c_str(), "-screen",
                              "0",         "1280x800x24", "-dpi",     dpiText.c_str(),
                              "-nolisten", "tcp",         "-noreset", nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int failed = posix_spawnp(&m_pid, "Xvfb", &actions, nullptr,
                                        const_cast<char* const*>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (failed) {
            close(fds[0]);
            return false;
        }
        // The number comes as a line, possibly in more than one write; the
        // server fails if the pipe closes before the whole line is read.
        std::string number;
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (number.empty())
            return false;
        m_display = ":" + std::to_string(std::atoi(number.c_str()));
        return waitUntilReady();
    }
    const std::string& display() const { return m_display; }
    ~PrivateServer() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }

private:
    bool startOn(int dpi, const std::string& display) {
        const std::string dpiText = std::to_string(dpi);
        const char* argv[] = {"Xvfb",        display.c_str(), "-screen",       "0",
                              "1280x800x24", "-dpi",          dpiText.c_str(), "-nolisten",
                              "tcp",         "-noreset",      nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int failed = posix_spawnp(&m_pid, "Xvfb", &actions, nullptr,
                                        const_cast<char* const*>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (failed)
            return false;
        m_display = display;
        return waitUntilReady();
    }

    // Ready once it accepts a connection. The server runs with -noreset:
    // otherwise the probe's leaving, as the last client, would start a
    // server reset that refuses the next connection.
    bool waitUntilReady() const {
        for (int tries = 0; tries < 100; ++tries) {
            if (Display* probe = XOpenDisplay(m_display.c_str())) {
                XCloseDisplay(probe);
                return true;
            }
            usleep(50000);
        }
        return false;
    }

    pid_t m_pid = -1;
    std::string m_display;
};

struct Painted {
    Window window = 0;
    Clock::time_point at;
};

// One pixel of a drawable as it is on the server, or ~0 when it cannot be
// read.
unsigned long pixelAt(Display* display, Drawable drawable, int x, int y) {
    XImage* image = XGetImage(display, drawable, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return ~0UL;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return pixel;
}

class Observer {
public:
    explicit Observer(Display* display) : m_display(display) {
        int error = 0;
        m_ok = XDamageQueryExtension(display, &m_damageEvent, &error);
        XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
        XSync(display, False);
    }
    bool ok() const { return m_ok; }

    // Waits for events until `done` says so or the time runs out; every
    // batch of events read together carries the time it arrived.
    template <typename Done> bool waitFor(double timeoutMs, Done done) {
        const auto deadline = Clock::now() + std::chrono::microseconds(long(timeoutMs * 1000));
        while (true) {
            // Events read from the socket now arrived now; events already
            // queued keep the time of the read that queued them.
            if (XEventsQueued(m_display, QueuedAlready) == 0 &&
                XEventsQueued(m_display, QueuedAfterReading) > 0)
                m_arrived = Clock::now();
            while (XEventsQueued(m_display, QueuedAlready) > 0) {
                XEvent event;
                XNextEvent(m_display, &event);
                handle(event);
                if (done())
                    return true;
            }
            const auto now = Clock::now();
            if (now >= deadline)
                return false;
            pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
            const int wait = int(std::ceil(msSince(now, deadline)));
            poll(&fd, 1, wait);
        }
    }

    // Forgets every window seen so far.
    void reset() {
        m_traceFrom = Clock::now();
        for (auto& [window, state] : m_windows)
            XDamageDestroy(m_display, state.damage);
        m_windows.clear();
        m_firstFull.reset();
        m_damaged.clear();
        XSync(m_display, False);
    }

    // How many whole-window reports came before the program had painted.
    long unpaintedReports() const { return m_unpaintedReports; }

    // The windows that exist now.
    const std::set<Window>& liveWindows() const { return m_live; }

    const std::optional<Painted>& firstFullFrame() const { return m_firstFull; }
    // The arrival times of the damage reports since the last reset.
    const std::vector<Clock::time_point>& damageTimes() const { return m_damaged; }
    void clearDamageTimes() { m_damaged.clear(); }
    Window mainWindow() const { return m_firstFull ? m_firstFull->window : 0; }

private:
    struct WindowState {
        Damage damage = 0;
        int width = 0;
        int height = 0;
        std::vector<bool> covered;
        long coveredCount = 0;
        unsigned long unpainted = ~0UL;
    };

    void handle(const XEvent& event) {
        if (event.type == DestroyNotify) {
            m_live.erase(event.xdestroywindow.window);
        } else if (event.type == CreateNotify) {
            m_live.insert(event.xcreatewindow.window);
            const XCreateWindowEvent& created = event.xcreatewindow;
            if (m_trace)
                std::fprintf(stderr, "created 0x%lx %dx%d at %.3f ms\n", created.window,
                             created.width, created.height, msSince(m_traceFrom, m_arrived));
            WindowState state;
            state.damage = XDamageCreate(m_display, created.window, XDamageReportRawRectangles);
            // What the middle of the window shows before the program has
            // painted it: what lies beneath it.
            state.unpainted =
                pixelAt(m_display, DefaultRootWindow(m_display), created.x + created.width / 2,
                        created.y + created.height / 2);
            m_windows[created.window] = std::move(state);
            XFlush(m_display);
        } else if (event.type == m_damageEvent + XDamageNotify) {
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            m_damaged.push_back(m_arrived);
            if (m_trace)
                std::fprintf(stderr, "damage 0x%lx %dx%d+%d+%d of %dx%d at %.3f ms\n",
                             damage.drawable, damage.area.width, damage.area.height, damage.area.x,
                             damage.area.y, damage.geometry.width, damage.geometry.height,
                             msSince(m_traceFrom, m_arrived));
            auto found = m_windows.find(damage.drawable);
            if (found == m_windows.end() || m_firstFull)
                return;
            WindowState& state = found->second;
            const int width = damage.geometry.width;
            const int height = damage.geometry.height;
            // A window of a few pixels is one of the toolkit's helpers.
            if (width < 64 || height < 64)
                return;
            if (state.width != width || state.height != height) {
                state.width = width;
                state.height = height;
                state.covered.assign(size_t(width) * size_t(height), false);
                state.coveredCount = 0;
            }
            const int x0 = std::max(0, int(damage.area.x));
            const int y0 = std::max(0, int(damage.area.y));
            const int x1 = std::min(width, int(damage.area.x) + int(damage.area.width));
            const int y1 = std::min(height, int(damage.area.y) + int(damage.area.height));
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) {
                    const size_t at = size_t(y) * size_t(width) + size_t(x);
                    if (!state.covered[at]) {
                        state.covered[at] = true;
                        ++state.coveredCount;
                    }
                }
            }
            if (state.coveredCount == long(width) * long(height)) {
                // The server may report the whole window damaged before
                // the program has drawn anything (a window with no
                // background, mapped or resized); one pixel read, after the
                // time is taken, tells that apart from the program's frame.
                if (pixelAt(m_display, damage.drawable, width / 2, height / 2) == state.unpainted) {
                    state.covered.assign(state.covered.size(), false);
                    state.coveredCount = 0;
                    ++m_unpaintedReports;
                    return;
                }
                m_firstFull = Painted{damage.drawable, m_arrived};
            }
        }
    }

    Display* m_display;
    bool m_ok = false;
    int m_damageEvent = 0;
    Clock::time_point m_arrived = Clock::now();
    bool m_trace = std::getenv("MIVESK_FIRST_FRAME_TRACE") != nullptr;
    Clock::time_point m_traceFrom = Clock::now();
    std::map<Window, WindowState> m_windows;
    std::set<Window> m_live;
    long m_unpaintedReports = 0;
    std::optional<Painted> m_firstFull;
    std::vector<Clock::time_point> m_damaged;
};

struct Child {
    pid_t pid = -1;
    Clock::time_point started;
};

Child spawn(const std::string& command, const std::string& display) {
    std::vector<std::string> words = splitWords(command);
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable) {
        if (std::strncmp(*variable, "DISPLAY=", 8) != 0 &&
            std::strncmp(*variable, "QT_QPA_PLATFORM=", 16) != 0)
            variables.emplace_back(*variable);
    }
    variables.push_back("DISPLAY=" + display);
    variables.push_back("QT_QPA_PLATFORM=xcb");
    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    Child child;
    child.started = Clock::now();
    if (posix_spawn(&child.pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        child.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

void stop(Child& child) {
    if (child.pid > 0) {
        kill(child.pid, SIGTERM);
        waitpid(child.pid, nullptr, 0);
        child.pid = -1;
    }
}

struct StartupRun {
    double ms = NAN;
    long peakKiB = -1;
};

// A checksum of a window's pixels as they are on the server.
unsigned long windowChecksum(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return 0;
    XImage* image = XGetImage(display, window, 0, 0, unsigned(attributes.width),
                              unsigned(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return 0;
    unsigned long sum = 0;
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x)
            sum = sum * 31 + XGetPixel(image, x, y);
    }
    XDestroyImage(image);
    return sum;
}

// One start of one program: exec to its first whole painted frame.
std::optional<StartupRun> startOnce(Display* display, Observer& observer,
                                    const std::string& command, const std::string& displayName) {
    observer.reset();
    const std::set<Window> before = observer.liveWindows();
    Child child = spawn(command, displayName);
    if (child.pid < 0) {
        std::fprintf(stderr, "bench_first_frame: cannot start %s\n", command.c_str());
        return std::nullopt;
    }
    const bool painted =
        observer.waitFor(10000, [&] { return observer.firstFullFrame().has_value(); });
    StartupRun run;
    if (painted) {
        run.ms = msSince(child.started, observer.firstFullFrame()->at);
        run.peakKiB = peakResidentKiB("/proc/" + std::to_string(child.pid) + "/status");
        if (std::getenv("MIVESK_FIRST_FRAME_TRACE")) {
            // Whether the frame taken as the first painted one is the
            // window the user is left with.
            const Window window = observer.firstFullFrame()->window;
            const unsigned long first = windowChecksum(display, window);
            usleep(500000);
            std::fprintf(stderr, "first frame %s the window 0.5 s later\n",
                         first == windowChecksum(display, window) ? "equals" : "DIFFERS FROM");
        }
    }
    stop(child);
    // The next program starts with this one's windows gone: one still
    // mapped above it would hide, and so delay, its first frame. (A session
    // bus started on demand keeps a window of its own for good.)
    observer.waitFor(500, [&] {
        return std::includes(before.begin(), before.end(), observer.liveWindows().begin(),
                             observer.liveWindows().end());
    });
    if (!painted) {
        std::fprintf(stderr, "bench_first_frame: no painted window from %s\n", command.c_str());
        return std::nullopt;
    }
    return run;
}

// How late a report can reach the probe: one request's round trip to the
// server and back, median of 200.
double roundTripMicros(Display* display) {
    std::vector<double> trips;
    for (int i = 0; i < 200; ++i) {
        const auto before = Clock::now();
        XSync(display, False);
        trips.push_back(msSince(before, Clock::now()) * 1000.0);
    }
    return quantile(trips, 0.5);
}

#ifdef MIVESK_HAVE_XTEST
// Clicks at a point of the window and returns the time from the release
// (which is what the controls act on) to the last damage report of the
// repaint, found as the last report before `quietMs` without any.
double clickAndRepaint(Display* display, Observer& observer, int x, int y, double quietMs) {
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XSync(display, False);
    observer.waitFor(quietMs, [] { return false; });
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XSync(display, False);
    observer.waitFor(2, [] { return false; });
    observer.clearDamageTimes();
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
    const auto released = Clock::now();
    // Wait for the first report, then until the server has been quiet.
    observer.waitFor(1000, [&] { return !observer.damageTimes().empty(); });
    size_t seen = 0;
    while (observer.damageTimes().size() != seen) {
        seen = observer.damageTimes().size();
        observer.waitFor(quietMs, [&] { return observer.damageTimes().size() != seen; });
    }
    if (observer.damageTimes().empty())
        return NAN;
    return msSince(released, observer.damageTimes().back());
}
#endif

struct Options {
    int pairs = 15;
    int warmup = 2;
    int clicks = 0;
    int clickRuns = 3;
    int dpi = 96;
    bool xvfb = false;
    std::string xvfbDisplay;
    std::vector<std::string> commands;
};

void printSeries(const char* what, const std::vector<double>& values, const char* unit) {
    std::printf("  %-28s median %7.2f %s   p10-p90 %7.2f-%-7.2f  min %7.2f  max %7.2f  (n=%zu)\n",
                what, quantile(values, 0.5), unit, quantile(values, 0.1), quantile(values, 0.9),
                quantile(values, 0.0), quantile(values, 1.0), values.size());
}

int measureStartup(Display* display, Observer& observer, const Options& options,
                   const std::string& displayName) {
    const size_t n = options.commands.size();
    std::vector<std::vector<double>> times(n);
    std::vector<std::vector<double>> peaks(n);
    // ratios[k]: the first program over program k, per round.
    std::vector<std::vector<double>> ratios(n);
    const std::string loadBefore = loadAverage();
    for (int round = -options.warmup; round < options.pairs; ++round) {
        std::vector<double> thisRound(n, NAN);
        for (size_t i = 0; i < n; ++i) {
            // Odd rounds run the programs in the reverse order.
            const size_t k = (round % 2 != 0) ? n - 1 - i : i;
            const auto run = startOnce(display, observer, options.commands[k], displayName);
            if (!run)
                return 1;
            thisRound[k] = run->ms;
            if (round >= 0) {
                times[k].push_back(run->ms);
                peaks[k].push_back(double(run->peakKiB) / 1024.0);
            }
        }
        if (round >= 0) {
            for (size_t k = 1; k < n; ++k)
                ratios[k].push_back(thisRound[0] / thisRound[k]);
        }
    }
    std::printf("Exec to first whole painted frame (X server %s, DAMAGE), %d alternated rounds "
                "after %d warm-up; load average %s before, %s after\n",
                displayName.c_str(), options.pairs, options.warmup, loadBefore.c_str(),
                loadAverage().c_str());
    std::printf("  resolution: clock 1 ns; a report reaches the probe within one X round trip, "
                "median %.0f us; whole-window reports before any paint, set aside: %ld\n",
                roundTripMicros(display), observer.unpaintedReports());
    for (size_t k = 0; k < n; ++k) {
        std::printf("%s\n", baseName(options.commands[k]).c_str());
        printSeries("exec to painted window", times[k], "ms ");
        printSeries("peak memory at that frame", peaks[k], "MiB");
    }
    for (size_t k = 1; k < n; ++k) {
        const double ratio = quantile(ratios[k], 0.5);
        std::printf("ratio %s / %s: median of the rounds' ratios %.3f (p10-p90 %.3f-%.3f), of "
                    "the medians %.3f; peak memory %+.1f MiB\n",
                    baseName(options.commands[0]).c_str(), baseName(options.commands[k]).c_str(),
                    ratio, quantile(ratios[k], 0.1), quantile(ratios[k], 0.9),
                    quantile(times[0], 0.5) / quantile(times[k], 0.5),
                    quantile(peaks[0], 0.5) - quantile(peaks[k], 0.5));
    }
    return 0;
}

#ifdef MIVESK_HAVE_XTEST
// The main window's controls, in window coordinates: the centres of Set,
// Next, Check and two dots of the input cell.
struct Point {
    int x;
    int y;
};
constexpr Point SetButton{375, 147};
constexpr Point NextButton{234, 217};
constexpr Point CheckButton{163, 216};
constexpr Point DotA{208, 120};
constexpr Point DotB{168, 152};

int measureClicks(Display* display, Observer& observer, const Options& options,
                  const std::string& displayName) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        std::fprintf(stderr, "bench_first_frame: the X server has no XTEST\n");
        return 1;
    }
    const double quietMs = 25;
    std::printf("Click to repainted window (XTEST release to the last DAMAGE report before "
                "%.0f ms without any), %d rounds of Next, 2 dots, Check per run\n",
                quietMs, options.clicks);
    std::map<std::string, std::vector<double>> mediansOfRuns, p99sOfRuns;
    for (int run = 0; run < options.clickRuns; ++run) {
        observer.reset();
        const std::set<Window> before = observer.liveWindows();
        Child child = spawn(options.commands[0], displayName);
        if (!observer.waitFor(10000, [&] { return observer.firstFullFrame().has_value(); })) {
            stop(child);
            return 1;
        }
        const Window window = observer.mainWindow();
        int originX = 0, originY = 0;
        Window ignored;
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &originX, &originY,
                              &ignored);
        const auto click = [&](Point point) {
            return clickAndRepaint(display, observer, originX + point.x, originY + point.y,
                                   quietMs);
        };
        click(SetButton);
        std::map<std::string, std::vector<double>> series;
        for (int round = 0; round < options.clicks + 5; ++round) {
            const double next = click(NextButton);
            const double dotA = click(DotA);
            const double dotB = click(DotB);
            const double check = click(CheckButton);
            if (round < 5)
                continue; // warm-up
            series["Next"].push_back(next);
            series["dot"].push_back(dotA);
            series["dot"].push_back(dotB);
            series["Check"].push_back(check);
        }
        stop(child);
        observer.waitFor(500, [&] {
            return std::includes(before.begin(), before.end(), observer.liveWindows().begin(),
                                 observer.liveWindows().end());
        });
        std::printf("run %d, load average %s\n", run + 1, loadAverage().c_str());
        for (auto& [name, values] : series) {
            const auto missing =
                std::count_if(values.begin(), values.end(), [](double v) { return std::isnan(v); });
            values.erase(std::remove_if(values.begin(), values.end(),
                                        [](double v) { return std::isnan(v); }),
                         values.end());
            const double median = quantile(values, 0.5);
            const double p99 = quantile(values, 0.99);
            mediansOfRuns[name].push_back(median);
            p99sOfRuns[name].push_back(p99);
            std::printf("  %-6s median %6.2f ms  p99 %6.2f ms  max %6.2f ms  (n=%zu%s)\n",
                        name.c_str(), median, p99, quantile(values, 1.0), values.size(),
                        missing ? ", some clicks repainted nothing" : "");
        }
    }
    std::printf("median of the runs:\n");
    for (const auto& [name, p99s] : p99sOfRuns) {
        const double p99 = quantile(p99s, 0.5);
        std::printf("  %-6s median %6.2f ms  p99 %6.2f ms   p99 < 3 ms %s\n", name.c_str(),
                    quantile(mediansOfRuns[name], 0.5), p99, p99 < 3.0 ? "met" : "MISSED");
    }
    return 0;
}
#endif

} // namespace

int main(int argc, char* argv[]) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto number = [&] { return i + 1 < argc ? std::atoi(argv[++i]) : 0; };
        if (arg == "--pairs")
            options.pairs = number();
        else if (arg == "--warmup")
            options.warmup = number();
        else if (arg == "--clicks")
            options.clicks = number();
        else if (arg == "--runs")
            options.clickRuns = number();
        else if (arg == "--dpi")
            options.dpi = number();
        else if (arg == "--xvfb")
            options.xvfb = true;
        else if (arg.rfind("--xvfb=", 0) == 0) {
            options.xvfb = true;
            options.xvfbDisplay = arg.substr(7);
        } else
            options.commands.push_back(arg);
    }
    if (options.commands.empty() || options.pairs < 1 || options.warmup < 0) {
        std::fprintf(stderr, "usage: bench_first_frame [--xvfb[=:N]] [--dpi N] [--pairs N] "
                             "[--warmup N] [--clicks N [--runs N]] PROGRAM [REFERENCE...]\n");
        return 2;
    }
    signal(SIGPIPE, SIG_IGN);

    PrivateServer server;
    std::string displayName;
    if (options.xvfb) {
        if (!server.start(options.dpi, options.xvfbDisplay)) {
            std::fprintf(stderr, "bench_first_frame: cannot start Xvfb\n");
            return 1;
        }
        displayName = server.display();
    } else if (const char* env = std::getenv("DISPLAY")) {
        displayName = env;
    } else {
        std::fprintf(stderr, "bench_first_frame: no DISPLAY; give --xvfb\n");
        return 1;
    }

    Display* display = XOpenDisplay(displayName.c_str());
    if (!display) {
        std::fprintf(stderr, "bench_first_frame: cannot open display %s\n", displayName.c_str());
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    Observer observer(display);
    if (!observer.ok()) {
        std::fprintf(stderr, "bench_first_frame: the X server has no DAMAGE\n");
        return 1;
    }

    int status = 0;
    if (options.clicks > 0) {
#ifdef MIVESK_HAVE_XTEST
        status = measureClicks(display, observer, options, displayName);
#else
        std::fprintf(stderr, "bench_first_frame: built without XTEST\n");
        status = 1;
#endif
    } else {
        status = measureStartup(display, observer, options, displayName);
    }
    observer.reset();
    XCloseDisplay(display);
    return status;
}
