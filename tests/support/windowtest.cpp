#include "support/windowtest.h"

#include "support/startscreen.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace sorvix::test {

bool becomesActive(QWidget *widget)
{
    return QTest::qWaitFor([widget] { return widget->isActiveWindow(); });
}

QStringList unnamedControls(const QWidget *window)
{
    QStringList unnamed;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w)
            || qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractItemView *>(w)
            || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QPlainTextEdit *>(w);
        // What Qt makes inside a combo box, a spin box or a list is the outer control's.
        bool inner = false;
        for (QWidget *up = w->parentWidget(); up && up != window; up = up->parentWidget())
            inner = inner || qobject_cast<QComboBox *>(up) || qobject_cast<QAbstractSpinBox *>(up)
                || qobject_cast<QAbstractItemView *>(up);
        // Qt's own parts ("qt_menubar_ext_button", ...) are named by Qt.
        if (!control || inner || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        // A button is named by its caption; any other control needs a name of
        // its own (Qt would otherwise fall back on a hint or the current item).
        const auto *button = qobject_cast<QAbstractButton *>(w);
        if (w->accessibleName().trimmed().isEmpty() && !(button && !button->text().trimmed().isEmpty()))
            unnamed << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
    }
    return unnamed;
}

void DrawScreenTest::start(QSize size)
{
    program = std::make_unique<Application>(dir.root(), op, sound, music, random);
    window = &program->window();
    startDrawScreen(*program);
    if (size.isValid())
        window->resize(size);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(becomesActive(window));
}

void DrawScreenTest::drawOneRound()
{
    QTest::keyClick(window, Qt::Key_Space);
    QTest::keyClick(window, Qt::Key_Return);
}

} // namespace sorvix::test
