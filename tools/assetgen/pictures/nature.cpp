// Landscape themes: sky, sea, snow, meadow, sunrise and mountains.
#include "motifs.h"
#include "scenes.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace gen {

namespace {
constexpr float kPi = 3.14159265f;

void skyRamp(QImage &img, const Ramp &ramp, uint32_t seed, float wobble = 0.03f) {
    shade(img, [&](float x, float y) {
        const float n = fbm(x * 0.002f, y * 0.003f, seed, 3) - 0.5f;
        return ramp.at(y / H + wobble * n);
    });
}

// Thin fibrous clouds from stretched noise, limited to a vertical range.
void wisps(QImage &img, uint32_t seed, float y0, float y1, float threshold, float alpha, const Rgb &col,
           float sx = 0.0016f, float sy = 0.011f, float edgeBias = 0.8f) {
    shadeOver(img, [&](float x, float y, Rgb &c) {
        c = col;
        if (y < y0 || y > y1) return 0.0f;
        const float band = smoothstep(y0, y0 + (y1 - y0) * 0.3f, y) * (1.0f - smoothstep(y1 - (y1 - y0) * 0.3f, y1, y));
        const float n = fbm(x * sx, y * sy, seed, 6, 0.55f);
        const float d = smoothstep(threshold, threshold + 0.22f, n);
        return alpha * d * band * (1.0f - edgeBias * textWeight(x, y));
    });
}

void snowfall(QImage &img, int count, uint32_t seed, float rMin, float rMax, float blurRadius, float alpha,
              float edgeBias) {
    Rng rng(seed);
    QImage layer = newLayer();
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < count; ++i) {
            const float x = float(rng.range(0, W)), y = float(rng.range(0, H));
            if (!rng.chance(std::max(0.12f, 1.0f - edgeBias * textWeight(x, y)))) continue;
            const float r = float(rng.range(rMin, rMax));
            p.setBrush(Rgb(255, 255, 255).q(alpha * float(rng.range(0.5, 1.0))));
            p.drawEllipse(QPointF(x, y), r, r);
        }
    }
    blur(layer, blurRadius);
    composite(img, layer);
}

// Sea surface below a horizon: colours from near the horizon to the bottom,
// with waves in perspective and glints.
void seaSurface(QImage &img, float horizon, const Rgb &far, const Rgb &near, uint32_t seed, float glintX,
                float glintStrength, const Rgb &glint = Rgb(255, 255, 255)) {
    const float s = float(img.devicePixelRatio());
    for (int py = int(horizon * s); py < img.height(); ++py) {
        const float y = coord(img, py);
        const float t = (y + 0.5f / s - horizon) / (H - horizon);
        const float z = 1.0f / (t + 0.02f);  // distance into the picture
        for (int px = 0; px < img.width(); ++px) {
            const float x = coord(img, px);
            const float wx = (x - W * 0.5f) / (W * 0.5f) * z;
            const float n = fbm(wx * 5.0f, z * 12.0f, seed, 5, 0.55f);
            const float swell = fbm(wx * 1.2f, z * 2.5f, seed + 9, 3);
            Rgb c = mix(far, near, std::pow(t, 0.7f));
            c = c * (0.9f + 0.25f * (n - 0.5f) + 0.12f * (swell - 0.5f));
            // Crests catch the light; more glints on the path under the light.
            const float pathW = 0.06f + 0.25f * t;
            const float path = std::exp(-std::pow((x / float(W) - glintX) / pathW, 2.0f));
            const float crest = smoothstep(0.62f - 0.1f * path, 0.78f - 0.1f * path, n);
            c = mix(c, glint, crest * (0.25f + 0.55f * path * glintStrength) * (0.5f + 0.5f * t));
            const float cover = clamp01(float(py) + 1.0f - horizon * s);
            setPixel(img, px, py, mix(getPixel(img, px, py), c, cover));
        }
    }
}

// A jagged line from a to b by midpoint displacement.
std::vector<QPointF> jagged(QPointF a, QPointF b, float rough, int levels, Rng &rng) {
    std::vector<QPointF> pts{a, b};
    float amp = rough;
    for (int l = 0; l < levels; ++l) {
        std::vector<QPointF> next;
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            const QPointF m = (pts[i] + pts[i + 1]) / 2;
            const QPointF d = pts[i + 1] - pts[i];
            const float len = float(std::hypot(d.x(), d.y()));
            const QPointF nrm(-d.y() / len, d.x() / len);
            next.push_back(pts[i]);
            next.push_back(m + nrm * (amp * len * float(rng.range(-1, 1))));
        }
        next.push_back(pts.back());
        pts = next;
        amp *= 0.6f;
    }
    return pts;
}

// A snow-capped rock peak lit from the left; haze (0..1) fades far peaks.
void peakWithSnow(QImage &img, float cx, float base, float h, float hw, float haze, Rng &rng) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF apex(cx + float(rng.range(-0.05, 0.05)) * hw, base - h);
    const auto left = jagged(QPointF(cx - hw, base + 4), apex, 0.06f, 6, rng);
    const auto right = jagged(apex, QPointF(cx + hw, base + 4), 0.06f, 6, rng);
    QPainterPath body;
    body.moveTo(left.front());
    for (const QPointF &q : left) body.lineTo(q);
    for (const QPointF &q : right) body.lineTo(q);
    body.lineTo(cx + hw, H + 2);
    body.lineTo(cx - hw, H + 2);
    body.closeSubpath();
    const Rgb hazeCol(206, 222, 240);
    const Rgb rockLit = mix(Rgb(150, 160, 180), hazeCol, haze * 0.6f);
    const Rgb rockDark = mix(Rgb(92, 102, 126), hazeCol, haze * 0.6f);
    p.setPen(Qt::NoPen);
    p.setBrush(rockLit.q());
    p.drawPath(body);
    p.setClipPath(body);
    // Shadowed face: right of a ridge running down from the apex.
    const auto spine = jagged(apex, QPointF(cx + hw * float(rng.range(0.3, 0.55)), base + 4), 0.08f, 6, rng);
    QPainterPath shadow;
    shadow.moveTo(apex);
    for (const QPointF &q : right) shadow.lineTo(q);
    shadow.lineTo(cx + hw, H + 2);
    shadow.lineTo(spine.back().x(), H + 2);
    for (auto it = spine.rbegin(); it != spine.rend(); ++it) shadow.lineTo(*it);
    shadow.closeSubpath();
    p.setBrush(rockDark.q());
    p.drawPath(shadow);
    // Gullies: faint strokes down the slopes.
    for (int i = 0; i < 26; ++i) {
        const float t = float(rng.range(0.1, 0.8));
        const bool onLeft = rng.chance(0.5);
        const QPointF start = apex + (QPointF(onLeft ? -hw : hw, h) * t);
        const auto g = jagged(start, start + QPointF((onLeft ? 0.25f : -0.25f) * h * 0.5f, h * 0.45f), 0.12f, 4, rng);
        QPainterPath gp(g.front());
        for (const QPointF &q : g) gp.lineTo(q);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen((onLeft ? rockDark : rockDark * 0.8f).q(0.35f), float(rng.range(1.5, 3.5))));
        p.drawPath(gp);
    }
    // Snow cap with tongues reaching down the gullies.
    const float snowY = apex.y() + h * float(rng.range(0.32, 0.42));
    QPainterPath cap;
    cap.moveTo(cx - hw, apex.y() - 10);
    cap.lineTo(cx + hw, apex.y() - 10);
    cap.lineTo(cx + hw, snowY);
    const int tongues = 9;
    for (int k = tongues; k >= 0; --k) {
        const float x = cx - hw + 2 * hw * k / tongues;
        cap.lineTo(x + hw / tongues, snowY + float(rng.range(-0.05, 0.02)) * h);
        cap.lineTo(x, snowY + float(rng.range(0.04, 0.16)) * h);
    }
    cap.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(mix(Rgb(252, 253, 255), hazeCol, haze * 0.3f).q());
    p.drawPath(cap);
    p.setClipPath(body.intersected(shadow));
    p.setBrush(mix(Rgb(190, 204, 230), hazeCol, haze * 0.3f).q());
    p.drawPath(cap);
    p.setClipping(false);
    // Haze rising from the valley.
    QLinearGradient g(0, base - h * 0.5f, 0, base + 10);
    g.setColorAt(0, hazeCol.q(0));
    g.setColorAt(1, hazeCol.q(0.85f));
    p.setClipPath(body);
    p.fillRect(QRectF(cx - hw, base - h, 2 * hw, H), g);
}

void finish(QImage &img, uint32_t seed, float amount = 1.8f) { grain(img, amount, seed); }

}  // namespace

QImage blueSky(int v) {
    QImage img = newCanvas();
    Rng rng(2000 + uint32_t(v));
    if (v == 1) {  // Bright blue with banks of cumulus.
        skyRamp(img, Ramp{{{0.0f, Rgb(96, 156, 226)}, {0.3f, Rgb(160, 202, 242)}, {0.7f, Rgb(206, 230, 248)},
                           {1.0f, Rgb(226, 240, 250)}}},
                2001);
        wisps(img, 2002, 0, H * 0.6f, 0.56f, 0.35f, Rgb(250, 252, 255));
        QImage clouds = newLayer();
        const Rgb light(255, 255, 255), shadow(196, 210, 230);
        cumulus(clouds, QPointF(180, 250), 470, 170, rng, light, shadow);
        cumulus(clouds, QPointF(W - 200, 210), 430, 150, rng, light, shadow);
        cumulus(clouds, QPointF(W - 120, 600), 300, 110, rng, light, shadow);
        const float xs[] = {60, 420, 820, 1180, 1540, 1880};
        for (float x : xs) cumulus(clouds, QPointF(x + rng.range(-40, 40), H + 40), 560, 300 + float(rng.range(-40, 60)), rng, light, shadow);
        composite(img, clouds);
        veil(img, Rgb(236, 245, 252), 0.5f);
    } else if (v == 2) {  // Sunny sky: glare in a corner, fine cirrus.
        skyRamp(img, Ramp{{{0.0f, Rgb(80, 150, 224)}, {0.45f, Rgb(160, 204, 242)}, {1.0f, Rgb(220, 238, 250)}}}, 2011);
        {
            QImage layer = newLayer();
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            glow(p, QPointF(W - 170, 120), 760, Rgb(255, 250, 225), 0.85f);
            glow(p, QPointF(W - 170, 120), 150, Rgb(255, 255, 245), 1.0f);
            // Faint rays around the sun.
            for (int i = 0; i < 18; ++i) {
                const float a = i * 2 * kPi / 18 + 0.1f;
                QPainterPath ray;
                ray.moveTo(W - 170, 120);
                ray.lineTo(W - 170 + std::cos(a - 0.03f) * 700, 120 + std::sin(a - 0.03f) * 700);
                ray.lineTo(W - 170 + std::cos(a + 0.03f) * 700, 120 + std::sin(a + 0.03f) * 700);
                ray.closeSubpath();
                QRadialGradient g(QPointF(W - 170, 120), 700);
                g.setColorAt(0, Rgb(255, 255, 240).q(0.35f));
                g.setColorAt(1, Rgb(255, 255, 240).q(0));
                p.setPen(Qt::NoPen);
                p.setBrush(g);
                p.drawPath(ray);
            }
            // Lens flare rings along the diagonal.
            for (int i = 1; i <= 4; ++i) {
                const QPointF c(W - 170 - i * 230.0f, 120 + i * 130.0f);
                if (textWeight(float(c.x()), float(c.y())) > 0.6f) continue;
                bokeh(p, c, 26.0f + 14 * i, Rgb(220, 240, 255), 0.18f);
            }
            p.end();
            blur(layer, 3);
            composite(img, layer, QPainter::CompositionMode_Screen);
        }
        wisps(img, 2012, 0, H * 0.95f, 0.52f, 0.75f, Rgb(255, 255, 255), 0.0011f, 0.006f, 0.85f);
        QImage clouds = newLayer();
        cumulus(clouds, QPointF(260, H - 40), 560, 210, rng, Rgb(255, 255, 255), Rgb(200, 215, 235));
        cumulus(clouds, QPointF(-40, H - 160), 300, 140, rng, Rgb(255, 255, 255), Rgb(200, 215, 235));
        composite(img, clouds);
        veil(img, Rgb(236, 245, 252), 0.5f);
    } else {  // Above a sea of clouds at a pastel morning.
        skyRamp(img, Ramp{{{0.0f, Rgb(140, 184, 234)}, {0.4f, Rgb(196, 220, 244)}, {0.72f, Rgb(244, 226, 222)},
                           {1.0f, Rgb(252, 226, 200)}}},
                2021);
        {
            QImage layer = newLayer();
            QPainter p(&layer);
            glow(p, QPointF(W * 0.5f, H * 0.86f), 900, Rgb(255, 236, 200), 0.55f);
            p.end();
            composite(img, layer, QPainter::CompositionMode_Screen);
        }
        QImage clouds = newLayer();
        const Rgb light(255, 250, 246), shadow(222, 208, 222);
        for (int row = 0; row < 3; ++row) {
            const float base = H * (0.93f + 0.06f * row);
            for (float x = -100; x < W + 200; x += float(rng.range(200, 320))) {
                const float calm = 1.0f - 0.55f * textWeight(x, H * 0.7f) * (row == 0 ? 1.0f : 0.3f);
                cumulus(clouds, QPointF(x, base), float(rng.range(300, 460)), (150 + 70 * row) * calm * float(rng.range(0.8, 1.2)),
                        rng, light, shadow);
            }
        }
        cumulus(clouds, QPointF(170, 330), 300, 90, rng, light, shadow);
        cumulus(clouds, QPointF(W - 140, 420), 260, 80, rng, light, shadow);
        composite(img, clouds);
        wisps(img, 2022, 0, H * 0.45f, 0.57f, 0.45f, Rgb(255, 255, 255));
        {
            QPainter p(&img);
            bird(p, QPointF(W - 330, 250), 30, QColor(90, 100, 130, 170));
            bird(p, QPointF(W - 280, 280), 22, QColor(90, 100, 130, 150));
            bird(p, QPointF(W - 380, 290), 18, QColor(90, 100, 130, 140));
        }
        veil(img, Rgb(244, 244, 250), 0.45f);
    }
    finish(img, 2099 + uint32_t(v));
    return img;
}

QImage sea(int v) {
    QImage img = newCanvas();
    Rng rng(3000 + uint32_t(v));
    if (v == 1) {  // Open sea, light clouds on the horizon.
        const float hz = H * 0.64f;
        skyRamp(img, Ramp{{{0.0f, Rgb(120, 176, 230)}, {0.4f, Rgb(186, 218, 244)}, {0.64f, Rgb(228, 240, 248)}}}, 3001);
        wisps(img, 3002, 0, hz * 0.8f, 0.57f, 0.45f, Rgb(255, 255, 255));
        QImage clouds = newLayer();
        cumulus(clouds, QPointF(200, hz + 2), 420, 110, rng, Rgb(255, 255, 255), Rgb(205, 218, 234));
        cumulus(clouds, QPointF(W - 230, hz + 2), 480, 130, rng, Rgb(255, 255, 255), Rgb(205, 218, 234));
        cumulus(clouds, QPointF(W - 620, hz + 2), 260, 60, rng, Rgb(255, 255, 255), Rgb(205, 218, 234));
        composite(img, clouds);
        // A far island on the left.
        {
            auto isl = ridge(3003, hz, 22, 0.004f, 0.3f);
            for (int x = 0; x <= W; ++x) {
                const float u = x / 420.0f;
                isl[size_t(x)] = hz - std::max(0.0f, (hz - isl[size_t(x)] + 14) * float(std::exp(-u * u * 2.5f)));
            }
            fillRidge(img, isl, Rgb(120, 150, 160), Rgb(140, 170, 180), 40);
        }
        seaSurface(img, hz, Rgb(178, 220, 230), Rgb(56, 146, 186), 3004, 0.72f, 1.0f);
        veil(img, Rgb(232, 243, 248), 0.45f);
    } else if (v == 2) {  // Beach: turquoise water, foam, sand in the lower left.
        const float hz = H * 0.56f;
        skyRamp(img, Ramp{{{0.0f, Rgb(110, 174, 230)}, {0.35f, Rgb(178, 218, 244)}, {0.56f, Rgb(230, 244, 250)}}}, 3011);
        wisps(img, 3012, 0, hz, 0.55f, 0.5f, Rgb(255, 255, 255));
        seaSurface(img, hz, Rgb(150, 222, 226), Rgb(40, 176, 196), 3013, 0.3f, 0.6f);
        // Sand, foam lace and wet edge along a curved shore.
        auto shore = [](float x) { return H * 0.80f + (x / W) * (x / W) * H * 0.28f + 14.0f * std::sin(x * 0.006f); };
        shadeOver(img, [&](float x, float y, Rgb &c) {
            const float s = shore(x) + 10.0f * (fbm(x * 0.01f, 1.0f, 3014, 4) - 0.5f);
            const float d = y - s;
            if (d < -40) return 0.0f;
            const float n = fbm(x * 0.02f, y * 0.05f, 3015, 5);
            if (d < 0) {  // foam lace on the water side
                c = Rgb(250, 253, 255);
                return smoothstep(-40, 0, d) * smoothstep(0.45f, 0.65f, n + 0.3f * (d + 40) / 40) * 0.95f;
            }
            const float wet = 1.0f - smoothstep(0, 60, d);
            c = mix(Rgb(240, 222, 182), Rgb(196, 168, 126), wet * 0.7f) * (0.95f + 0.1f * n);
            return clamp01(d / 2.0f);
        });
        {
            QPainter p(&img);
            bird(p, QPointF(W - 300, 180), 34, QColor(70, 80, 100, 180));
            bird(p, QPointF(W - 240, 215), 24, QColor(70, 80, 100, 160));
            bird(p, QPointF(260, 140), 26, QColor(70, 80, 100, 150));
        }
        veil(img, Rgb(232, 245, 248), 0.45f);
    } else {  // Rolling waves with foam crests, a sail on the horizon.
        const float hz = H * 0.6f;
        skyRamp(img, Ramp{{{0.0f, Rgb(120, 170, 220)}, {0.3f, Rgb(190, 216, 238)}, {0.6f, Rgb(246, 240, 230)}}}, 3021);
        wisps(img, 3022, 0, hz * 0.9f, 0.55f, 0.5f, Rgb(255, 252, 246));
        seaSurface(img, hz, Rgb(180, 214, 224), Rgb(78, 150, 186), 3023, 0.5f, 0.4f);
        // Sailboat at the right near the horizon.
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            const float bx = 430, by = hz + 6;
            QPainterPath hull;
            hull.moveTo(bx - 40, by - 10);
            hull.lineTo(bx + 42, by - 10);
            hull.lineTo(bx + 30, by);
            hull.lineTo(bx - 30, by);
            hull.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(80, 90, 110));
            p.drawPath(hull);
            QPainterPath sail;
            sail.moveTo(bx, by - 12);
            sail.lineTo(bx, by - 110);
            sail.quadTo(bx + 30, by - 60, bx + 38, by - 14);
            sail.closeSubpath();
            p.setBrush(QColor(252, 250, 244));
            p.drawPath(sail);
            QPainterPath jib;
            jib.moveTo(bx - 4, by - 12);
            jib.lineTo(bx - 4, by - 92);
            jib.quadTo(bx - 24, by - 50, bx - 36, by - 14);
            jib.closeSubpath();
            p.setBrush(QColor(236, 236, 232));
            p.drawPath(jib);
            bird(p, QPointF(W - 420, 210), 36, QColor(80, 90, 110, 180));
            bird(p, QPointF(W - 350, 250), 26, QColor(80, 90, 110, 160));
        }
        // A rocky headland on the right with a lighthouse.
        std::vector<float> cliff(W + 1, float(H + 10));
        for (int x = 0; x <= W; ++x) {
            const float rise = smoothstep(W * 0.70f, W * 0.97f, float(x) + 50.0f * (fbm1(x * 0.004f, 3027, 4) - 0.5f));
            if (rise <= 0) continue;
            cliff[size_t(x)] = hz + 30.0f - 240.0f * rise - 36.0f * (fbm1(x * 0.012f, 3024, 6) - 0.5f) * rise;
        }
        // The shore runs from the horizon down to the right, toward the viewer.
        auto shoreX = [&](float y) { return W * 0.70f + (y - hz - 30.0f) * 0.5f + 24.0f * (fbm1(y * 0.03f, 3028, 4) - 0.5f); };
        const float s = float(img.devicePixelRatio());
        for (int px = int(W * 0.70f * s); px < img.width(); ++px) {
            const float x = coord(img, px);
            // Between two samples of the cliff's crest.
            const size_t i = size_t(x);
            const float top = cliff[i] + (cliff[std::min(i + 1, size_t(W))] - cliff[i]) * (x - float(i));
            for (int py = std::max(0, int(top * s)); py < img.height(); ++py) {
                const float y = coord(img, py);
                const float edge = x - shoreX(y);
                if (edge * s <= -1.0f) continue;
                const float cover = clamp01(float(py) + 1.0f - top * s) * clamp01(edge * s + 1.0f);
                const float d = y - top;
                const float n2 = fbm(x * 0.02f, y * 0.01f, 3025, 5);
                const float strata = fbm(x * 0.004f, y * 0.06f, 3026, 4);
                const float face = std::max(smoothstep(W * 0.90f, W * 0.72f, float(x)), smoothstep(120.0f, 0.0f, edge));
                Rgb c = d < 26.0f + 90.0f * n2 * (1.0f - face) ? mix(Rgb(120, 160, 80), Rgb(90, 130, 60), n2)
                                               : mix(Rgb(168, 150, 128), Rgb(86, 78, 70),
                                                     clamp01(0.3f * clamp01(d / 300.0f) + 0.45f * strata + 0.35f * face));
                setPixel(img, px, py, mix(getPixel(img, px, py), c, cover));
            }
        }
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            const float lx = W - 200, ly = cliff[size_t(W - 200)] + 8;
            QPainterPath tower;
            tower.moveTo(lx - 24, ly);
            tower.lineTo(lx - 16, ly - 200);
            tower.lineTo(lx + 16, ly - 200);
            tower.lineTo(lx + 24, ly);
            tower.closeSubpath();
            QLinearGradient tg(lx - 24, 0, lx + 24, 0);
            tg.setColorAt(0, QColor(255, 255, 252));
            tg.setColorAt(1, QColor(206, 210, 218));
            p.setPen(Qt::NoPen);
            p.setBrush(tg);
            p.drawPath(tower);
            p.setClipPath(tower);
            p.setBrush(QColor(200, 40, 40));
            p.drawRect(QRectF(lx - 30, ly - 70, 60, 30));
            p.drawRect(QRectF(lx - 30, ly - 150, 60, 30));
            p.setClipping(false);
            p.setBrush(QColor(60, 64, 72));
            p.drawRect(QRectF(lx - 22, ly - 206, 44, 8));
            p.setBrush(QColor(255, 236, 170));
            p.drawRect(QRectF(lx - 13, ly - 236, 26, 30));
            p.setPen(QPen(QColor(60, 64, 72), 2));
            p.drawLine(QPointF(lx, ly - 236), QPointF(lx, ly - 206));
            p.setPen(Qt::NoPen);
            QPainterPath roof;
            roof.moveTo(lx - 18, ly - 236);
            roof.quadTo(lx, ly - 268, lx + 18, ly - 236);
            roof.closeSubpath();
            p.setBrush(QColor(170, 40, 40));
            p.drawPath(roof);
            // White foam where the sea meets the rocks.
            for (int i = 0; i < 900; ++i) {
                const float y = float(rng.range(hz + 30, H));
                const float x = shoreX(y) + float(rng.range(-14, 4)) * (0.5f + (y - hz) / (H - hz));
                p.setBrush(QColor(255, 255, 255, int(rng.range(60, 200))));
                const float r = float(rng.range(1, 3.5));
                p.drawEllipse(QPointF(x, y), r, r);
            }
        }
        veil(img, Rgb(240, 244, 246), 0.42f);
    }
    finish(img, 3099 + uint32_t(v));
    return img;
}

QImage snow(int v) {
    QImage img = newCanvas();
    Rng rng(4000 + uint32_t(v));
    if (v == 1) {  // Snowy hills with pine woods at both sides.
        skyRamp(img, Ramp{{{0.0f, Rgb(140, 176, 216)}, {0.45f, Rgb(204, 222, 240)}, {0.75f, Rgb(236, 242, 250)}}}, 4001);
        auto far = ridge(4002, H * 0.74f, 40, 0.0015f, 0.2f);
        dipCentre(far, 30, W * 0.25f);
        fillRidge(img, far, Rgb(214, 226, 242), Rgb(236, 242, 250), 120);
        {
            QPainter p(&img);
            for (int i = 0; i < 40; ++i) {
                const float x = float(rng.range(0, W));
                if (textWeight(x, H * 0.5f) > 0.2f) continue;
                const float h = float(rng.range(50, 90));
                pineTree(p, QPointF(x, far[size_t(std::clamp(int(x), 0, W))] + 12), h, h * 0.5f, QColor(86, 116, 120),
                         QColor(236, 242, 250), rng);
            }
        }
        auto nearR = ridge(4003, H * 0.86f, 50, 0.0012f);
        dipCentre(nearR, 50, W * 0.3f);
        fillRidge(img, nearR, Rgb(252, 253, 255), Rgb(206, 220, 238), 160, 0.04f, 4004);
        {
            QPainter p(&img);
            const float xs[] = {60, 150, 250, 330, W - 60, W - 170, W - 260, W - 350, 420, W - 440};
            for (float x : xs) {
                const float h = float(rng.range(180, 320)) * (std::fabs(x - W / 2) > 700 ? 1.0f : 0.6f);
                pineTree(p, QPointF(x, nearR[size_t(x)] + 30), h, h * 0.5f, QColor(28, 76, 62), QColor(245, 249, 255), rng);
            }
        }
        snowfall(img, 900, 4005, 1.0f, 2.2f, 0.8f, 0.9f, 0.7f);
        snowfall(img, 160, 4006, 3.0f, 6.0f, 2.5f, 0.85f, 1.0f);
        veil(img, Rgb(240, 245, 251), 0.4f);
    } else if (v == 2) {  // Large ice crystals over a soft winter sky, drifts below.
        skyRamp(img, Ramp{{{0.0f, Rgb(150, 190, 228)}, {0.45f, Rgb(222, 236, 248)}, {0.8f, Rgb(210, 226, 244)},
                           {1.0f, Rgb(186, 208, 236)}}},
                4011);
        {
            QImage layer = newLayer();
            QPainter p(&layer);
            struct C { float x, y, r, rot; };
            const C big[] = {{140, 150, 120, 0.1f}, {W - 160, 170, 130, 0.3f}, {330, 70, 50, 0.4f},
                             {W - 380, 60, 46, 0.2f}, {90, 470, 60, 0.25f}, {W - 90, 520, 70, 0.05f},
                             {200, 760, 44, 0.3f}, {W - 230, 780, 52, 0.15f}};
            for (const C &c : big) snowCrystal(p, QPointF(c.x, c.y), c.r, c.rot, QColor(255, 255, 255, 230), std::max(2.5f, c.r * 0.06f));
            for (int i = 0; i < 40; ++i) {
                const float x = float(rng.range(0, W)), y = float(rng.range(0, H * 0.85f));
                if (!rng.chance(std::max(0.15f, 1.0f - 1.1f * textWeight(x, y)))) continue;
                const float r = float(rng.range(8, 22));
                snowCrystal(p, QPointF(x, y), r, float(rng.range(0, 1)), QColor(255, 255, 255, int(rng.range(130, 220))), 1.6f);
            }
            p.end();
            QImage halo = blurred(layer, 6);
            composite(img, halo, QPainter::CompositionMode_Screen);
            composite(img, layer);
        }
        auto d1 = ridge(4012, H * 0.88f, 30, 0.001f);
        dipCentre(d1, 30, W * 0.3f);
        fillRidge(img, d1, Rgb(250, 252, 255), Rgb(214, 226, 242), 110, 0.03f, 4013);
        auto d2 = ridge(4014, H * 0.95f, 24, 0.0014f);
        fillRidge(img, d2, Rgb(255, 255, 255), Rgb(224, 234, 248), 80, 0.03f, 4015);
        snowfall(img, 600, 4016, 1.0f, 2.4f, 1.0f, 0.95f, 0.6f);
        veil(img, Rgb(242, 247, 252), 0.3f);
    } else {  // Lilac dusk over snowfields, bare trees in the snow.
        skyRamp(img, Ramp{{{0.0f, Rgb(186, 182, 222)}, {0.4f, Rgb(228, 218, 238)}, {0.75f, Rgb(250, 230, 226)}}}, 4021);
        auto far = ridge(4022, H * 0.76f, 30, 0.002f, 0.4f);
        dipCentre(far, 20, W * 0.25f);
        fillRidge(img, far, Rgb(226, 222, 240), Rgb(244, 238, 246), 100);
        auto nearR = ridge(4023, H * 0.85f, 36, 0.0011f);
        dipCentre(nearR, 40, W * 0.3f);
        fillRidge(img, nearR, Rgb(255, 252, 252), Rgb(222, 218, 238), 160, 0.03f, 4024);
        {
            QPainter p(&img);
            const QColor snowCol(250, 250, 255, 220);
            const float xs[] = {90, 250, 380, W - 90, W - 230, W - 400};
            for (float x : xs) {
                const float h = float(rng.range(380, 560)) * (std::fabs(x - W / 2) > 700 ? 1.0f : 0.7f);
                bareTree(p, QPointF(x, nearR[size_t(x)] + 20), h, QColor(70, 56, 66), rng, &snowCol);
            }
            // A small cabin with a warm window at the lower right.
            p.setRenderHint(QPainter::Antialiasing);
            const float cx = W - 560, cy = nearR[size_t(W - 560)] + 26;
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(120, 80, 70));
            p.drawRect(QRectF(cx - 60, cy - 62, 120, 62));
            QPainterPath roof;
            roof.moveTo(cx - 78, cy - 58);
            roof.lineTo(cx, cy - 118);
            roof.lineTo(cx + 78, cy - 58);
            roof.closeSubpath();
            p.setBrush(QColor(250, 250, 255));
            p.drawPath(roof);
            glow(p, QPointF(cx + 22, cy - 32), 60, Rgb(255, 190, 90), 0.5f);
            p.setBrush(QColor(255, 206, 120));
            p.drawRect(QRectF(cx + 10, cy - 44, 24, 22));
        }
        snowfall(img, 800, 4025, 1.0f, 2.2f, 0.8f, 0.9f, 0.6f);
        snowfall(img, 120, 4026, 3.0f, 5.5f, 2.5f, 0.8f, 1.0f);
        veil(img, Rgb(248, 244, 248), 0.4f);
    }
    finish(img, 4099 + uint32_t(v));
    return img;
}

QImage meadow(int v) {
    QImage img = newCanvas();
    Rng rng(5000 + uint32_t(v));
    if (v == 1) {  // Rolling green hills under cumulus.
        skyRamp(img, Ramp{{{0.0f, Rgb(104, 164, 228)}, {0.4f, Rgb(176, 212, 244)}, {0.72f, Rgb(228, 240, 248)}}}, 5001);
        QImage clouds = newLayer();
        cumulus(clouds, QPointF(220, 300), 440, 150, rng, Rgb(255, 255, 255), Rgb(200, 214, 232));
        cumulus(clouds, QPointF(W - 240, 260), 500, 170, rng, Rgb(255, 255, 255), Rgb(200, 214, 232));
        composite(img, clouds);
        auto far = ridge(5002, H * 0.72f, 30, 0.0018f);
        dipCentre(far, 20, W * 0.3f);
        fillRidge(img, far, Rgb(150, 190, 150), Rgb(170, 204, 160), 60);
        auto mid = ridge(5003, H * 0.79f, 40, 0.0012f);
        dipCentre(mid, 30, W * 0.3f);
        fillRidge(img, mid, Rgb(126, 190, 80), Rgb(96, 162, 60), 120, 0.08f, 5004);
        auto nearR = ridge(5005, H * 0.88f, 50, 0.001f);
        dipCentre(nearR, 40, W * 0.3f);
        fillRidge(img, nearR, Rgb(104, 176, 56), Rgb(62, 130, 40), 130, 0.1f, 5006);
        leafyTree(img, QPointF(1560, mid[1560] + 10), 150, Rgb(70, 130, 50), Rgb(80, 60, 40), rng);
        {
            QPainter p(&img);
            grassBlades(p, H * 0.93f, H + 10, 2600, Rgb(40, 100, 30), Rgb(150, 210, 80), rng, 70);
            p.setPen(Qt::NoPen);
            for (int i = 0; i < 220; ++i) {
                const float x = float(rng.range(0, W)), y = float(rng.range(H * 0.9f, H));
                const Rgb c = rng.chance(0.5) ? Rgb(255, 240, 120) : Rgb(255, 255, 255);
                p.setBrush(c.q());
                const float r = float(rng.range(2, 5));
                p.drawEllipse(QPointF(x, y), r, r);
            }
        }
        veil(img, Rgb(236, 245, 250), 0.45f);
    } else if (v == 2) {  // Golden field and a lone tree under a warm sky.
        skyRamp(img, Ramp{{{0.0f, Rgb(136, 184, 232)}, {0.4f, Rgb(204, 224, 242)}, {0.7f, Rgb(250, 242, 220)}}}, 5011);
        wisps(img, 5012, 0, H * 0.55f, 0.56f, 0.5f, Rgb(255, 252, 240));
        auto far = ridge(5013, H * 0.72f, 16, 0.002f);
        fillRidge(img, far, Rgb(170, 176, 120), Rgb(196, 186, 120), 30);
        auto field = ridge(5014, H * 0.745f, 12, 0.0015f);
        shadeOver(img, [&](float x, float y, Rgb &c) {
            const float top = field[size_t(std::min(int(x), W))];
            if (y < top) return 0.0f;
            const float t = clamp01((y - top) / (H - top));
            const float rows = 0.5f + 0.5f * std::sin((x - W / 2) / (0.05f + t) * 0.02f + fbm(x * 0.01f, y * 0.02f, 5015, 3) * 3.0f);
            c = mix(Rgb(232, 200, 110), Rgb(196, 140, 50), t) * (0.94f + 0.1f * rows * t);
            return clamp01(y - top + 0.5f);
        });
        leafyTree(img, QPointF(300, field[300] + 8), 330, Rgb(80, 120, 50), Rgb(70, 50, 35), rng);
        {
            QPainter p(&img);
            grassBlades(p, H * 0.9f, H + 10, 3000, Rgb(170, 120, 40), Rgb(250, 220, 130), rng, 110);
        }
        veil(img, Rgb(248, 246, 238), 0.4f);
    } else {  // Flower meadow and a line of trees.
        skyRamp(img, Ramp{{{0.0f, Rgb(120, 176, 230)}, {0.45f, Rgb(192, 222, 244)}, {0.73f, Rgb(234, 244, 246)}}}, 5021);
        wisps(img, 5022, 0, H * 0.5f, 0.55f, 0.55f, Rgb(255, 255, 255));
        // Tree line: rows of soft crowns on the horizon.
        {
            QImage layer = newLayer();
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            for (int i = 0; i < 600; ++i) {
                const float x = float(rng.range(-20, W + 20));
                const float side = 1.0f - 0.7f * textWeight(x, H * 0.5f);
                const float r = float(rng.range(10, 28)) * side;
                const float y = H * 0.745f - float(rng.range(0, 40)) * side;
                p.setBrush(mix(Rgb(60, 110, 60), Rgb(110, 160, 90), float(rng.uni())).q());
                p.drawEllipse(QPointF(x, y), r, r * 0.9f);
            }
            p.end();
            blur(layer, 1.2f);
            composite(img, layer);
        }
        shadeOver(img, [&](float x, float y, Rgb &c) {
            const float top = H * 0.745f;
            if (y < top) return 0.0f;
            const float t = (y - top) / (H - top);
            const float n = fbm(x * 0.004f / (0.2f + t), y * 0.01f, 5023, 4);
            c = mix(Rgb(150, 200, 100), Rgb(70, 150, 50), t) * (0.9f + 0.2f * n);
            return 1.0f;
        });
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            const Rgb flowers[] = {Rgb(255, 255, 255), Rgb(255, 220, 60), Rgb(240, 120, 170), Rgb(180, 130, 230),
                                   Rgb(255, 170, 70)};
            for (int i = 0; i < 3200; ++i) {
                const float t = float(std::pow(rng.uni(), 0.6));
                const float y = H * 0.75f + t * H * 0.25f;
                const float x = float(rng.range(0, W));
                const float r = 0.8f + 6.0f * t * t;
                p.setBrush(flowers[rng.below(5)].q(0.95f));
                p.drawEllipse(QPointF(x, y), r, r * 0.8f);
            }
            grassBlades(p, H * 0.95f, H + 10, 1800, Rgb(40, 110, 30), Rgb(140, 200, 80), rng, 60);
        }
        veil(img, Rgb(238, 246, 248), 0.42f);
    }
    finish(img, 5099 + uint32_t(v));
    return img;
}

QImage sunrise(int v) {
    QImage img = newCanvas();
    Rng rng(6000 + uint32_t(v));
    if (v == 1) {  // Sun rising from the sea at the right.
        const float hz = H * 0.86f;
        const QPointF sun(W * 0.76f, hz + 10);
        shade(img, [&](float x, float y) {
            const float t = y / hz;
            const Ramp r{{{0.0f, Rgb(10, 14, 52)}, {0.45f, Rgb(48, 26, 86)}, {0.75f, Rgb(120, 36, 76)}, {1.0f, Rgb(196, 74, 48)}}};
            Rgb c = r.at(t + 0.02f * (fbm(x * 0.002f, y * 0.004f, 6001, 3) - 0.5f));
            const float dx = (x - sun.x()) / W, dy = (y - sun.y()) / H;
            const float d = std::sqrt(dx * dx + dy * dy * 2.0f);
            c = c + Rgb(255, 140, 40) * (0.55f * std::exp(-d * d / 0.03f)) + Rgb(255, 200, 120) * (0.5f * std::exp(-d * d / 0.002f));
            return c;
        });
        // Bands of cloud lit from below, kept to the sides.
        shadeOver(img, [&](float x, float y, Rgb &c) {
            if (y > hz) return 0.0f;
            const float n = fbm(x * 0.0012f, y * 0.02f, 6002, 5);
            const float under = smoothstep(0.2f, 0.95f, y / hz);
            c = mix(Rgb(60, 24, 60), Rgb(255, 130, 70), under * (0.5f + 0.5f * std::exp(-std::pow((x - sun.x()) / 500.0f, 2))));
            return smoothstep(0.55f, 0.72f, n) * 0.8f * (1.0f - 0.85f * textWeight(x, y)) * smoothstep(0.15f, 0.5f, y / hz);
        });
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            glow(p, sun, 120, Rgb(255, 230, 160), 1.0f);
            p.setBrush(QColor(255, 236, 180));
            p.drawEllipse(sun, 58, 58);
        }
        seaSurface(img, hz, Rgb(110, 40, 60), Rgb(20, 14, 40), 6003, 0.76f, 1.0f, Rgb(255, 170, 80));
        vignette(img, 0.3f, Rgb(5, 5, 20));
    } else if (v == 2) {  // Sun behind mountain ridges at the left, rays.
        const QPointF sun(W * 0.2f, H * 0.8f);
        shade(img, [&](float x, float y) {
            const Ramp r{{{0.0f, Rgb(16, 30, 74)}, {0.45f, Rgb(58, 46, 110)}, {0.72f, Rgb(150, 60, 90)}, {0.9f, Rgb(220, 110, 60)}}};
            Rgb c = r.at(y / H);
            const float dx = (x - sun.x()) / W, dy = (y - sun.y()) / H;
            const float d = std::sqrt(dx * dx + dy * dy * 1.6f);
            return c + Rgb(255, 150, 50) * (0.6f * std::exp(-d * d / 0.04f));
        });
        {
            QImage layer = newLayer();
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            for (int i = 0; i < 12; ++i) {
                const float a = -kPi + (i + 0.5f) * kPi / 12 + float(rng.range(-0.03, 0.03));
                const float wdt = float(rng.range(0.015, 0.04));
                QPainterPath ray;
                ray.moveTo(sun);
                ray.lineTo(sun + QPointF(std::cos(a - wdt), std::sin(a - wdt)) * 1600);
                ray.lineTo(sun + QPointF(std::cos(a + wdt), std::sin(a + wdt)) * 1600);
                ray.closeSubpath();
                QRadialGradient g(sun, 1300);
                g.setColorAt(0, Rgb(255, 200, 120).q(0.16f));
                g.setColorAt(1, Rgb(255, 200, 120).q(0));
                p.setPen(Qt::NoPen);
                p.setBrush(g);
                p.drawPath(ray);
            }
            glow(p, sun, 160, Rgb(255, 230, 170), 1.0f);
            p.setBrush(QColor(255, 240, 200));
            p.drawEllipse(sun, 60, 60);
            p.end();
            blur(layer, 9);
            composite(img, layer, QPainter::CompositionMode_Screen);
        }
        auto r1 = ridge(6011, H * 0.8f, 90, 0.0016f, 0.6f);
        dipCentre(r1, 60, W * 0.2f);
        fillRidge(img, r1, Rgb(110, 50, 90), Rgb(140, 70, 90), 200);
        auto r2 = ridge(6012, H * 0.87f, 80, 0.0013f, 0.5f);
        dipCentre(r2, 50, W * 0.25f);
        fillRidge(img, r2, Rgb(64, 30, 70), Rgb(80, 40, 76), 200);
        auto r3 = ridge(6013, H * 0.95f, 60, 0.0011f, 0.3f);
        dipCentre(r3, 40, W * 0.3f);
        fillRidge(img, r3, Rgb(30, 16, 42), Rgb(20, 10, 30), 200);
        vignette(img, 0.3f, Rgb(5, 5, 20));
    } else {  // Golden clouds at sunrise over dark fields.
        const QPointF sun(W * 0.62f, H * 0.93f);
        shade(img, [&](float x, float y) {
            const Ramp r{{{0.0f, Rgb(18, 40, 90)}, {0.4f, Rgb(50, 60, 120)}, {0.7f, Rgb(140, 70, 100)}, {0.92f, Rgb(230, 120, 60)}}};
            Rgb c = r.at(y / H);
            const float dx = (x - sun.x()) / W, dy = (y - sun.y()) / H;
            const float d = std::sqrt(dx * dx + dy * dy * 2.0f);
            return c + Rgb(255, 170, 60) * (0.5f * std::exp(-d * d / 0.025f));
        });
        // Large cloud bands lit gold and pink from below, at the top corners.
        shadeOver(img, [&](float x, float y, Rgb &c) {
            const float n = fbm(x * 0.0016f, y * 0.006f, 6021, 6, 0.55f);
            const float lit = clamp01(y / H * 1.6f);
            c = mix(Rgb(70, 40, 90), Rgb(255, 170, 110), lit * 0.7f + 0.3f * smoothstep(0.6f, 0.8f, n));
            const float area = 1.0f - 0.9f * textWeight(x, y);
            return smoothstep(0.5f, 0.68f, n) * 0.85f * area * (1.0f - smoothstep(0.6f, 0.85f, y / H));
        });
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            glow(p, sun, 110, Rgb(255, 230, 160), 1.0f);
        }
        auto field = ridge(6022, H * 0.93f, 20, 0.0015f);
        fillRidge(img, field, Rgb(40, 20, 40), Rgb(18, 10, 24), 80);
        {
            // Silhouettes of trees on the field at the left and right.
            QImage layer = newLayer();
            leafyTree(layer, QPointF(200, field[200] + 6), 260, Rgb(30, 16, 34), Rgb(20, 10, 24), rng);
            leafyTree(layer, QPointF(W - 180, field[W - 180] + 6), 200, Rgb(30, 16, 34), Rgb(20, 10, 24), rng);
            leafyTree(layer, QPointF(W - 330, field[W - 330] + 6), 130, Rgb(30, 16, 34), Rgb(20, 10, 24), rng);
            composite(img, layer);
        }
        {
            QPainter p(&img);
            bird(p, QPointF(W - 420, 300), 34, QColor(20, 15, 30, 200));
            bird(p, QPointF(W - 360, 330), 24, QColor(20, 15, 30, 180));
        }
        vignette(img, 0.3f, Rgb(5, 5, 20));
    }
    finish(img, 6099 + uint32_t(v));
    return img;
}

QImage mountains(int v) {
    QImage img = newCanvas();
    Rng rng(7000 + uint32_t(v));
    if (v == 1) {  // Layered blue ridges with morning mist.
        skyRamp(img, Ramp{{{0.0f, Rgb(166, 198, 230)}, {0.45f, Rgb(220, 234, 246)}, {0.7f, Rgb(244, 246, 246)}}}, 7001);
        wisps(img, 7002, 0, H * 0.5f, 0.56f, 0.4f, Rgb(255, 255, 255));
        const struct { float base, amp, scale, sharp, drop; Rgb crest, low; } layers[] = {
            {H * 0.60f, 120, 0.0014f, 0.6f, 90, Rgb(196, 210, 228), Rgb(236, 240, 244)},
            {H * 0.70f, 110, 0.0016f, 0.55f, 80, Rgb(160, 180, 206), Rgb(226, 232, 240)},
            {H * 0.79f, 100, 0.0013f, 0.5f, 70, Rgb(112, 138, 172), Rgb(210, 220, 232)},
            {H * 0.90f, 90, 0.0011f, 0.4f, 60, Rgb(62, 90, 124), Rgb(150, 170, 196)},
        };
        uint32_t s = 7003;
        for (const auto &l : layers) {
            auto r = ridge(s++, l.base, l.amp, l.scale, l.sharp);
            dipCentre(r, l.drop, W * 0.22f);
            fillRidgeMist(img, r, l.crest, l.low, l.base - l.amp * 0.6f, l.base + 140);
        }
        {
            QPainter p(&img);
            bird(p, QPointF(330, 230), 30, QColor(70, 80, 100, 170));
            bird(p, QPointF(380, 262), 22, QColor(70, 80, 100, 150));
        }
        veil(img, Rgb(242, 246, 248), 0.35f);
    } else if (v == 2) {  // Snow-capped peaks at both sides, green foothills.
        skyRamp(img, Ramp{{{0.0f, Rgb(108, 166, 226)}, {0.45f, Rgb(180, 214, 242)}, {0.75f, Rgb(228, 240, 248)}}}, 7011);
        wisps(img, 7012, 0, H * 0.45f, 0.55f, 0.5f, Rgb(255, 255, 255));
        // Pointed peaks at both sides, a low valley in the middle; drawn far to near.
        const struct { float cx, h, hw; } peaks[] = {{720, 150, 260},     {W - 720, 140, 240}, {-80, 380, 300},
                                                     {W + 40, 360, 300},  {430, 320, 330},     {W - 480, 330, 320},
                                                     {170, 480, 420},     {W - 200, 500, 440}};
        const float base = H * 0.76f;
        for (const auto &pk : peaks) peakWithSnow(img, pk.cx, base, pk.h, pk.hw, 1.0f - pk.h / 520.0f, rng);
        // Valley mist hides where the peaks' feet meet.
        shadeOver(img, [&](float x, float y, Rgb &c) {
            c = Rgb(214, 228, 242);
            return smoothstep(base - 90.0f, base + 10.0f, y + 14.0f * (fbm(x * 0.004f, y * 0.01f, 7018, 3) - 0.5f));
        });
        auto hills = ridge(7015, H * 0.84f, 50, 0.0012f);
        dipCentre(hills, 40, W * 0.3f);
        fillRidge(img, hills, Rgb(110, 170, 80), Rgb(60, 120, 50), 180, 0.1f, 7016);
        {
            QPainter p(&img);
            for (int i = 0; i < 60; ++i) {
                const float x = float(rng.range(0, W));
                if (textWeight(x, H * 0.5f) > 0.3f) continue;
                const float h = float(rng.range(60, 130));
                pineTree(p, QPointF(x, hills[size_t(x)] + float(rng.range(10, 60))), h, h * 0.45f, QColor(30, 80, 50),
                         QColor(40, 96, 60), rng);
            }
        }
        veil(img, Rgb(238, 244, 250), 0.4f);
    } else {  // Ink-wash peaks on rice paper.
        shade(img, [&](float x, float y) {
            const float fibre = fbm(x * 0.02f, y * 0.2f, 7021, 3) - 0.5f;
            const float blot = fbm(x * 0.003f, y * 0.003f, 7022, 4) - 0.5f;
            return Rgb(244, 238, 222) * (1.0f + 0.03f * fibre + 0.04f * blot);
        });
        // Peaks as ink washes: dark at the crest, dissolving into mist.
        const struct { float cx, base, width, height; float ink; uint32_t seed; } peaks[] = {
            {150, H * 0.95f, 420, 620, 0.85f, 7023}, {420, H * 0.98f, 300, 380, 0.6f, 7024},
            {W - 170, H * 0.95f, 440, 680, 0.9f, 7025}, {W - 450, H, 320, 400, 0.55f, 7026},
            {W * 0.5f, H * 1.02f, 900, 150, 0.3f, 7027}, {-60, H * 0.7f, 300, 250, 0.35f, 7028},
        };
        for (const auto &pk : peaks) {
            shadeOver(img, [&](float x, float y, Rgb &c) {
                const float u = (x - pk.cx) / pk.width;
                if (std::fabs(u) > 1.6f) return 0.0f;
                const float n = fbm1(x * 0.01f, pk.seed, 6) - 0.5f;
                const float bell = std::exp(-u * u * 2.2f);
                const float prof = bell * (1.0f + 0.35f * n) + 0.08f * std::sqrt(bell) * (fbm1(x * 0.03f, pk.seed + 1) - 0.5f);
                const float top = pk.base - pk.height * prof;
                if (y < top) return 0.0f;
                const float depth = (y - top) / (pk.height * 0.55f + 40.0f);
                const float texture = fbm(x * 0.02f, y * 0.008f, pk.seed + 2, 5);
                c = Rgb(40, 44, 48);
                const float ink = pk.ink * std::exp(-depth * 2.2f) * (0.55f + 0.6f * texture) * smoothstep(0.0f, 0.2f, bell);
                return ink * clamp01(y - top + 1.0f);
            });
        }
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            glow(p, QPointF(W - 300, 150), 70, Rgb(230, 120, 90), 0.35f);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(224, 110, 82, 120));
            p.drawEllipse(QPointF(W - 300, 150), 40, 40);
            bird(p, QPointF(W - 520, 250), 26, QColor(50, 50, 50, 170));
            bird(p, QPointF(W - 480, 275), 18, QColor(50, 50, 50, 150));
            bird(p, QPointF(W - 560, 285), 16, QColor(50, 50, 50, 140));
        }
        veil(img, Rgb(246, 242, 230), 0.12f);
    }
    finish(img, 7099 + uint32_t(v));
    return img;
}

}  // namespace gen
