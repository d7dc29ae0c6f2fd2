// The operator's commands on the draw: restart, give up, make up, the sound
// switch and the positions.

#include "engine/draw.h"

#include "base/errors.h"
#include "base/gbk.h"
#include "engine/drawfiles.h"
#include "engine/makeup.h"
#include "engine/prize.h"
#include "engine/winners.h"

namespace sorvix {

bool Draw::restart(const QDateTime &now)
{
    if (m_operator.confirm(QStringLiteral("所有名单将进入奖池重新抽奖，是否继续？")) != OperatorPort::Answer::Yes)
        return false;
    // A revealed round still unrecorded goes into the history with the rest.
    if (!settleRecord())
        return false;
    Prepared prepared = Prepared::Done;
    try {
        // The results so far reach the history before anything is discarded;
        // a history that can't be written leaves the draw as it was.
        appendHistory(QStringLiteral("重新抽奖前保存"), now);
        try {
            prepared = prepareAnew();
        } catch (const OperationError &error) {
            throw OperationError(QStringLiteral("新的抽奖方案没能写入程序文件夹。\r") + error.message());
        }
        drawfiles::writeStatus(m_folder, 0);
    } catch (const OperationError &error) {
        m_operator.showError(withWriteAdvice(error.message()));
        return false;
    }
    stopRolling();
    m_screen.showMessage(m_settings.options.startStopKeysText());
    tell(ScreenPart::Names);
    // More winners than people: the refusal has been told, and there is
    // nothing to draw yet.
    if (prepared == Prepared::Refused)
        return false;
    m_operator.inform(QStringLiteral("重新初始化完成，现在可以开始抽奖。"));
    if (m_settings.options.soundOn)
        m_sound.stopEffects();
    return true;
}

void Draw::appendHistory(const QString &note, const QDateTime &now) const
{
    winners::appendHistory(m_folder, highestLevel(), note, now);
}

Lines Draw::levelWinners(int level) const
{
    if (!levelwinners::exists(m_folder, level))
        return {};
    return levelwinners::readNames(m_folder, level);
}

bool Draw::giveUp(int level, int index)
{
    // A pending stop's append counts on its level's file as it is now.
    if (!settleRecord())
        return false;
    try {
        const Lines names = levelWinners(level);
        if (level < 0 || level >= LevelCount || index < 0 || index >= names.size())
            throw OperationError(QStringLiteral("列表索引越界 (%1)").arg(index));
        if (m_operator.confirm(QStringLiteral("从中奖名单中删除\r") + gbk::decode(names[index])) != OperatorPort::Answer::Yes)
            return false;
        Lines kept = names;
        kept.removeAt(index);
        // The struck-off winner does not go back to the pool remainder, so no
        // make-up can draw them again.
        const AwardLevel &award = m_settings.levels[size_t(level)];
        try {
            levelwinners::rewrite(m_folder, level, award.displayName, award.prizeText, kept);
        } catch (const OperationError &e) {
            // The file is replaced whole or not at all: the winner stays listed.
            m_operator.showError(withWriteAdvice(e.message()));
            return false;
        }
    } catch (const OperationError &e) {
        m_operator.showError(e.message());
        return false;
    }
    // The results window and the caption strip read the winners list:
    // someone who gave the prize up must not show there as a winner.
    try {
        setCaption(winners::captionText(winners::rebuildList(m_folder, highestLevel())));
    } catch (const OperationError &error) {
        m_operator.showError(withWriteAdvice(error.message()));
    }
    return true;
}

std::vector<int> Draw::makeupLevels() const
{
    return makeup::offeredLevels(m_folder, m_settings, m_state);
}

Draw::MakeupResult Draw::makeup(int level, int quantity)
{
    MakeupResult result;
    result.quantity = quantity;
    // The make-up counts the level's winners and may replace the make-up
    // round a pending stop belongs to: that stop is recorded first.
    if (!settleRecord())
        return result;
    try {
        const Lines levelFile = m_folder.readLines(files::levelWinners(level));
        if (level < 0 || level >= LevelCount)
            throw OperationError(QStringLiteral("无效的奖项 (%1)").arg(level));
        if (quantity < 1)
            return result;
        const AwardLevel &award = m_settings.levels[size_t(level)];
        const QString name = gbk::decode(award.displayName);
        const int winners = int(levelFile.size()) - levelwinners::HeaderLines;
        if (winners + quantity != award.quantityValue()) {
            const QString question = QStringLiteral("加上已经中奖的，总计将产成%1 %2 名，\r而本奖项共设置 %3 名，\r是否继续？")
                                         .arg(name)
                                         .arg(winners + quantity)
                                         .arg(gbk::decode(award.quantity));
            if (m_operator.confirm(question) != OperatorPort::Answer::Yes)
                return result;
        }
        const Lines remainder = drawfiles::readLeftover(m_folder);
        if (remainder.size() < quantity) {
            if (remainder.isEmpty()) {
                m_operator.inform(QStringLiteral("未中奖人数不够，无法再补抽。"));
                return result;
            }
            quantity = int(remainder.size());
            result.quantity = quantity;
            m_operator.inform(QStringLiteral("未中奖人数不够，只能再补抽 %1 名").arg(quantity));
        }

        // The rounds first, then the remainder without them: a failure on the
        // way leaves the remainder as it was. An earlier make-up still
        // pending loses its round files here.
        m_state.makeupDropped();
        emit progressChanged();
        const int roundFiles = makeup::writeRounds(m_folder, level, award, remainder.mid(0, quantity));
        drawfiles::writeLeftover(m_folder, remainder.mid(quantity));
        m_state.makeupPrepared(roundFiles);
        emit progressChanged();

        m_screen.head = gbk::fromUtf8("现在补抽") + award.displayName + ' ' + QByteArray::number(quantity)
                        + gbk::fromUtf8(" 名");
        prize::presentMakeup(m_screen, m_folder, award, m_settings.options);
        stopRolling();
        m_screen.showMessage(m_settings.options.startStopKeysText());
        tell(ScreenPart::Head | ScreenPart::Prizes | ScreenPart::Names);
        m_operator.inform(QStringLiteral("已经准备好补抽%1 %2 名").arg(name).arg(quantity));
        result.ready = true;
    } catch (const OperationError &e) {
        m_operator.showError(withWriteAdvice(e.message()));
    }
    return result;
}

void Draw::setSoundOn(bool on)
{
    // Saved first: the switch in force is the one on disk.
    AwardSettings changed = m_settings;
    changed.options.soundOn = on;
    try {
        awardfile::save(m_folder, changed);
    } catch (const OperationError &error) {
        m_operator.showError(QStringLiteral("音效开关没能保存：\r") + withWriteAdvice(error.message()));
        return;
    }
    m_settings.options.soundOn = on;
    if (on) {
        m_sound.setRepeatTimerRunning(true);
        m_sound.playMusic();
    } else {
        m_sound.stopMusic();
    }
    emit settingsChanged();
}

void Draw::setPosition(int DrawOptions::*field, int position)
{
    // Saved first: the position in force is the one on disk.
    DrawOptions changed = m_settings.options;
    changed.*field = position;
    awardfile::savePositions(m_folder, changed);
    m_settings.options.*field = position;
    emit settingsChanged();
}

void Draw::setCaptionPosition(int position)
{
    setPosition(&DrawOptions::captionPosition, position);
}

void Draw::setPrizePosition(int position)
{
    setPosition(&DrawOptions::prizePosition, position);
}

} // namespace sorvix
