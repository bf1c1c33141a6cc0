#pragma once

#include <QString>

#include <array>
#include <type_traits>

namespace mivesk {

// One record of the kana dictionary exactly as it lies in the file: a
// two-byte Shift-JIS kana followed by six one-byte dot flags. The engine owns
// a single instance that every read overwrites.
struct KanaRecord {
    static constexpr int Size = 8;
    // The dictionary holds one record for each kana of the fifty-sound table.
    static constexpr int Count = 46;
    static constexpr int DotCount = 6;

    std::array<char, 2> Kana{};
    char Dot1 = 0;
    char Dot2 = 0;
    char Dot3 = 0;
    char Dot4 = 0;
    char Dot5 = 0;
    char Dot6 = 0;

    // The record's eight bytes, laid out as in the file, for a read to fill
    // in place.
    char* bytes() { return reinterpret_cast<char*>(this); }
    // Blanks the bytes from `count` on, those a read did not fill (a record
    // past the end, a cut-off last record, a failed read): NUL, which the
    // text accessors treat as blank padding.
    void blankFrom(int count);

    // The kana as text, converted from Shift-JIS. Bytes that are not valid
    // Shift-JIS come out as U+FFFD; a blank field gives an empty string.
    QString kanaText() const;

    // Dot flag k (1 to 6) as a one-character string, normally "0" or "1".
    // Any other byte is carried through as its own character.
    QString dotText(int k) const;

    char dotByte(int k) const;
};

static_assert(sizeof(KanaRecord) == KanaRecord::Size, "a record is eight bytes in memory too");
static_assert(std::is_standard_layout_v<KanaRecord> && std::is_trivially_copyable_v<KanaRecord>,
              "a read fills the record's bytes in place");

} // namespace mivesk
