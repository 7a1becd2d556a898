// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>
#include <functional>

namespace brelvox {

// How the started program's or document's window comes up.
enum class ShellShow { Normal, NoActivate };

// The desktop shell's "open": a link or document goes to the desktop's handler, a
// program is started detached with the parameters (split as a command line would be).
// Returns whether the start succeeded.
bool shellOpen(const QString &target, const QString &parameters = QString(),
               ShellShow show = ShellShow::Normal);

// Tests install a handler in place of the real shell; an empty handler restores it.
using ShellOpenHandler = std::function<bool(const QString &target, const QString &parameters, ShellShow show)>;
void setShellOpenHandler(ShellOpenHandler handler);

} // namespace brelvox
