#pragma once

#include "base/operatorports.h"
#include "bundle/bundle.h"
#include "bundle/confighost.h"
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
    // replaced, everything in memory reloaded and a fresh draw prepared; a
    // failure on the way (a write refused, a rename or a reload failing)
    // puts every file back and is reported.
    // Returns whether the bundle was imported.
    bool importFile(const QString &fileName);

    // "恢复默认配置": the question, then restoreFactoryFiles and its notice.
    void restoreDefaults();
    // Puts the factory set in place of the settings files, all of them or
    // none, reloads everything, prepares a fresh draw and shows the main
    // menu. Returns false when it failed: the settings are then as before.
    bool restoreFactoryFiles();

private:
    enum class Replaced { Done, Refused, PutBack, NotPutBack };
    // Replaces the settings files together and reloads everything, with a
    // fresh draw. Refused: nothing was written. PutBack: a rename or the
    // reload failed and every file and the memory are as before (the draw
    // too). NotPutBack: the old files could not all be put back. `why` holds
    // the file error, if one.
    Replaced replaceAndReload(std::vector<MemberFile> members, QString *why);
    // Brings every in-memory state in line with the files, and with `prepare`
    // a fresh draw when all went well; false when a step failed.
    bool reloadEverything(bool prepare);

    Session &m_session;
    ConfigHost &m_host;
    OperatorPort &m_operator;
};

} // namespace sorvix
