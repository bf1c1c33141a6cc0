#include "Dialog.h"

#include "Fonts.h"
#include "ImageControl.h"
#include "ShapeControl.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextFormat>

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

void setColours(QWidget* w, QPalette::ColorRole backRole, const QColor& back,
                QPalette::ColorRole textRole, const QColor& text) {
    QPalette pal = w->palette();
    if (back.isValid())
        pal.setColor(backRole, back);
    if (text.isValid())
        pal.setColor(textRole, text);
    w->setPalette(pal);
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
    setColours(box, QPalette::Base, back, QPalette::Text, text);
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

} // namespace

Dialog::Dialog()
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("ヒント♪"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.png")));
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window does not keep the program alive by default; this one
    // must, so that closing the main window first leaves the card open and
    // the program ends only when the card is closed too. Set after the
    // window flags, which would reset it.
    setAttribute(Qt::WA_QuitOnClose, true);
    setFixedSize(410, 280);
    setAutoFillBackground(true);
    setColours(this, QPalette::Window, Qt::white, QPalette::WindowText, QColor());

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

    auto* label1 = new QLabel(QStringLiteral("かな５０音ヒント集"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(8, 248, 217, 33);
    label1->setFont(windowsFont(QStringLiteral("MS UI Gothic"), 20.25, true));
    label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label1->setWordWrap(true);
    // No background of its own: the light-blue strip shows through.
    setColours(label1, QPalette::Window, QColor(), QPalette::WindowText, kPink);

    auto* label2 = new QLabel(QStringLiteral("あ行"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(152, 24, 249, 17);
    label2->setFont(windowsFont(QStringLiteral("ＭＳ ゴシック"), 11.25, false, true));
    label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label2->setAutoFillBackground(true);
    setColours(label2, QPalette::Window, kLightBlue, QPalette::WindowText, QColor());

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
        theHintWindow->show();
        return theHintWindow;
    }
    // Already open, perhaps behind the main window: bring it to the front.
    theHintWindow->show();
    theHintWindow->raise();
    theHintWindow->activateWindow();
    return theHintWindow;
}

Dialog* Dialog::current() {
    return theHintWindow;
}

void Dialog::Im_Close_Click() {
    close();
}

} // namespace mivesk
