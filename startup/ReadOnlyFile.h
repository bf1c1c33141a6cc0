#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QFile;

namespace mivesk {

// A file opened for reading only and held until close(). Each system step
// the start-up check and the dictionary need is one small method here, with
// the plain Qt way where the system calls are not available.
class ReadOnlyFile {
public:
    // Why open() failed.
    enum class Failure {
        Missing,    // nothing at the path: the next place may be tried
        BrokenLink, // a link to nothing
        LinkLoop,   // links that lead round in a circle
        NotAFile,   // a named pipe, socket or device
        Other,      // anything else; reason() says what
    };
    enum class Kind { Regular, Folder, Other };

    ReadOnlyFile();
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Opens `path` without ever waiting: a named pipe is refused, not
    // waited on. On failure returns false and leaves failure() and reason().
    bool open(const QByteArray& path);
    Failure failure() const { return m_failure; }
    // The system's reason for the last failure, for a person to read.
    QString reason() const { return m_reason; }

    // What was opened, told from the open file itself so that whatever is
    // put at the path a moment later changes nothing, and the size the
    // system states for it. False, with reason(), when it cannot be told.
    bool inspect(Kind& kind, qint64& size);

    // One read of up to `size` bytes at `offset`. Returns the count, 0 at
    // the end, or -1 on failure.
    qint64 readAt(char* out, qint64 size, qint64 offset);

    void close();
    bool isOpen() const;

    // Where the link at `path` points, or empty when it is not a link.
    static QString linkTarget(const QByteArray& path);

private:
#ifdef MIVESK_POSIX
    int m_descriptor = -1;
#else
    std::unique_ptr<QFile> m_file;
    Kind m_kind = Kind::Other;
    qint64 m_size = 0;
#endif
    Failure m_failure = Failure::Other;
    QString m_reason;
};

} // namespace mivesk
