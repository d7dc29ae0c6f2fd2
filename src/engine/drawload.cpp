// The draw's files read at start-up and after the editors' and the bundle's
// saves.

#include "engine/draw.h"

#include "base/errors.h"
#include "base/gbk.h"
#include "engine/drawfiles.h"
#include "engine/winners.h"

#include <functional>

namespace sorvix {

namespace {

// The round files of `level` drawn before round n, in order. A level's rounds
// follow one another in the plan, so the walk back stops at the first round
// of another level. Empty optional when a round file can't be read.
std::optional<Lines> earlierRoundsOfLevel(const ProgramFolder &folder, int level, int n)
{
    Lines names;
    try {
        for (int m = n - 1; m >= 0; --m) {
            const RoundFile round = RoundFile::read(folder, files::round(m));
            if (round.level() != level)
                break;
            names = round.names + names;
        }
    } catch (const OperationError &) {
        return std::nullopt;
    }
    return names;
}

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

QString startupFailureNotice(const QStringList &failures)
{
    return QStringLiteral("启动时没能完成以下步骤：\r") + failures.join(QStringLiteral("\r"))
           + QStringLiteral("\r\r抽奖可能无法正常进行。请检查程序文件夹能否读写，必要时使用“恢复默认配置”。");
}

} // namespace

// ---- start-up -------------------------------------------------------------

void Draw::startScreen()
{
    // A replacement of files that belong together (a list save, a bundle)
    // that a crash cut short is finished before anything is read. The caller
    // holds the folder's lock, so no running program's replacement is met.
    try {
        textfile::completeReplacement(m_folder.root());
    } catch (const OperationError &error) {
        m_startupFailures << error.message();
    }
    m_state.makeupDropped();
    m_settings.options.captionPosition = 0;
    const auto step = [this](void (Draw::*read)()) {
        try {
            (this->*read)();
        } catch (const OperationError &error) {
            // Said once the screen is up; the same file met again is said once.
            if (!m_startupFailures.contains(error.message()))
                m_startupFailures << error.message();
        }
    };
    step(&Draw::readScreenFiles);
    // The titles are on the first frame already.
    step(&Draw::readAwardSettings);
}

void Draw::startDraw()
{
    const auto step = [this](void (Draw::*read)()) {
        try {
            (this->*read)();
            return true;
        } catch (const OperationError &error) {
            if (!m_startupFailures.contains(error.message()))
                m_startupFailures << error.message();
            return false;
        }
    };
    step(&Draw::readListFiles);
    if (step(&Draw::readAwardSettings)) {
        m_screen.names[nameslots::MessageLine - 1] = m_settings.options.startStopKeysText();
        tell(ScreenPart::Names);
        step(&Draw::resumeDecision);
    }
    if (!m_startupFailures.isEmpty())
        m_operator.showError(startupFailureNotice(m_startupFailures));
    m_startupFailures.clear();
}

void Draw::readColumns()
{
    // All five read before any is taken: a file that can't be read leaves the
    // list as it was, whole.
    std::array<Lines, ColumnCount> columns;
    for (int c = 0; c < ColumnCount; ++c)
        columns[size_t(c)] = m_folder.readLines(ParticipantList::columnFile(c));
    m_list.columns = std::move(columns);
}

void Draw::readScreenFiles()
{
    readColumns();
    m_state.readFromFiles(m_state.roundIndex(), drawfiles::readRoundCount(m_folder));
    emit progressChanged();
    awardfile::loadPositions(m_folder, m_settings.options);
    emit settingsChanged();
    // A missing music file only means silence; the caption below still
    // matters on the night.
    try {
        m_sound.openMusic(m_folder.path(files::BackgroundMusic));
    } catch (const OperationError &error) {
        reportQuietly("start-up (music)", error);
    }
    m_sound.setRepeatTimerRunning(true);
    if (m_folder.exists(files::WinnersList)) {
        setCaption(gbk::fromUtf8("恭喜"));
        setCaption(winners::captionText(m_folder.readLines(files::WinnersList)));
    }
}

void Draw::readListFiles()
{
    m_keyField = keyfiles::loadKeyField(m_folder, m_keyField);
    m_showFields = keyfiles::loadShowFields(m_folder, m_showFields, m_keyField);
    rebuildPool();
}

void Draw::rebuildPool()
{
    if (m_list.columns[ColName].isEmpty() && !m_folder.exists(files::Name))
        return;
    m_pool = buildPool(m_list, m_showFields);
}

void Draw::readAwardSettings()
{
    // A failed read keeps what was read so far; the screen shows that.
    try {
        awardfile::loadInto(m_folder, m_settings);
    } catch (const OperationError &) {
        emit settingsChanged();
        throw;
    }
    emit settingsChanged();
}

void Draw::resumeDecision()
{
    if (!m_folder.exists(files::Status)) {
        prepareAnew();
        return;
    }
    int drawn = 0;
    try {
        drawn = drawfiles::readStatus(m_folder);
    } catch (const OperationError &) {
        // The draw's progress is unknown: no round of the plan may be shown
        // (again) until the operator restarts the draw, which keeps the
        // results so far in the history first.
        m_state.readFromFiles(0, 0);
        emit progressChanged();
        throw;
    }
    m_state.readFromFiles(drawn, m_state.roundCount());
    emit progressChanged();
    // No complete plan on disk (a preparation was cut short or refused):
    // there is nothing to resume and no round to count.
    if (m_state.roundCount() == 0) {
        prepareAnew();
        return;
    }
    // A stop that was cut short after recording its winners counts as drawn.
    if (recoverRecordedRound() && m_folder.exists(files::WinnersList))
        setCaption(winners::captionText(m_folder.readLines(files::WinnersList)));
    if (m_state.roundIndex() < 1) {
        prepareAnew();
    } else if (m_state.finished()) {
        if (m_operator.confirm(QStringLiteral("抽奖已经全部完成，是否直接显示中奖结果？")) == OperatorPort::Answer::Yes)
            emit resultsWanted();
        m_screen.names[nameslots::MessageLine - 1] = gbk::fromUtf8("抽奖已经全部完成");
        tell(ScreenPart::Names);
    } else if (m_operator.confirm(QStringLiteral("上次抽奖还未完成，是否继续？\r【是】继续之前的抽奖，【否】重新抽奖。"))
               == OperatorPort::Answer::Yes) {
        const int level = RoundFile::read(m_folder, files::round(m_state.roundIndex())).level();
        if (level >= 0 && level < LevelCount) {
            m_screen.head = gbk::fromUtf8("准备抽取") + m_settings.levels[size_t(level)].displayName;
            tell(ScreenPart::Head);
        }
    } else {
        prepareAnew();
    }
}

bool Draw::recoverRecordedRound()
{
    // A stop cut off after its winners reached their level's file but before
    // status.dll moved on: the round is counted as drawn.
    const int n = m_state.roundIndex();
    try {
        if (n < 0 || !m_state.roundsLeft() || !m_folder.exists(files::round(n)))
            return false;
        const RoundFile round = RoundFile::read(m_folder, files::round(n));
        const int level = round.levelIndex();
        if (round.names.isEmpty() || !levelwinners::exists(m_folder, level))
            return false;
        const Lines recorded = levelwinners::readNames(m_folder, level);
        if (!endsWith(recorded, round.names))
            return false;
        // Two people may show the same text. A file holding exactly the
        // level's earlier rounds means the match is theirs, not this round's:
        // had this round been recorded, the file would be longer by its names.
        if (earlierRoundsOfLevel(m_folder, level, n) == recorded)
            return false;
    } catch (const OperationError &error) {
        reportQuietly("start-up (recovery of a stop)", error);
        return false;
    }
    // The round is drawn whatever fails from here on: resuming at it would
    // reveal and record it twice. The list goes before status.dll, as in a
    // stop, so a crash in between is recovered the same way again.
    m_state.countRecoveredRound();
    emit progressChanged();
    const auto write = [this](const std::function<void()> &step) {
        try {
            step();
        } catch (const OperationError &error) {
            m_startupFailures << withWriteAdvice(error.message());
        }
    };
    write([this] { winners::rebuildList(m_folder, highestLevel()); });
    write([this] { drawfiles::writeStatus(m_folder, m_state.roundIndex()); });
    return true;
}

// ---- the editors and the bundle -------------------------------------------

void Draw::reloadListSettings()
{
    readListFiles();
}

void Draw::reloadAwardSettings()
{
    readAwardSettings();
}

void Draw::saveList(const std::vector<std::array<QByteArray, ColumnCount>> &rows, int key, const ShowFields &show)
{
    std::vector<textfile::FileContents> contents = ParticipantList::columnContents(m_folder, rows);
    contents.push_back({m_folder.path(files::KeyWord), textfile::joinLines({textfile::fromNumber(key)})});
    contents.push_back({m_folder.path(files::ShowWord), textfile::joinLines(show.toLines())});
    try {
        textfile::replaceTogether(contents);
    } catch (const OperationError &) {
        // Whatever did reach the disk is what the draw holds: a save that got
        // past its commit point is finished first where the disk allows.
        try {
            textfile::completeReplacement(m_folder.root());
        } catch (const OperationError &) {
        }
        try {
            readColumns();
            readListFiles();
        } catch (const OperationError &) {
        }
        throw;
    }
    // The columns are what was just written: taken from those bytes, not
    // read back from the disk.
    for (int c = 0; c < ColumnCount; ++c)
        m_list.columns[size_t(c)] = textfile::splitLines(*contents[size_t(c)].bytes);
    readListFiles();
}

void Draw::saveAwardSettings(const AwardSettings &edited)
{
    stopRolling();
    awardfile::save(m_folder, edited);
    // The list is read again too, as the award save always has: the plan
    // that follows is drawn from the list on disk. The pool is rebuilt only
    // when the disk holds another list: rebuilding 100,000 people costs more
    // than the rest of the save.
    const std::array<Lines, ColumnCount> before = m_list.columns;
    readColumns();
    if (m_list.columns != before)
        rebuildPool();
    readAwardSettings();
    m_screen.names[nameslots::MessageLine - 1] = m_settings.options.startStopKeysText();
    tell(ScreenPart::Names);
}

void Draw::reloadFromFiles()
{
    m_state.makeupDropped();
    emit progressChanged();
    m_settings.options.captionPosition = 0;
    readScreenFiles();
    readListFiles();
    readAwardSettings();
    m_screen.names[nameslots::MessageLine - 1] = m_settings.options.startStopKeysText();
    tell(ScreenPart::Names);
}

} // namespace sorvix
