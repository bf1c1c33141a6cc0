#pragma once

#include "DataFileLocator.h"
#include "DictionarySource.h"
#include "KanaRecord.h"

#include <QString>

#include <memory>

namespace mivesk {

// The outcome of looking for the dictionary at start-up: either an open,
// read-only dictionary or, for the user, what is wrong.
struct DataFileCheck {
    std::unique_ptr<DictionarySource> dictionary;
    // The candidate that decided, or empty when none exists.
    QString path;
    // Why the program cannot start, in Japanese and the same in English;
    // empty when `dictionary` is set.
    QString problem;
    QString englishProblem;
};

// The least a dictionary can hold: 46 whole records of 8 bytes. Bytes past
// them are never read.
inline constexpr qint64 DataFileMinimumSize = qint64(KanaRecord::Count) * KanaRecord::Size;

// Looks at `candidates` in order. The first that exists decides: if it is a
// regular file that yields 46 records, the dictionary is that very open
// file, held until closed and read one record at a time; if not, the problem names it and says
// why, and no later candidate is tried, so that a broken file the user put
// in front is not silently passed over. Opening never waits (a named pipe
// is refused, not waited on) and nothing is created or written.
DataFileCheck checkDataFile(const QList<DataFilePlace>& candidates);

namespace detail {
// Called with each candidate's path just after it was opened, before it is
// read: the seam through which a test replaces the file on disk at the
// worst moment.
extern void (*afterDataFileOpened)(const QString& path);
} // namespace detail

} // namespace mivesk
