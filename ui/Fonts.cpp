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
    // Only the installed stand-in: a family no font has, or further families,
    // send Qt to fontconfig's slow sorted fallback lists before it looks on.
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
