#include "frmAbout.h"

#include "AppVersion.h"
#include "Fonts.h"
#include "ImageControl.h"
#include "ShapeControl.h"
#include "TextFit.h"
#include "WindowLook.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>

namespace mivesk {

namespace {

FitLabel* makeLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text,
                    bool blackText, int lines = 1) {
    auto* label = new FitLabel(text, parent, lines);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    setPaletteColour(label, QPalette::Window, Qt::white);
    if (blackText)
        setPaletteColour(label, QPalette::WindowText, Qt::black);
    return label;
}

} // namespace

frmAbout::frmAbout()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowIcon(applicationIcon());
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(306, 170);
    setFont(windowsFont(QStringLiteral("MS UI Gothic"), 9));
    setAutoFillBackground(true);
    setPaletteColour(this, QPalette::Window, Qt::white);

    // Bottom of the stacking order first.
    makeLabel(this, "lblDisclaimer", QRect(17, 128, 170, 37),
              QStringLiteral("警告:このアプリケーションの使用による、"
                             "いかなる責任も負えませんのでご了承ください。"),
              true, 3);
    lblVersion = makeLabel(this, "lblVersion", QRect(128, 40, 131, 15), QString(), false);
    lblTitle = makeLabel(this, "lblTitle", QRect(70, 16, 187, 16), QString(), true);
    lblTitle->setFont(windowsFont(QStringLiteral("MS UI Gothic"), 12));
    makeLabel(this, "lblDescription", QRect(72, 64, 187, 14),
              QStringLiteral("御意見等は、メールにてお願いします。"), true);

    // Runs on past the right edge; the window clips it.
    auto* line1 = new ShapeControl(ShapeControl::Form::Rectangle, QColor(128, 128, 128), this);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setGeometry(8, 120, 371, 1);

    makeLabel(this, "Label1", QRect(72, 80, 185, 17), QStringLiteral("E-mail: mivesk@example.org"),
              false);
    makeLabel(this, "Label2", QRect(72, 96, 193, 17), QStringLiteral("https://mivesk.example.org/"),
              false);

    auto* imOk = new ImageControl(this);
    imOk->setObjectName(QStringLiteral("ImOk"));
    imOk->setPicture(resourcePicture(QStringLiteral("button_ok")));
    imOk->setGeometry(192, 136, 115, 20);
    imOk->setAccessibleName(QStringLiteral("わかりました"));
    connect(imOk, &ImageControl::clicked, this, &frmAbout::ImOk_Click);

    // A picture box: the icon at its own size inside a 2 px sunken edge.
    auto* picIcon = new ImageControl(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPicture(resourcePicture(QStringLiteral("app_icon")));
    picIcon->setSunkenBorder(true);
    picIcon->setGeometry(16, 16, 36, 36);
    picIcon->setAccessibleName(QStringLiteral("アイコン"));

    const QRect designed(350, 316, 306, 170);
    if (const QScreen* screen = QGuiApplication::primaryScreen();
        screen && screen->availableGeometry().contains(designed))
        setGeometry(designed);
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
        event->accept();
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
    // The windows it blocks refuse every click. One that the user clicks
    // anyway (the window manager hands it the keyboard) sends the keyboard
    // back here and brings this window to the front, restored if it was
    // minimised, so that the user sees why nothing else answers.
    connect(qApp, &QGuiApplication::focusWindowChanged, &about, [&about](QWindow* window) {
        if (window && window != about.windowHandle() && about.isVisible())
            bringToFront(&about);
    });
    about.exec();
}

} // namespace mivesk
