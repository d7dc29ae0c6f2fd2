#include "app/ui/drawscreenwindow.h"

#include "app/clicker.h"
#include "app/ui/captionlabel.h"
#include "app/ui/mainmenus.h"
#include "app/ui/screenlabels.h"
#include "base/gbk.h"
#include "base/ui/picturebox.h"
#include "base/ui/widgets.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

namespace sorvix {

namespace {

const QColor StripColour(255, 128, 128);
// The buttons while the mouse is pressed on them, and after release.
const QString StartPressed = QStringLiteral("pics\\start2.jpg");
const QString StartReleased = QStringLiteral("pics\\start3.jpg");
const QString StopPressed = QStringLiteral("pics\\stop2.jpg");
const QString StopReleased = QStringLiteral("pics\\stop3.jpg");

} // namespace

DrawScreenWindow::DrawScreenWindow(Draw &draw, MainMenus &menus, QWidget *parent)
    : QMainWindow(parent), m_draw(draw)
{
    setObjectName(QStringLiteral("DrawScreenWindow"));
    setWindowTitle(QStringLiteral("抽奖软件"));
    setFocusPolicy(Qt::StrongFocus);
    createControls();
    createMenus(menus);
    resetLook();
    connect(&m_draw, &Draw::screenChanged, this, &DrawScreenWindow::showScreen);
    connect(&m_draw, &Draw::settingsChanged, this, &DrawScreenWindow::applySettings);
    connect(&m_draw, &Draw::roundAsked, this, &DrawScreenWindow::roundAsked);
    showScreen(ScreenPart::Head | ScreenPart::Names | ScreenPart::Prizes);
}

DrawScreenWindow::~DrawScreenWindow() = default;

QLabel *DrawScreenWindow::makeLabel(const char *name)
{
    QLabel *label = ui::screenLabel(m_canvas, QString::fromLatin1(name));
    label->setWordWrap(false);
    screenlabels::setCentred(label, true);
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
    m_background->setFit(PictureFit::Cover);
    m_background->installEventFilter(this);

    m_titleLabel = makeLabel("titleLabel");
    m_titleLabel->setText(gbk::decode(DrawOptions::defaultTitle()));
    m_subtitleLabel = makeLabel("subtitleLabel");
    m_statusLabel = makeLabel("statusLabel");
    for (int k = 1; k <= nameslots::Count; ++k)
        m_nameSlots << makeLabel(QStringLiteral("nameSlot%1").arg(k).toLatin1().constData());

    const auto button = [this](const char *name, const char *picture) {
        auto *box = new PictureBox(m_canvas);
        box->setObjectName(QString::fromLatin1(name));
        box->setImage(QImage(QString::fromLatin1(picture)));
        box->setCursor(Qt::PointingHandCursor);
        return box;
    };
    m_startButton = button("startButton", ":/builtin/start.jpg");
    m_stopButton = button("stopButton", ":/builtin/stop.jpg");
    connect(m_startButton, &PictureBox::pressed, this, [this] { setButtonPicture(m_startButton, StartPressed); });
    connect(m_startButton, &PictureBox::released, this, [this] { setButtonPicture(m_startButton, StartReleased); });
    connect(m_startButton, &PictureBox::clicked, this, [this] { m_draw.start(Draw::Asked::ByButton); });
    connect(m_stopButton, &PictureBox::pressed, this, [this] { setButtonPicture(m_stopButton, StopPressed); });
    connect(m_stopButton, &PictureBox::released, this, [this] { setButtonPicture(m_stopButton, StopReleased); });
    connect(m_stopButton, &PictureBox::clicked, this, [this] { m_draw.stop(Draw::Asked::ByButton); });

    const char *const pictureNames[2] = {"leftPrizePicture", "rightPrizePicture"};
    const char *const labelNames[2] = {"leftPrizeLabel", "rightPrizeLabel"};
    for (int corner : {ScreenState::Left, ScreenState::Right}) {
        m_prizePictures[corner] = new PictureBox(m_canvas);
        m_prizePictures[corner]->setObjectName(QString::fromLatin1(pictureNames[corner]));
        m_prizePictures[corner]->setFit(PictureFit::Contain);
        m_prizePictures[corner]->hide();
        m_prizeLabels[corner] = makeLabel(labelNames[corner]);
        m_prizeLabels[corner]->hide();
    }

    m_captionStrip = new QWidget(m_canvas);
    m_captionStrip->setObjectName(QStringLiteral("captionStrip"));
    m_captionStrip->setAutoFillBackground(true);
    m_captionLabel = new CaptionLabel(m_captionStrip);
    m_captionLabel->setObjectName(QStringLiteral("captionLabel"));
    QFont captionFont(ui::ScreenFace);
    captionFont.setPixelSize(19);
    m_captionLabel->setFont(captionFont);
    ui::setTextColour(m_captionLabel, QColor(0, 0, 255));
    m_captionLabel->setText(gbk::decode(DrawOptions::defaultTitle()));
    m_captionLabel->adjustSize();
    m_captionLabel->move(0, 5);
    m_scroller.setWidth(m_captionLabel->width());

    // The caption moves a pixel per tick: a precise timer keeps the pace even.
    m_captionTimer = new QTimer(this);
    m_captionTimer->setObjectName(QStringLiteral("captionTimer"));
    m_captionTimer->setTimerType(Qt::PreciseTimer);
    m_captionTimer->setInterval(CaptionScroller::InitialIntervalMs);
    connect(m_captionTimer, &QTimer::timeout, this,
            [this] { m_captionLabel->move(m_scroller.tick(), m_captionLabel->y()); });
    m_captionTimer->start();
}

void DrawScreenWindow::setPicturePrefetch(PicturePrefetch *prefetch)
{
    m_prefetch = prefetch;
    m_background->setFallbackSource(prefetch);
}

void DrawScreenWindow::setButtonPicture(PictureBox *button, const QString &relative)
{
    const QString path = m_draw.folder().path(relative);
    auto found = m_buttonPictures.find(path);
    if (found == m_buttonPictures.end())
        found = m_buttonPictures.insert(path, decodePicture(path));
    // A missing picture keeps the one shown.
    if (!found->isNull())
        button->setImage(*found);
}

// ---- what the draw shows --------------------------------------------------

void DrawScreenWindow::showScreen(ScreenParts parts)
{
    const ScreenState &screen = m_draw.screen();
    if (parts & ScreenPart::Head)
        m_statusLabel->setText(gbk::decode(screen.head));
    if (parts & ScreenPart::Names) {
        for (int k = 1; k <= nameslots::Count; ++k) {
            m_nameSlots[k - 1]->setText(gbk::decode(screen.slot(k)));
            m_nameSlots[k - 1]->setVisible(screen.slotShown(k));
        }
    }
    if (parts & ScreenPart::Prizes)
        showPrizes();
    if (parts & ScreenPart::Caption) {
        m_captionLabel->setText(gbk::decode(screen.caption));
        m_captionLabel->adjustSize();
        if (screen.captionWidth >= 0)
            m_captionLabel->resize(qMax(screen.captionWidth, m_captionLabel->width()), m_captionLabel->height());
        m_scroller.setWidth(m_captionLabel->width());
    }
}

void DrawScreenWindow::showPrizes()
{
    for (int corner : {ScreenState::Left, ScreenState::Right}) {
        const ScreenState::Prize &prize = m_draw.screen().prizes[size_t(corner)];
        QLabel *label = m_prizeLabels[corner];
        if (prize.textShown) {
            label->setText(gbk::decode(prize.text));
            screenlabels::fitPrizeText(label);
        }
        label->setVisible(prize.textShown);
        PictureBox *box = m_prizePictures[corner];
        if (!prize.pictureShown) {
            box->hide();
        } else if (box->load(prize.picture)) {
            box->show();
            box->raise();
        } else {
            box->hide();
            emit pictureFailed(prize.picture);
        }
    }
}

void DrawScreenWindow::applySettings()
{
    const DrawOptions &o = m_draw.settings().options;
    m_titleLabel->setText(gbk::decode(o.title));
    screenlabels::setCentred(m_titleLabel, o.titleCentred);
    m_titleLabel->setVisible(!o.titleHidden);
    m_subtitleLabel->setText(gbk::decode(o.subtitle));
    screenlabels::setCentred(m_subtitleLabel, o.subtitleCentred);
    m_subtitleLabel->setVisible(!o.subtitleHidden);
    m_statusLabel->setVisible(!o.statusHidden);
    screenlabels::setCentred(m_statusLabel, o.statusCentred);
    m_captionTimer->setInterval(o.captionIntervalMs());
    m_startButton->setVisible(!o.buttonsHidden);
    m_stopButton->setVisible(!o.buttonsHidden);
    // The caption and prize positions may have changed.
    layoutControls();
}

void DrawScreenWindow::roundAsked(bool start)
{
    if (start) {
        hideMenus();
        setButtonPicture(m_startButton, StartReleased);
    }
    enterFullScreen();
}

// ---- layout ---------------------------------------------------------------

void DrawScreenWindow::layoutControls()
{
    const QSize client = m_canvas->size();
    const layout::ScreenLayout l = layout::computeLayout(client.width(), client.height(),
                                                         m_draw.settings().options.captionPosition, logicalDpiY(),
                                                         m_strip);
    m_background->setGeometry(0, 0, client.width(), client.height());
    m_captionStrip->setGeometry(l.strip);
    m_captionStrip->setVisible(l.stripVisible);
    m_strip = l.stripState();
    QFont captionFont = m_captionLabel->font();
    captionFont.setPixelSize(l.captionPixels);
    m_captionLabel->setFont(captionFont);
    m_captionLabel->adjustSize();
    m_scroller.setWidth(m_captionLabel->width());
    m_scroller.relayout(l.captionLeft);
    m_captionLabel->move(m_scroller.left(), l.captionTop);

    const auto place = [this](QLabel *label, const layout::TextBox &box) {
        label->setGeometry(layout::lineBox(box, logicalDpiY()));
        screenlabels::setPointSize(label, box.fontPt);
    };
    place(m_titleLabel, l.title);
    place(m_subtitleLabel, l.subtitle);
    place(m_statusLabel, l.head);
    for (int k = 1; k <= nameslots::Count; ++k) {
        m_nameSlots[k - 1]->setGeometry(l.slot(k));
        screenlabels::setPointSize(m_nameSlots[k - 1], l.slotFontPt);
    }
    m_startButton->setGeometry(l.start);
    m_stopButton->setGeometry(l.end);
    for (int corner : {ScreenState::Left, ScreenState::Right}) {
        m_prizePictures[corner]->setGeometry(l.prizePicture[corner]);
        m_prizeLabels[corner]->setGeometry(l.prizeText[corner].rect);
        screenlabels::fitPrizeText(m_prizeLabels[corner], l.prizeText[corner].fontPt);
    }
    m_captionStrip->raise();
}

// ---- window modes ---------------------------------------------------------

void DrawScreenWindow::resetLook()
{
    for (QLabel *label : {m_titleLabel, m_subtitleLabel}) {
        ui::setTextColour(label, ui::ScreenYellow);
        screenlabels::setCentred(label, true);
    }
    screenlabels::setPointSize(m_titleLabel, 30);
    screenlabels::setPointSize(m_subtitleLabel, 20);
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

void DrawScreenWindow::goFullScreen()
{
    // Without a window manager (a bare projector session) the full-screen
    // request alone changes nothing: cover the screen ourselves as well.
    if (QScreen *s = screen())
        setGeometry(s->geometry());
    showFullScreen();
}

void DrawScreenWindow::moveToScreen(QScreen *target)
{
    if (!target)
        return;
    // A projector pulled out leaves the window with the remaining screen but
    // still where the projector was: its place counts, not its screen.
    const QRect area = target->geometry();
    if (screen() == target && (isFullScreen() ? geometry() == area : area.contains(geometry().center())))
        return;
    const bool full = isFullScreen();
    if (full)
        showNormal();
    setScreen(target);
    if (full || !m_fullScreenLocked) {
        setGeometry(area);
        if (isVisible())
            goFullScreen();
    } else {
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void DrawScreenWindow::enterFullScreen()
{
    if (m_fullScreenLocked)
        return;
    hideMenus();
    if (!isFullScreen())
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

void DrawScreenWindow::createMenus(MainMenus &menus)
{
    menuBar()->setObjectName(QStringLiteral("mainMenuBar"));
    m_topMenus = menus.fill(menuBar());

    // The window's own modes first, then the commands.
    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("contextMenu"));
    m_contextMenu->setToolTipsVisible(true);
    ui::addMenuItem(m_contextMenu, QStringLiteral("showMenuAction"), QStringLiteral("显示主菜单"), this,
                    [this] { showMenus(); });
    ui::addMenuItem(m_contextMenu, QStringLiteral("fullScreenAction"), QStringLiteral("全屏模式"), this, [this] {
        if (!m_fullScreenLocked) {
            hideMenus();
            goFullScreen();
        }
    });
    ui::addMenuItem(m_contextMenu, QStringLiteral("leaveFullScreenAction"), QStringLiteral("退出全屏"), this,
                    [this] { leaveFullScreen(); });
    m_fullScreenLockAction = ui::addMenuItem(m_contextMenu, QStringLiteral("fullScreenLockAction"),
                                             QStringLiteral("禁用全屏"), this, [this] { toggleFullScreenLock(); });
    m_fullScreenLockAction->setCheckable(true);
    m_contextMenu->addSeparator();
    menus.fillContext(m_contextMenu);
    connect(m_canvas, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_contextMenu->popup(m_canvas->mapToGlobal(pos)); });
}

void DrawScreenWindow::takeFocusBack()
{
    activateWindow();
    setFocus();
}

// ---- ThemeView ------------------------------------------------------------

QList<QLabel *> DrawScreenWindow::themedLabels() const
{
    QList<QLabel *> labels{m_titleLabel, m_subtitleLabel, m_statusLabel};
    labels << m_nameSlots;
    labels << m_prizeLabels[ScreenState::Left] << m_prizeLabels[ScreenState::Right];
    return labels;
}

bool DrawScreenWindow::showBackground(const QString &path)
{
    return m_prefetch ? m_background->load(path, *m_prefetch) : m_background->load(path);
}

void DrawScreenWindow::setTextColour(const QColor &colour)
{
    for (QLabel *label : themedLabels())
        ui::setTextColour(label, colour);
}

void DrawScreenWindow::setTextFace(const QString &family)
{
    for (QLabel *label : themedLabels()) {
        QFont font = label->font();
        font.setFamily(family);
        label->setFont(font);
    }
    // Another face has other widths.
    for (QLabel *label : m_prizeLabels)
        screenlabels::fitPrizeText(label);
}

// ---- events ---------------------------------------------------------------

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
        // A click anywhere but on a prize text goes full screen.
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && watched != m_prizeLabels[ScreenState::Left]
            && watched != m_prizeLabels[ScreenState::Right])
            enterFullScreen();
    }
    return QMainWindow::eventFilter(watched, event);
}

void DrawScreenWindow::keyPressEvent(QKeyEvent *event)
{
    switch (clicker::keyAction(event->key())) {
    case clicker::KeyAction::Next:
        // A held button repeats its key: one press, one step.
        if (!event->isAutoRepeat())
            m_draw.next();
        return;
    case clicker::KeyAction::Nothing:
        return;
    case clicker::KeyAction::Pass:
        break;
    }
    switch (event->key()) {
    case Qt::Key_Space:
        m_draw.pressKey(Draw::Key::Space);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_draw.pressKey(Draw::Key::Enter);
        return;
    default:
        QMainWindow::keyPressEvent(event);
    }
}

void DrawScreenWindow::closeNow()
{
    m_closing = true;
    if (!m_askingToClose)
        close();
}

void DrawScreenWindow::closeEvent(QCloseEvent *event)
{
    // The exit questions decide: whoever asks them calls closeNow() when
    // the answer is to leave.
    if (!m_closing) {
        m_askingToClose = true;
        emit closeAsked();
        m_askingToClose = false;
    }
    event->setAccepted(m_closing);
}

} // namespace sorvix
