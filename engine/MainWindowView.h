#pragma once

#include "Grading.h"

#include <QString>

#include <array>
#include <optional>

namespace mivesk {

enum class DotPicture : quint8 { Off, On };

// Everything the drill changes on the main window, as plain values named
// after the controls that show them. The window renders this and nothing
// else; at start it holds what the window shows before the first Set.
struct MainWindowView {
    QString Lb_Main = QStringLiteral("♪");
    std::array<DotPicture, 6> ImTen{};
    std::array<DotPicture, 6> ImTenKai{};
    bool imgSeikai = false;
    bool imgOsii = false;
    bool imgFuseikai = false;
    bool ShpCover = false;
    bool Shp_first = true;
    bool Lb_First = true;
    bool Shp_FirstBak = true;
    QString lblRitsu;
    QString lblCount;
    QString TexCheck = QStringLiteral("チェック用\r\n");

    // Shown by no control, told to a screen reader: whether Set has shown a
    // kana yet (until then Check, Next and Reset have nothing to work on),
    // and the verdict of the last Check while its mark is up.
    bool hasQuestion = false;
    std::optional<Verdict> lastVerdict;

    bool operator==(const MainWindowView&) const = default;
};

} // namespace mivesk
