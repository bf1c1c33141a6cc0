// Where the program looks for its dictionary file.

#include "DataFileCheck.h"
#include "DataFileLocator.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace mivesk;

class DataFileLocatorTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void candidatesMostLocalFirst();
    void currentDirectoryComesFirst();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDir;
};

void DataFileLocatorTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void DataFileLocatorTest::cleanup() {
    QDir::setCurrent(m_previousDir);
    m_dir.reset();
}

void DataFileLocatorTest::candidatesMostLocalFirst() {
    const QList<DataFilePlace> candidates = dataFileCandidates();
    const QString appDir = QCoreApplication::applicationDirPath();
    QStringList expected{QDir(appDir).filePath("50on_dic.dat"),
                         QDir::cleanPath(appDir + "/../share/mivesk/50on_dic.dat")};
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        expected << QDir::cleanPath(folder + "/mivesk/50on_dic.dat");
    expected.removeDuplicates();

    QVERIFY(!candidates.isEmpty());
    QCOMPARE(candidates[0].path, QStringLiteral("50on_dic.dat"));
    QCOMPARE(candidates[0].shown, QDir::current().filePath("50on_dic.dat"));
    QStringList rest;
    for (const DataFilePlace& place : candidates.mid(1)) {
        QCOMPARE(place.shown, place.path);
        rest << place.shown;
    }
    QCOMPARE(rest, expected);
}

void DataFileLocatorTest::currentDirectoryComesFirst() {
    // Whatever copies lie further down the list, this one is used.
    QVERIFY(QFile::copy(QStringLiteral(MIVESK_DATA_FILE), m_dir->filePath("50on_dic.dat")));
    const DataFileCheck data = checkDataFile(dataFileCandidates());
    QVERIFY(data.dictionary);
    QCOMPARE(QFileInfo(data.path).canonicalFilePath(),
             QFileInfo(m_dir->filePath("50on_dic.dat")).canonicalFilePath());
}

QTEST_MAIN(DataFileLocatorTest)
#include "tst_data_file_locator.moc"
