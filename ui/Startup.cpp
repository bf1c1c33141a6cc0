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
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QList>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace mivesk {

namespace {

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
    struct stat bus {};
    if (!runtime.isEmpty() && ::stat((runtime + "/bus").constData(), &bus) == 0 &&
        S_ISSOCK(bus.st_mode) && bus.st_uid == ::getuid()) {
        return;
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
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
    std::fprintf(stderr,
                 "mivesk: 画面を開けません（ディスプレイに接続できません）: %s\n"
                 "mivesk: no display could be opened: %s\n",
                 where.constData(), english.constData());
    std::fflush(stderr);
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

void holdBackWhileConnecting(QtMsgType type, const QMessageLogContext& context,
                             const QString& text) {
    if (type == QtFatalMsg) {
        endForWantOfADisplay();
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
            std::fprintf(stderr, "mivesk: 日本語フォントが見つかりません。文字が表示されません。"
                                 "fonts-ipafont-gothic を入れてください。\n"
                                 "mivesk: the Japanese fonts are missing, so no text can be "
                                 "shown; install fonts-ipafont-gothic.\n");
            std::fflush(stderr);
            return;
        }
    }
}

// A box on a platform that draws nowhere (offscreen, minimal) would wait
// for a click that can never come.
bool boxCanBeSeen() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && !platform.startsWith(QLatin1String("minimal"));
}

} // namespace

int reportDataFileProblem(const QString& problem, bool showBox) {
    std::fprintf(stderr, "mivesk: %s\n", problem.toUtf8().constData());
    std::fflush(stderr);
    if (!showBox) {
        return 1;
    }

    QMessageBox box(QMessageBox::Critical, QStringLiteral("Mivesk"), problem, QMessageBox::Ok);
    // Paths are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return 1;
}

int runMivesk(int argc, char** argv, const std::function<void(QWidget&)>& beforeShow) {
    keepDBusFromLaunchingAnything();
    preferX11OnWayland();
    std::unique_ptr<DisplayGuard> guard = std::make_unique<DisplayGuard>();
    QApplication app(argc, argv);
    guard.reset();
    keepDesignedLook();

    QApplication::setApplicationName(QString::fromLatin1(AppTitle));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(AppVersionMajor)
                                            .arg(AppVersionMinor)
                                            .arg(AppVersionRevision));
    QApplication::setOrganizationDomain(QStringLiteral("example.org"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Mivesk"));
    registerFontSubstitutes();
    warnWithoutJapaneseFonts();

    DataFileCheck data = checkDataFile(dataFileCandidates());
    if (!data.dictionary) {
        return reportDataFileProblem(data.problem, boxCanBeSeen());
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
