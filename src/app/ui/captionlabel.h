#pragma once

#include <QLabel>
#include <QPixmap>

namespace sorvix {

// The caption strip's text. It moves a pixel every 10 ms across the strip; the
// text (up to 2500 bytes of winners) is drawn once into a picture and each
// tick only copies the part in view, so the scrolling stays smooth.
class CaptionLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_rendered;
    QString m_renderedText;
    QSize m_renderedSize;
    QColor m_renderedColour;
    QFont m_renderedFont;
};

} // namespace sorvix
