// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QByteArray>
#include <QImage>

namespace brelvox {

// Decodes JPEG bytes with libjpeg. Broken or hostile data gives a null image, never a
// crash or an exit; pictures larger than kMaxJpegSide on a side are refused.
inline constexpr int kMaxJpegSide = 8192;
QImage decodeJpeg(const QByteArray &data);

} // namespace brelvox
