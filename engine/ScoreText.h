#pragma once

#include <QString>

namespace mivesk {

// The rate label: the share of correct answers as a whole percentage, halves
// rounded away from zero, followed by "%". No answers read "0%".
QString rateText(qint16 correctCount, qint16 answeredCount);

// The count label: the number of answers followed by "門終了".
QString countText(qint16 answeredCount);

} // namespace mivesk
