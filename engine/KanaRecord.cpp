#include "KanaRecord.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace mivesk {

namespace {

QString fromShiftJis(const char* bytes, qsizetype count) {
    // One stateless decoder for the whole run: opening a converter is far
    // dearer than converting two bytes.
    static QStringDecoder decoder("Shift_JIS", QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(bytes, count));
}

} // namespace

void KanaRecord::assign(const char* bytes, int count) {
    char raw[Size] = {};
    std::memcpy(raw, bytes, static_cast<size_t>(std::clamp(count, 0, Size)));
    Kana = {raw[0], raw[1]};
    Dot1 = raw[2];
    Dot2 = raw[3];
    Dot3 = raw[4];
    Dot4 = raw[5];
    Dot5 = raw[6];
    Dot6 = raw[7];
}

QString KanaRecord::kanaText() const {
    // Trailing NULs are padding of a record the file did not fully hold.
    const qsizetype length = Kana[1] != 0 ? 2 : (Kana[0] != 0 ? 1 : 0);
    return length == 0 ? QString() : fromShiftJis(Kana.data(), length);
}

char KanaRecord::dotByte(int k) const {
    switch (k) {
    case 1:
        return Dot1;
    case 2:
        return Dot2;
    case 3:
        return Dot3;
    case 4:
        return Dot4;
    case 5:
        return Dot5;
    case 6:
        return Dot6;
    default:
        return 0;
    }
}

QString KanaRecord::dotText(int k) const {
    const char byte = dotByte(k);
    switch (byte) {
    case 0:
        return QString();
    case '0':
        return QStringLiteral("0");
    case '1':
        return QStringLiteral("1");
    default:
        return fromShiftJis(&byte, 1);
    }
}

} // namespace mivesk
