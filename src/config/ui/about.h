#pragma once

#include "base/ports.h"
#include "base/programfolder.h"

#include <QDialog>

class QLabel;

namespace sorvix {

// "关于": the product, its version and its maker, each line but the version
// opening the user guide when clicked.
class TfrmAbout : public QDialog
{
    Q_OBJECT
public:
    TfrmAbout(const ProgramFolder &folder, OperatorPort &op, QWidget *parent = nullptr);

    static constexpr int ClientWidth = 298;
    static constexpr int ClientHeight = 157;

    void reject() override;

    // The clicks: the product's help page and the maker's page.
    void Label1Click();
    void Label3Click();
    void Label4Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *makeLabel(const char *name, const QString &text, const QString &hint);

    const ProgramFolder &m_folder;
    OperatorPort &m_operator;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
};

} // namespace sorvix
