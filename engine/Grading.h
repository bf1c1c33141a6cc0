#pragma once

#include <QString>

#include <array>

namespace mivesk {

using Cell = std::array<QString, 6>;

enum class Verdict { Correct, Almost, Incorrect };

// The number of indices at which the two cells hold exactly equal strings.
// Flat dots that agree count too.
int countAgreeingDots(const Cell& input, const Cell& answer);

// Six agreeing dots are correct, four or five almost, fewer incorrect.
Verdict verdictFor(int agreeingDots);

} // namespace mivesk
