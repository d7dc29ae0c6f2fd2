#include "app/startup.h"

#include "app/drawround.h"
#include "engine/drawfiles.h"
#include "base/errors.h"
#include "base/gbk.h"
#include "engine/stoprecord.h"
#include "engine/winners.h"

namespace sorvix {

Startup::Startup(Session &session, DrawScreen &screen, OperatorPort &op, SoundPort &sound, DrawPreparation &preparation)
    : m_session(session), m_screen(screen), m_operator(op), m_sound(sound), m_preparation(preparation)
{
}

void Startup::loadRawSettingsLists()
{
    static const QString names[6] = {files::Name, files::Mobile, files::IdNumber, files::WorkId, files::Group, files::Lottery};
    // All six read before any is replaced: a file that can't be read leaves
    // the lists and the participant list as they were, together.
    std::array<Lines, 6> lists;
    for (int i = 0; i < 6; ++i)
        lists[i] = m_session.folder.readLines(names[i]);
    m_session.rawSettingsLists = std::move(lists);
    // The participant list shares the column lists (implicitly shared, no copy).
    for (int c = 0; c < ColumnCount; ++c)
        m_session.list.columns[c] = m_session.rawSettingsLists[c];
}

bool Startup::mainScreenCreate()
{
    const ProgramFolder &folder = m_session.folder;
    DrawState &state = m_session.state;
    state.makeupActive = false;
    m_session.settings.options.captionPosition = 0;
    try {
        loadRawSettingsLists();
        state.roundCount = drawfiles::readRoundCount(folder);
        awardfile::loadPositions(folder, m_session.settings.options);
        // A missing music file only means silence; the theme and the caption
        // below still matter on the night.
        try {
            m_sound.openMusic(folder.path(files::BackgroundMusic));
        } catch (const OperationError &error) {
            reportQuietly("start-up (music)", error);
        }
        m_sound.setRepeatTimerRunning(true);
        m_screen.formatTitles();
        if (const std::optional<Theme> stored = theme::load(folder); stored && applyTheme)
            applyTheme(*stored);
        if (folder.exists(files::WinnersList)) {
            m_screen.setCaption(gbk::fromUtf8("恭喜"));
            m_screen.setCaption(winners::captionText(folder.readLines(files::WinnersList)));
        }
        m_screen.hideMenus();
    } catch (const OperationError &error) {
        reportQuietly("start-up (draw screen)", error);
        return false;
    }
    return true;
}

void Startup::buildDisplayTexts()
{
    if (m_session.list.columns[ColName].isEmpty() && !m_session.folder.exists(files::Name))
        return;
    m_session.pool = buildPool(m_session.list, m_session.showFields);
}

void Startup::loadListSettings()
{
    m_session.keyField = keyfiles::loadKeyField(m_session.folder, m_session.keyField);
    m_session.showFields = keyfiles::loadShowFields(m_session.folder, m_session.showFields, m_session.keyField);
    buildDisplayTexts();
}

bool Startup::participantListCreate()
{
    try {
        loadListSettings();
    } catch (const OperationError &error) {
        reportQuietly("start-up (participant list)", error);
        return false;
    }
    return true;
}

void Startup::loadAwardSettings()
{
    // A failed read keeps what was read so far; the screen shows that.
    try {
        awardfile::loadInto(m_session.folder, m_session.settings);
    } catch (const OperationError &) {
        m_screen.applyAwardSettings(m_session.settings);
        throw;
    }
    m_screen.applyAwardSettings(m_session.settings);
}

void Startup::resumeDecision()
{
    const ProgramFolder &folder = m_session.folder;
    DrawState &state = m_session.state;
    if (!folder.exists(files::Status)) {
        state.roundIndex = 0;
        m_preparation.prepareDraw();
        return;
    }
    try {
        state.roundIndex = drawfiles::readStatus(folder);
    } catch (const OperationError &) {
        // The draw's progress is unknown: no round of the plan may be shown
        // (again) until the operator restarts the draw, which keeps the
        // results so far in the history first.
        state.roundIndex = 0;
        state.roundCount = 0;
        throw;
    }
    // No complete plan on disk (a preparation was cut short or refused):
    // there is nothing to resume and no round to count.
    if (state.roundCount == 0) {
        state.roundIndex = 0;
        m_preparation.prepareDraw();
        return;
    }
    // A stop that was cut short after recording its winners counts as drawn.
    if (recoverRecordedRound(m_session) && folder.exists(files::WinnersList))
        m_screen.setCaption(winners::captionText(folder.readLines(files::WinnersList)));
    if (state.roundIndex < 1) {
        m_preparation.prepareDraw();
    } else if (state.roundIndex == state.roundCount) {
        if (m_operator.confirm(QStringLiteral("抽奖已经全部完成，是否直接显示中奖结果？")) == OperatorPort::Answer::Yes)
            m_screen.showResults();
        m_screen.setSlot(5, gbk::fromUtf8("抽奖已经全部完成"));
    } else if (m_operator.confirm(QStringLiteral("上次抽奖还未完成，是否继续？\r【是】继续之前的抽奖，【否】重新抽奖。"))
               == OperatorPort::Answer::Yes) {
        const int level = drawfiles::roundLevel(folder, state.roundIndex);
        if (level >= 0 && level < LevelCount)
            m_screen.setHead(gbk::fromUtf8("准备抽取") + m_session.awardTable[size_t(level)].displayName);
    } else {
        state.roundIndex = 0;
        m_preparation.prepareDraw();
    }
}

bool Startup::awardSettingsCreate()
{
    try {
        loadAwardSettings();
        m_preparation.refreshAwardTable();
        m_session.tooManyWinners = false;
        m_screen.setSlot(5, m_session.settings.options.startStopKeysText());
        resumeDecision();
    } catch (const OperationError &error) {
        reportQuietly("start-up (award settings)", error);
        return false;
    }
    return true;
}

void Startup::startScreen()
{
    mainScreenCreate();
    // The titles are on the first frame already; a damaged settings file is
    // met again, and passed over the same way, by startDraw.
    try {
        loadAwardSettings();
    } catch (const OperationError &) {
    }
}

void Startup::startDraw()
{
    participantListCreate();
    awardSettingsCreate();
}

ExitQuestions::ExitQuestions(Session &session, OperatorPort &op)
    : m_session(session), m_operator(op)
{
}

bool ExitQuestions::confirmClose()
{
    // A revealed round still unrecorded is tried once more; after a restart
    // the resume shows the same winners again, so leaving is allowed.
    // A make-up is not resumed after a restart: its winners then live only
    // in the operator's notes.
    if (!stoprecord::settle(m_session, m_operator, nullptr)) {
        const QString consequence = m_session.state.unrecorded->makeup
            ? QStringLiteral("现在退出，本轮补抽的中奖者不会记入中奖名单，请以手工记录为准。")
            : QStringLiteral("现在退出，下次启动时选择继续抽奖会再次显示本轮的中奖者。");
        if (m_operator.confirm(QStringLiteral("本轮中奖结果还没有保存。") + consequence + QStringLiteral("\r是否仍然退出？"))
            != OperatorPort::Answer::Yes)
            return false;
    }
    const DrawState &state = m_session.state;
    const int highest = m_session.settings.highestEnabledLevel();
    // A history record that can't be written is reported and the operator
    // chooses whether to leave without it.
    const auto record = [&](const char *note) {
        try {
            winners::appendHistory(m_session.folder, highest, QString::fromUtf8(note), now());
        } catch (const OperationError &error) {
            return m_operator.confirm(QStringLiteral("抽奖历史记录没能保存：\r") + error.message() + QStringLiteral("\r")
                                      + writeFailureAdvice() + QStringLiteral("\r是否仍然退出？"))
                == OperatorPort::Answer::Yes;
        }
        return true;
    };
    if (state.roundCount > state.roundIndex) {
        if (m_operator.confirm(QStringLiteral("抽奖还没有结束，是否退出？")) != OperatorPort::Answer::Yes)
            return false;
        return record("抽奖结束前退出");
    }
    if (state.roundIndex != 0 && state.roundCount == state.roundIndex) {
        switch (m_operator.confirmWithCancel(QStringLiteral("退出前，是否导出中奖名单？"))) {
        case OperatorPort::Answer::Cancel:
            return false;
        case OperatorPort::Answer::Yes:
            if (exportWinners)
                exportWinners();
            break;
        case OperatorPort::Answer::No:
            break;
        }
        return record("抽奖完成");
    }
    if (state.roundIndex != 0)
        return record("抽奖完成");
    return true;
}

} // namespace sorvix
