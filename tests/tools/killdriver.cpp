// Draws every remaining round of a program folder with the real draw round and
// no window, as fast as it can: the kill test kills it at random moments and
// checks what it left on disk.
//
//   killdriver <program folder> [--hold]
//
// Prints "ready" once start-up (with its recovery) is done, then draws until
// roundIndex reaches roundCount; with --hold, prints "ready" once it holds
// the folder and waits until killed. Exit 0 when done, 2 on bad use, 3 when a
// start did not roll, 4 on an error box, 5 when another program holds the
// folder (nothing is read or written then). Holds the folder's lock as the
// program does.

#include "app/drawround.h"
#include "support/headlesshost.h"
#include "support/nullscreen.h"
#include "engine/drawfiles.h"
#include "base/errors.h"
#include "base/folderlock.h"
#include "settings/awardsettings.h"

#include <cstdio>
#include <cstring>
#include <chrono>
#include <thread>

using namespace sorvix;

int main(int argc, char **argv)
{
    const bool hold = argc == 3 && std::strcmp(argv[2], "--hold") == 0;
    if (argc != 2 && !hold) {
        std::fprintf(stderr, "usage: killdriver <program folder> [--hold]\n");
        return 2;
    }
    FolderLock lock(QString::fromLocal8Bit(argv[1]));
    if (!lock.tryLock()) {
        std::fprintf(stderr, "%s\n", FolderLock::alreadyRunningText().toLocal8Bit().constData());
        return 5;
    }
    if (hold) {
        std::printf("ready\n");
        std::fflush(stdout);
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(1));
    }
    Session session;
    session.folder = ProgramFolder(QString::fromLocal8Bit(argv[1]));
    const ProgramFolder &folder = session.folder;
    try {
        if (folder.exists(files::Lottery))
            awardfile::loadInto(folder, session.settings);
        session.awardTable = session.settings.levels;
        // As the start-up reads them.
        session.state.roundCount = drawfiles::readRoundCount(folder);
        session.state.roundIndex = folder.exists(files::Status) ? drawfiles::readStatus(folder) : 0;
    } catch (const OperationError &e) {
        std::fprintf(stderr, "start-up: %s\n", e.message().toLocal8Bit().constData());
        return 2;
    }
    recoverRecordedRound(session);
    for (int i = 0; i < 16; ++i)
        session.pool.push_back({QByteArray::number(i), QByteArray::number(i), QByteArray()});

    NullScreen screen;
    NullSound sound;
    NullOperator op(OperatorPort::Answer::No);
    HeadlessHost host;
    DrawRound round(session, screen, sound, op, host);
    std::printf("ready %d\n", session.state.roundIndex);
    std::fflush(stdout);

    while (session.state.roundIndex < session.state.roundCount) {
        round.startClicked();
        if (!round.isRolling())
            return op.errors ? 4 : 3;
        round.rollTick();
        round.stopClicked();
        if (op.errors)
            return 4;
    }
    return 0;
}
