#include "DataFileCheck.h"

#include "KanaRecord.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mivesk {

void (*detail::afterDataFileOpened)(const QByteArray&) = nullptr;

namespace {

QString fileName() {
    return QString::fromLatin1(DataFileName);
}

QString sizeNeeded() {
    return QStringLiteral("46 文字分の記録（1 文字 %1 バイト）には %2 バイト必要です。")
        .arg(KanaRecord::Size)
        .arg(DataFileMinimumSize);
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The places looked at, in order, each with what was found there.
QString placesLookedAt(const QList<DataFilePlace>& candidates, qsizetype decided) {
    QString text = QStringLiteral("次の場所を順に探しました:\n");
    const qsizetype last = decided < 0 ? candidates.size() - 1 : decided;
    for (qsizetype i = 0; i <= last; ++i) {
        const DataFilePlace& place = candidates.at(i);
        text += QStringLiteral("  %1. %2").arg(QString::number(i + 1), place.shown);
        if (!place.path.startsWith('/')) {
            text += QStringLiteral("（現在のフォルダー）");
        }
        text += i == decided ? QStringLiteral(" … これを使おうとしました\n")
                             : QStringLiteral(" … ありません\n");
    }
    return text;
}

DataFileCheck failure(const QList<DataFilePlace>& candidates, qsizetype decided,
                      const QString& reason) {
    DataFileCheck result;
    if (decided >= 0) {
        result.path = QFile::decodeName(candidates.at(decided).path);
    }
    const QString headline =
        decided < 0
            ? QStringLiteral("辞書ファイル「%1」が見つかりません。\nMivesk を起動できません。")
            : QStringLiteral("辞書ファイル「%1」を読み込めません。\nMivesk を起動できません。");
    result.problem = headline.arg(fileName()) + QStringLiteral("\n\n") +
                     placesLookedAt(candidates, decided) + QStringLiteral("\n理由: ") + reason;
    return result;
}

// Why `path` could not be opened, or an empty string when there is simply
// nothing there and the next place should be tried.

// Named pipes, sockets and devices: opening one could block or read
// something that is not a file at all.
QString notARegularFile(const QString& shown) {
    return QStringLiteral("「%1」は通常のファイルではありません"
                          "（名前付きパイプ、ソケット、デバイスなど）。")
        .arg(shown);
}

QString openFailure(const QByteArray& path, const QString& shown, int error) {
    struct stat entry {};
    const bool isLink = ::lstat(path.constData(), &entry) == 0 && S_ISLNK(entry.st_mode);
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        if (!isLink) {
            return {};
        }
        {
            char target[4096];
            const ssize_t n = ::readlink(path.constData(), target, sizeof target - 1);
            const QString to = n > 0 ? QFile::decodeName(QByteArray(target, n)) : QString();
            return QStringLiteral("「%1」はリンクですが、リンク先「%2」がありません。")
                .arg(shown, to);
        }
    case ELOOP:
        return QStringLiteral("「%1」はリンクですが、リンクをたどると同じ所を回り続けます"
                              "（リンクの循環）。")
            .arg(shown);
    case ENXIO: // a socket
        return notARegularFile(shown);
    default:
        return QStringLiteral("「%1」を開けません（%2）。").arg(shown, systemReason(error));
    }
}

// Reads up to `wanted` bytes from the start of `fd`; stops early only at
// the end of the file or on an error, left in `error`.
QByteArray readStart(int fd, qint64 wanted, int& error) {
    QByteArray bytes(wanted, Qt::Uninitialized);
    qint64 got = 0;
    error = 0;
    while (got < wanted) {
        const ssize_t n = ::pread(fd, bytes.data() + got, size_t(wanted - got), off_t(got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            error = errno;
            break;
        }
        if (n == 0) {
            break;
        }
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

} // namespace

DataFileCheck checkDataFile(const QList<DataFilePlace>& candidates) {
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const QByteArray& path = candidates.at(i).path;
        const QString& shown = candidates.at(i).shown;
        // Without O_NONBLOCK a named pipe would hold the program in open()
        // until something writes to it; the descriptor tells what was
        // really opened, whatever is at the path a moment later.
        const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) {
            const int error = errno;
            if (const QString reason = openFailure(path, shown, error); !reason.isEmpty()) {
                return failure(candidates, i, reason);
            }
            continue;
        }
        if (detail::afterDataFileOpened) {
            detail::afterDataFileOpened(path);
        }

        struct stat st {};
        QString reason;
        QByteArray bytes;
        if (::fstat(fd, &st) != 0) {
            reason =
                QStringLiteral("「%1」を調べられません（%2）。").arg(shown, systemReason(errno));
        } else if (S_ISDIR(st.st_mode)) {
            reason = QStringLiteral("「%1」はフォルダーです。辞書はファイルでなければなりません。")
                         .arg(shown);
        } else if (!S_ISREG(st.st_mode)) {
            reason = notARegularFile(shown);
        } else {
            int error = 0;
            bytes = readStart(fd, DataFileMinimumSize, error);
            const qint64 got = bytes.size();
            if (error != 0) {
                reason = QStringLiteral("「%1」を読み込めません（%2）。")
                             .arg(shown, systemReason(error));
            } else if (got == 0 && st.st_size == 0) {
                reason = QStringLiteral("「%1」は空です（0 バイト）。").arg(shown) + sizeNeeded();
            } else if (got < DataFileMinimumSize && st.st_size <= got) {
                reason = QStringLiteral("「%1」は %2 バイトしかありません。")
                             .arg(shown, QString::number(got)) +
                         sizeNeeded();
            } else if (got < DataFileMinimumSize) {
                // Some files (those of /sys, for one) claim a size they
                // never deliver; what counts is what was read.
                reason =
                    QStringLiteral("「%1」は %2 バイトあるとされていますが、"
                                   "読み込めたのは %3 バイトだけです。")
                        .arg(shown, QString::number(qint64(st.st_size)), QString::number(got)) +
                    sizeNeeded();
            }
        }
        if (!reason.isEmpty()) {
            ::close(fd);
            return failure(candidates, i, reason);
        }

        DataFileCheck result;
        result.dictionary = std::make_unique<FileDictionarySource>(fd, bytes);
        result.path = QFile::decodeName(path);
        return result;
    }
    return failure(candidates, -1, QStringLiteral("どの場所にもファイルがありません。"));
}

DataFileCheck checkDataFile(const QStringList& candidates) {
    QList<DataFilePlace> places;
    for (const QString& path : candidates) {
        places.append(DataFilePlace::fromPath(path));
    }
    return checkDataFile(places);
}

} // namespace mivesk
