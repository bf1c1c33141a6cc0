#pragma once

#include "WindowDesign.h"

#include <span>

namespace mivesk {

// Every control of the main window in one table, and the looks of those
// that differ from the plain ones. Control-array members: "ImTen_0" to
// "ImTen_5", "ImTenKai_0" to "ImTenKai_5", "Option1_0" to "Option1_11".

// The controls, windowless ones from the top of the stacking order down,
// then the windowed ones.
std::span<const ControlDesign> form1Controls();

// The whole design: the controls and their looks.
WindowDesign form1Design();

} // namespace mivesk
