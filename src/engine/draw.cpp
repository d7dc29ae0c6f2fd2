#include "engine/draw.h"

#include "base/errors.h"
#include "base/gbk.h"
#include "engine/drawfiles.h"
#include "engine/prize.h"
#include "engine/stoprecord.h"
#include "engine/winners.h"

#include <QRandomGenerator>

#include <exception>
#include <optional>

namespace sorvix {

Draw::Draw(const ProgramFolder &folder, OperatorPort &op, SoundPort &sound, DrawRandom &random, QObject *parent)
    : QObject(parent), m_folder(folder), m_operator(op), m_sound(sound), m_random(random),
      m_rollRandom(QRandomGenerator::system()->generate64())
{
    m_rollTimer.setObjectName(QStringLiteral("rollingTimer"));
    m_rollTimer.setInterval(RollIntervalMs);
    connect(&m_rollTimer, &QTimer::timeout, this, &Draw::rollTick);
}

Draw::~Draw() = default;

// ---- what the screen shows ------------------------------------------------

void Draw::tell(ScreenParts parts)
{
    emit screenChanged(parts);
}

void Draw::setRolling(bool on)
{
    if (on)
        m_rollTimer.start();
    else
        m_rollTimer.stop();
    if (m_screen.rolling == on)
        return;
    m_screen.rolling = on;
    tell(ScreenPart::Rolling);
}

void Draw::setCaption(const QByteArray &text, int width)
{
    m_screen.caption = text;
    m_screen.captionWidth = width;
    tell(ScreenPart::Caption);
}

void Draw::showWinnersCaption(const Lines &winnersList)
{
    setCaption(gbk::fromUtf8("恭喜 "));
    setCaption(winners::captionText(winnersList));
}

void Draw::stopRolling()
{
    setRolling(false);
}

// ---- the round ------------------------------------------------------------

void Draw::guarded(Asked how, const char *where, void (Draw::*step)())
{
    QString failure;
    try {
        (this->*step)();
        return;
    } catch (const OperationError &error) {
        failure = error.message();
    } catch (const std::exception &error) {
        failure = QString::fromLocal8Bit(error.what());
    }
    // A key never brings up an error box in front of the audience.
    if (how == Asked::ByButton)
        m_operator.showError(failure);
    else
        reportQuietly(where, failure);
}

void Draw::start(Asked how)
{
    emit roundAsked(true);
    guarded(how, "start", &Draw::startRound);
}

void Draw::stop(Asked how)
{
    emit roundAsked(false);
    guarded(how, "stop", &Draw::stopRound);
}

void Draw::pressKey(Key key)
{
    const bool spaceStarts = m_settings.options.startStopKeys == 0;
    if ((key == Key::Space) == spaceStarts)
        start(Asked::ByKey);
    else
        stop(Asked::ByKey);
}

void Draw::next()
{
    if (rolling())
        stop(Asked::ByKey);
    else
        start(Asked::ByKey);
}

void Draw::rollTick()
{
    // A tick queued before the stop must not overwrite the revealed winners.
    if (!rolling() || m_pool.empty())
        return;
    std::uniform_int_distribution<std::size_t> pick(0, m_pool.size() - 1);
    for (QByteArray &name : m_screen.names)
        name = m_pool[pick(m_rollRandom)].displayText;
    m_screen.revealed.clear();
    tell(ScreenPart::Names);
}

void Draw::startRound()
{
    if (rolling())
        return;
    // A revealed round whose records failed is written first; the press that
    // writes it starts nothing.
    if (m_state.unrecorded()) {
        settleRecord();
        return;
    }
    if (m_state.makeupActive()) {
        startRollingFrom(files::makeupRound(m_state.makeupIndex()));
    } else if (m_state.roundsLeft()) {
        startRollingFrom(files::round(m_state.roundIndex()));
    } else if (m_state.roundCount() != 0) {
        m_sound.stopMusic();
        if (m_settings.options.soundOn)
            m_sound.stopEffects();
        if (m_operator.confirm(QStringLiteral("抽奖已经全部完成，是否显示最后结果？\r")) == OperatorPort::Answer::Yes)
            emit resultsWanted();
    } else {
        m_operator.inform(QStringLiteral("暂时无法抽奖，可能是人员名单或奖项设置还没有完成。"));
    }
}

void Draw::startRollingFrom(const QString &roundFile)
{
    m_sound.setRepeatTimerRunning(false);
    m_sound.stopMusic();
    if (m_settings.options.soundOn)
        m_sound.startLoop(m_folder.path(files::StartSound));
    // A missing round file (a refused preparation) leaves the screen as it is.
    if (!m_folder.exists(roundFile))
        return;
    const RoundFile round = RoundFile::read(m_folder, roundFile);
    m_screen.head = round.headBefore;
    if (round.fitsTheSlots())
        m_screen.showSlotsFor(int(round.names.size()));
    tell(ScreenPart::Head | ScreenPart::Names);
    prize::present(m_screen, m_folder, m_settings.levels[size_t(round.levelIndex())], m_settings.options);
    tell(ScreenPart::Prizes);
    setRolling(true);
}

void Draw::stopRound()
{
    if (!rolling())
        return;
    if (m_settings.options.soundOn) {
        m_sound.stopEffects();
        m_sound.playOnce(m_folder.path(files::StopSound));
    }
    setRolling(false);
    m_screen.head.clear();
    m_screen.showMessage({});
    recordStop();
}

void Draw::recordStop()
{
    const bool makeup = m_state.makeupActive();
    const int index = makeup ? m_state.makeupIndex() : m_state.roundIndex();
    const QString roundFile = makeup ? files::makeupRound(index) : files::round(index);

    // A round file that can't be read or names no level still moves the
    // counters on, but only after everything else: a revealed round is never
    // offered again.
    std::exception_ptr failure;
    std::optional<RoundFile> round;
    try {
        round = RoundFile::read(m_folder, roundFile);
        m_screen.head = round->headAfter;
        if (round->fitsTheSlots())
            m_screen.reveal(round->names);
    } catch (const OperationError &) {
        failure = std::current_exception();
    }
    tell(ScreenPart::Head | ScreenPart::Names);
    UnrecordedStop record;
    try {
        record = stoprecord::begin(m_folder, m_settings, makeup, index, round);
    } catch (const OperationError &) {
        record = stoprecord::begin(m_folder, m_settings, makeup, index, std::nullopt);
        if (!failure)
            failure = std::current_exception();
    }

    // A write that fails keeps the round pending and the counters where the
    // disk has them; the operator hears of it at once, whichever key stopped.
    Lines winnersList;
    try {
        winnersList = stoprecord::complete(m_folder, m_settings, record);
    } catch (const OperationError &error) {
        m_state.keepUnrecorded(record);
        emit progressChanged();
        m_operator.showError(stoprecord::failureNotice(record, error.message(), false));
        return;
    }
    m_state.recorded(record);
    emit progressChanged();
    if (failure)
        std::rethrow_exception(failure);
    showWinnersCaption(winnersList);
}

bool Draw::settleRecord()
{
    if (!m_state.unrecorded())
        return true;
    UnrecordedStop record = *m_state.unrecorded();
    Lines list;
    try {
        list = stoprecord::complete(m_folder, m_settings, record);
    } catch (const OperationError &error) {
        m_state.keepUnrecorded(record);
        emit progressChanged();
        m_operator.showError(stoprecord::failureNotice(record, error.message(), true));
        return false;
    }
    m_state.recorded(record);
    emit progressChanged();
    if (record.hasWinners)
        setCaption(winners::captionText(list));
    m_operator.inform(stoprecord::recordedNotice());
    return true;
}

// ---- the plan -------------------------------------------------------------

Draw::Prepared Draw::prepareAnew()
{
    // Whatever fails from here on, no round of the old plan is shown again.
    m_state.planDiscarded();
    emit progressChanged();
    plan::discardPrevious(m_folder);
    if (!m_settings.options.repeatedWins)
        plan::orderPoolOnce(m_pool, m_settings, m_random);
    const int participants = int(m_pool.size());
    const qint64 total = plan::totalWinners(m_settings);
    if (total > participants) {
        refuse(total, participants);
        return Prepared::Refused;
    }
    const int excluded = int(std::count_if(m_pool.begin(), m_pool.end(), [](const PoolEntry &e) {
        return grouptag::isExcluded(e.group);
    }));
    if (m_groupModeUnlocked && participants - total < excluded)
        m_operator.warn(QStringLiteral("设置的黑名单人数:%1 多于未获奖人数:%2\r将有黑名单人员会中奖！")
                            .arg(excluded)
                            .arg(participants - total));
    m_state.planWritten(plan::writeRounds(m_folder, m_pool, m_settings, m_random));
    emit progressChanged();
    announceFirstLevel();
    resetScreen();
    return Prepared::Done;
}

void Draw::refuse(qint64 total, int participants)
{
    m_operator.warn(QStringLiteral("设置的总获奖人数是:%1  多于参加的总人数:%2\r总获奖人数不得大于总参加人数！")
                        .arg(total)
                        .arg(participants));
    m_screen.showMessage(gbk::fromUtf8("获奖人数（") + QByteArray::number(total) + gbk::fromUtf8("）多于参加人数（")
                         + QByteArray::number(participants) + gbk::fromUtf8("），当前无法抽奖"));
    tell(ScreenPart::Names);
}

void Draw::announceFirstLevel()
{
    const int highest = highestLevel();
    if (highest < 0) {
        // Nothing to announce.
        m_screen.head.clear();
        m_screen.hidePrizes();
        tell(ScreenPart::Head | ScreenPart::Prizes);
        return;
    }
    const DrawOptions &options = m_settings.options;
    const auto &levels = m_settings.levels;
    const int announced = options.order == 0 ? highest : 0;
    const QByteArray ming = gbk::fromUtf8("名");
    if (options.order == 0)
        m_screen.head = gbk::fromUtf8("准备抽取") + levels[size_t(highest)].displayName + levels[size_t(highest)].quantity + ming;
    else
        m_screen.head = gbk::fromUtf8("准备抽取特等奖") + levels[0].quantity + ming;
    prize::present(m_screen, m_folder, levels[size_t(announced)], options);
    tell(ScreenPart::Head | ScreenPart::Prizes);
}

void Draw::resetScreen()
{
    const DrawOptions &options = m_settings.options;
    setRolling(false);
    m_screen.showMessage(options.startStopKeysText());
    tell(ScreenPart::Names);
    setCaption(options.title, 10 * int(options.title.size()));
}

} // namespace sorvix
