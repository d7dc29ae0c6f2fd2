#include "settings/ui/awardwindow.h"

#include "base/gbk.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace sorvix {

namespace {

// The level rows: row k lies 32 pixels below row k-1; edits and lists of row 0
// stand at 16, its labels at 20, inside the group box.
constexpr int RowStep = 32;
constexpr int FieldTop = 16;
constexpr int LabelTop = 20;
constexpr int FieldHeight = 24;
constexpr int LabelHeight = 18;
constexpr QSize LevelBoxSize(816, 372);

QString text(const char *utf8) { return QString::fromUtf8(utf8); }
QString levelName(int level) { return gbk::decode(AwardSettings::fixedLevelName(level)); }

QLabel *fixedLabel(QWidget *parent, const char *caption, int left, int top, int width)
{
    auto *label = new QLabel(text(caption), parent);
    label->setGeometry(left, top, width, LabelHeight);
    return label;
}

// An edit or list named for a screen reader by its label, with the level for
// the controls of a level row.
template<typename W>
W *named(W *widget, const QString &objectName, const QString &accessibleName)
{
    widget->setObjectName(objectName);
    widget->setAccessibleName(accessibleName);
    return widget;
}

void setHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setToolTipDuration(TfrmLottery::HintMs);
    widget->setAccessibleDescription(hint);
}

QCheckBox *makeSwitch(QWidget *parent, const char *objectName, const char *caption)
{
    auto *box = new QCheckBox(text(caption), parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setAccessibleName(box->text());
    return box;
}

QComboBox *makeList(QWidget *parent, const char *objectName, const char *label, std::initializer_list<const char *> items)
{
    auto *list = new QComboBox(parent);
    // Not editable: only the listed items can be chosen.
    list->setEditable(false);
    for (const char *item : items)
        list->addItem(text(item));
    return named(list, QString::fromLatin1(objectName), text(label));
}

QPushButton *makeButton(QWidget *parent, const char *objectName, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    // Enter in an edit must not press a button.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// Shows the editor's text without reporting it back as an edit.
void setIfDifferent(QLineEdit *edit, const QByteArray &bytes)
{
    const QString shown = gbk::decode(bytes);
    if (edit->text() != shown) {
        const QSignalBlocker quiet(edit);
        edit->setText(shown);
    }
}

int perRoundPosition(int perRound)
{
    const auto &choices = AwardSettings::perRoundChoices();
    const auto found = std::find(choices.begin(), choices.end(), perRound);
    return found == choices.end() ? -1 : int(found - choices.begin());
}

} // namespace

TfrmLottery::TfrmLottery(const ProgramFolder &folder, OperatorPort &op, AwardEditorHost &host, QWidget *parent)
    : QDialog(parent), m_editor(folder, op, host)
{
    setObjectName(QStringLiteral("TfrmLottery"));
    setWindowTitle(text("奖项设置"));

    createLevelRows();
    createPerRoundSelectors();
    QWidget *options = createOptions();

    btn_save = makeButton(this, "btn_save", text("保存"));
    btn_cancel = makeButton(this, "btn_cancel", text("重置"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btn_save);
    buttons->addSpacing(24);
    buttons->addWidget(btn_cancel);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox_jiangxiang);
    layout->addWidget(options);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The group boxes' captions sit on their frame line, so the first level row
    // at 16 pixels stands clear below it.
    setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 8px; }"
                                 "QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 3px; }"));

    // Tab walks each level row, its per-round list included, then the options.
    QWidget *previous = nullptr;
    for (const LevelRow &row : m_rows) {
        for (QWidget *w : std::initializer_list<QWidget *>{row.enabled, row.displayName, row.quantity, row.prizeText,
                                                           row.picture, row.picturePath, row.perRound}) {
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }
    }
    setTabOrder(previous, edt_title);

    for (int k = 0; k < LevelCount; ++k)
        bindLevel(k);
    bindOptions();
    connect(btn_save, &QPushButton::clicked, this, [this] { m_editor.btn_saveClick(); });
    connect(btn_cancel, &QPushButton::clicked, this, [this] { m_editor.btn_cancelClick(); });
    m_editor.changed = [this] { showSettings(); };
    m_editor.working = [](bool working) {
        if (working)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    showSettings();
}

void TfrmLottery::createLevelRows()
{
    GroupBox_jiangxiang = new QGroupBox(text("奖项设置"), this);
    GroupBox_jiangxiang->setObjectName(QStringLiteral("GroupBox_jiangxiang"));
    GroupBox_jiangxiang->setFixedSize(LevelBoxSize);
    QWidget *box = GroupBox_jiangxiang;
    const QString quantityHint = text("只能是大于0 的数字");
    for (int k = 0; k < LevelCount; ++k) {
        const int field = FieldTop + RowStep * k;
        const int label = LabelTop + RowStep * k;
        const QString level = levelName(k);
        const QString n = QString::number(k);
        LevelRow &row = m_rows[k];

        row.enabled = new QCheckBox(level, box);
        row.enabled->setObjectName(QStringLiteral("cb") + n);
        row.enabled->setAccessibleName(level);
        row.enabled->setGeometry(12, field, 72, FieldHeight);

        QLabel *shownAs = fixedLabel(box, "显示为", 86, label, 38);
        row.displayName = named(new QLineEdit(box), QStringLiteral("ed") + n, level + text(" 显示为"));
        row.displayName->setGeometry(124, field, 96, FieldHeight);
        shownAs->setBuddy(row.displayName);

        QLabel *total = fixedLabel(box, "共设", 228, label, 28);
        row.quantity = named(new QLineEdit(box), (k == 0 ? QStringLiteral("edit_qty") : QStringLiteral("Edit_qty")) + n,
                             level + text(" 共设…名"));
        row.quantity->setGeometry(256, field, 36, FieldHeight);
        row.quantity->setMaxLength(3);
        row.quantity->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setHint(row.quantity, quantityHint);
        total->setBuddy(row.quantity);
        fixedLabel(box, "名", 296, label, 16);

        QLabel *prize = fixedLabel(box, "奖品", 318, label, 28);
        row.prizeText = named(new QLineEdit(box), QStringLiteral("edt_jiangpin") + n, level + text(" 奖品"));
        row.prizeText->setGeometry(346, field, 122, FieldHeight);
        prize->setBuddy(row.prizeText);

        row.picture = makeButton(box, "", text("奖品图片"));
        row.picture->setObjectName(QStringLiteral("btn_pic") + n);
        row.picture->setAccessibleName(row.picture->text());
        row.picture->setAccessibleDescription(level);
        row.picture->setGeometry(474, field, 72, FieldHeight);

        row.picturePath = named(new QLineEdit(box), QStringLiteral("edt_pic") + n, level + text(" 奖品图片"));
        row.picturePath->setGeometry(550, field, 126, FieldHeight);
    }
}

void TfrmLottery::createPerRoundSelectors()
{
    QWidget *box = GroupBox_jiangxiang;
    for (int k = 0; k < LevelCount; ++k) {
        QLabel *each = fixedLabel(box, "每轮抽取", 682, 20 + RowStep * k, 60);
        QComboBox *list = makeList(box, "", "", {"1", "2", "3", "4", "5", "10"});
        named(list, QStringLiteral("ComboBox_perRound%1").arg(k), levelName(k) + text(" 每轮抽取…名"));
        // 4 pixels wider than the classic 40, so that "10" shows whole beside
        // the arrow; it still ends before "名".
        list->setGeometry(740, 16 + RowStep * k, 44, FieldHeight);
        list->setCurrentIndex(5);
        each->setBuddy(list);
        fixedLabel(box, "名", 786, 20 + RowStep * k, 20);
        m_rows[k].perRound = list;
    }
}

QWidget *TfrmLottery::createOptions()
{
    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("GroupBox_options"));
    auto *layout = new QVBoxLayout(box);

    const auto labelled = [&](QGridLayout *grid, int row, int column, const char *caption, QWidget *field) {
        auto *label = new QLabel(text(caption), box);
        label->setBuddy(field);
        grid->addWidget(label, row, column);
        grid->addWidget(field, row, column + 1);
    };
    edt_title = named(new QLineEdit(box), QStringLiteral("edt_title"), text("主标题"));
    CheckBox_titlecenter = makeSwitch(box, "CheckBox_titlecenter", "居中");
    CheckBox_titleHide = makeSwitch(box, "CheckBox_titleHide", "隐藏");
    edt_subTitle = named(new QLineEdit(box), QStringLiteral("edt_subTitle"), text("副标题"));
    CheckBox_subtitleCenter = makeSwitch(box, "CheckBox_subtitleCenter", "居中");
    CheckBox_subtitleHide = makeSwitch(box, "CheckBox_subtitleHide", "隐藏");
    // Two pairs share their captions; the description tells them apart.
    for (QCheckBox *title : {CheckBox_titlecenter, CheckBox_titleHide})
        title->setAccessibleDescription(text("主标题"));
    for (QCheckBox *subtitle : {CheckBox_subtitleCenter, CheckBox_subtitleHide})
        subtitle->setAccessibleDescription(text("副标题"));
    auto *titles = new QGridLayout;
    labelled(titles, 0, 0, "主标题", edt_title);
    titles->addWidget(CheckBox_titlecenter, 0, 2);
    titles->addWidget(CheckBox_titleHide, 0, 3);
    labelled(titles, 1, 0, "副标题", edt_subTitle);
    titles->addWidget(CheckBox_subtitleCenter, 1, 2);
    titles->addWidget(CheckBox_subtitleHide, 1, 3);
    titles->setColumnStretch(1, 1);
    layout->addLayout(titles);

    ComboBox_order = makeList(box, "ComboBox_order", "奖项顺序", {"先小奖后大奖", "先大奖后小奖"});
    ComboBox_start_end = makeList(box, "ComboBox_start_end", "开始和停止键", {"空格键开始回车键停止", "回车键开始空格键停止"});
    ComboBox_rollingspeed = makeList(box, "ComboBox_rollingspeed", "字幕滚动速度", {"快速", "中速", "慢速"});
    ComboBox_Cposition = makeList(box, "ComboBox_Cposition", "字幕位置", {"顶部", "底部", "关闭"});
    ComboBox_awardShow = makeList(box, "ComboBox_awardShow", "奖品文字和图片位置", {"左下角", "右下角", "左右下角"});
    auto *lists = new QGridLayout;
    labelled(lists, 0, 0, "奖项顺序", ComboBox_order);
    labelled(lists, 0, 2, "开始和停止键", ComboBox_start_end);
    labelled(lists, 0, 4, "字幕滚动速度", ComboBox_rollingspeed);
    labelled(lists, 1, 0, "字幕位置", ComboBox_Cposition);
    labelled(lists, 1, 2, "奖品文字和图片位置", ComboBox_awardShow);
    lists->setHorizontalSpacing(10);
    lists->setColumnStretch(6, 1);
    layout->addLayout(lists);

    CheckBox_multidraw = makeSwitch(box, "CheckBox_multidraw", "允许重复抽奖");
    setHint(CheckBox_multidraw, text("勾选后，中奖人员不从奖池中排除，允许一个人抽中多个奖项"));
    CheckBox_status = makeSwitch(box, "CheckBox_status", "隐藏奖项状态");
    CheckBox_statecenter = makeSwitch(box, "CheckBox_statecenter", "奖项状态居中显示");
    CheckBox_jiangpinWord = makeSwitch(box, "CheckBox_jiangpinWord", "隐藏奖品文字");
    CheckBox_jiangpinpic = makeSwitch(box, "CheckBox_jiangpinpic", "隐藏奖品图片");
    CheckBox_hidebtn = makeSwitch(box, "CheckBox_hidebtn", "隐藏开始/停止键");
    CheckBox_Music = makeSwitch(box, "CheckBox_Music", "打开音效");
    auto *switches = new QGridLayout;
    QCheckBox *const order[] = {CheckBox_multidraw, CheckBox_status, CheckBox_statecenter, CheckBox_jiangpinWord,
                                CheckBox_jiangpinpic, CheckBox_hidebtn, CheckBox_Music};
    for (int i = 0; i < int(std::size(order)); ++i)
        switches->addWidget(order[i], i / 4, i % 4);
    layout->addLayout(switches);
    return box;
}

void TfrmLottery::bindLevel(int level)
{
    LevelRow &row = m_rows[level];
    connect(row.enabled, &QCheckBox::clicked, this, [this, level](bool on) {
        m_editor.setLevelEnabled(level, on);
        showSettings();
    });
    // Every change of an edit, typed, pasted or undone, reaches the editor.
    connect(row.displayName, &QLineEdit::textChanged, this,
            [this, level](const QString &t) { m_editor.setDisplayName(level, gbk::encode(t)); });
    connect(row.quantity, &QLineEdit::textChanged, this,
            [this, level](const QString &t) { m_editor.setQuantity(level, gbk::encode(t)); });
    connect(row.prizeText, &QLineEdit::textChanged, this,
            [this, level](const QString &t) { m_editor.setPrizeText(level, gbk::encode(t)); });
    connect(row.picturePath, &QLineEdit::textChanged, this,
            [this, level](const QString &t) { m_editor.setPicturePath(level, gbk::encode(t)); });
    connect(row.picture, &QPushButton::clicked, this, [this, level] { m_editor.btn_picClick(level); });
    connect(row.perRound, &QComboBox::activated, this, [this, level](int index) {
        if (index >= 0)
            m_editor.setPerRound(level, AwardSettings::perRoundChoices()[size_t(index)]);
    });
}

void TfrmLottery::bindOptions()
{
    const auto bindText = [this](QLineEdit *edit, QByteArray DrawOptions::*field) {
        connect(edit, &QLineEdit::textChanged, this,
                [this, field](const QString &t) { m_editor.options().*field = gbk::encode(t); });
    };
    const auto bindSwitch = [this](QCheckBox *box, bool DrawOptions::*field) {
        connect(box, &QCheckBox::clicked, this, [this, field](bool on) { m_editor.options().*field = on; });
    };
    const auto bindList = [this](QComboBox *list, int DrawOptions::*field) {
        connect(list, &QComboBox::activated, this, [this, field](int index) { m_editor.options().*field = index; });
    };
    bindText(edt_title, &DrawOptions::title);
    bindText(edt_subTitle, &DrawOptions::subtitle);
    bindSwitch(CheckBox_titlecenter, &DrawOptions::titleCentred);
    bindSwitch(CheckBox_titleHide, &DrawOptions::titleHidden);
    bindSwitch(CheckBox_subtitleCenter, &DrawOptions::subtitleCentred);
    bindSwitch(CheckBox_subtitleHide, &DrawOptions::subtitleHidden);
    bindSwitch(CheckBox_multidraw, &DrawOptions::repeatedWins);
    bindSwitch(CheckBox_status, &DrawOptions::statusHidden);
    bindSwitch(CheckBox_statecenter, &DrawOptions::statusCentred);
    bindSwitch(CheckBox_jiangpinWord, &DrawOptions::prizeTextHidden);
    bindSwitch(CheckBox_jiangpinpic, &DrawOptions::prizePictureHidden);
    bindSwitch(CheckBox_hidebtn, &DrawOptions::buttonsHidden);
    bindSwitch(CheckBox_Music, &DrawOptions::soundOn);
    bindList(ComboBox_order, &DrawOptions::order);
    bindList(ComboBox_start_end, &DrawOptions::startStopKeys);
    bindList(ComboBox_rollingspeed, &DrawOptions::captionSpeed);
    connect(ComboBox_Cposition, &QComboBox::activated, this, [this](int index) {
        if (index != m_editor.settings().options.captionPosition)
            m_editor.ComboBox_CpositionChange(index);
    });
    connect(ComboBox_awardShow, &QComboBox::activated, this, [this](int index) {
        if (index != m_editor.settings().options.prizePosition)
            m_editor.ComboBox_awardShowChange(index);
    });
}

void TfrmLottery::showSettings()
{
    const AwardSettings &s = m_editor.settings();
    for (int k = 0; k < LevelCount; ++k) {
        const AwardLevel &level = s.levels[size_t(k)];
        LevelRow &row = m_rows[k];
        row.enabled->setChecked(level.enabled);
        row.enabled->setEnabled(m_editor.selectable(k));
        setIfDifferent(row.displayName, level.displayName);
        setIfDifferent(row.quantity, level.quantity);
        setIfDifferent(row.prizeText, level.prizeText);
        setIfDifferent(row.picturePath, level.picturePath);
        row.perRound->setCurrentIndex(perRoundPosition(level.perRound));
    }
    const DrawOptions &o = s.options;
    setIfDifferent(edt_title, o.title);
    setIfDifferent(edt_subTitle, o.subtitle);
    CheckBox_titlecenter->setChecked(o.titleCentred);
    CheckBox_titleHide->setChecked(o.titleHidden);
    CheckBox_subtitleCenter->setChecked(o.subtitleCentred);
    CheckBox_subtitleHide->setChecked(o.subtitleHidden);
    CheckBox_multidraw->setChecked(o.repeatedWins);
    CheckBox_status->setChecked(o.statusHidden);
    CheckBox_statecenter->setChecked(o.statusCentred);
    CheckBox_jiangpinWord->setChecked(o.prizeTextHidden);
    CheckBox_jiangpinpic->setChecked(o.prizePictureHidden);
    CheckBox_hidebtn->setChecked(o.buttonsHidden);
    CheckBox_Music->setChecked(o.soundOn);
    // A stored number outside a list leaves the list without a selection.
    ComboBox_order->setCurrentIndex(o.order);
    ComboBox_start_end->setCurrentIndex(o.startStopKeys);
    ComboBox_rollingspeed->setCurrentIndex(o.captionSpeed);
    ComboBox_Cposition->setCurrentIndex(o.captionPosition < ComboBox_Cposition->count() ? o.captionPosition : -1);
    ComboBox_awardShow->setCurrentIndex(o.prizePosition < ComboBox_awardShow->count() ? o.prizePosition : -1);
}

int TfrmLottery::showModalOver(QWidget *over)
{
    adjustSize();
    if (over) {
        const QPoint centre = over->mapToGlobal(over->rect().center());
        move(centre - rect().center());
    }
    return exec();
}

void TfrmLottery::showEvent(QShowEvent *event)
{
    // The editor always opens on the saved settings.
    if (!event->spontaneous())
        m_editor.FormShow();
    QDialog::showEvent(event);
}

void TfrmLottery::reject()
{
    // Escape goes through the close questions too.
    close();
}

void TfrmLottery::closeEvent(QCloseEvent *event)
{
    const bool mayClose = m_editor.FormCloseQuery();
    showSettings();
    if (!mayClose) {
        event->ignore();
        return;
    }
    event->accept();
    done(QDialog::Rejected);
}

} // namespace sorvix
