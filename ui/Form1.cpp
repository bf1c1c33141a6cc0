#include "Form1.h"

#include "Accessibility.h"
#include "Dialog.h"
#include "FitLabel.h"
#include "FixedLook.h"
#include "Fonts.h"
#include "Form1Controls.h"
#include "ImageControl.h"
#include "ShapeControl.h"
#include "TextBoxControl.h"
#include "WindowPlacement.h"
#include "frmAbout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QRadioButton>
#include <QShortcut>
#include <QStyleOption>

namespace mivesk {

namespace {

// Small indicators with a narrow gap, as the designed widths of the option
// buttons and the check box need: "ランダム" must fit in 57 px.
class CompactIndicatorStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        switch (metric) {
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
            return 13;
        case PM_RadioButtonLabelSpacing:
        case PM_CheckBoxLabelSpacing:
            return 3;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

    // While the keyboard is in use, the focus frame is drawn solid in the
    // text colour, which stands out from the light panel; the mouse-only
    // look is left to the base style.
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_FrameFocusRect && (option->state & State_KeyboardFocusChange)) {
            painter->save();
            painter->setPen(option->palette.color(QPalette::WindowText));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
            painter->restore();
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

// One instance for every window; it lives as long as the application.
QStyle* compactIndicatorStyle() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new CompactIndicatorStyle(newDesignedStyle());
        style->setParent(qApp);
    }
    return style;
}

} // namespace

Form1::Form1(std::unique_ptr<DrillEngine> engine, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_engine(std::move(engine)) {
    installAccessibility();
    setUpWindow(this, QStringLiteral("Form1"), QStringLiteral("Mivesk ﾊﾞｰｼﾞｮﾝ1.2"), ClientSize);
    setFont(windowsFont(QStringLiteral("MS UI Gothic"), 9));

    buildControls(this, form1Design(),
                  [this](const ControlDesign& design) { return createWindowed(design); });
    takeMembers();
    // The holders only lend the dots their pictures; they are never shown.
    keepFromScreenReaders(m_Imtenon);
    keepFromScreenReaders(m_Imtenoff);
    bindEvents();
    bindKeys();

    m_engine->Form_Load();
    render(true);
    // The welcome text tells a newcomer what to do.
    announce(this, m_Lb_First->text());
}

Form1::~Form1() = default;

void Form1::centreOnScreen() {
    placeOnStart(this, Dialog::ClientSize);
}

template <typename Control> Control* Form1::child(const QString& name) const {
    auto* control = findChild<Control*>(name, Qt::FindDirectChildrenOnly);
    Q_ASSERT(control);
    return control;
}

void Form1::takeMembers() {
    m_Im_Set = child<ImageControl>(QStringLiteral("Im_Set"));
    m_Im_Next = child<ImageControl>(QStringLiteral("Im_Next"));
    m_Im_Reset = child<ImageControl>(QStringLiteral("Im_Reset"));
    m_Im_Check = child<ImageControl>(QStringLiteral("Im_Check"));
    m_Im_End = child<ImageControl>(QStringLiteral("Im_End"));
    m_Im_Hint = child<ImageControl>(QStringLiteral("Im_Hint"));
    m_Im_Version = child<ImageControl>(QStringLiteral("Im_Version"));
    for (int i = 0; i < 6; ++i) {
        m_ImTen[i] = child<ImageControl>(QStringLiteral("ImTen_%1").arg(i));
        m_ImTenKai[i] = child<ImageControl>(QStringLiteral("ImTenKai_%1").arg(i));
    }
    m_Imtenon = child<ImageControl>(QStringLiteral("Imtenon"));
    m_Imtenoff = child<ImageControl>(QStringLiteral("Imtenoff"));
    m_imgSeikai = child<ImageControl>(QStringLiteral("imgSeikai"));
    m_imgOsii = child<ImageControl>(QStringLiteral("imgOsii"));
    m_imgFuseikai = child<ImageControl>(QStringLiteral("imgFuseikai"));
    m_ShpCover = child<ShapeControl>(QStringLiteral("ShpCover"));
    m_Shp_first = child<ShapeControl>(QStringLiteral("Shp_first"));
    m_Shp_FirstBak = child<ShapeControl>(QStringLiteral("Shp_FirstBak"));
    m_Lb_First = child<FitLabel>(QStringLiteral("Lb_First"));
    m_Lb_Main = child<FitLabel>(QStringLiteral("Lb_Main"));
    m_lblRitsu = child<FitLabel>(QStringLiteral("lblRitsu"));
    m_lblCount = child<FitLabel>(QStringLiteral("lblCount"));
    m_TexCheck = child<TextBoxControl>(QStringLiteral("TexCheck"));
    m_Check1 = child<QCheckBox>(QStringLiteral("Check1"));
}

QWidget* Form1::createWindowed(const ControlDesign& design) {
    switch (design.kind) {
    case ControlKind::OptionButton: {
        if (!m_Option1) {
            m_Option1 = new QButtonGroup(this);
            m_Option1->setExclusive(true);
        }
        auto* option = new QRadioButton(utf8(design.content), this);
        option->setStyle(compactIndicatorStyle());
        // Buttons fill with their Button role; it is the panel's colour here.
        option->setAutoFillBackground(true);
        setPaletteColour(option, QPalette::Button, QColor(192, 192, 255));
        setPaletteColour(option, QPalette::Window, QColor(192, 192, 255));
        setPaletteColour(option, QPalette::WindowText, palette().color(QPalette::ButtonText));
        m_Option1->addButton(option, design.index);
        option->installEventFilter(this);
        return option;
    }
    case ControlKind::CheckBox: {
        auto* check = new QCheckBox(utf8(design.content), this);
        check->setStyle(compactIndicatorStyle());
        check->setAutoFillBackground(true);
        setPaletteColour(check, QPalette::Button, Qt::white);
        setPaletteColour(check, QPalette::Window, Qt::white);
        check->setChecked(true);
        return check;
    }
    case ControlKind::TextBox: {
        // Never shown: a box that builds its editor on first show keeps the
        // text without laying it out.
        auto* box = new TextBoxControl(this);
        box->setFont(windowsFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
        box->setPlainText(utf8(design.content));
        keepFromScreenReaders(box);
        return box;
    }
    case ControlKind::Image:
    case ControlKind::Label:
    case ControlKind::Shape:
        break;
    }
    Q_UNREACHABLE();
}

void Form1::bindEvents() {
    // The designed selection; choosing it does not choose a mode.
    m_Option1->button(10)->setChecked(true);

    // idClicked comes for a mouse click and for a selection moved by the
    // arrow keys alike.
    connect(m_Option1, &QButtonGroup::idClicked, this,
            [this](int index) { forward(&DrillEngine::Option1_Click, index); });
    // The box is never tristate: its value is 1 or 0.
    connect(m_Check1, &QCheckBox::clicked, this,
            [this] { forward(&DrillEngine::Check1_Click, m_Check1->isChecked() ? 1 : 0); });

    // Each button runs its operation, then tells a listener what came of it.
    const struct {
        ImageControl* button;
        void (DrillEngine::*click)();
        Spoken spoken;
    } buttons[] = {{m_Im_Set, &DrillEngine::Im_Set_Click, Spoken::Question},
                   {m_Im_Next, &DrillEngine::Im_Next_Click, Spoken::Question},
                   {m_Im_Reset, &DrillEngine::Im_Reset_Click, Spoken::Score},
                   {m_Im_Check, &DrillEngine::Im_Check_Click, Spoken::Verdict}};
    for (const auto& button : buttons) {
        connect(button.button, &ImageControl::clicked, this, [this, button] {
            forward(button.click);
            tellListener(button.spoken);
        });
    }
    for (int i = 0; i < 6; ++i) {
        connect(m_ImTen[i], &ImageControl::clicked, this, [this, i] {
            const DotPicture before = m_shown.ImTen[i];
            forward(&DrillEngine::ImTen_Click, i);
            if (m_shown.ImTen[i] != before) {
                tellListener(Spoken::Dot, i);
            }
        });
    }
    connect(m_Im_End, &ImageControl::clicked, this, [this] {
        forward(&DrillEngine::Im_End_Click);
        endProgram();
    });
    connect(m_Im_Hint, &ImageControl::clicked, this, [this] {
        if (!m_ended) {
            Dialog* hint = Dialog::open();
            connect(hint, &QObject::destroyed, this, &Form1::takeBackKeyboard,
                    Qt::UniqueConnection);
            announce(hint, contentsOf(hint));
        }
    });
    connect(m_Im_Version, &ImageControl::clicked, this, [this] {
        if (!m_ended) {
            frmAbout::showModal(this);
            takeBackKeyboard();
        }
    });
}

void Form1::bindKeys() {
    const auto keypad = [](Qt::Key key) { return QKeySequence(Qt::KeypadModifier | key); };
    struct Keyed {
        ImageControl* control;
        QList<QKeySequence> keys;
    };
    QList<Keyed> keyed{
        {m_Im_Set, {Qt::Key_S}},
        {m_Im_Check, {Qt::Key_Return, Qt::Key_Enter, keypad(Qt::Key_Enter)}},
        {m_Im_Next, {Qt::Key_N}},
        {m_Im_Reset, {Qt::Key_R}},
        {m_Im_Hint, {Qt::Key_H, Qt::Key_F1}},
        {m_Im_Version, {Qt::Key_V}},
        {m_Im_End, {QKeySequence(Qt::CTRL | Qt::Key_Q)}},
    };
    // Dot 1 to 6 by its number, not by where it sits in the cell.
    for (int i = 0; i < 6; ++i) {
        const auto digit = Qt::Key(Qt::Key_1 + i);
        keyed.append({m_ImTen[i], {digit, keypad(digit)}});
    }
    // Shortcuts match the key itself, not the text it would type, so an
    // input method or a kana layout does not change them; they come before
    // the focused control sees the key and never move the focus.
    for (const Keyed& entry : keyed) {
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(entry.keys);
        // A held key is one press: Check must not count an answer per repeat.
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, entry.control,
                &ImageControl::clickAsTheMouseWould);
        entry.control->setKeys(entry.keys);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || m_movingSelection) {
        return QWidget::eventFilter(watched, event);
    }
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        break;
    default:
        return QWidget::eventFilter(watched, event);
    }
    // An arrow key moves the selection with the focus, and the newly
    // selected button raises Click. Qt moves only the focus when the button
    // it leaves is not the selected one, as at start, where the focus rests
    // on あ while 50音順 shows selected.
    QWidget* before = focusWidget();
    m_movingSelection = true;
    QCoreApplication::sendEvent(watched, event);
    m_movingSelection = false;
    auto* now = qobject_cast<QAbstractButton*>(focusWidget());
    if (now && now != before && m_Option1->id(now) >= 0 && !now->isChecked()) {
        now->click();
    }
    return true;
}

void Form1::takeBackKeyboard() {
    // Activating is enough to take the keys; raising would also lift the
    // main window over the hint, which a mouse user does not see happen.
    if (!m_ended && isVisible()) {
        activateWindow();
    }
}

void Form1::tellListener(Spoken what, int dot) {
    // Nothing is said for an operation that had no question to work on.
    if (m_ended || !m_shown.hasQuestion) {
        return;
    }
    QStringList words;
    switch (what) {
    case Spoken::Question:
        words << m_Lb_Main->text();
        break;
    case Spoken::Score:
        words << m_lblRitsu->text() << m_lblCount->text() << m_Lb_Main->text();
        break;
    case Spoken::Dot:
        words << m_ImTen[dot]->accessibleName() + (m_shown.ImTen[dot] == DotPicture::On
                                                       ? QStringLiteral(" オン")
                                                       : QStringLiteral(" オフ"));
        break;
    case Spoken::Verdict:
        if (!m_shown.lastVerdict) {
            return;
        }
        words << (*m_shown.lastVerdict == Verdict::Correct  ? m_imgSeikai
                  : *m_shown.lastVerdict == Verdict::Almost ? m_imgOsii
                                                            : m_imgFuseikai)
                     ->accessibleName();
        // A covered answer stays a secret to the ear as well.
        if (!m_shown.ShpCover) {
            QStringList raised;
            for (int i = 0; i < 6; ++i) {
                if (m_shown.ImTenKai[i] == DotPicture::On) {
                    raised << QString::number(i + 1);
                }
            }
            words << (raised.isEmpty()
                          ? QStringLiteral("答えは点なし")
                          : QStringLiteral("答えは点") + raised.join(QLatin1Char(' ')));
        }
        words << m_lblRitsu->text() << m_lblCount->text();
        break;
    }
    announce(this, words.join(QLatin1Char(' ')));
}

template <typename... Args>
void Form1::forward(void (DrillEngine::*operation)(Args...), Args... args) {
    if (m_ended) {
        return;
    }
    ((*m_engine).*operation)(args...);
    render();
}

void Form1::showDot(ImageControl* dot, DotPicture picture) {
    // Every dot shares the picture of the hidden holder image.
    const bool on = picture == DotPicture::On;
    dot->setPicture(on ? m_Imtenon->picture() : m_Imtenoff->picture());
    dot->setRaised(on);
}

void Form1::render(bool everything) {
    const MainWindowView& view = m_engine->view();
    const MainWindowView& shown = m_shown;

    for (int i = 0; i < 6; ++i) {
        if (everything || view.ImTen[i] != shown.ImTen[i]) {
            showDot(m_ImTen[i], view.ImTen[i]);
        }
        if (everything || view.ImTenKai[i] != shown.ImTenKai[i]) {
            showDot(m_ImTenKai[i], view.ImTenKai[i]);
        }
    }

    const auto visibility = [everything](QWidget* control, bool now, bool before) {
        if (everything || now != before) {
            control->setVisible(now);
        }
    };
    visibility(m_imgSeikai, view.imgSeikai, shown.imgSeikai);
    visibility(m_imgOsii, view.imgOsii, shown.imgOsii);
    visibility(m_imgFuseikai, view.imgFuseikai, shown.imgFuseikai);
    visibility(m_ShpCover, view.ShpCover, shown.ShpCover);
    visibility(m_Shp_first, view.Shp_first, shown.Shp_first);
    visibility(m_Lb_First, view.Lb_First, shown.Lb_First);
    visibility(m_Shp_FirstBak, view.Shp_FirstBak, shown.Shp_FirstBak);

    const auto caption = [everything](FitLabel* label, const QString& now, const QString& before) {
        if (everything || now != before) {
            label->setText(now);
            label->setAccessibleName(now);
        }
    };
    caption(m_Lb_Main, view.Lb_Main, shown.Lb_Main);
    caption(m_lblRitsu, view.lblRitsu, shown.lblRitsu);
    caption(m_lblCount, view.lblCount, shown.lblCount);

    if (everything || view.TexCheck != shown.TexCheck) {
        m_TexCheck->setPlainText(view.TexCheck);
    }

    m_shown = view;
}

void Form1::endProgram() {
    // End stops everything at once: no window stays up and no further
    // event of any window runs.
    m_ended = true;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        window->hide();
    }
    QCoreApplication::exit(0);
}

} // namespace mivesk
