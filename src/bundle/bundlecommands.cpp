#include "bundle/bundlecommands.h"

#include "base/errors.h"
#include "base/gbk.h"
#include "base/version.h"

#include <QDir>
#include <QFile>

namespace sorvix {

namespace {

const QString Damaged = QStringLiteral("导入失败，可能是配置文件已经损坏。");

// The first line of a file, looked at before the whole file is read: a file
// of another kind chosen by mistake is refused without loading all of it.
QByteArray versionLine(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw OperationError(QStringLiteral("无法打开文件：") + QDir::toNativeSeparators(fileName));
    // Split as the whole file is: a first line longer than this is no version.
    return textfile::splitLines(file.read(256)).value(0);
}

QString versionMessage(const QByteArray &version)
{
    return QStringLiteral("版本不匹配：配置文件版本是") + gbk::decode(version) + QStringLiteral("，当前软件版本是")
           + QString::fromLatin1(VersionText);
}

QString withReason(const QString &text, const QString &why)
{
    return why.isEmpty() ? text : text + QStringLiteral("\r") + why;
}

QString unpreparedAdvice()
{
    return QStringLiteral("\r请检查程序文件夹能否写入（磁盘空间、文件权限），然后使用“重新抽奖”。");
}

} // namespace

BundleCommands::BundleCommands(Draw &draw, ThemeChoice &theme, OperatorPort &op, QObject *parent)
    : QObject(parent), m_draw(draw), m_theme(theme), m_operator(op)
{
}

const QStringList &BundleCommands::factoryFiles()
{
    static const QStringList names{files::Name,  files::IdNumber,         files::Mobile,  files::WorkId,
                                   files::Group, files::Theme,            files::ResultBackground,
                                   files::ScreenPositions, files::KeyWord,        files::ShowWord, files::Lottery};
    return names;
}

void BundleCommands::saveBundle(const QDateTime &now)
{
    const QString proposed = QStringLiteral("Sorvix") + now.toString(QStringLiteral("yyyyMMdd-hhmmss"))
                             + QStringLiteral(".drcf");
    QString name = m_operator.chooseSaveFile(fileFilter(), proposed, OperatorPort::Replace::CallerAsks);
    if (name.isEmpty())
        return;
    // Only the exact lower-case extension counts.
    if (!name.endsWith(QStringLiteral(".drcf"), Qt::CaseSensitive))
        name += QStringLiteral(".drcf");
    if (textfile::exists(name)
        && m_operator.warnYesNo(name + QStringLiteral(" 已经存在，是否覆盖？")) != OperatorPort::Answer::Yes)
        return;
    try {
        writeBundle(name);
    } catch (const OperationError &error) {
        m_operator.showError(error.message());
        return;
    }
    m_operator.inform(QStringLiteral("所有配置（包括人员名单）都已成功保存！\r需要时可随时导入。"));
}

void BundleCommands::writeBundle(const QString &fileName)
{
    const Theme current = m_theme.theme();
    theme::save(m_draw.folder(), current);
    textfile::writeAll(fileName, bundle::collect(m_draw, current).toBytes());
}

void BundleCommands::importBundle()
{
    const QString name = m_operator.chooseOpenFile(fileFilter());
    if (name.isEmpty())
        return;
    importFile(name);
}

bool BundleCommands::importFile(const QString &fileName)
{
    Bundle bundle;
    try {
        if (const QByteArray version = versionLine(fileName); version != VersionText) {
            m_operator.showError(versionMessage(version));
            return false;
        }
        switch (Bundle::read(textfile::readAll(fileName), &bundle)) {
        case Bundle::Status::WrongVersion:
            m_operator.showError(versionMessage(bundle.version));
            return false;
        case Bundle::Status::Damaged:
            m_operator.showError(Damaged);
            return false;
        case Bundle::Status::Ok:
            break;
        }
    } catch (const OperationError &error) {
        // The bundle itself cannot be read.
        m_operator.showError(error.message());
        return false;
    }
    QString why;
    switch (replaceAndReload(bundle.memberFiles(), &why)) {
    case Replaced::Done:
        break;
    case Replaced::Unprepared:
        m_operator.showError(QStringLiteral("配置文件已经导入，但无法准备新的抽奖：\r") + why + unpreparedAdvice());
        return false;
    case Replaced::Refused:
        m_operator.showError(QStringLiteral("导入失败：磁盘或文件夹拒绝写入，配置没有改变。\r") + why);
        return false;
    case Replaced::PutBack:
        m_operator.showError(
            withReason(QStringLiteral("导入失败：替换或载入配置文件时出错，原有的配置文件已经全部恢复。"), why));
        return false;
    case Replaced::NotPutBack:
        m_operator.showError(withReason(QStringLiteral("导入失败：替换或载入配置文件时出错，原有的配置文件未能全部恢复。\r"
                                                       "请检查磁盘和文件夹是否允许写入。"),
                                        why));
        return false;
    }
    m_operator.inform(QStringLiteral("配置文件 ") + fileName + QStringLiteral(" 导入成功。"));
    return true;
}

BundleCommands::Replaced BundleCommands::replaceAndReload(std::vector<MemberFile> members, QString *why)
{
    bundle::Replacement replacement(m_draw.folder(), std::move(members));
    try {
        replacement.apply();
    } catch (const OperationError &error) {
        *why = error.message();
        if (!replacement.replacedAny())
            return Replaced::Refused;
        if (replacement.restored())
            return Replaced::PutBack;
        // What is on disk now is brought into memory; the draw stays.
        reloadEverything();
        return Replaced::NotPutBack;
    }
    if (const std::optional<QString> failed = reloadEverything()) {
        // The new files did not load: the old ones come back, and with them
        // what memory held; the draw, never prepared anew, stays where it was.
        *why = *failed;
        const bool putBack = replacement.undo();
        reloadEverything();
        return putBack ? Replaced::PutBack : Replaced::NotPutBack;
    }
    try {
        m_draw.prepareAnew();
    } catch (const OperationError &error) {
        *why = error.message();
        return Replaced::Unprepared;
    }
    return Replaced::Done;
}

std::optional<QString> BundleCommands::reloadEverything()
{
    std::optional<QString> failed;
    try {
        m_draw.reloadFromFiles();
    } catch (const OperationError &error) {
        failed = error.message();
    }
    // The screen shows the look the files name now.
    try {
        if (const std::optional<Theme> stored = theme::load(m_draw.folder()))
            m_theme.applyStored(*stored);
    } catch (const OperationError &error) {
        if (!failed)
            failed = error.message();
    }
    emit settingsReplaced();
    return failed;
}

bool BundleCommands::restoreDefaults()
{
    if (m_operator.confirm(QStringLiteral("所有设置将恢复到初始安装状态，请确认？")) != OperatorPort::Answer::Yes)
        return false;
    const ProgramFolder &folder = m_draw.folder();
    // All or nothing, as a bundle import: a factory file that cannot be read
    // changes nothing, and neither does a replacement or reload that fails.
    QString why;
    Replaced replaced = Replaced::Refused;
    try {
        std::vector<MemberFile> members;
        for (const QString &name : factoryFiles())
            members.push_back({name, textfile::readAll(folder.path(QStringLiteral("DLL\\") + name))});
        replaced = replaceAndReload(std::move(members), &why);
    } catch (const OperationError &error) {
        why = error.message();
    }
    emit mainMenuWanted();
    switch (replaced) {
    case Replaced::Done:
        m_operator.inform(QStringLiteral("恢复默认设置成功。"));
        return true;
    case Replaced::Unprepared:
        m_operator.showError(QStringLiteral("默认设置已经恢复，但无法准备新的抽奖：\r") + why + unpreparedAdvice());
        return false;
    default:
        m_operator.showError(
            withReason(QStringLiteral("对不起，恢复默认设置失败。\r请联系客服，或者重新安装软件。"), why));
        return false;
    }
}

} // namespace sorvix
