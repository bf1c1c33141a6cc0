#include "ReadOnlyFile.h"

#include <QFile>
#include <QFileInfo>

#ifdef MIVESK_POSIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSet>
#endif

namespace mivesk {

ReadOnlyFile::ReadOnlyFile() = default;

ReadOnlyFile::~ReadOnlyFile() {
    close();
}

#ifdef MIVESK_POSIX

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

bool isLink(const QByteArray& path) {
    struct stat entry {};
    return ::lstat(path.constData(), &entry) == 0 && S_ISLNK(entry.st_mode);
}

} // namespace

bool ReadOnlyFile::open(const QByteArray& path) {
    close();
    // Without O_NONBLOCK a named pipe would hold the program in open()
    // until something writes to it.
    const int descriptor = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor >= 0) {
        m_descriptor = descriptor;
        return true;
    }
    const int error = errno;
    m_reason = systemReason(error);
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        m_failure = isLink(path) ? Failure::BrokenLink : Failure::Missing;
        break;
    case ELOOP:
        m_failure = Failure::LinkLoop;
        break;
    case ENXIO: // a socket
        m_failure = Failure::NotAFile;
        break;
    default:
        m_failure = Failure::Other;
        break;
    }
    return false;
}

bool ReadOnlyFile::inspect(Kind& kind, qint64& size) {
    struct stat st {};
    if (::fstat(m_descriptor, &st) != 0) {
        m_reason = systemReason(errno);
        return false;
    }
    kind = S_ISDIR(st.st_mode) ? Kind::Folder : S_ISREG(st.st_mode) ? Kind::Regular : Kind::Other;
    size = qint64(st.st_size);
    return true;
}

qint64 ReadOnlyFile::readAt(char* out, qint64 size, qint64 offset) {
    if (m_descriptor < 0) {
        return -1;
    }
    for (;;) {
        const ssize_t n = ::pread(m_descriptor, out, size_t(size), off_t(offset));
        if (n >= 0) {
            return qint64(n);
        }
        if (errno != EINTR) {
            m_reason = systemReason(errno);
            return -1;
        }
    }
}

void ReadOnlyFile::close() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
}

bool ReadOnlyFile::isOpen() const {
    return m_descriptor >= 0;
}

QString ReadOnlyFile::linkTarget(const QByteArray& path) {
    char target[4096];
    const ssize_t n = ::readlink(path.constData(), target, sizeof target - 1);
    return n > 0 ? QFile::decodeName(QByteArray(target, n)) : QString();
}

#else // the plain Qt way: the path is looked at just before it is opened

namespace {

// Follows the links from `path`; true when they come back to one already
// passed.
bool linksGoRound(const QString& path) {
    QSet<QString> passed;
    QFileInfo at(path);
    while (at.isSymLink()) {
        const QString next = at.symLinkTarget();
        if (passed.contains(next)) {
            return true;
        }
        passed.insert(next);
        at = QFileInfo(next);
    }
    return false;
}

} // namespace

bool ReadOnlyFile::open(const QByteArray& path) {
    close();
    const QString name = QFile::decodeName(path);
    const QFileInfo info(name);
    if (!info.exists()) {
        m_failure = !info.isSymLink()    ? Failure::Missing
                    : linksGoRound(name) ? Failure::LinkLoop
                                         : Failure::BrokenLink;
        m_reason.clear();
        return false;
    }
    // A pipe or device could block or is not a file at all; a folder has
    // nothing to read. Either way it is told apart here, before opening.
    m_kind = info.isDir() ? Kind::Folder : info.isFile() ? Kind::Regular : Kind::Other;
    m_size = info.size();
    if (m_kind == Kind::Other) {
        m_failure = Failure::NotAFile;
        return false;
    }
    auto file = std::make_unique<QFile>(name);
    if (m_kind == Kind::Regular && !file->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        m_failure = Failure::Other;
        m_reason = file->errorString();
        return false;
    }
    m_file = std::move(file);
    return true;
}

bool ReadOnlyFile::inspect(Kind& kind, qint64& size) {
    kind = m_kind;
    size = m_size;
    return true;
}

qint64 ReadOnlyFile::readAt(char* out, qint64 size, qint64 offset) {
    if (!m_file || !m_file->isOpen() || !m_file->seek(offset)) {
        return -1;
    }
    const qint64 n = m_file->read(out, size);
    if (n < 0) {
        m_reason = m_file->errorString();
    }
    return n;
}

void ReadOnlyFile::close() {
    m_file.reset();
}

bool ReadOnlyFile::isOpen() const {
    return m_file != nullptr;
}

QString ReadOnlyFile::linkTarget(const QByteArray& path) {
    return QFileInfo(QFile::decodeName(path)).symLinkTarget();
}

#endif

} // namespace mivesk
