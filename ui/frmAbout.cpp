#include "frmAbout.h"

#include "Accessibility.h"
#include "AppVersion.h"
#include "FitLabel.h"
#include "Fonts.h"
#include "ImageControl.h"
#include "WindowDesign.h"
#include "WindowPlacement.h"
#include "X11Window.h"

#include <QKeyEvent>
#include <QScreen>

#include <array>

namespace mivesk {

namespace {

using namespace table;

// clang-format off
constexpr std::array Controls{
    //             name              index kind      x    y    w    h   order visible tab  content                 accessible name
    // A picture box: the icon at its own size inside a 2 px sunken edge.
    ControlDesign{"picIcon",        No, K::Image, { 16,  16,  36,  36}, 1, true, -1, "app_icon",            "アイコン"},
    ControlDesign{"ImOk",           No, K::Image, {192, 136, 115,  20}, 2, true, -1, "button_ok",           "わかりました"},
    ControlDesign{"Label2",         No, K::Label, { 72,  96, 193,  17}, 3, true, -1, MIVESK_HOME_PAGE,               nullptr},
    ControlDesign{"Label1",         No, K::Label, { 72,  80, 185,  17}, 4, true, -1, "E-mail: " MIVESK_MAIL_ADDRESS, nullptr},
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

} // namespace

frmAbout::frmAbout(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint) {
    setUpWindow(this, QStringLiteral("frmAbout"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"), QSize(306, 170));
    setFont(windowsFont(QStringLiteral("MS UI Gothic"), 9));

    buildControls(this, {Controls, LabelStyles, ShapeStyles, ImageStyles},
                  [](const ControlDesign&) -> QWidget* { Q_UNREACHABLE(); });
    m_lblTitle = findChild<FitLabel*>(QStringLiteral("lblTitle"));
    m_lblVersion = findChild<FitLabel*>(QStringLiteral("lblVersion"));
    connect(findChild<ImageControl*>(QStringLiteral("ImOk")), &ImageControl::clicked, this,
            &frmAbout::ImOk_Click);
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
    m_lblVersion->setText(versionTextFor(AppVersionMajor, AppVersionMinor, AppVersionRevision));
    m_lblTitle->setText(title);
}

void frmAbout::ImOk_Click() {
    close();
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    // Return and Enter close the window as わかりました does, and a held key
    // closes it once; Escape closes a dialog anyway.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!event->isAutoRepeat()) {
            ImOk_Click();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAbout::showModal(QWidget* owner) {
    // Every opening starts from a freshly built window, so nothing of an
    // earlier showing carries over.
    frmAbout about(owner);
    about.Form_Load();
    // Centred on the owner's frame. Qt 6.4 on X11 centres a dialog as if the
    // owner's client area began at its frame's corner, 20 to 40 px too high
    // and over the owner's title bar.
    if (owner && owner->isVisible()) {
        about.move(centredWithin(owner->screen()->availableGeometry(),
                                 owner->frameGeometry().center(), frameOf(&about).size()));
    }
    // Only once placed: the window manager takes the place a window has when
    // it is made as that of its frame.
    keepOffTheTaskbar(&about);
    // A listener hears the title and the version as the window comes up.
    QMetaObject::invokeMethod(
        &about, [&about] { announce(&about, contentsOf(&about)); }, Qt::QueuedConnection);
    about.exec();
}

} // namespace mivesk
