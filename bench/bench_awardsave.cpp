// A save in the award settings editor on the largest event: 100,000 people and
// all eleven levels at 999 winners. The save writes Tlottery.dll, reads the
// five column files and Tlottery.dll back into the raw settings lists, reads
// the settings back as the live ones, and prepares the draw anew. Printed per
// run: the whole save and each step's share of it, once with 10 per round
// (1,100 round files) and once with 1 per round (10,989 round files). The
// operator waits under the wait cursor for all of it.
//
//   bench_awardsave [people, default 100000] [runs, default 5]

#include "app/awardhost.h"
#include "base/gbk.h"
#include "editors/awardeditor.h"
#include "support/nullscreen.h"
#include "support/start.h"

#include "benchsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

using namespace sorvix;

namespace {

// The program's host, with the time each of its steps took.
class TimedHost : public AwardEditorHost
{
public:
    explicit TimedHost(DrawAwardHost &host) : m_host(host) {}
    std::map<const char *, double> ms;
    QElapsedTimer clock;
    double stoppedAt = 0, reloadAt = 0;

    template<typename F>
    auto timed(const char *step, F &&f)
    {
        QElapsedTimer t;
        t.start();
        struct Done
        {
            std::map<const char *, double> &ms;
            const char *step;
            QElapsedTimer &t;
            ~Done() { ms[step] += t.nsecsElapsed() / 1e6; }
        } done{ms, step, t};
        return f();
    }

    const AwardSettings &liveSettings() const override { return m_host.liveSettings(); }
    bool drawUnderway() const override { return m_host.drawUnderway(); }
    void stopRolling() override
    {
        m_host.stopRolling();
        stoppedAt = clock.nsecsElapsed() / 1e6;
    }
    void reloadRawSettingsLists() override
    {
        reloadAt = clock.nsecsElapsed() / 1e6;
        timed("reload raw settings lists", [&] { m_host.reloadRawSettingsLists(); });
    }
    void loadAwardSettings() override { timed("read the settings back", [&] { m_host.loadAwardSettings(); }); }
    void showStartStopKeys() override { m_host.showStartStopKeys(); }
    void restartRoundCount() override { m_host.restartRoundCount(); }
    void clearTooManyWinners() override { m_host.clearTooManyWinners(); }
    bool prepareDraw() override { return timed("prepareDraw", [&] { return m_host.prepareDraw(); }); }
    void setCaptionPosition(int p) override { m_host.setCaptionPosition(p); }
    void setPrizePosition(int p) override { m_host.setPrizePosition(p); }

private:
    DrawAwardHost &m_host;
};

void writeEvent(const ProgramFolder &folder, int people)
{
    for (const char *sub : {"data", "dat", "datm"})
        QDir(folder.root()).mkdir(QLatin1String(sub));
    for (int c = 0; c < ColumnCount; ++c) {
        Lines lines;
        lines.reserve(people + 1);
        lines.append(ParticipantList::columnCaption(c));
        for (int i = 0; i < people; ++i) {
            switch (c) {
            case ColName: lines.append(gbk::encode(QStringLiteral("员工%1").arg(i))); break;
            case ColMobile: lines.append("138" + QByteArray::number(10000000 + i)); break;
            case ColIdNumber: lines.append("11010519800101" + QByteArray::number(1000 + i % 9000)); break;
            case ColWorkId: lines.append("E" + QByteArray::number(i)); break;
            default: lines.append(QByteArray()); break;
            }
        }
        folder.writeLines(ParticipantList::columnFile(c), lines);
    }
    awardfile::save(folder, AwardSettings::defaults());
}

void run(int people, int perRound, int runs)
{
    QTemporaryDir dir;
    const ProgramFolder folder(dir.path());
    writeEvent(folder, people);

    Session session;
    session.folder = folder;
    NullScreen screen;
    NullOperator op;
    NullSound sound;
    DrawRandom random = DrawRandom::fromSystem();
    DrawPreparation preparation(session, screen, op, random);
    Startup startup(session, screen, op, sound, preparation);
    test::startProgram(startup);
    DrawAwardHost host(session, screen, op, sound, preparation);
    TimedHost timed(host);
    AwardEditor editor(folder, op, timed);
    editor.windowShown();

    std::printf("\nsave of the award settings, %d people, 11 levels x 999, %d per round\n", people, perRound);
    std::printf("%-5s %10s %18s %18s %18s %18s %18s\n", "run", "total ms", "write ms (share)", "lists ms (share)",
                "read ms (share)", "prepare ms (share)", "other ms (share)");
    std::vector<double> totals;
    for (int r = 0; r < runs; ++r) {
        for (int k = 0; k < LevelCount; ++k) {
            editor.setLevelEnabled(k, true);
            editor.setQuantity(k, "999");
            editor.setPerRound(k, perRound);
        }
        timed.ms.clear();
        timed.clock.start();
        editor.save();
        const double total = timed.clock.nsecsElapsed() / 1e6;
        const double write = timed.reloadAt - timed.stoppedAt;
        const double lists = timed.ms["reload raw settings lists"];
        const double read = timed.ms["read the settings back"];
        const double prepare = timed.ms["prepareDraw"];
        const double other = total - write - lists - read - prepare;
        if (session.state.roundCount != 11 * ((999 + perRound - 1) / perRound))
            std::printf("unexpected round count %d\n", session.state.roundCount);
        const auto step = [total](double ms) {
            return QByteArray::number(ms, 'f', 1) + " (" + QByteArray::number(100 * ms / total, 'f', 1) + "%)";
        };
        std::printf("%-5d %10.1f %18s %18s %18s %18s %18s\n", r + 1, total, step(write).constData(),
                    step(lists).constData(), step(read).constData(), step(prepare).constData(),
                    step(other).constData());
        totals.push_back(total);
    }
    std::printf("median %.1f ms (write = Tlottery.dll, lists = the six raw settings lists, read = the settings "
                "read back, prepare = prepareDraw)\n",
                bench::median(totals));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int people = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    run(people, 10, runs);
    run(people, 1, runs);
    return 0;
}
