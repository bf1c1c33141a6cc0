#include "FileDictionarySource.h"

#include "KanaRecord.h"

namespace mivesk {

FileDictionarySource::FileDictionarySource(const QString& path) : m_file(path) {
}

bool FileDictionarySource::open() {
    // Unbuffered: each question reads one small record at a known offset,
    // so a read-ahead buffer would only be thrown away at the next seek.
    return m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

int FileDictionarySource::readRecord(int n, char* out, int size) {
    if (n < 1 || size <= 0 || !m_file.isOpen()) {
        return 0;
    }
    if (!m_file.seek(qint64(n - 1) * KanaRecord::Size)) {
        return 0;
    }
    const qint64 count = m_file.read(out, size);
    return count > 0 ? int(count) : 0;
}

} // namespace mivesk
