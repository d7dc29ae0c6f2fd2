// Draws a whole event in a program folder with the real start-up and draw
// round and no window, while the disk fills up: scripts/fulldisk-test.sh runs
// it on a small file system.
//
//   diskdriver <program folder> <mode> <round>...
//
// Before the stop of each listed round (0-based) the disk is filled: mode
// "disk" writes <folder>/filler until the file system is full (every second
// fill then frees one 4 KB page again, so some writes of the stop still fit); mode
// "seam" makes every write fail through the text file layer's test switch.
// The stop then fails, one start retries while the disk is still full, the
// space is freed and the next start records the round. Prints one line per
// event: "revealed <level> <names>", "status <n>", "notice <text>".
// Exit 0 when every round is drawn, 2 on bad use, 3 when the draw got stuck,
// 5 when another program holds the folder.

#include "app/drawround.h"
#include "support/headlesshost.h"
#include "app/startup.h"
#include "base/errors.h"
#include "base/folderlock.h"
#include "base/gbk.h"
#include "engine/drawfiles.h"
#include "support/nullscreen.h"
#include "engine/prepare.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

using namespace sorvix;

namespace {

void say(const QString &line)
{
    QString text = line;
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

class PrintingOperator : public NullOperator
{
public:
    PrintingOperator() : NullOperator(Answer::No) {}
    void inform(const QString &text) override { say(QStringLiteral("notice ") + text); }
    void warn(const QString &text) override { say(QStringLiteral("notice ") + text); }
    void showError(const QString &text) override { say(QStringLiteral("notice ") + text); }
};

// The slots as the window would show them.
class SlotScreen : public NullScreen
{
public:
    QByteArray slot[11];
    void setSlot(int s, const QByteArray &text) override { slot[s] = text; }
};

void fillDisk(const QString &filler, bool leaveRoom)
{
    QFile file(filler);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    const QByteArray block(4096, 'f');
    while (file.write(block) == block.size() && file.flush()) {
    }
    file.close();
    if (leaveRoom)
        file.resize(qMax<qint64>(0, file.size() - 4096));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3 || (std::strcmp(argv[2], "disk") != 0 && std::strcmp(argv[2], "seam") != 0)) {
        std::fprintf(stderr, "usage: diskdriver <program folder> disk|seam <round>...\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const bool seam = std::strcmp(argv[2], "seam") == 0;
    std::set<int> fillRounds;
    for (int i = 3; i < argc; ++i)
        fillRounds.insert(std::atoi(argv[i]));
    FolderLock lock(root);
    if (!lock.tryLock()) {
        std::fprintf(stderr, "%s\n", FolderLock::alreadyRunningText().toLocal8Bit().constData());
        return 5;
    }

    Session session;
    session.folder = ProgramFolder(root);
    SlotScreen screen;
    NullSound sound;
    PrintingOperator op;
    DrawRandom random = DrawRandom::fromSystem();
    DrawPreparation preparation(session, screen, op, random);
    Startup startup(session, screen, op, sound, preparation);
    startup.startScreen();
    startup.startDraw();
    HeadlessHost host;
    DrawRound round(session, screen, sound, op, host);
    const QString filler = session.folder.path(QStringLiteral("filler"));
    const auto status = [&] { say(QStringLiteral("status ") + QString::fromLatin1(session.folder.readFirstLine(files::Status))); };
    status();

    int fills = 0;
    int presses = 0;
    while (session.state.roundIndex < session.state.roundCount) {
        if (++presses > 10 * session.state.roundCount + 20)
            return 3;
        const int n = session.state.roundIndex;
        round.startClicked();
        if (!round.isRolling()) {
            status(); // the press retried a pending record
            continue;
        }
        round.rollTick();
        const bool fill = fillRounds.erase(n) > 0;
        if (fill) {
            if (seam)
                textfile::setFailingWrites([](const QString &) { return true; });
            else
                fillDisk(filler, fills % 2 == 1);
            ++fills;
        }
        round.stopClicked();
        const RoundPlan plan = drawfiles::readRound(session.folder, n);
        QStringList names;
        for (const QByteArray &name : plan.names)
            names << gbk::decode(name);
        say(QStringLiteral("revealed %1 %2").arg(plan.level).arg(names.join(QLatin1Char(','))));
        status();
        if (fill && session.state.unrecorded) {
            // Still full: the start key only retries, and starts nothing.
            round.startClicked();
            if (round.isRolling())
                return 3;
            status();
        }
        if (fill) {
            if (seam)
                textfile::setFailingWrites({});
            else
                QFile::remove(filler);
        }
    }
    // The press after the last stop records a round still pending.
    if (session.state.unrecorded)
        round.startClicked();
    status();
    return session.state.unrecorded ? 3 : 0;
}
