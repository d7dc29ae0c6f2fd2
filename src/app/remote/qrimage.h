#pragma once

#include <QImage>
#include <QString>

namespace sorvix::remote {

// A QR code of `text` (medium error correction), black on white with the
// quiet zone of four modules, each module `scale` pixels; a null image when
// the text does not fit.
QImage qrImage(const QString &text, int scale);

} // namespace sorvix::remote
