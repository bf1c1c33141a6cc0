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

// The style's own light palette with every role of every group set
// explicitly: Qt fills a role left unset from the platform theme, which
// would let a dark theme back in.
QPalette lightPalette(const QStyle& style) {
    const QPalette standard = style.standardPalette();
    QPalette fixed;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto colorRole = QPalette::ColorRole(role);
            if (colorRole != QPalette::NoRole) {
                fixed.setBrush(group, colorRole, standard.brush(group, colorRole));
            }
        }
    }
    return fixed;
}

// Some platform themes set the application palette themselves, once the
// program runs or whenever the desktop's scheme changes; this puts the
// program's own palette back each time.
class PaletteKeeper final : public QObject {
public:
    PaletteKeeper(const QPalette& palette, QObject* parent) : QObject(parent), m_palette(palette) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange &&
            QApplication::palette() != m_palette) {
            QApplication::setPalette(m_palette);
        }
        return false;
    }

private:
    QPalette m_palette;
};

} // namespace

QStyle* newDesignedStyle() {
    return QStyleFactory::create(QString::fromLatin1(DesignedStyle));
}

void keepDesignedLook() {
    if (QStyle* style = newDesignedStyle()) {
        QApplication::setStyle(style);
    }
    const QPalette palette = lightPalette(*QApplication::style());
    QApplication::setPalette(palette);
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
