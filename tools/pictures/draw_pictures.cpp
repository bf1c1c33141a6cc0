// Draws every picture of the program: the application icon, the two dot
// pictures, the three verdict marks, the button pictures and the hint chart.
// Each picture is written as a PNG with an alpha channel at its own size and
// again at twice that size ("@2x", drawn at double resolution, not scaled up),
// plus the application icon as a Windows .ico.
//
// Usage: draw_pictures [output-folder]   (default: the source tree's ui/pictures)
//
// The output is deterministic: every random choice comes from a seeded
// generator whose sequence the C++ standard fixes, and the lettering is
// rendered from font outlines, not from hinted bitmaps.

#include "Form1Controls.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <tuple>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Randomness and noise
// ---------------------------------------------------------------------------

// std::mt19937's sequence is fixed by the standard, unlike the distributions,
// so the uniform mapping is done here by hand.
class Rng {
public:
    explicit Rng(unsigned seed) : gen_(seed) {}
    double uniform(double lo = 0.0, double hi = 1.0) {
        return lo + (hi - lo) * (static_cast<double>(gen_()) / 4294967296.0);
    }

private:
    std::mt19937 gen_;
};

double smoothstep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// Smooth value noise on a lattice, in logical pixels, so that the 1x and the
// @2x picture show the same pattern.
class ValueNoise {
public:
    ValueNoise(unsigned seed, double cell, int cols, int rows)
        : cell_(cell), cols_(cols + 2), rows_(rows + 2) {
        Rng rng(seed);
        values_.resize(static_cast<size_t>(cols_ * rows_));
        for (double& v : values_)
            v = rng.uniform();
    }
    double at(double x, double y) const {
        const double gx = std::clamp(x / cell_, 0.0, cols_ - 1.001);
        const double gy = std::clamp(y / cell_, 0.0, rows_ - 1.001);
        const int ix = static_cast<int>(gx), iy = static_cast<int>(gy);
        const double fx = smoothstep(0, 1, gx - ix), fy = smoothstep(0, 1, gy - iy);
        const double top = lerp(value(ix, iy), value(ix + 1, iy), fx);
        const double bottom = lerp(value(ix, iy + 1), value(ix + 1, iy + 1), fx);
        return lerp(top, bottom, fy);
    }

private:
    static double lerp(double a, double b, double t) { return a + (b - a) * t; }
    double value(int x, int y) const { return values_[static_cast<size_t>(y * cols_ + x)]; }
    double cell_;
    int cols_, rows_;
    std::vector<double> values_;
};

QColor mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

// The painter's scale from logical to device pixels (1 or 2 here).
double deviceScale(const QPainter& p) {
    return p.transform().m11();
}

// Fills `rect` pixel by pixel at device resolution; `shade` gets the logical
// position of each device pixel's centre and returns its colour.
void paintPixels(QPainter& p, const QRectF& rect,
                 const std::function<QColor(double x, double y)>& shade) {
    const double s = deviceScale(p);
    QImage img(static_cast<int>(std::ceil(rect.width() * s)),
               static_cast<int>(std::ceil(rect.height() * s)), QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixelColor(x, y, shade(rect.x() + (x + 0.5) / s, rect.y() + (y + 0.5) / s));
    p.drawImage(QRectF(rect.topLeft(), QSizeF(img.width() / s, img.height() / s)), img);
}

// Runs `draw` on a transparent layer of the same size and transform as the
// painter's device, then composes the layer over the device. Brush strokes
// use it so that erasing their dry streaks does not cut into other strokes.
void paintLayer(QPainter& p, const std::function<void(QPainter&)>& draw) {
    QImage layer(p.device()->width(), p.device()->height(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.setTransform(p.transform());
        draw(lp);
    }
    p.save();
    p.resetTransform();
    p.drawImage(0, 0, layer);
    p.restore();
}

// ---------------------------------------------------------------------------
// Lettering
// ---------------------------------------------------------------------------

const QString Gothic = QStringLiteral("IPAGothic");
const QString PGothic = QStringLiteral("IPAPGothic");

// The outline of `text` in `family`. The IPA fonts have neither bold nor
// italic faces; weight is added by the painting helpers below and a slant by
// shearing the outline.
QPainterPath glyphs(const QString& text, const QString& family, double slant = 0.0) {
    QFont font(family);
    font.setPixelSize(64);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    QPainterPath path;
    path.addText(QPointF(0, 0), font, text);
    path.setFillRule(Qt::WindingFill);
    if (slant != 0.0)
        path = QTransform().shear(-slant, 0).map(path);
    return path;
}

// Scales `path` uniformly to the largest size that fits `box` and centres it.
QPainterPath fitInto(const QPainterPath& path, const QRectF& box) {
    const QRectF bounds = path.boundingRect();
    const double scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(scale, scale);
    t.translate(-bounds.center().x(), -bounds.center().y());
    QPainterPath fitted = t.map(path);
    fitted.setFillRule(Qt::WindingFill);
    return fitted;
}

QPen roundPen(const QColor& colour, double width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

struct LetterStyle {
    QColor fill;
    double weight = 0.0;         // extra stroke width making the letters bold and round
    QColor outline = QColor();   // the light outline around everything (invalid: none)
    double outlineWidth = 0.0;   // its width outside the letters
    QColor innerEdge = QColor(); // a darker edge between the letters and the outline
    double innerEdgeWidth = 0.0;
};

// Bold, rounded letters: the glyph outline filled and stroked with round
// joins, inside optional edge and outline bands painted beneath them.
void paintLetters(QPainter& p, const QPainterPath& path, const LetterStyle& style) {
    p.save();
    if (style.outline.isValid())
        p.strokePath(path, roundPen(style.outline, style.weight + 2 * style.outlineWidth));
    if (style.innerEdge.isValid())
        p.strokePath(path, roundPen(style.innerEdge, style.weight + 2 * style.innerEdgeWidth));
    p.fillPath(path, style.fill);
    if (style.weight > 0)
        p.strokePath(path, roundPen(style.fill, style.weight));
    p.restore();
}

// The glyphs thickened sideways only, by `dx`: bold, yet the gaps above and
// below (the dot of "!", "i") stay open at small sizes.
QPainterPath widened(const QPainterPath& path, double dx) {
    QPainterPath wide = path.translated(-dx / 2, 0).united(path.translated(dx / 2, 0));
    wide.setFillRule(Qt::WindingFill);
    return wide;
}

// The glyphs thickened by `weight`, as one closed outline.
QPainterPath emboldened(const QPainterPath& path, double weight) {
    QPainterPathStroker stroker;
    stroker.setWidth(weight);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setCapStyle(Qt::SquareCap);
    QPainterPath bold = path.united(stroker.createStroke(path)).simplified();
    bold.setFillRule(Qt::WindingFill);
    return bold;
}

// ---------------------------------------------------------------------------
// Buttons
// ---------------------------------------------------------------------------

// A pill-shaped button face with a soft shadow below and to the right.
void paintPill(QPainter& p, const QRectF& rect, const QColor& top, const QColor& bottom,
               const QColor& edge) {
    const double radius = rect.height() / 2;
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 3; i >= 0; --i) {
        const double grow = i * 0.5;
        p.setBrush(QColor(40, 40, 60, 28));
        p.drawRoundedRect(rect.translated(1.3, 1.6).adjusted(-grow, -grow, grow, grow),
                          radius + grow, radius + grow);
    }
    QLinearGradient face(rect.topLeft(), rect.bottomLeft());
    face.setColorAt(0.0, top);
    face.setColorAt(1.0, bottom);
    p.setBrush(face);
    p.setPen(QPen(edge, 0.8));
    p.drawRoundedRect(rect, radius, radius);
    // A glossy highlight over the upper half.
    QLinearGradient gloss(rect.topLeft(), QPointF(rect.left(), rect.center().y()));
    gloss.setColorAt(0.0, QColor(255, 255, 255, 170));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    const QRectF shine = rect.adjusted(radius * 0.5, 1.2, -radius * 0.5, -rect.height() * 0.45);
    p.drawRoundedRect(shine, shine.height() / 2, shine.height() / 2);
    p.restore();
}

// ---------------------------------------------------------------------------
// Brush strokes
// ---------------------------------------------------------------------------

const QColor BrushRed(220, 30, 30);

const QColor BrushDeepRed(200, 22, 26);

QPointF unit(const QPointF& v) {
    const double len = std::max(1e-9, std::hypot(v.x(), v.y()));
    return v / len;
}

// Rounds the corners of a polyline with small curves of the given radius,
// the way a brush turns a corner without lifting.
std::vector<QPointF> roundedCorners(const std::vector<QPointF>& corners, double radius) {
    std::vector<QPointF> out{corners.front()};
    for (size_t i = 1; i + 1 < corners.size(); ++i) {
        const QPointF c = corners[i];
        const QPointF a = c + unit(corners[i - 1] - c) * radius;
        const QPointF b = c + unit(corners[i + 1] - c) * radius;
        for (int k = 0; k <= 16; ++k) {
            const double t = k / 16.0;
            out.push_back(a * ((1 - t) * (1 - t)) + c * (2 * t * (1 - t)) + b * (t * t));
        }
    }
    out.push_back(corners.back());
    return out;
}

// A gentle curve through the given points (corner cutting).
std::vector<QPointF> smoothed(std::vector<QPointF> pts, int rounds) {
    for (int r = 0; r < rounds; ++r) {
        std::vector<QPointF> out{pts.front()};
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            out.push_back(pts[i] * 0.75 + pts[i + 1] * 0.25);
            out.push_back(pts[i] * 0.25 + pts[i + 1] * 0.75);
        }
        out.push_back(pts.back());
        pts = std::move(out);
    }
    return pts;
}

// Resamples a polyline at equal steps of `step` pixels.
std::vector<QPointF> resampled(const std::vector<QPointF>& pts, double step) {
    std::vector<QPointF> out{pts.front()};
    double carry = 0.0;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        const QPointF d = pts[i + 1] - pts[i];
        const double len = std::hypot(d.x(), d.y());
        double at = step - carry;
        while (at <= len) {
            out.push_back(pts[i] + d * (at / len));
            at += step;
        }
        carry = len - (at - step);
    }
    return out;
}

// A place where the paint must let what lies beneath read through: a raised
// dot of one of the cells, seen through the mark. Where a stroke passes over
// it, the bristles part into streaks as wide as `parting` pixels.
struct Clearing {
    QPointF centre;
    double radius;
    double parting;
};
using Clearings = std::vector<Clearing>;

struct BrushStyle {
    double width;                          // the broadest width of the stroke
    std::function<double(double)> profile; // width factor along the stroke, 0..1
    double dryFrom;                        // from here on the brush runs dry and its bristles part
    int streaks;                           // faint dry streaks through the body of the stroke
    int tailStreaks;                       // gaps between the parted bristles at the end
    unsigned seed;
    Clearings clearings = {};
};

// One stroke of a broad, dry brush along `spine`. The paint is laid down as
// a dense row of round dabs whose width swells and thins along the stroke and
// wobbles a little; then dry streaks are wiped out of it: faint ones in the
// body and, towards the end, gaps running out of the stroke's tip where the
// bristles parted.
void paintBrushStroke(QPainter& p, const std::vector<QPointF>& spine, const BrushStyle& style) {
    Rng rng(style.seed);
    const double step = 0.3;
    const std::vector<QPointF> pts = resampled(spine, step);
    const size_t n = pts.size();
    const double phase1 = rng.uniform(0, 6.3), phase2 = rng.uniform(0, 6.3);
    const double phase3 = rng.uniform(0, 6.3);

    std::vector<double> widths(n);
    std::vector<QPointF> normals(n), tangents(n);
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(n - 1);
        const double wobble =
            1.0 + 0.05 * std::sin(t * 17.0 + phase1) + 0.03 * std::sin(t * 41.0 + phase2);
        widths[i] = style.width * style.profile(t) * wobble;
        const size_t a = i >= 8 ? i - 8 : 0, b = std::min(n - 1, i + 8);
        tangents[i] = unit(pts[b] - pts[a]);
        normals[i] = QPointF(-tangents[i].y(), tangents[i].x());
    }
    const auto at = [&](double t) {
        return static_cast<size_t>(std::clamp(t, 0.0, 1.0) * static_cast<double>(n - 1));
    };
    // The line `across` (-1..1) of the way from the centre to the edge,
    // from `first` to `last`, carried on past the tip by `overshoot` pixels.
    const auto streakPath = [&](double across, size_t first, size_t last, double overshoot) {
        QPainterPath path;
        path.moveTo(pts[first] + normals[first] * (across * widths[first] / 2));
        for (size_t i = first + 3; i <= last; i += 3)
            path.lineTo(pts[i] + normals[i] * (across * widths[i] / 2));
        if (overshoot > 0)
            path.lineTo(pts[last] + normals[last] * (across * widths[last] / 2) +
                        tangents[last] * overshoot);
        return path;
    };

    // How sharply the stroke bends at each point (1 / radius): a streak far
    // from the centre line would loop round a tight bend, so none goes there.
    std::vector<double> bend(n, 0.0);
    for (size_t i = 10; i + 10 < n; ++i) {
        const QPointF t0 = tangents[i - 10], t1 = tangents[i + 10];
        const double cross = t0.x() * t1.y() - t0.y() * t1.x();
        const double dot = t0.x() * t1.x() + t0.y() * t1.y();
        bend[i] = std::abs(std::atan2(cross, dot)) / (20 * step);
    }
    const auto fitsBends = [&](double across, size_t first, size_t last) {
        for (size_t i = first; i <= last; ++i)
            if (bend[i] * std::abs(across) * widths[i] / 2 > 0.6)
                return false;
        return true;
    };
    const auto paintDabs = [&](QPainter& lp, size_t first, size_t last) {
        lp.setPen(Qt::NoPen);
        for (size_t i = first; i <= last; ++i) {
            const double t = static_cast<double>(i) / static_cast<double>(n - 1);
            lp.setBrush(mix(BrushRed, BrushDeepRed, 0.5 + 0.5 * std::sin(t * 9.0 + phase3)));
            lp.drawEllipse(pts[i], widths[i] / 2, widths[i] / 2);
        }
    };
    // Over a clearing the bristles part along the stroke: a few gaps spread
    // across it open where they pass over the clearing, and run on before
    // and after it, thinning out, as a dry brush skips over a raised bump.
    constexpr int gaps = 4;
    constexpr double runOn = 16.0; // pixels along the stroke
    std::vector<std::vector<double>> gapWidth(gaps, std::vector<double>(n, 0.0));
    for (const Clearing& c : style.clearings) {
        if (c.parting <= 0)
            continue;
        for (int k = 0; k < gaps; ++k) {
            const double across = -1.0 + (2.0 * k + 1.0) / gaps;
            // Distance along the stroke to the nearest point over the clearing.
            std::vector<double> away(n, 1e9);
            for (size_t i = 0; i < n; ++i) {
                const QPointF d = pts[i] + normals[i] * (across * widths[i] / 2) - c.centre;
                if (std::hypot(d.x(), d.y()) < c.radius)
                    away[i] = 0.0;
            }
            for (size_t i = 1; i < n; ++i)
                away[i] = std::min(away[i], away[i - 1] + step);
            for (size_t i = n - 1; i-- > 0;)
                away[i] = std::min(away[i], away[i + 1] + step);
            for (size_t i = 0; i < n; ++i) {
                const double open = 1.0 - smoothstep(0.0, runOn, away[i]);
                gapWidth[k][i] = std::max(gapWidth[k][i], c.parting * open);
            }
        }
    }
    const auto paintPartings = [&](QPainter& lp, size_t first, size_t last) {
        for (int k = 0; k < gaps; ++k) {
            const double across = -1.0 + (2.0 * k + 1.0) / gaps;
            for (size_t i = first; i + 2 <= last; i += 2) {
                const double width = std::max(gapWidth[k][i], gapWidth[k][i + 2]);
                if (width < 0.05)
                    continue;
                lp.setPen(roundPen(QColor(0, 0, 0, 255), width));
                lp.drawLine(pts[i] + normals[i] * (across * widths[i] / 2),
                            pts[i + 2] + normals[i + 2] * (across * widths[i + 2] / 2));
            }
        }
    };
    const size_t split = at(style.dryFrom - 0.02);

    // The body of the stroke, with faint streaks and a few nicks at the edges.
    paintLayer(p, [&](QPainter& lp) {
        paintDabs(lp, 0, split);
        lp.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        lp.setBrush(Qt::NoBrush);
        for (int k = 0; k < style.streaks; ++k) {
            const double from = rng.uniform(0.03, style.dryFrom - 0.05);
            const double to = std::min(from + rng.uniform(0.03, 0.2), style.dryFrom - 0.03);
            const bool edge = rng.uniform() < 0.25;
            const double across = edge ? (rng.uniform() < 0.5 ? -1 : 1) * rng.uniform(0.97, 1.05)
                                       : rng.uniform(-0.8, 0.8);
            const double alpha = edge ? 1.0 : rng.uniform(0.25, 0.6);
            const double thickness = edge ? rng.uniform(1.0, 2.2) : rng.uniform(0.4, 1.1);
            if (!fitsBends(across, at(from), at(to)))
                continue;
            lp.setPen(roundPen(QColor(0, 0, 0, static_cast<int>(alpha * 255)), thickness));
            lp.drawPath(streakPath(across, at(from), at(to), 0));
        }
        paintPartings(lp, 0, n - 1);
    });

    // The dry end, as a layer of its own over the body, so that its gaps never
    // cut into paint laid down earlier where a stroke closes on its start.
    // The bristles part: gaps spread across the stroke open up towards the
    // tip and run out of it.
    paintLayer(p, [&](QPainter& lp) {
        paintDabs(lp, split, n - 1);
        lp.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        lp.setBrush(Qt::NoBrush);
        for (int k = 0; k < style.tailStreaks; ++k) {
            const double across = -0.9 + 1.8 * (k + rng.uniform(0.2, 0.8)) / style.tailStreaks;
            const double from =
                rng.uniform(style.dryFrom, style.dryFrom + 0.7 * (1 - style.dryFrom));
            const double thickness = rng.uniform(0.6, 1.6);
            const int parts = 4;
            for (int part = 0; part < parts; ++part) {
                const double t0 = from + (1 - from) * part / parts;
                const double t1 = from + (1 - from) * (part + 1) / parts;
                const bool tip = part == parts - 1;
                lp.setPen(roundPen(QColor(0, 0, 0, 255), thickness * (0.5 + 0.45 * part)));
                lp.drawPath(streakPath(across, at(t0), at(t1), tip ? widths[n - 1] : 0));
            }
        }
        paintPartings(lp, 0, n - 1);
    });
}

// ---------------------------------------------------------------------------
// The pictures
// ---------------------------------------------------------------------------

void drawAppIcon(QPainter& p) {
    const ValueNoise coarse(11, 9.0, 5, 5), fine(12, 4.0, 9, 9);
    const QColor skyTop(142, 196, 238), skyBottom(188, 224, 248), cloud(252, 253, 255);
    paintPixels(p, QRectF(0, 0, 32, 32), [&](double x, double y) {
        const double n = 0.65 * coarse.at(x, y) + 0.35 * fine.at(x, y);
        const QColor sky = mix(skyTop, skyBottom, y / 32.0);
        return mix(sky, cloud, 0.85 * smoothstep(0.42, 0.78, n));
    });
    p.setPen(QPen(QColor(96, 150, 205), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 31, 31));

    const QColor halo(255, 255, 255, 170);
    const QPainterPath mi = fitInto(glyphs("Mi", PGothic), QRectF(6.5, 2.5, 19, 12.5));
    paintLetters(p, mi, {QColor(16, 40, 150), 1.3, halo, 1.1});
    const QPainterPath vesk = fitInto(glyphs("vesk", PGothic), QRectF(2.5, 18.5, 27, 10.5));
    paintLetters(p, vesk, {QColor(62, 62, 68), 0.9, halo, 1.0});
}

// The application icon for desktops, drawn for each size in that size's own
// pixels rather than scaled from one drawing: the border stays one sharp
// pixel (a little more at the largest sizes), the clouds gain texture as room
// allows, and below 32 px only "Mi" is lettered, since "vesk" would be a
// smudge. The same drawing with soft vector clouds is the scalable icon.
void drawAppIconAtSize(QPainter& p, int size, bool vectorClouds) {
    const double u = size / 32.0; // device pixels per pixel of the 32 px design
    const QColor skyTop(142, 196, 238), skyBottom(188, 224, 248), cloud(252, 253, 255);
    const ValueNoise coarse(11, 9.0, 5, 5), fine(12, 4.0, 9, 9), grain(13, 1.6, 21, 21);
    if (!vectorClouds) {
        const double fineWeight = size < 22 ? 0.0 : 0.35;
        const double grainWeight = size >= 128 ? 0.12 : size >= 48 ? 0.06 : 0.0;
        const double total = 0.65 + fineWeight + grainWeight;
        paintPixels(p, QRectF(0, 0, size, size), [&](double x, double y) {
            const double lx = x / u, ly = y / u;
            const double n = (0.65 * coarse.at(lx, ly) + fineWeight * fine.at(lx, ly) +
                              grainWeight * grain.at(lx, ly)) /
                             total;
            return mix(mix(skyTop, skyBottom, ly / 32.0), cloud, 0.85 * smoothstep(0.42, 0.78, n));
        });
    } else {
        QLinearGradient sky(0, 0, 0, size);
        sky.setColorAt(0.0, skyTop);
        sky.setColorAt(1.0, skyBottom);
        p.fillRect(QRectF(0, 0, size, size), sky);
        // A soft white puff wherever the noise lattice runs high, as a few
        // stacked translucent discs: plain shapes that any SVG reader draws.
        p.save();
        p.setClipRect(QRectF(0, 0, size, size));
        p.setPen(Qt::NoPen);
        for (const auto& [noise, cell, weight] :
             {std::tuple{&coarse, 9.0, 0.65}, std::tuple{&fine, 4.0, 0.35}}) {
            for (double y = 0; y <= 32 + cell; y += cell) {
                for (double x = 0; x <= 32 + cell; x += cell) {
                    const double strength = smoothstep(0.45, 0.95, noise->at(x, y));
                    if (strength <= 0.15)
                        continue;
                    QColor white = cloud;
                    white.setAlphaF(static_cast<float>((0.95 * weight + 0.2) * strength / 3));
                    p.setBrush(white);
                    for (const double r : {0.95, 0.7, 0.45})
                        p.drawEllipse(QPointF(x, y) * u, r * cell * u, r * cell * u);
                }
            }
        }
        p.restore();
    }

    const double border = size >= 128 ? size / 64.0 : 1.0;
    p.setPen(QPen(QColor(96, 150, 205), border));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(border / 2, border / 2, size - border, size - border));

    const QColor halo(255, 255, 255, 170);
    const double haloWidth = std::max(1.0, 1.1 * u * (size >= 128 ? 0.6 : 1.0));
    if (size < 32) {
        const QPainterPath mi =
            fitInto(glyphs("Mi", PGothic), QRectF(3.5 * u, 5 * u, 25 * u, 22 * u));
        paintLetters(p, mi, {QColor(16, 40, 150), std::max(1.0, 1.6 * u), halo, haloWidth});
        return;
    }
    const QPainterPath mi =
        fitInto(glyphs("Mi", PGothic), QRectF(6.5 * u, 2.5 * u, 19 * u, 12.5 * u));
    paintLetters(p, mi, {QColor(16, 40, 150), 1.3 * u, halo, haloWidth});
    const QPainterPath vesk =
        fitInto(glyphs("vesk", PGothic), QRectF(2.5 * u, 18.5 * u, 27 * u, 10.5 * u));
    paintLetters(p, vesk, {QColor(62, 62, 68), 0.9 * u, halo, haloWidth * 0.9});
}

void drawDotOff(QPainter& p) {
    const QPointF c(16, 16);
    const QColor grey(152, 148, 152), light(206, 203, 206);
    QPainterPath ring;
    ring.addEllipse(c, 8, 8);
    ring.addEllipse(c, 3, 3);
    ring.setFillRule(Qt::OddEvenFill);
    p.fillPath(ring, grey);
    // Lighter rims on both edges of the ring.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(light, 0.7));
    p.drawEllipse(c, 7.65, 7.65);
    p.drawEllipse(c, 3.35, 3.35);
}

// The raised dot's blue disc, whose radius the verdict marks make room for.
constexpr double DotRadius = 13;

void drawDotOn(QPainter& p) {
    const QPointF c(16, 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 255));
    p.drawEllipse(c, DotRadius, DotRadius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(150, 160, 255), 0.9));
    p.drawEllipse(c, 12.55, 12.55);
}

void drawMarkCorrect(QPainter& p, const Clearings& clearings) {
    // An ellipse drawn from the lower left round to the lower left again,
    // stopping short so that a small gap stays open there. Its bottom runs
    // low, so that it crosses the cells' bottom row below the dots' centres.
    const QPointF c(80.5, 95);
    const double rx = 63, ry = 80;
    std::vector<QPointF> spine;
    const double start = -2.1, sweep = 2 * M_PI - 0.4;
    for (int i = 0; i <= 400; ++i) {
        const double t = i / 400.0;
        const double a = start + sweep * t;
        const double grow = 1.0 + 0.035 * std::sin(t * 3.0); // a hand never closes a true ellipse
        spine.emplace_back(c.x() + rx * grow * std::cos(a), c.y() - ry * grow * std::sin(a));
    }
    paintBrushStroke(
        p, spine,
        {23.0,
         [](double t) { return 0.75 + 0.25 * smoothstep(0, 0.1, t) - 0.2 * smoothstep(0.8, 1, t); },
         0.8, 26, 9, 101, clearings});
}

void drawMarkAlmost(QPainter& p, const Clearings& clearings) {
    // Down from the apex to the left, across, and back up to the apex. The
    // base lies low, under the centres of the cells' bottom dots.
    const std::vector<QPointF> corners{{97, 14}, {15, 155}, {181, 155}, {97, 14}};
    paintBrushStroke(
        p, roundedCorners(corners, 14),
        {21.0,
         [](double t) { return 0.8 + 0.2 * smoothstep(0, 0.08, t) - 0.2 * smoothstep(0.86, 1, t); },
         0.82, 30, 8, 202, clearings});
}

void drawMarkIncorrect(QPainter& p, const Clearings& clearings) {
    const auto profile = [](double t) {
        return 0.72 + 0.28 * smoothstep(0, 0.12, t) - 0.2 * smoothstep(0.75, 1, t);
    };
    const std::vector<QPointF> down{{24, 22}, {70, 82}, {138, 166}};
    paintBrushStroke(p, smoothed(down, 3), {25.0, profile, 0.7, 14, 9, 303, clearings});
    const std::vector<QPointF> up{{140, 24}, {88, 86}, {22, 166}};
    paintBrushStroke(p, smoothed(up, 3), {25.0, profile, 0.7, 14, 9, 304, clearings});
}

void drawButtonSet(QPainter& p) {
    const QRectF face(1, 1, 42.5, 19.5);
    paintPill(p, face, QColor(253, 253, 253), QColor(214, 215, 222), QColor(150, 152, 165));
    const QPainterPath text =
        fitInto(glyphs("-Set-", PGothic, 0.22), face.adjusted(7, 4.5, -7, -4.5));
    paintLetters(p, text, {QColor(16, 28, 130), 0.5});
}

void drawButtonCheck(QPainter& p) {
    const QRectF face(1, 1.5, 66.5, 27);
    paintPill(p, face, QColor(205, 208, 250), QColor(140, 148, 226), QColor(96, 104, 180));
    const QPainterPath text = fitInto(glyphs("Check!!", PGothic), face.adjusted(8, 6.5, -8, -6.5));
    paintLetters(p, widened(text, 1.0), {QColor(16, 28, 130), 0.4});
}

void drawButtonNext(QPainter& p) {
    QPainterPath arrow;
    arrow.moveTo(2, 10);
    arrow.lineTo(31, 10);
    arrow.lineTo(31, 1.5);
    arrow.lineTo(51.5, 17);
    arrow.lineTo(31, 32.5);
    arrow.lineTo(31, 24);
    arrow.lineTo(2, 24);
    arrow.closeSubpath();
    QLinearGradient red(0, 1, 0, 33);
    red.setColorAt(0.0, QColor(250, 96, 80));
    red.setColorAt(0.5, QColor(226, 34, 30));
    red.setColorAt(1.0, QColor(178, 16, 16));
    p.setBrush(red);
    p.setPen(QPen(QColor(140, 10, 10), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(arrow);
    const QPainterPath text = fitInto(glyphs("Next", PGothic), QRectF(4, 12, 33, 10));
    paintLetters(p, text, {QColor(20, 40, 225), 0.8, QColor(255, 255, 255), 1.0});
}

const LetterStyle BlueVioletLetters{QColor(84, 64, 214), 1.6, QColor(236, 234, 255), 1.2};

void drawButtonReset(QPainter& p) {
    paintLetters(p, fitInto(glyphs("はじめから", PGothic), QRectF(2.5, 2.5, 77, 14)),
                 BlueVioletLetters);
}

void drawButtonEnd(QPainter& p) {
    paintLetters(p, fitInto(glyphs("おわり", PGothic), QRectF(2.5, 2.5, 44, 14)),
                 BlueVioletLetters);
}

void drawButtonHint(QPainter& p) {
    paintLetters(p, fitInto(glyphs("ヒント♪", PGothic), QRectF(3.5, 3.5, 78, 21)),
                 {QColor(255, 214, 10), 2.0, QColor(255, 252, 236), 1.9, QColor(196, 128, 0), 0.9});
}

void drawHeadingConcave(QPainter& p) {
    const QPainterPath text =
        emboldened(fitInto(glyphs("凹面", Gothic), QRectF(3, 3, 60, 27)), 2.6);
    p.setPen(QPen(QColor(16, 32, 140), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(text);
}

void drawHintChart(QPainter& p) {
    const QPainterPath heading = fitInto(glyphs("凹面の6点", PGothic), QRectF(4, 3, 130, 22));
    paintLetters(p, heading, {QColor(24, 22, 26), 1.6});

    // The paper card, with a faint shadow and a mottled, grainy surface.
    const QRectF card(3, 33, 131, 188);
    const double radius = 12;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 50, 30, 40));
    p.drawRoundedRect(card.translated(1.5, 1.8), radius, radius);
    QPainterPath cardPath;
    cardPath.addRoundedRect(card, radius, radius);
    p.save();
    p.setClipPath(cardPath);
    const ValueNoise blotches(21, 14.0, 12, 18), fibres(22, 2.5, 60, 90);
    Rng grain(23);
    const QColor beige(236, 222, 190), dark(214, 196, 156), light(248, 240, 220);
    paintPixels(p, card, [&](double x, double y) {
        const double n = blotches.at(x - card.x(), y - card.y()) - 0.5;
        const double f = fibres.at(x - card.x(), y - card.y()) - 0.5;
        const double g = grain.uniform(-0.5, 0.5);
        const double shade = 0.9 * n + 0.5 * f + 0.35 * g;
        return shade < 0 ? mix(beige, dark, -shade) : mix(beige, light, shade);
    });
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(178, 156, 112), 1.0));
    p.drawPath(cardPath);

    // Circled numerals: dots 4, 5, 6 down the left, 1, 2, 3 down the right.
    const QColor grey(64, 64, 66);
    const double xs[2] = {card.left() + 33.5, card.right() - 33.5};
    for (int column = 0; column < 2; ++column) {
        for (int row = 0; row < 3; ++row) {
            const int number = column == 0 ? 4 + row : 1 + row;
            const QPointF c(xs[column], card.top() + 32 + row * 62);
            p.setPen(QPen(grey, 2.6));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, 25, 25);
            const QPainterPath digit = fitInto(glyphs(QString::number(number), PGothic),
                                               QRectF(c.x() - 15, c.y() - 15, 30, 30));
            paintLetters(p, digit, {grey, 1.4});
        }
    }
}

void drawButtonClose(QPainter& p) {
    paintLetters(p, fitInto(glyphs("とじます", PGothic), QRectF(3, 3, 92, 24)),
                 {QColor(240, 96, 76), 1.9, QColor(255, 240, 236), 1.4});
}

void drawButtonOk(QPainter& p) {
    paintLetters(p, fitInto(glyphs("わかりました。", PGothic), QRectF(2.5, 2.5, 110, 15)),
                 {QColor(24, 64, 224), 0.8, QColor(214, 228, 255), 1.1});
}

struct Picture {
    const char* name;
    QSize size;
    void (*draw)(QPainter&);
};

const Picture Pictures[] = {
    {"app_icon", {32, 32}, drawAppIcon},
    {"dot_off", {32, 32}, drawDotOff},
    {"dot_on", {32, 32}, drawDotOn},
    {"button_set", {46, 23}, drawButtonSet},
    {"button_check", {71, 32}, drawButtonCheck},
    {"button_next", {53, 34}, drawButtonNext},
    {"button_reset", {82, 19}, drawButtonReset},
    {"button_end", {49, 19}, drawButtonEnd},
    {"button_hint", {85, 28}, drawButtonHint},
    {"heading_concave", {66, 33}, drawHeadingConcave},
    {"hint_chart", {138, 225}, drawHintChart},
    {"button_close", {98, 30}, drawButtonClose},
    {"button_ok", {115, 20}, drawButtonOk},
};

QImage render(QSize size, int scale, const std::function<void(QPainter&)>& draw) {
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        draw(p);
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage render(const Picture& picture, int scale) {
    return render(picture.size, scale, picture.draw);
}

// The verdict marks lie over both cells. Each is drawn knowing where the
// dots lie beneath it, taken from the main window's own control table, so
// that the bristles part over every dot the stroke crosses.
struct Mark {
    const char* name;
    void (*draw)(QPainter&, const Clearings&);
};

const Mark Marks[] = {
    {"mark_correct", drawMarkCorrect},
    {"mark_almost", drawMarkAlmost},
    {"mark_incorrect", drawMarkIncorrect},
};

// A raised dot still reads where this share of its blue shows through a
// mark; the search aims a little higher so that rounding at either scale
// cannot take a dot below the least the drill needs (a third).
constexpr double VisibleShareWanted = 0.4;

bool isDotBlue(QRgb px) {
    return qAlpha(px) == 255 && qBlue(px) >= 200 && qRed(px) <= 80 && qGreen(px) <= 80;
}

const mivesk::ControlDesign* controlShowing(const char* picture) {
    for (const mivesk::ControlDesign& control : mivesk::form1Controls())
        if (control.content && std::strcmp(control.content, picture) == 0)
            return &control;
    return nullptr;
}

// The share of the raised dot's blue that shows with `mark` over it, the
// dot's picture lying at `dotTopLeft` in the mark's pixels.
double visibleShare(const QImage& mark, const QImage& dot, QPoint dotTopLeft) {
    QImage seen = dot.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&seen);
        p.drawImage(-dotTopLeft, mark);
    }
    int blue = 0, shown = 0;
    for (int y = 0; y < dot.height(); ++y) {
        for (int x = 0; x < dot.width(); ++x) {
            if (!isDotBlue(dot.pixel(x, y)))
                continue;
            ++blue;
            shown += isDotBlue(seen.pixel(x, y)) ? 1 : 0;
        }
    }
    return blue ? static_cast<double>(shown) / blue : 0.0;
}

struct DrawnMark {
    QImage normal, doubled;
    double leastShare = 0;
};

// Draws `mark` with its bristles parting a little more over each dot that
// shows too little, until every dot of both cells reads at both scales.
DrawnMark drawMarkOverCells(const Mark& mark) {
    const mivesk::ControlDesign* control = controlShowing(mark.name);
    const mivesk::ControlDesign* raised = controlShowing("dot_on");
    if (!control || !raised)
        return {};
    const QSize size = control->rect.size();
    const QSize dotSize = raised->rect.size();
    const QImage dots[2] = {render(dotSize, 1, drawDotOn), render(dotSize, 2, drawDotOn)};

    Clearings clearings;
    std::vector<QPoint> dotOffsets;
    for (const mivesk::ControlDesign& c : mivesk::form1Controls()) {
        if (std::strcmp(c.name, "ImTen") != 0 && std::strcmp(c.name, "ImTenKai") != 0)
            continue;
        const QPoint offset = c.rect.topLeft() - control->rect.topLeft();
        dotOffsets.push_back(offset);
        clearings.push_back(
            {QRectF(c.rect).center() - QPointF(control->rect.topLeft()), DotRadius + 0.5, 0.0});
    }

    DrawnMark drawn;
    for (int round = 0; round < 60; ++round) {
        const auto draw = [&](QPainter& p) { mark.draw(p, clearings); };
        drawn.normal = render(size, 1, draw);
        drawn.doubled = render(size, 2, draw);
        drawn.leastShare = 1.0;
        bool allRead = true;
        for (size_t i = 0; i < clearings.size(); ++i) {
            const double share = std::min(visibleShare(drawn.normal, dots[0], dotOffsets[i]),
                                          visibleShare(drawn.doubled, dots[1], dotOffsets[i] * 2));
            drawn.leastShare = std::min(drawn.leastShare, share);
            if (share < VisibleShareWanted) {
                clearings[i].parting += 0.25;
                allRead = false;
            }
        }
        if (allRead)
            break;
    }
    return drawn;
}

bool write(const QImage& image, const QString& path, const char* format) {
    QImageWriter writer(path, format);
    if (!writer.write(image)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
    return true;
}

// The sizes desktops ask for, from menus and panels up to software centres.
constexpr int IconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool writeScalableIcon(const QString& path) {
    constexpr int size = 32;
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(size, size));
    svg.setViewBox(QRect(0, 0, size, size));
    svg.setTitle(QStringLiteral("Mivesk"));
    svg.setDescription(QStringLiteral("Mivesk application icon"));
    {
        QPainter p;
        if (!p.begin(&svg)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return false;
        }
        p.setRenderHint(QPainter::Antialiasing);
        drawAppIconAtSize(p, size, true);
    }
    std::printf("%s scalable\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList families = QFontDatabase::families();
    for (const QString& family : {Gothic, PGothic}) {
        if (!families.contains(family)) {
            // Another font would silently change every lettered picture.
            std::fprintf(stderr, "font %s is missing (Debian: fonts-ipafont-gothic)\n",
                         qPrintable(family));
            return 1;
        }
    }
    if (!QImageWriter::supportedImageFormats().contains("ico")) {
        std::fprintf(stderr, "Qt cannot write .ico files here (qtbase's ico plugin)\n");
        return 1;
    }

    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1])
                            : QStringLiteral(MIVESK_PICTURES_DIR));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(out.path()));
        return 1;
    }

    bool ok = true;
    for (const Picture& picture : Pictures) {
        const QString name = QString::fromLatin1(picture.name);
        ok &= write(render(picture, 1), out.filePath(name + ".png"), "png");
        ok &= write(render(picture, 2), out.filePath(name + "@2x.png"), "png");
    }
    for (const Mark& mark : Marks) {
        const QString name = QString::fromLatin1(mark.name);
        const DrawnMark drawn = drawMarkOverCells(mark);
        if (drawn.leastShare < VisibleShareWanted) {
            std::fprintf(stderr, "%s hides a dot: only %.0f%% of it shows\n", mark.name,
                         100 * drawn.leastShare);
            ok = false;
            continue;
        }
        std::printf("%s: at least %.0f%% of every dot shows\n", mark.name, 100 * drawn.leastShare);
        ok &= write(drawn.normal, out.filePath(name + ".png"), "png");
        ok &= write(drawn.doubled, out.filePath(name + "@2x.png"), "png");
    }
    ok &= write(render(Pictures[0], 1), out.filePath("app_icon.ico"), "ico");

    const QDir icons(out.filePath(QStringLiteral("icons")));
    if (!icons.exists() && !QDir().mkpath(icons.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(icons.path()));
        return 1;
    }
    for (const int size : IconSizes) {
        const QImage icon = render(QSize(size, size), 1,
                                   [size](QPainter& p) { drawAppIconAtSize(p, size, false); });
        ok &= write(icon, icons.filePath(QStringLiteral("app_icon_%1.png").arg(size)), "png");
    }
    ok &= writeScalableIcon(icons.filePath(QStringLiteral("app_icon.svg")));
    return ok ? 0 : 1;
}
