#include "TestSupport.h"

#include "DataFileCheck.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace mivesk::test {

ScriptedRandom::ScriptedRandom(std::vector<float> numbers)
    : m_draw([numbers = std::move(numbers), next = std::size_t{0}]() mutable {
          const float r = numbers.at(next);
          next = (next + 1) % numbers.size();
          return r;
      }) {
}

int RecordingSource::readRecord(int n, char* out, int size) {
    if (m_reads) {
        m_reads->push_back(n);
    }
    return m_inner->readRecord(n, out, size);
}

void RecordingSource::close() {
    if (m_closed) {
        *m_closed = true;
    }
    m_inner->close();
}

std::unique_ptr<DictionarySource> checkedDictionary(const QByteArray& bytes, const QString& path) {
    // One scratch folder for the whole test program; each file in it goes as
    // soon as it is checked and open.
    static const QTemporaryDir scratch;
    static int made = 0;
    const QString file =
        path.isEmpty() ? scratch.filePath(QStringLiteral("%1.dat").arg(++made)) : path;
    const bool cut = bytes.size() < DataFileMinimumSize;
    const QByteArray whole =
        cut ? bytes + QByteArray(DataFileMinimumSize - bytes.size(), '0') : bytes;
    if (!writeFile(file, whole)) {
        qFatal("cannot write %s", qPrintable(file));
    }
    DataFileCheck check = checkDataFile(placesAt({file}));
    if (!check.dictionary) {
        qFatal("the start-up check refused the test's dictionary: %s", qPrintable(check.problem));
    }
    if (cut && !QFile::resize(file, bytes.size())) {
        qFatal("cannot cut %s short", qPrintable(file));
    }
    if (path.isEmpty()) {
        QFile::remove(file);
    }
    return std::move(check.dictionary);
}

QList<DataFilePlace> placesAt(const QStringList& paths) {
    QList<DataFilePlace> places;
    for (const QString& path : paths) {
        places.append({path, path});
    }
    return places;
}

QByteArray dataFileBytes() {
    QFile file(QStringLiteral(MIVESK_DATA_FILE));
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot open the data file %s", MIVESK_DATA_FILE);
    }
    return file.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList snapshot(const QString& dir) {
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

QByteArray record(const char* kanaShiftJis, const char (&flags)[7]) {
    return QByteArray(kanaShiftJis, 2) + QByteArray(flags, 6);
}

std::unique_ptr<DrillEngine> startedEngine(const QByteArray& bytes, std::vector<float> randoms,
                                           std::vector<int>* reads, bool* closed) {
    auto engine = std::make_unique<DrillEngine>(
        std::make_unique<RecordingSource>(checkedDictionary(bytes), reads, closed),
        std::make_unique<ScriptedRandom>(std::move(randoms)));
    engine->Form_Load();
    return engine;
}

QByteArray pictures(const std::array<DotPicture, 6>& cell) {
    QByteArray text;
    for (const DotPicture dot : cell) {
        text += dot == DotPicture::On ? '1' : '0';
    }
    return text;
}

} // namespace mivesk::test
