#include "DataFileCheck.h"

#include "DataFileLocator.h"
#include "KanaRecord.h"

#include <QFileInfo>
#include <QMessageBox>

#include <cstdio>

namespace mivesk {

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
QString placesLookedAt(const QStringList& candidates, qsizetype decided) {
    QString text = QStringLiteral("次の場所を順に探しました:\n");
    const qsizetype last = decided < 0 ? candidates.size() - 1 : decided;
    for (qsizetype i = 0; i <= last; ++i) {
        text += QStringLiteral("  %1. %2").arg(QString::number(i + 1), candidates.at(i));
        text += i == decided ? QStringLiteral(" … これを使おうとしました\n")
                             : QStringLiteral(" … ありません\n");
    }
    return text;
}

DataFileCheck failure(const QStringList& candidates, qsizetype decided, const QString& reason) {
    DataFileCheck result;
    if (decided >= 0)
        result.path = candidates.at(decided);
    const QString headline =
        decided < 0
            ? QStringLiteral("辞書ファイル「%1」が見つかりません。\nMivesk を起動できません。")
            : QStringLiteral("辞書ファイル「%1」を読み込めません。\nMivesk を起動できません。");
    result.problem = headline.arg(fileName()) + QStringLiteral("\n\n") +
                     placesLookedAt(candidates, decided) + QStringLiteral("\n理由: ") + reason;
    return result;
}

// Why the existing entry `info` cannot be the dictionary, or an empty string
// when it is fine to open.
QString unusableEntry(const QFileInfo& info) {
    const QString path = info.filePath();
    if (info.isSymLink() && !info.exists()) {
        return QStringLiteral("「%1」はリンクですが、リンク先「%2」がありません。")
            .arg(path, info.symLinkTarget());
    }
    if (info.isDir())
        return QStringLiteral("「%1」はフォルダーです。辞書はファイルでなければなりません。")
            .arg(path);
    // A named pipe would block the program at open; a device or socket is
    // no dictionary either.
    if (!info.isFile()) {
        return QStringLiteral("「%1」は通常のファイルではありません"
                              "（名前付きパイプ、ソケット、デバイスなど）。")
            .arg(path);
    }
    return {};
}

} // namespace

DataFileCheck checkDataFile(const QStringList& candidates) {
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const QFileInfo info(candidates.at(i));
        if (!info.exists() && !info.isSymLink())
            continue;

        if (const QString reason = unusableEntry(info); !reason.isEmpty())
            return failure(candidates, i, reason);

        const QString path = info.filePath();
        auto dictionary = std::make_unique<FileDictionarySource>(path);
        if (!dictionary->open()) {
            return failure(
                candidates, i,
                QStringLiteral("「%1」を開けません（%2）。").arg(path, dictionary->errorString()));
        }
        const qint64 size = info.size();
        if (size == 0) {
            return failure(candidates, i,
                           QStringLiteral("「%1」は空です（0 バイト）。").arg(path) + sizeNeeded());
        }
        if (size < DataFileMinimumSize) {
            return failure(candidates, i,
                           QStringLiteral("「%1」は %2 バイトしかありません。")
                                   .arg(path, QString::number(size)) +
                               sizeNeeded());
        }
        // The last record must really come off the disk, not just be
        // promised by the file's size.
        char last[KanaRecord::Size];
        if (dictionary->readRecord(int(DataFileMinimumSize / KanaRecord::Size), last,
                                   KanaRecord::Size) != KanaRecord::Size) {
            return failure(candidates, i,
                           QStringLiteral("「%1」を読み込めません（%2）。")
                               .arg(path, dictionary->errorString()));
        }

        DataFileCheck result;
        result.dictionary = std::move(dictionary);
        result.path = path;
        return result;
    }
    return failure(candidates, -1, QStringLiteral("どの場所にもファイルがありません。"));
}

int reportDataFileProblem(const QString& problem) {
    std::fprintf(stderr, "mivesk: %s\n", problem.toUtf8().constData());
    std::fflush(stderr);

    QMessageBox box(QMessageBox::Critical, QStringLiteral("Mivesk"), problem, QMessageBox::Ok);
    // Paths are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return 1;
}

} // namespace mivesk
