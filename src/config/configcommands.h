#pragma once

#include "base/operatorports.h"
#include "config/confighost.h"
#include "engine/session.h"

#include <QDateTime>
#include <QStringList>
#include <functional>

namespace sorvix {

// The commands of "操作控制" that carry the whole set-up: saving it to a
// configuration bundle, importing one, and restoring the factory settings
// from the DLL folder.
class ConfigCommands
{
public:
    ConfigCommands(Session &session, ConfigHost &host, OperatorPort &op);
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

    static QString fileFilter() { return QStringLiteral("配置文件(*.drcf)|*.drcf"); }
    // The restorable files in the order they are restored.
    static const QStringList &factoryFiles();

    // "保存配置文件": the save dialog, the name rule, the overwrite question,
    // the bundle and the closing notice.
    void saveBundle();
    // Rewrites bgtheme.dll from the current theme, then writes the bundle to
    // the named file (atomically). Throws OperationError.
    void writeBundle(const QString &fileName);

    // "导入配置文件": the open dialog, then importFile.
    void importBundle();
    // Reads and checks the whole bundle; a wrong version or a damaged bundle
    // is reported and changes nothing. Otherwise every member file is
    // replaced, everything in memory reloaded and a fresh draw prepared.
    // Returns whether the bundle was imported.
    bool importFile(const QString &fileName);

    // "恢复默认配置": the question, then restoreFactoryFiles and its notice.
    void restoreDefaults();
    // Copies the factory set over the settings files (a missing or failing
    // copy is skipped), reloads everything, prepares a fresh draw and shows
    // the main menu. Returns false when a copy or a reload step failed.
    bool restoreFactoryFiles();

private:
    // Brings every in-memory state in line with the files; false when a step failed.
    bool reloadEverything();

    Session &m_session;
    ConfigHost &m_host;
    OperatorPort &m_operator;
};

} // namespace sorvix
