#include "motifs.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>

namespace gen {

namespace {
constexpr float kPi = 3.14159265f;

QPainterPath rotatedAround(const QPainterPath &path, QPointF c, float degrees) {
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotate(degrees);
    return t.map(path);
}
}  // namespace

void lantern(QPainter &p, QPointF top, float w, float h, float cord, Rng &rng) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const Rgb gold(236, 186, 84), goldDark(150, 96, 30);
    // Cord up to the top edge of the picture.
    p.setPen(QPen(gold.q(0.9f), 2.0));
    p.drawLine(QPointF(top.x(), top.y() - cord), top);

    const float capW = w * 0.42f, capH = h * 0.11f;
    const QPointF c(top.x(), top.y() + capH + h * 0.5f - h * 0.04f);

    // Warm light around the body.
    glow(p, c, w * 1.25f, Rgb(255, 120, 40), 0.28f);

    // Body: a lit paper sphere.
    QRadialGradient body(QPointF(c.x() - w * 0.12, c.y() - h * 0.12), w * 0.62);
    body.setColorAt(0.0, QColor(255, 190, 90));
    body.setColorAt(0.25, QColor(250, 90, 40));
    body.setColorAt(0.75, QColor(200, 20, 20));
    body.setColorAt(1.0, QColor(110, 0, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(c, w * 0.5, h * 0.5);

    // Ribs: meridians of the frame.
    p.setBrush(Qt::NoBrush);
    for (int k = 1; k <= 3; ++k) {
        const float rx = w * 0.5f * (1.0f - k * 0.25f);
        p.setPen(QPen(QColor(120, 10, 10, 120), std::max(1.0f, w * 0.012f)));
        p.drawEllipse(c, rx, h * 0.5);
    }
    p.setPen(QPen(QColor(120, 10, 10, 120), std::max(1.0f, w * 0.012f)));
    p.drawLine(QPointF(c.x(), c.y() - h * 0.5), QPointF(c.x(), c.y() + h * 0.5));

    // Gold caps at top and bottom.
    auto cap = [&](float y) {
        QLinearGradient g(0, y, 0, y + capH);
        g.setColorAt(0, gold.q());
        g.setColorAt(0.5, QColor(255, 226, 150));
        g.setColorAt(1, goldDark.q());
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(QRectF(c.x() - capW / 2, y, capW, capH), capH * 0.25, capH * 0.25);
    };
    cap(c.y() - h * 0.5f - capH * 0.55f);
    cap(c.y() + h * 0.5f - capH * 0.45f);

    // Tassel: knot and threads.
    const float ty = c.y() + h * 0.5f + capH * 0.55f;
    p.setBrush(gold.q());
    p.drawEllipse(QPointF(c.x(), ty + capH * 0.3), capH * 0.3, capH * 0.3);
    const float tl = h * (0.55f + 0.1f * float(rng.uni()));
    for (int i = 0; i < 13; ++i) {
        const float u = (i - 6) / 6.0f;
        p.setPen(QPen(i % 3 == 0 ? QColor(255, 215, 120, 230) : QColor(210, 30, 25, 235), std::max(1.0f, w * 0.014f)));
        p.drawLine(QPointF(c.x() + u * w * 0.05, ty + capH * 0.5), QPointF(c.x() + u * w * 0.11, ty + capH * 0.5 + tl));
    }
    p.restore();
}

void cloudCurl(QPainter &p, QPointF c, float size, bool mirror, const QColor &col, float pen) {
    QPainterPath path;
    const float dir = mirror ? -1.0f : 1.0f;
    const int steps = 90;
    for (int i = 0; i <= steps; ++i) {
        const float t = float(i) / steps;
        const float a = kPi * 0.5f + dir * t * 2.3f * kPi;
        const float r = size * (1.0f - 0.8f * t);
        const QPointF q(c.x() + std::cos(a) * r * dir, c.y() + std::sin(a) * r);
        if (i == 0)
            path.moveTo(q);
        else
            path.lineTo(q);
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(col, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.restore();
}

void auspiciousCloud(QPainter &p, QPointF c, float s, bool mirror, const QColor &col, float pen) {
    const float d = mirror ? -1.0f : 1.0f;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Lobed outline under the curls.
    QPainterPath base;
    base.moveTo(c.x() - d * s * 2.4f, c.y() + s * 0.9f);
    base.cubicTo(c.x() - d * s * 2.9f, c.y() + s * 0.2f, c.x() - d * s * 2.0f, c.y() - s * 0.5f, c.x() - d * s * 1.35f,
                 c.y() + s * 0.05f);
    base.cubicTo(c.x() - d * s * 1.4f, c.y() - s * 1.3f, c.x() + d * s * 0.2f, c.y() - s * 1.6f, c.x() + d * s * 0.55f,
                 c.y() - s * 0.55f);
    base.cubicTo(c.x() + d * s * 1.1f, c.y() - s * 1.3f, c.x() + d * s * 2.3f, c.y() - s * 0.8f, c.x() + d * s * 2.0f,
                 c.y() + s * 0.2f);
    base.cubicTo(c.x() + d * s * 2.6f, c.y() + s * 0.5f, c.x() + d * s * 2.4f, c.y() + s * 1.1f, c.x() + d * s * 1.6f,
                 c.y() + s * 0.95f);
    base.lineTo(c.x() - d * s * 2.4f, c.y() + s * 0.9f);
    QColor fill = col;
    fill.setAlphaF(col.alphaF() * 0.26);
    p.setBrush(fill);
    p.setPen(QPen(col, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(base);
    p.restore();
    cloudCurl(p, QPointF(c.x() - d * s * 0.45f, c.y() - s * 0.2f), s * 0.62f, mirror, col, pen);
    cloudCurl(p, QPointF(c.x() + d * s * 1.35f, c.y() - s * 0.05f), s * 0.45f, !mirror, col, pen);
    cloudCurl(p, QPointF(c.x() - d * s * 1.85f, c.y() + s * 0.4f), s * 0.32f, mirror, col, pen);
    // Trailing tail.
    QPainterPath tail;
    tail.moveTo(c.x() - d * s * 2.4f, c.y() + s * 0.9f);
    tail.cubicTo(c.x() - d * s * 3.2f, c.y() + s * 1.0f, c.x() - d * s * 3.6f, c.y() + s * 1.5f, c.x() - d * s * 4.4f,
                 c.y() + s * 1.35f);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(col, pen, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
    p.restore();
}

void firework(QImage &layer, QPointF c, float radius, const Rgb &col, Rng &rng) {
    QImage sparks = newLayer();
    {
        QPainter p(&sparks);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        const int rays = 70 + rng.below(30);
        for (int i = 0; i < rays; ++i) {
            const float a = 2 * kPi * (i + float(rng.uni()) * 0.6f) / rays;
            const float len = radius * float(rng.range(0.55, 1.0));
            const int dots = 14;
            for (int k = 1; k <= dots; ++k) {
                const float t = float(k) / dots;
                const float rr = len * std::sqrt(t);
                const QPointF q(c.x() + std::cos(a) * rr, c.y() + std::sin(a) * rr + radius * 0.12f * t * t);
                const float size = 0.9f + 2.2f * t;
                const float alpha = 0.25f + 0.75f * t;
                const Rgb cc = mix(Rgb(255, 250, 225), col, t);
                p.setBrush(cc.q(alpha));
                p.drawEllipse(q, size, size);
            }
            // Bright head.
            const QPointF tip(c.x() + std::cos(a) * len, c.y() + std::sin(a) * len + radius * 0.12f);
            sparkle(p, tip, 5.0f + 4.0f * float(rng.uni()), Rgb(255, 245, 200), 0.9f);
        }
    }
    QImage halo = blurred(sparks, radius * 0.06f);
    QPainter p(&layer);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.drawImage(0, 0, halo);
    p.drawImage(0, 0, halo);
    p.drawImage(0, 0, sparks);
    glow(p, c, radius * 0.5f, col, 0.25f);
}

void branch(QPainter &p, QPointF from, float angle, float len, float width, int depth, Rng &rng, const QColor &col,
            std::vector<QPointF> *tips) {
    if (depth <= 0 || len < 4) {
        if (tips) tips->push_back(from);
        return;
    }
    // A slightly crooked segment.
    const float bend = float(rng.range(-0.35, 0.35));
    const QPointF to(from.x() + std::cos(angle) * len, from.y() + std::sin(angle) * len);
    const QPointF mid(from.x() + std::cos(angle + bend) * len * 0.5f, from.y() + std::sin(angle + bend) * len * 0.5f);
    QPainterPath path(from);
    path.quadTo(mid, to);
    p.setPen(QPen(col, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    if (tips && depth <= 2) tips->push_back(mid);
    const int children = depth > 1 ? 1 + rng.below(2) + (rng.chance(0.25) ? 1 : 0) : 0;
    // Main continuation, then side shoots.
    branch(p, to, angle + float(rng.range(-0.3, 0.3)), len * float(rng.range(0.68, 0.85)), width * 0.72f, depth - 1, rng,
           col, tips);
    for (int i = 0; i < children; ++i) {
        const float side = (i % 2 == 0 ? 1.0f : -1.0f) * float(rng.range(0.45, 0.95));
        branch(p, to, angle + side, len * float(rng.range(0.45, 0.7)), width * 0.6f, depth - 1, rng, col, tips);
    }
    if (tips && depth == 1) tips->push_back(to);
}

void blossom(QPainter &p, QPointF c, float r, float rot, const Rgb &petalCol, const Rgb &heartCol, float alpha) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        const float a = rot + i * 2 * kPi / 5;
        const QPointF pc(c.x() + std::cos(a) * r * 0.5f, c.y() + std::sin(a) * r * 0.5f);
        QRadialGradient g(c, r * 1.05f);
        g.setColorAt(0.0, mix(petalCol, heartCol, 0.35f).q(alpha));
        g.setColorAt(0.45, petalCol.q(alpha));
        g.setColorAt(1.0, mix(petalCol, Rgb(255, 255, 255), 0.35f).q(alpha));
        p.setBrush(g);
        p.drawEllipse(pc, r * 0.52f, r * 0.52f);
    }
    // Stamens.
    p.setPen(QPen(heartCol.q(alpha * 0.9f), std::max(0.8f, r * 0.05f)));
    for (int i = 0; i < 9; ++i) {
        const float a = rot * 1.7f + i * 2 * kPi / 9;
        const QPointF e(c.x() + std::cos(a) * r * 0.42f, c.y() + std::sin(a) * r * 0.42f);
        p.drawLine(c, e);
        p.setBrush(Rgb(255, 220, 90).q(alpha));
        p.drawEllipse(e, r * 0.06f, r * 0.06f);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(heartCol.q(alpha));
    p.drawEllipse(c, r * 0.14f, r * 0.14f);
    p.restore();
}

void petal(QPainter &p, QPointF c, float len, float rot, const Rgb &col, float alpha) {
    const float L = len, Wd = len * 0.34f;
    QPainterPath path;
    path.moveTo(-L / 2, 0);
    path.cubicTo(-L / 4, -Wd, L / 2, -Wd * 1.1f, L / 2, -Wd * 0.28f);
    path.lineTo(L * 0.38f, 0);
    path.lineTo(L / 2, Wd * 0.28f);
    path.cubicTo(L / 2, Wd * 1.1f, -L / 4, Wd, -L / 2, 0);
    const QPainterPath placed = rotatedAround(path, c, rot);
    QRadialGradient g(c, L * 0.6f);
    g.setColorAt(0, mix(col, Rgb(255, 255, 255), 0.45f).q(alpha));
    g.setColorAt(1, col.q(alpha));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(placed);
    p.restore();
}

void heart(QPainter &p, QPointF c, float s, float rot, const QColor &col) {
    QPainterPath path;
    path.moveTo(0, s * 0.35f);
    path.cubicTo(-s * 0.1f, s * 0.2f, -s * 0.55f, 0, -s * 0.5f, -s * 0.25f);
    path.cubicTo(-s * 0.45f, -s * 0.55f, -s * 0.05f, -s * 0.55f, 0, -s * 0.25f);
    path.cubicTo(s * 0.05f, -s * 0.55f, s * 0.45f, -s * 0.55f, s * 0.5f, -s * 0.25f);
    path.cubicTo(s * 0.55f, 0, s * 0.1f, s * 0.2f, 0, s * 0.35f);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawPath(rotatedAround(path, c, rot));
    p.restore();
}

void sparkle(QPainter &p, QPointF c, float r, const Rgb &col, float alpha) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    glow(p, c, r * 1.2f, col, alpha * 0.5f);
    QPainterPath star;
    const float t = r * 0.14f;
    star.moveTo(c.x(), c.y() - r);
    star.quadTo(c.x() + t, c.y() - t, c.x() + r, c.y());
    star.quadTo(c.x() + t, c.y() + t, c.x(), c.y() + r);
    star.quadTo(c.x() - t, c.y() + t, c.x() - r, c.y());
    star.quadTo(c.x() - t, c.y() - t, c.x(), c.y() - r);
    p.setPen(Qt::NoPen);
    p.setBrush(mix(col, Rgb(255, 255, 255), 0.5f).q(alpha));
    p.drawPath(star);
    p.restore();
}

void cumulus(QImage &layer, QPointF base, float width, float height, Rng &rng, const Rgb &light, const Rgb &shadow) {
    struct Puff { QPointF c; float r; };
    std::vector<Puff> puffs;
    const int n = 14 + rng.below(8);
    for (int i = 0; i < n; ++i) {
        const float u = float(rng.uni());
        const float prof = std::pow(std::sin(kPi * (0.08f + 0.84f * u)), 0.8f);
        const float r = height * (0.16f + 0.34f * prof * float(rng.range(0.7, 1.1)));
        const float cy = base.y() - r * float(rng.range(0.35, 0.75)) - height * 0.42f * prof * float(rng.range(0.3, 1.0));
        puffs.push_back({QPointF(base.x() - width / 2 + width * u, cy), r});
    }
    QImage cloud = newLayer();
    {
        QPainter p(&cloud);
        p.setRenderHint(QPainter::Antialiasing);
        p.setClipRect(QRectF(0, 0, W, base.y() + height * 0.02f));
        p.setPen(Qt::NoPen);
        // Shadowed body first, lit tops over it.
        for (const Puff &f : puffs) {
            p.setBrush(shadow.q());
            p.drawEllipse(f.c, f.r, f.r * 0.92f);
        }
        for (const Puff &f : puffs) {
            const QPointF lc(f.c.x() - f.r * 0.15f, f.c.y() - f.r * 0.22f);
            QRadialGradient g(lc, f.r * 0.95f);
            g.setColorAt(0.0, light.q());
            g.setColorAt(0.55, light.q(0.95f));
            g.setColorAt(1.0, light.q(0.0f));
            p.setBrush(g);
            p.drawEllipse(lc, f.r * 0.9f, f.r * 0.84f);
        }
    }
    blur(cloud, std::max(2.0f, height * 0.045f));
    // Break up the outline and the flat fill with noise, like real vapour.
    const uint32_t seed = uint32_t(rng.next());
    for (int y = 0; y < cloud.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(cloud.scanLine(y));
        for (int x = 0; x < cloud.width(); ++x) {
            const int a = qAlpha(row[x]);
            if (a == 0) continue;
            const float n = fbm(coord(cloud, x) * 0.012f, coord(cloud, y) * 0.016f, seed, 5);
            const float af = a / 255.0f;
            const float keep = clamp01(smoothstep(0.0f, 0.75f, af + 0.9f * (n - 0.5f)) * 1.02f);
            const float tone = 0.9f + 0.16f * n;
            const int na = int(a * keep);
            auto ch = [&](int v, float t) { return std::min(na, int(v * t * keep)); };
            row[x] = qRgba(ch(qRed(row[x]), tone), ch(qGreen(row[x]), tone), ch(qBlue(row[x]), std::min(1.0f, tone * 1.02f)), na);
        }
    }
    QPainter p(&layer);
    p.drawImage(0, 0, cloud);
}

std::vector<float> ridge(uint32_t seed, float baseY, float amplitude, float scale, float sharp) {
    std::vector<float> y(W + 1);
    for (int x = 0; x <= W; ++x) {
        float n = fbm1(x * scale, seed, 7, 0.52f);
        if (sharp > 0) {
            const float r = 1.0f - std::fabs(2.0f * n - 1.0f);
            n = n * (1 - sharp) + r * sharp;
        }
        y[size_t(x)] = baseY - amplitude * (n - 0.5f) * 2.0f;
    }
    return y;
}

void dipCentre(std::vector<float> &y, float drop, float width) {
    for (size_t x = 0; x < y.size(); ++x) {
        const float u = (float(x) - W * 0.5f) / width;
        y[x] += drop * std::exp(-u * u);
    }
}

namespace {

// The crest height between two of a ridge's samples.
float ridgeAt(const std::vector<float> &ry, float x) {
    const int i = std::clamp(int(std::floor(x)), 0, int(ry.size()) - 1);
    const int j = std::min(i + 1, int(ry.size()) - 1);
    const float t = clamp01(x - float(i));
    return ry[size_t(i)] + (ry[size_t(j)] - ry[size_t(i)]) * t;
}

}  // namespace

void fillRidge(QImage &img, const std::vector<float> &ry, const Rgb &crest, const Rgb &low, float fadeDepth,
               float texture, uint32_t seed) {
    const float s = float(img.devicePixelRatio());
    for (int px = 0; px < img.width(); ++px) {
        const float x = coord(img, px);
        const float top = ridgeAt(ry, x);
        const int y0 = std::max(0, int(std::floor(top * s)));
        for (int py = y0; py < img.height(); ++py) {
            // Coverage of the pixel by the ground below the crest.
            const float cover = clamp01(float(py) + 1.0f - top * s);
            if (cover <= 0) continue;
            const float y = coord(img, py);
            const float depth = clamp01((y - top) / fadeDepth);
            Rgb c = mix(crest, low, depth);
            if (texture > 0) {
                const float n = fbm(x * 0.012f, y * 0.03f, seed, 4) - 0.5f;
                c = c * (1.0f + texture * n);
            }
            setPixel(img, px, py, mix(getPixel(img, px, py), c, cover));
        }
    }
}

void fillRidgeMist(QImage &img, const std::vector<float> &ry, const Rgb &top, const Rgb &bottom, float yTop, float yBottom) {
    const float s = float(img.devicePixelRatio());
    for (int px = 0; px < img.width(); ++px) {
        const float crest = ridgeAt(ry, coord(img, px));
        for (int py = std::max(0, int(std::floor(crest * s))); py < img.height(); ++py) {
            const float cover = clamp01(float(py) + 1.0f - crest * s);
            const Rgb c = mix(top, bottom, smoothstep(yTop, yBottom, coord(img, py)));
            setPixel(img, px, py, mix(getPixel(img, px, py), c, cover));
        }
    }
}

void pineTree(QPainter &p, QPointF base, float h, float w, const QColor &tree, const QColor &snow, Rng &rng) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 45, 35));
    p.drawRect(QRectF(base.x() - w * 0.05f, base.y() - h * 0.12f, w * 0.1f, h * 0.12f));
    const int tiers = 5;
    for (int i = 0; i < tiers; ++i) {
        const float t0 = float(i) / tiers;
        const float yb = base.y() - h * 0.08f - h * 0.88f * t0 * 0.92f;
        const float yt = yb - h * 0.34f;
        const float half = w * 0.5f * (1.0f - t0 * 0.78f);
        QPainterPath tier;
        tier.moveTo(base.x(), std::max(float(base.y() - h), yt));
        const int teeth = 5;
        tier.lineTo(base.x() - half, yb);
        for (int k = 1; k <= teeth; ++k) {
            const float x = base.x() - half + 2 * half * k / teeth;
            tier.lineTo(x - half / teeth, yb - h * 0.03f * float(rng.range(0.5, 1.2)));
            tier.lineTo(x, yb + h * 0.01f * float(rng.range(-1, 1)));
        }
        tier.closeSubpath();
        p.setBrush(tree);
        p.drawPath(tier);
        // Snow resting on the tier.
        QPainterPath cap;
        cap.moveTo(base.x(), std::max(float(base.y() - h), yt) + 2);
        cap.lineTo(base.x() - half * 0.9f, yb - h * 0.02f);
        cap.quadTo(base.x() - half * 0.3f, yb - h * 0.09f, base.x(), yb - h * 0.13f);
        cap.quadTo(base.x() + half * 0.35f, yb - h * 0.08f, base.x() + half * 0.85f, yb - h * 0.04f);
        cap.closeSubpath();
        p.setBrush(snow);
        p.drawPath(cap);
    }
    p.restore();
}

namespace {
void twig(QPainter &p, QPointF from, float angle, float len, float width, int depth, const QColor &col, Rng &rng,
          const QColor *snow) {
    if (depth <= 0 || len < 3) return;
    const QPointF to(from.x() + std::cos(angle) * len, from.y() + std::sin(angle) * len);
    p.setPen(QPen(col, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    // Snow lies only on the upper side of branches that are not too steep.
    if (snow && width > 3.0f && std::fabs(std::sin(angle)) < 0.75f) {
        p.setPen(QPen(*snow, width * 0.4f, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(from - QPointF(0, width * 0.45f), to - QPointF(0, width * 0.45f));
    }
    const int kids = 2 + (rng.chance(0.35) ? 1 : 0);
    for (int i = 0; i < kids; ++i) {
        const float spread = float(rng.range(0.25, 0.7)) * (i % 2 == 0 ? 1.0f : -1.0f);
        twig(p, to, angle + spread, len * float(rng.range(0.62, 0.8)), width * 0.68f, depth - 1, col, rng, snow);
    }
}
}  // namespace

void bareTree(QPainter &p, QPointF base, float h, const QColor &col, Rng &rng, const QColor *snow) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    twig(p, base, -kPi / 2 + float(rng.range(-0.08, 0.08)), h * 0.32f, h * 0.045f, 7, col, rng, snow);
    p.restore();
}

void snowCrystal(QPainter &p, QPointF c, float r, float rot, const QColor &col, float pen) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(col, pen, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 6; ++i) {
        const float a = rot + i * kPi / 3;
        const QPointF dir(std::cos(a), std::sin(a));
        p.drawLine(c, c + dir * r);
        for (int k = 1; k <= 3; ++k) {
            const float at = r * (0.3f + 0.2f * k);
            const float bl = r * (0.36f - 0.08f * k);
            const QPointF q = c + dir * at;
            for (float s : {-1.0f, 1.0f}) {
                const float b = a + s * kPi / 3;
                p.drawLine(q, q + QPointF(std::cos(b), std::sin(b)) * bl);
            }
        }
    }
    p.restore();
}

void grassBlades(QPainter &p, float yTop, float yBottom, int count, const Rgb &dark, const Rgb &light, Rng &rng,
                 float maxH, float xMin, float xMax) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const float depth = float(rng.uni());
        const float y = yTop + (yBottom - yTop) * depth;
        const float x = float(rng.range(xMin, xMax));
        const float hgt = maxH * (0.35f + 0.65f * depth) * float(rng.range(0.5, 1.0));
        const float lean = float(rng.range(-0.45, 0.45)) * hgt;
        const float bw = (1.5f + 3.5f * depth) * float(rng.range(0.7, 1.2));
        QPainterPath blade;
        blade.moveTo(x - bw / 2, y);
        blade.quadTo(x - bw * 0.2f, y - hgt * 0.6f, x + lean, y - hgt);
        blade.quadTo(x + bw * 0.3f, y - hgt * 0.55f, x + bw / 2, y);
        blade.closeSubpath();
        p.setBrush(mix(dark, light, float(rng.range(0.0, 1.0)) * (0.4f + 0.6f * depth)).q());
        p.drawPath(blade);
    }
    p.restore();
}

void leafyTree(QImage &img, QPointF base, float h, const Rgb &leaf, const Rgb &trunk, Rng &rng) {
    QImage layer = newLayer();
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(trunk.q());
        QPainterPath t;
        t.moveTo(base.x() - h * 0.045f, base.y());
        t.quadTo(base.x() - h * 0.02f, base.y() - h * 0.3f, base.x() - h * 0.015f, base.y() - h * 0.55f);
        t.lineTo(base.x() + h * 0.015f, base.y() - h * 0.55f);
        t.quadTo(base.x() + h * 0.02f, base.y() - h * 0.3f, base.x() + h * 0.045f, base.y());
        t.closeSubpath();
        p.drawPath(t);
        const QPointF crown(base.x(), base.y() - h * 0.62f);
        const float rx = h * 0.42f, ry = h * 0.36f;
        for (int i = 0; i < 220; ++i) {
            const float a = float(rng.range(0, 2 * kPi));
            const float d = std::sqrt(float(rng.uni()));
            const QPointF c(crown.x() + std::cos(a) * rx * d, crown.y() + std::sin(a) * ry * d);
            const float light = clamp01(0.5f - float((c.y() - crown.y()) / ry) * 0.35f - float((c.x() - crown.x()) / rx) * 0.2f +
                                         float(rng.range(-0.15, 0.15)));
            const float r = h * float(rng.range(0.05, 0.11));
            p.setBrush(mix(leaf * 0.55f, mix(leaf, Rgb(230, 240, 150), 0.3f), light).q());
            p.drawEllipse(c, r, r * 0.9f);
        }
    }
    blur(layer, 1.2f);
    QPainter p(&img);
    p.drawImage(0, 0, layer);
}

void bird(QPainter &p, QPointF c, float span, const QColor &col) {
    QPainterPath path;
    path.moveTo(c.x() - span / 2, c.y() - span * 0.1f);
    path.quadTo(c.x() - span * 0.25f, c.y() - span * 0.28f, c.x(), c.y());
    path.quadTo(c.x() + span * 0.25f, c.y() - span * 0.28f, c.x() + span / 2, c.y() - span * 0.12f);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(col, std::max(1.2f, span * 0.06f), Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
    p.restore();
}

}  // namespace gen
