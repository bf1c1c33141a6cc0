#include "ScoreText.h"

#include <cmath>

namespace mivesk {

QString rateText(qint16 correctCount, qint16 answeredCount) {
    if (answeredCount == 0) {
        return QStringLiteral("0%");
    }
    const double rate = double(correctCount) / double(answeredCount) * 100.0;
    // std::round takes halves away from zero, as the "##0" pattern does.
    return QString::number(static_cast<long long>(std::round(rate))) + u'%';
}

QString countText(qint16 answeredCount) {
    return QString::number(answeredCount) + QStringLiteral("門終了");
}

} // namespace mivesk
