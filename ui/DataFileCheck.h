#pragma once

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

// Looks at `candidates` in order. The first that exists decides: if it can
// be read as a dictionary it is opened read-only; if not, the problem names
// it and says why, and no later candidate is tried, so that a broken file
// the user put in front is not silently passed over. Nothing is created or
// written.
DataFileCheck checkDataFile(const QStringList& candidates);

// Tells the user, on stderr and in a message box, why the program cannot
// start, and returns the exit status to end with. Blocks until the box is
// closed.
int reportDataFileProblem(const QString& problem);

} // namespace mivesk
