// The program's start-up up to the main window's first paint: the same
// steps as the program itself (font names, the dictionary file found and
// opened, the engine, the window with all its pictures), then it quits.

#include "StartupProbe.h"

#include "DataFileCheck.h"
#include "DataFileLocator.h"
#include "DrillEngine.h"
#include "FileDictionarySource.h"
#include "Fonts.h"
#include "Form1.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    const auto start = mivesk::bench::StartClock::now();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mivesk"));
    mivesk::registerFontSubstitutes();

    mivesk::DataFileCheck data = mivesk::checkDataFile(mivesk::dataFileCandidates());
    if (!data.dictionary) {
        std::fprintf(stderr, "bench_startup_form1: %s\n", qPrintable(data.problem));
        return 1;
    }

    auto engine = std::make_unique<mivesk::DrillEngine>(
        std::move(data.dictionary), std::make_unique<mivesk::ClockSeededRandom>());
    mivesk::Form1 window(std::move(engine));
    window.centreOnScreen();
    mivesk::bench::StartupProbe probe(start, &window);
    window.show();
    return app.exec();
}
