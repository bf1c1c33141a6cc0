#include "RandomSource.h"

#include <chrono>
#include <cmath>

namespace mivesk {

void ClockSeededRandom::seedFromClock() {
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    m_generator.seed(static_cast<std::mt19937::result_type>(ticks ^ (ticks >> 32)));
}

float ClockSeededRandom::next() {
    // 24 bits fill a float's mantissa exactly: 0 to 1 - 2^-24 in even steps.
    return static_cast<float>(m_generator() >> 8) * 0x1p-24f;
}

qint16 drawRecordNumber(float r) {
    const float scaled = r * 46.0f;
    const float shifted = scaled + 1.0f;
    // A source that keeps its promise never needs these two guards; they
    // keep a broken one (NaN, negative, 1 or more) from naming a record that
    // does not exist.
    if (!(shifted >= 1.0f)) {
        return 1;
    }
    if (shifted >= 47.0f) {
        return 46;
    }
    return static_cast<qint16>(std::floor(shifted));
}

} // namespace mivesk
