// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QAccessible>
#include <functional>

class QLabel;
class QWidget;

namespace brelvox::accessible {

// What a screen reader is told about widgets that the toolkit cannot describe by
// itself: pictures that act as buttons or options, decoration left out of the tree,
// texts that change too often to be announced, and names composed when asked (a grid
// letter with its mark, a score with its seat's name).
//
// Installs the interfaces once, after the application object exists.
void install();

// The widget is read as role (a picture that is a button, an option, a notification).
void setRole(QWidget *widget, QAccessible::Role role);
// A widget with the RadioButton or CheckBox role: checked or not; tells the change.
void setChecked(QWidget *widget, bool checked);
// Decoration or bookkeeping: not in the tree of its panel.
void hideFromTree(QWidget *widget);
// The label's text is its name, read when asked but never announced as it changes; what
// says what it is (its description).
void setQuiet(QLabel *label, const QString &what);
// The widget's name is whatever name() says when a reader asks.
void setNameProvider(QWidget *widget, std::function<QString()> name);

} // namespace brelvox::accessible
