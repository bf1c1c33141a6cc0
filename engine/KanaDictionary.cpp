#include "KanaDictionary.h"

namespace mivesk {

KanaDictionary::KanaDictionary(std::unique_ptr<DictionarySource> source)
    : m_source(std::move(source)) {
}

void KanaDictionary::read(int n) {
    char bytes[KanaRecord::Size];
    const int count = m_source ? m_source->readRecord(n, bytes, KanaRecord::Size) : 0;
    m_record.assign(bytes, count);
}

void KanaDictionary::close() {
    if (m_source) {
        m_source->close();
        m_source.reset();
    }
}

} // namespace mivesk
