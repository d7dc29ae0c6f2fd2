#include "app/ui/mainmenus.h"

#include "presentation/theme.h"

#include <QMenu>
#include <QMenuBar>

#include <functional>

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

MainMenus::MainMenus(QObject *parent) : QObject(parent)
{
}

QList<QMenu *> MainMenus::fill(QMenuBar *bar)
{
    using C = Command;
    const auto command = [this](Command c) { return [this, c] { emit commandChosen(c); }; };

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
         {"exitAction", "退出", command(C::Exit)}});
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
    fillScreens(look->addMenu(QStringLiteral("投影屏幕")));

    QMenu *help = addMenu(bar, "helpMenu", "帮助");
    addItems(help, this,
             {{"quickHelpAction", "内容", command(C::QuickHelp)},
              {"guideAction", "在线帮助", command(C::Guide)},
              {"aboutAction", "关于", command(C::About)}});
    return {control, settings, look, help};
}

void MainMenus::fillContext(QMenu *menu)
{
    using C = Command;
    const auto command = [this](Command c) { return [this, c] { emit commandChosen(c); }; };
    const QList<QAction *> items =
        addItems(menu, this,
                 {{"popupShowResultsAction", "显示中奖结果", command(C::ShowResults)},
                  {"popupRestartDrawAction", "重新抽奖", command(C::RestartDraw)},
                  {"popupGiveUpAction", "弃奖 / 补奖", command(C::GiveUp)},
                  {"phoneRemotePopupItem", "手机遥控", command(C::PhoneRemote)},
                  {},
                  {"soundOffAction", "关闭音效", command(C::SoundOff)},
                  {"soundOnAction", "打开音效", command(C::SoundOn)},
                  {},
                  {"popupExitAction", "退出", command(C::Exit)}});
    m_remoteItems << items[3];
}

void MainMenus::fillScreens(QMenu *menu)
{
    menu->menuAction()->setObjectName(QStringLiteral("screenMenu"));
    m_screenMenus << menu;
    setScreens(m_screens, m_audience);
}

void MainMenus::setScreens(const QStringList &names, int audience)
{
    m_screens = names;
    m_audience = audience;
    for (QMenu *menu : m_screenMenus) {
        menu->clear();
        for (int i = 0; i < names.size(); ++i) {
            QAction *item = menu->addAction(names[i]);
            item->setObjectName(QStringLiteral("screen%1").arg(i));
            item->setCheckable(true);
            item->setChecked(i == audience);
            connect(item, &QAction::triggered, this, [this, name = names[i]] { emit screenChosen(name); });
        }
        // With one screen there is nothing to choose.
        menu->menuAction()->setEnabled(names.size() > 1);
    }
}

} // namespace sorvix
