#pragma once

#include <QString>

#include <array>

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

    bool operator==(const MainWindowView&) const = default;
};

} // namespace mivesk
