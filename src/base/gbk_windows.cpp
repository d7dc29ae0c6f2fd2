// GBK on Windows, where Qt has no ICU and knows no "GBK": Windows' own code
// page 936, read once into two tables. The conversion follows what the
// Linux build (Qt over ICU) gives, byte for byte and refusal for refusal, so
// the program folder and a configuration bundle move between the two:
// - a lead byte 0x81-0xFE takes the next byte when that is a trail byte
//   (0x40-0x7E, 0x80-0xFE), even where the pair means nothing (one U+FFFD);
//   before anything else it stands alone (U+FFFD) and the next byte is read
//   afresh;
// - 0x80 is the euro sign, 0xFF nothing;
// - what code page 936 maps into the private use area (the user-defined
//   areas) reads as U+FFFD, as on Linux;
// - a character without a GBK form becomes "?" (so does half a surrogate
//   pair, except a first half at the very end), or nothing when it is one
//   that is not shown (default-ignorable), and encodeExactly refuses it.
#include "base/gbk.h"

#include <array>
#include <memory>

#include <windows.h>

namespace sorvix::gbk {

namespace {

constexpr UINT CodePage = 936;
constexpr char16_t Invalid = 0xFFFF; // in the tables: no mapping

bool isLead(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}

bool isTrail(unsigned char b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}

char16_t fromCodePage(const char *bytes, int size)
{
    wchar_t out[2];
    const int n = ::MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, bytes, size, out, 2);
    return n == 1 ? char16_t(out[0]) : Invalid;
}

struct Tables
{
    std::array<char16_t, 256> single{};
    // Indexed by lead * 256 + trail.
    std::array<char16_t, 65536> pairs{};
    // Indexed by the UTF-16 unit: the GBK bytes (a second byte in the high
    // half), 0 for none.
    std::array<quint16, 65536> bytes{};

    Tables()
    {
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            single[size_t(b)] = b < 0x80 ? char16_t(b) : fromCodePage(&c, 1);
        }
        pairs.fill(Invalid);
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (!isTrail((unsigned char)trail))
                    continue;
                const char pair[2] = {char(lead), char(trail)};
                pairs[size_t(lead * 256 + trail)] = fromCodePage(pair, 2);
            }
        }
        // No best fit: a character GBK lacks is refused, never swapped for a
        // look-alike.
        bytes.fill(0);
        for (int u = 1; u < 65536; ++u) {
            if (QChar::isSurrogate(char16_t(u)))
                continue;
            const wchar_t w = wchar_t(u);
            char out[4];
            BOOL lossy = FALSE;
            const int n = ::WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, &w, 1, out, sizeof out, nullptr, &lossy);
            if (lossy || n < 1 || n > 2)
                continue;
            bytes[size_t(u)] = n == 1 ? quint16((unsigned char)out[0])
                                      : quint16(((unsigned char)out[0] << 8) | (unsigned char)out[1]);
        }
    }
};

const Tables &tables()
{
    static const std::unique_ptr<Tables> t = std::make_unique<Tables>();
    return *t;
}

// Unicode's default-ignorable characters (soft hyphen, zero-width spaces,
// direction marks, variation selectors, tags): where GBK lacks them, ICU
// drops them instead of writing "?".
bool isDefaultIgnorable(char32_t c)
{
    static constexpr char32_t ranges[][2] = {
        {0x00AD, 0x00AD}, {0x034F, 0x034F}, {0x061C, 0x061C}, {0x115F, 0x1160}, {0x17B4, 0x17B5},
        {0x180B, 0x180F}, {0x200B, 0x200F}, {0x202A, 0x202E}, {0x2060, 0x206F}, {0x3164, 0x3164},
        {0xFE00, 0xFE0F}, {0xFEFF, 0xFEFF}, {0xFFA0, 0xFFA0}, {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3},
        {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF}};
    for (const auto &range : ranges)
        if (c >= range[0] && c <= range[1])
            return true;
    return false;
}

// Encodes; false when a character had no GBK form.
bool encodeInto(const QString &text, QByteArray &out)
{
    const Tables &t = tables();
    out.reserve(text.size() * 2);
    bool exact = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isSurrogate(u)) {
            exact = false;
            // A pair is one character; a first half that ends the text is
            // dropped, any other half is one "?".
            if (QChar::isHighSurrogate(u) && i + 1 == text.size())
                continue;
            if (QChar::isHighSurrogate(u) && text[i + 1].isLowSurrogate()) {
                const char32_t c = QChar::surrogateToUcs4(u, text[i + 1].unicode());
                ++i;
                if (isDefaultIgnorable(c))
                    continue;
            }
            out.append('?');
            continue;
        }
        const quint16 b = u == 0 ? 0 : t.bytes[u];
        if (u != 0 && b == 0) {
            if (!isDefaultIgnorable(u))
                out.append('?');
            exact = false;
        } else if (b > 0xFF) {
            out.append(char(b >> 8));
            out.append(char(b & 0xFF));
        } else {
            out.append(char(b));
        }
    }
    return exact;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    const Tables &t = tables();
    QString text;
    text.reserve(bytes.size());
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        char16_t u;
        if (isLead(p[i]) && i + 1 < size && isTrail(p[i + 1])) {
            u = t.pairs[size_t(p[i] * 256 + p[i + 1])];
            ++i;
        } else {
            u = isLead(p[i]) ? Invalid : t.single[p[i]];
        }
        if (u == Invalid || (u >= 0xE000 && u <= 0xF8FF))
            u = QChar::ReplacementCharacter;
        text.append(QChar(u));
    }
    return text;
}

QByteArray encode(const QString &text)
{
    QByteArray out;
    encodeInto(text, out);
    return out;
}

std::optional<QByteArray> encodeExactly(const QString &text)
{
    QByteArray out;
    if (!encodeInto(text, out))
        return std::nullopt;
    return out;
}

} // namespace sorvix::gbk
