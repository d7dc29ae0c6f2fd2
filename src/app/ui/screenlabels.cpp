#include "app/ui/screenlabels.h"

#include "presentation/layout.h"

#include <QFontMetrics>
#include <QLabel>

namespace sorvix::screenlabels {

void setPointSize(QLabel *label, int points)
{
    QFont font = label->font();
    font.setPointSize(qMax(1, points));
    label->setFont(font);
}

void fitPrizeText(QLabel *label, int cornerPt)
{
    if (cornerPt > 0)
        label->setProperty("cornerPt", cornerPt);
    const int maxPt = label->property("cornerPt").toInt();
    if (maxPt <= 0)
        return;
    QFont font = label->font();
    font.setPointSize(maxPt);
    const QString text = label->text();
    const int room = label->width() - 2 * label->margin();
    int pt = layout::fittedPoints(maxPt, QFontMetrics(font).horizontalAdvance(text), room);
    for (; pt > 1; --pt) {
        font.setPointSize(pt);
        if (QFontMetrics(font).horizontalAdvance(text) <= room)
            break;
    }
    setPointSize(label, pt);
}

void setCentred(QLabel *label, bool centred)
{
    label->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
}

} // namespace sorvix::screenlabels
