#include "base/ui/widgets.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyle>

namespace sorvix::ui {

QPushButton *makeButton(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QCheckBox *makeSwitch(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(objectName);
    box->setAccessibleName(caption);
    return box;
}

QLabel *fixedLabel(QWidget *parent, const QString &caption, const QRect &place)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(place);
    return label;
}

void setHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setToolTipDuration(HintMs);
    widget->setAccessibleDescription(hint);
}

void setHint(QAction *item, const QString &hint)
{
    item->setToolTip(hint);
    // A menu shows no tooltips of its own accord.
    for (QObject *holder : item->associatedObjects()) {
        if (auto *menu = qobject_cast<QMenu *>(holder))
            menu->setToolTipsVisible(true);
    }
}

QAction *addMenuItem(QMenu *menu, const QString &objectName, const QString &caption, QObject *context,
                     std::function<void()> handler)
{
    QAction *item = menu->addAction(caption);
    item->setObjectName(objectName);
    if (handler)
        QObject::connect(item, &QAction::triggered, context, std::move(handler));
    return item;
}

void showModalOver(QWidget *window, const QWidget *over)
{
    centreOver(window, over);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    window->raise();
    window->activateWindow();
}

void centreOver(QWidget *window, const QWidget *over)
{
    if (!over)
        return;
    const QRect area = over->isWindow() ? over->frameGeometry() : QRect(over->mapToGlobal(QPoint(0, 0)), over->size());
    // The client area is placed: a window not yet shown has no frame to measure.
    window->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(), area));
}

void showWaitCursor(bool working)
{
    if (working)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QLabel *screenLabel(QWidget *parent, const QString &objectName)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAutoFillBackground(false);
    label->setFont(QFont(ScreenFace));
    setTextColour(label, ScreenYellow);
    return label;
}

} // namespace sorvix::ui
