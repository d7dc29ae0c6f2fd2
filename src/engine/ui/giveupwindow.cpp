#include "engine/ui/giveupwindow.h"

#include "base/gbk.h"

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

TfrmGiveup::TfrmGiveup(Session &session, OperatorPort &op, ScreenPort &screen, QWidget *parent)
    : QDialog(parent), m_form(session, op, screen)
{
    setObjectName(QStringLiteral("TfrmGiveup"));
    setWindowTitle(QStringLiteral("弃奖/补奖"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    GroupBox1 = new QGroupBox(QStringLiteral("弃奖"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    ComboBox_giveup = new QComboBox(GroupBox1);
    ComboBox_giveup->setObjectName(QStringLiteral("ComboBox_giveup"));
    ComboBox_giveup->setAccessibleName(QStringLiteral("弃奖的奖项"));
    ListBox_giveup = new QListView(GroupBox1);
    ListBox_giveup->setObjectName(QStringLiteral("ListBox_giveup"));
    ListBox_giveup->setAccessibleName(QStringLiteral("本奖项中奖名单"));
    ListBox_giveup->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListBox_giveup->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox_giveup->setUniformItemSizes(true);
    m_winnersModel = new QStringListModel(this);
    ListBox_giveup->setModel(m_winnersModel);
    btn_giveup = new QPushButton(QStringLiteral("弃奖"), GroupBox1);
    btn_giveup->setObjectName(QStringLiteral("btn_giveup"));
    btn_giveup->setToolTip(QStringLiteral("放弃获奖资格，从名单中删除"));
    btn_giveup->setAccessibleDescription(btn_giveup->toolTip());
    btn_giveup->setAutoDefault(false);
    auto *giveUpLayout = new QVBoxLayout(GroupBox1);
    giveUpLayout->addWidget(ComboBox_giveup);
    giveUpLayout->addWidget(ListBox_giveup, 1);
    giveUpLayout->addWidget(btn_giveup, 0, Qt::AlignRight);

    GroupBox2 = new QGroupBox(QStringLiteral("补奖"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto *levelLabel = new QLabel(QStringLiteral("奖项"), GroupBox2);
    ComboBox_makeup = new QComboBox(GroupBox2);
    ComboBox_makeup->setObjectName(QStringLiteral("ComboBox_makeup"));
    ComboBox_makeup->setAccessibleName(QStringLiteral("补奖的奖项"));
    levelLabel->setBuddy(ComboBox_makeup);
    auto *quantityLabel = new QLabel(QStringLiteral("数量"), GroupBox2);
    edt_makeupQty = new QLineEdit(QStringLiteral("1"), GroupBox2);
    edt_makeupQty->setObjectName(QStringLiteral("edt_makeupQty"));
    edt_makeupQty->setAccessibleName(QStringLiteral("补奖数量"));
    edt_makeupQty->setToolTip(QStringLiteral("大于1的数字"));
    edt_makeupQty->setAccessibleDescription(edt_makeupQty->toolTip());
    quantityLabel->setBuddy(edt_makeupQty);
    auto *hint = new QLabel(QStringLiteral("请在某个奖项的中奖人全部产生后，再进行补奖操作"), GroupBox2);
    hint->setObjectName(QStringLiteral("Label_hint"));
    hint->setWordWrap(true);
    btn_makeup = new QPushButton(QStringLiteral("确定"), GroupBox2);
    btn_makeup->setObjectName(QStringLiteral("btn_makeup"));
    btn_makeup->setAutoDefault(false);
    auto *makeupLayout = new QGridLayout(GroupBox2);
    makeupLayout->addWidget(levelLabel, 0, 0);
    makeupLayout->addWidget(ComboBox_makeup, 0, 1);
    makeupLayout->addWidget(quantityLabel, 1, 0);
    makeupLayout->addWidget(edt_makeupQty, 1, 1);
    makeupLayout->addWidget(hint, 2, 0, 1, 2);
    makeupLayout->setRowStretch(3, 1);
    makeupLayout->addWidget(btn_makeup, 4, 1, Qt::AlignRight);
    makeupLayout->setColumnStretch(1, 1);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(GroupBox1, 1);
    layout->addWidget(GroupBox2, 1);

    connect(ComboBox_giveup, &QComboBox::currentIndexChanged, this, [this](int item) {
        if (!m_filling)
            ComboBox_giveupChange(item);
    });
    connect(btn_giveup, &QPushButton::clicked, this, &TfrmGiveup::btn_giveupClick);
    connect(edt_makeupQty, &QLineEdit::textChanged, this, &TfrmGiveup::edt_makeupQtyChange);
    connect(btn_makeup, &QPushButton::clicked, this, &TfrmGiveup::btn_makeupClick);

    resize(560, 340);
    setFixedSize(size());
}

TfrmGiveup::~TfrmGiveup() = default;

void TfrmGiveup::prepareShow()
{
    m_form.FormActivate();
    m_filling = true;
    ComboBox_giveup->clear();
    ComboBox_giveup->addItems(decoded(m_form.giveUpItems()));
    ComboBox_giveup->setCurrentIndex(m_form.giveUpItem());
    ComboBox_makeup->clear();
    ComboBox_makeup->addItems(decoded(m_form.makeupItems()));
    ComboBox_makeup->setCurrentIndex(-1);
    m_filling = false;
    showWinners();
    if (QWidget *owner = parentWidget())
        move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
}

void TfrmGiveup::showModal()
{
    prepareShow();
    exec();
}

void TfrmGiveup::showWinners()
{
    m_winnersModel->setStringList(decoded(m_form.winners()));
}

void TfrmGiveup::ComboBox_giveupChange(int item)
{
    m_form.ComboBox_giveupChange(item);
    showWinners();
}

void TfrmGiveup::btn_giveupClick()
{
    const QModelIndexList chosen = ListBox_giveup->selectionModel()->selectedIndexes();
    const int row = chosen.isEmpty() ? -1 : chosen.first().row();
    m_form.btn_giveupClick(row);
    showWinners();
}

void TfrmGiveup::edt_makeupQtyChange(const QString &text)
{
    const QString kept = GiveUpForm::edt_makeupQtyChange(text);
    if (kept != text)
        edt_makeupQty->setText(kept);
}

void TfrmGiveup::btn_makeupClick()
{
    QString quantity = edt_makeupQty->text();
    const bool ready = m_form.btn_makeupClick(ComboBox_makeup->currentIndex(), &quantity);
    if (quantity != edt_makeupQty->text())
        edt_makeupQty->setText(quantity);
    if (ready)
        close();
}

void TfrmGiveup::reject()
{
    close();
}

void TfrmGiveup::closeEvent(QCloseEvent *event)
{
    event->accept();
    QDialog::done(QDialog::Rejected);
}

} // namespace sorvix
