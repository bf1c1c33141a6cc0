// A window of the main window's size with one line of Japanese text in the
// main window's font: the least any window that shows text pays at
// start-up (the font database and one font's glyphs). Compared with the
// bare window, it shows how much of the main window's start-up is the cost
// of drawing text at all.

#include "StartupProbe.h"

#include "Fonts.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    const auto start = mivesk::bench::StartClock::now();

    QApplication app(argc, argv);
    mivesk::registerFontSubstitutes();
    QWidget window;
    window.setFixedSize(429, 263);
    auto* label = new QLabel(QStringLiteral("点字練習帳　「Mivesk」"), &window);
    label->setFont(mivesk::windowsFont(QStringLiteral("MS UI Gothic"), 9));
    label->setGeometry(80, 8, 129, 17);
    mivesk::bench::StartupProbe probe(start, &window);
    window.show();
    return app.exec();
}
