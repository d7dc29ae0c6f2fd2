#include "app/ui/operatorconsole.h"

#include "app/clicker.h"
#include "app/console.h"
#include "app/ui/mainmenus.h"
#include "base/ui/widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorvix {

namespace {

QLabel *addLine(QVBoxLayout *layout, QWidget *parent, const char *name, int pointsMore = 0)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    if (pointsMore) {
        QFont font = label->font();
        font.setPointSize(font.pointSize() + pointsMore);
        label->setFont(font);
    }
    layout->addWidget(label);
    return label;
}

} // namespace

OperatorConsole::OperatorConsole(Draw &draw, MainMenus &menus, QWidget *drawScreen)
    : QMainWindow(nullptr), m_draw(draw), m_drawScreen(drawScreen)
{
    setObjectName(QStringLiteral("OperatorConsole"));
    setWindowTitle(QStringLiteral("抽奖操作台"));
    menuBar()->setObjectName(QStringLiteral("consoleMenuBar"));
    menus.fill(menuBar());

    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    const char *const names[LineCount] = {"consoleNow",     "consoleProgress", "consoleNext",
                                           "consoleWinners", "consolePending",  "consoleRemote"};
    for (int line = Now; line < Remote; ++line)
        m_lines[line] = addLine(layout, body, names[line], line == Now || line == Winners ? 2 : 0);
    ui::setTextColour(m_lines[Pending], QColor(200, 0, 0));
    m_button = ui::makeButton(body, QStringLiteral("consoleButton"), QStringLiteral("开始"));
    m_button->setMinimumHeight(56);
    QFont big = m_button->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    m_button->setFont(big);
    // A space meant for the draw must not press the button twice.
    m_button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_button);
    m_lines[Remote] = addLine(layout, body, names[Remote]);
    layout->addStretch();
    setCentralWidget(body);
    resize(460, 420);

    connect(m_button, &QPushButton::clicked, this, [this] {
        if (m_draw.rolling())
            m_draw.stop(Draw::Asked::ByButton);
        else
            m_draw.start(Draw::Asked::ByButton);
    });
    connect(&m_draw, &Draw::screenChanged, this, [this](ScreenParts parts) {
        // The rolling names are the room's: a tick changes nothing here.
        if (parts != ScreenParts(ScreenPart::Names) || !m_draw.rolling())
            refresh();
    });
    connect(&m_draw, &Draw::progressChanged, this, &OperatorConsole::refresh);
    refresh();
}

void OperatorConsole::refresh()
{
    // With one screen the console stays hidden: its texts would only keep a
    // screen reader busy. It is brought up to date when it shows.
    if (!isVisible())
        return;
    const ConsoleText text = ConsoleText::of(m_draw);
    const QString *shown[Remote] = {&text.now, &text.progress, &text.next, &text.winners, &text.pending};
    for (int line = Now; line < Remote; ++line) {
        m_lines[line]->setText(*shown[line]);
        // The winners and a pending record are there only when there are some.
        m_lines[line]->setVisible(!shown[line]->isEmpty());
    }
    m_button->setText(text.button);
}

void OperatorConsole::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    refresh();
}

void OperatorConsole::setRemoteText(const QString &text)
{
    m_lines[Remote]->setText(text);
}

void OperatorConsole::keyPressEvent(QKeyEvent *event)
{
    // The draw keys and a clicker's keys are the draw screen's, whichever
    // window has the focus.
    const int key = event->key();
    const bool drawKey = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (drawKey || clicker::keyAction(key) != clicker::KeyAction::Pass) {
        QCoreApplication::sendEvent(m_drawScreen, event);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void OperatorConsole::closeEvent(QCloseEvent *event)
{
    // Closing the console asks to close the program, with its questions.
    event->ignore();
    m_drawScreen->close();
}

} // namespace sorvix
