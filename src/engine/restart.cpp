#include "engine/restart.h"

#include "engine/drawfiles.h"
#include "base/errors.h"
#include "engine/stoprecord.h"
#include "engine/winners.h"

namespace sorvix::restart {

namespace {

// The levels whose winners files belong to the current draw.
int highestTableLevel(const Session &session)
{
    for (int level = LevelCount - 1; level >= 0; --level)
        if (session.awardTable[size_t(level)].enabled)
            return level;
    return -1;
}

} // namespace

QString historyNote()
{
    return QStringLiteral("重新抽奖前保存");
}

void restartDraw(Session &session, DrawPreparation &preparation, ScreenPort &screen, const QDateTime &now)
{
    // The results so far reach the history before anything is discarded; a
    // history that can't be written leaves the draw as it was.
    winners::appendHistory(session.folder, highestTableLevel(session), historyNote(), now);
    session.state.roundIndex = 0;
    if (!preparation.prepareDraw())
        throw OperationError(QStringLiteral("新的抽奖方案没能写入程序文件夹。"));
    drawfiles::writeStatus(session.folder, 0);
    screen.stopRolling();
    for (int slot = 1; slot <= 10; ++slot)
        screen.setSlot(slot, QByteArray());
    screen.setSlot(5, session.settings.options.startStopKeysText());
}

bool restartCommand(Session &session, DrawPreparation &preparation, OperatorPort &op, ScreenPort &screen,
                    SoundPort &sound, const QDateTime &now)
{
    if (op.confirm(QStringLiteral("所有名单将进入奖池重新抽奖，是否继续？")) != OperatorPort::Answer::Yes)
        return false;
    // A revealed round still unrecorded goes into the history with the rest.
    if (!stoprecord::settle(session, op, &screen))
        return false;
    try {
        restartDraw(session, preparation, screen, now);
    } catch (const OperationError &e) {
        op.showError(withWriteAdvice(e.message()));
        return false;
    }
    op.inform(QStringLiteral("重新初始化完成，现在可以开始抽奖。"));
    if (session.settings.options.soundOn)
        sound.stopEffects();
    return true;
}

} // namespace sorvix::restart
