#include "Grading.h"

namespace mivesk {

int countAgreeingDots(const Cell& input, const Cell& answer) {
    int agreeing = 0;
    for (size_t i = 0; i < input.size(); ++i) {
        if (input[i] == answer[i]) {
            ++agreeing;
        }
    }
    return agreeing;
}

Verdict verdictFor(int agreeingDots) {
    if (agreeingDots == 6) {
        return Verdict::Correct;
    }
    if (agreeingDots >= 4) {
        return Verdict::Almost;
    }
    return Verdict::Incorrect;
}

} // namespace mivesk
