// The program's start-up up to the main window's first paint: the very
// start-up function the program runs (font names, the dictionary file found
// and opened, the engine, the window with all its pictures), then it quits.

#include "StartupProbe.h"

#include "Startup.h"

#include <memory>

int main(int argc, char* argv[]) {
    std::unique_ptr<mivesk::bench::StartupProbe> probe;
    return mivesk::runMivesk(argc, argv, [&](QWidget& window) {
        probe = std::make_unique<mivesk::bench::StartupProbe>(&window);
    });
}
