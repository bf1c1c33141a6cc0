#include "Dialog.h"

#include "FixedLook.h"
#include "Fonts.h"
#include "ImageControl.h"
#include "WindowDesign.h"
#include "WindowPlacement.h"
#include "X11Window.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextFormat>

#include <array>

namespace mivesk {

namespace {

QPointer<Dialog> theHintWindow;

constexpr QRgb LightBlue = qRgb(192, 192, 255);
constexpr QRgb Pink = qRgb(255, 192, 192);
constexpr QRgb Cream = qRgb(255, 255, 192);
constexpr QRgb Blue = qRgb(0, 0, 255);

// Each text ends with a line break after its last line, as the card was
// written; the full-width spaces line the mnemonics up in the fixed-pitch font.
constexpr const char* RowAText = "あ…１点　　い…１・２点　う…１・４点\r\n"
                                 "え…１・２・４点　お…２・４点\r\n";

constexpr const char* HintText = "☆それ以外の行はあ行に点を追加したもの☆\r\n"
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
                                 "　ん…・単独に３・５・６点\r\n";

// A scroll bar that cannot move: the box it belongs to always shows its
// text from the first line and the first column, whatever key the caret
// follows. Its range is reset whenever the box lays its text out anew.
void pinAtStart(QScrollBar* bar) {
    bar->setRange(0, 0);
    QObject::connect(bar, &QScrollBar::rangeChanged, bar, [bar](int minimum, int maximum) {
        if (minimum != 0 || maximum != 0) {
            bar->setRange(0, 0);
        }
    });
}

using namespace table;

// clang-format off
constexpr std::array Controls{
    //             name       index kind         x    y    w    h   order visible tab content     accessible name
    ControlDesign{"Label2",   No, K::Label,   {152,  24, 249,  17}, 1, true,  -1, "あ行",               nullptr},
    ControlDesign{"Label1",   No, K::Label,   {  8, 248, 217,  33}, 2, true,  -1, "かな５０音ヒント集", nullptr},
    ControlDesign{"Image1",   No, K::Image,   {  8,   8, 138, 225}, 3, true,  -1, "hint_chart",         "凹面の6点"},
    ControlDesign{"Im_Close", No, K::Image,   {304, 248,  98,  30}, 4, true,  -1, "button_close",       "とじます"},
    // Runs past the right and bottom edges; the window clips it.
    ControlDesign{"Shape1",   No, K::Shape,   {  0, 264, 417,  17}, 5, true,  -1, nullptr,              nullptr},
    // The text boxes are real child windows and sit above everything else.
    ControlDesign{"txtHint",  No, K::TextBox, {152,  80, 249, 153}, 0, true,   0, HintText,             "ヒント"},
    ControlDesign{"Text1",    No, K::TextBox, {152,  40, 249,  33}, 0, true,   1, RowAText,             "あ行"},
};

constexpr std::array LabelStyles{
    //          name      family          points bold   under  text colour        colour align   opaque background sunken lines
    // No background of its own: the light-blue strip shows through.
    LabelStyle{"Label1", "MS UI Gothic", 20.25, true,  false, TextColour::Fixed, Pink,  Left,   false, 0,         false, 1},
    LabelStyle{"Label2", "ＭＳ ゴシック", 11.25, false, true,  TextColour::WindowText, 0, Centre, true, LightBlue, false, 1},
};

constexpr std::array ShapeStyles{
    //          name     rounded fill       hatched hatch
    ShapeStyle{"Shape1", false,  LightBlue, false,  0},
};

constexpr std::array ImageStyles{
    ImageStyle{"Im_Close", ImageControl::AccessibleKind::Button, false},
};

// The text boxes' looks. Text1 keeps the default text colour.
struct TextBoxStyle {
    const char* name;
    double points; // of the fixed-pitch font
    QRgb background;
    bool colouredText;
    QRgb text;
};
constexpr std::array TextBoxStyles{
    TextBoxStyle{"txtHint", 9.0,  Cream,     true,  Blue},
    TextBoxStyle{"Text1",   9.75, LightBlue, false, 0},
};
// clang-format on

// A borderless, read-only text box whose text can still be selected and
// copied. Lines never wrap, and they follow each other at the font's pixel
// size, the pitch the card was laid out for: the font's natural line spacing
// would push the hint's last line out of its box.
QTextEdit* makeTextBox(QWidget* parent, const ControlDesign& design) {
    const TextBoxStyle* style = styleFor<TextBoxStyle>(TextBoxStyles, design.name);
    Q_ASSERT(style);
    const QFont font = windowsFont(QStringLiteral("ＭＳ ゴシック"), style->points);
    auto* box = new QTextEdit(parent);
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
    setPaletteColour(box, QPalette::Base, QColor::fromRgb(style->background));
    if (style->colouredText) {
        setPaletteColour(box, QPalette::Text, QColor::fromRgb(style->text));
    }
    pinAtStart(box->verticalScrollBar());
    pinAtStart(box->horizontalScrollBar());
    // QTextCursor turns each CR LF into one line break, so no CR is shown.
    box->setPlainText(utf8(design.content));
    QTextBlockFormat pitch;
    pitch.setLineHeight(font.pixelSize(), QTextBlockFormat::FixedHeight);
    QTextCursor all(box->document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(pitch);
    box->moveCursor(QTextCursor::Start);
    box->setAccessibleName(utf8(design.accessibleName));
    return box;
}

// Below the main window where the screen has room, else beside or above
// it, never over it; where the program has no main window on screen, at its
// designed place if the screen has room for it there.
void placeBesideTheMainWindow(QWidget* hint) {
    const QWidget* main = mainWindow();
    const QScreen* screen = main ? main->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect area = screen->availableGeometry();
    if (!main) {
        const QRect designed(QPoint(166, 432), Dialog::ClientSize);
        if (area.contains(designed)) {
            hint->setGeometry(designed);
        }
        return;
    }
    hint->move(besideWithoutCovering(area, main->frameGeometry(), frameOf(hint).size()));
}

} // namespace

Dialog::Dialog()
    : QWidget(nullptr, ownerlessToolWindow() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint) {
    setUpWindow(this, QStringLiteral("Dialog"), QStringLiteral("ヒント♪"), ClientSize);
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window does not keep the program alive by default; this one
    // must, so that closing the main window first leaves the card open and
    // the program ends only when the card is closed too. Set after the
    // window flags, which would reset it.
    setAttribute(Qt::WA_QuitOnClose, true);

    buildControls(this, {Controls, LabelStyles, ShapeStyles, ImageStyles},
                  [this](const ControlDesign& design) { return makeTextBox(this, design); });
    connect(findChild<ImageControl*>(QStringLiteral("Im_Close")), &ImageControl::clicked, this,
            &Dialog::Im_Close_Click);
    // Escape closes the card as とじます does, wherever its focus is.
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this,
            &Dialog::Im_Close_Click);
}

Dialog* Dialog::open() {
    if (!theHintWindow) {
        theHintWindow = new Dialog;
        placeBesideTheMainWindow(theHintWindow);
        keepOffTheTaskbar(theHintWindow);
        nameAsToolWindow(theHintWindow);
        leaveTheProgramsGroup(theHintWindow);
    }
    // New, or already open but perhaps behind the main window or
    // minimised: either way it comes to the front and takes the keyboard.
    bringToFront(theHintWindow);
    return theHintWindow;
}

void Dialog::Im_Close_Click() {
    close();
}

} // namespace mivesk
