#pragma once

#include "DataFileLocator.h"
#include "FileDictionarySource.h"
#include "KanaRecord.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace mivesk {

// The outcome of looking for the dictionary at start-up: either an open,
// read-only dictionary or, for the user, what is wrong.
struct DataFileCheck {
    std::unique_ptr<FileDictionarySource> dictionary;
    // The candidate that decided, or empty when none exists.
    QString path;
    // Why the program cannot start, in Japanese; empty when `dictionary` is
    // set.
    QString problem;
};

// The least a dictionary can hold: 46 whole records of 8 bytes. Bytes past
// them are never read.
inline constexpr qint64 DataFileMinimumSize = qint64(KanaRecord::Count) * KanaRecord::Size;

// Looks at `candidates` in order. The first that exists decides: if it is a
// regular file that yields 46 records, the dictionary is read from that
// very descriptor, which stays open; if not, the problem names it and says
// why, and no later candidate is tried, so that a broken file the user put
// in front is not silently passed over. Opening never waits (a named pipe
// is refused, not waited on) and nothing is created or written.
DataFileCheck checkDataFile(const QList<DataFilePlace>& candidates);
DataFileCheck checkDataFile(const QStringList& candidates);

namespace detail {
// Called with each candidate's path just after it was opened; lets a test
// replace the file on disk at the worst moment.
extern void (*afterDataFileOpened)(const QByteArray& path);
} // namespace detail

} // namespace mivesk
