#include "DataFileLocator.h"

#include <QCoreApplication>
#include <QDir>

namespace mivesk {

QStringList dataFileCandidates() {
    const QString name = QString::fromLatin1(DataFileName);
    const QString appDir = QCoreApplication::applicationDirPath();
    QStringList candidates{
        QDir::current().absoluteFilePath(name),
        QDir(appDir).absoluteFilePath(name),
        QDir::cleanPath(appDir + QStringLiteral("/../share/mivesk/") + name),
#ifdef MIVESK_INSTALLED_DATA_DIR
        QDir(QStringLiteral(MIVESK_INSTALLED_DATA_DIR)).absoluteFilePath(name),
#endif
    };
    candidates.removeDuplicates();
    return candidates;
}

} // namespace mivesk
