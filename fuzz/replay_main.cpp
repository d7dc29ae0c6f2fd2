// Runs a fuzz target over the given inputs and the inputs kept in the given folders (seeds and the
// inputs of crashes found earlier), once each, as the ordinary tests do. A
// crash or a sanitizer report fails the test; a missing folder is skipped.
#include "sheets/workbook.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv)
{
    // The workbook targets start this program again as their reader.
    if (const std::optional<int> reader = sorvix::workbook::readerMain(argc, argv))
        return *reader;
    QCoreApplication app(argc, argv);
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const QString given = QString::fromLocal8Bit(argv[i]);
        QStringList files;
        if (QFileInfo(given).isFile())
            files << given;
        QDirIterator it(given, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        for (const QString &path : files) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName()));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
            ++inputs;
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    return 0;
}
