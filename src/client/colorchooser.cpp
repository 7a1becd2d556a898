// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/colorchooser.h"

#include <QColorDialog>

namespace brelvox {

namespace {
ColorChooser &chooser()
{
    static ColorChooser c;
    return c;
}
} // namespace

void setColorChooser(ColorChooser c)
{
    chooser() = std::move(c);
}

bool chooseColor(ColorRef *color, QWidget *parent)
{
    if (chooser())
        return chooser()(color);
    const QColor chosen = QColorDialog::getColor(toQColor(*color), parent);
    if (!chosen.isValid())
        return false;
    *color = fromQColor(chosen);
    return true;
}

} // namespace brelvox
