#pragma once

#include <QtGlobal>

namespace mivesk {

// The records one practice mode drills. The random mode has no range.
struct ModeRange {
    qint16 start;
    qint16 end;
};

// The range of mode 0 to 10: the ten rows of the kana table, then all 46.
ModeRange modeRange(int mode);

} // namespace mivesk
