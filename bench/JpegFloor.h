// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

// The reference floor: a bare libjpeg decode at 1/8 scale of data already in memory, with no
// picture objects, fitting or drawing. Returns false when the data does not decode.
bool DecodeJpegAtOneEighth(const QByteArray& data);
