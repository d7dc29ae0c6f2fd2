#include "app/ui/captionlabel.h"

#include <QPaintEvent>
#include <QPainter>

namespace sorvix {

void CaptionLabel::paintEvent(QPaintEvent *event)
{
    const QColor colour = palette().color(QPalette::WindowText);
    if (m_rendered.isNull() || m_renderedText != text() || m_renderedSize != size() || m_renderedColour != colour
        || m_renderedFont != font()) {
        const qreal ratio = devicePixelRatioF();
        m_rendered = QPixmap(size() * ratio);
        m_rendered.setDevicePixelRatio(ratio);
        m_rendered.fill(Qt::transparent);
        QPainter painter(&m_rendered);
        painter.setFont(font());
        painter.setPen(colour);
        painter.drawText(rect(), int(alignment()), text());
        m_renderedText = text();
        m_renderedSize = size();
        m_renderedColour = colour;
        m_renderedFont = font();
    }
    QPainter painter(this);
    painter.drawPixmap(event->rect(), m_rendered, QRectF(event->rect().topLeft() * m_rendered.devicePixelRatio(),
                                                         event->rect().size() * m_rendered.devicePixelRatio()));
}

} // namespace sorvix
