// The QR code of a text, through libqrencode: one pixel a module, black on white, with the
// quiet zone of four modules around it.
#pragma once

#include <QImage>
#include <QString>

namespace ClassShare {

QImage QrCode(const QString& text);

}  // namespace ClassShare
