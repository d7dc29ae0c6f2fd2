#pragma once

#include "base/operatorports.h"
#include "bundle/bundle.h"
#include "engine/draw.h"
#include "presentation/themechoice.h"

#include <QObject>

#include <QDateTime>
#include <QStringList>
#include <optional>

namespace sorvix {

// The commands of "操作控制" that carry the whole set-up: saving it to a
// configuration bundle, importing one, and restoring the factory settings
// from the DLL folder.
class BundleCommands : public QObject
{
    Q_OBJECT
public:
    BundleCommands(Draw &draw, ThemeChoice &theme, OperatorPort &op, QObject *parent = nullptr);

    static QString fileFilter() { return QStringLiteral("配置文件(*.drcf)|*.drcf"); }
    // The restorable files in the order they are restored.
    static const QStringList &factoryFiles();

    // "保存配置文件": the save dialog (proposing a name made from `now`), the
    // name rule, the overwrite question, the bundle and the closing notice.
    void saveBundle(const QDateTime &now);
    // Rewrites bgtheme.dll from the current theme, then writes the bundle to
    // the named file (atomically). Throws OperationError.
    void writeBundle(const QString &fileName);

    // "导入配置文件": the open dialog, then importFile.
    void importBundle();
    // Reads and checks the whole bundle; a wrong version or a damaged bundle
    // is reported and changes nothing. Otherwise every member file is
    // replaced, everything in memory reloaded and a fresh draw prepared; a
    // failure on the way (a write refused, a rename or a reload failing)
    // puts every file back and is reported. A fresh draw that cannot be
    // prepared is reported too, the bundle's settings then in force.
    // Returns whether the bundle was imported and the draw prepared.
    bool importFile(const QString &fileName);

    // "恢复默认配置": the question, then the factory set put in place of the
    // settings files, all of them or none, everything reloaded, a fresh draw
    // prepared, the main menu shown and the outcome told. Returns whether
    // all of it was done.
    bool restoreDefaults();

signals:
    // The settings files were replaced: windows that show settings read them again.
    void settingsReplaced();
    // The main menu is wanted on the draw screen.
    void mainMenuWanted();

private:
    enum class Replaced { Done, Unprepared, Refused, PutBack, NotPutBack };
    // Replaces the settings files together and reloads everything, with a
    // fresh draw. Refused: nothing was written. PutBack: a rename or the
    // reload failed and every file and the memory are as before (the draw
    // too). NotPutBack: the old files could not all be put back. Unprepared:
    // the new settings are in force but no fresh draw could be written.
    // `why` holds the file error, if one.
    Replaced replaceAndReload(std::vector<MemberFile> members, QString *why);
    // Brings every in-memory state in line with the files; the error of the
    // first step that failed, or nothing.
    std::optional<QString> reloadEverything();

    Draw &m_draw;
    ThemeChoice &m_theme;
    OperatorPort &m_operator;
};

} // namespace sorvix
