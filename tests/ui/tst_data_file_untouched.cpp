// The dictionary is opened read-only and never written: a whole drill on a
// copy, through the start-up check and the real main window, leaves the
// copy's bytes and times as they were, and the kernel saw it opened and
// closed for reading only.

#include "DataFileCheck.h"
#include "Form1TestSupport.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
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
                // Any other event is shown by its mask.
                const uint32_t mask = event->mask & ~uint32_t(IN_ISDIR);
                const QString kind = mask == IN_OPEN            ? QStringLiteral("open")
                                     : mask == IN_CLOSE_NOWRITE ? QStringLiteral("close-read")
                                                                : QString::number(mask, 16);
                seen << kind + u' ' + name;
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
        const QStringList before = snapshot(dir.path());
        // Whatever the file system's time resolution, a write now would
        // give a later time.
        QTest::qWait(20);

        DirectoryWatch watch(dir.path());
        QVERIFY(watch.isValid());

        DataFileCheck data = checkDataFile(placesAt({path}));
        QVERIFY2(data.dictionary, qPrintable(data.problem));
        const auto shown = showForm1(std::move(data.dictionary),
                                     std::make_unique<ScriptedRandom>(std::vector<float>{0.5f}));
        Form1& window = *shown;

        // The わ row: three kana, so three Nexts wrap through record 47.
        click(window, QStringLiteral("Option1_9"));
        click(window, QStringLiteral("Im_Set"));
        QCOMPARE(caption(window, QStringLiteral("Lb_Main")), QStringLiteral("わ"));

        click(window, QStringLiteral("ImTen_2"));
        click(window, QStringLiteral("Im_Check"));
        QVERIFY(control(window, QStringLiteral("imgSeikai"))->isVisible());

        const QStringList expected{QStringLiteral("を"), QStringLiteral("ん"),
                                   QStringLiteral("わ")};
        for (const QString& kana : expected) {
            click(window, QStringLiteral("Im_Next"));
            QCOMPARE(caption(window, QStringLiteral("Lb_Main")), kana);
        }
        click(window, QStringLiteral("Im_Check"));
        click(window, QStringLiteral("Im_Reset"));
        QCOMPARE(caption(window, QStringLiteral("Lb_Main")), QStringLiteral("わ"));

        // Open for the whole run: closed only by End.
        QStringList events = watch.events();
        QCOMPARE(events, QStringList{QStringLiteral("open 50on_dic.dat")});
        click(window, QStringLiteral("Im_End"));
        events += watch.events();
        QCOMPARE(events.last(), QStringLiteral("close-read 50on_dic.dat"));
        QVERIFY(!window.isVisible());

        QCOMPARE(snapshot(dir.path()), before);
        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), dataFileBytes());
        after.close();

        // Our own read-back above opened and closed it once more, for
        // reading; nothing ever opened it for writing.
        events += watch.events();
        QCOMPARE(events.count(QStringLiteral("open 50on_dic.dat")), 2);
        QCOMPARE(events.count(QStringLiteral("close-read 50on_dic.dat")), 2);
        for (const QString& event : events)
            QVERIFY2(event.startsWith(QLatin1String("open ")) ||
                         event.startsWith(QLatin1String("close-read ")),
                     qPrintable(event));
    }
};

QTEST_MAIN(DataFileUntouchedTest)
#include "tst_data_file_untouched.moc"
