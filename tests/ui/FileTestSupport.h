#pragma once

// Files for the tests about the dictionary on disk.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace mivesk::test {

// The committed data file's bytes.
inline QByteArray dataFileBytes() {
    QFile file(QStringLiteral(MIVESK_DATA_FILE));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", MIVESK_DATA_FILE);
    return file.readAll();
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Everything under `dir`, with type, size, times and permissions, so that
// any change shows. Links are described, not followed.
inline QStringList snapshot(const QString& dir) {
    QStringList entries;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString relative = QDir(dir).relativeFilePath(info.filePath());
        struct stat st {};
        if (info.isSymLink()) {
            entries << relative + QStringLiteral(" -> ") + info.symLinkTarget();
        } else if (::lstat(QFile::encodeName(info.filePath()).constData(), &st) == 0) {
            entries << QStringLiteral("%1 mode=%2 size=%3 mtime=%4.%5 ctime=%6.%7")
                           .arg(relative)
                           .arg(st.st_mode, 0, 8)
                           .arg(qint64(st.st_size))
                           .arg(qint64(st.st_mtim.tv_sec))
                           .arg(qint64(st.st_mtim.tv_nsec))
                           .arg(qint64(st.st_ctim.tv_sec))
                           .arg(qint64(st.st_ctim.tv_nsec));
        }
    }
    entries.sort();
    return entries;
}

} // namespace mivesk::test
