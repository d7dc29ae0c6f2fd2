#include "config/configcommands.h"

#include "base/errors.h"
#include "base/gbk.h"
#include "config/bundle.h"
#include "config/version.h"

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

} // namespace

ConfigCommands::ConfigCommands(Session &session, ConfigHost &host, OperatorPort &op)
    : m_session(session), m_host(host), m_operator(op)
{
}

const QStringList &ConfigCommands::factoryFiles()
{
    static const QStringList names{files::Name,  files::IdNumber,         files::Mobile,  files::WorkId,
                                   files::Group, files::Theme,            files::ResultBackground,
                                   files::ScreenPositions, files::KeyWord,        files::ShowWord, files::Lottery};
    return names;
}

void ConfigCommands::saveBundle()
{
    const QString proposed = QStringLiteral("Sorvix") + now().toString(QStringLiteral("yyyyMMdd-hhmmss"))
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

void ConfigCommands::writeBundle(const QString &fileName)
{
    const Theme current = m_host.currentTheme();
    theme::save(m_session.folder, current);
    textfile::writeAll(fileName, bundle::collect(m_session, current).toBytes());
}

void ConfigCommands::importBundle()
{
    const QString name = m_operator.chooseOpenFile(fileFilter());
    if (name.isEmpty())
        return;
    importFile(name);
}

bool ConfigCommands::importFile(const QString &fileName)
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
    int replaced = 0;
    try {
        bundle::replaceFiles(m_session.folder, bundle.memberFiles(), &replaced);
    } catch (const OperationError &) {
        // A rename that failed part way: what is on disk now is brought into
        // memory. When nothing was replaced, nothing changes, the draw included.
        if (replaced > 0)
            reloadEverything();
        m_operator.showError(Damaged);
        return false;
    }
    if (!reloadEverything()) {
        m_operator.showError(Damaged);
        return false;
    }
    m_operator.inform(QStringLiteral("配置文件 ") + fileName + QStringLiteral(" 导入成功。"));
    return true;
}

bool ConfigCommands::reloadEverything()
{
    // The screen's start-up applies the new theme and reads the caption and
    // prize positions; the layout follows them.
    bool ok = m_host.rerunScreenStartup();
    m_host.relayout();
    ok = ok && m_host.reloadParticipants();
    ok = ok && m_host.reloadAwardSettings();
    if (ok)
        m_host.prepareFreshDraw();
    m_host.settingsReplaced();
    return ok;
}

void ConfigCommands::restoreDefaults()
{
    if (m_operator.confirm(QStringLiteral("所有设置将恢复到初始安装状态，请确认？")) != OperatorPort::Answer::Yes)
        return;
    if (restoreFactoryFiles())
        m_operator.inform(QStringLiteral("恢复默认设置成功。"));
    else
        m_operator.showError(QStringLiteral("对不起，恢复默认设置失败。\r请联系客服，或者重新安装软件。"));
}

bool ConfigCommands::restoreFactoryFiles()
{
    const ProgramFolder &folder = m_session.folder;
    bool copied = true;
    for (const QString &name : factoryFiles()) {
        // Each copy replaces its file atomically; one that fails is passed over.
        try {
            textfile::writeAll(folder.path(name), textfile::readAll(folder.path(QStringLiteral("DLL\\") + name)));
        } catch (const OperationError &) {
            copied = false;
        }
    }
    const bool reloaded = reloadEverything();
    m_host.showMainMenu();
    return copied && reloaded;
}

} // namespace sorvix
