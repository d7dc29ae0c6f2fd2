#pragma once

#include "base/operatorports.h"
#include "base/programfolder.h"

#include <QDialog>

class QLabel;

namespace sorvix {

// "关于": the product, its version and its maker, each line but the version
// opening the user guide when clicked.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    AboutDialog(const ProgramFolder &folder, OperatorPort &op, QWidget *parent = nullptr);

    static constexpr int ClientWidth = 298;
    static constexpr int ClientHeight = 157;

    void reject() override;

    // The clicks: the product's help page and the maker's page.
    void openProductPage();
    void openMakerPage();
    void openMakerSite();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *makeLabel(const char *name, const QString &text, const QString &hint);

    const ProgramFolder &m_folder;
    OperatorPort &m_operator;
    QLabel *m_productLabel = nullptr;
    QLabel *m_versionLabel = nullptr;
    QLabel *m_makerLabel = nullptr;
    QLabel *m_addressLabel = nullptr;
};

} // namespace sorvix
