#include "KanaDictionary.h"

namespace mivesk {

KanaDictionary::KanaDictionary(std::unique_ptr<DictionarySource> source)
    : m_source(std::move(source)) {
}

void KanaDictionary::read(int n) {
    const int count = m_source ? m_source->readRecord(n, m_record.bytes(), KanaRecord::Size) : 0;
    m_record.blankFrom(count);
}

void KanaDictionary::close() {
    if (m_source) {
        m_source->close();
        m_source.reset();
    }
}

} // namespace mivesk
