// The program's icon: a small glass thermometer, 32 x 32 pixels in the sixteen classic colours.
#pragma once

#include <QIcon>
#include <QImage>

QImage ThermometerIconImage();
QIcon ThermometerIcon();
