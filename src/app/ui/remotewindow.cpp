#include "app/ui/remotewindow.h"

#include "app/clicker.h"
#include "app/remote/qrimage.h"
#include "base/ui/widgets.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorvix {

namespace {

constexpr int CodeScale = 6;

// A label's text is what a screen reader reads; `role` only describes it.
QLabel *addLabel(QVBoxLayout *layout, QWidget *parent, const char *name, const QString &role)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleDescription(role);
    label->setWordWrap(true);
    layout->addWidget(label);
    return label;
}

} // namespace

RemoteWindow::RemoteWindow(remote::RemoteServer &server, QWidget *parent)
    : QDialog(parent), m_server(server)
{
    setObjectName(QStringLiteral("remoteWindow"));
    setWindowTitle(QStringLiteral("手机遥控"));
    setAccessibleName(QStringLiteral("手机遥控"));
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->setContentsMargins(20, 16, 20, 16);

    m_code = addLabel(layout, this, "remoteCode", QStringLiteral("用手机相机扫描"));
    // A picture has no text of its own to read.
    m_code->setAccessibleName(QStringLiteral("遥控地址的二维码"));
    m_code->setAlignment(Qt::AlignCenter);
    m_address = addLabel(layout, this, "remoteAddress", QStringLiteral("遥控地址"));
    m_address->setAlignment(Qt::AlignCenter);
    m_address->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_address->setCursor(Qt::IBeamCursor);
    QFont addressFont = m_address->font();
    addressFont.setPointSize(addressFont.pointSize() + 1);
    m_address->setFont(addressFont);

    QLabel *steps = addLabel(layout, this, "remoteSteps", QStringLiteral("手机的操作步骤"));
    steps->setText(QStringLiteral("1. 手机连上与这台电脑相同的无线网络（Wi-Fi）。\n"
                                  "2. 用手机相机扫描二维码，在打开的网页上点按大按钮开始或停止抽奖。"));
    QLabel *warning = addLabel(layout, this, "remoteWarning", QStringLiteral("提醒"));
    warning->setText(QStringLiteral("拿到这个地址的人都能开始和停止抽奖：请在观众入场前或关闭投影时打开本窗口。"
                                    "关闭本窗口后遥控仍然开启。"));
    QPalette muted = warning->palette();
    muted.setColor(QPalette::WindowText, QColor(140, 60, 0));
    warning->setPalette(muted);

    m_stop = new QPushButton(QStringLiteral("停止遥控"), this);
    m_stop->setObjectName(QStringLiteral("remoteStop"));
    m_stop->setAccessibleName(QStringLiteral("停止遥控"));
    m_stop->setAutoDefault(false);
    // Never the focus: a space meant to start a round must not stop the remote.
    m_stop->setFocusPolicy(Qt::ClickFocus);
    layout->addWidget(m_stop, 0, Qt::AlignHCenter);
    connect(m_stop, &QPushButton::clicked, this, [this] {
        m_server.stop();
        close();
    });
    setFixedWidth(440);
}

void RemoteWindow::refresh()
{
    const QString url = m_server.isListening() ? m_server.url() : QString();
    m_address->setText(url);
    const QImage code = url.isEmpty() ? QImage() : remote::qrImage(url, CodeScale);
    m_code->setPixmap(QPixmap::fromImage(code));
    m_stop->setEnabled(m_server.isListening());
    adjustSize();
}

void RemoteWindow::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool drawKey = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (parentWidget() && (drawKey || clicker::keyAction(key) != clicker::KeyAction::Pass)) {
        QCoreApplication::sendEvent(parentWidget(), event);
        return;
    }
    QDialog::keyPressEvent(event);
}

PhoneRemote::PhoneRemote(Draw &draw, OperatorPort &op, QObject *parent)
    : QObject(parent), m_operator(op), m_server(draw)
{
    // While any window of the program waits for the operator, the phone waits too.
    m_server.busy = [] { return QApplication::activeModalWidget() != nullptr; };
    connect(&m_server, &remote::RemoteServer::changed, this, [this] {
        showCaptions();
        if (m_window)
            m_window->refresh();
    });
}

void PhoneRemote::open(QWidget *over)
{
    if (!remote::RemoteServer::isAvailable()) {
        m_operator.showError(QStringLiteral("这个版本的抽奖软件没有手机遥控功能。"));
        return;
    }
    if (!m_server.isListening()) {
        const QHostAddress address = listenAddress();
        if (address.isNull()) {
            m_operator.showError(QStringLiteral("没有找到这台电脑的局域网地址，请先连上无线网络或网线。"));
            return;
        }
        if (!m_server.start(address)) {
            m_operator.showError(QStringLiteral("手机遥控无法开启：这台电脑的网络端口不可用。"));
            return;
        }
    }
    if (!m_window)
        m_window = new RemoteWindow(m_server, over);
    else if (m_window->parentWidget() != over)
        m_window->setParent(over, m_window->windowFlags());
    m_window->refresh();
    ui::centreOver(m_window, over);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

QAction *PhoneRemote::follow(QAction *item)
{
    m_items << item;
    item->setText(remote::menuCaption(m_server.isListening()));
    return item;
}

void PhoneRemote::showCaptions()
{
    for (const QPointer<QAction> &item : m_items)
        if (item)
            item->setText(remote::menuCaption(m_server.isListening()));
}

} // namespace sorvix
