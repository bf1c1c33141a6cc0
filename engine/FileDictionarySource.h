#pragma once

#include "DictionarySource.h"

#include <QFile>

namespace mivesk {

// The dictionary file on disk, opened read-only once and never written.
// Its records are read at fixed offsets from a copy of the file taken when
// it is opened.
class FileDictionarySource final : public DictionarySource {
public:
    explicit FileDictionarySource(const QString& path);
    // Takes over `descriptor`, already open for reading, and the bytes
    // already read from it, so that the file checked is the file used. The
    // descriptor stays open until close().
    FileDictionarySource(int descriptor, QByteArray bytes);

    // Opens the file for reading; on failure returns false and leaves the
    // system's reason in errorString().
    bool open();
    QString errorString() const { return m_file.errorString(); }

    int readRecord(int n, char* out, int size) override;
    void close() override;

private:
    QFile m_file;
    MemoryDictionarySource m_records{QByteArray()};
    // Records can be read: from open() or the taking over of a descriptor
    // until close().
    bool m_isOpen = false;
};

} // namespace mivesk
