// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace brelvox::wire {

// Every message on the wire ends with this byte and no other byte of a message is it.
inline constexpr char kTerminator = char(0xFF);
// A receiver handles at most this many characters (bytes) of one message.
inline constexpr qsizetype kMaxMessageLength = 4096;
// A player's name, at most: the host cuts a longer one at login, the client its own.
inline constexpr qsizetype kMaxNameLength = 32;

// QString -> Windows-1252 bytes (core/cp1252.h) with one rule more: U+00FF, whose code
// is the terminator, becomes "y", so no text can end a message early.
QByteArray encode(const QString &text);
// Windows-1252 bytes -> QString, as core/cp1252.h reads them.
QString decode(QByteArrayView bytes);
// The text as a receiver will see it: what typed text turns into once sent.
QString sanitized(const QString &text);

} // namespace brelvox::wire
