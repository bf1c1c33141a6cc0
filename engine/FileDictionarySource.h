#pragma once

#include "DictionarySource.h"

#include <QFile>

namespace mivesk {

// The dictionary file on disk, opened read-only once and read record by
// record at fixed offsets. It is never written.
class FileDictionarySource final : public DictionarySource {
public:
    explicit FileDictionarySource(const QString& path);

    // Opens the file for reading; on failure returns false and leaves the
    // system's reason in errorString().
    bool open();
    QString errorString() const { return m_file.errorString(); }

    int readRecord(int n, char* out, int size) override;
    void close() override { m_file.close(); }

private:
    QFile m_file;
};

} // namespace mivesk
