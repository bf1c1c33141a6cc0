#include "Dialog.h"

#include "Fonts.h"
#include "ImageControl.h"
#include "ShapeControl.h"
#include "TextFit.h"
#include "WindowLook.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextFormat>

#ifdef MIVESK_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace mivesk {

namespace {

QPointer<Dialog> theHintWindow;

const QColor kLightBlue(192, 192, 255);
const QColor kPink(255, 192, 192);
const QColor kCream(255, 255, 192);
const QColor kBlue(0, 0, 255);

// Each text ends with a line break after its last line, as the card was
// written; the full-width spaces line the mnemonics up in the fixed-pitch font.
const QString kRowAText = QStringLiteral("あ…１点　　い…１・２点　う…１・４点\r\n"
                                         "え…１・２・４点　お…２・４点\r\n");

const QString kHintText = QStringLiteral("☆それ以外の行はあ行に点を追加したもの☆\r\n"
                                         "\r\n"
                                         "　か行…６点　　　　「カロク」\r\n"
                                         "　さ行…５・６点　　「サゴロク」\r\n"
                                         "　た行…５・３点　　「タゴサク」\r\n"
                                         "　な行…３点　　　　「ナサン」\r\n"
                                         "　は行…３・６点　　「ハサロク」\r\n"
                                         "　ま行…３・５・６点「マサゴロー」\r\n"
                                         "　や行…あ行の点を下にスライド＋４点\r\n"
                                         "　ら行…５点　　　　「ラッコ」\r\n"
                                         "　わ行…あ行の点を下にスライド\r\n"
                                         "　ん…・単独に３・５・６点\r\n");

// A scroll bar that cannot move: the box it belongs to always shows its
// text from the first line and the first column, whatever key the caret
// follows. Its range is reset whenever the box lays its text out anew.
void pinAtStart(QScrollBar* bar) {
    bar->setRange(0, 0);
    QObject::connect(bar, &QScrollBar::rangeChanged, bar, [bar](int minimum, int maximum) {
        if (minimum != 0 || maximum != 0)
            bar->setRange(0, 0);
    });
}

// A borderless, read-only text box whose text can still be selected and
// copied. Lines never wrap, and they follow each other at the font's pixel
// size, the pitch the card was laid out for: the font's natural line spacing
// would push the hint's last line out of its box.
QTextEdit* makeTextBox(QWidget* parent, const char* name, const QRect& geometry, const QFont& font,
                       const QColor& back, const QColor& text, const QString& content) {
    auto* box = new QTextEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setFont(font);
    box->setFrameShape(QFrame::NoFrame);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QTextEdit::NoWrap);
    box->setAcceptRichText(false);
    box->setUndoRedoEnabled(false);
    box->document()->setDocumentMargin(1);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setContextMenuPolicy(Qt::NoContextMenu);
    box->setFocusPolicy(Qt::StrongFocus);
    setPaletteColour(box, QPalette::Base, back);
    setPaletteColour(box, QPalette::Text, text);
    pinAtStart(box->verticalScrollBar());
    pinAtStart(box->horizontalScrollBar());
    // QTextCursor turns each CR LF into one line break, so no CR is shown.
    box->setPlainText(content);
    QTextBlockFormat pitch;
    pitch.setLineHeight(font.pixelSize(), QTextBlockFormat::FixedHeight);
    QTextCursor all(box->document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(pitch);
    box->moveCursor(QTextCursor::Start);
    return box;
}

// A tool window has no taskbar button. Qt marks it as a utility window,
// which window managers do not all take to mean that, and has no call for
// it; on X11 the window says so itself in _NET_WM_STATE, which Qt merges
// with its own states when it maps the window. Call before the first show.
void keepOffTheTaskbar([[maybe_unused]] QWidget* window) {
#ifdef MIVESK_HAVE_XCB
    // Other platforms (offscreen among them) may answer as X11 too.
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || QGuiApplication::platformName() != QLatin1String("xcb") || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    const auto atom = [connection](const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr);
        const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return found;
    };
    const xcb_atom_t skipTaskbar = atom("_NET_WM_STATE_SKIP_TASKBAR");
    if (skipTaskbar == XCB_ATOM_NONE)
        return;
    xcb_change_property(connection, XCB_PROP_MODE_APPEND,
                        static_cast<xcb_window_t>(window->winId()), atom("_NET_WM_STATE"),
                        XCB_ATOM_ATOM, 32, 1, &skipTaskbar);
#endif
}

} // namespace

Dialog::Dialog()
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("ヒント♪"));
    setWindowIcon(applicationIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window does not keep the program alive by default; this one
    // must, so that closing the main window first leaves the card open and
    // the program ends only when the card is closed too. Set after the
    // window flags, which would reset it.
    setAttribute(Qt::WA_QuitOnClose, true);
    setFixedSize(410, 280);
    setAutoFillBackground(true);
    setPaletteColour(this, QPalette::Window, Qt::white);

    // Bottom of the stacking order first: later siblings paint over earlier ones.
    // Runs past the right and bottom edges; the window clips it.
    auto* shape1 = new ShapeControl(ShapeControl::Form::Rectangle, kLightBlue, this);
    shape1->setObjectName(QStringLiteral("Shape1"));
    shape1->setGeometry(0, 264, 417, 17);

    auto* imClose = new ImageControl(this);
    imClose->setObjectName(QStringLiteral("Im_Close"));
    imClose->setPicture(resourcePicture(QStringLiteral("button_close")));
    imClose->setGeometry(304, 248, 98, 30);
    imClose->setAccessibleName(QStringLiteral("とじます"));
    imClose->setAccessibleKind(ImageControl::AccessibleKind::Button);
    connect(imClose, &ImageControl::clicked, this, &Dialog::Im_Close_Click);

    auto* image1 = new ImageControl(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPicture(resourcePicture(QStringLiteral("hint_chart")));
    image1->setGeometry(8, 8, 138, 225);
    image1->setAccessibleName(QStringLiteral("凹面の6点"));

    auto* label1 = new FitLabel(QStringLiteral("かな５０音ヒント集"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(8, 248, 217, 33);
    label1->setFont(windowsFont(QStringLiteral("MS UI Gothic"), 20.25, true));
    label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // No background of its own: the light-blue strip shows through.
    setPaletteColour(label1, QPalette::WindowText, kPink);

    auto* label2 = new FitLabel(QStringLiteral("あ行"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(152, 24, 249, 17);
    label2->setFont(windowsFont(QStringLiteral("ＭＳ ゴシック"), 11.25, false, true));
    label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label2->setAutoFillBackground(true);
    setPaletteColour(label2, QPalette::Window, kLightBlue);

    // The text boxes are real child windows and sit above everything else.
    auto* txtHint =
        makeTextBox(this, "txtHint", QRect(152, 80, 249, 153),
                    windowsFont(QStringLiteral("ＭＳ ゴシック"), 9), kCream, kBlue, kHintText);
    txtHint->setAccessibleName(QStringLiteral("ヒント"));
    auto* text1 = makeTextBox(this, "Text1", QRect(152, 40, 249, 33),
                              windowsFont(QStringLiteral("ＭＳ ゴシック"), 9.75), kLightBlue,
                              QColor(), kRowAText);
    text1->setAccessibleName(QStringLiteral("あ行"));
    setTabOrder(txtHint, text1);

    // Where the card was designed to sit, if the screen has room for it.
    const QRect designed(166, 432, 410, 280);
    if (const QScreen* screen = QGuiApplication::primaryScreen();
        screen && screen->availableGeometry().contains(designed))
        setGeometry(designed);
}

Dialog* Dialog::open() {
    if (!theHintWindow) {
        theHintWindow = new Dialog;
        keepOffTheTaskbar(theHintWindow);
    }
    // New, or already open but perhaps behind the main window or
    // minimised: either way it comes to the front and takes the keyboard.
    bringToFront(theHintWindow);
    return theHintWindow;
}

Dialog* Dialog::current() {
    return theHintWindow;
}

void Dialog::Im_Close_Click() {
    close();
}

} // namespace mivesk
