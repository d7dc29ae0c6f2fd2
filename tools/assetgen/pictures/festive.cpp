// Festive red, fresh blue and pink themes, the built-in background and the
// results window backgrounds.
#include "motifs.h"
#include "scenes.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace gen {

namespace {
constexpr float kPi = 3.14159265f;

// Radial base colour with a faint silk-like mottling.
QImage radialBase(const Rgb &centre, const Rgb &edge, QPointF focus, float reach, uint32_t seed, float mottle) {
    QImage img = newCanvas();
    shade(img, [&](float x, float y) {
        const float dx = (x - focus.x()) / W, dy = (y - focus.y()) / H * 0.75f;
        const float d = clamp01(std::sqrt(dx * dx + dy * dy) / reach);
        Rgb c = mix(centre, edge, smoothstep(0, 1, d));
        const float n = fbm(x * 0.004f, y * 0.012f, seed, 5) - 0.5f;
        return c * (1.0f + mottle * n);
    });
    return img;
}

// Scattered soft lights, denser toward the edges of the picture.
void bokehField(QImage &img, int count, const Rgb &col, float rMin, float rMax, float alpha, uint32_t seed,
                float edgeBias = 1.0f, float blurRadius = 2.0f) {
    Rng rng(seed);
    QImage layer = newLayer();
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        int placed = 0, tries = 0;
        while (placed < count && tries < count * 60) {
            ++tries;
            const float x = float(rng.range(0, W)), y = float(rng.range(0, H));
            const float keep = 1.0f - textWeight(x, y) * edgeBias;
            if (!rng.chance(std::max(0.03f, keep))) continue;
            const float r = float(rng.range(rMin, rMax));
            const Rgb c = mix(col, Rgb(255, 255, 255), float(rng.range(0, 0.35)));
            bokeh(p, QPointF(x, y), r, c, alpha * float(rng.range(0.35, 1.0)));
            ++placed;
        }
    }
    blur(layer, blurRadius);
    composite(img, layer, QPainter::CompositionMode_Screen);
}

// Gold dust: fine bright points with small glows.
void goldDust(QImage &img, int count, uint32_t seed, float edgeBias, const Rgb &col = Rgb(255, 214, 120)) {
    Rng rng(seed);
    QImage layer = newLayer();
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        int placed = 0, tries = 0;
        while (placed < count && tries < count * 60) {
            ++tries;
            const float x = float(rng.range(0, W)), y = float(rng.range(0, H));
            if (!rng.chance(std::max(0.02f, 1.0f - textWeight(x, y) * edgeBias))) continue;
            const float r = float(rng.range(0.8, 2.6));
            p.setBrush(col.q(float(rng.range(0.4, 1.0))));
            p.drawEllipse(QPointF(x, y), r, r);
            if (rng.chance(0.06)) sparkle(p, QPointF(x, y), float(rng.range(6, 14)), col, 0.8f);
            ++placed;
        }
    }
    QImage halo = blurred(layer, 4);
    composite(img, halo, QPainter::CompositionMode_Plus);
    composite(img, layer, QPainter::CompositionMode_Screen);
}

// A band of the squared meander ("key") border used on festive prints.
void keyBand(QPainter &p, float y, float h, float x0, float x1, const QColor &col, float pen) {
    const float u = h;  // one unit of the pattern
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(col, pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    for (float x = x0; x + u <= x1; x += u * 1.25f) {
        QPainterPath m;
        m.moveTo(x, y + h);
        m.lineTo(x, y);
        m.lineTo(x + u, y);
        m.lineTo(x + u, y + h * 0.75f);
        m.lineTo(x + u * 0.25f, y + h * 0.75f);
        m.lineTo(x + u * 0.25f, y + h * 0.25f);
        m.lineTo(x + u * 0.75f, y + h * 0.25f);
        m.lineTo(x + u * 0.75f, y + h * 0.5f);
        m.lineTo(x + u * 0.5f, y + h * 0.5f);
        p.drawPath(m);
        p.drawLine(QPointF(x, y + h), QPointF(x + u * 1.25f, y + h));
    }
    p.restore();
}

QColor goldPen(float alpha) { return Rgb(232, 186, 96).q(alpha); }

void goldFrame(QImage &img, float inset, float alpha) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(goldPen(alpha), 3));
    p.drawRect(QRectF(inset, inset, W - 2 * inset, H - 2 * inset));
    p.setPen(QPen(goldPen(alpha * 0.7f), 1.2));
    p.drawRect(QRectF(inset + 10, inset + 10, W - 2 * inset - 20, H - 2 * inset - 20));
    // Corner brackets.
    p.setPen(QPen(goldPen(alpha), 3));
    const float b = 70;
    for (int cx = 0; cx < 2; ++cx)
        for (int cy = 0; cy < 2; ++cy) {
            const float x = cx ? W - inset - 20 : inset + 20, y = cy ? H - inset - 20 : inset + 20;
            const float sx = cx ? -1 : 1, sy = cy ? -1 : 1;
            QPainterPath l;
            l.moveTo(x, y + sy * b);
            l.lineTo(x, y);
            l.lineTo(x + sx * b, y);
            p.drawPath(l);
            p.drawRect(QRectF(x + sx * 8 - 4, y + sy * 8 - 4, 8, 8));
        }
}

// Silk ribbon: a band between two wavy curves with a shaded gradient.
void ribbon(QImage &img, const std::function<float(float)> &centre, float thick, float x0, float x1, const Rgb &a,
            const Rgb &b, float alpha, uint32_t seed) {
    QImage layer = newLayer();
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        const int lines = 26;
        for (int k = 0; k < lines; ++k) {
            const float t = float(k) / (lines - 1);
            QPainterPath path;
            for (float x = x0; x <= x1; x += 8) {
                const float twist = std::sin(x * 0.0035f + seed) * 0.5f + 0.5f;
                const float y = centre(x) + (t - 0.5f) * thick * (0.35f + 0.65f * twist);
                if (x == x0)
                    path.moveTo(x, y);
                else
                    path.lineTo(x, y);
            }
            const Rgb c = mix(a, b, std::fabs(t - 0.5f) * 2.0f);
            p.setPen(QPen(c.q(alpha * (0.35f + 0.65f * (1.0f - std::fabs(t - 0.5f) * 2.0f))), 2.2));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
        }
    }
    blur(layer, 1.6f);
    composite(img, layer, QPainter::CompositionMode_Screen);
}

void finish(QImage &img, uint32_t seed, float amount = 2.2f) { grain(img, amount, seed); }

}  // namespace

QImage builtinBackground() {
    QImage img = radialBase(Rgb(128, 12, 20), Rgb(38, 0, 6), QPointF(W / 2, H * 0.45f), 0.85f, 11, 0.10f);
    // Faint lattice of diamonds toward the edges, like a brocade ground.
    {
        QImage layer = newLayer();
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        const float s = 48;
        for (float y = 0; y < H + s; y += s)
            for (float x = 0; x < W + s; x += s) {
                const float cx = x + ((int(y / s) % 2) ? s / 2 : 0);
                const float e = smoothstep(0.35f, 0.95f, edgeness(cx, y));
                if (e <= 0.01f) continue;
                QPainterPath d;
                d.moveTo(cx, y - 9);
                d.lineTo(cx + 9, y);
                d.lineTo(cx, y + 9);
                d.lineTo(cx - 9, y);
                d.closeSubpath();
                p.setPen(QPen(goldPen(0.12f * e), 1.2));
                p.setBrush(Qt::NoBrush);
                p.drawPath(d);
            }
        p.end();
        composite(img, layer);
    }
    goldFrame(img, 26, 0.75f);
    {
        QPainter p(&img);
        const QColor c = goldPen(0.8f);
        auspiciousCloud(p, QPointF(190, 150), 34, false, c, 3.2f);
        auspiciousCloud(p, QPointF(W - 190, 150), 34, true, c, 3.2f);
        auspiciousCloud(p, QPointF(230, H - 150), 44, true, c, 3.6f);
        auspiciousCloud(p, QPointF(W - 230, H - 150), 44, false, c, 3.6f);
    }
    bokehField(img, 40, Rgb(255, 170, 70), 10, 46, 0.22f, 12, 1.0f, 3);
    goldDust(img, 260, 13, 1.0f);
    vignette(img, 0.45f, Rgb(10, 0, 0), 0.6f, 1.3f);
    finish(img, 14);
    return img;
}

QImage festiveRed(int v) {
    QImage img;
    switch (v) {
    case 1: {  // Hanging lanterns and warm lights.
        img = radialBase(Rgb(190, 24, 24), Rgb(92, 0, 8), QPointF(W / 2, H * 0.4f), 0.9f, 101, 0.08f);
        bokehField(img, 70, Rgb(255, 160, 60), 14, 60, 0.30f, 102, 1.0f, 3);
        goldDust(img, 200, 103, 1.0f);
        Rng rng(104);
        QPainter p(&img);
        lantern(p, QPointF(150, 110), 150, 130, 110, rng);
        lantern(p, QPointF(335, 60), 108, 94, 60, rng);
        lantern(p, QPointF(W - 150, 110), 150, 130, 110, rng);
        lantern(p, QPointF(W - 335, 60), 108, 94, 60, rng);
        p.end();
        // Glowing horizon of lights along the bottom.
        {
            QImage layer = newLayer();
            QPainter q(&layer);
            QLinearGradient g(0, H * 0.78, 0, H);
            g.setColorAt(0, Rgb(255, 150, 50).q(0));
            g.setColorAt(1, Rgb(255, 150, 50).q(0.35f));
            q.fillRect(QRectF(0, H * 0.78, W, H * 0.22), g);
            q.end();
            composite(img, layer, QPainter::CompositionMode_Screen);
        }
        vignette(img, 0.35f, Rgb(30, 0, 0));
        break;
    }
    case 2: {  // Auspicious clouds and key borders in gold.
        img = radialBase(Rgb(176, 18, 26), Rgb(100, 4, 12), QPointF(W / 2, H * 0.5f), 0.8f, 201, 0.12f);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        keyBand(p, 10, 22, 14, W - 14, goldPen(0.55f), 2.4f);
        keyBand(p, H - 34, 22, 14, W - 14, goldPen(0.55f), 2.4f);
        const QColor c = goldPen(0.85f);
        auspiciousCloud(p, QPointF(210, H - 190), 62, false, c, 4.5f);
        auspiciousCloud(p, QPointF(470, H - 110), 38, true, c, 3.5f);
        auspiciousCloud(p, QPointF(W - 210, H - 190), 62, true, c, 4.5f);
        auspiciousCloud(p, QPointF(W - 470, H - 110), 38, false, c, 3.5f);
        auspiciousCloud(p, QPointF(170, 190), 40, true, goldPen(0.6f), 3.2f);
        auspiciousCloud(p, QPointF(W - 170, 190), 40, false, goldPen(0.6f), 3.2f);
        p.end();
        goldDust(img, 120, 202, 1.0f);
        vignette(img, 0.4f, Rgb(40, 0, 0));
        break;
    }
    case 3: {  // Gold fireworks over a deep red night.
        img = radialBase(Rgb(120, 6, 18), Rgb(40, 0, 8), QPointF(W / 2, H * 0.55f), 0.85f, 301, 0.1f);
        QImage layer = newLayer();
        Rng rng(302);
        firework(layer, QPointF(300, 230), 210, Rgb(255, 190, 70), rng);
        firework(layer, QPointF(W - 290, 200), 180, Rgb(255, 120, 80), rng);
        firework(layer, QPointF(W - 120, 640), 120, Rgb(255, 210, 110), rng);
        firework(layer, QPointF(110, 700), 100, Rgb(255, 160, 120), rng);
        composite(img, layer, QPainter::CompositionMode_Screen);
        goldDust(img, 300, 303, 1.0f);
        {
            // Glittering crowd of lights along the bottom edge.
            QImage glowLayer = newLayer();
            QPainter q(&glowLayer);
            QLinearGradient g(0, H * 0.82, 0, H);
            g.setColorAt(0, Rgb(255, 120, 40).q(0));
            g.setColorAt(1, Rgb(255, 120, 40).q(0.3f));
            q.fillRect(QRectF(0, H * 0.82, W, H * 0.18), g);
            q.end();
            composite(img, glowLayer, QPainter::CompositionMode_Screen);
        }
        bokehField(img, 40, Rgb(255, 180, 80), 8, 30, 0.25f, 304, 1.0f, 2.5f);
        break;
    }
    case 4: {  // Plum blossom branches.
        img = radialBase(Rgb(200, 40, 36), Rgb(120, 8, 16), QPointF(W * 0.55f, H * 0.45f), 0.9f, 401, 0.09f);
        bokehField(img, 50, Rgb(255, 190, 150), 12, 50, 0.18f, 402, 1.0f, 4);
        Rng rng(403);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor wood(52, 16, 14);
        std::vector<QPointF> tips;
        branch(p, QPointF(-20, 40), 0.28f, 190, 22, 6, rng, wood, &tips);
        branch(p, QPointF(-20, 260), -0.15f, 150, 16, 5, rng, wood, &tips);
        branch(p, QPointF(W + 20, H - 60), kPi + 0.32f, 200, 24, 6, rng, wood, &tips);
        branch(p, QPointF(W + 20, H - 300), kPi - 0.1f, 130, 14, 5, rng, wood, &tips);
        for (const QPointF &t : tips)
            for (int k = 0; k < 2; ++k) {
            if (textWeight(float(t.x()), float(t.y())) > 0.55f) continue;
            const bool white = rng.chance(0.35);
            const Rgb petalCol = white ? Rgb(255, 236, 228) : Rgb(255, 120, 150);
            blossom(p, t + QPointF(rng.range(-12, 12), rng.range(-12, 12)), float(rng.range(10, 19)), float(rng.range(0, 6.28)),
                    petalCol, Rgb(170, 20, 50));
            if (rng.chance(0.5)) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(255, 170, 190));
                p.drawEllipse(t + QPointF(rng.range(-16, 16), rng.range(-16, 16)), 4.5, 4.5);
            }
        }
        p.end();
        goldDust(img, 160, 404, 1.0f);
        vignette(img, 0.35f, Rgb(50, 0, 0));
        break;
    }
    default: {  // Sweeping gold silk ribbons.
        img = radialBase(Rgb(196, 26, 30), Rgb(96, 0, 14), QPointF(W * 0.45f, H * 0.4f), 0.9f, 501, 0.08f);
        ribbon(img, [](float x) { return H * 0.93f - 140.0f * std::sin(x / W * kPi * 1.1f + 0.2f) + x * 0.02f; }, 120, -20,
               W + 20, Rgb(255, 210, 110), Rgb(200, 90, 30), 0.55f, 3);
        ribbon(img, [](float x) { return H * 0.99f - 90.0f * std::sin(x / W * kPi * 1.6f + 1.0f); }, 70, -20, W + 20,
               Rgb(255, 235, 170), Rgb(220, 120, 40), 0.4f, 7);
        ribbon(img, [](float x) { return -30.0f + 150.0f * std::exp(-(x - W) * (x - W) / (2 * 380.0f * 380.0f)) + (W - x) * -0.02f; },
               80, W * 0.55f, W + 20, Rgb(255, 215, 120), Rgb(210, 100, 40), 0.45f, 11);
        ribbon(img, [](float x) { return 130.0f * std::exp(-x * x / (2 * 260.0f * 260.0f)) - 20.0f; }, 60, -20, W * 0.35f,
               Rgb(255, 215, 120), Rgb(210, 100, 40), 0.35f, 13);
        bokehField(img, 60, Rgb(255, 180, 70), 10, 40, 0.25f, 502, 1.0f, 3);
        goldDust(img, 220, 503, 1.0f);
        vignette(img, 0.3f, Rgb(40, 0, 0));
        break;
    }
    }
    finish(img, 900 + uint32_t(v));
    return img;
}

QImage freshBlue(int v) {
    QImage img = newCanvas();
    if (v == 1) {  // Azure with floating bubbles and light beams.
        const Ramp sky{{{0.0f, Rgb(8, 70, 150)}, {0.5f, Rgb(16, 96, 176)}, {1.0f, Rgb(6, 46, 112)}}};
        shade(img, [&](float x, float y) {
            const float n = fbm(x * 0.003f, y * 0.004f, 601, 4) - 0.5f;
            return sky.at(y / H + 0.05f * n) * (1.0f + 0.05f * n) + Rgb(0, 10, 10) * (x / W);
        });
        {
            // Beams from the upper left.
            QImage layer = newLayer();
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            Rng rng(602);
            for (int i = 0; i < 6; ++i) {
                const float a = float(rng.range(0.35, 0.95));
                const float wdt = float(rng.range(0.02, 0.06));
                QPainterPath beam;
                beam.moveTo(-60, -60);
                beam.lineTo(std::cos(a - wdt) * 2600, std::sin(a - wdt) * 2600);
                beam.lineTo(std::cos(a + wdt) * 2600, std::sin(a + wdt) * 2600);
                beam.closeSubpath();
                QRadialGradient g(QPointF(-60, -60), 1700);
                g.setColorAt(0, Rgb(190, 235, 255).q(0.22f));
                g.setColorAt(1, Rgb(190, 235, 255).q(0));
                p.setPen(Qt::NoPen);
                p.setBrush(g);
                p.drawPath(beam);
            }
            p.end();
            blur(layer, 10);
            composite(img, layer, QPainter::CompositionMode_Screen);
        }
        {
            QImage layer = newLayer();
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            Rng rng(603);
            for (int i = 0; i < 70; ++i) {
                const float x = float(rng.range(0, W)), y = float(rng.range(0, H));
                if (!rng.chance(std::max(0.05f, 1.0f - textWeight(x, y)))) continue;
                const float r = float(rng.range(8, 70));
                QRadialGradient g(QPointF(x - r * 0.3, y - r * 0.3), r * 1.3);
                g.setColorAt(0, Rgb(220, 245, 255).q(0.25f));
                g.setColorAt(0.7, Rgb(150, 220, 255).q(0.06f));
                g.setColorAt(1, Rgb(150, 220, 255).q(0.18f));
                p.setBrush(g);
                p.setPen(QPen(Rgb(200, 240, 255).q(0.35f), 1.5));
                p.drawEllipse(QPointF(x, y), r, r);
                p.setPen(Qt::NoPen);
                p.setBrush(Rgb(255, 255, 255).q(0.5f));
                p.drawEllipse(QPointF(x - r * 0.45, y - r * 0.45), r * 0.14, r * 0.09);
            }
            p.end();
            composite(img, layer, QPainter::CompositionMode_Screen);
        }
        // Shallow light waves along the bottom.
        ribbon(img, [](float x) { return H * 0.92f + 50.0f * std::sin(x / W * kPi * 2.2f); }, 90, -20, W + 20,
               Rgb(120, 220, 255), Rgb(40, 140, 220), 0.45f, 17);
        vignette(img, 0.35f, Rgb(0, 10, 40));
    } else {  // Teal with layered flowing waves.
        const Ramp sky{{{0.0f, Rgb(0, 104, 140)}, {0.55f, Rgb(0, 84, 128)}, {1.0f, Rgb(0, 50, 96)}}};
        shade(img, [&](float x, float y) {
            const float n = fbm(x * 0.002f, y * 0.003f, 701, 4) - 0.5f;
            return sky.at(y / H + 0.08f * n) + Rgb(0, 12, 0) * (1.0f - x / W);
        });
        // Layered soft waves at the bottom, lighter at the back.
        for (int k = 0; k < 5; ++k) {
            QImage layer = newLayer();
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            const float base = H * (0.80f + 0.045f * k);
            QPainterPath wave;
            wave.moveTo(0, H);
            for (float x = 0; x <= W; x += 6) {
                const float y = base + 38.0f * std::sin(x / W * kPi * (1.6f + 0.3f * k) + k * 1.7f) +
                                16.0f * std::sin(x / W * kPi * 5.0f + k);
                wave.lineTo(x, y);
            }
            wave.lineTo(W, H);
            wave.closeSubpath();
            QLinearGradient g(0, base - 40, 0, H);
            g.setColorAt(0, mix(Rgb(120, 230, 230), Rgb(10, 120, 170), k / 4.0f).q(0.55f));
            g.setColorAt(1, mix(Rgb(40, 160, 200), Rgb(0, 60, 110), k / 4.0f).q(0.75f));
            p.setPen(QPen(Rgb(200, 255, 250).q(0.5f), 2));
            p.setBrush(g);
            p.drawPath(wave);
            p.end();
            composite(img, layer);
        }
        // Translucent circles at the upper right and left.
        {
            QImage layer = newLayer();
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            const struct { float x, y, r, a; } rings[] = {{W - 120, 90, 260, 0.10f}, {W - 330, 40, 150, 0.08f},
                                                          {W - 80, 380, 120, 0.08f}, {90, 120, 170, 0.08f},
                                                          {260, 30, 90, 0.07f}};
            for (const auto &r : rings) {
                p.setBrush(Rgb(170, 255, 240).q(r.a));
                p.drawEllipse(QPointF(r.x, r.y), r.r, r.r);
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(Rgb(200, 255, 245).q(r.a * 2.2f), 2));
                p.drawEllipse(QPointF(r.x, r.y), r.r * 1.08f, r.r * 1.08f);
                p.setPen(Qt::NoPen);
            }
            p.end();
            blur(layer, 2);
            composite(img, layer, QPainter::CompositionMode_Screen);
        }
        bokehField(img, 40, Rgb(150, 240, 230), 4, 16, 0.35f, 702, 1.0f, 1.5f);
        vignette(img, 0.3f, Rgb(0, 20, 40));
    }
    finish(img, 910 + uint32_t(v));
    return img;
}

QImage prettyPink(int v) {
    QImage img = newCanvas();
    if (v == 1) {  // Pastel pink with bokeh and drifting petals; the texts are blue here.
        img = radialBase(Rgb(252, 222, 234), Rgb(236, 150, 186), QPointF(W / 2, H * 0.45f), 0.8f, 801, 0.05f);
        bokehField(img, 80, Rgb(255, 240, 248), 16, 80, 0.45f, 802, 1.0f, 4);
        Rng rng(803);
        QImage layer = newLayer();
        {
            QPainter p(&layer);
            for (int i = 0; i < 140; ++i) {
                const float x = float(rng.range(0, W)), y = float(rng.range(0, H));
                if (!rng.chance(std::max(0.04f, 1.0f - 1.1f * textWeight(x, y)))) continue;
                petal(p, QPointF(x, y), float(rng.range(14, 34)), float(rng.range(0, 360)),
                      mix(Rgb(248, 150, 185), Rgb(255, 200, 220), float(rng.uni())), float(rng.range(0.55, 0.95)));
            }
        }
        blur(layer, 0.8f);
        composite(img, layer);
        veil(img, Rgb(253, 232, 241), 0.35f);
    } else if (v == 2) {  // Pale blush with cherry blossom branches; red texts.
        img = radialBase(Rgb(255, 244, 247), Rgb(246, 196, 212), QPointF(W * 0.55f, H * 0.5f), 0.85f, 811, 0.04f);
        Rng rng(812);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor wood(92, 58, 56);
        std::vector<QPointF> tips;
        branch(p, QPointF(-30, 30), 0.32f, 200, 20, 6, rng, wood, &tips);
        branch(p, QPointF(W + 30, H + 10), kPi + 0.45f, 190, 22, 6, rng, wood, &tips);
        for (const QPointF &t : tips) {
            if (textWeight(float(t.x()), float(t.y())) > 0.5f) continue;
            for (int k = 0; k < 2; ++k)
                blossom(p, t + QPointF(rng.range(-14, 14), rng.range(-14, 14)), float(rng.range(11, 20)),
                        float(rng.range(0, 6.28)), mix(Rgb(250, 170, 195), Rgb(255, 225, 235), float(rng.uni())),
                        Rgb(215, 70, 110));
        }
        p.end();
        QImage layer = newLayer();
        {
            QPainter q(&layer);
            for (int i = 0; i < 90; ++i) {
                const float x = float(rng.range(0, W)), y = float(rng.range(0, H));
                if (!rng.chance(std::max(0.03f, 1.0f - 1.2f * textWeight(x, y)))) continue;
                petal(q, QPointF(x, y), float(rng.range(12, 26)), float(rng.range(0, 360)), Rgb(248, 165, 192),
                      float(rng.range(0.5, 0.9)));
            }
        }
        composite(img, layer);
        veil(img, Rgb(255, 246, 249), 0.3f);
    } else {  // Pink and lilac with hearts and flowing ribbons; red texts.
        img = newCanvas();
        shade(img, [&](float x, float y) {
            const float t = x / W * 0.6f + y / H * 0.4f;
            const Rgb a(255, 226, 238), b(240, 222, 250);
            const float n = fbm(x * 0.003f, y * 0.003f, 821, 4) - 0.5f;
            return mix(a, b, t) * (1.0f + 0.04f * n);
        });
        {
            QImage layer = newLayer();
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            for (int k = 0; k < 4; ++k) {
                QPainterPath wave;
                const float base = H * (0.84f + 0.04f * k);
                wave.moveTo(0, H);
                for (float x = 0; x <= W; x += 6)
                    wave.lineTo(x, base + 45.0f * std::sin(x / W * kPi * (1.3f + 0.25f * k) + k * 2.1f));
                wave.lineTo(W, H);
                wave.closeSubpath();
                p.setPen(Qt::NoPen);
                p.setBrush(mix(Rgb(246, 150, 196), Rgb(196, 136, 222), k / 3.0f).q(0.42f));
                p.drawPath(wave);
            }
        }
        Rng rng(822);
        {
            QImage layer = newLayer();
            QPainter p(&layer);
            for (int i = 0; i < 260; ++i) {
                const float x = float(rng.range(0, W)), y = float(rng.range(0, H));
                if (!rng.chance(std::max(0.02f, 1.0f - 1.15f * textWeight(x, y)))) continue;
                const Rgb c = mix(Rgb(245, 110, 165), Rgb(196, 130, 228), float(rng.uni()));
                heart(p, QPointF(x, y), float(rng.range(16, 70)), float(rng.range(-25, 25)), c.q(float(rng.range(0.3, 0.75))));
            }
            p.end();
            blur(layer, 1.0f);
            composite(img, layer);
        }
        bokehField(img, 90, Rgb(255, 255, 255), 10, 60, 0.6f, 823, 1.0f, 3);
        ribbon(img, [](float x) { return 120.0f * std::exp(-x * x / (2 * 300.0f * 300.0f)) + 10.0f; }, 70, -20, W * 0.4f,
               Rgb(255, 255, 255), Rgb(250, 190, 220), 0.6f, 29);
        ribbon(img, [](float x) { return 130.0f * std::exp(-(x - W) * (x - W) / (2 * 320.0f * 320.0f)) + 6.0f; }, 70, W * 0.6f,
               W + 20, Rgb(255, 255, 255), Rgb(230, 190, 245), 0.6f, 31);
        veil(img, Rgb(255, 240, 246), 0.35f);
    }
    finish(img, 920 + uint32_t(v), 1.8f);
    return img;
}

QImage resultsRed() {
    QImage img = radialBase(Rgb(170, 14, 20), Rgb(70, 0, 6), QPointF(W / 2, H * 0.35f), 0.9f, 1001, 0.1f);
    {
        // A soft diagonal sheen.
        QImage layer = newLayer();
        QPainter p(&layer);
        QLinearGradient g(0, 0, W, H);
        g.setColorAt(0.0, Rgb(255, 120, 80).q(0.0f));
        g.setColorAt(0.35, Rgb(255, 120, 80).q(0.12f));
        g.setColorAt(0.5, Rgb(255, 120, 80).q(0.0f));
        p.fillRect(img.rect(), g);
        p.end();
        composite(img, layer, QPainter::CompositionMode_Screen);
    }
    goldFrame(img, 20, 0.6f);
    goldDust(img, 90, 1002, 1.0f);
    vignette(img, 0.4f, Rgb(20, 0, 0));
    finish(img, 1003);
    return img;
}

QImage resultsBlue() {
    QImage img = radialBase(Rgb(16, 48, 120), Rgb(2, 10, 40), QPointF(W / 2, H * 0.35f), 0.9f, 1101, 0.1f);
    Rng rng(1102);
    {
        QImage layer = newLayer();
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 500; ++i) {
            const float x = float(rng.range(0, W)), y = float(rng.range(0, H));
            if (!rng.chance(std::max(0.08f, 1.0f - textWeight(x, y)))) continue;
            p.setBrush(Rgb(200, 225, 255).q(float(rng.range(0.2, 0.8))));
            const float r = float(rng.range(0.6, 1.8));
            p.drawEllipse(QPointF(x, y), r, r);
            if (rng.chance(0.04)) sparkle(p, QPointF(x, y), float(rng.range(6, 12)), Rgb(190, 220, 255), 0.7f);
        }
        p.end();
        composite(img, layer, QPainter::CompositionMode_Screen);
    }
    bokehField(img, 30, Rgb(90, 150, 255), 20, 70, 0.16f, 1103, 1.0f, 5);
    vignette(img, 0.4f, Rgb(0, 0, 15));
    finish(img, 1104);
    return img;
}

}  // namespace gen
