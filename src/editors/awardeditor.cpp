#include "editors/awardeditor.h"

#include "base/errors.h"
#include "base/gbk.h"
#include "base/working.h"

#include <algorithm>

namespace sorvix {


AwardEditor::AwardEditor(Draw &draw, OperatorPort &op)
    : m_draw(draw), m_operator(op)
{
}

QString AwardEditor::savedNotice() { return QStringLiteral("保存成功！"); }
QString AwardEditor::closeQuestion() { return QStringLiteral("是否保存所做的修改？"); }
QString AwardEditor::underwayQuestion()
{
    return closeQuestion() + QStringLiteral("\r【是】保存修改，所有名单进入奖池重新抽奖，【否】继续之前的抽奖。");
}

QString AwardEditor::unpreparedMessage(const QString &error)
{
    return QStringLiteral("奖项设置已保存，但无法准备新的抽奖：\r") + error
           + QStringLiteral("\r请检查程序文件夹能否写入（磁盘空间、文件权限），然后再保存一次。");
}

QString AwardEditor::pictureFilter() { return QStringLiteral("JPG,JPEG|*.jpg;*.jpeg"); }

QByteArray AwardEditor::quantityRule(const QByteArray &text)
{
    if (text.size() <= MaxQuantityDigits && isValidQuantity(text))
        return text;
    return QByteArrayLiteral("1");
}

void AwardEditor::notify()
{
    emit changed();
}

void AwardEditor::show(const AwardSettings &from)
{
    m_settings.options = from.options;
    for (int k = 0; k < LevelCount; ++k) {
        const AwardLevel &source = from.levels[size_t(k)];
        AwardLevel &level = m_settings.levels[size_t(k)];
        level.displayName = source.displayName;
        level.quantity = quantityRule(source.quantity);
        level.prizeText = source.prizeText;
        level.picturePath = source.picturePath;
        level.perRound = source.perRound;
    }
    // In file order, as the switches are set one after the other: a level
    // switched off locks the levels after it, which later lines may switch
    // on again. The file is shown as it is, not checked.
    for (int k = 0; k < LevelCount; ++k)
        setLevelEnabled(k, from.levels[size_t(k)].enabled);
    notify();
}

void AwardEditor::reload()
{
    try {
        m_draw.reloadAwardSettings();
    } catch (const OperationError &error) {
        m_operator.showError(error.message());
    }
    show(m_draw.settings());
}

void AwardEditor::windowShown()
{
    reload();
}

void AwardEditor::resetEdits()
{
    reload();
}

void AwardEditor::setLevelEnabled(int level, bool on)
{
    AwardLevel &switched = m_settings.levels[size_t(level)];
    if (switched.enabled == on)
        return;
    switched.enabled = on;
    // On, the next level becomes selectable and stays off until clicked. Off,
    // every later level goes off and is locked, so the enabled levels always
    // run unbroken from level 0. (The last level has no rule of its own.)
    if (!on)
        for (int k = level + 1; k < LevelCount; ++k)
            m_settings.levels[size_t(k)].enabled = false;
    notify();
}

void AwardEditor::setQuantity(int level, const QByteArray &text)
{
    QByteArray &quantity = m_settings.levels[size_t(level)].quantity;
    quantity = quantityRule(text);
    if (quantity != text)
        notify();
}

void AwardEditor::setDisplayName(int level, const QByteArray &text)
{
    m_settings.levels[size_t(level)].displayName = text;
}

void AwardEditor::setPrizeText(int level, const QByteArray &text)
{
    m_settings.levels[size_t(level)].prizeText = text;
}

void AwardEditor::setPicturePath(int level, const QByteArray &path)
{
    m_settings.levels[size_t(level)].picturePath = path;
}

void AwardEditor::setPerRound(int level, int perRound)
{
    const auto &choices = AwardSettings::perRoundChoices();
    if (std::find(choices.begin(), choices.end(), perRound) != choices.end())
        m_settings.levels[size_t(level)].perRound = perRound;
}

void AwardEditor::choosePicture(int level)
{
    const QString chosen = m_operator.chooseOpenFile(pictureFilter());
    if (chosen.isEmpty())
        return;
    // The path is kept in a GBK file: one that GBK cannot spell would name
    // no file after a save.
    const QByteArray path = gbk::encode(chosen);
    if (gbk::decode(path) != chosen) {
        m_operator.showError(QStringLiteral("图片文件的路径中有无法保存的字符，请换一个文件：\r") + chosen);
        return;
    }
    setPicturePath(level, path);
    notify();
}

void AwardEditor::setPosition(int &field, int position, void (Draw::*store)(int))
{
    try {
        (m_draw.*store)(position);
    } catch (const OperationError &error) {
        // The screen keeps its position, and the list shows it again.
        m_operator.showError(error.message());
        notify();
        return;
    }
    field = position;
}

void AwardEditor::captionPositionChosen(int position)
{
    setPosition(m_settings.options.captionPosition, position, &Draw::setCaptionPosition);
}

void AwardEditor::prizePositionChosen(int position)
{
    setPosition(m_settings.options.prizePosition, position, &Draw::setPrizePosition);
}

AwardEditor::Outcome AwardEditor::commit(bool announce)
{
    Working busy([this](bool on) { emit working(on); });

    try {
        m_draw.saveAwardSettings(m_settings);
    } catch (const OperationError &error) {
        m_operator.showError(error.message());
        return Outcome::Failed;
    }
    if (announce)
        m_operator.inform(savedNotice());
    // The controls show the settings as read back, which the draw now uses.
    show(m_draw.settings());
    try {
        return m_draw.prepareAnew() == Draw::Prepared::Refused ? Outcome::Refused : Outcome::Done;
    } catch (const OperationError &error) {
        m_operator.showError(unpreparedMessage(error.message()));
        return Outcome::Unprepared;
    }
}

bool AwardEditor::save()
{
    const bool underway = m_draw.state().underway();
    if (underway && m_operator.confirm(underwayQuestion()) != OperatorPort::Answer::Yes)
        return false;
    return commit(!underway) != Outcome::Failed;
}

bool AwardEditor::confirmClose()
{
    const bool underway = m_draw.state().underway();
    switch (m_operator.confirmWithCancel(underway ? underwayQuestion() : closeQuestion())) {
    case OperatorPort::Answer::Cancel:
        return false;
    case OperatorPort::Answer::No:
        // Unsaved edits go: the draw reads only what was saved, and the next
        // opening shows it.
        show(m_draw.settings());
        return true;
    case OperatorPort::Answer::Yes:
        break;
    }
    // A file that could not be written, or a plan refused for too many
    // winners or cut short, keeps the window open to put it right.
    return commit(false) == Outcome::Done;
}

} // namespace sorvix
