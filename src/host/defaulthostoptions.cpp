// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/defaulthostoptions.h"

#include "core/version.h"

namespace brelvox {

QString DefaultHostOptions::versionText() const
{
    return QString::fromLatin1(kProtocolVersion);
}

} // namespace brelvox
