#include "app/ui/drawscreenwindow.h"

#include <QMenu>
#include <QMenuBar>

#include <functional>

// The draw screen's menus, declared in one place. The window modes are the
// window's own; every other item is a command passed on.

namespace sorvix {

namespace {

// One menu item: no object name makes a separator.
struct MenuItem
{
    const char *object = nullptr;
    const char *caption = nullptr;
    std::function<void()> command;
    const char *hint = nullptr;
};

QList<QAction *> addItems(QMenu *menu, QObject *context, std::initializer_list<MenuItem> items)
{
    QList<QAction *> actions;
    for (const MenuItem &item : items) {
        if (!item.object) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromLatin1(item.object));
        if (item.hint)
            action->setToolTip(QString::fromUtf8(item.hint));
        QObject::connect(action, &QAction::triggered, context, item.command);
        actions << action;
    }
    return actions;
}

QMenu *addMenu(QMenuBar *bar, const char *object, const char *caption)
{
    QMenu *menu = bar->addMenu(QString::fromUtf8(caption));
    menu->menuAction()->setObjectName(QString::fromLatin1(object));
    menu->setToolTipsVisible(true);
    return menu;
}

} // namespace

void DrawScreenWindow::createMenus()
{
    using C = Command;
    const auto command = [this](Command c) { return [this, c] { emit commandChosen(c); }; };
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("mainMenuBar"));

    QMenu *control = addMenu(bar, "controlMenu", "操作控制");
    const QList<QAction *> controlItems = addItems(
        control, this,
        {{"showResultsAction", "显示中奖结果", command(C::ShowResults)},
         {"showHistoryAction", "显示抽奖历史", command(C::ShowHistory)},
         {"exportWinnersAction", "导出中奖名单", command(C::ExportWinners)},
         {"exportNonWinnersAction", "导出未中奖名单", command(C::ExportNonWinners)},
         {},
         {"restartDrawAction", "重新抽奖", command(C::RestartDraw)},
         {"giveUpAction", "弃奖 / 补奖", command(C::GiveUp)},
         {"phoneRemoteItem", "手机遥控", command(C::PhoneRemote)},
         {},
         {"saveBundleAction", "保存配置文件", command(C::SaveBundle), "保存所有配置（包括人员名单）"},
         {"importBundleAction", "导入配置文件", command(C::ImportBundle)},
         {"restoreDefaultsAction", "恢复默认配置", command(C::RestoreDefaults)},
         {},
         {"exitAction", "退出", [this] { close(); }}});
    m_remoteItems << controlItems[6];

    QMenu *settings = addMenu(bar, "settingsMenu", "人员奖项设置");
    addItems(settings, this,
             {{"participantListAction", "人员名单", command(C::ParticipantList)},
              {"awardSettingsAction", "奖项设置", command(C::AwardSettings)}});

    QMenu *look = addMenu(bar, "lookMenu", "背景文字设置");
    QMenu *group = nullptr;
    QMenu *themeMenu = nullptr;
    QString groupName, themeName;
    const auto themes = theme::builtInThemes();
    for (int i = 0; i < int(themes.size()); ++i) {
        const theme::ThemeItem &item = themes[size_t(i)];
        if (groupName != QString::fromUtf8(item.group)) {
            groupName = QString::fromUtf8(item.group);
            group = look->addMenu(groupName);
            themeName.clear();
        }
        if (themeName != QString::fromUtf8(item.theme)) {
            themeName = QString::fromUtf8(item.theme);
            themeMenu = group->addMenu(themeName);
        }
        addItems(themeMenu, this, {{item.objectName, item.entry, [this, i] { emit themeChosen(i); }}});
    }
    addItems(look, this, {{"customBackgroundAction", "自定义背景", command(C::CustomBackground)}});
    QMenu *colours = look->addMenu(QStringLiteral("文字颜色"));
    const auto colourItems = theme::colourItems();
    for (int i = 0; i < int(colourItems.size()); ++i)
        addItems(colours, this,
                 {{colourItems[size_t(i)].objectName, colourItems[size_t(i)].caption, [this, i] { emit colourChosen(i); }}});
    QMenu *fonts = look->addMenu(QStringLiteral("文字字体"));
    const auto fontItems = theme::fontItems();
    for (int i = 0; i < int(fontItems.size()); ++i)
        addItems(fonts, this,
                 {{fontItems[size_t(i)].objectName, fontItems[size_t(i)].caption, [this, i] { emit fontChosen(i); }}});

    QMenu *help = addMenu(bar, "helpMenu", "帮助");
    addItems(help, this,
             {{"quickHelpAction", "内容", command(C::QuickHelp)},
              {"guideAction", "在线帮助", command(C::Guide)},
              {"aboutAction", "关于", command(C::About)}});
    m_topMenus = {control, settings, look, help};

    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("contextMenu"));
    m_contextMenu->setToolTipsVisible(true);
    const QList<QAction *> popupItems = addItems(
        m_contextMenu, this,
        {{"showMenuAction", "显示主菜单", [this] { showMenus(); }},
         {"fullScreenAction", "全屏模式",
          [this] {
              if (!m_fullScreenLocked) {
                  hideMenus();
                  goFullScreen();
              }
          }},
         {"leaveFullScreenAction", "退出全屏", [this] { leaveFullScreen(); }},
         {"fullScreenLockAction", "禁用全屏", [this] { toggleFullScreenLock(); }},
         {},
         {"popupShowResultsAction", "显示中奖结果", command(C::ShowResults)},
         {"popupRestartDrawAction", "重新抽奖", command(C::RestartDraw)},
         {"popupGiveUpAction", "弃奖 / 补奖", command(C::GiveUp)},
         {"phoneRemotePopupItem", "手机遥控", command(C::PhoneRemote)},
         {},
         {"soundOffAction", "关闭音效", command(C::SoundOff)},
         {"soundOnAction", "打开音效", command(C::SoundOn)},
         {},
         {"popupExitAction", "退出", [this] { close(); }}});
    m_fullScreenLockAction = popupItems[3];
    m_fullScreenLockAction->setCheckable(true);
    m_remoteItems << popupItems[7];
    connect(m_canvas, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_contextMenu->popup(m_canvas->mapToGlobal(pos)); });
}

} // namespace sorvix
