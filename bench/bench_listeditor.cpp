// The participant list editor on a large list, opened from the draw screen as
// the organiser opens it: the time from the menu item to the first painted
// grid (the first opening makes the window, the second only shows it again),
// the memory the open editor adds, and a save of the whole list (the five
// column files written, the list read back, the pool and the grid rebuilt;
// the preparation of the draw that follows is timed apart). The same figures
// for the shipped demonstration list stand beside them. Targets on the party
// laptop for 100,000 people: opening under 300 ms, saving under 300 ms, under
// 100 MB added. Needs a display (bench/run.sh starts Xvfb when none is set).
//
// Then the same with accessibility on, as when a screen reader or any other
// assistive tool listens: the benchmark runs itself again on a private AT-SPI
// bus (dbus-run-session and at-spi-bus-launcher of at-spi2-core). Target:
// opening under 1 s.
//
//   bench_listeditor [people, default 100000] [--accessible]

#include "base/ui/fontsetup.h"
#include "editors/ui/participantlistdialog.h"

#include "benchprogram.h"

#include <QAccessible>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QEventLoop>
#include <QFileInfo>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace sorvix;
using bench::Span;

namespace {

// Calls back once on the first paint of the list editor's grid.
class GridPaintWatch : public QObject
{
public:
    std::function<void()> painted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (painted && event->type() == QEvent::Paint && watched->parent()
            && watched->parent()->objectName() == QLatin1String("grid")) {
            const auto call = std::move(painted);
            painted = nullptr;
            call();
        }
        return false;
    }
};

struct Figures
{
    int people = 0;
    Span firstOpen;
    Span open;
    double addedMb = 0;
    Span save;
    Span prepare;
};

Figures measure(const QString &laidOut, int people)
{
    bench::WindowedProgram windowed(laidOut);
    if (people > 0)
        bench::writeList(windowed.dir.folder(), people);
    windowed.start();
    Application &program = windowed.program;

    Figures f;
    f.people = program.draw().list().count();
    GridPaintWatch watch;
    qApp->installEventFilter(&watch);
    const double rssBefore = bench::statusMegabytes("VmRSS:");

    // "人员名单" chosen, to the grid's first paint; the window is left open.
    const auto open = [&](const std::function<void(const Span &)> &painted) {
        QEventLoop loop;
        bool shown = false;
        const bench::Stopwatch opening;
        watch.painted = [&] {
            painted(opening.elapsed());
            shown = true;
            loop.quit();
        };
        program.run(MainMenus::Command::ParticipantList);
        if (!shown)
            loop.exec();
        return program.operatorWindow()->findChild<ParticipantListDialog *>();
    };
    // The first opening: the window is made, shown and painted.
    open([&](const Span &elapsed) {
        f.firstOpen = elapsed;
        f.addedMb = bench::statusMegabytes("VmRSS:") - rssBefore;
    })->close();
    // The second opening: the window shown again on the saved list.
    ParticipantListDialog *editor = open([&](const Span &elapsed) { f.open = elapsed; });

    // A save of the whole list; the draw's preparation that follows is
    // timed from its first signal on.
    bench::SignalMarks marks;
    marks.watch(&program.draw(), &Draw::progressChanged, "prepare");
    ParticipantTable &table = editor->editor().table();
    table.setData(table.index(0, 1), QStringLiteral("改名"));
    marks.start();
    editor->editor().save();
    const Span saved = marks.elapsed();
    f.save = marks.at("prepare", saved);
    f.prepare = saved - f.save;
    editor->hide();
    qApp->removeEventFilter(&watch);
    return f;
}

} // namespace

// Registers for every object, window and focus event on the accessibility
// bus, as a screen reader does: only then does the program send its events.
bool listenAsAssistiveTool()
{
    QDBusInterface bus(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"), QStringLiteral("org.a11y.Bus"),
                       QDBusConnection::sessionBus());
    const QDBusReply<QString> address = bus.call(QStringLiteral("GetAddress"));
    if (!address.isValid())
        return false;
    QDBusConnection listener = QDBusConnection::connectToBus(address.value(), QStringLiteral("assistive tool"));
    QDBusInterface registry(QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/registry"),
                            QStringLiteral("org.a11y.atspi.Registry"), listener);
    bool registered = true;
    for (const char *event : {"object:", "window:", "focus:"})
        registered = registry.call(QStringLiteral("RegisterEvent"), QString::fromLatin1(event), QStringList(), QString())
                             .type()
                         != QDBusMessage::ErrorMessage
                     && registered;
    return registered;
}

// This benchmark again, on a private accessibility bus with the bridge
// always on; false when at-spi2-core is not installed.
bool runAccessible(const char *self, int people)
{
    const char *launcher = "/usr/libexec/at-spi-bus-launcher";
    if (!QFileInfo::exists(QString::fromLatin1(launcher)) || std::system("command -v dbus-run-session >/dev/null") != 0)
        return false;
    const QByteArray command = QByteArray("QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 dbus-run-session -- "
                                          "sh -c '")
                               + launcher + " --launch-immediately & sleep 1; exec \"$0\" " + QByteArray::number(people)
                               + " --accessible' '" + self + "'";
    std::fflush(stdout);
    return std::system(command.constData()) == 0;
}

int main(int argc, char **argv)
{
    const bool accessible = argc > 2 && std::strcmp(argv[2], "--accessible") == 0;
    QApplication app(argc, argv);
    installChineseFaces();
    const int people = argc > 1 ? std::atoi(argv[1]) : 100000;
    const QString program = bench::laidOutProgram();
    if (program.isEmpty())
        return 1;
    if (accessible) {
        // The bridge starts with the first window; a window shown and gone
        // first keeps its start-up out of the figures.
        QWidget probe;
        probe.show();
        QCoreApplication::processEvents();
        const bool listening = listenAsAssistiveTool();
        QCoreApplication::processEvents();
        std::printf("with accessibility on (bridge %s, %s)\n", QAccessible::isActive() ? "active" : "NOT active",
                    listening ? "an assistive tool listening to every event" : "NO listener registered");
    }
    // Best of three for each figure: the machine may be busy with other work.
    const int Runs = accessible ? 1 : 3;
    Figures best[2];
    for (int run = 0; run < Runs; ++run) {
        for (int k = 0; k < 2; ++k) {
            const Figures f = measure(program, k == 0 ? people : 0);
            Figures &b = best[k];
            const auto keep = [&](Span &into, const Span &s) {
                if (run == 0 || s.wall < into.wall)
                    into.wall = s.wall;
                if (run == 0 || s.cpu < into.cpu)
                    into.cpu = s.cpu;
            };
            b.people = f.people;
            keep(b.firstOpen, f.firstOpen);
            keep(b.open, f.open);
            keep(b.save, f.save);
            keep(b.prepare, f.prepare);
            b.addedMb = run == 0 ? f.addedMb : std::max(b.addedMb, f.addedMb);
        }
    }
    const Figures &big = best[0];
    const Figures &demo = best[1];
    const auto row = [](const char *what, const Span &a, const Span &b, const char *target) {
        std::printf("%-42s %7.1f ms (cpu %6.1f) %7.1f ms (cpu %6.1f)%s\n", what, a.wall, a.cpu, b.wall, b.cpu, target);
    };
    std::printf("best of %d runs%28s %-24s %s\n", Runs, "", "large list", "demo list");
    std::printf("%-42s %10d %26d\n", "people", big.people, demo.people);
    const char *openTarget = accessible ? "   (target < 1000 ms)" : "   (target < 300 ms)";
    row("first opening to the painted grid", big.firstOpen, demo.firstOpen, openTarget);
    row("opening again to the painted grid", big.open, demo.open, openTarget);
    std::printf("%-42s %7.1f MB %22.1f MB   (target < 100 MB)\n", "memory added by the open editor (RSS, most)",
                big.addedMb, demo.addedMb);
    row("save: files written, list and grid reloaded", big.save, demo.save, "   (target < 300 ms)");
    row("then the preparation of the draw", big.prepare, demo.prepare, "");
    if (!accessible && !runAccessible(argv[0], people))
        std::printf("with accessibility on: not measured (needs dbus-run-session and at-spi2-core)\n");
    return 0;
}
