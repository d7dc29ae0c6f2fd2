#include "presentation/ui/resultswindow.h"

#include "base/errors.h"
#include "base/gbk.h"
#include "base/ui/picturebox.h"
#include "base/ui/widgets.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>
#include <QStaticText>
#include <QTimer>

#include <cmath>
#include <optional>
#include <vector>

namespace sorvix {

namespace {

const QColor RowColour(255, 0, 0);

void setPixelSize(QLabel *label, int pixels)
{
    QFont font = label->font();
    font.setPixelSize(pixels);
    label->setFont(font);
}

QLabel *makeLabel(QWidget *parent, const char *name, int pixels, int height)
{
    QLabel *label = ui::screenLabel(parent, QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    setPixelSize(label, pixels);
    label->resize(label->width(), height);
    return label;
}

} // namespace

// The name rows, painted by one widget over the whole client area: red bars
// the client's width with the name centred in yellow. Only the rows on screen
// are painted, and a tick repaints only where rows were or are, so ten
// thousand winners rise as smoothly as ten.
class ResultRowsView : public QWidget
{
public:
    ResultRowsView(const RisingRows &rows, QWidget *parent)
        : QWidget(parent), m_rows(rows)
    {
        setObjectName(QStringLiteral("name rows"));
        setAccessibleName(QStringLiteral("中奖名单"));
        setAttribute(Qt::WA_TranslucentBackground);
        setAutoFillBackground(false);
    }

    void setRowStyle(const QFont &font, const ResultsLayout &layout)
    {
        setFont(font);
        m_layout = layout;
        m_text.assign(m_text.size(), std::nullopt);
    }

    // New rows: the texts of the winners list, GBK.
    void setLines(const Lines &lines)
    {
        m_lines = lines;
        m_text.assign(size_t(lines.size()), std::nullopt);
        refresh(true);
    }

    void clear() { setLines({}); }

    // After the rows moved: repaint what changed. A row that only rose a
    // little changes in its name and in a strip at its top and at its old
    // bottom; the red in between stays, so it is not painted again.
    void refresh(bool whole = false)
    {
        QRegion dirty;
        std::vector<Shown> shown;
        const QRect client = rect();
        const int count = std::min(m_rows.count(), int(m_lines.size()));
        size_t before = 0;
        for (int i = 0; i < count; ++i) {
            if (!m_rows.visible(i))
                continue;
            const QRect row = m_layout.row(m_rows.top(i));
            if (!row.intersects(client))
                continue;
            shown.push_back({i, row});
            while (before < m_shown.size() && m_shown[before].row < i)
                dirty += m_shown[before++].rect;
            const int step = before < m_shown.size() ? m_shown[before].rect.top() - row.top() : 0;
            if (!whole && step > 0 && m_shown[before].row == i && step < row.height()
                && m_shown[before].rect == row.translated(0, step)) {
                const int textWidth = int(std::ceil(staticText(i).size().width())) + 8;
                dirty += QRect(0, row.top(), row.width(), step);
                dirty += QRect(0, row.bottom() + 1, row.width(), step);
                dirty += QRect((row.width() - textWidth) / 2, row.top(), textWidth, row.height() + step);
                ++before;
            } else {
                dirty += row;
            }
        }
        while (before < m_shown.size())
            dirty += m_shown[before++].rect;
        m_shown = std::move(shown);
        if (whole)
            update();
        else if (!dirty.isEmpty())
            update(dirty);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (m_shown.empty())
            return;
        QPainter painter(this);
        painter.setPen(ui::ScreenYellow);
        const QRect area = event->rect();
        for (const Shown &s : m_shown) {
            if (!s.rect.intersects(area))
                continue;
            painter.fillRect(s.rect, RowColour);
            const QStaticText &text = staticText(s.row);
            const QSizeF size = text.size();
            painter.drawStaticText(QPointF(s.rect.left() + (s.rect.width() - size.width()) / 2,
                                           s.rect.top() + (s.rect.height() - size.height()) / 2),
                                   text);
        }
    }

    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        refresh(true);
    }

private:
    struct Shown
    {
        int row;
        QRect rect;
    };

    // Laid out once, when the row first comes on screen.
    const QStaticText &staticText(int row)
    {
        std::optional<QStaticText> &text = m_text[size_t(row)];
        if (!text) {
            text.emplace(gbk::decode(m_lines[row]));
            text->setTextFormat(Qt::PlainText);
            text->setPerformanceHint(QStaticText::AggressiveCaching);
            text->prepare(QTransform(), font());
        }
        return *text;
    }

    const RisingRows &m_rows;
    Lines m_lines;
    std::vector<std::optional<QStaticText>> m_text;
    std::vector<Shown> m_shown;
    ResultsLayout m_layout{0, 0};
};

ResultsWindow::ResultsWindow(const ProgramFolder &folder, OperatorPort &op, SoundPort &drawScreenSound, SoundPort &music,
                       QWidget *parent)
    : QDialog(parent), m_folder(folder), m_operator(op), m_show(m_folder, op, drawScreenSound, music)
{
    setObjectName(QStringLiteral("ResultsWindow"));
    setWindowTitle(QStringLiteral("中奖名单"));
    QPalette window = palette();
    window.setColor(QPalette::Window, RowColour);
    setPalette(window);
    setAutoFillBackground(true);

    m_background = new PictureBox(this);
    m_background->setObjectName(QStringLiteral("background"));
    m_background->setFallback(BuiltInBackground);
    m_background->setFit(PictureFit::Cover);
    m_titleLabel = makeLabel(this, "titleLabel", ResultsLayout::TitlePixels, ResultsLayout::TitleHeight);
    m_subtitleLabel = makeLabel(this, "subtitleLabel", ResultsLayout::SubtitlePixels, ResultsLayout::SubtitleHeight);
    m_subtitleLabel->setText(QStringLiteral("幸运抽奖活动中奖名单"));
    m_rowsView = new ResultRowsView(m_show.rows(), this);

    m_riseTimer = new QTimer(this);
    m_riseTimer->setObjectName(QStringLiteral("riseTimer"));
    m_riseTimer->setTimerType(Qt::PreciseTimer);
    m_riseTimer->setInterval(RisingRows::TickMs);
    connect(m_riseTimer, &QTimer::timeout, this, &ResultsWindow::riseTick);
    m_musicTimer = new QTimer(this);
    m_musicTimer->setObjectName(QStringLiteral("musicTimer"));
    m_musicTimer->setInterval(ResultsShow::MusicIntervalMs);
    connect(m_musicTimer, &QTimer::timeout, this, &ResultsWindow::rewindMusic);
    m_musicTimer->start();

    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("contextMenu"));
    const auto item = [this](QMenu *menu, const char *name, const char *caption, auto handler) {
        QAction *action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    item(m_contextMenu, "backToDrawAction", "返回抽奖界面", [this] { close(); });
    item(m_contextMenu, "resultsExportAction", "导出中奖名单", [this] { emit exportWinnersAsked(); });
    QMenu *colours = m_contextMenu->addMenu(QStringLiteral("背景颜色"));
    colours->menuAction()->setObjectName(QStringLiteral("rowColourMenu"));
    item(colours, "redRowsAction", "红", [this] { redRows(); });
    item(colours, "blueRowsAction", "蓝", [this] { blueRows(); });
    m_contextMenu->addSeparator();
    item(m_contextMenu, "resultsExitAction", "退出", [this] { close(); });

    try {
        const QString stored = results::storedBackground(m_folder);
        if (!stored.isEmpty())
            m_background->load(stored);
    } catch (const OperationError &) {
        // An unreadable bgshow.dll leaves the built-in background.
    }
    resize(800, 600);
}

ResultsWindow::~ResultsWindow() = default;

void ResultsWindow::reloadBackground()
{
    try {
        const QString stored = results::storedBackground(m_folder);
        if (!stored.isEmpty() && m_background->load(stored))
            return;
    } catch (const OperationError &error) {
        reportQuietly("results window (background)", error);
    }
    m_background->load(BuiltInBackground);
}

void ResultsWindow::setTitle(const QString &title)
{
    m_titleLabel->setText(title);
}

bool ResultsWindow::rising() const
{
    return m_riseTimer->isActive();
}

void ResultsWindow::applyWindowMode(bool fullScreenLocked)
{
    // The results are for the room: on the screen its owner, the draw
    // screen, stands on.
    QWidget *owner = parentWidget();
    if (owner && owner->screen())
        setScreen(owner->screen());
    if (fullScreenLocked) {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                       | Qt::WindowCloseButtonHint);
        setWindowState(Qt::WindowNoState);
        resize(800, 600);
        return;
    }
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    // Without a window manager (a bare projector session) maximising alone
    // changes nothing: cover the screen ourselves as well.
    if (QScreen *s = screen())
        setGeometry(s->availableGeometry());
    setWindowState(Qt::WindowMaximized);
}

void ResultsWindow::showModal(bool fullScreenLocked, bool soundOn)
{
    setSoundOn(soundOn);
    applyWindowMode(fullScreenLocked);
    open();
}

bool ResultsWindow::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        activate();
        break;
    case QEvent::WindowDeactivate:
        deactivate();
        break;
    default:
        break;
    }
    return QDialog::event(event);
}

void ResultsWindow::activate()
{
    m_rowsView->setLines(m_show.activate(ResultsLayout(width(), height()).baseHeight()));
    m_riseTimer->start();
}

void ResultsWindow::deactivate()
{
    m_show.deactivate();
    m_riseTimer->stop();
}

void ResultsWindow::riseTick()
{
    m_show.tick(ResultsLayout(width(), height()).baseHeight());
    m_rowsView->refresh();
}

void ResultsWindow::rewindMusic()
{
    m_show.rewindMusic(isActiveWindow());
}

void ResultsWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutControls();
}

void ResultsWindow::layoutControls()
{
    const ResultsLayout l(width(), height());
    m_background->setGeometry(rect());
    m_titleLabel->setGeometry(l.title);
    setPixelSize(m_titleLabel, l.titlePixels);
    m_subtitleLabel->setGeometry(l.subtitle);
    setPixelSize(m_subtitleLabel, l.subtitlePixels);
    m_rowsView->setRowStyle(m_subtitleLabel->font(), l);
    m_rowsView->setGeometry(rect());
}

void ResultsWindow::contextMenuEvent(QContextMenuEvent *event)
{
    m_contextMenu->popup(event->globalPos());
}

void ResultsWindow::chooseBackground(const QString &relative)
{
    const QString path = m_show.chooseBackground(relative);
    if (!path.isEmpty() && !m_background->load(path))
        m_operator.showError(QStringLiteral("无法打开图片文件：") + path);
}

void ResultsWindow::redRows()
{
    chooseBackground(results::RedBackground);
}

void ResultsWindow::blueRows()
{
    chooseBackground(results::BlueBackground);
}

void ResultsWindow::reject()
{
    close();
}

void ResultsWindow::closeEvent(QCloseEvent *event)
{
    deactivate();
    m_show.closed();
    m_rowsView->clear();
    event->accept();
    QDialog::done(QDialog::Rejected);
}

} // namespace sorvix
