#include "KanaDictionary.h"

namespace mivesk {

KanaDictionary::KanaDictionary(std::unique_ptr<DictionarySource> source)
    : m_source(std::move(source)) {
}

void KanaDictionary::read(int n) {
    const int count = m_source ? m_source->readRecord(n, m_record.bytes(), KanaRecord::Size) : 0;
    // A record the file holds only in part is no record: a blank one,
    // rather than a kana cut in half.
    m_record.blankFrom(count == KanaRecord::Size ? count : 0);
}

void KanaDictionary::close() {
    if (m_source) {
        m_source->close();
        m_source.reset();
    }
}

} // namespace mivesk
