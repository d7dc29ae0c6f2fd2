#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace sorvix {

// Every text of the program's files is GBK. Texts stay bytes in the models;
// these two functions are the only place where GBK meets QString, used where a
// widget shows or edits a text.
namespace gbk {

// Decodes one text on its own. Bytes that are not valid GBK show as U+FFFD
// (an incomplete double-byte character at the end included); nothing merges
// with the next text because every call starts afresh.
QString decode(const QByteArray &bytes);

// Encodes a text typed by the operator. Characters without a GBK form become "?".
QByteArray encode(const QString &text);

// Encodes a text typed by the operator only when every character has a GBK
// form; nothing when one has not (an emoji, a character outside GBK).
std::optional<QByteArray> encodeExactly(const QString &text);

// A text of the program's own (UTF-8 in the source) in GBK.
inline QByteArray fromUtf8(const char *utf8) { return encode(QString::fromUtf8(utf8)); }

} // namespace gbk
} // namespace sorvix
