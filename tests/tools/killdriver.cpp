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

#include "base/folderlock.h"
#include "base/nulloperatorports.h"
#include "engine/draw.h"

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
    // The draw as the program builds and starts it; every question answered
    // Yes, so an unfinished draw is continued.
    NullSound sound;
    NullOperator op(OperatorPort::Answer::Yes);
    DrawRandom random = DrawRandom::fromSystem();
    Draw draw(ProgramFolder(QString::fromLocal8Bit(argv[1])), op, sound, random);
    draw.startScreen();
    draw.startDraw();
    if (op.errors)
        return 4;
    std::printf("ready %d\n", draw.state().roundIndex());
    std::fflush(stdout);

    while (draw.state().roundsLeft()) {
        draw.start();
        if (!draw.rolling())
            return op.errors ? 4 : 3;
        draw.rollTick();
        draw.stop();
        if (op.errors)
            return 4;
    }
    return 0;
}
