#include "Startup.h"

#include "AppVersion.h"
#include "DataFileCheck.h"
#include "DataFileLocator.h"
#include "DrillEngine.h"
#include "FixedLook.h"
#include "Fonts.h"
#include "Form1.h"
#include "X11Window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QList>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <latch>
#include <system_error>
#include <thread>
#include <vector>

#ifdef MIVESK_POSIX
#include <csignal>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace mivesk {

namespace {

// Every start-up failure is told on stderr in Japanese and in English. When
// nobody reads stderr any more, the write fails and the message is lost.
void tell(const QByteArray& japanese, const QByteArray& english) {
    std::fprintf(stderr, "mivesk: %s\nmivesk: %s\n", japanese.constData(), english.constData());
    std::fflush(stderr);
}

QByteArray systemReason(int error) {
    return QByteArray(std::strerror(error));
}

// A message written to a pipe whose reader has gone (stderr piped into a
// program that has ended) would end the program with SIGPIPE; ignored, the
// write just fails.
void ignoreBrokenPipes() {
#ifdef MIVESK_POSIX
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

// The display connection, the event loop's wake-ups, the accessibility bus,
// the fonts and the dictionary hold about a dozen descriptors at the most;
// the rest is room for the fonts a window loads when it first opens.
constexpr long OpenFilesNeeded = 32;

// Raises the soft limit on open files towards the hard one (up to 1024,
// below which select() still works for any library that uses it) and
// returns the limit now in force; LONG_MAX where there is none to tell.
long raiseOpenFileLimit() {
#ifdef MIVESK_POSIX
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return LONG_MAX;
    }
    const rlim_t wanted = std::min<rlim_t>(limit.rlim_max, 1024);
    if (limit.rlim_cur < wanted) {
        const rlimit raised{wanted, limit.rlim_max};
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) {
            limit.rlim_cur = wanted;
        }
    }
    return limit.rlim_cur >= rlim_t(LONG_MAX) ? LONG_MAX : long(limit.rlim_cur);
#else
    return LONG_MAX;
#endif
}

// The display connection and the bus each read on a thread of their own.
// Where the process may not start them, Qt would wait for ever with no
// window; two threads alive at once tell beforehand. Returns the system's
// reason when they cannot start, 0 when they can.
int helperThreadsCannotStart() {
    std::latch release(1);
    std::vector<std::thread> started;
    int error = 0;
    try {
        for (int i = 0; i < 2; ++i) {
            started.emplace_back([&release] { release.wait(); });
        }
    } catch (const std::system_error& failure) {
        error = failure.code().value();
    }
    release.count_down();
    for (std::thread& thread : started) {
        thread.join();
    }
    return error;
}

// The user the program runs as; without the system's call, the owner of
// the home folder stands in.
uint userId() {
#ifdef MIVESK_POSIX
    return ::geteuid();
#else
    return QFileInfo(QDir::homePath()).ownerId();
#endif
}

// A runtime folder as the XDG rules want it: a real folder (not a link),
// the user's own, that no one else may enter.
bool isPrivateFolder(const QByteArray& path) {
    if (path.isEmpty()) {
        return false;
    }
#ifdef MIVESK_POSIX
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == userId() && (info.st_mode & 0777) == 0700;
#else
    const QFileInfo info(QFile::decodeName(path));
    constexpr QFile::Permissions Owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    constexpr QFile::Permissions Others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    return info.isDir() && !info.isSymLink() && info.ownerId() == userId() &&
           (info.permissions() & Owner) == Owner && (info.permissions() & Others) == 0;
#endif
}

// Qt makes a runtime folder (<temporary folder>/runtime-<user>) whenever
// XDG_RUNTIME_DIR does not name a usable one, and creates the folder it
// names when it is missing; this program writes nothing, ever. So Qt gets
// the user's usable runtime folder where there is one, and otherwise a
// temporary folder in which nothing can be made, for this process only:
// Qt then goes on without a runtime folder, which nothing here needs.
// Returns whether Qt will complain that it found none.
bool keepQtFromMakingARuntimeFolder() {
#ifdef Q_OS_UNIX
    if (isPrivateFolder(qgetenv("XDG_RUNTIME_DIR"))) {
        return false;
    }
    const QByteArray usual = "/run/user/" + QByteArray::number(userId());
    if (isPrivateFolder(usual)) {
        qputenv("XDG_RUNTIME_DIR", usual);
        return false;
    }
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", "/dev/null");
    return true;
#else
    // Elsewhere Qt keeps its runtime files in the user's own data folders.
    return false;
#endif
}

// Whether `path` is a bus socket of this user's.
bool isUsersOwnSocket(const QByteArray& path) {
#ifdef MIVESK_POSIX
    struct stat bus {};
    return ::stat(path.constData(), &bus) == 0 && S_ISSOCK(bus.st_mode) && bus.st_uid == ::getuid();
#else
    Q_UNUSED(path);
    return false;
#endif
}

// Without a session bus address libdbus would start dbus-launch, found
// through PATH, to make one; nothing should be started on the program's
// behalf. A user bus at its standard place is found by libdbus without
// launching anything, so it is left to be used (the accessibility bridge
// needs it).
void keepDBusFromLaunchingAnything() {
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS")) {
        return;
    }
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isUsersOwnSocket(runtime + "/bus")) {
        return;
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

// Why the X server that DISPLAY names on this machine cannot be reached, in
// the system's words; empty where that cannot be told from here (no
// DISPLAY, a remote one, or a server that answers).
QByteArray whyTheDisplayIsUnreachable() {
#ifdef MIVESK_POSIX
    QByteArray display = qgetenv("DISPLAY");
    display = display.startsWith("unix:") ? display.mid(5)
              : display.startsWith(':')   ? display.mid(1)
                                          : QByteArray();
    bool isNumber = false;
    const QByteArray number = display.split('.').constFirst();
    number.toUInt(&isNumber);
    if (!isNumber) {
        return {};
    }
    const QByteArray path = "/tmp/.X11-unix/X" + number;
    int error = 0;
    // Linux servers also listen on the abstract name, which is tried first.
    for (const bool abstract : {true, false}) {
        const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (socket < 0) {
            return systemReason(errno);
        }
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path + int(abstract), path.constData(), size_t(path.size()));
        const auto length =
            socklen_t(offsetof(sockaddr_un, sun_path) + int(abstract) + path.size());
        const bool reached = ::connect(socket, reinterpret_cast<sockaddr*>(&address), length) == 0;
        error = errno;
        ::close(socket);
        if (reached) {
            return {};
        }
    }
    return systemReason(error);
#else
    return {};
#endif
}

QByteArray environmentShown(const char* name) {
    return name +
           ('=' + (qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray("（未設定）")));
}

[[noreturn]] void endForWantOfADisplay() {
    QByteArray where = environmentShown("DISPLAY");
    for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (qEnvironmentVariableIsSet(name)) {
            where += ' ' + environmentShown(name);
        }
    }
    QByteArray english = where;
    english.replace("（未設定）", "(unset)");
    if (const QByteArray reason = whyTheDisplayIsUnreachable(); !reason.isEmpty()) {
        where += "（" + reason + "）";
        english += " (" + reason + ")";
    }
    tell("画面を開けません（ディスプレイに接続できません）: " + where,
         "no display could be opened: " + english);
    // Nothing has been opened or written yet; end here, without the abort
    // (and core file) that would follow.
    std::_Exit(1);
}

// What Qt says while it connects to the display, held back until it is
// known whether it could: if it could not, its fatal error ends the program
// with one plain message instead.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage>* heldMessages = nullptr;
// Set when Qt was left without a runtime folder on purpose: its complaints
// about that say nothing the user needs to act on.
bool runtimeFolderWithheld = false;

void holdBackWhileConnecting(QtMsgType type, const QMessageLogContext& context,
                             const QString& text) {
    if (type == QtFatalMsg) {
        endForWantOfADisplay();
    }
    if (runtimeFolderWithheld && text.startsWith(QLatin1String("QStandardPaths: ")) &&
        text.contains(QLatin1String("/dev/null/runtime-"))) {
        return;
    }
    heldMessages->append({type, QByteArray(context.category), text});
}

// The application object, or the end of the program with a message when
// the display or the platform cannot be opened.
class DisplayGuard {
public:
    DisplayGuard() {
        heldMessages = &m_held;
        m_previous = qInstallMessageHandler(holdBackWhileConnecting);
    }
    // Hands on what was held back, now that the display is open.
    ~DisplayGuard() {
        qInstallMessageHandler(m_previous);
        heldMessages = nullptr;
        for (const HeldMessage& message : m_held) {
            const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
            m_previous(message.type, context, message.text);
        }
    }

private:
    QList<HeldMessage> m_held;
    QtMessageHandler m_previous = nullptr;
};

// The windows name Windows fonts that stand for IPA fonts here. Without a
// font that has the kana every text, the error box's too, would be a row
// of empty boxes; say why, and go on.
void warnWithoutJapaneseFonts() {
    for (const char* family : {"MS UI Gothic", "ＭＳ ゴシック"}) {
        const QString resolved = QFontInfo(windowsFont(QString::fromUtf8(family), 9)).family();
        if (!QFontDatabase::writingSystems(resolved).contains(QFontDatabase::Japanese)) {
            tell("日本語フォントが見つかりません。文字が表示されません。"
                 "fonts-ipafont-gothic を入れてください。",
                 "the Japanese fonts are missing, so no text can be shown; install "
                 "fonts-ipafont-gothic.");
            return;
        }
    }
}

// Below 15 bits a pixel Qt has no paint engine for the windows: they would
// stay black, and the hint window would crash when it draws its text
// cursor. No box can be shown either, for the same reason.
bool tooFewColours() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || screen->depth() >= 15) {
        return false;
    }
    const QByteArray depth = QByteArray::number(screen->depth());
    tell("画面の色数が足りません（" + depth +
             " ビット）。15 ビット以上の色で表示できる画面で起動してください。",
         "the display has too few colours (" + depth +
             " bits a pixel); Mivesk needs at least 15 bits a pixel.");
    return true;
}

// A box on a platform that draws nowhere (offscreen, minimal) would wait
// for a click that can never come.
bool boxCanBeSeen() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && !platform.startsWith(QLatin1String("minimal"));
}

} // namespace

int reportDataFileProblem(const QString& problem, const QString& englishProblem, bool showBox) {
    tell(problem.toUtf8(), englishProblem.toUtf8());
    if (!showBox) {
        return 1;
    }

    QMessageBox box(QMessageBox::Critical, QStringLiteral("Mivesk"), problem, QMessageBox::Ok);
    // Paths are shown as they are, never read as markup. The English text
    // cannot be set plain, but Qt takes a text for markup only by its first
    // line, and that line is always the fixed headline.
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(englishProblem);
    box.exec();
    return 1;
}

int runMivesk(int argc, char** argv, const std::function<void(QWidget&)>& beforeShow) {
    ignoreBrokenPipes();
    if (const long limit = raiseOpenFileLimit(); limit < OpenFilesNeeded) {
        const QByteArray has = QByteArray::number(qlonglong(limit));
        const QByteArray needs = QByteArray::number(qlonglong(OpenFilesNeeded));
        tell("開いているファイルが多すぎます（開けるファイルの数の上限は " + has + " で、" + needs +
                 " 必要です）。ulimit -n で上限を上げてください。",
             "too many open files (the limit on open files is " + has + ", and " + needs +
                 " are needed); raise the limit with ulimit -n.");
        return 1;
    }
    if (const int error = helperThreadsCannotStart()) {
        tell("処理に必要なスレッドを作れません（" + systemReason(error) +
                 "）。ulimit -u でプロセス数の上限を確かめてください。",
             "the threads the program needs cannot be started (" + systemReason(error) +
                 "); check the limit on processes (ulimit -u).");
        return 1;
    }
    runtimeFolderWithheld = keepQtFromMakingARuntimeFolder();
    keepDBusFromLaunchingAnything();
    preferX11OnWayland();
    std::unique_ptr<DisplayGuard> guard = std::make_unique<DisplayGuard>();
    QApplication app(argc, argv);
    guard.reset();
    if (tooFewColours()) {
        return 1;
    }
    keepDesignedLook();

    QApplication::setApplicationName(QString::fromLatin1(AppTitle));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(AppVersionMajor)
                                            .arg(AppVersionMinor)
                                            .arg(AppVersionRevision));
    QApplication::setOrganizationDomain(QString::fromLatin1(AppOrganizationDomain));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(AppId));
    registerFontSubstitutes();
    warnWithoutJapaneseFonts();

    DataFileCheck data = checkDataFile(dataFileCandidates());
    if (!data.dictionary) {
        return reportDataFileProblem(data.problem, data.englishProblem, boxCanBeSeen());
    }

    auto engine = std::make_unique<DrillEngine>(std::move(data.dictionary),
                                                std::make_unique<ClockSeededRandom>());
    Form1 window(std::move(engine));
    window.centreOnScreen();
    if (beforeShow) {
        beforeShow(window);
    }
    window.show();
    return app.exec();
}

} // namespace mivesk
