#include "ModeTable.h"

#include <array>

namespace mivesk {

namespace {

// Records of the ten rows of the kana table, in table order (the や and わ
// rows hold three kana each), then all 46 kana.
constexpr std::array<ModeRange, 11> ranges{{
    {1, 5},   // あ
    {6, 10},  // か
    {11, 15}, // さ
    {16, 20}, // た
    {21, 25}, // な
    {26, 30}, // は
    {31, 35}, // ま
    {36, 38}, // や
    {39, 43}, // ら
    {44, 46}, // わ
    {1, 46},  // 50音順
}};

} // namespace

ModeRange modeRange(int mode) {
    return ranges.at(static_cast<size_t>(mode));
}

} // namespace mivesk
