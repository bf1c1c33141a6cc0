#include "Fonts.h"

#include <QStringList>

#include <cmath>

namespace mivesk {

namespace {

// The pixel size of `points` at 96 dots per inch, rounded to the nearest pixel.
int pixelsForPoints(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

} // namespace

void registerFontSubstitutes() {
    QFont::insertSubstitution(QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
}

QFont windowsFont(const QString& family, double points, bool bold, bool underline) {
    // Ask for the stand-in itself. Qt tries a font's families in turn, and for
    // a first family that no installed font has it first asks fontconfig for
    // a sorted list of fallback fonts, once per style and script; so does
    // loading any font that brings further families along. Those searches
    // were a fifth of the main window's start-up, so the font names only the
    // installed stand-in and Qt finds it at once. Every Windows name that maps
    // to the same stand-in gives the same font, which Qt's font cache shares.
    const QStringList standIns = QFont::substitutes(family);
    QFont font(standIns.isEmpty() ? family : standIns.first());
    font.setPixelSize(pixelsForPoints(points));
    font.setBold(bold);
    font.setUnderline(underline);
    // Where neither the named font nor its substitute exists, any sans-serif
    // Japanese font of the same size will do.
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace mivesk
