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
#include <QPointer>
#include <QProxyStyle>
#include <QRadioButton>
#include <QScreen>

#include <cstring>
#include <type_traits>

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

    buildControls(
        this, form1Design(), [this](const ControlDesign& design) { return createWindowed(design); },
        [this](const ControlDesign& design, QWidget* control) { bindMember(design, control); });
    // The holders only lend the dots their pictures; they are never shown.
    keepFromScreenReaders(m_Imtenon);
    keepFromScreenReaders(m_Imtenoff);
    bindEvents();

    m_engine->Form_Load();
    render(true);
}

Form1::~Form1() = default;

void Form1::centreOnScreen() {
    placeOnStart(this, Dialog::ClientSize);
}

// clang-format off
const Form1::NamedMember Form1::NamedMembers[] = {
    {"ImTen",        &Form1::m_ImTen},
    {"ImTenKai",     &Form1::m_ImTenKai},
    {"Imtenon",      &Form1::m_Imtenon},
    {"Imtenoff",     &Form1::m_Imtenoff},
    {"imgSeikai",    &Form1::m_imgSeikai},
    {"imgOsii",      &Form1::m_imgOsii},
    {"imgFuseikai",  &Form1::m_imgFuseikai},
    {"ShpCover",     &Form1::m_ShpCover},
    {"Shp_first",    &Form1::m_Shp_first},
    {"Shp_FirstBak", &Form1::m_Shp_FirstBak},
    {"Lb_First",     &Form1::m_Lb_First},
    {"Lb_Main",      &Form1::m_Lb_Main},
    {"lblRitsu",     &Form1::m_lblRitsu},
    {"lblCount",     &Form1::m_lblCount},
    {"TexCheck",     &Form1::m_TexCheck},
    {"Check1",       &Form1::m_Check1},
};
// clang-format on

void Form1::bindMember(const ControlDesign& design, QWidget* control) {
    for (const NamedMember& named : NamedMembers) {
        if (std::strcmp(named.name, design.name) != 0) {
            continue;
        }
        std::visit(
            [&](auto member) {
                using Held = std::remove_reference_t<decltype(this->*member)>;
                if constexpr (std::is_pointer_v<Held>) {
                    this->*member = qobject_cast<Held>(control);
                    Q_ASSERT(this->*member);
                } else {
                    (this->*member)[design.index] = qobject_cast<ImageControl*>(control);
                    Q_ASSERT((this->*member)[design.index]);
                }
            },
            named.member);
    }
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
        forward(&DrillEngine::Check1_Click, value);
    });

    auto image = [this](const char* name) {
        auto* control = findChild<ImageControl*>(QString::fromLatin1(name));
        Q_ASSERT(control);
        return control;
    };
    const struct {
        const char* name;
        void (DrillEngine::*click)();
    } buttons[] = {{"Im_Set", &DrillEngine::Im_Set_Click},
                   {"Im_Next", &DrillEngine::Im_Next_Click},
                   {"Im_Reset", &DrillEngine::Im_Reset_Click},
                   {"Im_Check", &DrillEngine::Im_Check_Click}};
    for (const auto& button : buttons) {
        connect(image(button.name), &ImageControl::clicked, this,
                [this, click = button.click] { forward(click); });
    }
    connect(image("Im_End"), &ImageControl::clicked, this, [this] {
        forward(&DrillEngine::Im_End_Click);
        endProgram();
    });
    for (int i = 0; i < 6; ++i) {
        connect(m_ImTen[i], &ImageControl::clicked, this,
                [this, i] { forward(&DrillEngine::ImTen_Click, i); });
    }
    connect(image("Im_Hint"), &ImageControl::clicked, this, [this] {
        if (!m_ended) {
            Dialog::open();
        }
    });
    connect(image("Im_Version"), &ImageControl::clicked, this, [this] {
        if (!m_ended) {
            frmAbout::showModal();
        }
    });
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
