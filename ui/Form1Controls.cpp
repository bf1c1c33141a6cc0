#include "Form1Controls.h"

#include <array>

namespace mivesk {

namespace {

using K = ControlKind;
constexpr int No = ControlSpec::NoIndex;

// The welcome text tells the user what to do first; it is the drill's only
// guard against pressing other buttons before Set.
constexpr const char* WelcomeText =
    "ようこそ！このソフトは点字を学習するためのものです。まず右にある練習モードを選択しましょう。"
    "決めたら、下の「Set」をクリックしてください。それ以外のボタンを押すととんでもない事になります"
    "！";

// clang-format off
constexpr std::array Controls{
    //           name            index kind        x    y    w    h   order visible tab  content                  accessible name
    ControlSpec{"imgFuseikai",   No, K::Image,  { 64,   8, 162, 188},  1, false, -1, "mark_incorrect",  "不正解"},
    ControlSpec{"imgOsii",       No, K::Image,  { 48,  40, 196, 165},  2, false, -1, "mark_almost",     "おしい"},
    ControlSpec{"imgSeikai",     No, K::Image,  { 72,  16, 161, 188},  3, false, -1, "mark_correct",    "正解"},
    ControlSpec{"lblCount",      No, K::Label,  { 64,  32,  49,  25},  4, true,  -1, "",                nullptr},
    ControlSpec{"lblRitsu",      No, K::Label,  {  0,  32,  57,  25},  5, true,  -1, "",                nullptr},
    ControlSpec{"ShpCover",      No, K::Shape,  { 64,  80,  81, 121},  6, false, -1, nullptr,           nullptr},
    ControlSpec{"Im_Hint",       No, K::Image,  {304, 232,  85,  28},  7, true,  -1, "button_hint",     "ヒント"},
    ControlSpec{"Label4",        No, K::Label,  { 80,   8, 129,  17},  8, true,  -1, "点字練習帳　「Mivesk」", nullptr},
    ControlSpec{"Label1",        No, K::Label,  {304,  64,  73,  17},  9, true,  -1, "-練習モード-",    nullptr},
    ControlSpec{"Im_Reset",      No, K::Image,  {296, 176,  82,  19}, 10, true,  -1, "button_reset",    "はじめから"},
    ControlSpec{"Im_End",        No, K::Image,  {312, 200,  49,  19}, 11, true,  -1, "button_end",      "おわり"},
    ControlSpec{"Im_Set",        No, K::Image,  {352, 136,  46,  23}, 12, true,  -1, "button_set",      "セット"},
    ControlSpec{"Lb_First",      No, K::Label,  { 56, 104, 185,  81}, 13, true,  -1, WelcomeText,       nullptr},
    ControlSpec{"Shp_first",     No, K::Shape,  { 48,  88, 201, 113}, 14, true,  -1, nullptr,           nullptr},
    ControlSpec{"Im_Version",    No, K::Image,  {  2, 224,  36,  36}, 15, true,  -1, "app_icon",        "バージョン情報"},
    ControlSpec{"Image3",        No, K::Image,  {307,  24,  66,  33}, 16, true,  -1, "heading_concave", "凹面"},
    ControlSpec{"Imtenoff",      No, K::Image,  {  0, 136,  32,  32}, 17, false, -1, "dot_off",         "点なし"},
    ControlSpec{"Imtenon",       No, K::Image,  {  0,  96,  32,  32}, 18, false, -1, "dot_on",          "点あり"},
    ControlSpec{"Label3",        No, K::Label,  { 88,  88,  33,  17}, 19, true,  -1, "答え",            nullptr},
    ControlSpec{"Label2",        No, K::Label,  {176,  88,  33,  17}, 20, true,  -1, "入力",            nullptr},
    ControlSpec{"Lb_Main",       No, K::Label,  {123,  32,  42,  41}, 21, true,  -1, "♪",              nullptr},
    ControlSpec{"Shape2",        No, K::Shape,  { 62,  24, 166,  49}, 22, true,  -1, nullptr,           nullptr},
    ControlSpec{"Shape1",        No, K::Shape,  {  0,   0,  41, 265}, 23, true,  -1, nullptr,           nullptr},
    ControlSpec{"Shape4",        No, K::Shape,  { 72,  32, 166,  49}, 24, true,  -1, nullptr,           nullptr},
    ControlSpec{"Shp_FirstBak",  No, K::Shape,  { 56,  96, 201, 113}, 25, true,  -1, nullptr,           nullptr},
    ControlSpec{"Shp_Blue",      No, K::Shape,  {264,  16, 153, 209}, 26, true,  -1, nullptr,           nullptr},
    // The two cells: index 0-2 (dots 1-3) down the right-hand column,
    // 3-5 (dots 4-6) down the left-hand one, as seen from the writing side.
    ControlSpec{"ImTen",          2, K::Image,  {192, 168,  32,  32}, 27, true,  -1, "dot_off",         nullptr},
    ControlSpec{"ImTen",          5, K::Image,  {152, 168,  32,  32}, 28, true,  -1, "dot_off",         nullptr},
    ControlSpec{"ImTenKai",       5, K::Image,  { 64, 168,  32,  32}, 29, true,  -1, "dot_off",         nullptr},
    ControlSpec{"ImTenKai",       4, K::Image,  { 64, 136,  32,  32}, 30, true,  -1, "dot_off",         nullptr},
    ControlSpec{"ImTenKai",       3, K::Image,  { 64, 104,  32,  32}, 31, true,  -1, "dot_off",         nullptr},
    ControlSpec{"ImTenKai",       2, K::Image,  {104, 168,  32,  32}, 32, true,  -1, "dot_off",         nullptr},
    ControlSpec{"ImTenKai",       1, K::Image,  {104, 136,  32,  32}, 33, true,  -1, "dot_off",         nullptr},
    ControlSpec{"ImTenKai",       0, K::Image,  {104, 104,  32,  32}, 34, true,  -1, "dot_off",         nullptr},
    ControlSpec{"ImTen",          4, K::Image,  {152, 136,  32,  32}, 35, true,  -1, "dot_off",         nullptr},
    ControlSpec{"ImTen",          3, K::Image,  {152, 104,  32,  32}, 36, true,  -1, "dot_off",         nullptr},
    ControlSpec{"ImTen",          1, K::Image,  {192, 136,  32,  32}, 37, true,  -1, "dot_off",         nullptr},
    ControlSpec{"ImTen",          0, K::Image,  {192, 104,  32,  32}, 38, true,  -1, "dot_off",         nullptr},
    ControlSpec{"Shape3",        No, K::Shape,  { 32, 248, 401,  17}, 39, true,  -1, nullptr,           nullptr},
    ControlSpec{"Im_Next",       No, K::Image,  {208, 200,  53,  34}, 40, true,  -1, "button_next",     "次へ"},
    ControlSpec{"Im_Check",      No, K::Image,  {128, 200,  71,  32}, 41, true,  -1, "button_check",    "チェック"},

    // Windowed controls. The practice modes: the kana rows, then all 46 in
    // order, then random order.
    ControlSpec{"Option1",        0, K::OptionButton, {280,  88, 33, 17}, 0, true,  3, "あ",         nullptr},
    ControlSpec{"Option1",        1, K::OptionButton, {280, 104, 33, 17}, 0, true,  4, "か",         nullptr},
    ControlSpec{"Option1",        2, K::OptionButton, {280, 120, 33, 17}, 0, true,  5, "さ",         nullptr},
    ControlSpec{"Option1",        3, K::OptionButton, {280, 136, 33, 17}, 0, true,  6, "た",         nullptr},
    ControlSpec{"Option1",        4, K::OptionButton, {280, 152, 33, 17}, 0, true,  7, "な",         nullptr},
    ControlSpec{"Option1",        5, K::OptionButton, {312,  88, 33, 17}, 0, true,  8, "は",         nullptr},
    ControlSpec{"Option1",        6, K::OptionButton, {312, 104, 33, 17}, 0, true,  9, "ま",         nullptr},
    ControlSpec{"Option1",        7, K::OptionButton, {312, 120, 33, 17}, 0, true, 10, "や",         nullptr},
    ControlSpec{"Option1",        8, K::OptionButton, {312, 136, 33, 17}, 0, true, 11, "ら",         nullptr},
    ControlSpec{"Option1",        9, K::OptionButton, {312, 152, 33, 17}, 0, true, 12, "わ",         nullptr},
    ControlSpec{"Option1",       10, K::OptionButton, {344,  88, 57, 17}, 0, true, 13, "50音順",     nullptr},
    ControlSpec{"Option1",       11, K::OptionButton, {344, 104, 57, 17}, 0, true, 14, "ランダム",   nullptr},
    ControlSpec{"Check1",        No, K::CheckBox,     { 56, 216, 73, 15}, 0, true, 16, "答えを見る", nullptr},
    // Never shown; it only ever holds the current record number. It runs
    // past the client area's right edge.
    ControlSpec{"TexCheck",      No, K::TextBox,      {408,   0, 25, 18}, 0, false, 19, "チェック用\r\n", nullptr},
};

constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignTop;
constexpr Qt::Alignment Centre = Qt::AlignHCenter | Qt::AlignTop;

constexpr std::array LabelStyles{
    //          name        family            points bold   text colour            colour               align   opaque background           sunken
    LabelStyle{"Lb_Main",  "MS UI Gothic",    30.0,  false, TextColour::Fixed,      qRgb(128, 128, 255), Centre, false, 0,                   false},
    LabelStyle{"lblCount", "ＭＳ Ｐゴシック", 9.0,   false, TextColour::ButtonText, 0,                   Right,  false, 0,                   false},
    LabelStyle{"lblRitsu", "MS UI Gothic",    15.75, true,  TextColour::Fixed,      qRgb(255, 0, 0),     Right,  true,  qRgb(192, 255, 192), true},
    LabelStyle{"Label4",   nullptr,           9.0,   false, TextColour::WindowText, 0,                   Left,   false, 0,                   false},
    LabelStyle{"Label1",   "MS UI Gothic",    9.75,  false, TextColour::WindowText, 0,                   Left,   false, 0,                   false},
    LabelStyle{"Label3",   "MS UI Gothic",    9.75,  false, TextColour::ButtonText, 0,                   Left,   false, 0,                   false},
    LabelStyle{"Label2",   "MS UI Gothic",    9.75,  false, TextColour::ButtonText, 0,                   Left,   false, 0,                   false},
    LabelStyle{"Lb_First", "MS UI Gothic",    9.75,  true,  TextColour::ButtonText, 0,                   Left,   false, 0,                   false},
};

constexpr std::array ShapeStyles{
    //          name            rounded fill                 hatched hatch
    ShapeStyle{"Shp_Blue",     true,  qRgb(192, 192, 255), false, 0},
    ShapeStyle{"Shape2",       true,  qRgb(192, 255, 192), false, 0},
    ShapeStyle{"Shape4",       true,  qRgb(128, 128, 128), false, 0}, // shadow of Shape2
    ShapeStyle{"Shape1",       false, qRgb(255, 192, 192), false, 0},
    ShapeStyle{"Shape3",       false, qRgb(192, 255, 192), false, 0},
    ShapeStyle{"Shp_first",    true,  qRgb(255, 128, 128), false, 0},
    ShapeStyle{"Shp_FirstBak", true,  qRgb(128, 128, 128), false, 0}, // shadow of Shp_first
    ShapeStyle{"ShpCover",     true,  qRgb(255, 255, 255), true,  qRgb(255, 192, 192)},
};
// clang-format on

} // namespace

std::span<const ControlSpec> form1Controls() {
    return Controls;
}

QString objectNameOf(const ControlSpec& control) {
    const QString name = QString::fromLatin1(control.name);
    if (control.index == ControlSpec::NoIndex)
        return name;
    return name + QLatin1Char('_') + QString::number(control.index);
}

std::span<const LabelStyle> form1LabelStyles() {
    return LabelStyles;
}

std::span<const ShapeStyle> form1ShapeStyles() {
    return ShapeStyles;
}

} // namespace mivesk
