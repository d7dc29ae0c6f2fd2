#include "app/ui/mainwindow.h"

#include "app/awardhost.h"
#include "app/commands.h"
#include "app/confighost.h"
#include "app/listhost.h"
#include "app/startup.h"
#include "app/ui/captionlabel.h"
#include "base/ui/picturebox.h"
#include "base/errors.h"
#include "base/gbk.h"
#include "config/configcommands.h"
#include "config/help.h"
#include "config/ui/about.h"
#include "config/ui/quickhelp.h"
#include "engine/prepare.h"
#include "engine/restart.h"
#include "engine/ui/giveupwindow.h"
#include "presentation/ui/resultwindow.h"
#include "settings/ui/awardwindow.h"
#include "settings/ui/namelistwindow.h"

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

TfrmMain::TfrmMain(Session &session, OperatorPort &op, SoundPort &sound, DrawRandom &random, QWidget *parent)
    : QMainWindow(parent), m_session(session), m_operator(op), m_sound(sound),
      m_preparation(std::make_unique<DrawPreparation>(session, *this, op, random))
{
    setObjectName(QStringLiteral("TfrmMain"));
    setWindowTitle(QStringLiteral("抽奖软件"));
    setFocusPolicy(Qt::StrongFocus);
    createControls();
    createMenus();
    m_round = std::make_unique<DrawRound>(m_session, *this, m_sound, m_operator, *this);
    m_commands = std::make_unique<RecordCommands>(m_session, m_operator);
    m_configHost = std::make_unique<AppConfigHost>(m_session, *this, m_operator, m_sound, *m_preparation);
    m_configHost->theme = [this] { return m_theme; };
    m_configHost->applyTheme = [this](const Theme &stored) { applyStoredTheme(stored); };
    m_configHost->onSettingsReplaced = [this] {
        if (m_result)
            m_result->reloadBackground();
    };
    m_config = std::make_unique<ConfigCommands>(m_session, *m_configHost, m_operator);
}

TfrmMain::~TfrmMain()
{
    // The editor window goes before the host it uses.
    delete m_awardWindow;
    // The list editor goes before the host it uses.
    delete m_listWindow;
}

QLabel *TfrmMain::makeLabel(const char *name)
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

void TfrmMain::createControls()
{
    m_canvas = new QWidget(this);
    m_canvas->setObjectName(QStringLiteral("canvas"));
    m_canvas->setContextMenuPolicy(Qt::CustomContextMenu);
    m_canvas->installEventFilter(this);
    setCentralWidget(m_canvas);

    Image1 = new PictureBox(m_canvas);
    Image1->setObjectName(QStringLiteral("Image1"));
    // The built-in picture is decoded only if no theme picture replaces it.
    Image1->setFallback(BuiltInBackground);
    Image1->installEventFilter(this);

    Label_title = makeLabel("Label_title");
    Label_title->setText(gbk::decode(DrawOptions::defaultTitle()));
    Label_subtitle = makeLabel("Label_subtitle");
    Label_head = makeLabel("Label_head");
    for (int k = 1; k <= 10; ++k)
        Label_name[k] = makeLabel(QStringLiteral("Label_name%1").arg(k).toLatin1().constData());

    Image_start = new PictureBox(m_canvas);
    Image_start->setObjectName(QStringLiteral("Image_start"));
    Image_start->setImage(QImage(QStringLiteral(":/builtin/start.jpg")));
    Image_start->setCursor(Qt::PointingHandCursor);
    Image_end = new PictureBox(m_canvas);
    Image_end->setObjectName(QStringLiteral("Image_end"));
    Image_end->setImage(QImage(QStringLiteral(":/builtin/stop.jpg")));
    Image_end->setCursor(Qt::PointingHandCursor);
    connect(Image_start, &PictureBox::pressed, this, [this] { m_round->Image_startMouseDown(); });
    connect(Image_start, &PictureBox::released, this, [this] { m_round->Image_startMouseUp(); });
    connect(Image_start, &PictureBox::clicked, this, [this] { m_round->Image_startClick(); });
    connect(Image_end, &PictureBox::pressed, this, [this] { m_round->Image_endMouseDown(); });
    connect(Image_end, &PictureBox::released, this, [this] { m_round->Image_endMouseUp(); });
    connect(Image_end, &PictureBox::clicked, this, [this] { m_round->Image_endClick(); });

    Image_award = new PictureBox(m_canvas);
    Image_award->setObjectName(QStringLiteral("Image_award"));
    Image_award1 = new PictureBox(m_canvas);
    Image_award1->setObjectName(QStringLiteral("Image_award1"));
    Label_award = makeLabel("Label_award");
    Label_award1 = makeLabel("Label_award1");
    for (QWidget *w : {static_cast<QWidget *>(Image_award), static_cast<QWidget *>(Image_award1),
                       static_cast<QWidget *>(Label_award), static_cast<QWidget *>(Label_award1)})
        w->hide();

    Panel_curtain = new QWidget(m_canvas);
    Panel_curtain->setObjectName(QStringLiteral("Panel_curtain"));
    Panel_curtain->setAutoFillBackground(true);
    Panel_curtain->setFixedHeight(layout::StripHeight);
    Label_curtain = new CaptionLabel(Panel_curtain);
    Label_curtain->setObjectName(QStringLiteral("Label_curtain"));
    QFont captionFont(QString::fromUtf8(HeiTi));
    captionFont.setPixelSize(19);
    Label_curtain->setFont(captionFont);
    setTextColour(Label_curtain, QColor(0, 0, 255));
    Label_curtain->setText(gbk::decode(DrawOptions::defaultTitle()));
    Label_curtain->adjustSize();
    Label_curtain->move(0, 5);
    m_scroller.setWidth(Label_curtain->width());

    QPalette strip = Panel_curtain->palette();
    strip.setColor(QPalette::Window, StripColour);
    Panel_curtain->setPalette(strip);

    Timer_start = new QTimer(this);
    Timer_start->setObjectName(QStringLiteral("Timer_start"));
    Timer_start->setInterval(50);
    connect(Timer_start, &QTimer::timeout, this, [this] { m_round->Timer_startTimer(); });

    // The caption moves a pixel per tick: a precise timer keeps the pace even.
    Timer_curtain = new QTimer(this);
    Timer_curtain->setObjectName(QStringLiteral("Timer_curtain"));
    Timer_curtain->setTimerType(Qt::PreciseTimer);
    Timer_curtain->setInterval(CaptionScroller::InitialIntervalMs);
    connect(Timer_curtain, &QTimer::timeout, this, [this] { Label_curtain->move(m_scroller.tick(), 5); });
    Timer_curtain->start();
}

QAction *TfrmMain::addItem(QMenu *menu, const char *name, const char *caption, std::function<void()> handler)
{
    QAction *action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    if (handler)
        connect(action, &QAction::triggered, this, std::move(handler));
    else
        action->setEnabled(false); // its window comes with a later version
    return action;
}

void TfrmMain::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu *control = bar->addMenu(QStringLiteral("操作控制"));
    control->menuAction()->setObjectName(QStringLiteral("N_control"));
    addItem(control, "N5", "显示中奖结果", [this] { showResults(); });
    addItem(control, "N7", "显示抽奖历史", [this] { m_commands->N7Click(); });
    addItem(control, "N_exportResult", "导出中奖名单", [this] { m_commands->N_exportResultClick(); });
    addItem(control, "N_unluckyList", "导出未中奖名单", [this] { m_commands->N_unluckyListClick(); });
    control->addSeparator();
    addItem(control, "N_resetall", "重新抽奖", [this] { N_resetallClick(); });
    addItem(control, "N_giveup", "弃奖 / 补奖", [this] { N_giveupClick(); });
    control->addSeparator();
    addItem(control, "N_saveconfig", "保存配置文件", [this] { m_config->N_saveconfigClick(); })
        ->setToolTip(QStringLiteral("保存所有配置（包括人员名单）"));
    addItem(control, "N_loadconfig", "导入配置文件", [this] { m_config->N_loadconfigClick(); });
    addItem(control, "N53", "恢复默认配置", [this] { m_config->N53Click(); });
    control->addSeparator();
    addItem(control, "N_exit_main", "退出", [this] { close(); });

    QMenu *config = bar->addMenu(QStringLiteral("人员奖项设置"));
    config->menuAction()->setObjectName(QStringLiteral("N_config"));
    addItem(config, "N17", "人员名单", [this] { N17Click(); });
    addItem(config, "N16", "奖项设置", [this] { N16Click(); });

    QMenu *look = bar->addMenu(QStringLiteral("背景文字设置"));
    look->menuAction()->setObjectName(QStringLiteral("N_bg"));
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
                ThemeShow(QByteArray(chosen->colourName));
            else
                m_operator.showError(QStringLiteral("无法打开图片文件：") + picture);
        });
    }
    addItem(look, "N39", "自定义背景", [this] { N39Click(); });
    QMenu *colours = look->addMenu(QStringLiteral("文字颜色"));
    for (const theme::ColourItem &item : theme::colourItems()) {
        QAction *action = colours->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromLatin1(item.objectName));
        const QByteArray name(item.colourName);
        connect(action, &QAction::triggered, this, [this, name] { ThemeShow(name); });
    }
    QMenu *fonts = look->addMenu(QStringLiteral("文字字体"));
    for (const theme::FontItem &item : theme::fontItems()) {
        QAction *action = fonts->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromLatin1(item.objectName));
        const theme::FontItem *chosen = &item;
        connect(action, &QAction::triggered, this, [this, chosen] {
            theme::chooseFont(m_theme, *chosen);
            ThemeFontName(m_theme.fontName);
        });
    }

    QMenu *help = bar->addMenu(QStringLiteral("帮助"));
    help->menuAction()->setObjectName(QStringLiteral("N_help"));
    addItem(help, "N12", "内容", [this] { N12Click(); });
    addItem(help, "N13", "在线帮助", [this] { N13Click(); });
    addItem(help, "N48", "关于", [this] { N48Click(); });
    m_topMenus = {control, config, look, help};

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    addItem(PopupMenu1, "N_showmenu", "显示主菜单", [this] { showMenus(); });
    addItem(PopupMenu1, "N_fullscreen", "全屏模式", [this] { N_fullscreenClick(); });
    addItem(PopupMenu1, "N_fullscreen_exit", "退出全屏", [this] { N_fullscreen_exitClick(); });
    N_No_FullScreen = addItem(PopupMenu1, "N_No_FullScreen", "禁用全屏", [this] { N_No_FullScreenClick(); });
    N_No_FullScreen->setCheckable(true);
    PopupMenu1->addSeparator();
    addItem(PopupMenu1, "N3", "显示中奖结果", [this] { showResults(); });
    addItem(PopupMenu1, "N_reset", "重新抽奖", [this] { N_resetallClick(); });
    addItem(PopupMenu1, "N54", "弃奖 / 补奖", [this] { N_giveupClick(); });
    PopupMenu1->addSeparator();
    addItem(PopupMenu1, "N_bgoff", "关闭音效", [this] { N_bgoffClick(); });
    addItem(PopupMenu1, "N_bgOn", "打开音效", [this] { N_bgOnClick(); });
    PopupMenu1->addSeparator();
    addItem(PopupMenu1, "N_exit", "退出", [this] { close(); });
    connect(m_canvas, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(m_canvas->mapToGlobal(pos)); });
}

void TfrmMain::FormCreate()
{
    FormCreateScreen();
    FormCreateDraw();
}

void TfrmMain::FormCreateScreen()
{
    Startup startup(m_session, *this, m_operator, m_sound, *m_preparation);
    startup.applyTheme = [this](const Theme &stored) { applyStoredTheme(stored); };
    startup.mainScreenCreate();
    // The titles are on the first frame already; a damaged settings file is
    // met again, and passed over the same way, by the award settings' start-up.
    try {
        startup.LoadAwardSettings();
    } catch (const OperationError &) {
    }
    Image_award->raise();
}

void TfrmMain::FormCreateDraw()
{
    Startup startup(m_session, *this, m_operator, m_sound, *m_preparation);
    startup.participantListCreate();
    startup.awardSettingsCreate();
    // The start-up's pictures are taken by now; whatever is left goes.
    Image1->setFallbackSource(nullptr);
    m_prefetch.reset();
}

void TfrmMain::adoptPrefetch(std::unique_ptr<PicturePrefetch> prefetch)
{
    m_prefetch = std::move(prefetch);
    Image1->setFallbackSource(m_prefetch.get());
}

bool TfrmMain::loadBackground(const QString &path)
{
    return m_prefetch ? Image1->load(path, *m_prefetch) : Image1->load(path);
}

const QImage &TfrmMain::buttonPicture(const QString &path)
{
    auto found = m_buttonPictures.find(path);
    if (found == m_buttonPictures.end())
        found = m_buttonPictures.insert(path, decodePicture(path));
    return *found;
}

// ---- layout -------------------------------------------------------------

void TfrmMain::relayout()
{
    FormResize();
}

void TfrmMain::FormResize()
{
    const QSize client = m_canvas->size();
    const layout::ScreenLayout l = layout::computeLayout(client.width(), client.height(),
                                                         m_session.settings.options.captionPosition,
                                                         logicalDpiY(), m_strip);
    Image1->setGeometry(0, 0, client.width(), client.height());
    Panel_curtain->setGeometry(l.strip);
    Panel_curtain->setVisible(l.stripVisible);
    m_strip = l.stripState();
    m_scroller.relayout(l.captionLeft);
    Label_curtain->move(m_scroller.left(), 5);

    const auto place = [](QLabel *label, const layout::TextBox &box) {
        label->setGeometry(box.rect);
        setFontSize(label, box.fontPt);
    };
    place(Label_title, l.title);
    place(Label_subtitle, l.subtitle);
    place(Label_head, l.head);
    for (int k = 1; k <= 10; ++k) {
        Label_name[k]->setGeometry(l.slot(k));
        setFontSize(Label_name[k], l.slotFontPt);
    }
    Image_start->setGeometry(l.start);
    Image_end->setGeometry(l.end);
    Image_award->setGeometry(l.prizePicture[0]);
    Image_award1->setGeometry(l.prizePicture[1]);
    place(Label_award, l.prizeText[0]);
    place(Label_award1, l.prizeText[1]);
    Panel_curtain->raise();
}

// ---- ScreenPort ----------------------------------------------------------

void TfrmMain::setHead(const QByteArray &text)
{
    Label_head->setText(gbk::decode(text));
}

void TfrmMain::setSlot(int slot, const QByteArray &text)
{
    if (slot >= 1 && slot <= 10)
        Label_name[slot]->setText(gbk::decode(text));
}

void TfrmMain::setSlotVisible(int slot, bool visible)
{
    if (slot >= 1 && slot <= 10)
        Label_name[slot]->setVisible(visible);
}

void TfrmMain::hidePrizes()
{
    Label_award->hide();
    Label_award1->hide();
    Image_award->hide();
    Image_award1->hide();
}

void TfrmMain::showPrizeText(Corner corner, const QByteArray &text)
{
    QLabel *label = corner == Left ? Label_award : Label_award1;
    label->setText(gbk::decode(text));
    label->show();
}

void TfrmMain::showPrizePicture(Corner corner, const QString &path)
{
    PictureBox *box = corner == Left ? Image_award : Image_award1;
    if (!box->load(path)) {
        m_operator.showError(QStringLiteral("无法打开图片文件：") + path);
        return;
    }
    box->show();
    box->raise();
}

void TfrmMain::hidePrizePicture(Corner corner)
{
    (corner == Left ? Image_award : Image_award1)->hide();
}

void TfrmMain::setCaption(const QByteArray &text, int width)
{
    Label_curtain->setText(gbk::decode(text));
    Label_curtain->adjustSize();
    if (width >= 0)
        Label_curtain->resize(qMax(width, Label_curtain->width()), Label_curtain->height());
    m_scroller.setWidth(Label_curtain->width());
}

void TfrmMain::stopRolling()
{
    Timer_start->stop();
}

// ---- DrawScreen ----------------------------------------------------------

void TfrmMain::applyAwardSettings(const AwardSettings &settings)
{
    const DrawOptions &o = settings.options;
    Label_title->setText(gbk::decode(o.title));
    setAlignment(Label_title, o.titleCentred);
    Label_title->setVisible(!o.titleHidden);
    Label_subtitle->setText(gbk::decode(o.subtitle));
    setAlignment(Label_subtitle, o.subtitleCentred);
    Label_subtitle->setVisible(!o.subtitleHidden);
    Label_head->setVisible(!o.statusHidden);
    setAlignment(Label_head, o.statusCentred);
    Timer_curtain->setInterval(o.captionIntervalMs());
    Image_start->setVisible(!o.buttonsHidden);
    Image_end->setVisible(!o.buttonsHidden);
    if (m_result)
        m_result->setTitle(gbk::decode(o.title));
}

void TfrmMain::formatTitles()
{
    for (QLabel *label : {Label_title, Label_subtitle}) {
        setTextColour(label, Yellow);
        setAlignment(label, true);
    }
    setFontSize(Label_title, 30);
    setFontSize(Label_subtitle, 20);
    QPalette strip = Panel_curtain->palette();
    strip.setColor(QPalette::Window, StripColour);
    Panel_curtain->setPalette(strip);
}

bool TfrmMain::menusShown() const
{
    return menuBar()->isVisible();
}

void TfrmMain::hideMenus()
{
    for (QMenu *menu : m_topMenus)
        menu->menuAction()->setVisible(false);
    // With every item hidden the bar goes too and the screen gets its height.
    menuBar()->hide();
}

void TfrmMain::showMenus()
{
    for (QMenu *menu : m_topMenus)
        menu->menuAction()->setVisible(true);
    menuBar()->show();
}

TfrmResult *TfrmMain::resultWindow()
{
    if (!m_result) {
        m_result = new TfrmResult(m_session.folder, m_operator, m_sound, *m_resultMusic, this);
        m_result->soundOn = [this] { return m_session.settings.options.soundOn; };
        m_result->fullScreenLocked = [this] { return m_fullScreenLocked; };
        m_result->exportWinners = [this] { m_commands->N_exportResultClick(); };
        m_result->setTitle(gbk::decode(m_session.settings.options.title));
    }
    return m_result;
}

void TfrmMain::showResults()
{
    resultWindow()->showModal();
    takeFocusBack();
}

TfrmGiveup *TfrmMain::giveUpWindow()
{
    if (!m_giveup)
        m_giveup = new TfrmGiveup(m_session, m_operator, *this, this);
    return m_giveup;
}

void TfrmMain::N_giveupClick()
{
    giveUpWindow()->showModal();
    // A make-up prepared there is drawn with the keys at once.
    takeFocusBack();
}

void TfrmMain::takeFocusBack()
{
    activateWindow();
    setFocus();
}

void TfrmMain::goFullScreen()
{
    // Without a window manager (a bare projector session) the full-screen
    // request alone changes nothing: cover the screen ourselves as well.
    if (QScreen *s = screen())
        setGeometry(s->geometry());
    showFullScreen();
}

// ---- DrawRoundHost -------------------------------------------------------

void TfrmMain::enterFullScreen()
{
    if (m_fullScreenLocked)
        return;
    hideMenus();
    if (!isFullScreen())
        goFullScreen();
}

void TfrmMain::setStartPicture(const QString &path)
{
    // A missing picture keeps the one shown.
    if (const QImage &picture = buttonPicture(path); !picture.isNull())
        Image_start->setImage(picture);
}

void TfrmMain::setEndPicture(const QString &path)
{
    if (const QImage &picture = buttonPicture(path); !picture.isNull())
        Image_end->setImage(picture);
}

void TfrmMain::startRollingTimer()
{
    Timer_start->start();
}

void TfrmMain::stopRollingTimer()
{
    Timer_start->stop();
}

bool TfrmMain::rollingTimerActive() const
{
    return Timer_start->isActive();
}

// ---- themes --------------------------------------------------------------

QList<QLabel *> TfrmMain::themedLabels() const
{
    QList<QLabel *> labels{Label_title, Label_subtitle, Label_head};
    for (int k = 1; k <= 10; ++k)
        labels << Label_name[k];
    labels << Label_award << Label_award1;
    return labels;
}

void TfrmMain::ThemeShow(const QByteArray &colourName)
{
    const std::optional<QColor> colour = m_theme.showColour(colourName);
    if (!colour)
        return;
    for (QLabel *label : themedLabels())
        setTextColour(label, *colour);
}

void TfrmMain::ThemeFontName(const QByteArray &fontName)
{
    const QString family = gbk::decode(fontName);
    for (QLabel *label : themedLabels()) {
        QFont font = label->font();
        font.setFamily(family);
        label->setFont(font);
    }
}

void TfrmMain::applyStoredTheme(const Theme &stored)
{
    m_theme = stored;
    const theme::StartupLook look = theme::startupLook(m_session.folder, stored);
    ThemeFontName(look.fontName);
    for (const QString &picture : look.pictures)
        if (loadBackground(picture))
            ThemeShow(stored.colourName);
}

void TfrmMain::N39Click()
{
    const QByteArray remembered = m_theme.backgroundPath;
    const QString chosen = m_operator.chooseOpenFile(QStringLiteral("JPG, JPEG 文件|*.jpg;*.jpeg|所有文件|*.*"));
    if (chosen.isEmpty())
        return;
    m_theme.backgroundPath = gbk::encode(chosen);
    if (!Image1->load(chosen)) {
        // Back to the picture shown before, and to its path, so the next start
        // doesn't look for a file that can't be shown.
        m_theme.backgroundPath = remembered;
        Image1->load(m_session.folder.path(gbk::decode(remembered)));
        m_operator.showError(QStringLiteral("无法打开图片文件：") + chosen);
    }
}

// ---- help and about ------------------------------------------------------

TfrmShelp *TfrmMain::quickHelpWindow()
{
    if (!m_quickHelp)
        m_quickHelp = new TfrmShelp(m_session.folder, m_operator, this);
    return m_quickHelp;
}

TfrmAbout *TfrmMain::aboutWindow()
{
    if (!m_about)
        m_about = new TfrmAbout(m_session.folder, m_operator, this);
    return m_about;
}

void TfrmMain::N12Click()
{
    quickHelpWindow()->exec();
}

void TfrmMain::N13Click()
{
    help::openGuide(m_session.folder, m_operator);
}

void TfrmMain::N48Click()
{
    aboutWindow()->exec();
}

// ---- window modes and commands -----------------------------------------

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    // The client area is the canvas: it also changes when the menu bar comes or goes.
    if (watched == m_canvas && event->type() == QEvent::Resize)
        FormResize();
    if (watched == Image1 && event->type() == QEvent::Paint && !m_firstFramePainted) {
        m_firstFramePainted = true;
        // After this paint has reached the screen.
        QTimer::singleShot(0, this, &TfrmMain::firstFramePainted);
    }
    if (event->type() == QEvent::MouseButtonPress) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && watched != Label_award && watched != Label_award1) {
            Image1Click();
            return false;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::Image1Click()
{
    if (m_fullScreenLocked)
        return;
    hideMenus();
    if (!isFullScreen())
        goFullScreen();
}

void TfrmMain::N_fullscreenClick()
{
    if (m_fullScreenLocked)
        return;
    hideMenus();
    goFullScreen();
}

void TfrmMain::N_fullscreen_exitClick()
{
    showNormal();
    resize(800, 600);
    showMenus();
}

void TfrmMain::N_No_FullScreenClick()
{
    m_fullScreenLocked = N_No_FullScreen->isChecked();
    if (m_fullScreenLocked) {
        N_fullscreen_exitClick();
    } else {
        hideMenus();
        goFullScreen();
    }
}

void TfrmMain::saveAwardSettings()
{
    try {
        awardfile::save(m_session.folder, m_session.settings);
    } catch (const OperationError &error) {
        m_operator.showError(error.message());
    }
}

void TfrmMain::N_bgoffClick()
{
    m_sound.stopMusic();
    m_session.settings.options.soundOn = false;
    saveAwardSettings();
}

void TfrmMain::N_bgOnClick()
{
    m_sound.setRepeatTimerRunning(true);
    m_sound.playMusic();
    m_session.settings.options.soundOn = true;
    saveAwardSettings();
}

void TfrmMain::N_resetallClick()
{
    restart::restartCommand(m_session, *m_preparation, m_operator, *this, m_sound, QDateTime::currentDateTime());
}

void TfrmMain::N16Click()
{
    if (!m_awardWindow) {
        m_awardHost = std::make_unique<DrawAwardHost>(m_session, *this, m_operator, m_sound, *m_preparation);
        m_awardWindow = new TfrmLottery(m_session.folder, m_operator, *m_awardHost, this);
    }
    m_awardWindow->showModalOver(this);
    takeFocusBack();
}

void TfrmMain::N17Click()
{
    if (!m_listWindow) {
        m_listHost = std::make_unique<DrawListHost>(m_session, *this, m_operator, m_sound, *m_preparation);
        m_listWindow = new Tfrm_namelist(m_session.folder, m_operator, *m_listHost, this);
    }
    m_listWindow->showModalOver(this);
    takeFocusBack();
}

void TfrmMain::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        m_round->FormKeyPress(' ');
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_round->FormKeyPress('\r');
        return;
    default:
        QMainWindow::keyPressEvent(event);
    }
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    ExitQuestions questions(m_session, m_operator);
    questions.exportWinners = [this] { m_commands->N_exportResultClick(); };
    if (!questions.FormCloseQuery()) {
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
