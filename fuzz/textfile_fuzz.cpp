// The text-file line splitter, GBK decoding and the number reader, over any bytes.
#include "fuzzsupport.h"

#include "base/gbk.h"
#include "base/textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace sorvix;
    const QByteArray input = fuzz::bytes(data, size);
    const Lines lines = textfile::splitLines(input);
    // Every line of a split is free of line ends and joins back to the same lines.
    for (const QByteArray &line : lines)
        if (line.contains('\r') || line.contains('\n'))
            __builtin_trap();
    if (textfile::splitLines(textfile::joinLines(lines)) != lines)
        __builtin_trap();
    for (const QByteArray &line : lines) {
        const QString text = gbk::decode(line);
        gbk::encode(text);
        int value = 0;
        textfile::parseNumber(line, &value);
    }
    return 0;
}
