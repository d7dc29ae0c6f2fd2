#include <QApplication>
#include <gtest/gtest.h>

#include "base/ui/fontsetup.h"
#include "sheets/workbook.h"

int main(int argc, char **argv)
{
    // The list editor's import starts this program again as its reader.
    if (const std::optional<int> reader = sorvix::workbook::readerMain(argc, argv))
        return *reader;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    sorvix::installChineseFaces();
    return RUN_ALL_TESTS();
}
