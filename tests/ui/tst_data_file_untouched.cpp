// The dictionary is opened read-only and never written: a whole drill on a
// copy, through the start-up check and the real main window, leaves the
// copy's bytes and times as they were, and the kernel saw it opened and
// closed for reading only.

#include "DataFileCheck.h"
#include "Form1TestSupport.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace mivesk;
using namespace mivesk::test;

namespace {

struct Times {
    timespec modified{};
    timespec changed{};
    bool operator==(const Times& o) const {
        return modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
               changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
    }
};

Times timesOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        qFatal("cannot stat %s", qPrintable(path));
    return {st.st_mtim, st.st_ctim};
}

// Everything the kernel reports about a directory's entries while it lives.
class DirectoryWatch {
public:
    explicit DirectoryWatch(const QString& dir) {
        m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (m_fd >= 0) {
            ::inotify_add_watch(m_fd, QFile::encodeName(dir).constData(),
                                IN_OPEN | IN_CLOSE_NOWRITE | IN_CLOSE_WRITE | IN_MODIFY |
                                    IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM |
                                    IN_MOVED_TO);
        }
    }
    ~DirectoryWatch() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isValid() const { return m_fd >= 0; }

    // The events since the last call, each as "<event> <name>".
    QStringList events() {
        QStringList seen;
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                const QString name = event->len ? QString::fromLocal8Bit(event->name) : QString();
                const std::pair<uint32_t, const char*> kinds[] = {{IN_OPEN, "open"},
                                                                  {IN_CLOSE_NOWRITE, "close-read"},
                                                                  {IN_CLOSE_WRITE, "close-write"},
                                                                  {IN_MODIFY, "modify"},
                                                                  {IN_ATTRIB, "attrib"},
                                                                  {IN_CREATE, "create"},
                                                                  {IN_DELETE, "delete"},
                                                                  {IN_MOVED_FROM, "moved-from"},
                                                                  {IN_MOVED_TO, "moved-to"}};
                for (const auto& [mask, label] : kinds) {
                    if (event->mask & mask)
                        seen << QStringLiteral("%1 %2").arg(QLatin1String(label), name);
                }
                at += ssize_t(sizeof(inotify_event)) + event->len;
            }
        }
        return seen;
    }

private:
    int m_fd = -1;
};

} // namespace

class DataFileUntouchedTest : public QObject {
    Q_OBJECT

private slots:
    void wholeDrillLeavesTheFileAsItWas() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("50on_dic.dat"));
        QVERIFY(QFile::copy(QStringLiteral(MIVESK_DATA_FILE), path));
        QFile original(path);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray bytes = original.readAll();
        original.close();
        QCOMPARE(bytes.size(), 368);
        const Times before = timesOf(path);
        // Whatever the file system's time resolution, a write now would
        // give a later time.
        QTest::qWait(20);

        DirectoryWatch watch(dir.path());
        QVERIFY(watch.isValid());

        registerFontSubstitutes();
        DataFileCheck data = checkDataFile({path});
        QVERIFY2(data.dictionary, qPrintable(data.problem));
        auto engine = std::make_unique<DrillEngine>(
            std::move(data.dictionary), std::make_unique<FixedRandom>(std::vector<float>{0.5f}));
        Form1 window(std::move(engine));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // The わ row: three kana, so three Nexts wrap through record 47.
        click(window, QStringLiteral("Option1_9"));
        click(window, QStringLiteral("Im_Set"));
        QCOMPARE(caption(window, QStringLiteral("Lb_Main")), QStringLiteral("わ"));

        click(window, QStringLiteral("ImTen_2"));
        click(window, QStringLiteral("Im_Check"));
        QCOMPARE(window.engine().AnsweredCount(), qint16(1));
        QCOMPARE(window.engine().CorrectCount(), qint16(1));
        QCOMPARE(caption(window, QStringLiteral("lblCount")), QStringLiteral("1門終了"));

        const QStringList expected{QStringLiteral("を"), QStringLiteral("ん"),
                                   QStringLiteral("わ")};
        for (const QString& kana : expected) {
            click(window, QStringLiteral("Im_Next"));
            QCOMPARE(caption(window, QStringLiteral("Lb_Main")), kana);
        }
        QCOMPARE(window.engine().QuestionNo(), qint16(44));
        click(window, QStringLiteral("Im_Check"));
        click(window, QStringLiteral("Im_Reset"));
        QCOMPARE(caption(window, QStringLiteral("lblCount")), QStringLiteral("0門終了"));
        QCOMPARE(caption(window, QStringLiteral("Lb_Main")), QStringLiteral("わ"));

        // Open for the whole run: closed only by End.
        QStringList events = watch.events();
        QCOMPARE(events, QStringList{QStringLiteral("open 50on_dic.dat")});
        click(window, QStringLiteral("Im_End"));
        QVERIFY(window.engine().isEnded());
        QVERIFY(!window.isVisible());

        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), bytes);
        after.close();
        QVERIFY(timesOf(path) == before);
        QCOMPARE(
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("50on_dic.dat")});

        // Our own read-back above opened and closed it once more, for
        // reading; nothing ever opened it for writing.
        events += watch.events();
        QCOMPARE(events.count(QStringLiteral("open 50on_dic.dat")), 2);
        QCOMPARE(events.count(QStringLiteral("close-read 50on_dic.dat")), 2);
        for (const QString& event : events) {
            QVERIFY2(event.startsWith(QLatin1String("open ")) ||
                         event.startsWith(QLatin1String("close-read ")),
                     qPrintable(event));
        }
    }
};

QTEST_MAIN(DataFileUntouchedTest)
#include "tst_data_file_untouched.moc"
