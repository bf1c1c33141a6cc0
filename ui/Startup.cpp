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
#include <QFontDatabase>
#include <QMessageBox>
#include <QScreen>

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace mivesk {

namespace {

// Every start-up failure is told on stderr in Japanese and in English. When
// nobody reads stderr any more, the write fails and the message is lost.
void tell(const QByteArray& japanese, const QByteArray& english) {
    std::fprintf(stderr, "mivesk: %s\nmivesk: %s\n", japanese.constData(), english.constData());
    std::fflush(stderr);
}

QByteArray environmentShown(const char* name) {
    return name +
           ('=' + (qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray("（未設定）")));
}

// The handler that was in place before the application object was made:
// Qt's own, which prints what Qt says.
QtMessageHandler qtHandler = nullptr;

// While the application object is made, Qt's messages go on as Qt prints
// them. A fatal one there means that no display or platform could be
// opened: after Qt's reason the program says so in its own words and ends
// with status 1. Nothing has been opened or written yet, and the abort that
// Qt would follow with leaves a core file.
void endWithoutADisplay(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    qtHandler(type, context, text);
    if (type != QtFatalMsg) {
        return;
    }
    QByteArray where = environmentShown("DISPLAY");
    for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (qEnvironmentVariableIsSet(name)) {
            where += ' ' + environmentShown(name);
        }
    }
    QByteArray english = where;
    english.replace("（未設定）", "(unset)");
    tell("画面を開けません（ディスプレイに接続できません）: " + where,
         "no display could be opened: " + english);
    std::_Exit(1);
}

// Without any font that has the kana every text, the error box's too, would
// be a row of empty boxes; say why, and go on. Asked of the font database
// alone: loading a font to see which one answers would cost a font the
// first window may not even use.
void warnWithoutJapaneseFonts() {
    if (QFontDatabase::families(QFontDatabase::Japanese).isEmpty()) {
        tell("日本語フォントが見つかりません。文字が表示されません。"
             "fonts-ipafont-gothic を入れてください。",
             "the Japanese fonts are missing, so no text can be shown; install "
             "fonts-ipafont-gothic.");
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
#ifdef SIGPIPE
    // A message written to a pipe whose reader has gone (stderr piped into a
    // program that has ended) would end the program; ignored, the write
    // just fails.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    preferX11OnWayland();
    qtHandler = qInstallMessageHandler(endWithoutADisplay);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
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
