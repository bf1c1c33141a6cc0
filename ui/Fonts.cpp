#include "Fonts.h"

#include <cmath>

namespace mivesk {

void registerFontSubstitutes() {
    QFont::insertSubstitution(QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
}

int pixelsForPoints(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont windowsFont(const QString& family, double points, bool bold, bool underline) {
    QFont font(family);
    font.setPixelSize(pixelsForPoints(points));
    font.setBold(bold);
    font.setUnderline(underline);
    // Where neither the named font nor its substitute exists, any sans-serif
    // Japanese font of the same size will do.
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace mivesk
