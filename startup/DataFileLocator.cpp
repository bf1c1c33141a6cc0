#include "DataFileLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#ifdef MIVESK_POSIX
#include <climits>
#include <unistd.h>
#endif

namespace mivesk {

namespace {

// The running executable's path, byte for byte, or empty when it cannot be
// known.
QByteArray executablePath() {
#if defined(MIVESK_POSIX) && defined(Q_OS_LINUX)
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n <= 0 || n >= ssize_t(sizeof buffer)) {
        return {};
    }
    QByteArray path(buffer, n);
    // A program whose file was replaced or removed while it runs.
    if (path.endsWith(" (deleted)")) {
        return {};
    }
    return path;
#else
    return QFile::encodeName(QCoreApplication::applicationFilePath());
#endif
}

// The folder holding the running executable, or empty when it cannot be
// known.
QByteArray executableFolder() {
    const QByteArray path = executablePath();
    const qsizetype slash = path.lastIndexOf('/');
    if (slash <= 0) {
        return {};
    }
    return path.left(slash);
}

QByteArray parentFolder(const QByteArray& folder) {
    const qsizetype slash = folder.lastIndexOf('/');
    if (slash <= 0) {
        return {};
    }
    return folder.left(slash);
}

DataFilePlace place(const QByteArray& folder, const char* subfolder = "") {
    const QByteArray path = folder + '/' + subfolder + DataFileName;
    return {path, QFile::decodeName(path)};
}

} // namespace

QList<DataFilePlace> dataFileCandidates() {
    QList<DataFilePlace> places;
    // The bare name, so that the current folder is reached whatever its name
    // and even when no path to it can be written down.
    const QString current = QDir::currentPath();
    places.append({QByteArray(DataFileName), current.isEmpty()
                                                 ? QString::fromLatin1(DataFileName)
                                                 : QDir(current).filePath(DataFileName)});

    const QByteArray bin = executableFolder();
    if (!bin.isEmpty()) {
        places.append(place(bin));
        if (const QByteArray prefix = parentFolder(bin); !prefix.isEmpty()) {
            places.append(place(prefix, "share/mivesk/"));
        }
    }
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (!folder.isEmpty()) {
            places.append(place(QFile::encodeName(QDir::cleanPath(folder)), "mivesk/"));
        }
    }

    // The same folder reached twice is looked at once.
    QList<DataFilePlace> distinct;
    QList<QByteArray> seen;
    for (const DataFilePlace& candidate : places) {
        if (!seen.contains(candidate.path)) {
            seen.append(candidate.path);
            distinct.append(candidate);
        }
    }
    return distinct;
}

} // namespace mivesk
