#include "base/gbk.h"
#include "editors/ui/awardsettingsdialog.h"
#include "support/accessible.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QSet>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;
using Answer = OperatorPort::Answer;

namespace {

// The draw screen started on the shipped settings, and the award window over it.
class AwardSettingsDialogTest : public DrawScreenTest
{
protected:
    std::unique_ptr<AwardSettingsDialog> dialog;

    void SetUp() override { start({1366, 768}); }
    // The window goes before the draw screen that owns it as a child.
    void TearDown() override { dialog.reset(); }
    void open()
    {
        dialog = std::make_unique<AwardSettingsDialog>(draw(), op, window);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    template<typename W>
    W *find(const QString &name) const
    {
        W *w = dialog->findChild<W *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QCheckBox *levelSwitch(int k) const { return find<QCheckBox>(QStringLiteral("levelSwitch%1").arg(k)); }
    QLineEdit *edit(const QString &name) const { return find<QLineEdit>(name); }
    QString screenLabel(const char *name) const
    {
        return window->findChild<QLabel *>(QString::fromLatin1(name))->text();
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
    QAction *item = window->findChild<QAction *>(QStringLiteral("awardSettingsAction"));
    ASSERT_NE(item, nullptr);
    // The menu item returns at once, the window up in front of the draw screen.
    item->trigger();
    auto *shown = qobject_cast<AwardSettingsDialog *>(QApplication::activeModalWidget());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->parent(), window);
    const QPoint centre = shown->mapToGlobal(shown->rect().center());
    const QPoint screenCentre = window->mapToGlobal(window->rect().center());
    EXPECT_LE((centre - screenCentre).manhattanLength(), 4);
    // Escape goes through the close question.
    op.answers = {Answer::No};
    QTest::keyClick(shown, Qt::Key_Escape);
    EXPECT_EQ(op.questions, QStringList{QStringLiteral("是否保存所做的修改？")});
    EXPECT_FALSE(shown->isVisible());
}

TEST_F(AwardSettingsDialogTest, EveryControlIsNamedApartAndTheWindowFitsALaptop)
{
    open();
    EXPECT_EQ(unnamedControls(dialog.get()), QStringList());
    // The eleven rows' edits and lists are told apart by their names.
    QStringList names;
    for (QWidget *w : dialog->findChildren<QLineEdit *>())
        names << w->accessibleName();
    for (QWidget *w : dialog->findChildren<QComboBox *>())
        names << w->accessibleName();
    names.removeAll(QString());
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size()) << names.join('|').toStdString();

    // Fits a 1366 x 768 laptop with room for the title bar and a panel.
    EXPECT_LE(dialog->frameGeometry().width(), 1366);
    EXPECT_LE(dialog->frameGeometry().height(), 700);
}

TEST_F(AwardSettingsDialogTest, DrivingTheControlsAppliesTheRulesAndSaves)
{
    open();
    // The shipped settings: levels 0..3 on, 4 selectable, the rest locked.
    EXPECT_TRUE(levelSwitch(3)->isChecked());
    EXPECT_TRUE(levelSwitch(4)->isEnabled());
    EXPECT_FALSE(levelSwitch(5)->isEnabled());

    // The rule holds however a switch changes: a mouse click, a key, or an
    // assistive tool's toggle, which does not click.
    const auto offLocksTheRest = [&] {
        for (int k = 2; k < LevelCount; ++k)
            EXPECT_FALSE(levelSwitch(k)->isChecked()) << k;
        EXPECT_TRUE(levelSwitch(2)->isEnabled());
        EXPECT_FALSE(levelSwitch(3)->isEnabled());
    };
    const auto onFreesTheNext = [&] {
        EXPECT_TRUE(levelSwitch(3)->isEnabled());
        EXPECT_FALSE(levelSwitch(3)->isChecked());
        EXPECT_FALSE(levelSwitch(4)->isEnabled());
    };
    QTest::mouseClick(levelSwitch(2), Qt::LeftButton);
    offLocksTheRest();
    ASSERT_TRUE(doAccessibleAction(levelSwitch(2), QAccessibleActionInterface::toggleAction()));
    onFreesTheNext();
    ASSERT_TRUE(doAccessibleAction(levelSwitch(2), QAccessibleActionInterface::toggleAction()));
    offLocksTheRest();
    QTest::keyClick(levelSwitch(2), Qt::Key_Space);
    onFreesTheNext();
    // A locked level takes no action at all.
    doAccessibleAction(levelSwitch(4), QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(levelSwitch(4)->isChecked());
    ASSERT_TRUE(doAccessibleAction(find<QCheckBox>(QStringLiteral("repeatedWinsSwitch")),
                                   QAccessibleActionInterface::toggleAction()));

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
    EXPECT_TRUE(saved.options.repeatedWins);
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
    dialog->close();
    EXPECT_TRUE(dialog->isVisible());
    op.answers = {Answer::No};
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(title->text(), QStringLiteral("新年快乐"));
    EXPECT_EQ(screenLabel("titleLabel"), QStringLiteral("新年快乐"));
}
