#pragma once

#include <QFont>
#include <QString>

namespace mivesk {

// The windows name the Japanese Windows fonts they were designed with. This
// maps those names to the IPA fonts so that the same names work here:
// "MS UI Gothic" and "ＭＳ Ｐゴシック" are proportional (IPAPGothic),
// "ＭＳ ゴシック" is fixed-pitch (IPAGothic). Call once, after the
// application object exists and before any window is built.
void registerFontSubstitutes();

// A font of `points` at 96 dots per inch, set as a pixel size: every window
// has a fixed pixel geometry, so text must not grow with the screen's DPI.
// `family` is one of the Windows names above; the font asks for its
// registered stand-in (the Windows name itself where none is registered).
QFont windowsFont(const QString& family, double points, bool bold = false, bool underline = false);

} // namespace mivesk
