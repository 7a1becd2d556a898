// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "widgets/colortext.h"

#include "core/conversion.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace brelvox {

namespace {
struct Named {
    const char *name;
    ColorRef value;
};

constexpr std::array<Named, 16> kStandard{{
    {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000}, {"clPurple", 0x800080}, {"clTeal", 0x808000}, {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF}, {"clLime", 0x00FF00}, {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000}, {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clWhite", 0xFFFFFF},
}};

struct SystemNamed {
    const char *name;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr std::array<SystemNamed, 14> kSystem{{
    {"clWindowText", QPalette::Active, QPalette::WindowText},
    {"clWindow", QPalette::Active, QPalette::Base},
    {"clBtnFace", QPalette::Active, QPalette::Button},
    {"clBtnText", QPalette::Active, QPalette::ButtonText},
    {"clBtnHighlight", QPalette::Active, QPalette::Light},
    {"clBtnShadow", QPalette::Active, QPalette::Mid},
    {"cl3DDkShadow", QPalette::Active, QPalette::Shadow},
    {"cl3DLight", QPalette::Active, QPalette::Midlight},
    {"clHighlight", QPalette::Active, QPalette::Highlight},
    {"clHighlightText", QPalette::Active, QPalette::HighlightedText},
    {"clGrayText", QPalette::Disabled, QPalette::Text},
    {"clInfoBk", QPalette::Active, QPalette::ToolTipBase},
    {"clInfoText", QPalette::Active, QPalette::ToolTipText},
    {"clMenu", QPalette::Active, QPalette::Window},
}};
} // namespace

QColor toQColor(ColorRef c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

ColorRef fromQColor(const QColor &c)
{
    return ColorRef(c.red()) | (ColorRef(c.green()) << 8) | (ColorRef(c.blue()) << 16);
}

QString colorToText(ColorRef color)
{
    for (const Named &n : kStandard)
        if (n.value == color)
            return QString::fromLatin1(n.name);
    return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

bool textToColor(const QString &text, ColorRef *color)
{
    for (const Named &n : kStandard) {
        if (text.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) {
            *color = n.value;
            return true;
        }
    }
    for (const SystemNamed &n : kSystem) {
        if (text.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) {
            *color = fromQColor(QGuiApplication::palette().color(n.group, n.role));
            return true;
        }
    }
    bool ok = false;
    const int v = toInt(text, &ok);
    if (!ok)
        return false;
    *color = ColorRef(v) & 0xFFFFFFu;
    return true;
}

} // namespace brelvox
