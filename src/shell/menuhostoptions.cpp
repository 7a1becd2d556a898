// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "shell/menuhostoptions.h"

#include "shell/tchat.h"

namespace brelvox {

MenuHostOptions::MenuHostOptions(const Tchat &chat, std::function<QString()> version)
    : m_chat(chat)
    , m_version(std::move(version))
{
}

int MenuHostOptions::pauseBetweenWords() const
{
    return m_chat.betweenRounds();
}

int MenuHostOptions::botDelay() const
{
    return m_chat.botSpeed();
}

} // namespace brelvox
