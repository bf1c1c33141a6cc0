#include "KanaRecord.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace mivesk {

namespace {

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// Decodes Shift-JIS text, one character at a time, so that every byte that
// is not part of a valid character becomes U+FFFD: the system converter
// silently drops a lone lead byte and turns other bad bytes into U+001A.
QString fromShiftJis(const char* bytes, qsizetype count) {
    // One stateless converter for the whole run: opening one is far dearer
    // than converting two bytes.
    static QStringDecoder decoder("Shift_JIS", QStringConverter::Flag::Stateless);
    QString text;
    for (qsizetype at = 0; at < count;) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        const qsizetype width = isLeadByte(lead) && at + 1 < count &&
                                        isTrailByte(static_cast<unsigned char>(bytes[at + 1]))
                                    ? 2
                                    : 1;
        const QString character = decoder.decode(QByteArrayView(bytes + at, width));
        const bool valid = character.size() == 1 && character.at(0) != QChar(0x1A) &&
                           !(width == 1 && isLeadByte(lead));
        text += valid ? character.at(0) : QChar(QChar::ReplacementCharacter);
        at += width;
    }
    return text;
}

} // namespace

void KanaRecord::blankFrom(int count) {
    const int kept = std::clamp(count, 0, Size);
    std::memset(bytes() + kept, 0, size_t(Size - kept));
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
