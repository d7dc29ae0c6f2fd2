// The start and stop buttons: glossy bodies in a thin gold bezel with the
// caption in a bold Chinese face, in the coordinates of a 76 x 33 button on
// Scale times as many pixels. Shapes are drawn four times larger and scaled
// down; the caption is drawn at the final size so it stays crisp.
#include "paint.h"
#include "scenes.h"

#include <QFont>
#include <QLinearGradient>
#include <QRadialGradient>

namespace gen {

QImage button(bool start, bool pressed) {
    constexpr int bw = 76, bh = 33, k = 4;
    QImage big(bw * k * Scale, bh * k * Scale, QImage::Format_ARGB32_Premultiplied);
    big.setDevicePixelRatio(Scale);
    const Rgb top = start ? Rgb(110, 220, 96) : Rgb(250, 96, 80);
    const Rgb mid = start ? Rgb(36, 160, 48) : Rgb(214, 30, 28);
    const Rgb low = start ? Rgb(14, 96, 26) : Rgb(128, 6, 10);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing);
        // Bezel: brushed gold, darker when pressed.
        QLinearGradient bezel(0, 0, 0, bh * k);
        const float dim = pressed ? 0.78f : 1.0f;
        bezel.setColorAt(0.0, (Rgb(255, 230, 150) * dim).q());
        bezel.setColorAt(0.5, (Rgb(200, 150, 60) * dim).q());
        bezel.setColorAt(1.0, (Rgb(120, 80, 20) * dim).q());
        p.fillRect(big.rect(), bezel);
        const QRectF body(2.2 * k, 2.2 * k, (bw - 4.4) * k, (bh - 4.4) * k);
        const qreal radius = 5.0 * k;
        // Dark seat under the body.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 20, 10, 200));
        p.drawRoundedRect(body.adjusted(-0.8 * k, -0.8 * k, 0.8 * k, 0.8 * k), radius + k, radius + k);
        QLinearGradient g(0, body.top(), 0, body.bottom());
        if (!pressed) {
            g.setColorAt(0.0, top.q());
            g.setColorAt(0.5, mid.q());
            g.setColorAt(1.0, low.q());
        } else {
            g.setColorAt(0.0, (low * 0.75f).q());
            g.setColorAt(0.45, (mid * 0.78f).q());
            g.setColorAt(1.0, (mid * 0.95f).q());
        }
        p.setBrush(g);
        p.drawRoundedRect(body, radius, radius);
        p.setClipRect(body);
        if (!pressed) {
            // Gloss over the upper half and a soft bounce light at the bottom.
            QPainterPath gloss;
            gloss.addRoundedRect(QRectF(body.left() + 1.5 * k, body.top() + 1.0 * k, body.width() - 3 * k, body.height() * 0.46),
                                 radius * 0.8, radius * 0.8);
            QLinearGradient gg(0, body.top(), 0, body.top() + body.height() * 0.46);
            gg.setColorAt(0.0, QColor(255, 255, 255, 170));
            gg.setColorAt(1.0, QColor(255, 255, 255, 25));
            p.setBrush(gg);
            p.drawPath(gloss);
            QRadialGradient bounce(QPointF(body.center().x(), body.bottom()), body.width() * 0.45);
            bounce.setColorAt(0, mix(top, Rgb(255, 255, 255), 0.3f).q(0.55f));
            bounce.setColorAt(1, top.q(0));
            p.setBrush(bounce);
            p.drawEllipse(QPointF(body.center().x(), body.bottom()), body.width() * 0.45, body.height() * 0.35);
        } else {
            // Inner shadow along the top edge: the button sits inside its seat.
            QLinearGradient sh(0, body.top(), 0, body.top() + body.height() * 0.35);
            sh.setColorAt(0.0, QColor(0, 0, 0, 130));
            sh.setColorAt(1.0, QColor(0, 0, 0, 0));
            p.setBrush(sh);
            p.drawRect(body);
        }
        p.setClipping(false);
        // Thin bright rim on the upper edge of the bezel.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 245, 200, pressed ? 90 : 170), 0.8 * k));
        p.drawLine(QPointF(0.4 * k, 0.5 * k), QPointF((bw - 0.4) * k, 0.5 * k));
    }
    QImage img = big.scaled(bw * Scale, bh * Scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    img.setDevicePixelRatio(Scale);

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f("Noto Sans CJK SC");
    f.setWeight(QFont::Bold);
    f.setPixelSize(18);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setHintingPreference(QFont::PreferNoHinting);
    p.setFont(f);
    const QString text = start ? QStringLiteral("开始") : QStringLiteral("停止");
    const QRectF box(1.5, pressed ? 1.0 : 0.0, bw, bh);  // spacing adds room after the last glyph
    p.setPen(QColor(0, 0, 0, pressed ? 110 : 150));
    p.drawText(box.translated(0, 1.2), Qt::AlignCenter, text);
    p.setPen(pressed ? QColor(236, 236, 220) : QColor(255, 255, 245));
    p.drawText(box, Qt::AlignCenter, text);
    p.end();
    return img;
}

}  // namespace gen
