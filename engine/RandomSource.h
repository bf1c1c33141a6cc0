#pragma once

#include <QtGlobal>

#include <random>

namespace mivesk {

// Uniform single-precision random numbers r with 0 <= r < 1.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seedFromClock() = 0;
    virtual float next() = 0;
};

// The program's generator. It builds each number from 24 random bits, so the
// largest value it can give is 1 - 2^-24 and a draw can never reach 1.0, as
// a double narrowed to float could.
class ClockSeededRandom final : public RandomSource {
public:
    void seedFromClock() override;
    float next() override;

private:
    std::mt19937 m_generator;
};

// The record number for a random question: floor(r * 46 + 1), worked in
// single precision. For every r in [0, 1) the result is 1 to 46.
qint16 drawRecordNumber(float r);

} // namespace mivesk
