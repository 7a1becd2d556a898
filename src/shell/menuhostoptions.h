// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "host/hostoptions.h"

#include <functional>

namespace brelvox {

class Tchat;

// The host of a playing copy reads its options from that copy's menus and about window.
class MenuHostOptions : public HostOptions
{
public:
    MenuHostOptions(const Tchat &chat, std::function<QString()> version);

    QString versionText() const override { return m_version(); }
    int pauseBetweenWords() const override;
    int botDelay() const override;

private:
    const Tchat &m_chat;
    std::function<QString()> m_version;
};

} // namespace brelvox
