#include "DataFileCheck.h"

#include "KanaRecord.h"
#include "ReadOnlyFile.h"

#include <QFile>

#include <algorithm>

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

// Named pipes, sockets and devices: opening one could block or read
// something that is not a file at all.
QString notARegularFile(const QString& shown) {
    return QStringLiteral("「%1」は通常のファイルではありません"
                          "（名前付きパイプ、ソケット、デバイスなど）。")
        .arg(shown);
}

QString isAFolder(const QString& shown) {
    return QStringLiteral("「%1」はフォルダーです。辞書はファイルでなければなりません。")
        .arg(shown);
}

// Why `path` could not be opened, or an empty string when there is simply
// nothing there and the next place should be tried.
QString openFailure(const ReadOnlyFile& file, const QByteArray& path, const QString& shown) {
    switch (file.failure()) {
    case ReadOnlyFile::Failure::Missing:
        return {};
    case ReadOnlyFile::Failure::BrokenLink:
        return QStringLiteral("「%1」はリンクですが、リンク先「%2」がありません。")
            .arg(shown, ReadOnlyFile::linkTarget(path));
    case ReadOnlyFile::Failure::LinkLoop:
        return QStringLiteral("「%1」はリンクですが、リンクをたどると同じ所を回り続けます"
                              "（リンクの循環）。")
            .arg(shown);
    case ReadOnlyFile::Failure::NotAFile:
        return notARegularFile(shown);
    case ReadOnlyFile::Failure::Other:
        break;
    }
    return QStringLiteral("「%1」を開けません（%2）。").arg(shown, file.reason());
}

// Reads up to `wanted` bytes from the start of `file`; stops early only at
// the end of the file or on an error, when it returns false.
bool readStart(ReadOnlyFile& file, qint64 wanted, QByteArray& bytes) {
    bytes = QByteArray(wanted, Qt::Uninitialized);
    qint64 got = 0;
    bool ok = true;
    while (got < wanted) {
        const qint64 n = file.readAt(bytes.data() + got, wanted - got, got);
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        got += n;
    }
    bytes.truncate(got);
    return ok;
}

// Why the opened file cannot be the dictionary, or an empty string when it
// can. The bytes read to tell are dropped: questions read their record
// from the file each time.
QString unusable(ReadOnlyFile& file, const QString& shown) {
    ReadOnlyFile::Kind kind = ReadOnlyFile::Kind::Other;
    qint64 size = 0;
    if (!file.inspect(kind, size)) {
        return QStringLiteral("「%1」を調べられません（%2）。").arg(shown, file.reason());
    }
    if (kind == ReadOnlyFile::Kind::Folder) {
        return isAFolder(shown);
    }
    if (kind != ReadOnlyFile::Kind::Regular) {
        return notARegularFile(shown);
    }
    QByteArray bytes;
    if (!readStart(file, DataFileMinimumSize, bytes)) {
        return QStringLiteral("「%1」を読み込めません（%2）。").arg(shown, file.reason());
    }
    const qint64 got = bytes.size();
    if (got == 0 && size == 0) {
        return QStringLiteral("「%1」は空です（0 バイト）。").arg(shown) + sizeNeeded();
    }
    if (got < DataFileMinimumSize && size <= got) {
        return QStringLiteral("「%1」は %2 バイトしかありません。")
                   .arg(shown, QString::number(got)) +
               sizeNeeded();
    }
    if (got < DataFileMinimumSize) {
        // Some files (those of /sys, for one) claim a size they never
        // deliver; what counts is what was read.
        return QStringLiteral("「%1」は %2 バイトあるとされていますが、"
                              "読み込めたのは %3 バイトだけです。")
                   .arg(shown, QString::number(size), QString::number(got)) +
               sizeNeeded();
    }
    return {};
}

// The dictionary as the program reads it: the very file the check opened,
// held until End, and one record read from it for every question, so that
// what is graded is what the file says at that moment. A record the file no
// longer holds, or a failed read, comes back blank.
class DictionaryFile final : public DictionarySource {
public:
    explicit DictionaryFile(std::unique_ptr<ReadOnlyFile> file) : m_file(std::move(file)) {}

    int readRecord(int n, char* out, int size) override {
        // Bytes past the 46th record are not part of the dictionary.
        if (n < 1 || n > KanaRecord::Count || size <= 0) {
            return 0;
        }
        const qint64 got =
            m_file->readAt(out, std::min(size, KanaRecord::Size), qint64(n - 1) * KanaRecord::Size);
        return got < 0 ? 0 : int(got);
    }

    void close() override { m_file->close(); }

private:
    std::unique_ptr<ReadOnlyFile> m_file;
};

} // namespace

DataFileCheck checkDataFile(const QList<DataFilePlace>& candidates) {
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const QByteArray& path = candidates.at(i).path;
        const QString& shown = candidates.at(i).shown;
        // From here on the open file, not the path, tells what was found:
        // whatever is put at the path a moment later changes nothing.
        auto file = std::make_unique<ReadOnlyFile>();
        if (!file->open(path)) {
            if (const QString reason = openFailure(*file, path, shown); !reason.isEmpty()) {
                return failure(candidates, i, reason);
            }
            continue;
        }
        if (detail::afterDataFileOpened) {
            detail::afterDataFileOpened(path);
        }
        if (const QString reason = unusable(*file, shown); !reason.isEmpty()) {
            return failure(candidates, i, reason);
        }

        DataFileCheck result;
        result.dictionary = std::make_unique<DictionaryFile>(std::move(file));
        result.path = QFile::decodeName(path);
        return result;
    }
    return failure(candidates, -1, QStringLiteral("どの場所にもファイルがありません。"));
}

} // namespace mivesk
