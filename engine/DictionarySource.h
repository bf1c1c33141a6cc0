#pragma once

namespace mivesk {

// Where the dictionary's records come from. The program's one source is the
// file the start-up check opened; the drill reads through this interface so
// that a test can also watch or stand in for what it reads.
class DictionarySource {
public:
    virtual ~DictionarySource() = default;

    // Copies up to `size` bytes of record n (1-based) into `out` and returns
    // how many were copied: 0 for a record the dictionary does not hold.
    // Never fails otherwise.
    virtual int readRecord(int n, char* out, int size) = 0;

    virtual void close() = 0;
};

} // namespace mivesk
