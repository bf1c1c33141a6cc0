#include "DictionarySource.h"

#include "KanaRecord.h"

#include <algorithm>
#include <cstring>

namespace mivesk {

int MemoryDictionarySource::readRecord(int n, char* out, int size) {
    if (n < 1 || size <= 0) {
        return 0;
    }
    const qsizetype offset = qsizetype(n - 1) * KanaRecord::Size;
    if (offset >= m_bytes.size()) {
        return 0;
    }
    const int count = int(std::min<qsizetype>(size, m_bytes.size() - offset));
    std::memcpy(out, m_bytes.constData() + offset, size_t(count));
    return count;
}

} // namespace mivesk
