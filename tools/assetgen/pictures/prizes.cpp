// The demonstration prizes of the factory set: a laptop, a tablet, wireless
// earphones and a vacuum cup, each a glossy object on a soft stage. Drawn four
// times larger and scaled down, so the edges stay smooth.
#include "paint.h"
#include "scenes.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace gen {

namespace {

constexpr int PW = 480, PH = 270, K = 2;

// A warm stage: a light backdrop falling to a darker floor, a soft spot
// behind the object and its shadow.
void stage(QPainter &p, const Rgb &tint) {
    QLinearGradient back(0, 0, 0, PH * K);
    back.setColorAt(0.0, mix(tint, Rgb(255, 255, 255), 0.82f).q());
    back.setColorAt(0.62, mix(tint, Rgb(255, 255, 255), 0.55f).q());
    back.setColorAt(0.63, mix(tint, Rgb(60, 40, 30), 0.25f).q());
    back.setColorAt(1.0, mix(tint, Rgb(40, 20, 10), 0.55f).q());
    p.fillRect(QRectF(0, 0, PW * K, PH * K), back);
    glow(p, QPointF(PW * K / 2.0, PH * K * 0.45), PW * K * 0.42f, Rgb(255, 255, 240), 0.75f);
    QRadialGradient shadow(QPointF(PW * K / 2.0, PH * K * 0.86), PW * K * 0.3);
    shadow.setColorAt(0, QColor(0, 0, 0, 110));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(PW * K / 2.0, PH * K * 0.86), PW * K * 0.3, PH * K * 0.06);
}

QLinearGradient metal(QPointF from, QPointF to, const Rgb &light, const Rgb &dark) {
    QLinearGradient g(from, to);
    g.setColorAt(0.0, light.q());
    g.setColorAt(0.55, mix(light, dark, 0.45f).q());
    g.setColorAt(1.0, dark.q());
    return g;
}

// A screen's picture: a blue-violet wash with a few light bands.
void screenGlow(QPainter &p, const QRectF &r, uint32_t seed) {
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(40, 110, 220));
    g.setColorAt(0.6, QColor(110, 70, 200));
    g.setColorAt(1, QColor(30, 30, 90));
    p.setBrush(g);
    p.drawRect(r);
    Rng rng(seed);
    for (int i = 0; i < 5; ++i) {
        const double y = r.top() + r.height() * rng.range(0.1, 0.9);
        QLinearGradient band(r.left(), y, r.right(), y);
        band.setColorAt(0, QColor(255, 255, 255, 0));
        band.setColorAt(0.5, QColor(255, 255, 255, 70));
        band.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(band);
        p.drawRect(QRectF(r.left(), y, r.width(), r.height() * rng.range(0.03, 0.08)));
    }
    // Gloss across the glass.
    QLinearGradient gloss(r.topLeft(), QPointF(r.left() + r.width() * 0.6, r.bottom()));
    gloss.setColorAt(0, QColor(255, 255, 255, 80));
    gloss.setColorAt(0.5, QColor(255, 255, 255, 10));
    gloss.setColorAt(0.51, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawRect(r);
}

void laptop(QPainter &p) {
    stage(p, Rgb(120, 160, 230));
    const double cx = PW * K / 2.0;
    // Lid with its screen.
    const QRectF lid(cx - 150 * K, 40 * K, 300 * K, 170 * K);
    p.setBrush(metal(lid.topLeft(), lid.bottomLeft(), Rgb(70, 74, 84), Rgb(20, 22, 28)));
    p.drawRoundedRect(lid, 10 * K, 10 * K);
    p.setPen(Qt::NoPen);
    screenGlow(p, lid.adjusted(10 * K, 10 * K, -10 * K, -12 * K), 11);
    // Base: a thin wedge.
    QPainterPath base;
    base.moveTo(cx - 175 * K, 222 * K);
    base.lineTo(cx + 175 * K, 222 * K);
    base.lineTo(cx + 165 * K, 210 * K);
    base.lineTo(cx - 165 * K, 210 * K);
    base.closeSubpath();
    p.setBrush(metal(QPointF(0, 210 * K), QPointF(0, 222 * K), Rgb(215, 220, 230), Rgb(120, 125, 140)));
    p.drawPath(base);
    p.setBrush(QColor(90, 95, 110));
    p.drawRoundedRect(QRectF(cx - 30 * K, 210 * K, 60 * K, 4 * K), 2 * K, 2 * K);
}

void tablet(QPainter &p) {
    stage(p, Rgb(230, 170, 120));
    const double cx = PW * K / 2.0;
    // Slightly turned: a body and its screen, on a small stand.
    p.save();
    p.translate(cx, 128 * K);
    p.rotate(-8);
    const QRectF body(-125 * K, -88 * K, 250 * K, 176 * K);
    p.setBrush(metal(body.topLeft(), body.bottomRight(), Rgb(235, 235, 240), Rgb(150, 150, 160)));
    p.drawRoundedRect(body, 16 * K, 16 * K);
    p.setBrush(QColor(20, 20, 26));
    p.drawRoundedRect(body.adjusted(6 * K, 6 * K, -6 * K, -6 * K), 12 * K, 12 * K);
    screenGlow(p, body.adjusted(14 * K, 14 * K, -14 * K, -14 * K), 23);
    p.restore();
    p.setBrush(metal(QPointF(cx - 40 * K, 0), QPointF(cx + 40 * K, 0), Rgb(200, 200, 210), Rgb(110, 110, 120)));
    p.drawRoundedRect(QRectF(cx - 45 * K, 222 * K, 90 * K, 10 * K), 4 * K, 4 * K);
}

void earphones(QPainter &p) {
    stage(p, Rgb(150, 210, 170));
    const double cx = PW * K / 2.0;
    // An open charging case and two buds.
    const QRectF caseBody(cx - 70 * K, 140 * K, 140 * K, 85 * K);
    p.setBrush(metal(caseBody.topLeft(), caseBody.bottomLeft(), Rgb(255, 255, 255), Rgb(200, 205, 210)));
    p.drawRoundedRect(caseBody, 36 * K, 36 * K);
    const QRectF lid(cx - 70 * K, 70 * K, 140 * K, 64 * K);
    p.setBrush(metal(lid.topLeft(), lid.bottomLeft(), Rgb(245, 246, 250), Rgb(190, 195, 205)));
    p.drawRoundedRect(lid, 32 * K, 32 * K);
    p.setBrush(QColor(60, 200, 120));
    p.drawEllipse(QPointF(cx, 192 * K), 4 * K, 4 * K);
    for (int side : {-1, 1}) {
        const double x = cx + side * 140 * K;
        p.setBrush(metal(QPointF(x - 30 * K, 0), QPointF(x + 30 * K, 0), Rgb(255, 255, 255), Rgb(185, 190, 200)));
        p.drawEllipse(QPointF(x, 130 * K), 30 * K, 34 * K);
        p.drawRoundedRect(QRectF(x - 9 * K, 140 * K, 18 * K, 80 * K), 9 * K, 9 * K);
        p.setBrush(QColor(40, 44, 52));
        p.drawEllipse(QPointF(x - side * 12 * K, 122 * K), 10 * K, 12 * K);
    }
}

void cup(QPainter &p) {
    stage(p, Rgb(230, 140, 150));
    const double cx = PW * K / 2.0;
    // A tall steel cup with a red sleeve and a lid.
    const QRectF body(cx - 52 * K, 70 * K, 104 * K, 160 * K);
    p.setBrush(metal(body.topLeft(), body.topRight(), Rgb(235, 60, 70), Rgb(120, 10, 20)));
    p.drawRoundedRect(body, 18 * K, 18 * K);
    QLinearGradient shine(body.topLeft(), body.topRight());
    shine.setColorAt(0.15, QColor(255, 255, 255, 0));
    shine.setColorAt(0.25, QColor(255, 255, 255, 120));
    shine.setColorAt(0.35, QColor(255, 255, 255, 0));
    p.setBrush(shine);
    p.drawRoundedRect(body, 18 * K, 18 * K);
    const QRectF ring(cx - 54 * K, 62 * K, 108 * K, 18 * K);
    p.setBrush(metal(ring.topLeft(), ring.topRight(), Rgb(240, 240, 245), Rgb(130, 130, 140)));
    p.drawRoundedRect(ring, 6 * K, 6 * K);
    const QRectF lid(cx - 46 * K, 32 * K, 92 * K, 34 * K);
    p.setBrush(metal(lid.topLeft(), lid.topRight(), Rgb(80, 80, 90), Rgb(20, 20, 26)));
    p.drawRoundedRect(lid, 12 * K, 12 * K);
}

}  // namespace

QImage prize(int level) {
    QImage big(PW * K, PH * K, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        switch (level) {
        case 0: laptop(p); break;
        case 1: tablet(p); break;
        case 2: earphones(p); break;
        default: cup(p); break;
        }
    }
    QImage img = big.scaled(PW, PH, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    grain(img, 2.0f, 700 + uint32_t(level));
    return img;
}

}  // namespace gen
