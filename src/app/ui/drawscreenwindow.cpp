#include "app/ui/drawscreenwindow.h"

#include "app/awardhost.h"
#include "app/commands.h"
#include "app/drawconfighost.h"
#include "app/listhost.h"
#include "app/nextstep.h"
#include "app/startup.h"
#include "app/ui/captionlabel.h"
#include "app/ui/remotewindow.h"
#include "base/ui/picturebox.h"
#include "base/errors.h"
#include "base/gbk.h"
#include "config/configcommands.h"
#include "config/help.h"
#include "config/ui/aboutdialog.h"
#include "config/ui/quickhelpdialog.h"
#include "engine/prepare.h"
#include "engine/restart.h"
#include "engine/ui/giveupdialog.h"
#include "presentation/ui/resultswindow.h"
#include "settings/ui/awardsettingsdialog.h"
#include "settings/ui/participantlistdialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

namespace sorvix {

namespace {

const QColor Yellow(255, 255, 0);
const QColor StripColour(255, 128, 128);
const char *const HeiTi = "黑体";

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

void setFontSize(QLabel *label, int points)
{
    QFont font = label->font();
    font.setPointSize(qMax(1, points));
    label->setFont(font);
}

void setAlignment(QLabel *label, bool centred)
{
    label->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
}

} // namespace

DrawScreenWindow::DrawScreenWindow(Session &session, OperatorPort &op, SoundPort &sound, DrawRandom &random, QWidget *parent)
    : QMainWindow(parent), m_session(session), m_operator(op), m_sound(sound),
      m_preparation(std::make_unique<DrawPreparation>(session, *this, op, random))
{
    setObjectName(QStringLiteral("DrawScreenWindow"));
    setWindowTitle(QStringLiteral("抽奖软件"));
    setFocusPolicy(Qt::StrongFocus);
    createControls();
    m_phoneRemote = new PhoneRemote(m_operator, this);
    createMenus();
    m_round = std::make_unique<DrawRound>(m_session, m_revealed, m_sound, m_operator, *this);
    m_phoneRemote->server().next = [this] { NextStep(*m_round, m_session).run(); };
    m_phoneRemote->server().state = [this] {
        const auto shown = [this](int k) { return m_nameSlots[k]->isHidden() ? QString() : m_nameSlots[k]->text(); };
        return remote::stateOf(m_session, m_round->isRolling(), m_statusLabel->text(), m_revealed.stillShown(shown));
    };
    m_commands = std::make_unique<RecordCommands>(m_session, m_operator);
    m_configHost = std::make_unique<DrawConfigHost>(m_session, *this, m_operator, m_sound, *m_preparation);
    m_configHost->theme = [this] { return m_theme; };
    m_configHost->applyTheme = [this](const Theme &stored) { applyStoredTheme(stored); };
    m_configHost->onSettingsReplaced = [this] {
        if (m_result)
            m_result->reloadBackground();
    };
    m_config = std::make_unique<ConfigCommands>(m_session, *m_configHost, m_operator);
}

DrawScreenWindow::~DrawScreenWindow()
{
    // The editor window goes before the host it uses.
    delete m_awardWindow;
    // The list editor goes before the host it uses.
    delete m_listWindow;
}

QLabel *DrawScreenWindow::makeLabel(const char *name)
{
    auto *label = new QLabel(m_canvas);
    label->setObjectName(QString::fromLatin1(name));
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAutoFillBackground(false);
    label->setWordWrap(false);
    QFont font(QString::fromUtf8(HeiTi));
    label->setFont(font);
    setTextColour(label, Yellow);
    setAlignment(label, true);
    label->installEventFilter(this);
    return label;
}

void DrawScreenWindow::createControls()
{
    m_canvas = new QWidget(this);
    m_canvas->setObjectName(QStringLiteral("canvas"));
    m_canvas->setContextMenuPolicy(Qt::CustomContextMenu);
    m_canvas->installEventFilter(this);
    setCentralWidget(m_canvas);

    m_background = new PictureBox(m_canvas);
    m_background->setObjectName(QStringLiteral("background"));
    // The built-in picture is decoded only if no theme picture replaces it.
    m_background->setFallback(BuiltInBackground);
    m_background->installEventFilter(this);

    m_titleLabel = makeLabel("titleLabel");
    m_titleLabel->setText(gbk::decode(DrawOptions::defaultTitle()));
    m_subtitleLabel = makeLabel("subtitleLabel");
    m_statusLabel = makeLabel("statusLabel");
    for (int k = 1; k <= 10; ++k)
        m_nameSlots[k] = makeLabel(QStringLiteral("nameSlot%1").arg(k).toLatin1().constData());

    m_startButton = new PictureBox(m_canvas);
    m_startButton->setObjectName(QStringLiteral("startButton"));
    m_startButton->setImage(QImage(QStringLiteral(":/builtin/start.jpg")));
    m_startButton->setCursor(Qt::PointingHandCursor);
    m_stopButton = new PictureBox(m_canvas);
    m_stopButton->setObjectName(QStringLiteral("stopButton"));
    m_stopButton->setImage(QImage(QStringLiteral(":/builtin/stop.jpg")));
    m_stopButton->setCursor(Qt::PointingHandCursor);
    connect(m_startButton, &PictureBox::pressed, this, [this] { m_round->startPressed(); });
    connect(m_startButton, &PictureBox::released, this, [this] { m_round->startReleased(); });
    connect(m_startButton, &PictureBox::clicked, this, [this] { m_round->startClicked(); });
    connect(m_stopButton, &PictureBox::pressed, this, [this] { m_round->stopPressed(); });
    connect(m_stopButton, &PictureBox::released, this, [this] { m_round->stopReleased(); });
    connect(m_stopButton, &PictureBox::clicked, this, [this] { m_round->stopClicked(); });

    m_leftPrizePicture = new PictureBox(m_canvas);
    m_leftPrizePicture->setObjectName(QStringLiteral("leftPrizePicture"));
    m_rightPrizePicture = new PictureBox(m_canvas);
    m_rightPrizePicture->setObjectName(QStringLiteral("rightPrizePicture"));
    m_leftPrizeLabel = makeLabel("leftPrizeLabel");
    m_rightPrizeLabel = makeLabel("rightPrizeLabel");
    for (QWidget *w : {static_cast<QWidget *>(m_leftPrizePicture), static_cast<QWidget *>(m_rightPrizePicture),
                       static_cast<QWidget *>(m_leftPrizeLabel), static_cast<QWidget *>(m_rightPrizeLabel)})
        w->hide();

    m_captionStrip = new QWidget(m_canvas);
    m_captionStrip->setObjectName(QStringLiteral("captionStrip"));
    m_captionStrip->setAutoFillBackground(true);
    m_captionStrip->setFixedHeight(layout::StripHeight);
    m_captionLabel = new CaptionLabel(m_captionStrip);
    m_captionLabel->setObjectName(QStringLiteral("captionLabel"));
    QFont captionFont(QString::fromUtf8(HeiTi));
    captionFont.setPixelSize(19);
    m_captionLabel->setFont(captionFont);
    setTextColour(m_captionLabel, QColor(0, 0, 255));
    m_captionLabel->setText(gbk::decode(DrawOptions::defaultTitle()));
    m_captionLabel->adjustSize();
    m_captionLabel->move(0, 5);
    m_scroller.setWidth(m_captionLabel->width());

    QPalette strip = m_captionStrip->palette();
    strip.setColor(QPalette::Window, StripColour);
    m_captionStrip->setPalette(strip);

    m_rollingTimer = new QTimer(this);
    m_rollingTimer->setObjectName(QStringLiteral("rollingTimer"));
    m_rollingTimer->setInterval(50);
    connect(m_rollingTimer, &QTimer::timeout, this, [this] { m_round->rollTick(); });

    // The caption moves a pixel per tick: a precise timer keeps the pace even.
    m_captionTimer = new QTimer(this);
    m_captionTimer->setObjectName(QStringLiteral("captionTimer"));
    m_captionTimer->setTimerType(Qt::PreciseTimer);
    m_captionTimer->setInterval(CaptionScroller::InitialIntervalMs);
    connect(m_captionTimer, &QTimer::timeout, this, [this] { m_captionLabel->move(m_scroller.tick(), 5); });
    m_captionTimer->start();
}

QAction *DrawScreenWindow::addItem(QMenu *menu, const char *name, const char *caption, std::function<void()> handler)
{
    QAction *action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    if (handler)
        connect(action, &QAction::triggered, this, std::move(handler));
    else
        action->setEnabled(false); // its window comes with a later version
    return action;
}

void DrawScreenWindow::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("mainMenuBar"));

    QMenu *control = bar->addMenu(QStringLiteral("操作控制"));
    control->menuAction()->setObjectName(QStringLiteral("controlMenu"));
    addItem(control, "showResultsAction", "显示中奖结果", [this] { showResults(); });
    addItem(control, "showHistoryAction", "显示抽奖历史", [this] { m_commands->openHistory(); });
    addItem(control, "exportWinnersAction", "导出中奖名单", [this] { m_commands->exportWinners(); });
    addItem(control, "exportNonWinnersAction", "导出未中奖名单", [this] { m_commands->exportNonWinners(); });
    control->addSeparator();
    addItem(control, "restartDrawAction", "重新抽奖", [this] { restartDraw(); });
    addItem(control, "giveUpAction", "弃奖 / 补奖", [this] { openGiveUp(); });
    m_phoneRemote->follow(addItem(control, "phoneRemoteItem", "手机遥控", [this] { m_phoneRemote->open(); }));
    control->addSeparator();
    addItem(control, "saveBundleAction", "保存配置文件", [this] { m_config->saveBundle(); })
        ->setToolTip(QStringLiteral("保存所有配置（包括人员名单）"));
    addItem(control, "importBundleAction", "导入配置文件", [this] { m_config->importBundle(); });
    addItem(control, "restoreDefaultsAction", "恢复默认配置", [this] { m_config->restoreDefaults(); });
    control->addSeparator();
    addItem(control, "exitAction", "退出", [this] { close(); });

    QMenu *config = bar->addMenu(QStringLiteral("人员奖项设置"));
    config->menuAction()->setObjectName(QStringLiteral("settingsMenu"));
    addItem(config, "participantListAction", "人员名单", [this] { openParticipantList(); });
    addItem(config, "awardSettingsAction", "奖项设置", [this] { openAwardSettings(); });

    QMenu *look = bar->addMenu(QStringLiteral("背景文字设置"));
    look->menuAction()->setObjectName(QStringLiteral("lookMenu"));
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
        QAction *action = themeMenu->addAction(QString::fromUtf8(item.entry));
        action->setObjectName(QString::fromLatin1(item.objectName));
        const theme::ThemeItem *chosen = &item;
        connect(action, &QAction::triggered, this, [this, chosen] {
            const QString picture = theme::chooseBuiltIn(m_theme, m_session.folder, *chosen);
            if (loadBackground(picture))
                showThemeColour(QByteArray(chosen->colourName));
            else
                m_operator.showError(QStringLiteral("无法打开图片文件：") + picture);
        });
    }
    addItem(look, "customBackgroundAction", "自定义背景", [this] { chooseCustomBackground(); });
    QMenu *colours = look->addMenu(QStringLiteral("文字颜色"));
    for (const theme::ColourItem &item : theme::colourItems()) {
        QAction *action = colours->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromLatin1(item.objectName));
        const QByteArray name(item.colourName);
        connect(action, &QAction::triggered, this, [this, name] { showThemeColour(name); });
    }
    QMenu *fonts = look->addMenu(QStringLiteral("文字字体"));
    for (const theme::FontItem &item : theme::fontItems()) {
        QAction *action = fonts->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromLatin1(item.objectName));
        const theme::FontItem *chosen = &item;
        connect(action, &QAction::triggered, this, [this, chosen] {
            theme::chooseFont(m_theme, *chosen);
            applyThemeFont(m_theme.fontName);
        });
    }

    QMenu *help = bar->addMenu(QStringLiteral("帮助"));
    help->menuAction()->setObjectName(QStringLiteral("helpMenu"));
    addItem(help, "quickHelpAction", "内容", [this] { openQuickHelp(); });
    addItem(help, "guideAction", "在线帮助", [this] { openGuide(); });
    addItem(help, "aboutAction", "关于", [this] { openAbout(); });
    m_topMenus = {control, config, look, help};

    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("contextMenu"));
    addItem(m_contextMenu, "showMenuAction", "显示主菜单", [this] { showMenus(); });
    addItem(m_contextMenu, "fullScreenAction", "全屏模式", [this] { switchToFullScreen(); });
    addItem(m_contextMenu, "leaveFullScreenAction", "退出全屏", [this] { leaveFullScreen(); });
    m_fullScreenLockAction = addItem(m_contextMenu, "fullScreenLockAction", "禁用全屏", [this] { toggleFullScreenLock(); });
    m_fullScreenLockAction->setCheckable(true);
    m_contextMenu->addSeparator();
    addItem(m_contextMenu, "popupShowResultsAction", "显示中奖结果", [this] { showResults(); });
    addItem(m_contextMenu, "popupRestartDrawAction", "重新抽奖", [this] { restartDraw(); });
    addItem(m_contextMenu, "popupGiveUpAction", "弃奖 / 补奖", [this] { openGiveUp(); });
    m_phoneRemote->follow(addItem(m_contextMenu, "phoneRemotePopupItem", "手机遥控", [this] { m_phoneRemote->open(); }));
    m_contextMenu->addSeparator();
    addItem(m_contextMenu, "soundOffAction", "关闭音效", [this] { turnSoundOff(); });
    addItem(m_contextMenu, "soundOnAction", "打开音效", [this] { turnSoundOn(); });
    m_contextMenu->addSeparator();
    addItem(m_contextMenu, "popupExitAction", "退出", [this] { close(); });
    connect(m_canvas, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_contextMenu->popup(m_canvas->mapToGlobal(pos)); });
}

void DrawScreenWindow::runStartup()
{
    startScreen();
    startDraw();
}

void DrawScreenWindow::startScreen()
{
    Startup startup(m_session, *this, m_operator, m_sound, *m_preparation);
    startup.applyTheme = [this](const Theme &stored) { applyStoredTheme(stored); };
    startup.mainScreenCreate();
    // The titles are on the first frame already; a damaged settings file is
    // met again, and passed over the same way, by the award settings' start-up.
    try {
        startup.loadAwardSettings();
    } catch (const OperationError &) {
    }
    m_leftPrizePicture->raise();
}

void DrawScreenWindow::startDraw()
{
    Startup startup(m_session, *this, m_operator, m_sound, *m_preparation);
    startup.participantListCreate();
    startup.awardSettingsCreate();
    // The start-up's pictures are taken by now; whatever is left goes.
    m_background->setFallbackSource(nullptr);
    m_prefetch.reset();
}

void DrawScreenWindow::adoptPrefetch(std::unique_ptr<PicturePrefetch> prefetch)
{
    m_prefetch = std::move(prefetch);
    m_background->setFallbackSource(m_prefetch.get());
}

bool DrawScreenWindow::loadBackground(const QString &path)
{
    return m_prefetch ? m_background->load(path, *m_prefetch) : m_background->load(path);
}

const QImage &DrawScreenWindow::buttonPicture(const QString &path)
{
    auto found = m_buttonPictures.find(path);
    if (found == m_buttonPictures.end())
        found = m_buttonPictures.insert(path, decodePicture(path));
    return *found;
}

// ---- layout -------------------------------------------------------------

void DrawScreenWindow::relayout()
{
    layoutControls();
}

void DrawScreenWindow::layoutControls()
{
    const QSize client = m_canvas->size();
    const layout::ScreenLayout l = layout::computeLayout(client.width(), client.height(),
                                                         m_session.settings.options.captionPosition,
                                                         logicalDpiY(), m_strip);
    m_background->setGeometry(0, 0, client.width(), client.height());
    m_captionStrip->setGeometry(l.strip);
    m_captionStrip->setVisible(l.stripVisible);
    m_strip = l.stripState();
    m_scroller.relayout(l.captionLeft);
    m_captionLabel->move(m_scroller.left(), 5);

    const auto place = [](QLabel *label, const layout::TextBox &box) {
        label->setGeometry(box.rect);
        setFontSize(label, box.fontPt);
    };
    place(m_titleLabel, l.title);
    place(m_subtitleLabel, l.subtitle);
    place(m_statusLabel, l.head);
    for (int k = 1; k <= 10; ++k) {
        m_nameSlots[k]->setGeometry(l.slot(k));
        setFontSize(m_nameSlots[k], l.slotFontPt);
    }
    m_startButton->setGeometry(l.start);
    m_stopButton->setGeometry(l.end);
    m_leftPrizePicture->setGeometry(l.prizePicture[0]);
    m_rightPrizePicture->setGeometry(l.prizePicture[1]);
    place(m_leftPrizeLabel, l.prizeText[0]);
    place(m_rightPrizeLabel, l.prizeText[1]);
    m_captionStrip->raise();
}

// ---- ScreenPort ----------------------------------------------------------

void DrawScreenWindow::setHead(const QByteArray &text)
{
    m_statusLabel->setText(gbk::decode(text));
}

void DrawScreenWindow::setSlot(int slot, const QByteArray &text)
{
    if (slot >= 1 && slot <= 10)
        m_nameSlots[slot]->setText(gbk::decode(text));
}

void DrawScreenWindow::setSlotVisible(int slot, bool visible)
{
    if (slot >= 1 && slot <= 10)
        m_nameSlots[slot]->setVisible(visible);
}

void DrawScreenWindow::hidePrizes()
{
    m_leftPrizeLabel->hide();
    m_rightPrizeLabel->hide();
    m_leftPrizePicture->hide();
    m_rightPrizePicture->hide();
}

void DrawScreenWindow::showPrizeText(Corner corner, const QByteArray &text)
{
    QLabel *label = corner == Left ? m_leftPrizeLabel : m_rightPrizeLabel;
    label->setText(gbk::decode(text));
    label->show();
}

void DrawScreenWindow::showPrizePicture(Corner corner, const QString &path)
{
    PictureBox *box = corner == Left ? m_leftPrizePicture : m_rightPrizePicture;
    if (!box->load(path)) {
        m_operator.showError(QStringLiteral("无法打开图片文件：") + path);
        return;
    }
    box->show();
    box->raise();
}

void DrawScreenWindow::hidePrizePicture(Corner corner)
{
    (corner == Left ? m_leftPrizePicture : m_rightPrizePicture)->hide();
}

void DrawScreenWindow::setCaption(const QByteArray &text, int width)
{
    m_captionLabel->setText(gbk::decode(text));
    m_captionLabel->adjustSize();
    if (width >= 0)
        m_captionLabel->resize(qMax(width, m_captionLabel->width()), m_captionLabel->height());
    m_scroller.setWidth(m_captionLabel->width());
}

void DrawScreenWindow::stopRolling()
{
    m_rollingTimer->stop();
}

// ---- DrawScreen ----------------------------------------------------------

void DrawScreenWindow::applyAwardSettings(const AwardSettings &settings)
{
    const DrawOptions &o = settings.options;
    m_titleLabel->setText(gbk::decode(o.title));
    setAlignment(m_titleLabel, o.titleCentred);
    m_titleLabel->setVisible(!o.titleHidden);
    m_subtitleLabel->setText(gbk::decode(o.subtitle));
    setAlignment(m_subtitleLabel, o.subtitleCentred);
    m_subtitleLabel->setVisible(!o.subtitleHidden);
    m_statusLabel->setVisible(!o.statusHidden);
    setAlignment(m_statusLabel, o.statusCentred);
    m_captionTimer->setInterval(o.captionIntervalMs());
    m_startButton->setVisible(!o.buttonsHidden);
    m_stopButton->setVisible(!o.buttonsHidden);
    if (m_result)
        m_result->setTitle(gbk::decode(o.title));
}

void DrawScreenWindow::formatTitles()
{
    for (QLabel *label : {m_titleLabel, m_subtitleLabel}) {
        setTextColour(label, Yellow);
        setAlignment(label, true);
    }
    setFontSize(m_titleLabel, 30);
    setFontSize(m_subtitleLabel, 20);
    QPalette strip = m_captionStrip->palette();
    strip.setColor(QPalette::Window, StripColour);
    m_captionStrip->setPalette(strip);
}

bool DrawScreenWindow::menusShown() const
{
    return menuBar()->isVisible();
}

void DrawScreenWindow::hideMenus()
{
    for (QMenu *menu : m_topMenus)
        menu->menuAction()->setVisible(false);
    // With every item hidden the bar goes too and the screen gets its height.
    menuBar()->hide();
}

void DrawScreenWindow::showMenus()
{
    for (QMenu *menu : m_topMenus)
        menu->menuAction()->setVisible(true);
    menuBar()->show();
}

ResultsWindow *DrawScreenWindow::resultWindow()
{
    if (!m_result) {
        m_result = new ResultsWindow(m_session.folder, m_operator, m_sound, *m_resultMusic, this);
        m_result->soundOn = [this] { return m_session.settings.options.soundOn; };
        m_result->fullScreenLocked = [this] { return m_fullScreenLocked; };
        m_result->exportWinners = [this] { m_commands->exportWinners(); };
        m_result->setTitle(gbk::decode(m_session.settings.options.title));
    }
    return m_result;
}

void DrawScreenWindow::showResults()
{
    resultWindow()->showModal();
    takeFocusBack();
}

GiveUpDialog *DrawScreenWindow::giveUpWindow()
{
    if (!m_giveup)
        m_giveup = new GiveUpDialog(m_session, m_operator, *this, this);
    return m_giveup;
}

void DrawScreenWindow::openGiveUp()
{
    giveUpWindow()->showModal();
    // A make-up prepared there is drawn with the keys at once.
    takeFocusBack();
}

void DrawScreenWindow::takeFocusBack()
{
    activateWindow();
    setFocus();
}

void DrawScreenWindow::goFullScreen()
{
    // Without a window manager (a bare projector session) the full-screen
    // request alone changes nothing: cover the screen ourselves as well.
    if (QScreen *s = screen())
        setGeometry(s->geometry());
    showFullScreen();
}

// ---- DrawRoundHost -------------------------------------------------------

void DrawScreenWindow::enterFullScreen()
{
    if (m_fullScreenLocked)
        return;
    hideMenus();
    if (!isFullScreen())
        goFullScreen();
}

void DrawScreenWindow::setStartPicture(const QString &path)
{
    // A missing picture keeps the one shown.
    if (const QImage &picture = buttonPicture(path); !picture.isNull())
        m_startButton->setImage(picture);
}

void DrawScreenWindow::setEndPicture(const QString &path)
{
    if (const QImage &picture = buttonPicture(path); !picture.isNull())
        m_stopButton->setImage(picture);
}

void DrawScreenWindow::startRollingTimer()
{
    m_rollingTimer->start();
}

void DrawScreenWindow::stopRollingTimer()
{
    m_rollingTimer->stop();
}

bool DrawScreenWindow::rollingTimerActive() const
{
    return m_rollingTimer->isActive();
}

// ---- themes --------------------------------------------------------------

QList<QLabel *> DrawScreenWindow::themedLabels() const
{
    QList<QLabel *> labels{m_titleLabel, m_subtitleLabel, m_statusLabel};
    for (int k = 1; k <= 10; ++k)
        labels << m_nameSlots[k];
    labels << m_leftPrizeLabel << m_rightPrizeLabel;
    return labels;
}

void DrawScreenWindow::showThemeColour(const QByteArray &colourName)
{
    const std::optional<QColor> colour = m_theme.showColour(colourName);
    if (!colour)
        return;
    for (QLabel *label : themedLabels())
        setTextColour(label, *colour);
}

void DrawScreenWindow::applyThemeFont(const QByteArray &fontName)
{
    const QString family = gbk::decode(fontName);
    for (QLabel *label : themedLabels()) {
        QFont font = label->font();
        font.setFamily(family);
        label->setFont(font);
    }
}

void DrawScreenWindow::applyStoredTheme(const Theme &stored)
{
    m_theme = stored;
    const theme::StartupLook look = theme::startupLook(m_session.folder, stored);
    applyThemeFont(look.fontName);
    for (const QString &picture : look.pictures)
        if (loadBackground(picture))
            showThemeColour(stored.colourName);
}

void DrawScreenWindow::chooseCustomBackground()
{
    const QByteArray remembered = m_theme.backgroundPath;
    const QString chosen = m_operator.chooseOpenFile(QStringLiteral("JPG, JPEG 文件|*.jpg;*.jpeg|所有文件|*.*"));
    if (chosen.isEmpty())
        return;
    m_theme.backgroundPath = gbk::encode(chosen);
    if (!m_background->load(chosen)) {
        // Back to the picture shown before, and to its path, so the next start
        // doesn't look for a file that can't be shown.
        m_theme.backgroundPath = remembered;
        m_background->load(m_session.folder.path(gbk::decode(remembered)));
        m_operator.showError(QStringLiteral("无法打开图片文件：") + chosen);
    }
}

// ---- help and about ------------------------------------------------------

QuickHelpDialog *DrawScreenWindow::quickHelpWindow()
{
    if (!m_quickHelp)
        m_quickHelp = new QuickHelpDialog(m_session.folder, m_operator, this);
    return m_quickHelp;
}

AboutDialog *DrawScreenWindow::aboutWindow()
{
    if (!m_about)
        m_about = new AboutDialog(m_session.folder, m_operator, this);
    return m_about;
}

void DrawScreenWindow::openQuickHelp()
{
    quickHelpWindow()->exec();
}

void DrawScreenWindow::openGuide()
{
    help::openGuide(m_session.folder, m_operator);
}

void DrawScreenWindow::openAbout()
{
    aboutWindow()->exec();
}

// ---- window modes and commands -----------------------------------------

bool DrawScreenWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The client area is the canvas: it also changes when the menu bar comes or goes.
    if (watched == m_canvas && event->type() == QEvent::Resize)
        layoutControls();
    if (watched == m_background && event->type() == QEvent::Paint && !m_firstFramePainted) {
        m_firstFramePainted = true;
        // After this paint has reached the screen.
        QTimer::singleShot(0, this, &DrawScreenWindow::firstFramePainted);
    }
    if (event->type() == QEvent::MouseButtonPress) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && watched != m_leftPrizeLabel && watched != m_rightPrizeLabel) {
            backgroundClicked();
            return false;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void DrawScreenWindow::backgroundClicked()
{
    if (m_fullScreenLocked)
        return;
    hideMenus();
    if (!isFullScreen())
        goFullScreen();
}

void DrawScreenWindow::switchToFullScreen()
{
    if (m_fullScreenLocked)
        return;
    hideMenus();
    goFullScreen();
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

void DrawScreenWindow::saveAwardSettings()
{
    try {
        awardfile::save(m_session.folder, m_session.settings);
    } catch (const OperationError &error) {
        m_operator.showError(error.message());
    }
}

void DrawScreenWindow::turnSoundOff()
{
    m_sound.stopMusic();
    m_session.settings.options.soundOn = false;
    saveAwardSettings();
}

void DrawScreenWindow::turnSoundOn()
{
    m_sound.setRepeatTimerRunning(true);
    m_sound.playMusic();
    m_session.settings.options.soundOn = true;
    saveAwardSettings();
}

void DrawScreenWindow::restartDraw()
{
    restart::restartCommand(m_session, *m_preparation, m_operator, *this, m_sound, QDateTime::currentDateTime());
}

void DrawScreenWindow::openAwardSettings()
{
    if (!m_awardWindow) {
        m_awardHost = std::make_unique<DrawAwardHost>(m_session, *this, m_operator, m_sound, *m_preparation);
        m_awardWindow = new AwardSettingsDialog(m_session.folder, m_operator, *m_awardHost, this);
    }
    m_awardWindow->showModalOver(this);
    takeFocusBack();
}

void DrawScreenWindow::openParticipantList()
{
    if (!m_listWindow) {
        m_listHost = std::make_unique<DrawListHost>(m_session, *this, m_operator, m_sound, *m_preparation);
        m_listWindow = new ParticipantListDialog(m_session.folder, m_operator, *m_listHost, this);
    }
    m_listWindow->showModalOver(this);
    takeFocusBack();
}

void DrawScreenWindow::keyPressEvent(QKeyEvent *event)
{
    switch (clicker::keyAction(event->key())) {
    case clicker::KeyAction::Next:
        // A held button repeats its key: one press, one step.
        if (!event->isAutoRepeat())
            NextStep(*m_round, m_session).run();
        return;
    case clicker::KeyAction::Nothing:
        return;
    case clicker::KeyAction::Pass:
        break;
    }
    switch (event->key()) {
    case Qt::Key_Space:
        m_round->keyPressed(' ');
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_round->keyPressed('\r');
        return;
    default:
        QMainWindow::keyPressEvent(event);
    }
}

void DrawScreenWindow::closeEvent(QCloseEvent *event)
{
    ExitQuestions questions(m_session, m_operator);
    questions.exportWinners = [this] { m_commands->exportWinners(); };
    if (!questions.confirmClose()) {
        event->ignore();
        return;
    }
    try {
        theme::save(m_session.folder, m_theme);
    } catch (const OperationError &error) {
        // The theme only costs a choice of look; closing goes on.
        reportQuietly("close (theme)", error);
    }
    m_sound.closeMusic();
    event->accept();
}

} // namespace sorvix
