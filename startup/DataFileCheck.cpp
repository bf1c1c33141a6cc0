#include "DataFileCheck.h"

#include "KanaRecord.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace mivesk {

void (*detail::afterDataFileOpened)(const QString&) = nullptr;

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
        if (!place.path.startsWith(u'/')) {
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
        result.path = candidates.at(decided).path;
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

// Follows the links from `at`; true when they come back to one already
// passed.
bool linksGoRound(QFileInfo at) {
    QSet<QString> passed;
    while (at.isSymLink()) {
        const QString next = at.symLinkTarget();
        if (passed.contains(next)) {
            return true;
        }
        passed.insert(next);
        at.setFile(next);
    }
    return false;
}

// What is wrong with a link to nothing: it goes round in a circle, or what
// it points to is missing.
Bilingual brokenLink(const QFileInfo& info, const QString& shown) {
    if (linksGoRound(info)) {
        return {QStringLiteral("「%1」はリンクですが、リンクをたどると同じ所を回り続けます"
                               "（リンクの循環）。")
                    .arg(shown),
                QStringLiteral("\"%1\" is a link, but following the links leads round in a "
                               "circle (a link loop).")
                    .arg(shown)};
    }
    const QString target = info.symLinkTarget();
    return {QStringLiteral("「%1」はリンクですが、リンク先「%2」がありません。").arg(shown, target),
            QStringLiteral("\"%1\" is a link, but what it points to, \"%2\", does not exist.")
                .arg(shown, target)};
}

// Why a file that starts with `bytes` and is said to hold `size` bytes is
// too short to be the dictionary, or an empty reason when it is not.
Bilingual tooShort(const QByteArray& bytes, qint64 size, const QString& shown) {
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
    explicit DictionaryFile(const QString& path) : file(path) {}

    int readRecord(int n, char* out, int size) override {
        // Bytes past the 46th record are not part of the dictionary.
        if (n < 1 || n > KanaRecord::Count || size <= 0 || !file.isOpen() ||
            !file.seek(qint64(n - 1) * KanaRecord::Size)) {
            return 0;
        }
        const qint64 got = file.read(out, std::min(size, KanaRecord::Size));
        return got < 0 ? 0 : int(got);
    }

    void close() override { file.close(); }

    QFile file;
};

// Why the place `info` names cannot be the dictionary, or an empty reason
// when `file` now holds it open. What lies at the path is told apart before
// anything is opened: opening a named pipe would wait for a writer.
Bilingual whatIsWrong(const QFileInfo& info, const QString& shown, QFile& file) {
    if (!info.exists()) {
        return brokenLink(info, shown);
    }
    if (info.isDir()) {
        return {QStringLiteral("「%1」はフォルダーです。辞書はファイルでなければなりません。")
                    .arg(shown),
                QStringLiteral("\"%1\" is a folder. The dictionary must be a file.").arg(shown)};
    }
    // Named pipes, sockets and devices: opening one could block or read
    // something that is not a file at all.
    if (!info.isFile()) {
        return {QStringLiteral("「%1」は通常のファイルではありません"
                               "（名前付きパイプ、ソケット、デバイスなど）。")
                    .arg(shown),
                QStringLiteral("\"%1\" is not a regular file (it is a named pipe, a socket, a "
                               "device or the like).")
                    .arg(shown)};
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return {QStringLiteral("「%1」を開けません（%2）。").arg(shown, file.errorString()),
                QStringLiteral("\"%1\" cannot be opened (%2).").arg(shown, file.errorString())};
    }
    if (detail::afterDataFileOpened) {
        detail::afterDataFileOpened(file.fileName());
    }
    // From here on the open file, not the path, is read: whatever is put at
    // the path a moment later changes nothing. The bytes read to tell are
    // dropped: questions read their record from the file each time.
    const QByteArray bytes = file.read(DataFileMinimumSize);
    if (file.error() != QFileDevice::NoError) {
        return {QStringLiteral("「%1」を読み込めません（%2）。").arg(shown, file.errorString()),
                QStringLiteral("\"%1\" cannot be read (%2).").arg(shown, file.errorString())};
    }
    return tooShort(bytes, info.size(), shown);
}

} // namespace

DataFileCheck checkDataFile(const QList<DataFilePlace>& candidates) {
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const QString& path = candidates.at(i).path;
        const QFileInfo info(path);
        // Nothing there, not even a link: the next place is tried.
        if (!info.exists() && !info.isSymLink()) {
            continue;
        }
        auto dictionary = std::make_unique<DictionaryFile>(path);
        const Bilingual reason = whatIsWrong(info, candidates.at(i).shown, dictionary->file);
        if (!reason.isEmpty()) {
            return failure(candidates, i, reason);
        }
        DataFileCheck result;
        result.dictionary = std::move(dictionary);
        result.path = path;
        return result;
    }
    return failure(candidates, -1,
                   {QStringLiteral("どの場所にもファイルがありません。"),
                    QStringLiteral("None of the places has the file.")});
}

} // namespace mivesk
