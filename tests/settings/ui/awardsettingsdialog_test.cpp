#include "app/awardhost.h"
#include "app/ui/drawscreenwindow.h"
#include "base/gbk.h"
#include "engine/prepare.h"
#include "settings/ui/awardsettingsdialog.h"
#include "support/recorders.h"
#include "support/testfolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;
using Answer = OperatorPort::Answer;

namespace {

// The draw screen started on the shipped settings, and the award window over it.
class AwardSettingsDialogTest : public ::testing::Test
{
protected:
    TestFolder dir{true};
    Session session;
    RecordingOperator op;
    RecordingSound sound;
    DrawRandom random{3};
    std::unique_ptr<DrawScreenWindow> screen;
    std::unique_ptr<DrawAwardHost> host;
    std::unique_ptr<AwardSettingsDialog> window;

    void SetUp() override
    {
        session.folder = dir.folder();
        screen = std::make_unique<DrawScreenWindow>(session, op, sound, random);
        screen->runStartup();
        screen->resize(1366, 768);
        screen->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
    }
    void TearDown() override
    {
        window.reset();
        screen.reset();
    }
    void open()
    {
        host = std::make_unique<DrawAwardHost>(session, *screen, op, sound, screen->preparation());
        window = std::make_unique<AwardSettingsDialog>(session.folder, op, *host, screen.get());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    template<typename W>
    W *find(const QString &name) const
    {
        W *w = window->findChild<W *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QCheckBox *levelSwitch(int k) const { return find<QCheckBox>(QStringLiteral("levelSwitch%1").arg(k)); }
    QLineEdit *edit(const QString &name) const { return find<QLineEdit>(name); }
    QString screenLabel(const char *name) const
    {
        return screen->findChild<QLabel *>(QString::fromLatin1(name))->text();
    }
};

// Chinese text as typed through an input method: one key event carrying it.
void typeText(QWidget *widget, const QString &text)
{
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text, Qt::NoModifier);
}

} // namespace

TEST_F(AwardSettingsDialogTest, OpensModallyCentredFromTheMenu)
{
    QAction *item = screen->findChild<QAction *>(QStringLiteral("awardSettingsAction"));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    EXPECT_EQ(item->text(), QStringLiteral("奖项设置"));
    bool seen = false;
    QTimer::singleShot(0, screen.get(), [&] {
        auto *shown = qobject_cast<AwardSettingsDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        seen = true;
        EXPECT_EQ(shown->windowTitle(), QStringLiteral("奖项设置"));
        EXPECT_EQ(shown->parent(), screen.get());
        const QPoint centre = shown->mapToGlobal(shown->rect().center());
        const QPoint screenCentre = screen->mapToGlobal(screen->rect().center());
        EXPECT_LE((centre - screenCentre).manhattanLength(), 4);
        // Escape goes through the close question.
        op.answers = {Answer::No};
        QTest::keyClick(shown, Qt::Key_Escape);
    });
    item->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(op.questions, QStringList{QStringLiteral("是否保存所做的修改？")});
    auto *made = screen->findChild<AwardSettingsDialog *>();
    ASSERT_NE(made, nullptr);
    EXPECT_FALSE(made->isVisible());
}

TEST_F(AwardSettingsDialogTest, ControlsCarryTheirCaptionsLimitsHintsAndNames)
{
    open();
    const char *levels[] = {"特等奖", "一等奖", "二等奖", "三等奖", "四等奖", "五等奖",
                            "六等奖", "七等奖", "八等奖", "九等奖", "十等奖"};
    auto *box = find<QGroupBox>(QStringLiteral("levelsBox"));
    EXPECT_EQ(box->title(), QStringLiteral("奖项设置"));
    for (int k = 0; k < LevelCount; ++k) {
        const QString n = QString::number(k);
        const QString level = QString::fromUtf8(levels[k]);
        EXPECT_EQ(levelSwitch(k)->text(), level);
        EXPECT_EQ(levelSwitch(k)->accessibleName(), level);
        EXPECT_EQ(edit(QStringLiteral("displayNameEdit") + n)->accessibleName(), level + QStringLiteral(" 显示为"));
        QLineEdit *quantity = edit(QStringLiteral("quantityEdit") + n);
        EXPECT_EQ(quantity->maxLength(), 3);
        EXPECT_EQ(quantity->toolTip(), QStringLiteral("只能是大于0 的数字"));
        EXPECT_EQ(quantity->toolTipDuration(), 10000);
        EXPECT_EQ(quantity->accessibleDescription(), quantity->toolTip());
        EXPECT_TRUE(quantity->accessibleName().startsWith(level));
        EXPECT_EQ(edit(QStringLiteral("prizeTextEdit") + n)->accessibleName(), level + QStringLiteral(" 奖品"));
        EXPECT_EQ(find<QPushButton>(QStringLiteral("pictureButton") + n)->text(), QStringLiteral("奖品图片"));
        EXPECT_EQ(edit(QStringLiteral("picturePathEdit") + n)->accessibleName(), level + QStringLiteral(" 奖品图片"));
        // The per-round list where the design puts it, 32 pixels per row.
        auto *perRound = find<QComboBox>(QStringLiteral("perRoundList") + n);
        EXPECT_EQ(perRound->parentWidget(), box);
        EXPECT_EQ(perRound->geometry().topLeft(), QPoint(740, 16 + 32 * k));
        EXPECT_LE(perRound->geometry().right(), 786);
        EXPECT_TRUE(perRound->accessibleName().startsWith(level));
    }
    int eachLabels = 0;
    for (QLabel *label : box->findChildren<QLabel *>())
        if (label->text() == QStringLiteral("每轮抽取")) {
            EXPECT_EQ(label->x(), 682);
            EXPECT_EQ((label->y() - 20) % 32, 0);
            ++eachLabels;
        }
    EXPECT_EQ(eachLabels, LevelCount);

    const QStringList perRoundItems{"1", "2", "3", "4", "5", "10"};
    const std::pair<const char *, QStringList> lists[] = {
        {"perRoundList10", perRoundItems},
        {"orderList", {"先小奖后大奖", "先大奖后小奖"}},
        {"startStopKeysList", {"空格键开始回车键停止", "回车键开始空格键停止"}},
        {"captionSpeedList", {"快速", "中速", "慢速"}},
        {"captionPositionList", {"顶部", "底部", "关闭"}},
        {"prizePositionList", {"左下角", "右下角", "左右下角"}},
    };
    for (const auto &[name, items] : lists) {
        auto *list = find<QComboBox>(QString::fromLatin1(name));
        EXPECT_FALSE(list->isEditable()) << name;
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->itemText(i);
        EXPECT_EQ(shown, items) << name;
    }
    EXPECT_EQ(find<QComboBox>(QStringLiteral("captionPositionList"))->accessibleName(), QStringLiteral("字幕位置"));
    EXPECT_EQ(edit(QStringLiteral("subtitleEdit"))->accessibleName(), QStringLiteral("副标题"));
    auto *multidraw = find<QCheckBox>(QStringLiteral("repeatedWinsSwitch"));
    EXPECT_EQ(multidraw->text(), QStringLiteral("允许重复抽奖"));
    EXPECT_EQ(multidraw->accessibleDescription(), QStringLiteral("勾选后，中奖人员不从奖池中排除，允许一个人抽中多个奖项"));
    EXPECT_EQ(find<QCheckBox>(QStringLiteral("buttonsHiddenSwitch"))->text(), QStringLiteral("隐藏开始/停止键"));
    EXPECT_EQ(find<QPushButton>(QStringLiteral("saveButton"))->text(), QStringLiteral("保存"));
    EXPECT_EQ(find<QPushButton>(QStringLiteral("resetButton"))->text(), QStringLiteral("重置"));

    // Fits a 1366 x 768 laptop with room for the title bar and a panel.
    EXPECT_LE(window->frameGeometry().width(), 1366);
    EXPECT_LE(window->frameGeometry().height(), 700);
}

TEST_F(AwardSettingsDialogTest, DrivingTheControlsAppliesTheRulesAndSaves)
{
    open();
    // The shipped settings: levels 0..3 on, 4 selectable, the rest locked.
    EXPECT_TRUE(levelSwitch(3)->isChecked());
    EXPECT_TRUE(levelSwitch(4)->isEnabled());
    EXPECT_FALSE(levelSwitch(5)->isEnabled());

    QTest::mouseClick(levelSwitch(2), Qt::LeftButton);
    for (int k = 2; k < LevelCount; ++k)
        EXPECT_FALSE(levelSwitch(k)->isChecked()) << k;
    EXPECT_TRUE(levelSwitch(2)->isEnabled());
    EXPECT_FALSE(levelSwitch(3)->isEnabled());
    QTest::mouseClick(levelSwitch(2), Qt::LeftButton);
    EXPECT_TRUE(levelSwitch(3)->isEnabled());
    EXPECT_FALSE(levelSwitch(3)->isChecked());
    EXPECT_FALSE(levelSwitch(4)->isEnabled());

    QLineEdit *quantity = edit(QStringLiteral("quantityEdit1"));
    quantity->selectAll();
    QTest::keyClicks(quantity, QStringLiteral("12a"));
    EXPECT_EQ(quantity->text(), QStringLiteral("1"));
    QTest::keyClick(quantity, Qt::Key_Backspace);
    EXPECT_EQ(quantity->text(), QStringLiteral("1"));
    QTest::keyClicks(quantity, QStringLiteral("5"));
    EXPECT_EQ(quantity->text(), QStringLiteral("15"));

    op.openName = dir.path(QStringLiteral("pics\\car.jpg"));
    QTest::mouseClick(find<QPushButton>(QStringLiteral("pictureButton2")), Qt::LeftButton);
    EXPECT_EQ(edit(QStringLiteral("picturePathEdit2"))->text(), op.openName);

    QLineEdit *title = edit(QStringLiteral("titleEdit"));
    title->selectAll();
    typeText(title, QStringLiteral("新年快乐"));
    QTest::keyClick(find<QComboBox>(QStringLiteral("startStopKeysList")), Qt::Key_Down);
    QTest::keyClick(find<QComboBox>(QStringLiteral("captionPositionList")), Qt::Key_Down);
    EXPECT_EQ(dir.lines(files::ScreenPositions), (QStringList{QStringLiteral("1"), QStringLiteral("0")}));

    QTest::mouseClick(find<QPushButton>(QStringLiteral("saveButton")), Qt::LeftButton);
    EXPECT_EQ(op.notices, QStringList{QStringLiteral("保存成功！")});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    const AwardSettings saved = awardfile::load(dir.folder());
    EXPECT_EQ(saved.levels[1].quantity, "15");
    EXPECT_FALSE(saved.levels[3].enabled);
    EXPECT_EQ(gbk::decode(saved.levels[2].picturePath), op.openName);
    // The draw screen shows the new title and key text at once.
    EXPECT_EQ(screenLabel("titleLabel"), QStringLiteral("新年快乐"));
    EXPECT_EQ(screenLabel("nameSlot5"), QStringLiteral("回车键开始空格键停止"));

    // Edits after the save are dropped by "重置".
    title->selectAll();
    typeText(title, QStringLiteral("不要"));
    QTest::mouseClick(find<QPushButton>(QStringLiteral("resetButton")), Qt::LeftButton);
    EXPECT_EQ(title->text(), QStringLiteral("新年快乐"));

    // Cancel keeps the window open; No closes it on the saved settings.
    title->selectAll();
    typeText(title, QStringLiteral("又改了"));
    op.answers = {Answer::Cancel};
    window->close();
    EXPECT_TRUE(window->isVisible());
    op.answers = {Answer::No};
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(title->text(), QStringLiteral("新年快乐"));
    EXPECT_EQ(screenLabel("titleLabel"), QStringLiteral("新年快乐"));
}
