// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "codec/textgrid.h"

#include <QWidget>

namespace brelvox {

// The hidden grid of text cells a window keeps its table in.
class StringGrid : public QWidget
{
    Q_OBJECT
public:
    explicit StringGrid(QWidget *parent = nullptr) : QWidget(parent) { hide(); }

    TextGrid &grid() { return m_grid; }
    const TextGrid &grid() const { return m_grid; }

private:
    TextGrid m_grid;
};

} // namespace brelvox
