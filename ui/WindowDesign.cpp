#include "WindowDesign.h"

#include "FitLabel.h"
#include "FixedLook.h"
#include "Fonts.h"
#include "ShapeControl.h"

#include <QAbstractButton>

#include <algorithm>
#include <utility>
#include <vector>

namespace mivesk {

namespace {

QWidget* makeImage(QWidget* window, const WindowDesign& design, const ControlDesign& control) {
    auto* image = new ImageControl(window);
    image->setResourcePicture(utf8(control.content));
    if (control.accessibleName) {
        image->setAccessibleName(utf8(control.accessibleName));
    }
    if (const ImageStyle* style = styleFor(design.images, control.name)) {
        image->setSunkenBorder(style->sunkenBorder);
        image->setAccessibleKind(style->accessibleKind);
    }
    return image;
}

QWidget* makeLabel(QWidget* window, const ControlDesign& control) {
    auto* label = new FitLabel(utf8(control.content), window);
    label->setIndent(0);
    label->setFocusPolicy(Qt::NoFocus);
    label->setTextFormat(Qt::PlainText);
    label->setAccessibleName(label->text());
    return label;
}

QWidget* makeShape(QWidget* window, const WindowDesign& design, const ControlDesign& control) {
    const ShapeStyle* style = styleFor(design.shapes, control.name);
    Q_ASSERT(style);
    auto* shape = new ShapeControl(style->rounded ? ShapeControl::Form::RoundedRectangle
                                                  : ShapeControl::Form::Rectangle,
                                   QColor::fromRgb(style->fill), window);
    if (style->crossHatched) {
        shape->setCrossHatch(QColor::fromRgb(style->hatch));
    }
    return shape;
}

void styleLabels(QWidget* window, std::span<const LabelStyle> styles) {
    for (const LabelStyle& style : styles) {
        auto* label = window->findChild<FitLabel*>(QString::fromLatin1(style.name));
        Q_ASSERT(label);
        label->setDesignedLines(style.lines);
        if (style.family) {
            label->setFont(
                windowsFont(utf8(style.family), style.points, style.bold, style.underline));
        }
        switch (style.textColour) {
        case TextColour::ButtonText:
            setPaletteColour(label, QPalette::WindowText,
                             window->palette().color(QPalette::ButtonText));
            break;
        case TextColour::WindowText:
            break;
        case TextColour::Fixed:
            setPaletteColour(label, QPalette::WindowText, QColor::fromRgb(style.colour));
            break;
        }
        label->setAlignment(style.alignment);
        if (style.opaque) {
            label->setAutoFillBackground(true);
            setPaletteColour(label, QPalette::Window, QColor::fromRgb(style.background));
        }
        if (style.sunkenBorder) {
            label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
            setClassicEdgeColours(label);
        }
    }
}

// "ImTen_3" for a control-array member, the bare name otherwise.
QString objectNameOf(const ControlDesign& control) {
    const QString name = QString::fromLatin1(control.name);
    if (control.index == ControlDesign::NoIndex) {
        return name;
    }
    return name + QLatin1Char('_') + QString::number(control.index);
}

} // namespace

void buildControls(QWidget* window, const WindowDesign& design,
                   const std::function<QWidget*(const ControlDesign&)>& makeWindowed) {
    // Qt stacks later siblings over earlier ones: create the windowless
    // controls from the bottom of the stacking order up, then the windowed
    // ones, which lie above them all.
    std::vector<const ControlDesign*> creationOrder;
    for (const ControlDesign& control : design.controls) {
        creationOrder.push_back(&control);
    }
    const auto rank = [](const ControlDesign* control) {
        return control->isWindowless() ? -control->order : 0;
    };
    std::stable_sort(
        creationOrder.begin(), creationOrder.end(),
        [&](const ControlDesign* a, const ControlDesign* b) { return rank(a) < rank(b); });

    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const ControlDesign* control : creationOrder) {
        QWidget* widget = nullptr;
        switch (control->kind) {
        case ControlKind::Image:
            widget = makeImage(window, design, *control);
            break;
        case ControlKind::Label:
            widget = makeLabel(window, *control);
            break;
        case ControlKind::Shape:
            widget = makeShape(window, design, *control);
            break;
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
        case ControlKind::TextBox:
            widget = makeWindowed(*control);
            break;
        }
        widget->setObjectName(objectNameOf(*control));
        if (control->index != ControlDesign::NoIndex) {
            widget->setProperty("Index", control->index);
        }
        widget->setGeometry(control->rect);
        // A control that runs past the window's edge ends there, also where
        // the window is larger than designed (a maximised window on Wayland).
        if (const QRect inside = control->rect.intersected(window->rect());
            inside != control->rect) {
            widget->setMask(inside.translated(-control->rect.topLeft()));
        }
        if (!control->visibleAtStart) {
            widget->setVisible(false);
        }
        if (control->tabIndex >= 0) {
            tabOrder.emplace_back(control->tabIndex, widget);
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget);
            button && !control->isWindowless()) {
            fitButtonCaption(button);
        }
    }

    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    }

    styleLabels(window, design.labels);
}

} // namespace mivesk
