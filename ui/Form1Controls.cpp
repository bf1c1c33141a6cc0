#include "Form1Controls.h"

#include <array>

namespace mivesk {

namespace {

using namespace table;

// The welcome text tells the user what to do first; it is the drill's only
// guard against pressing other buttons before Set.
constexpr const char* WelcomeText =
    "ようこそ！このソフトは点字を学習するためのものです。まず右にある練習モードを選択しましょう。"
    "決めたら、下の「Set」をクリックしてください。それ以外のボタンを押すととんでもない事になります"
    "！";

// clang-format off
constexpr std::array Controls{
    //             name            index kind        x    y    w    h   order visible tab  content                  accessible name
    ControlDesign{"imgFuseikai",   No, K::Image,  { 64,   8, 162, 188},  1, false, -1, "mark_incorrect",  "不正解"},
    ControlDesign{"imgOsii",       No, K::Image,  { 48,  40, 196, 165},  2, false, -1, "mark_almost",     "おしい"},
    ControlDesign{"imgSeikai",     No, K::Image,  { 72,  16, 161, 188},  3, false, -1, "mark_correct",    "正解"},
    ControlDesign{"lblCount",      No, K::Label,  { 64,  32,  49,  25},  4, true,  -1, "",                nullptr},
    ControlDesign{"lblRitsu",      No, K::Label,  {  0,  32,  57,  25},  5, true,  -1, "",                nullptr},
    ControlDesign{"ShpCover",      No, K::Shape,  { 64,  80,  81, 121},  6, false, -1, nullptr,           nullptr},
    ControlDesign{"Im_Hint",       No, K::Image,  {304, 232,  85,  28},  7, true,  -1, "button_hint",     "ヒント"},
    ControlDesign{"Label4",        No, K::Label,  { 80,   8, 129,  17},  8, true,  -1, "点字練習帳　「Mivesk」", nullptr},
    ControlDesign{"Label1",        No, K::Label,  {304,  64,  73,  17},  9, true,  -1, "-練習モード-",    nullptr},
    ControlDesign{"Im_Reset",      No, K::Image,  {296, 176,  82,  19}, 10, true,  -1, "button_reset",    "はじめから"},
    ControlDesign{"Im_End",        No, K::Image,  {312, 200,  49,  19}, 11, true,  -1, "button_end",      "おわり"},
    ControlDesign{"Im_Set",        No, K::Image,  {352, 136,  46,  23}, 12, true,  -1, "button_set",      "セット"},
    ControlDesign{"Lb_First",      No, K::Label,  { 56, 104, 185,  81}, 13, true,  -1, WelcomeText,       nullptr},
    ControlDesign{"Shp_first",     No, K::Shape,  { 48,  88, 201, 113}, 14, true,  -1, nullptr,           nullptr},
    ControlDesign{"Im_Version",    No, K::Image,  {  2, 224,  36,  36}, 15, true,  -1, "app_icon",        "バージョン情報"},
    ControlDesign{"Image3",        No, K::Image,  {307,  24,  66,  33}, 16, true,  -1, "heading_concave", "凹面"},
    ControlDesign{"Imtenoff",      No, K::Image,  {  0, 136,  32,  32}, 17, false, -1, "dot_off",         nullptr},
    ControlDesign{"Imtenon",       No, K::Image,  {  0,  96,  32,  32}, 18, false, -1, "dot_on",          nullptr},
    ControlDesign{"Label3",        No, K::Label,  { 88,  88,  33,  17}, 19, true,  -1, "答え",            nullptr},
    ControlDesign{"Label2",        No, K::Label,  {176,  88,  33,  17}, 20, true,  -1, "入力",            nullptr},
    ControlDesign{"Lb_Main",       No, K::Label,  {123,  32,  42,  41}, 21, true,  -1, "♪",              nullptr},
    ControlDesign{"Shape2",        No, K::Shape,  { 62,  24, 166,  49}, 22, true,  -1, nullptr,           nullptr},
    ControlDesign{"Shape1",        No, K::Shape,  {  0,   0,  41, 265}, 23, true,  -1, nullptr,           nullptr},
    ControlDesign{"Shape4",        No, K::Shape,  { 72,  32, 166,  49}, 24, true,  -1, nullptr,           nullptr},
    ControlDesign{"Shp_FirstBak",  No, K::Shape,  { 56,  96, 201, 113}, 25, true,  -1, nullptr,           nullptr},
    ControlDesign{"Shp_Blue",      No, K::Shape,  {264,  16, 153, 209}, 26, true,  -1, nullptr,           nullptr},
    // The two cells: index 0-2 (dots 1-3) down the right-hand column,
    // 3-5 (dots 4-6) down the left-hand one, as seen from the writing side.
    ControlDesign{"ImTen",          2, K::Image,  {192, 168,  32,  32}, 27, true,  -1, "dot_off",         "入力の点3"},
    ControlDesign{"ImTen",          5, K::Image,  {152, 168,  32,  32}, 28, true,  -1, "dot_off",         "入力の点6"},
    ControlDesign{"ImTenKai",       5, K::Image,  { 64, 168,  32,  32}, 29, true,  -1, "dot_off",         "答えの点6"},
    ControlDesign{"ImTenKai",       4, K::Image,  { 64, 136,  32,  32}, 30, true,  -1, "dot_off",         "答えの点5"},
    ControlDesign{"ImTenKai",       3, K::Image,  { 64, 104,  32,  32}, 31, true,  -1, "dot_off",         "答えの点4"},
    ControlDesign{"ImTenKai",       2, K::Image,  {104, 168,  32,  32}, 32, true,  -1, "dot_off",         "答えの点3"},
    ControlDesign{"ImTenKai",       1, K::Image,  {104, 136,  32,  32}, 33, true,  -1, "dot_off",         "答えの点2"},
    ControlDesign{"ImTenKai",       0, K::Image,  {104, 104,  32,  32}, 34, true,  -1, "dot_off",         "答えの点1"},
    ControlDesign{"ImTen",          4, K::Image,  {152, 136,  32,  32}, 35, true,  -1, "dot_off",         "入力の点5"},
    ControlDesign{"ImTen",          3, K::Image,  {152, 104,  32,  32}, 36, true,  -1, "dot_off",         "入力の点4"},
    ControlDesign{"ImTen",          1, K::Image,  {192, 136,  32,  32}, 37, true,  -1, "dot_off",         "入力の点2"},
    ControlDesign{"ImTen",          0, K::Image,  {192, 104,  32,  32}, 38, true,  -1, "dot_off",         "入力の点1"},
    ControlDesign{"Shape3",        No, K::Shape,  { 32, 248, 401,  17}, 39, true,  -1, nullptr,           nullptr},
    ControlDesign{"Im_Next",       No, K::Image,  {208, 200,  53,  34}, 40, true,  -1, "button_next",     "次へ"},
    ControlDesign{"Im_Check",      No, K::Image,  {128, 200,  71,  32}, 41, true,  -1, "button_check",    "チェック"},

    // Windowed controls. The practice modes: the kana rows, then all 46 in
    // order, then random order.
    ControlDesign{"Option1",        0, K::OptionButton, {280,  88, 33, 17}, 0, true,  3, "あ",         nullptr},
    ControlDesign{"Option1",        1, K::OptionButton, {280, 104, 33, 17}, 0, true,  4, "か",         nullptr},
    ControlDesign{"Option1",        2, K::OptionButton, {280, 120, 33, 17}, 0, true,  5, "さ",         nullptr},
    ControlDesign{"Option1",        3, K::OptionButton, {280, 136, 33, 17}, 0, true,  6, "た",         nullptr},
    ControlDesign{"Option1",        4, K::OptionButton, {280, 152, 33, 17}, 0, true,  7, "な",         nullptr},
    ControlDesign{"Option1",        5, K::OptionButton, {312,  88, 33, 17}, 0, true,  8, "は",         nullptr},
    ControlDesign{"Option1",        6, K::OptionButton, {312, 104, 33, 17}, 0, true,  9, "ま",         nullptr},
    ControlDesign{"Option1",        7, K::OptionButton, {312, 120, 33, 17}, 0, true, 10, "や",         nullptr},
    ControlDesign{"Option1",        8, K::OptionButton, {312, 136, 33, 17}, 0, true, 11, "ら",         nullptr},
    ControlDesign{"Option1",        9, K::OptionButton, {312, 152, 33, 17}, 0, true, 12, "わ",         nullptr},
    ControlDesign{"Option1",       10, K::OptionButton, {344,  88, 57, 17}, 0, true, 13, "50音順",     nullptr},
    ControlDesign{"Option1",       11, K::OptionButton, {344, 104, 57, 17}, 0, true, 14, "ランダム",   nullptr},
    ControlDesign{"Check1",        No, K::CheckBox,     { 56, 216, 73, 15}, 0, true, 16, "答えを見る", nullptr},
    // Never shown; it only ever holds the current record number. It runs
    // past the client area's right edge.
    ControlDesign{"TexCheck",      No, K::TextBox,      {408,   0, 25, 18}, 0, false, 19, "チェック用\r\n", nullptr},
};

constexpr std::array LabelStyles{
    //          name        family            points bold   under  text colour            colour               align   opaque background           sunken lines
    LabelStyle{"Lb_Main",  "MS UI Gothic",    30.0,  false, false, TextColour::Fixed,      qRgb(128, 128, 255), Centre, false, 0,                   false,  1},
    LabelStyle{"lblCount", "ＭＳ Ｐゴシック", 9.0,   false, false, TextColour::ButtonText, 0,                   Right,  false, 0,                   false,  1},
    LabelStyle{"lblRitsu", "MS UI Gothic",    15.75, true,  false, TextColour::Fixed,      qRgb(255, 0, 0),     Right,  true,  qRgb(192, 255, 192), true,   1},
    LabelStyle{"Label4",   nullptr,           9.0,   false, false, TextColour::WindowText, 0,                   Left,   false, 0,                   false,  1},
    LabelStyle{"Label1",   "MS UI Gothic",    9.75,  false, false, TextColour::WindowText, 0,                   Left,   false, 0,                   false,  1},
    LabelStyle{"Label3",   "MS UI Gothic",    9.75,  false, false, TextColour::ButtonText, 0,                   Left,   false, 0,                   false,  1},
    LabelStyle{"Label2",   "MS UI Gothic",    9.75,  false, false, TextColour::ButtonText, 0,                   Left,   false, 0,                   false,  1},
    LabelStyle{"Lb_First", "MS UI Gothic",    9.75,  true,  false, TextColour::ButtonText, 0,                   Left,   false, 0,                   false,  6},
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

using A = ImageControl::AccessibleKind;
constexpr std::array ImageStyles{
    //          name           accessible kind  sunken
    ImageStyle{"Im_Hint",     A::Button,       false},
    ImageStyle{"Im_Reset",    A::Button,       false},
    ImageStyle{"Im_End",      A::Button,       false},
    ImageStyle{"Im_Set",      A::Button,       false},
    ImageStyle{"Im_Version",  A::Button,       true},
    ImageStyle{"Im_Next",     A::Button,       false},
    ImageStyle{"Im_Check",    A::Button,       false},
    ImageStyle{"ImTen",       A::InputDot,     false},
    ImageStyle{"ImTenKai",    A::AnswerDot,    false},
    ImageStyle{"imgSeikai",   A::Mark,         false},
    ImageStyle{"imgOsii",     A::Mark,         false},
    ImageStyle{"imgFuseikai", A::Mark,         false},
};
// clang-format on

} // namespace

std::span<const ControlDesign> form1Controls() {
    return Controls;
}

WindowDesign form1Design() {
    return {Controls, LabelStyles, ShapeStyles, ImageStyles};
}

} // namespace mivesk
