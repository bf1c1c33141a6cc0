// A missing or damaged dictionary at start-up: what the check finds, what
// the user is told, the exit status, and that nothing on disk is touched.
// The check and the message run in-process; the real program runs as a
// child from a directory of its own for the cases a user meets first.

#include "DataFileCheck.h"
#include "DataFileLocator.h"
#include "Startup.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include <functional>
#include <sys/fsuid.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using mivesk::checkDataFile;
using mivesk::DataFileCheck;
using namespace mivesk::test;

namespace {

const QString Name = QStringLiteral("50on_dic.dat");

bool makeSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (fd < 0) {
        return false;
    }
    if (size_t(name.size()) >= sizeof(address.sun_path)) {
        ::close(fd);
        return false;
    }
    qstrcpy(address.sun_path, name.constData());
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return bound;
}

// A scratch tree: a working directory, a program directory and the
// share/mivesk folder beside it, the first three places the program looks.
struct Places {
    QTemporaryDir root;
    QString cwd;
    QString bin;
    QStringList candidates;

    Places() {
        QDir(root.path()).mkpath(QStringLiteral("cwd"));
        QDir(root.path()).mkpath(QStringLiteral("bin"));
        QDir(root.path()).mkpath(QStringLiteral("share/mivesk"));
        cwd = root.filePath(QStringLiteral("cwd"));
        bin = root.filePath(QStringLiteral("bin"));
        candidates = {QDir(cwd).filePath(Name), QDir(bin).filePath(Name),
                      root.filePath(QStringLiteral("share/mivesk/") + Name)};
    }
};

enum class Entry {
    Missing,
    Directory,
    NamedPipe,
    Socket,
    Device,
    DanglingLink,
    Empty,
    OneByte,
    FortyFiveRecords,
    OneByteShort,
    LinkLoop,
    // A file that claims more bytes than it yields.
    ShortReading,
    // A good file, replaced by a named pipe just after it was opened.
    SwappedForNamedPipe,
    // Made by the test itself: see unreadableFileIsReported.
    Unreadable,
};

// A file of /sys: its size is given as a page, its content is a few bytes.
QString shortReadingFile() {
    for (const char* path : {"/sys/kernel/mm/transparent_hugepage/enabled",
                             "/sys/devices/system/cpu/online", "/sys/kernel/profiling"}) {
        QFileInfo info(QString::fromLatin1(path));
        if (info.isReadable() && info.size() >= 368)
            return info.filePath();
    }
    return {};
}

QString pathToSwap;
void swapInANamedPipe(const QString& path) {
    if (path != pathToSwap)
        return;
    const QByteArray name = QFile::encodeName(path);
    const QByteArray pipe = name + ".fifo";
    if (::mkfifo(pipe.constData(), 0644) != 0 || ::rename(pipe.constData(), name.constData()) != 0)
        qFatal("cannot put a named pipe at %s", name.constData());
}

// Puts a bad dictionary of kind `entry` at `path`.
bool plant(Entry entry, const QString& path) {
    const QByteArray good = dataFileBytes();
    switch (entry) {
    case Entry::Missing:
        return true;
    case Entry::Directory:
        return QDir().mkdir(path);
    case Entry::NamedPipe:
        return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
    case Entry::Socket:
        return makeSocket(path);
    case Entry::Device:
        return QFile::link(QStringLiteral("/dev/null"), path);
    case Entry::DanglingLink:
        return QFile::link(path + QStringLiteral(".gone"), path);
    case Entry::Empty:
        return writeFile(path, {});
    case Entry::OneByte:
        return writeFile(path, good.left(1));
    case Entry::FortyFiveRecords:
        return writeFile(path, good.left(45 * 8));
    case Entry::OneByteShort:
        return writeFile(path, good.left(367));
    case Entry::LinkLoop:
        return QFile::link(path, path);
    case Entry::ShortReading:
        return !shortReadingFile().isEmpty() && QFile::link(shortReadingFile(), path);
    case Entry::SwappedForNamedPipe:
        pathToSwap = path;
        mivesk::detail::afterDataFileOpened = swapInANamedPipe;
        return writeFile(path, good);
    case Entry::Unreadable:
        break;
    }
    return false;
}

struct Fault {
    const char* tag;
    Entry entry;
    const char* reason; // empty when the file opened is the one used
    const char* englishReason;
    bool alsoAsProgram; // the cases a user meets first, run again as the real program
};

const Fault Faults[] = {
    {"missing", Entry::Missing, "どの場所にもファイルがありません。",
     "None of the places has the file.", true},
    {"directory", Entry::Directory, "」はフォルダーです。", "\" is a folder.", true},
    {"named pipe", Entry::NamedPipe, "」は通常のファイルではありません", "\" is not a regular file",
     true},
    {"socket", Entry::Socket, "」は通常のファイルではありません", "\" is not a regular file",
     false},
    {"device", Entry::Device, "」は通常のファイルではありません", "\" is not a regular file",
     false},
    {"dangling link", Entry::DanglingLink, ".gone」がありません。", ".gone\", does not exist.",
     false},
    {"empty", Entry::Empty, "」は空です（0 バイト）。", "\" is empty (0 bytes).", true},
    {"one byte", Entry::OneByte, "」は 1 バイトしかありません。", "\" has only 1 byte.", false},
    {"45 records", Entry::FortyFiveRecords, "」は 360 バイトしかありません。",
     "\" has only 360 bytes.", true},
    {"one byte short", Entry::OneByteShort, "」は 367 バイトしかありません。",
     "\" has only 367 bytes.", false},
    {"link loop", Entry::LinkLoop, "」はリンクですが、リンクをたどると同じ所を回り続けます",
     "\" is a link, but following the links leads round in a circle", false},
    {"short reading", Entry::ShortReading, " バイトあるとされていますが、読み込めたのは ",
     " bytes, but only ", false},
    {"named pipe after the open", Entry::SwappedForNamedPipe, "", "", false},
};

void addFaultRows(bool asProgram) {
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("englishReason");
    for (const Fault& f : Faults) {
        if (!asProgram || f.alsoAsProgram)
            QTest::newRow(f.tag) << f.entry << QString::fromUtf8(f.reason)
                                 << QString::fromLatin1(f.englishReason);
    }
}

// What a message about a bad or missing dictionary must say, in Japanese
// and then the same in English. `looked` is the places looked at, in order.
void verifyMessage(const QString& message, const QStringList& looked, const QString& reason,
                   const QString& englishReason, Entry entry) {
    const QByteArray shown = message.toUtf8();
    const qsizetype english =
        message.indexOf(QStringLiteral("The dictionary file \"50on_dic.dat\""));
    QVERIFY2(english > 0, shown);
    for (const bool inJapanese : {true, false}) {
        const QString text = inJapanese ? message.left(english) : message.mid(english);
        qsizetype from = 0;
        for (const QString& place : looked) {
            from = text.indexOf(place, from);
            QVERIFY2(from >= 0, qPrintable(place + QStringLiteral(" is not named in order")));
            from += place.size();
        }
        QVERIFY2(text.contains(inJapanese ? QStringLiteral("「50on_dic.dat」")
                                          : QStringLiteral("\"50on_dic.dat\"")),
                 shown);
        QVERIFY2(text.contains(inJapanese ? QStringLiteral("理由: ") : QStringLiteral("Reason: ")),
                 shown);
        QVERIFY2(text.contains(inJapanese ? reason : englishReason), shown);
        // The reason names the file it is about.
        if (entry != Entry::Missing)
            QVERIFY2(
                text.contains((inJapanese ? QStringLiteral("「%1」") : QStringLiteral("\"%1\""))
                                  .arg(looked.last())),
                shown);
        if (reason.contains(QStringLiteral("バイト")))
            QVERIFY2(text.contains(inJapanese ? QStringLiteral("368 バイト必要です。")
                                              : QStringLiteral("need 368 bytes.")),
                     shown);
    }
}

// What the in-process check tells the user, as it is printed.
QString told(const DataFileCheck& check) {
    return check.problem + QLatin1Char('\n') + check.englishProblem;
}

// What a message box showed.
struct ShownBox {
    bool seen = false;
    QString title;
    QString text;
    QString informativeText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool hasParent = true;
    int otherVisibleWindows = -1;
};

// Waits for the next message box, notes what it shows in `shown` and
// answers it with `answer`.
void answerNextBox(ShownBox& shown, const std::function<void(QMessageBox*)>& answer) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [&shown, answer, poll] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        poll->stop();
        shown.seen = true;
        shown.title = box->windowTitle();
        shown.text = box->text();
        shown.informativeText = box->informativeText();
        shown.icon = box->icon();
        shown.hasParent = box->parentWidget() != nullptr;
        shown.otherVisibleWindows = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            shown.otherVisibleWindows += window != box && window->isVisible();
        answer(box);
        poll->deleteLater();
    });
    poll->start();
}

// Catches what is written to stderr while it lives.
class StderrCapture {
public:
    StderrCapture() {
        m_file.open();
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        ::dup2(m_file.handle(), STDERR_FILENO);
    }
    ~StderrCapture() { restore(); }
    QString text() {
        restore();
        m_file.seek(0);
        return QString::fromUtf8(m_file.readAll());
    }

private:
    void restore() {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }
    QTemporaryFile m_file;
    int m_saved = -1;
};

// A dictionary installed in the system's data folders, which the program
// would find from anywhere; empty when there is none.
QString installedDictionary() {
    for (const mivesk::DataFilePlace& place : mivesk::dataFileCandidates().mid(3))
        if (QFileInfo::exists(place.shown))
            return place.shown;
    return {};
}

// The program binary built beside the tests.
QString builtProgram() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../../ui/mivesk"));
}

} // namespace

Q_DECLARE_METATYPE(Entry)

class StartupFaultsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { mivesk::detail::afterDataFileOpened = nullptr; }

    void badFirstCandidateIsReported_data() { addFaultRows(false); }
    void badFirstCandidateIsReported() {
        QFETCH(Entry, entry);
        QFETCH(QString, reason);
        QFETCH(QString, englishReason);
        Places places;
        if (entry == Entry::ShortReading && shortReadingFile().isEmpty())
            QSKIP("no file of /sys to read here");
        QVERIFY(plant(entry, places.candidates[0]));
        const QStringList before = snapshot(places.root.path());

        const DataFileCheck check = checkDataFile(placesAt(places.candidates));

        if (reason.isEmpty()) {
            // Read from what was opened and checked, not from what lies at
            // the path now: no wait on the pipe, and the real records.
            QVERIFY2(check.dictionary, qPrintable(check.problem));
            char record[8];
            QCOMPARE(check.dictionary->readRecord(46, record, 8), 8);
            QCOMPARE(QByteArray(record, 8), dataFileBytes().mid(45 * 8, 8));
            QVERIFY(QFileInfo(places.candidates[0]).isFile() == false);
            return;
        }
        QVERIFY(!check.dictionary);
        const QStringList looked =
            entry == Entry::Missing ? places.candidates : places.candidates.mid(0, 1);
        verifyMessage(told(check), looked, reason, englishReason, entry);
        QCOMPARE(check.path, entry == Entry::Missing ? QString() : places.candidates[0]);
        QCOMPARE(snapshot(places.root.path()), before);
    }

    // A good file further down does not hide a broken one in front: the
    // user who put it there hears about it.
    void badFileIsNotSkippedForALaterGoodOne() {
        Places places;
        QVERIFY(plant(Entry::FortyFiveRecords, places.candidates[1]));
        QVERIFY(writeFile(places.candidates[2], dataFileBytes()));

        const DataFileCheck check = checkDataFile(placesAt(places.candidates));

        QVERIFY(!check.dictionary);
        QCOMPARE(check.path, places.candidates[1]);
        verifyMessage(told(check), places.candidates.mid(0, 2),
                      QStringLiteral("」は 360 バイトしかありません。"),
                      QStringLiteral("\" has only 360 bytes."), Entry::FortyFiveRecords);
        QVERIFY(!check.problem.contains(places.candidates[2]));
    }

    // Paths are shown as they are, even with what looks like a placeholder.
    void percentSignsInAPathStayAsTheyAre() {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("a%1b%2")));
        const QString path = root.filePath(QStringLiteral("a%1b%2/") + Name);
        QVERIFY(writeFile(path, dataFileBytes().left(100)));

        const DataFileCheck check = checkDataFile(placesAt({path}));

        verifyMessage(told(check), {path}, QStringLiteral("」は 100 バイトしかありません。"),
                      QStringLiteral("\" has only 100 bytes."), Entry::OneByte);
    }

    // Root reads a file whatever its permission bits say, so as root the
    // check runs with the filesystem identity of nobody, which drops that
    // privilege for this thread; the file is unreadable for everybody.
    void unreadableFileIsReported() {
        Places places;
        const QString path = places.candidates[0];
        QVERIFY(writeFile(path, dataFileBytes()));
        QVERIFY(QFile::setPermissions(path, {}));
        for (const QString& dir : {places.root.path(), places.cwd})
            QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner |
                                                   QFile::ExeOwner | QFile::ReadOther |
                                                   QFile::ExeOther));
        const bool root = ::geteuid() == 0;
        if (root) {
            ::setfsgid(65534);
            ::setfsuid(65534);
        }
        const DataFileCheck check = checkDataFile(placesAt(places.candidates));
        if (root) {
            ::setfsuid(0);
            ::setfsgid(0);
            QVERIFY(::setfsuid(uid_t(-1)) == 0 && ::setfsgid(gid_t(-1)) == 0);
        }

        QVERIFY(!check.dictionary);
        verifyMessage(told(check), places.candidates.mid(0, 1), QStringLiteral("」を開けません（"),
                      QStringLiteral("\" cannot be opened ("), Entry::Unreadable);
        QVERIFY2(check.problem.contains(QStringLiteral("Permission denied")),
                 qPrintable(check.problem));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }

    void goodFileIsOpenedAndExtraBytesAreIgnored_data() {
        QTest::addColumn<int>("extra");
        QTest::addColumn<int>("at");
        QTest::newRow("exactly 46 records, in the working directory") << 0 << 0;
        QTest::newRow("extra bytes") << 100 << 0;
        QTest::newRow("a cut-off 47th record") << 3 << 0;
        QTest::newRow("beside the program when the working directory has none") << 0 << 1;
        QTest::newRow("in share/mivesk") << 8 << 2;
    }
    void goodFileIsOpenedAndExtraBytesAreIgnored() {
        QFETCH(int, extra);
        QFETCH(int, at);
        Places places;
        const QByteArray good = dataFileBytes();
        QCOMPARE(good.size(), 368);
        QVERIFY(writeFile(places.candidates[at], good + QByteArray(extra, '\xFF')));
        const QStringList before = snapshot(places.root.path());

        DataFileCheck check = checkDataFile(placesAt(places.candidates));

        QVERIFY2(check.dictionary, qPrintable(check.problem));
        QVERIFY(check.problem.isEmpty());
        QCOMPARE(check.path, places.candidates[at]);
        char record[8];
        QCOMPARE(check.dictionary->readRecord(1, record, 8), 8);
        QCOMPARE(QByteArray(record, 8), good.left(8));
        QCOMPARE(check.dictionary->readRecord(46, record, 8), 8);
        QCOMPARE(QByteArray(record, 8), good.mid(45 * 8, 8));
        check.dictionary->close();
        QCOMPARE(snapshot(places.root.path()), before);
    }

    // The box: critical, captioned "Mivesk", no owner window, showing the
    // whole problem in Japanese with the English below; however it is
    // closed, the program ends with status 1, and stderr gets the same
    // texts in the same order.
    void reportShowsTheBoxAndEndsWithAFailure_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("OK button") << false;
        QTest::newRow("Escape key") << true;
    }
    void reportShowsTheBoxAndEndsWithAFailure() {
        QFETCH(bool, escape);
        Places places;
        QVERIFY(plant(Entry::OneByte, places.candidates[0]));
        const DataFileCheck check = checkDataFile(placesAt(places.candidates));
        QVERIFY(!check.problem.isEmpty());

        ShownBox shown;
        answerNextBox(shown, [escape](QMessageBox* box) {
            if (escape)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(QMessageBox::Ok)->click();
        });
        StderrCapture err;
        const int status = mivesk::reportDataFileProblem(check.problem, check.englishProblem, true);
        const QString printed = err.text();

        QVERIFY(shown.seen);
        QCOMPARE(status, 1);
        QCOMPARE(shown.title, QStringLiteral("Mivesk"));
        QCOMPARE(shown.icon, QMessageBox::Critical);
        QVERIFY(!shown.hasParent);
        QCOMPARE(shown.otherVisibleWindows, 0);
        QCOMPARE(shown.text, check.problem);
        QCOMPARE(shown.informativeText, check.englishProblem);
        const qsizetype japanese = printed.indexOf(check.problem);
        QVERIFY2(japanese >= 0 && printed.indexOf(check.englishProblem, japanese) > japanese,
                 qPrintable(printed));
        QVERIFY(!QApplication::activeModalWidget());
    }

    // The current folder is reached by the bare name: a folder whose name is
    // not valid text still gives its file, and a deleted one is simply a
    // place with nothing in it, never a reason to look at the root.
    void currentFolderIsLookedAtByTheBareName_data() {
        QTest::addColumn<bool>("deleted");
        QTest::newRow("name that is not text") << false;
        QTest::newRow("deleted") << true;
    }
    void currentFolderIsLookedAtByTheBareName() {
        QFETCH(bool, deleted);
        QTemporaryDir root;
        const QByteArray folder = QFile::encodeName(root.path()) + "/\xff\xfe-cwd";
        QVERIFY(::mkdir(folder.constData(), 0755) == 0);
        const QByteArray previous = QFile::encodeName(QDir::currentPath());
        QVERIFY(::chdir(folder.constData()) == 0);
        if (deleted)
            QVERIFY(::rmdir(folder.constData()) == 0);
        else
            QVERIFY(writeFile(Name, dataFileBytes()));

        const QList<mivesk::DataFilePlace> candidates = mivesk::dataFileCandidates();
        DataFileCheck check = checkDataFile(candidates);
        QVERIFY(::chdir(previous.constData()) == 0);
        if (!deleted) {
            ::unlink((folder + "/50on_dic.dat").constData());
            ::rmdir(folder.constData());
        }

        QCOMPARE(candidates.first().path, Name);
        for (const mivesk::DataFilePlace& place : candidates)
            QVERIFY2(place.path != QStringLiteral("/50on_dic.dat"), qPrintable(place.shown));
        if (!deleted) {
            QVERIFY2(check.dictionary, qPrintable(check.problem));
            QCOMPARE(check.path, Name);
            char record[8];
            QCOMPARE(check.dictionary->readRecord(1, record, 8), 8);
            QCOMPARE(QByteArray(record, 8), dataFileBytes().left(8));
        } else if (!check.dictionary) {
            QVERIFY2(check.problem.contains(QStringLiteral("1. 50on_dic.dat（現在のフォルダー）")),
                     qPrintable(check.problem));
        }
    }

    // The program itself, from a working directory with a bad dictionary or
    // none, and its binary copied where no good dictionary lies beside it.
    // Offscreen no one could close a message box, so the program prints the
    // message and ends at once with status 1; with a box, its status is what
    // reportShowsTheBoxAndEndsWithAFailure checks.
    void programSaysWhatIsWrong_data() { addFaultRows(true); }
    void programSaysWhatIsWrong() {
        QFETCH(Entry, entry);
        QFETCH(QString, reason);
        QFETCH(QString, englishReason);
        const QList<mivesk::DataFilePlace> system = mivesk::dataFileCandidates().mid(3);
        if (entry == Entry::Missing && !installedDictionary().isEmpty())
            QSKIP("an installed dictionary exists; the program would use it");
        QStringList installed;
        for (const mivesk::DataFilePlace& place : system)
            installed << place.shown;
        QVERIFY2(QFileInfo(builtProgram()).isExecutable(), qPrintable(builtProgram()));

        Places places;
        const QString program = QDir(places.bin).filePath(QStringLiteral("mivesk"));
        QVERIFY(QFile::copy(builtProgram(), program));
        QVERIFY(plant(entry, places.candidates[0]));
        const QStringList before = snapshot(places.root.path());

        QProcess child;
        child.setWorkingDirectory(places.cwd);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        child.start(program, {});
        QVERIFY(child.waitForFinished(60000));
        const QString message = QString::fromUtf8(child.readAllStandardError());

        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 1);
        const QStringList looked =
            entry == Entry::Missing ? places.candidates + installed : places.candidates.mid(0, 1);
        verifyMessage(message, looked, reason, englishReason, entry);
        QCOMPARE(snapshot(places.root.path()), before);
    }

    // Without a font that has the kana every text would be empty boxes:
    // the program says why, and goes on to its other checks.
    void programWithoutJapaneseFontsSaysSo() {
        if (!installedDictionary().isEmpty())
            QSKIP("an installed dictionary exists; the program would use it");
        Places places;
        const QString program = QDir(places.bin).filePath(QStringLiteral("mivesk"));
        QVERIFY(QFile::copy(builtProgram(), program));
        const QString config = places.root.filePath(QStringLiteral("fonts.conf"));
        QVERIFY(writeFile(config, "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" +
                                      QFile::encodeName(places.root.path()) +
                                      "/cache</cachedir></fontconfig>\n"));
        QProcess child;
        child.setWorkingDirectory(places.cwd);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("FONTCONFIG_FILE"), config);
        child.setProcessEnvironment(env);
        child.start(program, {});
        QVERIFY(child.waitForFinished(60000));
        const QString err = QString::fromUtf8(child.readAllStandardError());

        QVERIFY2(err.contains(QStringLiteral("日本語フォントが見つかりません")) &&
                     err.contains(QStringLiteral("Japanese fonts are missing")) &&
                     err.contains(QStringLiteral("fonts-ipafont-gothic")),
                 qPrintable(err));
        QVERIFY2(err.contains(QStringLiteral("理由: ")), qPrintable(err));
    }

    // No display to open, or a platform that cannot start: Qt's reason, then
    // the program's line in Japanese and English, status 1, and no abort
    // (which would leave a core file where core files are on). The
    // sanitizer build finds
    // nothing to say about a DISPLAY far longer than any socket path.
    void programWithoutADisplayEndsAtOnce_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("qtReason");
        const QString noServer = QStringLiteral("could not connect to display");
        QTest::newRow("no DISPLAY") << QString() << QString() << noServer;
        QTest::newRow("DISPLAY with no server") << QString() << QStringLiteral(":87") << noServer;
        QTest::newRow("DISPLAY of 2,000 zeros")
            << QString() << QLatin1Char(':') + QString(2000, u'0') + QLatin1Char('9') << noServer;
        QTest::newRow("platform that cannot start")
            << QStringLiteral("nosuch") << QString()
            << QStringLiteral("Could not find the Qt platform plugin \"nosuch\"");
    }
    void programWithoutADisplayEndsAtOnce() {
        QFETCH(QString, platform);
        QFETCH(QString, display);
        QFETCH(QString, qtReason);
        QTemporaryDir cwd;
        QProcess child;
        child.setWorkingDirectory(cwd.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        if (!platform.isEmpty())
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        if (!display.isEmpty())
            env.insert(QStringLiteral("DISPLAY"), display);
        child.setProcessEnvironment(env);
        child.start(builtProgram(), {});
        QVERIFY(child.waitForFinished(60000));
        const QString err = QString::fromUtf8(child.readAllStandardError());

        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 1);
        const QString shownDisplay =
            QStringLiteral("DISPLAY=") + (display.isEmpty() ? QStringLiteral("(unset)") : display);
        const QStringList lines = err.split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(lines.size() >= 3, qPrintable(err));
        QVERIFY2(lines.at(lines.size() - 2).startsWith(QStringLiteral("mivesk: 画面を開けません")),
                 qPrintable(err));
        QVERIFY2(lines.last().startsWith(QStringLiteral("mivesk: no display could be opened: ") +
                                         shownDisplay),
                 qPrintable(err));
        QVERIFY2(lines.mid(0, lines.size() - 2).join(u'\n').contains(qtReason), qPrintable(err));
        QVERIFY2(!err.contains(QStringLiteral("AddressSanitizer")) &&
                     !err.contains(QStringLiteral("runtime error")),
                 qPrintable(err));
        QCOMPARE(QDir(cwd.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }
};

QTEST_MAIN(StartupFaultsTest)
#include "tst_startup_faults.moc"
