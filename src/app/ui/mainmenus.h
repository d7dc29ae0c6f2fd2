#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;

namespace sorvix {

// The program's menus, declared in one place: the main menu bar's four menus
// and the commands of the draw screen's context menu. Any window that offers
// them (the draw screen, the operator's console) fills its bar from here; a
// chosen item is passed on as a signal to whoever runs the commands.
class MainMenus : public QObject
{
    Q_OBJECT
public:
    // The commands that open windows or run the operator's commands.
    enum class Command {
        ShowResults, ShowHistory, ExportWinners, ExportNonWinners, RestartDraw, GiveUp, PhoneRemote,
        SaveBundle, ImportBundle, RestoreDefaults, Exit, ParticipantList, AwardSettings, CustomBackground,
        QuickHelp, Guide, About, SoundOff, SoundOn,
    };
    Q_ENUM(Command)

    explicit MainMenus(QObject *parent = nullptr);

    // "操作控制", "人员奖项设置", "背景文字设置" and "帮助" on `bar`.
    QList<QMenu *> fill(QMenuBar *bar);
    // The context menu's commands, after the window's own items.
    void fillContext(QMenu *menu);
    // "投影屏幕": the screens by name, the audience's checked.
    void setScreens(const QStringList &names, int audience);

    // The menu items of the phone remote, whose captions follow it.
    const QList<QAction *> &remoteItems() const { return m_remoteItems; }

signals:
    void commandChosen(sorvix::MainMenus::Command command);
    // An item of "背景文字设置": indexes into theme::builtInThemes(),
    // theme::colourItems() and theme::fontItems().
    void themeChosen(int item);
    void colourChosen(int item);
    void fontChosen(int item);
    // A screen of "投影屏幕", by its name.
    void screenChosen(const QString &name);

private:
    void fillScreens(QMenu *menu);

    QList<QAction *> m_remoteItems;
    QList<QMenu *> m_screenMenus;
    QStringList m_screens;
    int m_audience = -1;
};

} // namespace sorvix
