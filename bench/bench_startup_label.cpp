// The bare window with one line of Japanese text in the main window's font:
// the least any window that shows text pays at start-up (the font database
// and one font's glyphs). It tells how much of the main window's start-up
// is the cost of drawing text at all. --stay as in bench_startup_bare.

#include "StartupProbe.h"

#include "Fonts.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>
#include <optional>

int main(int argc, char* argv[]) {
    const bool stay = argc > 1 && std::strcmp(argv[1], "--stay") == 0;

    QApplication app(argc, argv);
    mivesk::registerFontSubstitutes();
    QWidget window;
    window.setFixedSize(429, 263);
    auto* label = new QLabel(QStringLiteral("点字練習帳　「Mivesk」"), &window);
    label->setFont(mivesk::windowsFont(QStringLiteral("MS UI Gothic"), 9));
    label->setGeometry(80, 8, 129, 17);
    std::optional<mivesk::bench::StartupProbe> probe;
    if (!stay)
        probe.emplace(&window);
    window.show();
    return app.exec();
}
