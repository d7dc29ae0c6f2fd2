#include "engine/makeup.h"

#include "engine/drawfiles.h"
#include "engine/prize.h"
#include "engine/stoprecord.h"
#include "base/errors.h"
#include "base/gbk.h"

#include <QFileInfo>

#include <algorithm>

namespace sorvix {

namespace {

constexpr int MakeupRoundSize = 10;

QByteArray number(int value) { return QByteArray::number(value); }

} // namespace

GiveUpMakeUp::GiveUpMakeUp(Session &session, OperatorPort &op, ScreenPort &screen)
    : m_session(session), m_operator(op), m_screen(screen)
{
}

int GiveUpMakeUp::highestLevel() const
{
    for (int level = LevelCount - 1; level >= 0; --level)
        if (m_session.awardTable[size_t(level)].enabled)
            return level;
    return -1;
}

std::vector<int> GiveUpMakeUp::makeupLevels() const
{
    const int highest = highestLevel();
    const DrawState &state = m_session.state;
    // While rounds remain, the level drawn next and every level after it in
    // draw order still have winners to come.
    const bool roundsRemain = state.roundIndex < state.roundCount;
    const QByteArray next = roundsRemain ? m_session.folder.readFirstLine(files::round(state.roundIndex)) : QByteArray();
    const bool bigFirst = m_session.settings.options.order != 0;
    std::vector<int> levels;
    for (int item = 0; item <= highest; ++item) {
        const int level = bigFirst ? item : highest - item;
        if (roundsRemain && number(level) == next)
            break;
        levels.push_back(level);
    }
    return levels;
}

int GiveUpMakeUp::makeupLevel(int item) const
{
    if (item < 0)
        return -1;
    return m_session.settings.options.order != 0 ? item : highestLevel() - item;
}

Lines GiveUpMakeUp::giveUpList(int level) const
{
    if (!levelwinners::exists(m_session.folder, level))
        return {};
    return levelwinners::readNames(m_session.folder, level);
}

bool GiveUpMakeUp::giveUp(int level, int index)
{
    // A pending stop's append counts on its level's file as it is now.
    if (!stoprecord::settle(m_session, m_operator, &m_screen))
        return false;
    try {
        const Lines names = giveUpList(level);
        if (level < 0 || level >= LevelCount || index < 0 || index >= names.size())
            throw OperationError(QStringLiteral("列表索引越界 (%1)").arg(index));
        if (m_operator.confirm(QStringLiteral("从中奖名单中删除\r") + gbk::decode(names[index])) != OperatorPort::Answer::Yes)
            return false;
        Lines kept = names;
        kept.removeAt(index);
        // The struck-off winner does not go back to the pool remainder, so no
        // make-up can draw them again.
        const AwardLevel &award = m_session.awardTable[size_t(level)];
        try {
            levelwinners::rewrite(m_session.folder, level, award.displayName, award.prizeText, kept);
        } catch (const OperationError &e) {
            // The file is replaced whole or not at all: the winner stays listed.
            m_operator.showError(withWriteAdvice(e.message()));
            return false;
        }
        return true;
    } catch (const OperationError &e) {
        m_operator.showError(e.message());
        return false;
    }
}

QString GiveUpMakeUp::makeupQuantityRule(const QString &text)
{
    // Characters outside Latin-1 become '?', which the rule rejects.
    return isValidQuantity(text.toLatin1()) ? text : QStringLiteral("1");
}

GiveUpMakeUp::MakeupResult GiveUpMakeUp::makeup(int level, int quantity)
{
    MakeupResult result;
    result.quantity = quantity;
    const ProgramFolder &folder = m_session.folder;
    // The make-up counts the level's winners and may replace the make-up
    // round a pending stop belongs to: that stop is recorded first.
    if (!stoprecord::settle(m_session, m_operator, &m_screen))
        return result;
    try {
        const Lines levelFile = folder.readLines(files::levelWinners(level));
        if (level < 0 || level >= LevelCount)
            throw OperationError(QStringLiteral("无效的奖项 (%1)").arg(level));
        if (quantity < 1)
            return result;
        const AwardLevel &award = m_session.awardTable[size_t(level)];
        const QString name = gbk::decode(award.displayName);
        const int winners = int(levelFile.size()) - levelwinners::HeaderLines;
        const int set = award.quantityValue();
        if (winners + quantity != set) {
            const QString question = QStringLiteral("加上已经中奖的，总计将产成%1 %2 名，\r而本奖项共设置 %3 名，\r是否继续？")
                                         .arg(name)
                                         .arg(winners + quantity)
                                         .arg(gbk::decode(award.quantity));
            if (m_operator.confirm(question) != OperatorPort::Answer::Yes)
                return result;
        }

        Lines remainder = drawfiles::readLeftover(folder);
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
        // way leaves the pending state and the remainder as they were.
        const QByteArray makeup = gbk::fromUtf8("现在补抽") + award.displayName + gbk::fromUtf8("，共")
                                  + number(quantity) + gbk::fromUtf8("名，已抽取");
        const QByteArray ming = gbk::fromUtf8("名");
        // An earlier make-up still pending loses its round files here.
        DrawState &state = m_session.state;
        state.makeupActive = false;
        int roundFiles = 0;
        for (int taken = 0; taken < quantity; taken += MakeupRoundSize, ++roundFiles) {
            const int count = std::min(MakeupRoundSize, quantity - taken);
            Lines lines;
            lines << number(level) << gbk::fromUtf8("补抽") + award.displayName
                  << makeup + number(taken) + ming << makeup + number(taken + count) + ming;
            lines.append(remainder.mid(taken, count));
            textfile::writeLinesUnsynced(folder.path(files::makeupRound(roundFiles)), lines);
        }
        textfile::syncFolder(folder.path(QStringLiteral("datm")));
        drawfiles::writeLeftover(folder, remainder.mid(quantity));

        state.makeupIndex = 0;
        state.makeupCount = roundFiles;
        state.makeupActive = true;

        const DrawOptions &options = m_session.settings.options;
        m_screen.setHead(gbk::fromUtf8("现在补抽") + award.displayName + ' ' + number(quantity) + gbk::fromUtf8(" 名"));
        // Only the left-hand corner announces a make-up; the other corner
        // would still show an earlier level's prize.
        m_screen.hidePrizes();
        if (!options.prizeTextHidden)
            m_screen.showPrizeText(ScreenPort::Left, gbk::fromUtf8("奖品 ") + award.prizeText);
        const QString picture = prizePicture(m_session.folder, award.picturePath);
        if (!options.prizePictureHidden && !picture.isEmpty() && QFileInfo(picture).isFile())
            m_screen.showPrizePicture(ScreenPort::Left, picture);

        m_screen.stopRolling();
        for (int slot = 1; slot <= 10; ++slot)
            m_screen.setSlot(slot, QByteArray());
        m_screen.setSlot(5, options.startStopKeysText());

        m_operator.inform(QStringLiteral("已经准备好补抽%1 %2 名").arg(name).arg(quantity));
        result.ready = true;
    } catch (const OperationError &e) {
        m_operator.showError(withWriteAdvice(e.message()));
    }
    return result;
}

} // namespace sorvix
