#include "DataFileLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace mivesk {

QList<DataFilePlace> dataFileCandidates() {
    const QString name = QString::fromLatin1(DataFileName);
    QStringList folders;
    if (const QString bin = QCoreApplication::applicationDirPath(); !bin.isEmpty()) {
        folders << bin << bin + QStringLiteral("/../share/mivesk");
    }
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        folders << folder + QStringLiteral("/mivesk");
    }
    QStringList paths;
    for (const QString& folder : std::as_const(folders)) {
        paths << QDir::cleanPath(folder + u'/' + name);
    }
    // The same folder reached twice is looked at once.
    paths.removeDuplicates();

    // The bare name, so that the current folder is reached whatever its name
    // and even when no path to it can be written down.
    const QString current = QDir::currentPath();
    QList<DataFilePlace> places{{name, current.isEmpty() ? name : QDir(current).filePath(name)}};
    for (const QString& path : std::as_const(paths)) {
        places.append({path, path});
    }
    return places;
}

} // namespace mivesk
