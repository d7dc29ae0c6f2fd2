#pragma once

#include <QColor>
#include <QString>

#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QObject;
class QPushButton;
class QRect;
class QWidget;

// The small toolkit every window builds its controls with, so that captions,
// names for screen readers, hints and placement follow one rule everywhere.
namespace sorvix::ui {

// How long a hint stays up.
constexpr int HintMs = 10000;

// A caption written in UTF-8 in the source.
inline QString text(const char *utf8) { return QString::fromUtf8(utf8); }

// A push button named for a screen reader by its caption. It is never a
// default button: Enter in an edit or a grid cell must not press it.
QPushButton *makeButton(QWidget *parent, const QString &objectName, const QString &caption);
// A check box named for a screen reader by its caption.
QCheckBox *makeSwitch(QWidget *parent, const QString &objectName, const QString &caption);
// A label of fixed place and size.
QLabel *fixedLabel(QWidget *parent, const QString &caption, const QRect &place);

// A hint: the tooltip, shown for HintMs, which a screen reader reads as the
// control's description.
void setHint(QWidget *widget, const QString &hint);
// A menu item's hint, shown over the item: the menus that hold the item
// show their items' tooltips.
void setHint(QAction *item, const QString &hint);
// A menu item; the handler runs while `context` lives.
QAction *addMenuItem(QMenu *menu, const QString &objectName, const QString &caption, QObject *context,
                     std::function<void()> handler);

// Moves a window so that its centre stands on the centre of `over` (nothing
// when `over` is null).
void centreOver(QWidget *window, const QWidget *over);
// Shows a window of the program's over `over`, centred on it, modal for the
// whole program as long as it is open, and returns at once: the menu item or
// the assistive tool that asked for it is not held up.
void showModalOver(QWidget *window, const QWidget *over);

// The wait cursor over the whole program while `working`, the ordinary one
// after. Matches the editors' `working` reports.
void showWaitCursor(bool working);

// The two full-screen windows (the draw screen and the results): yellow text
// in the 黑体 face on a transparent ground.
inline const QColor ScreenYellow{255, 255, 0};
inline const QString ScreenFace = QStringLiteral("黑体");
// The colour of a label's or a widget's text.
void setTextColour(QWidget *widget, const QColor &colour);
// A label of a full-screen window: transparent, 黑体, yellow.
QLabel *screenLabel(QWidget *parent, const QString &objectName);

} // namespace sorvix::ui
