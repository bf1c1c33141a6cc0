#include "FileDictionarySource.h"

#include "KanaRecord.h"

namespace mivesk {

FileDictionarySource::FileDictionarySource(const QString& path) : m_file(path) {
}

FileDictionarySource::FileDictionarySource(int descriptor, QByteArray bytes)
    : m_records(bytes.left(qint64(KanaRecord::Count) * KanaRecord::Size)), m_isOpen(true) {
    // The records are already in memory; the file only stays open, as it
    // would have after open(), until close(). Qt refuses a descriptor only
    // when it is not open, and then there is nothing to hold or close.
    m_file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
}

bool FileDictionarySource::open() {
    // The dictionary is a few hundred bytes: read it once here, so that a
    // question costs a copy from memory rather than a seek and a read of the
    // file, two system calls of about a microsecond each. Bytes past the
    // last kana are never used, so a file longer than that (even a huge
    // one) costs no more.
    if (!m_file.open(QIODevice::ReadOnly)) {
        return false;
    }
    m_records = MemoryDictionarySource(m_file.read(qint64(KanaRecord::Count) * KanaRecord::Size));
    m_isOpen = true;
    return true;
}

int FileDictionarySource::readRecord(int n, char* out, int size) {
    if (!m_isOpen) {
        return 0;
    }
    return m_records.readRecord(n, out, size);
}

void FileDictionarySource::close() {
    m_isOpen = false;
    m_file.close();
    m_records.close();
}

} // namespace mivesk
