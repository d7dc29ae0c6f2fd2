#include "base/ui/qtoperator.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace sorvix {

namespace {

// A box that comes up in the middle of a long command (a save under the wait
// cursor) shows the ordinary pointer while it waits for the operator.
class PointerWhileAsking
{
public:
    PointerWhileAsking() : m_busy(QApplication::overrideCursor() != nullptr)
    {
        if (m_busy)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~PointerWhileAsking()
    {
        if (m_busy)
            QApplication::restoreOverrideCursor();
    }

private:
    bool m_busy;
};

OperatorPort::Answer ask(QWidget *parent, QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QApplication::applicationName(), QtOperator::boxText(text), buttons, parent);
    box.setDefaultButton(QMessageBox::Yes);
    const PointerWhileAsking pointer;
    switch (box.exec()) {
    case QMessageBox::Yes: return OperatorPort::Answer::Yes;
    case QMessageBox::No: return OperatorPort::Answer::No;
    default: return OperatorPort::Answer::Cancel;
    }
}

void tell(QWidget *parent, QMessageBox::Icon icon, const QString &text)
{
    QMessageBox box(icon, QApplication::applicationName(), QtOperator::boxText(text), QMessageBox::Ok, parent);
    const PointerWhileAsking pointer;
    box.exec();
}

} // namespace

QString QtOperator::boxText(const QString &text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

QString QtOperator::qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString shown = QStringLiteral("(") + patterns + QLatin1Char(')');
        // "Excel (*.xls)|*.xls" already shows its pattern.
        filters << (parts[i].endsWith(shown) ? parts[i] : parts[i] + QLatin1Char(' ') + shown);
    }
    return filters.join(QStringLiteral(";;"));
}

OperatorPort::Answer QtOperator::confirm(const QString &text)
{
    return ask(parentWidget(), QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No);
}

OperatorPort::Answer QtOperator::confirmWithCancel(const QString &text)
{
    return ask(parentWidget(), QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

OperatorPort::Answer QtOperator::warnYesNo(const QString &text)
{
    return ask(parentWidget(), QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No);
}

void QtOperator::inform(const QString &text)
{
    tell(parentWidget(), QMessageBox::Information, text);
}

void QtOperator::warn(const QString &text)
{
    tell(parentWidget(), QMessageBox::Warning, text);
}

void QtOperator::showError(const QString &text)
{
    tell(parentWidget(), QMessageBox::Critical, text);
}

void QtOperator::setWindows(QWidget *operatorWindow, QWidget *audienceWindow)
{
    m_operatorWindow = operatorWindow;
    m_parent = audienceWindow;
}

QWidget *QtOperator::parentWidget() const
{
    // While the operator has a screen of their own, nothing the audience's
    // screen shows (the draw screen, the results) carries a box.
    const bool separate = m_operatorWindow && m_operatorWindow->isVisible() && m_parent
        && m_operatorWindow->screen() != m_parent->screen();
    const auto onOperatorsSide = [&](QWidget *w) { return !separate || w->screen() != m_parent->screen(); };
    if (QWidget *modal = QApplication::activeModalWidget(); modal && onOperatorsSide(modal))
        return modal;
    if (QWidget *active = QApplication::activeWindow(); active && onOperatorsSide(active))
        return active;
    return separate ? m_operatorWindow : m_parent;
}

QString QtOperator::chooseSaveFile(const QString &filter, const QString &proposedName, Replace replace)
{
    const QFileDialog::Options options = replace == Replace::CallerAsks ? QFileDialog::DontConfirmOverwrite
                                                                        : QFileDialog::Options();
    return QFileDialog::getSaveFileName(parentWidget(), QString(), QDir::home().filePath(proposedName),
                                        qtFilter(filter), nullptr, options);
}

QString QtOperator::chooseOpenFile(const QString &filter)
{
    return QFileDialog::getOpenFileName(parentWidget(), QString(), QString(), qtFilter(filter));
}

bool QtOperator::openWithShell(const QString &target)
{
    if (!QFileInfo(target).isAbsolute())
        return QDesktopServices::openUrl(QUrl(target));
#ifdef Q_OS_LINUX
    // The desktop's opener starts even when no program takes the file, and
    // then fails unseen: ask the desktop first whether one is set.
    const QString mime = QMimeDatabase().mimeTypeForFile(target).name();
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mime});
    if (query.waitForFinished(3000) && query.exitStatus() == QProcess::NormalExit
        && query.readAllStandardOutput().trimmed().isEmpty())
        return false;
#endif
    return QDesktopServices::openUrl(QUrl::fromLocalFile(target));
}

} // namespace sorvix
