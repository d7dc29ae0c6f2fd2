// Draws a whole event in a program folder with the real start-up and draw
// round and no window, while the disk fills up: scripts/fulldisk-test.sh runs
// it on a small file system.
//
//   diskdriver <program folder> <mode> <round>...
//
// Before the stop of each listed round (0-based) the disk is filled: mode
// "disk" writes <folder>/filler until the file system is full (every second
// fill then frees one 4 KB page again, so some writes of the stop still fit); mode
// "refuse" makes the program folder, dat\ and its files read-only instead
// (which stops any user but root).
// The stop then fails, one start retries while the disk is still full, the
// space is freed and the next start records the round. Prints one line per
// event: "revealed <level> <names>", "status <n>", "notice <text>".
// Exit 0 when every round is drawn, 2 on bad use, 3 when the draw got stuck,
// 5 when another program holds the folder.

#include "base/errors.h"
#include "base/folderlock.h"
#include "base/gbk.h"
#include "base/nulloperatorports.h"
#include "engine/draw.h"

#include <QDir>
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

// The program folder, dat\ and its files read-only, or writable again.
void refuseWrites(const QString &root, bool refuse)
{
    const auto set = [refuse](const QString &path) {
        QFile::Permissions p = QFile::permissions(path);
        const QFile::Permissions write = QFile::WriteOwner | QFile::WriteUser;
        QFile::setPermissions(path, refuse ? p & ~write : p | write);
    };
    const QString dat = root + QStringLiteral("/dat");
    for (const QFileInfo &file : QDir(dat).entryInfoList(QDir::Files))
        set(file.filePath());
    set(dat);
    set(root);
}

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
    if (argc < 3 || (std::strcmp(argv[2], "disk") != 0 && std::strcmp(argv[2], "refuse") != 0)) {
        std::fprintf(stderr, "usage: diskdriver <program folder> disk|refuse <round>...\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const bool refuse = std::strcmp(argv[2], "refuse") == 0;
    std::set<int> fillRounds;
    for (int i = 3; i < argc; ++i)
        fillRounds.insert(std::atoi(argv[i]));
    FolderLock lock(root);
    if (!lock.tryLock()) {
        std::fprintf(stderr, "%s\n", FolderLock::alreadyRunningText().toLocal8Bit().constData());
        return 5;
    }

    NullSound sound;
    PrintingOperator op;
    DrawRandom random = DrawRandom::fromSystem();
    Draw draw(ProgramFolder(root), op, sound, random);
    draw.startScreen();
    draw.startDraw();
    const ProgramFolder &folder = draw.folder();
    const QString filler = folder.path(QStringLiteral("filler"));
    const auto status = [&] { say(QStringLiteral("status ") + QString::fromLatin1(folder.readFirstLine(files::Status))); };
    status();

    int fills = 0;
    int presses = 0;
    const DrawState &state = draw.state();
    while (state.roundsLeft()) {
        if (++presses > 10 * state.roundCount() + 20)
            return 3;
        const int n = state.roundIndex();
        draw.start();
        if (!draw.rolling()) {
            status(); // the press retried a pending record
            continue;
        }
        draw.rollTick();
        const bool fill = fillRounds.erase(n) > 0;
        if (fill) {
            if (refuse)
                refuseWrites(root, true);
            else
                fillDisk(filler, fills % 2 == 1);
            ++fills;
        }
        draw.stop();
        const RoundFile round = RoundFile::read(folder, files::round(n));
        QStringList names;
        for (const QByteArray &name : round.names)
            names << gbk::decode(name);
        say(QStringLiteral("revealed %1 %2").arg(round.level()).arg(names.join(QLatin1Char(','))));
        status();
        if (fill && state.unrecorded()) {
            // Still full: the start key only retries, and starts nothing.
            draw.start();
            if (draw.rolling())
                return 3;
            status();
        }
        if (fill) {
            if (refuse)
                refuseWrites(root, false);
            else
                QFile::remove(filler);
        }
    }
    // The press after the last stop records a round still pending.
    if (state.unrecorded())
        draw.start();
    status();
    return state.unrecorded() ? 3 : 0;
}
