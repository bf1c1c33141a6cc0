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

// What the user is told, in Japanese and again in English for those who
// do not read it.
struct Bilingual {
    QString japanese;
    QString english;

    bool isEmpty() const { return japanese.isEmpty(); }
};

QString bytesInEnglish(qint64 count) {
    return count == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(count);
}

// A file too small to be the dictionary, and what it would need.
Bilingual tooSmall(const QString& japanese, const QString& english) {
    return {japanese + QStringLiteral("46 文字分の記録（1 文字 %1 バイト）には %2 バイト必要です。")
                           .arg(KanaRecord::Size)
                           .arg(DataFileMinimumSize),
            english + QStringLiteral(" The 46 records (%1 bytes a character) need %2 bytes.")
                          .arg(KanaRecord::Size)
                          .arg(DataFileMinimumSize)};
}

// The places looked at, in order, each with what was found there.
Bilingual placesLookedAt(const QList<DataFilePlace>& candidates, qsizetype decided) {
    Bilingual text{QStringLiteral("次の場所を順に探しました:\n"),
                   QStringLiteral("These places were looked at, in order:\n")};
    const qsizetype last = decided < 0 ? candidates.size() - 1 : decided;
    for (qsizetype i = 0; i <= last; ++i) {
        const DataFilePlace& place = candidates.at(i);
        const QString item = QStringLiteral("  %1. %2").arg(QString::number(i + 1), place.shown);
        text.japanese += item;
        text.english += item;
        if (!place.path.startsWith('/')) {
            text.japanese += QStringLiteral("（現在のフォルダー）");
            text.english += QStringLiteral(" (the current folder)");
        }
        text.japanese += i == decided ? QStringLiteral(" … これを使おうとしました\n")
                                      : QStringLiteral(" … ありません\n");
        text.english += i == decided ? QStringLiteral(" ... tried to use this one\n")
                                     : QStringLiteral(" ... not there\n");
    }
    return text;
}

DataFileCheck failure(const QList<DataFilePlace>& candidates, qsizetype decided,
                      const Bilingual& reason) {
    DataFileCheck result;
    if (decided >= 0) {
        result.path = QFile::decodeName(candidates.at(decided).path);
    }
    const Bilingual headline =
        decided < 0 ? Bilingual{QStringLiteral("辞書ファイル「%1」が見つかりません。"),
                                QStringLiteral("The dictionary file \"%1\" cannot be found.")}
                    : Bilingual{QStringLiteral("辞書ファイル「%1」を読み込めません。"),
                                QStringLiteral("The dictionary file \"%1\" cannot be read.")};
    const Bilingual places = placesLookedAt(candidates, decided);
    result.problem = headline.japanese.arg(fileName()) +
                     QStringLiteral("\nMivesk を起動できません。\n\n") + places.japanese +
                     QStringLiteral("\n理由: ") + reason.japanese;
    result.englishProblem = headline.english.arg(fileName()) +
                            QStringLiteral("\nMivesk cannot start.\n\n") + places.english +
                            QStringLiteral("\nReason: ") + reason.english;
    return result;
}

// Named pipes, sockets and devices: opening one could block or read
// something that is not a file at all.
Bilingual notARegularFile(const QString& shown) {
    return {QStringLiteral("「%1」は通常のファイルではありません"
                           "（名前付きパイプ、ソケット、デバイスなど）。")
                .arg(shown),
            QStringLiteral("\"%1\" is not a regular file (it is a named pipe, a socket, a device "
                           "or the like).")
                .arg(shown)};
}

Bilingual isAFolder(const QString& shown) {
    return {
        QStringLiteral("「%1」はフォルダーです。辞書はファイルでなければなりません。").arg(shown),
        QStringLiteral("\"%1\" is a folder. The dictionary must be a file.").arg(shown)};
}

// Why `path` could not be opened, or an empty reason when there is simply
// nothing there and the next place should be tried.
Bilingual openFailure(const ReadOnlyFile& file, const QByteArray& path, const QString& shown) {
    switch (file.failure()) {
    case ReadOnlyFile::Failure::Missing:
        return {};
    case ReadOnlyFile::Failure::BrokenLink: {
        const QString target = ReadOnlyFile::linkTarget(path);
        return {
            QStringLiteral("「%1」はリンクですが、リンク先「%2」がありません。").arg(shown, target),
            QStringLiteral("\"%1\" is a link, but what it points to, \"%2\", does not exist.")
                .arg(shown, target)};
    }
    case ReadOnlyFile::Failure::LinkLoop:
        return {QStringLiteral("「%1」はリンクですが、リンクをたどると同じ所を回り続けます"
                               "（リンクの循環）。")
                    .arg(shown),
                QStringLiteral("\"%1\" is a link, but following the links leads round in a "
                               "circle (a link loop).")
                    .arg(shown)};
    case ReadOnlyFile::Failure::NotAFile:
        return notARegularFile(shown);
    case ReadOnlyFile::Failure::Other:
        break;
    }
    return {QStringLiteral("「%1」を開けません（%2）。").arg(shown, file.reason()),
            QStringLiteral("\"%1\" cannot be opened (%2).").arg(shown, file.reason())};
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

// Why the opened file cannot be the dictionary, or an empty reason when it
// can. The bytes read to tell are dropped: questions read their record
// from the file each time.
Bilingual unusable(ReadOnlyFile& file, const QString& shown) {
    ReadOnlyFile::Kind kind = ReadOnlyFile::Kind::Other;
    qint64 size = 0;
    if (!file.inspect(kind, size)) {
        return {QStringLiteral("「%1」を調べられません（%2）。").arg(shown, file.reason()),
                QStringLiteral("\"%1\" cannot be examined (%2).").arg(shown, file.reason())};
    }
    if (kind == ReadOnlyFile::Kind::Folder) {
        return isAFolder(shown);
    }
    if (kind != ReadOnlyFile::Kind::Regular) {
        return notARegularFile(shown);
    }
    QByteArray bytes;
    if (!readStart(file, DataFileMinimumSize, bytes)) {
        return {QStringLiteral("「%1」を読み込めません（%2）。").arg(shown, file.reason()),
                QStringLiteral("\"%1\" cannot be read (%2).").arg(shown, file.reason())};
    }
    const QString got = QString::number(bytes.size());
    if (bytes.isEmpty() && size == 0) {
        return tooSmall(QStringLiteral("「%1」は空です（0 バイト）。").arg(shown),
                        QStringLiteral("\"%1\" is empty (0 bytes).").arg(shown));
    }
    if (bytes.size() < DataFileMinimumSize && size <= bytes.size()) {
        return tooSmall(
            QStringLiteral("「%1」は %2 バイトしかありません。").arg(shown, got),
            QStringLiteral("\"%1\" has only %2.").arg(shown, bytesInEnglish(bytes.size())));
    }
    if (bytes.size() < DataFileMinimumSize) {
        // Some files (those of /sys, for one) claim a size they never
        // deliver; what counts is what was read.
        const QString claimed = QString::number(size);
        return tooSmall(QStringLiteral("「%1」は %2 バイトあるとされていますが、"
                                       "読み込めたのは %3 バイトだけです。")
                            .arg(shown, claimed, got),
                        QStringLiteral("\"%1\" is said to hold %2, but only %3 could be read.")
                            .arg(shown, bytesInEnglish(size), got));
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
            if (const Bilingual reason = openFailure(*file, path, shown); !reason.isEmpty()) {
                return failure(candidates, i, reason);
            }
            continue;
        }
        if (detail::afterDataFileOpened) {
            detail::afterDataFileOpened(path);
        }
        if (const Bilingual reason = unusable(*file, shown); !reason.isEmpty()) {
            return failure(candidates, i, reason);
        }

        DataFileCheck result;
        result.dictionary = std::make_unique<DictionaryFile>(std::move(file));
        result.path = QFile::decodeName(path);
        return result;
    }
    return failure(candidates, -1,
                   {QStringLiteral("どの場所にもファイルがありません。"),
                    QStringLiteral("None of the places has the file.")});
}

} // namespace mivesk
