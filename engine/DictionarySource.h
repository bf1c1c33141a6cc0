#pragma once

#include <QByteArray>
#include <QString>

namespace mivesk {

// Where the dictionary's records come from. The drill reads through this
// interface so that tests can hand it any bytes they like.
class DictionarySource {
public:
    virtual ~DictionarySource() = default;

    // Copies up to `size` bytes of record n (1-based) into `out` and returns
    // how many were copied: 0 for a record past the end or before the start.
    // Never fails otherwise.
    virtual int readRecord(int n, char* out, int size) = 0;

    virtual void close() = 0;
};

// Records held in memory; used by tests and by anything that already has the
// bytes.
class MemoryDictionarySource final : public DictionarySource {
public:
    explicit MemoryDictionarySource(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    int readRecord(int n, char* out, int size) override;
    void close() override { m_bytes.clear(); }

private:
    QByteArray m_bytes;
};

} // namespace mivesk
