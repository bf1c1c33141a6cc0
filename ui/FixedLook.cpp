#include "FixedLook.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <qdrawutil.h>

namespace mivesk {

namespace {

constexpr const char* DesignedStyle = "Fusion";

QPalette classicEdgePalette(QPalette palette) {
    palette.setColor(QPalette::Dark, QColor(128, 128, 128));
    palette.setColor(QPalette::Shadow, QColor(0, 0, 0));
    palette.setColor(QPalette::Light, QColor(255, 255, 255));
    palette.setColor(QPalette::Midlight, QColor(212, 208, 200));
    return palette;
}

// Qt's own light palette, the one the windows were drawn with, with every
// role of every group set: Qt fills a role left unset from the platform
// theme, and the style's standard palette follows a dark scheme too.
QPalette lightPalette() {
    struct Role {
        QPalette::ColorRole role;
        QRgb normal;
        QRgb disabled;
    };
    // clang-format off
    constexpr Role Roles[] = {
        {QPalette::WindowText,      0xff000000, 0xffbebebe},
        {QPalette::Button,          0xffefefef, 0xffefefef},
        {QPalette::Light,           0xffffffff, 0xffffffff},
        {QPalette::Midlight,        0xffcacaca, 0xffcacaca},
        {QPalette::Dark,            0xff9f9f9f, 0xffbebebe},
        {QPalette::Mid,             0xffb8b8b8, 0xffb8b8b8},
        {QPalette::Text,            0xff000000, 0xffbebebe},
        {QPalette::BrightText,      0xffffffff, 0xffffffff},
        {QPalette::ButtonText,      0xff000000, 0xffbebebe},
        {QPalette::Base,            0xffffffff, 0xffefefef},
        {QPalette::Window,          0xffefefef, 0xffefefef},
        {QPalette::Shadow,          0xff767676, 0xffb1b1b1},
        {QPalette::Highlight,       0xff308cc6, 0xff919191},
        {QPalette::HighlightedText, 0xffffffff, 0xffffffff},
        {QPalette::Link,            0xff0000ff, 0xff0000ff},
        {QPalette::LinkVisited,     0xffff00ff, 0xffff00ff},
        {QPalette::AlternateBase,   0xfff7f7f7, 0xfff7f7f7},
        {QPalette::ToolTipBase,     0xffffffdc, 0xffffffdc},
        {QPalette::ToolTipText,     0xff000000, 0xff000000},
        {QPalette::PlaceholderText, 0x80000000, 0x80000000},
    };
    // clang-format on
    QPalette palette;
    for (const Role& role : Roles) {
        const QColor normal = QColor::fromRgba(role.normal);
        palette.setColor(QPalette::Active, role.role, normal);
        palette.setColor(QPalette::Inactive, role.role, normal);
        palette.setColor(QPalette::Disabled, role.role, QColor::fromRgba(role.disabled));
    }
    return palette;
}

// A platform theme gives some kinds of control a palette of their own,
// which comes before the application's: every kind it may name, down to the
// controls the windows are made of.
constexpr const char* ThemedClasses[] = {"QAbstractButton",  "QToolButton",  "QCheckBox",
                                         "QRadioButton",     "QHeaderView",  "QAbstractItemView",
                                         "QMessageBoxLabel", "QTabBar",      "QLabel",
                                         "QGroupBox",        "QMenu",        "QMenuBar",
                                         "QTextEdit",        "QTextControl", "QLineEdit"};

void applyEverywhere(const QPalette& palette) {
    QApplication::setPalette(palette);
    for (const char* className : ThemedClasses) {
        QApplication::setPalette(palette, className);
    }
}

// Some platform themes set the palettes themselves, once the program runs
// or whenever the desktop's scheme changes; this puts the program's own
// back each time.
class PaletteKeeper final : public QObject {
public:
    PaletteKeeper(const QPalette& palette, QObject* parent) : QObject(parent), m_palette(palette) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_applying) {
            return false;
        }
        if (event->type() == QEvent::ApplicationPaletteChange && watched == qApp) {
            apply();
        } else if (event->type() == QEvent::ThemeChange && !m_pending) {
            // Sent to each window while Qt is still taking the new theme's
            // palettes; put them right once it is done.
            m_pending = true;
            QMetaObject::invokeMethod(this, &PaletteKeeper::apply, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void apply() {
        m_pending = false;
        m_applying = true;
        applyEverywhere(m_palette);
        m_applying = false;
    }

    QPalette m_palette;
    bool m_applying = false;
    bool m_pending = false;
};

} // namespace

QStyle* newDesignedStyle() {
    return QStyleFactory::create(QString::fromLatin1(DesignedStyle));
}

void keepDesignedLook() {
    if (QStyle* style = newDesignedStyle()) {
        QApplication::setStyle(style);
    }
    const QPalette palette = lightPalette();
    applyEverywhere(palette);
    qApp->installEventFilter(new PaletteKeeper(palette, qApp));
}

void setPaletteColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    if (!colour.isValid()) {
        return;
    }
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void setClassicEdgeColours(QWidget* widget) {
    widget->setPalette(classicEdgePalette(widget->palette()));
}

void drawClassicSunkenEdge(QPainter* painter, const QRect& rect) {
    qDrawWinPanel(painter, rect, classicEdgePalette(QPalette()), true);
}

} // namespace mivesk
