#include "sheets/workbook.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // The workbook tests start this program again as their reader.
    if (const std::optional<int> reader = sorvix::workbook::readerMain(argc, argv))
        return *reader;
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
