#pragma once

#include "DictionarySource.h"
#include "KanaRecord.h"

#include <memory>

namespace mivesk {

// The kana dictionary: one source of records and the one record buffer that
// every read fills.
class KanaDictionary {
public:
    explicit KanaDictionary(std::unique_ptr<DictionarySource> source);

    // Reads record n into the buffer. A record the source does not have,
    // or has only in part, leaves a blank buffer; it never fails.
    void read(int n);
    const KanaRecord& record() const { return m_record; }

    // Closes the source; every later read gives the blank record.
    void close();

private:
    std::unique_ptr<DictionarySource> m_source;
    KanaRecord m_record;
};

} // namespace mivesk
