#include "editors/ui/awardsettingsdialog.h"

#include "base/gbk.h"
#include "base/ui/widgets.h"

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

using ui::text;

QString levelName(int level) { return gbk::decode(AwardSettings::fixedLevelName(level)); }

// An edit or list named for a screen reader by its label, with the level for
// the controls of a level row.
template<typename W>
W *named(W *widget, const QString &objectName, const QString &accessibleName)
{
    widget->setObjectName(objectName);
    widget->setAccessibleName(accessibleName);
    return widget;
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

// Shows the editor's text without reporting it back as an edit.
void setIfDifferent(QLineEdit *edit, const QByteArray &bytes)
{
    const QString shown = gbk::decode(bytes);
    if (edit->text() != shown) {
        const QSignalBlocker quiet(edit);
        edit->setText(shown);
    }
}

// Shows the editor's state of a switch without reporting it back as a change.
void showChecked(QCheckBox *box, bool on)
{
    const QSignalBlocker quiet(box);
    box->setChecked(on);
}

int perRoundPosition(int perRound)
{
    const auto &choices = AwardSettings::perRoundChoices();
    const auto found = std::find(choices.begin(), choices.end(), perRound);
    return found == choices.end() ? -1 : int(found - choices.begin());
}

} // namespace

AwardSettingsDialog::AwardSettingsDialog(Draw &draw, OperatorPort &op, QWidget *parent)
    : QDialog(parent), m_editor(draw, op)
{
    setObjectName(QStringLiteral("AwardSettingsDialog"));
    setWindowTitle(text("奖项设置"));

    createLevelRows();
    createPerRoundSelectors();
    QWidget *options = createOptions();

    m_saveButton = ui::makeButton(this, "saveButton", text("保存"));
    m_resetButton = ui::makeButton(this, "resetButton", text("重置"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_saveButton);
    buttons->addSpacing(24);
    buttons->addWidget(m_resetButton);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_levelsBox);
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
    setTabOrder(previous, m_titleEdit);

    for (int k = 0; k < LevelCount; ++k)
        bindLevel(k);
    bindOptions();
    connect(m_saveButton, &QPushButton::clicked, this, [this] { m_editor.save(); });
    connect(m_resetButton, &QPushButton::clicked, this, [this] { m_editor.resetEdits(); });
    connect(&m_editor, &AwardEditor::changed, this, [this] { showSettings(); });
    connect(&m_editor, &AwardEditor::working, this, &ui::showWaitCursor);
    showSettings();
}

void AwardSettingsDialog::createLevelRows()
{
    m_levelsBox = new QGroupBox(text("奖项设置"), this);
    m_levelsBox->setObjectName(QStringLiteral("levelsBox"));
    m_levelsBox->setFixedSize(LevelBoxSize);
    QWidget *box = m_levelsBox;
    const QString quantityHint = text("只能是大于0 的数字");
    for (int k = 0; k < LevelCount; ++k) {
        const int field = FieldTop + RowStep * k;
        const int label = LabelTop + RowStep * k;
        const QString level = levelName(k);
        const QString n = QString::number(k);
        LevelRow &row = m_rows[k];

        row.enabled = ui::makeSwitch(box, QStringLiteral("levelSwitch") + n, level);
        row.enabled->setGeometry(12, field, 72, FieldHeight);

        QLabel *shownAs = ui::fixedLabel(box, text("显示为"), {86, label, 38, LabelHeight});
        row.displayName = named(new QLineEdit(box), QStringLiteral("displayNameEdit") + n, level + text(" 显示为"));
        row.displayName->setGeometry(124, field, 96, FieldHeight);
        shownAs->setBuddy(row.displayName);

        QLabel *total = ui::fixedLabel(box, text("共设"), {228, label, 28, LabelHeight});
        row.quantity = named(new QLineEdit(box), QStringLiteral("quantityEdit") + n,
                             level + text(" 共设…名"));
        row.quantity->setGeometry(256, field, 36, FieldHeight);
        row.quantity->setMaxLength(3);
        row.quantity->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ui::setHint(row.quantity, quantityHint);
        total->setBuddy(row.quantity);
        ui::fixedLabel(box, text("名"), {296, label, 16, LabelHeight});

        QLabel *prize = ui::fixedLabel(box, text("奖品"), {318, label, 28, LabelHeight});
        row.prizeText = named(new QLineEdit(box), QStringLiteral("prizeTextEdit") + n, level + text(" 奖品"));
        row.prizeText->setGeometry(346, field, 122, FieldHeight);
        prize->setBuddy(row.prizeText);

        row.picture = ui::makeButton(box, QStringLiteral("pictureButton") + n, text("奖品图片"));
        row.picture->setAccessibleDescription(level);
        row.picture->setGeometry(474, field, 72, FieldHeight);

        row.picturePath = named(new QLineEdit(box), QStringLiteral("picturePathEdit") + n, level + text(" 奖品图片"));
        row.picturePath->setGeometry(550, field, 126, FieldHeight);
    }
}

void AwardSettingsDialog::createPerRoundSelectors()
{
    QWidget *box = m_levelsBox;
    for (int k = 0; k < LevelCount; ++k) {
        QLabel *each = ui::fixedLabel(box, text("每轮抽取"), {682, 20 + RowStep * k, 60, LabelHeight});
        QComboBox *list = makeList(box, "", "", {"1", "2", "3", "4", "5", "10"});
        named(list, QStringLiteral("perRoundList%1").arg(k), levelName(k) + text(" 每轮抽取…名"));
        // 4 pixels wider than the classic 40, so that "10" shows whole beside
        // the arrow; it still ends before "名".
        list->setGeometry(740, 16 + RowStep * k, 44, FieldHeight);
        list->setCurrentIndex(5);
        each->setBuddy(list);
        ui::fixedLabel(box, text("名"), {786, 20 + RowStep * k, 20, LabelHeight});
        m_rows[k].perRound = list;
    }
}

QWidget *AwardSettingsDialog::createOptions()
{
    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("optionsBox"));
    auto *layout = new QVBoxLayout(box);

    const auto labelled = [&](QGridLayout *grid, int row, int column, const char *caption, QWidget *field) {
        auto *label = new QLabel(text(caption), box);
        label->setBuddy(field);
        grid->addWidget(label, row, column);
        grid->addWidget(field, row, column + 1);
    };
    m_titleEdit = named(new QLineEdit(box), QStringLiteral("titleEdit"), text("主标题"));
    m_titleCentredSwitch = ui::makeSwitch(box, "titleCentredSwitch", "居中");
    m_titleHiddenSwitch = ui::makeSwitch(box, "titleHiddenSwitch", "隐藏");
    m_subtitleEdit = named(new QLineEdit(box), QStringLiteral("subtitleEdit"), text("副标题"));
    m_subtitleCentredSwitch = ui::makeSwitch(box, "subtitleCentredSwitch", "居中");
    m_subtitleHiddenSwitch = ui::makeSwitch(box, "subtitleHiddenSwitch", "隐藏");
    // Two pairs share their captions; the description tells them apart.
    for (QCheckBox *title : {m_titleCentredSwitch, m_titleHiddenSwitch})
        title->setAccessibleDescription(text("主标题"));
    for (QCheckBox *subtitle : {m_subtitleCentredSwitch, m_subtitleHiddenSwitch})
        subtitle->setAccessibleDescription(text("副标题"));
    auto *titles = new QGridLayout;
    labelled(titles, 0, 0, "主标题", m_titleEdit);
    titles->addWidget(m_titleCentredSwitch, 0, 2);
    titles->addWidget(m_titleHiddenSwitch, 0, 3);
    labelled(titles, 1, 0, "副标题", m_subtitleEdit);
    titles->addWidget(m_subtitleCentredSwitch, 1, 2);
    titles->addWidget(m_subtitleHiddenSwitch, 1, 3);
    titles->setColumnStretch(1, 1);
    layout->addLayout(titles);

    m_orderList = makeList(box, "orderList", "奖项顺序", {"先小奖后大奖", "先大奖后小奖"});
    m_startStopKeysList = makeList(box, "startStopKeysList", "开始和停止键", {"空格键开始回车键停止", "回车键开始空格键停止"});
    m_captionSpeedList = makeList(box, "captionSpeedList", "字幕滚动速度", {"快速", "中速", "慢速"});
    m_captionPositionList = makeList(box, "captionPositionList", "字幕位置", {"顶部", "底部", "关闭"});
    m_prizePositionList = makeList(box, "prizePositionList", "奖品文字和图片位置", {"左下角", "右下角", "左右下角"});
    auto *lists = new QGridLayout;
    labelled(lists, 0, 0, "奖项顺序", m_orderList);
    labelled(lists, 0, 2, "开始和停止键", m_startStopKeysList);
    labelled(lists, 0, 4, "字幕滚动速度", m_captionSpeedList);
    labelled(lists, 1, 0, "字幕位置", m_captionPositionList);
    labelled(lists, 1, 2, "奖品文字和图片位置", m_prizePositionList);
    lists->setHorizontalSpacing(10);
    lists->setColumnStretch(6, 1);
    layout->addLayout(lists);

    m_repeatedWinsSwitch = ui::makeSwitch(box, "repeatedWinsSwitch", "允许重复抽奖");
    ui::setHint(m_repeatedWinsSwitch, text("勾选后，中奖人员不从奖池中排除，允许一个人抽中多个奖项"));
    m_statusHiddenSwitch = ui::makeSwitch(box, "statusHiddenSwitch", "隐藏奖项状态");
    m_statusCentredSwitch = ui::makeSwitch(box, "statusCentredSwitch", "奖项状态居中显示");
    m_prizeTextHiddenSwitch = ui::makeSwitch(box, "prizeTextHiddenSwitch", "隐藏奖品文字");
    m_prizePictureHiddenSwitch = ui::makeSwitch(box, "prizePictureHiddenSwitch", "隐藏奖品图片");
    m_buttonsHiddenSwitch = ui::makeSwitch(box, "buttonsHiddenSwitch", "隐藏开始/停止键");
    m_soundSwitch = ui::makeSwitch(box, "soundSwitch", "打开音效");
    auto *switches = new QGridLayout;
    QCheckBox *const order[] = {m_repeatedWinsSwitch, m_statusHiddenSwitch, m_statusCentredSwitch, m_prizeTextHiddenSwitch,
                                m_prizePictureHiddenSwitch, m_buttonsHiddenSwitch, m_soundSwitch};
    for (int i = 0; i < int(std::size(order)); ++i)
        switches->addWidget(order[i], i / 4, i % 4);
    layout->addLayout(switches);
    return box;
}

void AwardSettingsDialog::bindLevel(int level)
{
    LevelRow &row = m_rows[level];
    // Every change of the switch (a click, a key, an assistive tool's toggle,
    // a setting in code) runs the levels' rule, not only a mouse click.
    connect(row.enabled, &QCheckBox::toggled, this, [this, level](bool on) {
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
    connect(row.picture, &QPushButton::clicked, this, [this, level] { m_editor.choosePicture(level); });
    connect(row.perRound, &QComboBox::activated, this, [this, level](int index) {
        if (index >= 0)
            m_editor.setPerRound(level, AwardSettings::perRoundChoices()[size_t(index)]);
    });
}

void AwardSettingsDialog::bindOptions()
{
    const auto bindText = [this](QLineEdit *edit, QByteArray DrawOptions::*field) {
        connect(edit, &QLineEdit::textChanged, this,
                [this, field](const QString &t) { m_editor.options().*field = gbk::encode(t); });
    };
    const auto bindSwitch = [this](QCheckBox *box, bool DrawOptions::*field) {
        connect(box, &QCheckBox::toggled, this, [this, field](bool on) { m_editor.options().*field = on; });
    };
    const auto bindList = [this](QComboBox *list, int DrawOptions::*field) {
        connect(list, &QComboBox::activated, this, [this, field](int index) { m_editor.options().*field = index; });
    };
    bindText(m_titleEdit, &DrawOptions::title);
    bindText(m_subtitleEdit, &DrawOptions::subtitle);
    bindSwitch(m_titleCentredSwitch, &DrawOptions::titleCentred);
    bindSwitch(m_titleHiddenSwitch, &DrawOptions::titleHidden);
    bindSwitch(m_subtitleCentredSwitch, &DrawOptions::subtitleCentred);
    bindSwitch(m_subtitleHiddenSwitch, &DrawOptions::subtitleHidden);
    bindSwitch(m_repeatedWinsSwitch, &DrawOptions::repeatedWins);
    bindSwitch(m_statusHiddenSwitch, &DrawOptions::statusHidden);
    bindSwitch(m_statusCentredSwitch, &DrawOptions::statusCentred);
    bindSwitch(m_prizeTextHiddenSwitch, &DrawOptions::prizeTextHidden);
    bindSwitch(m_prizePictureHiddenSwitch, &DrawOptions::prizePictureHidden);
    bindSwitch(m_buttonsHiddenSwitch, &DrawOptions::buttonsHidden);
    bindSwitch(m_soundSwitch, &DrawOptions::soundOn);
    bindList(m_orderList, &DrawOptions::order);
    bindList(m_startStopKeysList, &DrawOptions::startStopKeys);
    bindList(m_captionSpeedList, &DrawOptions::captionSpeed);
    connect(m_captionPositionList, &QComboBox::activated, this, [this](int index) {
        if (index != m_editor.settings().options.captionPosition)
            m_editor.captionPositionChosen(index);
    });
    connect(m_prizePositionList, &QComboBox::activated, this, [this](int index) {
        if (index != m_editor.settings().options.prizePosition)
            m_editor.prizePositionChosen(index);
    });
}

void AwardSettingsDialog::showSettings()
{
    const AwardSettings &s = m_editor.settings();
    for (int k = 0; k < LevelCount; ++k) {
        const AwardLevel &level = s.levels[size_t(k)];
        LevelRow &row = m_rows[k];
        showChecked(row.enabled, level.enabled);
        row.enabled->setEnabled(m_editor.selectable(k));
        setIfDifferent(row.displayName, level.displayName);
        setIfDifferent(row.quantity, level.quantity);
        setIfDifferent(row.prizeText, level.prizeText);
        setIfDifferent(row.picturePath, level.picturePath);
        row.perRound->setCurrentIndex(perRoundPosition(level.perRound));
    }
    const DrawOptions &o = s.options;
    setIfDifferent(m_titleEdit, o.title);
    setIfDifferent(m_subtitleEdit, o.subtitle);
    showChecked(m_titleCentredSwitch, o.titleCentred);
    showChecked(m_titleHiddenSwitch, o.titleHidden);
    showChecked(m_subtitleCentredSwitch, o.subtitleCentred);
    showChecked(m_subtitleHiddenSwitch, o.subtitleHidden);
    showChecked(m_repeatedWinsSwitch, o.repeatedWins);
    showChecked(m_statusHiddenSwitch, o.statusHidden);
    showChecked(m_statusCentredSwitch, o.statusCentred);
    showChecked(m_prizeTextHiddenSwitch, o.prizeTextHidden);
    showChecked(m_prizePictureHiddenSwitch, o.prizePictureHidden);
    showChecked(m_buttonsHiddenSwitch, o.buttonsHidden);
    showChecked(m_soundSwitch, o.soundOn);
    // A stored number outside a list leaves the list without a selection.
    m_orderList->setCurrentIndex(o.order);
    m_startStopKeysList->setCurrentIndex(o.startStopKeys);
    m_captionSpeedList->setCurrentIndex(o.captionSpeed);
    m_captionPositionList->setCurrentIndex(o.captionPosition < m_captionPositionList->count() ? o.captionPosition : -1);
    m_prizePositionList->setCurrentIndex(o.prizePosition < m_prizePositionList->count() ? o.prizePosition : -1);
}

void AwardSettingsDialog::showOver(QWidget *over)
{
    adjustSize();
    ui::showModalOver(this, over);
}

void AwardSettingsDialog::showEvent(QShowEvent *event)
{
    // The editor always opens on the saved settings.
    if (!event->spontaneous())
        m_editor.windowShown();
    QDialog::showEvent(event);
}

void AwardSettingsDialog::reject()
{
    // Escape goes through the close questions too.
    close();
}

void AwardSettingsDialog::closeEvent(QCloseEvent *event)
{
    const bool mayClose = m_editor.confirmClose();
    showSettings();
    if (!mayClose) {
        event->ignore();
        return;
    }
    event->accept();
    done(QDialog::Rejected);
}

} // namespace sorvix
