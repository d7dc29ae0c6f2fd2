#include "base/ui/widgets.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvix;

TEST(WindowToolkit, MenuHintsShowAndEnterInAnEditPressesNoButton)
{
    QMenu menu;
    QAction *item = ui::addMenuItem(&menu, QStringLiteral("saveAction"), QStringLiteral("保存配置"), &menu, {});
    EXPECT_FALSE(menu.toolTipsVisible());
    ui::setHint(item, QStringLiteral("保存所有配置（包括人员名单）"));
    EXPECT_TRUE(menu.toolTipsVisible());

    QDialog dialog;
    auto *edit = new QLineEdit(&dialog);
    QPushButton *button = ui::makeButton(&dialog, QStringLiteral("saveButton"), QStringLiteral("保存"));
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(dialog.isVisible());
}

TEST(WindowToolkit, AWindowCentresOverItsOwner)
{
    QWidget owner;
    owner.setGeometry(100, 80, 900, 600);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    QDialog dialog(&owner);
    dialog.resize(300, 200);
    ui::centreOver(&dialog, &owner);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_LE((dialog.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 2);
}
