#include "app/drawround.h"

#include "engine/drawfiles.h"
#include "base/errors.h"
#include "base/gbk.h"
#include "engine/prize.h"
#include "engine/stoprecord.h"
#include "engine/winners.h"

#include <QRandomGenerator>

#include <exception>
#include <optional>

namespace sorvix {

namespace {

constexpr int SlotCount = 10;
constexpr int FirstNameLine = 4;
constexpr int HeadBeforeLine = 2;
constexpr int HeadAfterLine = 3;

const QString StartPressed = QStringLiteral("pics\\start2.jpg");
const QString StartReleased = QStringLiteral("pics\\start3.jpg");
const QString StopPressed = QStringLiteral("pics\\stop2.jpg");
const QString StopReleased = QStringLiteral("pics\\stop3.jpg");

bool endsWith(const Lines &lines, const Lines &tail)
{
    if (tail.size() > lines.size())
        return false;
    const qsizetype offset = lines.size() - tail.size();
    for (qsizetype i = 0; i < tail.size(); ++i)
        if (lines[offset + i] != tail[i])
            return false;
    return true;
}

// The winners of the rounds of `level` drawn before round n, in order. A
// level's rounds follow one another in the plan, so the walk back stops at the
// first round of another level. Empty optional when a round file can't be read.
std::optional<Lines> earlierRoundsOfLevel(const ProgramFolder &folder, int level, int n)
{
    Lines names;
    try {
        for (int m = n - 1; m >= 0; --m) {
            const RoundPlan round = drawfiles::readRound(folder, m);
            if (round.level != level)
                break;
            names = round.names + names;
        }
    } catch (const OperationError &) {
        return std::nullopt;
    }
    return names;
}

} // namespace

DrawRound::DrawRound(Session &session, ScreenPort &screen, SoundPort &sound, OperatorPort &op, DrawRoundHost &host)
    : m_session(session), m_screen(screen), m_sound(sound), m_operator(op), m_host(host),
      m_random(QRandomGenerator::system()->generate64())
{
}

bool DrawRound::slotLayout(int lineCount, int *firstSlot, int *winners)
{
    const int w = lineCount - FirstNameLine;
    if (w < 1 || w > SlotCount)
        return false;
    *winners = w;
    *firstSlot = 5 - (w - 1) / 2;
    return true;
}

bool DrawRound::isRolling() const
{
    return m_host.rollingTimerActive();
}

void DrawRound::startClicked()
{
    try {
        start();
    } catch (const OperationError &e) {
        m_operator.showError(e.message());
    }
}

void DrawRound::stopClicked()
{
    try {
        stop();
    } catch (const OperationError &e) {
        m_operator.showError(e.message());
    }
}

void DrawRound::keyPressed(char key)
{
    if (key != ' ' && key != '\r')
        return;
    const bool spaceStarts = m_session.settings.options.startStopKeys == 0;
    const bool starts = (key == ' ') == spaceStarts;
    try {
        if (starts)
            start();
        else
            stop();
    } catch (const OperationError &error) {
        // A key press never brings up an error box.
        reportQuietly("key press", error);
    } catch (const std::exception &error) {
        reportQuietly("key press", QString::fromLocal8Bit(error.what()));
    }
}

void DrawRound::startPressed() { m_host.setStartPicture(m_session.folder.path(StartPressed)); }
void DrawRound::startReleased() { m_host.setStartPicture(m_session.folder.path(StartReleased)); }
void DrawRound::stopPressed() { m_host.setEndPicture(m_session.folder.path(StopPressed)); }
void DrawRound::stopReleased() { m_host.setEndPicture(m_session.folder.path(StopReleased)); }

void DrawRound::rollTick()
{
    // A tick queued before the stop must not overwrite the revealed winners.
    if (!isRolling())
        return;
    const DrawPool &pool = m_session.pool;
    if (pool.empty())
        return;
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
    for (int slot = 1; slot <= SlotCount; ++slot)
        m_screen.setSlot(slot, pool[pick(m_random)].displayText);
}

void DrawRound::start()
{
    if (!m_host.fullScreenLocked())
        m_host.enterFullScreen();
    m_host.hideMenus();
    m_host.setStartPicture(m_session.folder.path(StartReleased));
    if (isRolling())
        return;
    // A revealed round whose records failed is written first; the press that
    // writes it starts nothing.
    if (m_session.state.unrecorded) {
        stoprecord::settle(m_session, m_operator, &m_screen);
        return;
    }

    const DrawState &state = m_session.state;
    if (state.makeupActive) {
        startRollingFrom(files::makeupRound(state.makeupIndex));
    } else if (state.roundIndex < state.roundCount) {
        startRollingFrom(files::round(state.roundIndex));
    } else if (state.roundCount != 0) {
        m_sound.stopMusic();
        if (m_session.settings.options.soundOn)
            m_sound.stopEffects();
        if (m_operator.confirm(QStringLiteral("抽奖已经全部完成，是否显示最后结果？\r")) == OperatorPort::Answer::Yes)
            m_host.showResults();
    } else {
        m_operator.inform(QStringLiteral("暂时无法抽奖，可能是人员名单或奖项设置还没有完成。"));
    }
}

void DrawRound::stopBackgroundMusic()
{
    m_sound.setRepeatTimerRunning(false);
    m_sound.stopMusic();
}

void DrawRound::startRollingFrom(const QString &roundFile)
{
    stopBackgroundMusic();
    if (m_session.settings.options.soundOn)
        m_sound.startLoop(m_session.folder.path(files::StartSound));
    // A missing round file (a refused preparation) leaves the screen as it is.
    if (!m_session.folder.exists(roundFile))
        return;
    showRound(m_session.folder.readLines(roundFile));
    m_host.startRollingTimer();
}

void DrawRound::showRound(const Lines &lines)
{
    m_screen.setHead(lines.value(HeadBeforeLine));
    int first = 0;
    int winners = 0;
    if (slotLayout(int(lines.size()), &first, &winners)) {
        for (int slot = 1; slot <= SlotCount; ++slot)
            m_screen.setSlotVisible(slot, slot >= first && slot < first + winners);
    }
    const int level = textfile::toNumber(lines.value(0));
    presentPrize(m_screen, m_session.folder, levelOf(level), m_session.settings.options);
}

const AwardLevel &DrawRound::levelOf(int level) const
{
    if (level < 0 || level >= LevelCount)
        throw OperationError(QStringLiteral("奖项序号超出范围：%1").arg(level));
    return m_session.awardTable[level];
}

void DrawRound::stop()
{
    if (!m_host.fullScreenLocked())
        m_host.enterFullScreen();
    if (!isRolling())
        return;
    if (m_session.settings.options.soundOn) {
        m_sound.stopEffects();
        m_sound.playOnce(m_session.folder.path(files::StopSound));
    }
    m_host.stopRollingTimer();
    m_screen.setHead({});
    for (int slot = 1; slot <= SlotCount; ++slot)
        m_screen.setSlot(slot, {});
    recordStop();
}

void DrawRound::recordStop()
{
    const ProgramFolder &folder = m_session.folder;
    const DrawState &state = m_session.state;
    const bool makeup = state.makeupActive;
    const int index = makeup ? state.makeupIndex : state.roundIndex;
    const QString roundFile = makeup ? files::makeupRound(index) : files::round(index);

    // A round file that can't be read or names no level still moves the
    // counters on, but only after everything else: a revealed round is never
    // offered again.
    std::exception_ptr failure;
    Lines lines;
    bool read = false;
    try {
        lines = folder.readLines(roundFile);
        read = true;
        m_screen.setHead(lines.value(HeadAfterLine));
        int first = 0;
        int winners = 0;
        if (slotLayout(int(lines.size()), &first, &winners)) {
            for (int i = 0; i < winners; ++i)
                m_screen.setSlot(first + i, lines[FirstNameLine + i]);
        }
    } catch (const OperationError &) {
        failure = std::current_exception();
    }
    UnrecordedStop record;
    try {
        record = stoprecord::begin(m_session, makeup, index, lines, read);
    } catch (const OperationError &) {
        record = stoprecord::begin(m_session, makeup, index, {}, false);
        if (!failure)
            failure = std::current_exception();
    }

    // A write that fails keeps the round pending and the counters where the
    // disk has them; the operator hears of it at once, whichever key stopped.
    Lines winnersList;
    try {
        winnersList = stoprecord::complete(m_session, record);
    } catch (const OperationError &error) {
        m_operator.showError(stoprecord::failureNotice(record, error.message(), false));
        return;
    }
    if (failure)
        std::rethrow_exception(failure);
    showCaption(winnersList);
}

void DrawRound::showCaption(const Lines &winnersList)
{
    m_screen.setCaption(gbk::fromUtf8("恭喜 "));
    m_screen.setCaption(winners::captionText(winnersList));
}

bool recoverRecordedRound(Session &session)
{
    const ProgramFolder &folder = session.folder;
    DrawState &state = session.state;
    const int n = state.roundIndex;
    try {
        if (n < 0 || n >= state.roundCount || !folder.exists(files::Status) || !folder.exists(files::round(n)))
            return false;
        const RoundPlan round = drawfiles::readRound(folder, n);
        if (round.names.isEmpty() || !levelwinners::exists(folder, round.level))
            return false;
        const Lines recorded = levelwinners::readNames(folder, round.level);
        if (!endsWith(recorded, round.names))
            return false;
        // Two people may show the same text. A file holding exactly the
        // level's earlier rounds means the match is theirs, not this round's:
        // had this round been recorded, the file would be longer by its names.
        if (earlierRoundsOfLevel(folder, round.level, n) == recorded)
            return false;
    } catch (const OperationError &error) {
        reportQuietly("start-up (recovery of a stop)", error);
        return false;
    }
    // The round is drawn whatever fails from here on: resuming at it would
    // reveal and record it twice. The list goes before status.dll, as in a
    // stop, so a crash in between is recovered the same way again.
    try {
        winners::rebuildList(folder, session.settings.highestEnabledLevel());
    } catch (const OperationError &error) {
        reportQuietly("start-up (recovery of a stop)", error);
    }
    state.roundIndex = n + 1;
    try {
        drawfiles::writeStatus(folder, state.roundIndex);
    } catch (const OperationError &error) {
        reportQuietly("start-up (recovery of a stop)", error);
    }
    return true;
}

} // namespace sorvix
