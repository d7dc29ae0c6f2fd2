#include "app/ui/drawscreenwindow.h"

#include "app/awardhost.h"
#include "app/commands.h"
#include "app/drawconfighost.h"
#include "app/listhost.h"
#include "app/nextstep.h"
#include "app/soundswitch.h"
#include "app/startup.h"
#include "app/ui/captionlabel.h"
#include "app/ui/screenlabels.h"
#include "app/ui/remotewindow.h"
#include "base/gbk.h"
#include "base/ui/picturebox.h"
#include "base/ui/widgets.h"
#include "config/configcommands.h"
#include "config/ui/aboutdialog.h"
#include "config/ui/quickhelpdialog.h"
#include "engine/prepare.h"
#include "engine/ui/giveupdialog.h"
#include "presentation/ui/resultswindow.h"
#include "settings/ui/awardsettingsdialog.h"
#include "settings/ui/participantlistdialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

namespace sorvix {

namespace {

const QColor StripColour(255, 128, 128);

} // namespace

DrawScreenWindow::DrawScreenWindow(Session &session, OperatorPort &op, SoundPort &sound, DrawRandom &random,
                                   QWidget *parent)
    : QMainWindow(parent), m_session(session), m_operator(op), m_sound(sound),
      m_theme(session.folder, op, *this),
      m_preparation(std::make_unique<DrawPreparation>(session, *this, op, random)),
      m_round(std::make_unique<DrawRound>(session, m_revealed, sound, op, *this)),
      m_records(std::make_unique<RecordCommands>(session, op)),
      m_soundSwitch(std::make_unique<SoundSwitch>(session, sound, op)),
      m_configHost(std::make_unique<DrawConfigHost>(session, *this, op, sound, *m_preparation)),
      m_awardHost(std::make_unique<DrawAwardHost>(session, *this, op, sound, *m_preparation)),
      m_listHost(std::make_unique<DrawListHost>(session, *this, op, sound, *m_preparation))
{
    setObjectName(QStringLiteral("DrawScreenWindow"));
    setWindowTitle(QStringLiteral("抽奖软件"));
    setFocusPolicy(Qt::StrongFocus);
    createControls();
    m_phoneRemote = new PhoneRemote(m_operator, this);
    createMenus();
    m_phoneRemote->server().next = [this] { NextStep(*m_round, m_session).run(); };
    m_phoneRemote->server().state = [this] {
        const auto shown = [this](int k) { return m_nameSlots[k]->isHidden() ? QString() : m_nameSlots[k]->text(); };
        return remote::stateOf(m_session, m_round->isRolling(), m_statusLabel->text(), m_revealed.stillShown(shown));
    };
    m_configHost->theme = [this] { return m_theme.theme(); };
    m_configHost->applyTheme = [this](const Theme &stored) { m_theme.applyStored(stored); };
    m_configHost->onSettingsReplaced = [this] {
        if (m_results)
            m_results->reloadBackground();
    };
    m_config = std::make_unique<ConfigCommands>(session, *m_configHost, op);
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
    for (int k = 1; k <= 10; ++k)
        m_nameSlots[k] = makeLabel(QStringLiteral("nameSlot%1").arg(k).toLatin1().constData());

    const auto button = [this](const char *name, const char *picture) {
        auto *box = new PictureBox(m_canvas);
        box->setObjectName(QString::fromLatin1(name));
        box->setImage(QImage(QString::fromLatin1(picture)));
        box->setCursor(Qt::PointingHandCursor);
        return box;
    };
    m_startButton = button("startButton", ":/builtin/start.jpg");
    m_stopButton = button("stopButton", ":/builtin/stop.jpg");
    connect(m_startButton, &PictureBox::pressed, this, [this] { m_round->startPressed(); });
    connect(m_startButton, &PictureBox::released, this, [this] { m_round->startReleased(); });
    connect(m_startButton, &PictureBox::clicked, this, [this] { m_round->startClicked(); });
    connect(m_stopButton, &PictureBox::pressed, this, [this] { m_round->stopPressed(); });
    connect(m_stopButton, &PictureBox::released, this, [this] { m_round->stopReleased(); });
    connect(m_stopButton, &PictureBox::clicked, this, [this] { m_round->stopClicked(); });

    const char *const pictureNames[2] = {"leftPrizePicture", "rightPrizePicture"};
    const char *const labelNames[2] = {"leftPrizeLabel", "rightPrizeLabel"};
    for (int corner : {Left, Right}) {
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
    connect(m_captionTimer, &QTimer::timeout, this,
            [this] { m_captionLabel->move(m_scroller.tick(), m_captionLabel->y()); });
    m_captionTimer->start();
}

// ---- start-up ------------------------------------------------------------

void DrawScreenWindow::start()
{
    Startup startup(m_session, *this, m_operator, m_sound, *m_preparation);
    startup.applyTheme = [this](const Theme &stored) { m_theme.applyStored(stored); };
    startup.startScreen();
    m_prizePictures[Left]->raise();
    if (m_firstFramePainted)
        startDraw();
    else
        connect(this, &DrawScreenWindow::firstFramePainted, this, &DrawScreenWindow::startDraw,
                Qt::SingleShotConnection);
}

void DrawScreenWindow::startDraw()
{
    Startup(m_session, *this, m_operator, m_sound, *m_preparation).startDraw();
    // The start-up's pictures are taken by now; whatever is left goes.
    m_background->setFallbackSource(nullptr);
    m_prefetch.reset();
    m_drawStarted = true;
    emit drawStarted();
}

void DrawScreenWindow::adoptPrefetch(std::unique_ptr<PicturePrefetch> prefetch)
{
    m_prefetch = std::move(prefetch);
    m_background->setFallbackSource(m_prefetch.get());
}

const QImage &DrawScreenWindow::buttonPicture(const QString &path)
{
    auto found = m_buttonPictures.find(path);
    if (found == m_buttonPictures.end())
        found = m_buttonPictures.insert(path, decodePicture(path));
    return *found;
}

// ---- layout --------------------------------------------------------------

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
    for (int k = 1; k <= 10; ++k) {
        m_nameSlots[k]->setGeometry(l.slot(k));
        screenlabels::setPointSize(m_nameSlots[k], l.slotFontPt);
    }
    m_startButton->setGeometry(l.start);
    m_stopButton->setGeometry(l.end);
    for (int corner : {Left, Right}) {
        m_prizePictures[corner]->setGeometry(l.prizePicture[corner]);
        m_prizeLabels[corner]->setGeometry(l.prizeText[corner].rect);
        screenlabels::fitPrizeText(m_prizeLabels[corner], l.prizeText[corner].fontPt);
    }
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
    for (int corner : {Left, Right}) {
        m_prizeLabels[corner]->hide();
        m_prizePictures[corner]->hide();
    }
}

void DrawScreenWindow::showPrizeText(Corner corner, const QByteArray &text)
{
    m_prizeLabels[corner]->setText(gbk::decode(text));
    screenlabels::fitPrizeText(m_prizeLabels[corner]);
    m_prizeLabels[corner]->show();
}

void DrawScreenWindow::showPrizePicture(Corner corner, const QString &path)
{
    PictureBox *box = m_prizePictures[corner];
    if (!box->load(path)) {
        m_operator.showError(QStringLiteral("无法打开图片文件：") + path);
        return;
    }
    box->show();
    box->raise();
}

void DrawScreenWindow::hidePrizePicture(Corner corner)
{
    m_prizePictures[corner]->hide();
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
    if (m_results)
        m_results->setTitle(gbk::decode(o.title));
}

void DrawScreenWindow::formatTitles()
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

void DrawScreenWindow::showResults()
{
    if (!m_results) {
        m_results = std::make_unique<ResultsWindow>(m_session.folder, m_operator, m_sound, *m_resultMusic, this);
        m_results->soundOn = [this] { return m_session.settings.options.soundOn; };
        m_results->fullScreenLocked = [this] { return m_fullScreenLocked; };
        m_results->exportWinners = [this] { m_records->exportWinners(); };
        m_results->setTitle(gbk::decode(m_session.settings.options.title));
    }
    m_results->showModal();
    takeFocusBack();
}

void DrawScreenWindow::takeFocusBack()
{
    activateWindow();
    setFocus();
}

// ---- window modes --------------------------------------------------------

void DrawScreenWindow::goFullScreen()
{
    // Without a window manager (a bare projector session) the full-screen
    // request alone changes nothing: cover the screen ourselves as well.
    if (QScreen *s = screen())
        setGeometry(s->geometry());
    showFullScreen();
}

void DrawScreenWindow::enterFullScreen()
{
    if (m_fullScreenLocked)
        return;
    hideMenus();
    if (!isFullScreen())
        goFullScreen();
}

// ---- DrawRoundHost -------------------------------------------------------

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

// ---- ThemeView -----------------------------------------------------------

QList<QLabel *> DrawScreenWindow::themedLabels() const
{
    QList<QLabel *> labels{m_titleLabel, m_subtitleLabel, m_statusLabel};
    for (int k = 1; k <= 10; ++k)
        labels << m_nameSlots[k];
    labels << m_prizeLabels[Left] << m_prizeLabels[Right];
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

// ---- events --------------------------------------------------------------

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
        if (mouse->button() == Qt::LeftButton && watched != m_prizeLabels[Left] && watched != m_prizeLabels[Right])
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
    questions.exportWinners = [this] { m_records->exportWinners(); };
    if (!questions.confirmClose()) {
        event->ignore();
        return;
    }
    m_theme.save();
    m_sound.closeMusic();
    event->accept();
}

} // namespace sorvix
