#include "base/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace sorvix::gbk {

QString decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    // A line feed is never a trail byte: appending one forces a dangling lead
    // byte at the end to come out as a replacement character instead of being
    // swallowed, and it is removed again below.
    QByteArray input = bytes;
    input.append('\n');
    QStringDecoder decoder("GBK", QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(input);
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    // ICU maps bytes outside the GBK table (0x80, 0xFF, user-defined areas)
    // into the private use area; on screen they are no character at all.
    for (QChar &c : text) {
        const char16_t u = c.unicode();
        if (u >= 0xE000 && u <= 0xF8FF)
            c = QChar(QChar::ReplacementCharacter);
    }
    return text;
}

QByteArray encode(const QString &text)
{
    if (text.isEmpty())
        return {};
    QStringEncoder encoder("GBK", QStringEncoder::Flag::Stateless);
    return encoder.encode(text);
}

std::optional<QByteArray> encodeExactly(const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    QStringEncoder encoder("GBK", QStringEncoder::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

} // namespace sorvix::gbk
