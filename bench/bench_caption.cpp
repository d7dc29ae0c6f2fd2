// The caption strip's cost per scroll tick at 1080p: the winners list as a
// 2500-byte caption moved one pixel and the strip repainted, as every 10 ms
// on the night. Prints the average and worst time per tick.
#include "app/ui/captionlabel.h"
#include "base/gbk.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdio>

namespace {

QString winnersCaption()
{
    QByteArray text;
    const char *names[] = {"张伟", "王芳", "李娜", "刘强", "陈静", "杨磊", "赵敏", "黄勇"};
    for (int i = 0; text.size() < 2500; ++i)
        text += ' ' + sorvix::gbk::fromUtf8(names[i % 8]) + QByteArray::number(i);
    return sorvix::gbk::decode(text.left(2500));
}

void measure(const char *what, QLabel *label, QWidget *strip)
{
    constexpr int Ticks = 2000;
    label->setText(winnersCaption());
    label->adjustSize();
    label->move(strip->width(), 5);
    strip->repaint();
    double worst = 0;
    QElapsedTimer all;
    all.start();
    for (int i = 0; i < Ticks; ++i) {
        QElapsedTimer one;
        one.start();
        label->move(label->x() - 1, 5);
        strip->repaint();
        worst = std::max(worst, one.nsecsElapsed() / 1e6);
    }
    std::printf("%-34s %.3f ms per tick on average, worst %.3f ms (caption %d px wide)\n", what,
                all.nsecsElapsed() / 1e6 / Ticks, worst, label->width());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(19);
    for (int kind = 0; kind < 2; ++kind) {
        QWidget strip;
        strip.resize(1918, 30);
        strip.setAutoFillBackground(true);
        QLabel *label = kind == 0 ? new QLabel(&strip) : new sorvix::CaptionLabel(&strip);
        label->setFont(font);
        strip.show();
        while (!strip.windowHandle() || !strip.windowHandle()->isExposed())
            QApplication::processEvents();
        measure(kind == 0 ? "plain label (text drawn every tick)" : "caption label (text drawn once)", label, &strip);
    }
    return 0;
}
