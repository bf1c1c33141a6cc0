#include "frmAbout.h"

#include "Accessibility.h"
#include "AppVersion.h"
#include "Fonts.h"
#include "ImageControl.h"
#include "TextFit.h"
#include "WindowDesign.h"
#include "WindowLook.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QKeyEvent>

#include <array>

#ifdef MIVESK_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#endif

namespace mivesk {

namespace {

using K = ControlKind;
constexpr int No = ControlDesign::NoIndex;

// clang-format off
constexpr std::array Controls{
    //             name              index kind      x    y    w    h   order visible tab  content                 accessible name
    // A picture box: the icon at its own size inside a 2 px sunken edge.
    ControlDesign{"picIcon",        No, K::Image, { 16,  16,  36,  36}, 1, true, -1, "app_icon",            "アイコン"},
    ControlDesign{"ImOk",           No, K::Image, {192, 136, 115,  20}, 2, true, -1, "button_ok",           "わかりました"},
    ControlDesign{"Label2",         No, K::Label, { 72,  96, 193,  17}, 3, true, -1, "https://mivesk.example.org/", nullptr},
    ControlDesign{"Label1",         No, K::Label, { 72,  80, 185,  17}, 4, true, -1, "E-mail: mivesk@example.org",  nullptr},
    // Runs on past the right edge; the window clips it.
    ControlDesign{"Line1",          No, K::Shape, {  8, 120, 371,   1}, 5, true, -1, nullptr,               nullptr},
    ControlDesign{"lblDescription", No, K::Label, { 72,  64, 187,  14}, 6, true, -1, "御意見等は、メールにてお願いします。", nullptr},
    // The title and the version are filled in on loading.
    ControlDesign{"lblTitle",       No, K::Label, { 70,  16, 187,  16}, 7, true, -1, "",                    nullptr},
    ControlDesign{"lblVersion",     No, K::Label, {128,  40, 131,  15}, 8, true, -1, "",                    nullptr},
    ControlDesign{"lblDisclaimer",  No, K::Label, { 17, 128, 170,  37}, 9, true, -1,
                  "警告:このアプリケーションの使用による、いかなる責任も負えませんのでご了承ください。", nullptr},
};

// Every label is opaque white; most have black text.
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignTop;
constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr std::array LabelStyles{
    //          name              family          points bold   under  text colour             colour align opaque background sunken lines
    LabelStyle{"lblDisclaimer",  nullptr,        9.0,   false, false, TextColour::Fixed,      Black, Left, true,  White,     false, 3},
    LabelStyle{"lblVersion",     nullptr,        9.0,   false, false, TextColour::WindowText, 0,     Left, true,  White,     false, 1},
    LabelStyle{"lblTitle",       "MS UI Gothic", 12.0,  false, false, TextColour::Fixed,      Black, Left, true,  White,     false, 1},
    LabelStyle{"lblDescription", nullptr,        9.0,   false, false, TextColour::Fixed,      Black, Left, true,  White,     false, 1},
    LabelStyle{"Label1",         nullptr,        9.0,   false, false, TextColour::WindowText, 0,     Left, true,  White,     false, 1},
    LabelStyle{"Label2",         nullptr,        9.0,   false, false, TextColour::WindowText, 0,     Left, true,  White,     false, 1},
};

constexpr std::array ShapeStyles{
    ShapeStyle{"Line1", false, qRgb(128, 128, 128), false, 0},
};

constexpr std::array ImageStyles{
    ImageStyle{"picIcon", ImageControl::AccessibleKind::Picture, true},
    ImageStyle{"ImOk",    ImageControl::AccessibleKind::Button,  false},
};
// clang-format on

#ifdef MIVESK_HAVE_XCB
// The start of an XInput 2 device event as the X server sends it, up to the
// window it happened in. Qt takes the mouse through XInput 2 where the
// server has it, and through core events otherwise.
struct XInputDeviceEventStart {
    uint8_t response_type;
    uint8_t extension;
    uint16_t sequence;
    uint32_t length;
    uint16_t event_type;
    uint16_t deviceid;
    uint32_t time;
    uint32_t detail;
    xcb_window_t root;
    xcb_window_t event;
};
constexpr uint16_t XInputButtonPress = 4;

int xinputOpcode(xcb_connection_t* connection) {
    static const char name[] = "XInputExtension";
    xcb_query_extension_reply_t* reply = xcb_query_extension_reply(
        connection, xcb_query_extension(connection, sizeof name - 1, name), nullptr);
    const int opcode = reply && reply->present ? reply->major_opcode : -1;
    std::free(reply);
    return opcode;
}
#endif

// On X11 a click on a window that the About window blocks never reaches
// the program's windows: Qt drops it, and the keyboard that the window
// manager hands the clicked window goes on to the About window, which does
// not come back if it is minimised. So the click is seen here, before Qt
// drops it, and brings the About window back.
class BlockedClickWatcher final : public QAbstractNativeEventFilter {
public:
    explicit BlockedClickWatcher(QWidget* modal) : m_modal(modal) {
#ifdef MIVESK_HAVE_XCB
        if (xcb_connection_t* connection = x11Connection()) {
            m_xinput = xinputOpcode(connection);
        }
#endif
    }

    bool nativeEventFilter([[maybe_unused]] const QByteArray& type, [[maybe_unused]] void* message,
                           qintptr*) override {
#ifdef MIVESK_HAVE_XCB
        if (type != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        xcb_window_t clicked = XCB_WINDOW_NONE;
        switch (event->response_type & 0x7f) {
        case XCB_BUTTON_PRESS:
            clicked = static_cast<const xcb_button_press_event_t*>(message)->event;
            break;
        case XCB_GE_GENERIC: {
            const auto* device = static_cast<const XInputDeviceEventStart*>(message);
            if (device->extension == m_xinput && device->event_type == XInputButtonPress) {
                clicked = device->event;
            }
            break;
        }
        default:
            break;
        }
        if (clicked != XCB_WINDOW_NONE && clicked != static_cast<xcb_window_t>(m_modal->winId())) {
            QMetaObject::invokeMethod(
                m_modal, [modal = m_modal] { bringToFront(modal); }, Qt::QueuedConnection);
        }
#endif
        return false;
    }

private:
    QWidget* m_modal;
#ifdef MIVESK_HAVE_XCB
    int m_xinput = -1;
#endif
};

} // namespace

frmAbout::frmAbout()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint) {
    setUpWindow(this, QStringLiteral("frmAbout"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"), QSize(306, 170));
    setWindowModality(Qt::ApplicationModal);
    setFont(windowsFont(QStringLiteral("MS UI Gothic"), 9));

    buildControls(this, {Controls, LabelStyles, ShapeStyles, ImageStyles},
                  [](const ControlDesign&) -> QWidget* { Q_UNREACHABLE(); });
    lblTitle = findChild<FitLabel*>(QStringLiteral("lblTitle"));
    lblVersion = findChild<FitLabel*>(QStringLiteral("lblVersion"));
    connect(findChild<ImageControl*>(QStringLiteral("ImOk")), &ImageControl::clicked, this,
            &frmAbout::ImOk_Click);

    placeAsDesigned(this, QRect(350, 316, 306, 170));
}

QString frmAbout::captionFor(const QString& title) {
    return title + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報");
}

QString frmAbout::versionTextFor(short major, short minor, short revision) {
    return QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + QString::number(major) + QLatin1Char('.') +
           QString::number(minor) + QLatin1Char('.') + QString::number(revision);
}

void frmAbout::Form_Load() {
    const QString title = QString::fromUtf8(AppTitle);
    setWindowTitle(captionFor(title));
    lblVersion->setText(versionTextFor(AppVersionMajor, AppVersionMinor, AppVersionRevision));
    lblTitle->setText(title);
}

void frmAbout::ImOk_Click() {
    close();
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // As わかりました does; a held key closes it once.
        event->accept();
        if (!event->isAutoRepeat()) {
            ImOk_Click();
        }
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void frmAbout::showModal() {
    // Every opening starts from a freshly built window, so nothing of an
    // earlier showing carries over.
    frmAbout about;
    about.Form_Load();
    // The windows it blocks refuse every click; a click on one of them
    // brings this window to the front, restored if it was minimised, so
    // that the user sees why nothing else answers.
    BlockedClickWatcher watcher(&about);
    qApp->installNativeEventFilter(&watcher);
    // A listener hears the title and the version as the window comes up.
    announceContents(&about);
    about.exec();
}

} // namespace mivesk
