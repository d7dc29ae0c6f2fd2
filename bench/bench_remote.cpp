// The phone remote on the night: the time from a phone's POST /api/next to
// the draw screen's round rolling, and what a phone polling twice a second
// costs the idle program (CPU of the program with the remote off, then on
// with a phone polling from another process). Reaches the server only at
// 127.0.0.1.
//
//   bench_remote [seconds per idle phase, default 10]
//   bench_remote --phone PORT KEY SECONDS     (the polling phone, started by the benchmark)
//   bench_remote --show SECONDS   (for scripts/remote-screenshots.sh: the draw screen full
//                                  screen with the "手机遥控" window open at 127.0.0.1, the
//                                  page's address on stdout; a round drawn at once, the
//                                  next one rolling from half time on)

#include "app/ui/remotewindow.h"

#include "benchprogram.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

using namespace sorvix;

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// Reads one whole response (head and Content-Length body) off a blocking socket.
bool readResponse(QTcpSocket &socket)
{
    QByteArray received;
    while (socket.waitForReadyRead(3000)) {
        received += socket.readAll();
        const qsizetype end = received.indexOf("\r\n\r\n");
        if (end < 0)
            continue;
        const qsizetype at = received.indexOf("Content-Length: ");
        const qsizetype length = received.mid(at + 16, received.indexOf('\r', at) - at - 16).toLongLong();
        if (received.size() >= end + 4 + length)
            return received.startsWith("HTTP/1.1 200");
    }
    return false;
}

int phone(quint16 port, const QByteArray &key, int seconds)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(3000))
        return 1;
    const QByteArray request = "GET /api/state?k=" + key + " HTTP/1.1\r\nHost: phone\r\n\r\n";
    QElapsedTimer clock;
    clock.start();
    int answered = 0;
    while (clock.elapsed() < seconds * 1000) {
        socket.write(request);
        socket.waitForBytesWritten(3000);
        answered += readResponse(socket);
        QThread::msleep(500);
    }
    std::printf("%d\n", answered);
    return 0;
}

// Runs the event loop for `seconds` and returns the program's CPU share of one core.
double idleShare(double seconds)
{
    const double cpu = bench::cpuMs() / 1e3;
    QElapsedTimer wall;
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    return (bench::cpuMs() / 1e3 - cpu) / (double(wall.elapsed()) / 1000.0);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 5 && QByteArray(argv[1]) == "--phone") {
        QCoreApplication app(argc, argv);
        return phone(quint16(QByteArray(argv[2]).toUInt()), argv[3], QByteArray(argv[4]).toInt());
    }
    QApplication app(argc, argv);
    const bool show = argc == 3 && QByteArray(argv[1]) == "--show";
    const int idleSeconds = argc > 1 && !show ? std::max(1, std::atoi(argv[1])) : 10;
    const QString program = bench::laidOutProgram();
    if (program.isEmpty())
        return 1;
    bench::WindowedProgram windowed(program);
    const ProgramFolder &folder = windowed.dir.folder();
    if (!show) {
        // The shipped levels one winner a round, ten each: the presses below
        // never reach the end of the draw and its question.
        AwardSettings settings = awardfile::load(folder);
        for (AwardLevel &level : settings.levels) {
            level.perRound = 1;
            level.quantity = "10";
        }
        awardfile::save(folder, settings);
    }
    DrawScreenWindow &screen = windowed.start();
    Draw &draw = windowed.program.draw();
    PhoneRemote &remote = windowed.program.phoneRemote();
    remote::RemoteServer &server = remote.server();
    if (show) {
        const int seconds = std::atoi(argv[2]);
        screen.goFullScreen();
        QCoreApplication::processEvents();
        draw.next();
        draw.next();
        remote.listenAddress = [] { return QHostAddress(QHostAddress::LocalHost); };
        remote.open(windowed.program.operatorWindow());
        std::printf("%s\n", qPrintable(server.url()));
        std::fflush(stdout);
        QTimer::singleShot(seconds * 500, &screen, [&] { draw.next(); });
        // exit(), not quit(): quit() would ask the draw screen its exit questions.
        QTimer::singleShot(seconds * 1000, &app, [] { QCoreApplication::exit(0); });
        return app.exec();
    }

    // Idle with the remote off.
    idleShare(1.0);
    const double off = idleShare(idleSeconds);

    if (!server.start(QHostAddress::LocalHost, 0)) {
        std::fprintf(stderr, "the remote did not start\n");
        return 1;
    }
    const quint16 port = server.port();
    const QByteArray key = server.key();

    // POST /api/next from another thread, as a phone would; the screen's loop
    // runs here. A start's step ends with the rolling, which the draw tells
    // its views last, after the draw screen.
    constexpr int Presses = 40;
    std::vector<Clock::time_point> sent(Presses), stepped(Presses), answered(Presses);
    std::atomic<int> index{0};
    std::atomic<bool> done{false};
    QObject::connect(&draw, &Draw::screenChanged, &screen, [&](ScreenParts parts) {
        if ((parts & ScreenPart::Rolling) && draw.rolling())
            stepped[size_t(index.load())] = Clock::now();
    });
    std::thread client([&] {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.waitForConnected(3000);
        const QByteArray request = "POST /api/next?k=" + key + " HTTP/1.1\r\nHost: phone\r\nContent-Length: 0\r\n\r\n";
        for (int i = 0; i < Presses; ++i) {
            index = i;
            sent[size_t(i)] = Clock::now();
            socket.write(request);
            socket.waitForBytesWritten(3000);
            readResponse(socket);
            answered[size_t(i)] = Clock::now();
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
        }
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    client.join();
    std::vector<double> toRolling, toAnswer;
    for (int i = 0; i < Presses; i += 2) { // the starts
        toRolling.push_back(ms(stepped[size_t(i)] - sent[size_t(i)]));
        toAnswer.push_back(ms(answered[size_t(i)] - sent[size_t(i)]));
    }
    std::sort(toRolling.begin(), toRolling.end());
    std::sort(toAnswer.begin(), toAnswer.end());
    std::printf("POST /api/next -> rolling started: median %.2f ms, max %.2f ms (%zu starts; target < 50 ms)\n",
                bench::median(toRolling), toRolling.back(), toRolling.size());
    std::printf("POST /api/next -> answer at the phone: median %.2f ms, max %.2f ms "
                "(the first start, which also takes the screen to full screen: %.2f ms)\n",
                bench::median(toAnswer), toAnswer.back(), ms(answered[0] - sent[0]));

    // Idle with the remote on and a phone polling from its own process, then
    // off again and on again: the machine may be busy with other work, so the
    // phases alternate and each kind is averaged.
    if (draw.rolling())
        draw.next();
    double offSum = off;
    double onSum = 0;
    QByteArray answeredPolls;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass > 0) {
            idleShare(1.0);
            offSum += idleShare(idleSeconds);
        }
        if (!server.isListening())
            server.start(QHostAddress::LocalHost, 0);
        QProcess phoneProcess;
        phoneProcess.start(QCoreApplication::applicationFilePath(),
                           {QStringLiteral("--phone"), QString::number(server.port()), QString::fromLatin1(server.key()),
                            QString::number(idleSeconds + 2)});
        phoneProcess.waitForStarted();
        idleShare(1.0);
        onSum += idleShare(idleSeconds);
        phoneProcess.waitForFinished(10000);
        answeredPolls += (pass ? " + " : "") + phoneProcess.readAllStandardOutput().trimmed();
        server.stop();
    }
    std::printf("idle CPU of the program: remote off %.2f %%, on with a phone polling twice a second %.2f %% "
                "of a core; difference %+.2f %% (target < 1 %%); polls answered %s\n",
                offSum / 2 * 100, onSum / 2 * 100, (onSum - offSum) / 2 * 100, answeredPolls.constData());
    server.stop();
    return 0;
}
