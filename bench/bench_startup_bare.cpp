// A bare window of the main window's size: the floor that the main
// window's start-up is measured against. It runs the same steps as
// bench_startup_form1 and nothing else.

#include "StartupProbe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    const auto start = mivesk::bench::StartClock::now();

    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(429, 263);
    mivesk::bench::StartupProbe probe(start, &window);
    window.show();
    return app.exec();
}
