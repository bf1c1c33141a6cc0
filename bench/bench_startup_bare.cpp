// A bare window of the main window's size (the palette's background, no
// style sheet): the floor that the main window's start-up is measured
// against. It quits after its first paint, for whole-process timers; with
// --stay it stays open as the program does, for bench_first_frame.

#include "StartupProbe.h"

#include <QApplication>
#include <QWidget>

#include <cstring>
#include <optional>

int main(int argc, char* argv[]) {
    const bool stay = argc > 1 && std::strcmp(argv[1], "--stay") == 0;

    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(429, 263);
    std::optional<mivesk::bench::StartupProbe> probe;
    if (!stay)
        probe.emplace(&window);
    window.show();
    return app.exec();
}
