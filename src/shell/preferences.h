// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "widgets/colortext.h"

#include <QRect>
#include <QString>
#include <array>

namespace brelvox {

class IniFile;

// The player's preferences as the settings file holds them. The main window shows them in
// its menus and widgets; this is the form in which they travel to and from the file.
struct Preferences {
    int textSize = 8;
    QRect bounds{3, 3, 748, 563}; // Left, Top, Width, Height of the whole window
    ColorRef textColor = 0;
    ColorRef actionColor = 0;
    std::array<QString, 9> phrases; // empty: the button keeps its text
    bool playSounds = true;
    bool showWordList = true;
    int betweenRounds = 5;
    int botSpeed = 1000;
    int gameType = 1; // a game type's option number
    int turnSound = 0;
    bool chatterSounds = false;
    bool showLettersTried = false;

    bool operator==(const Preferences &) const = default;
};

namespace settingsfile {

inline const QString kSection = QStringLiteral("Brelvox");
inline const QString kFileName = QStringLiteral("ostrellobby.ini");
constexpr int kMinTextSize = 8;
constexpr int kMaxTextSize = 14;

// Reads every key in the file's order into prefs. A "Betweenrounds" or "Gametype" that is
// not a whole number keeps its value in prefs, and once every other key is read the first
// such value throws ConversionError.
void load(const IniFile &ini, Preferences &prefs);

// Writes the keys the program owns; returns the text of the failure to report, or an
// empty text. The keys are written in one rewrite of the file.
QString save(IniFile &ini, const Preferences &prefs);

} // namespace settingsfile
} // namespace brelvox
