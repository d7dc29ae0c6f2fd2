#include "engine/ui/giveupdialog.h"

#include "base/gbk.h"
#include "base/ui/widgets.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace sorvix {

namespace {

QStringList decoded(const Lines &lines)
{
    QStringList texts;
    texts.reserve(lines.size());
    for (const QByteArray &line : lines)
        texts << gbk::decode(line);
    return texts;
}

} // namespace

GiveUpDialog::GiveUpDialog(Draw &draw, OperatorPort &op, QWidget *parent)
    : QDialog(parent), m_form(draw, op)
{
    setObjectName(QStringLiteral("GiveUpDialog"));
    setWindowTitle(QStringLiteral("弃奖/补奖"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    m_giveUpBox = new QGroupBox(QStringLiteral("弃奖"), this);
    m_giveUpBox->setObjectName(QStringLiteral("giveUpBox"));
    m_giveUpLevelList = new QComboBox(m_giveUpBox);
    m_giveUpLevelList->setObjectName(QStringLiteral("giveUpLevelList"));
    m_giveUpLevelList->setAccessibleName(QStringLiteral("弃奖的奖项"));
    m_giveUpWinnersList = new QListView(m_giveUpBox);
    m_giveUpWinnersList->setObjectName(QStringLiteral("giveUpWinnersList"));
    m_giveUpWinnersList->setAccessibleName(QStringLiteral("本奖项中奖名单"));
    m_giveUpWinnersList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_giveUpWinnersList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_giveUpWinnersList->setUniformItemSizes(true);
    m_winnersModel = new QStringListModel(this);
    m_giveUpWinnersList->setModel(m_winnersModel);
    m_giveUpButton = ui::makeButton(m_giveUpBox, QStringLiteral("giveUpButton"), QStringLiteral("弃奖"));
    ui::setHint(m_giveUpButton, QStringLiteral("放弃获奖资格，从名单中删除"));
    auto *giveUpLayout = new QVBoxLayout(m_giveUpBox);
    giveUpLayout->addWidget(m_giveUpLevelList);
    giveUpLayout->addWidget(m_giveUpWinnersList, 1);
    giveUpLayout->addWidget(m_giveUpButton, 0, Qt::AlignRight);

    m_makeUpBox = new QGroupBox(QStringLiteral("补奖"), this);
    m_makeUpBox->setObjectName(QStringLiteral("makeUpBox"));
    auto *levelLabel = new QLabel(QStringLiteral("奖项"), m_makeUpBox);
    m_makeUpLevelList = new QComboBox(m_makeUpBox);
    m_makeUpLevelList->setObjectName(QStringLiteral("makeUpLevelList"));
    m_makeUpLevelList->setAccessibleName(QStringLiteral("补奖的奖项"));
    levelLabel->setBuddy(m_makeUpLevelList);
    auto *quantityLabel = new QLabel(QStringLiteral("数量"), m_makeUpBox);
    m_makeUpQuantityEdit = new QLineEdit(QStringLiteral("1"), m_makeUpBox);
    m_makeUpQuantityEdit->setObjectName(QStringLiteral("makeUpQuantityEdit"));
    m_makeUpQuantityEdit->setAccessibleName(QStringLiteral("补奖数量"));
    ui::setHint(m_makeUpQuantityEdit, QStringLiteral("大于1的数字"));
    quantityLabel->setBuddy(m_makeUpQuantityEdit);
    auto *hint = new QLabel(QStringLiteral("请在某个奖项的中奖人全部产生后，再进行补奖操作"), m_makeUpBox);
    hint->setObjectName(QStringLiteral("hintLabel"));
    hint->setWordWrap(true);
    m_makeUpButton = ui::makeButton(m_makeUpBox, QStringLiteral("makeUpButton"), QStringLiteral("确定"));
    auto *makeupLayout = new QGridLayout(m_makeUpBox);
    makeupLayout->addWidget(levelLabel, 0, 0);
    makeupLayout->addWidget(m_makeUpLevelList, 0, 1);
    makeupLayout->addWidget(quantityLabel, 1, 0);
    makeupLayout->addWidget(m_makeUpQuantityEdit, 1, 1);
    makeupLayout->addWidget(hint, 2, 0, 1, 2);
    makeupLayout->setRowStretch(3, 1);
    makeupLayout->addWidget(m_makeUpButton, 4, 1, Qt::AlignRight);
    makeupLayout->setColumnStretch(1, 1);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_giveUpBox, 1);
    layout->addWidget(m_makeUpBox, 1);

    connect(m_giveUpLevelList, &QComboBox::currentIndexChanged, this, [this](int item) {
        if (!m_filling)
            giveUpLevelChosen(item);
    });
    connect(m_giveUpButton, &QPushButton::clicked, this, &GiveUpDialog::giveUp);
    connect(m_makeUpQuantityEdit, &QLineEdit::textChanged, this, &GiveUpDialog::makeUpQuantityChanged);
    connect(m_makeUpButton, &QPushButton::clicked, this, &GiveUpDialog::makeUp);

    resize(560, 340);
    setFixedSize(size());
}

GiveUpDialog::~GiveUpDialog() = default;

void GiveUpDialog::prepareShow()
{
    m_form.activate();
    m_filling = true;
    m_giveUpLevelList->clear();
    m_giveUpLevelList->addItems(decoded(m_form.giveUpItems()));
    m_giveUpLevelList->setCurrentIndex(m_form.giveUpItem());
    m_makeUpLevelList->clear();
    m_makeUpLevelList->addItems(decoded(m_form.makeupItems()));
    m_makeUpLevelList->setCurrentIndex(-1);
    m_filling = false;
    showWinners();
    ui::centreOver(this, parentWidget());
}

void GiveUpDialog::showModal()
{
    prepareShow();
    ui::showModalOver(this, parentWidget());
}

void GiveUpDialog::showWinners()
{
    m_winnersModel->setStringList(decoded(m_form.winners()));
}

void GiveUpDialog::giveUpLevelChosen(int item)
{
    m_form.giveUpLevelChosen(item);
    showWinners();
}

void GiveUpDialog::giveUp()
{
    const QModelIndexList chosen = m_giveUpWinnersList->selectionModel()->selectedIndexes();
    const int row = chosen.isEmpty() ? -1 : chosen.first().row();
    m_form.giveUp(row);
    showWinners();
}

void GiveUpDialog::makeUpQuantityChanged(const QString &text)
{
    const QString kept = GiveUpForm::makeUpQuantityChanged(text);
    if (kept != text)
        m_makeUpQuantityEdit->setText(kept);
}

void GiveUpDialog::makeUp()
{
    QString quantity = m_makeUpQuantityEdit->text();
    const bool ready = m_form.makeUp(m_makeUpLevelList->currentIndex(), &quantity);
    if (quantity != m_makeUpQuantityEdit->text())
        m_makeUpQuantityEdit->setText(quantity);
    if (ready)
        close();
}

void GiveUpDialog::reject()
{
    close();
}

void GiveUpDialog::closeEvent(QCloseEvent *event)
{
    event->accept();
    QDialog::done(QDialog::Rejected);
}

} // namespace sorvix
