#include "engine/giveupform.h"

#include "base/errors.h"
#include "base/gbk.h"
#include "engine/makeup.h"

#include <algorithm>

namespace sorvix {

namespace {
// More than any pool holds: the remainder check then prepares what there is.
constexpr int MaxMakeupRequest = 1000000000;
} // namespace

GiveUpForm::GiveUpForm(Draw &draw, OperatorPort &op)
    : m_draw(draw), m_operator(op)
{
}

void GiveUpForm::activate()
{
    m_giveUpItems.clear();
    m_makeupItems.clear();
    const auto &levels = m_draw.settings().levels;
    const int highest = m_draw.highestLevel();
    for (int level = 0; level <= highest; ++level)
        m_giveUpItems << levels[size_t(level)].displayName;
    try {
        for (int level : m_draw.makeupLevels())
            m_makeupItems << levels[size_t(level)].displayName;
    } catch (const OperationError &error) {
        // The next round's file can't be read: no level can be offered safely.
        m_makeupItems.clear();
        m_operator.showError(error.message());
    }
    giveUpLevelChosen(m_giveUpItems.isEmpty() ? -1 : 0);
}

void GiveUpForm::giveUpLevelChosen(int item)
{
    m_giveUpItem = item;
    m_winners.clear();
    if (item < 0 || item >= m_giveUpItems.size())
        return;
    try {
        m_winners = m_draw.levelWinners(item);
    } catch (const OperationError &error) {
        m_operator.showError(error.message());
    }
}

bool GiveUpForm::giveUp(int row)
{
    if (m_giveUpItem < 0 || row < 0 || row >= m_winners.size()) {
        m_operator.warn(QStringLiteral("请先在名单中选择要弃奖的中奖人。"));
        return false;
    }
    const bool changed = m_draw.giveUp(m_giveUpItem, row);
    giveUpLevelChosen(m_giveUpItem);
    return changed;
}

QString GiveUpForm::makeUpQuantityChanged(const QString &text)
{
    return makeup::quantityRule(text);
}

bool GiveUpForm::makeUp(int item, QString *quantity)
{
    if (item < 0 || item >= m_makeupItems.size()) {
        m_operator.warn(QStringLiteral("请先选择要补奖的奖项。"));
        return false;
    }
    const int level = makeup::levelOfItem(m_draw.settings(), item);
    if (level < 0 || level >= LevelCount || !m_draw.folder().exists(files::levelWinners(level))) {
        const QByteArray name = level >= 0 && level < LevelCount ? m_draw.settings().levels[size_t(level)].displayName
                                                                 : QByteArray();
        m_operator.warn(gbk::decode(name) + QStringLiteral("还没有中奖名单，无法补奖。"));
        return false;
    }
    const QString text = makeUpQuantityChanged(quantity->trimmed());
    // Digits beyond any whole number the field can hold ask for everyone left.
    bool ok = false;
    const long long typed = text.toLongLong(&ok);
    const int q = ok ? int(std::min<long long>(typed, MaxMakeupRequest)) : MaxMakeupRequest;
    const Draw::MakeupResult result = m_draw.makeup(level, q);
    if (result.quantity != q || text != *quantity)
        *quantity = QString::number(result.quantity);
    return result.ready;
}

} // namespace sorvix
