// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "shell/preferences.h"

#include "core/conversion.h"
#include "core/gametype.h"
#include "core/inifile.h"
#include "host/hostoptions.h"

#include <algorithm>
#include <optional>

namespace brelvox::settingsfile {

namespace {
ColorRef readColor(const IniFile &ini, const QString &key)
{
    ColorRef c = 0;
    if (!textToColor(ini.readString(kSection, key, QStringLiteral("clblack")), &c))
        return 0;
    return c;
}

QString boolText(bool on)
{
    return on ? QStringLiteral("true") : QStringLiteral("false");
}
} // namespace

void load(const IniFile &ini, Preferences &p)
{
    // The chat font between the smallest and largest size the menu offers.
    p.textSize = std::clamp(ini.readInteger(kSection, QStringLiteral("Textsize"), 8), kMinTextSize, kMaxTextSize);
    p.bounds = QRect(ini.readInteger(kSection, QStringLiteral("Left"), 3), ini.readInteger(kSection, QStringLiteral("Top"), 3),
                     ini.readInteger(kSection, QStringLiteral("Width"), 748),
                     ini.readInteger(kSection, QStringLiteral("Height"), 563));
    p.textColor = readColor(ini, QStringLiteral("Textcolor"));
    p.actionColor = readColor(ini, QStringLiteral("Actioncolor"));
    for (int n = 1; n <= 9; ++n)
        p.phrases[n - 1] = ini.readString(kSection, QStringLiteral("Phrase%1").arg(n), QString());
    p.playSounds = ini.readString(kSection, QStringLiteral("Playsounds"), QStringLiteral("true")) != QLatin1String("false");
    p.showWordList = ini.readString(kSection, QStringLiteral("Showwordlist"), QStringLiteral("true")) != QLatin1String("false");
    // A bad number is reported once every key is read: stopping at it would leave the keys
    // after it at their defaults, and the next save would write those over the player's.
    std::optional<ConversionError> bad;
    const auto number = [&](const QString &text, int &into) {
        try {
            into = toInt(text);
            return true;
        } catch (const ConversionError &e) {
            if (!bad)
                bad = e;
            return false;
        }
    };
    // A pause the host would sit in for days is taken as the longest any host takes.
    if (int pause = 0; number(ini.readString(kSection, QStringLiteral("Betweenrounds"), QStringLiteral("5")), pause))
        p.betweenRounds = std::clamp(pause, 0, HostOptions::kMaxPauseBetweenWords);
    const QString speed = ini.readString(kSection, QStringLiteral("Botspeed"), QStringLiteral("1000"));
    p.botSpeed = speed == QLatin1String("2000") ? 2000 : speed == QLatin1String("500") ? 500 : 1000;
    QString type = ini.readString(kSection, QStringLiteral("Gametype"), QStringLiteral("1"));
    if (type.isEmpty() || type == QLatin1String("0"))
        type = QStringLiteral("1");
    int typeNumber = 0;
    if (number(type, typeNumber)) // a bad value keeps the type chosen before
        // A number that names no box is taken as the first type, as an empty value is.
        p.gameType = gameTypeByOption(typeNumber) ? typeNumber : gameTypes().front().option;
    p.turnSound = ini.readString(kSection, QStringLiteral("Turnsound"), QStringLiteral("0")) == QLatin1String("1") ? 1 : 0;
    p.chatterSounds = ini.readString(kSection, QStringLiteral("ChatterSounds"), QStringLiteral("true")) != QLatin1String("false");
    p.showLettersTried = ini.readString(kSection, QStringLiteral("Letterstried"), QStringLiteral("false")) == QLatin1String("true");
    if (bad)
        throw *bad;
}

QString save(IniFile &ini, const Preferences &p)
{
    // One rewrite of the file for all of them: each rewrite waits for the disk.
    const QList<std::pair<QString, QString>> entries = {
        {QStringLiteral("Textsize"), QString::number(p.textSize)},
        {QStringLiteral("Top"), QString::number(p.bounds.y())},
        {QStringLiteral("Left"), QString::number(p.bounds.x())},
        {QStringLiteral("Width"), QString::number(p.bounds.width())},
        {QStringLiteral("Height"), QString::number(p.bounds.height())},
        {QStringLiteral("Textcolor"), colorToText(p.textColor)},
        {QStringLiteral("Actioncolor"), colorToText(p.actionColor)},
        {QStringLiteral("Botspeed"), QString::number(p.botSpeed)},
        {QStringLiteral("Gametype"), QString::number(gameTypeByOption(p.gameType) ? p.gameType : gameTypes().front().option)},
        {QStringLiteral("Playsounds"), boolText(p.playSounds)},
        {QStringLiteral("Showwordlist"), boolText(p.showWordList)},
        {QStringLiteral("Turnsound"), QString::number(p.turnSound)},
        {QStringLiteral("ChatterSounds"), boolText(p.chatterSounds)},
        {QStringLiteral("Letterstried"), boolText(p.showLettersTried)},
    };
    if (!ini.writeStrings(kSection, entries))
        return QStringLiteral("Unable to write to %1").arg(ini.path());
    return QString();
}

} // namespace brelvox::settingsfile
