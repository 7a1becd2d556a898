// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace brelvox {

// Every modal box of the program goes through here, so tests can answer them.
namespace dialogs {

enum class Kind { Error, Information, Question };

// Returns true for "Yes" (questions) and true for the other kinds once closed.
using Handler = std::function<bool(Kind kind, const QString &title, const QString &text)>;

// Installs a handler in place of real boxes; an empty handler restores them.
void setHandler(Handler handler);

// The application's error box: title "Brelvox", an error icon, "." appended when the
// last character sorts after ".". It returns at once and leaves the box open without
// taking the keyboard, so a failed handler never holds up the messages behind it.
void error(const QString &text, QWidget *parent = nullptr);
// The same box, waited on: for the last word before the program ends.
void errorAndWait(const QString &text, QWidget *parent = nullptr);
QString errorText(const QString &text);

// While the program is being ended by a signal or by the session nobody may be there to
// close a box, and a box would hold up the end: errorAtEnd then writes to standard error.
void setEndingUnattended(bool unattended);
// The last word before the program ends: errorAndWait, or standard error (see above).
void errorAtEnd(const QString &text, QWidget *parent = nullptr);

void information(const QString &text, QWidget *parent = nullptr);
bool question(const QString &text, QWidget *parent = nullptr);

// Runs f; any exception it lets out is shown in the error box and swallowed.
void guarded(const std::function<void()> &f);

} // namespace dialogs
} // namespace brelvox
