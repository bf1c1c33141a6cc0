#include "Form1.h"

#include "AccessibleImageControl.h"
#include "Dialog.h"
#include "Fonts.h"
#include "Form1Controls.h"
#include "ImageControl.h"
#include "ShapeControl.h"
#include "TextBoxControl.h"
#include "TextFit.h"
#include "WindowLook.h"
#include "frmAbout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QPointer>
#include <QProxyStyle>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <vector>

namespace mivesk {

namespace {

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

QColor rgb(QRgb value) {
    return QColor::fromRgb(value);
}

// Small indicators with a narrow gap, as the designed widths of the option
// buttons and the check box need: "ランダム" must fit in 57 px.
class CompactIndicatorStyle final : public QProxyStyle {
public:
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
};

// One instance for every window; it lives as long as the application.
QStyle* compactIndicatorStyle() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new CompactIndicatorStyle;
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
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Mivesk ﾊﾞｰｼﾞｮﾝ1.2"));
    setWindowIcon(applicationIcon());
    setFixedSize(ClientSize);
    setAutoFillBackground(true);
    setPaletteColour(this, QPalette::Window, Qt::white);
    setFont(windowsFont(QStringLiteral("MS UI Gothic"), 9));

    buildControls();
    bindEvents();

    m_engine->Form_Load();
    render(true);
}

Form1::~Form1() = default;

void Form1::centreOnScreen() {
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void Form1::buildControls() {
    // Qt stacks later siblings over earlier ones: create the windowless
    // controls from the bottom of the stacking order up, then the windowed
    // ones, which lie above them all.
    std::vector<const ControlDesign*> creationOrder;
    for (const ControlDesign& design : form1Controls())
        creationOrder.push_back(&design);
    const auto rank = [](const ControlDesign* design) {
        return design->isWindowless() ? -design->order : 0;
    };
    std::stable_sort(
        creationOrder.begin(), creationOrder.end(),
        [&](const ControlDesign* a, const ControlDesign* b) { return rank(a) < rank(b); });

    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const ControlDesign* design : creationOrder) {
        QWidget* control = createControl(*design);
        control->setObjectName(objectNameOf(*design));
        if (design->index != ControlDesign::NoIndex)
            control->setProperty("Index", design->index);
        control->setGeometry(design->rect);
        if (!design->visibleAtStart)
            control->setVisible(false);
        if (design->tabIndex >= 0)
            tabOrder.emplace_back(design->tabIndex, control);
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            fitButtonCaption(button);
    }

    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);

    styleLabels();
}

QWidget* Form1::createControl(const ControlDesign& design) {
    const QString name = QString::fromLatin1(design.name);
    switch (design.kind) {
    case ControlKind::Image: {
        auto* image = new ImageControl(this);
        image->setResourcePicture(utf8(design.content));
        if (design.accessibleName)
            image->setAccessibleName(utf8(design.accessibleName));
        if (name == QLatin1String("Im_Version"))
            image->setSunkenBorder(true);
        if (name == QLatin1String("ImTen"))
            m_ImTen[design.index] = image;
        else if (name == QLatin1String("ImTenKai"))
            m_ImTenKai[design.index] = image;
        else if (name == QLatin1String("Imtenon"))
            m_Imtenon = image;
        else if (name == QLatin1String("Imtenoff"))
            m_Imtenoff = image;
        else if (name == QLatin1String("imgSeikai"))
            m_imgSeikai = image;
        else if (name == QLatin1String("imgOsii"))
            m_imgOsii = image;
        else if (name == QLatin1String("imgFuseikai"))
            m_imgFuseikai = image;
        if (name.startsWith(QLatin1String("Im_")))
            image->setAccessibleKind(ImageControl::AccessibleKind::Button);
        else if (name == QLatin1String("ImTen"))
            image->setAccessibleKind(ImageControl::AccessibleKind::InputDot);
        else if (name == QLatin1String("ImTenKai"))
            image->setAccessibleKind(ImageControl::AccessibleKind::AnswerDot);
        else if (name.startsWith(QLatin1String("img")))
            image->setAccessibleKind(ImageControl::AccessibleKind::Mark);
        return image;
    }
    case ControlKind::Label: {
        auto* label = new FitLabel(utf8(design.content), this);
        label->setIndent(0);
        label->setFocusPolicy(Qt::NoFocus);
        label->setTextFormat(Qt::PlainText);
        label->setAccessibleName(label->text());
        if (name == QLatin1String("Lb_First"))
            m_Lb_First = label;
        else if (name == QLatin1String("Lb_Main"))
            m_Lb_Main = label;
        else if (name == QLatin1String("lblRitsu"))
            m_lblRitsu = label;
        else if (name == QLatin1String("lblCount"))
            m_lblCount = label;
        return label;
    }
    case ControlKind::Shape: {
        const auto styles = form1ShapeStyles();
        const auto style = std::find_if(styles.begin(), styles.end(), [&](const ShapeStyle& s) {
            return name == QLatin1String(s.name);
        });
        Q_ASSERT(style != styles.end());
        auto* shape = new ShapeControl(style->rounded ? ShapeControl::Form::RoundedRectangle
                                                      : ShapeControl::Form::Rectangle,
                                       rgb(style->fill), this);
        if (style->crossHatched)
            shape->setCrossHatch(rgb(style->hatch));
        if (name == QLatin1String("ShpCover"))
            m_ShpCover = shape;
        else if (name == QLatin1String("Shp_first"))
            m_Shp_first = shape;
        else if (name == QLatin1String("Shp_FirstBak"))
            m_Shp_FirstBak = shape;
        return shape;
    }
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
        return option;
    }
    case ControlKind::CheckBox: {
        m_Check1 = new QCheckBox(utf8(design.content), this);
        m_Check1->setStyle(compactIndicatorStyle());
        m_Check1->setAutoFillBackground(true);
        setPaletteColour(m_Check1, QPalette::Button, Qt::white);
        setPaletteColour(m_Check1, QPalette::Window, Qt::white);
        m_Check1->setChecked(true);
        return m_Check1;
    }
    case ControlKind::TextBox: {
        // Never shown: a box that builds its editor on first show keeps the
        // text without laying it out.
        m_TexCheck = new TextBoxControl(this);
        m_TexCheck->setFont(windowsFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
        m_TexCheck->setPlainText(utf8(design.content));
        keepFromScreenReaders(m_TexCheck);
        return m_TexCheck;
    }
    }
    Q_UNREACHABLE();
}

void Form1::styleLabels() {
    for (const LabelStyle& style : form1LabelStyles()) {
        auto* label = findChild<FitLabel*>(QString::fromLatin1(style.name));
        Q_ASSERT(label);
        label->setDesignedLines(style.lines);
        if (style.family)
            label->setFont(windowsFont(utf8(style.family), style.points, style.bold));
        switch (style.textColour) {
        case TextColour::ButtonText:
            setPaletteColour(label, QPalette::WindowText, palette().color(QPalette::ButtonText));
            break;
        case TextColour::WindowText:
            break;
        case TextColour::Fixed:
            setPaletteColour(label, QPalette::WindowText, rgb(style.colour));
            break;
        }
        label->setAlignment(style.alignment);
        if (style.opaque) {
            label->setAutoFillBackground(true);
            setPaletteColour(label, QPalette::Window, rgb(style.background));
        }
        if (style.sunkenBorder) {
            label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
            setClassicEdgeColours(label);
        }
    }
}

void Form1::bindEvents() {
    // The designed selection; choosing it does not choose a mode.
    m_Option1->button(10)->setChecked(true);

    // idClicked comes for a mouse click and for a selection moved by the
    // arrow keys alike.
    connect(m_Option1, &QButtonGroup::idClicked, this,
            [this](int index) { forward([index](DrillEngine& e) { e.Option1_Click(index); }); });
    connect(m_Check1, &QCheckBox::clicked, this, [this] {
        int value = 0;
        switch (m_Check1->checkState()) {
        case Qt::Unchecked:
            value = 0;
            break;
        case Qt::Checked:
            value = 1;
            break;
        case Qt::PartiallyChecked:
            value = 2;
            break;
        }
        forward([value](DrillEngine& e) { e.Check1_Click(value); });
    });

    auto image = [this](const char* name) {
        auto* control = findChild<ImageControl*>(QString::fromLatin1(name));
        Q_ASSERT(control);
        return control;
    };
    connect(image("Im_Set"), &ImageControl::clicked, this,
            [this] { forward([](DrillEngine& e) { e.Im_Set_Click(); }); });
    connect(image("Im_Next"), &ImageControl::clicked, this,
            [this] { forward([](DrillEngine& e) { e.Im_Next_Click(); }); });
    connect(image("Im_Reset"), &ImageControl::clicked, this,
            [this] { forward([](DrillEngine& e) { e.Im_Reset_Click(); }); });
    connect(image("Im_Check"), &ImageControl::clicked, this,
            [this] { forward([](DrillEngine& e) { e.Im_Check_Click(); }); });
    connect(image("Im_End"), &ImageControl::clicked, this, [this] {
        forward([](DrillEngine& e) { e.Im_End_Click(); });
        endProgram();
    });
    for (int i = 0; i < 6; ++i) {
        connect(m_ImTen[i], &ImageControl::clicked, this,
                [this, i] { forward([i](DrillEngine& e) { e.ImTen_Click(i); }); });
    }
    connect(image("Im_Hint"), &ImageControl::clicked, this, [this] {
        if (!m_ended)
            Dialog::open();
    });
    connect(image("Im_Version"), &ImageControl::clicked, this, [this] {
        if (!m_ended)
            frmAbout::showModal();
    });
}

template <typename Operation> void Form1::forward(Operation operation) {
    if (m_ended)
        return;
    operation(*m_engine);
    render();
}

void Form1::showDot(ImageControl* dot, DotPicture picture, const QString& cellName, int index) {
    // Every dot shares the picture of the hidden holder image.
    const bool on = picture == DotPicture::On;
    dot->setPicture(on ? m_Imtenon->picture() : m_Imtenoff->picture());
    // Qt announces every setting of a name, even an unchanged one.
    if (const QString name = cellName + QString::number(index + 1); dot->accessibleName() != name)
        dot->setAccessibleName(name);
    dot->setRaised(on);
}

void Form1::render(bool everything) {
    const MainWindowView& view = m_engine->view();
    const MainWindowView& shown = m_shown;

    for (int i = 0; i < 6; ++i) {
        if (everything || view.ImTen[i] != shown.ImTen[i])
            showDot(m_ImTen[i], view.ImTen[i], QStringLiteral("入力の点"), i);
        if (everything || view.ImTenKai[i] != shown.ImTenKai[i])
            showDot(m_ImTenKai[i], view.ImTenKai[i], QStringLiteral("答えの点"), i);
    }

    const auto visibility = [everything](QWidget* control, bool now, bool before) {
        if (everything || now != before)
            control->setVisible(now);
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

    if (everything || view.TexCheck != shown.TexCheck)
        m_TexCheck->setPlainText(view.TexCheck);

    m_shown = view;
}

void Form1::endProgram() {
    // End stops everything at once: no window stays up and no further
    // event of any window runs.
    m_ended = true;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        window->hide();
    QCoreApplication::exit(0);
}

} // namespace mivesk
