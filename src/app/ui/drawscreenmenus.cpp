#include "app/ui/drawscreenwindow.h"

#include "app/awardhost.h"
#include "app/commands.h"
#include "app/listhost.h"
#include "app/soundswitch.h"
#include "app/ui/remotewindow.h"
#include "bundle/bundlecommands.h"
#include "help/help.h"
#include "help/ui/aboutdialog.h"
#include "help/ui/quickhelpdialog.h"
#include "engine/restart.h"
#include "engine/ui/giveupdialog.h"
#include "editors/ui/awardsettingsdialog.h"
#include "editors/ui/participantlistdialog.h"

#include <QMenu>
#include <QMenuBar>

#include <functional>

// The draw screen's menus, declared in one place, and the windows and
// commands they open.

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
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("mainMenuBar"));
    const auto restart = [this] {
        restart::restartCommand(m_session, *m_preparation, m_operator, *this, m_sound, QDateTime::currentDateTime());
    };

    QMenu *control = addMenu(bar, "controlMenu", "操作控制");
    addItems(control, this,
             {{"showResultsAction", "显示中奖结果", [this] { showResults(); }},
              {"showHistoryAction", "显示抽奖历史", [this] { m_records->openHistory(); }},
              {"exportWinnersAction", "导出中奖名单", [this] { m_records->exportWinners(); }},
              {"exportNonWinnersAction", "导出未中奖名单", [this] { m_records->exportNonWinners(); }},
              {},
              {"restartDrawAction", "重新抽奖", restart},
              {"giveUpAction", "弃奖 / 补奖", [this] { openGiveUp(); }},
              {"phoneRemoteItem", "手机遥控", [this] { m_phoneRemote->open(); }},
              {},
              {"saveBundleAction", "保存配置文件", [this] { m_config->saveBundle(); }, "保存所有配置（包括人员名单）"},
              {"importBundleAction", "导入配置文件", [this] { m_config->importBundle(); }},
              {"restoreDefaultsAction", "恢复默认配置", [this] { m_config->restoreDefaults(); }},
              {},
              {"exitAction", "退出", [this] { close(); }}});

    QMenu *settings = addMenu(bar, "settingsMenu", "人员奖项设置");
    addItems(settings, this,
             {{"participantListAction", "人员名单", [this] { openParticipantList(); }},
              {"awardSettingsAction", "奖项设置", [this] { openAwardSettings(); }}});

    QMenu *look = addMenu(bar, "lookMenu", "背景文字设置");
    QMenu *group = nullptr;
    QMenu *themeMenu = nullptr;
    QString groupName, themeName;
    for (const theme::ThemeItem &item : theme::builtInThemes()) {
        if (groupName != QString::fromUtf8(item.group)) {
            groupName = QString::fromUtf8(item.group);
            group = look->addMenu(groupName);
            themeName.clear();
        }
        if (themeName != QString::fromUtf8(item.theme)) {
            themeName = QString::fromUtf8(item.theme);
            themeMenu = group->addMenu(themeName);
        }
        addItems(themeMenu, this, {{item.objectName, item.entry, [this, &item] { m_theme.chooseBuiltIn(item); }}});
    }
    addItems(look, this, {{"customBackgroundAction", "自定义背景", [this] { m_theme.chooseCustomBackground(); }}});
    QMenu *colours = look->addMenu(QStringLiteral("文字颜色"));
    for (const theme::ColourItem &item : theme::colourItems())
        addItems(colours, this,
                 {{item.objectName, item.caption, [this, &item] { m_theme.chooseColour(QByteArray(item.colourName)); }}});
    QMenu *fonts = look->addMenu(QStringLiteral("文字字体"));
    for (const theme::FontItem &item : theme::fontItems())
        addItems(fonts, this, {{item.objectName, item.caption, [this, &item] { m_theme.chooseFont(item); }}});

    QMenu *help = addMenu(bar, "helpMenu", "帮助");
    addItems(help, this,
             {{"quickHelpAction", "内容", [this] { openQuickHelp(); }},
              {"guideAction", "在线帮助", [this] { help::openGuide(m_session.folder, m_operator); }},
              {"aboutAction", "关于", [this] { openAbout(); }}});
    m_topMenus = {control, settings, look, help};

    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("contextMenu"));
    m_contextMenu->setToolTipsVisible(true);
    const QList<QAction *> modes = addItems(
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
         {"popupShowResultsAction", "显示中奖结果", [this] { showResults(); }},
         {"popupRestartDrawAction", "重新抽奖", restart},
         {"popupGiveUpAction", "弃奖 / 补奖", [this] { openGiveUp(); }},
         {"phoneRemotePopupItem", "手机遥控", [this] { m_phoneRemote->open(); }},
         {},
         {"soundOffAction", "关闭音效", [this] { m_soundSwitch->turnOff(); }},
         {"soundOnAction", "打开音效", [this] { m_soundSwitch->turnOn(); }},
         {},
         {"popupExitAction", "退出", [this] { close(); }}});
    m_fullScreenLockAction = modes[3];
    for (const char *item : {"phoneRemoteItem", "phoneRemotePopupItem"})
        m_phoneRemote->follow(findChild<QAction *>(QString::fromLatin1(item)));
    m_fullScreenLockAction->setCheckable(true);
    connect(m_canvas, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_contextMenu->popup(m_canvas->mapToGlobal(pos)); });
}

// ---- windows of the menus ------------------------------------------------

void DrawScreenWindow::openGiveUp()
{
    if (!m_giveUp)
        m_giveUp = std::make_unique<GiveUpDialog>(m_session, m_operator, *this, this);
    m_giveUp->showModal();
    // A make-up prepared there is drawn with the keys at once.
    takeFocusBack();
}

void DrawScreenWindow::openAwardSettings()
{
    if (!m_awardSettings)
        m_awardSettings = std::make_unique<AwardSettingsDialog>(m_session.folder, m_operator, *m_awardHost, this);
    m_awardSettings->showModalOver(this);
    takeFocusBack();
}

void DrawScreenWindow::openParticipantList()
{
    if (!m_participantList)
        m_participantList = std::make_unique<ParticipantListDialog>(m_session.folder, m_operator, *m_listHost, this);
    m_participantList->showModalOver(this);
    takeFocusBack();
}

void DrawScreenWindow::openQuickHelp()
{
    if (!m_quickHelp)
        m_quickHelp = std::make_unique<QuickHelpDialog>(m_session.folder, m_operator, this);
    m_quickHelp->exec();
}

void DrawScreenWindow::openAbout()
{
    if (!m_about)
        m_about = std::make_unique<AboutDialog>(m_session.folder, m_operator, this);
    m_about->exec();
}

void DrawScreenWindow::leaveFullScreen()
{
    showNormal();
    resize(800, 600);
    showMenus();
}

void DrawScreenWindow::toggleFullScreenLock()
{
    m_fullScreenLocked = m_fullScreenLockAction->isChecked();
    if (m_fullScreenLocked) {
        leaveFullScreen();
    } else {
        hideMenus();
        goFullScreen();
    }
}

} // namespace sorvix
