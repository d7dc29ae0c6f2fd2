// The floor of the start-up benchmark: an empty Qt window started the same
// way, printing the monotonic clock at its first painted frame.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace {
class Probe : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                printf("first-frame %lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
                fflush(stdout);
                QApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }
    bool m_seen = false;
};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    Probe probe;
    window.installEventFilter(&probe);
    window.showFullScreen();
    return app.exec();
}
