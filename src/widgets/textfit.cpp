// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "widgets/textfit.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace brelvox::textfit {

namespace {

// Room a flat push button needs round its caption: its border and a pixel of air each side
// (the caption may run into the padding, never under the border).
constexpr int ButtonPadding = 6;
constexpr int ButtonLeading = 4;

bool placedByHand(const QWidget *widget)
{
    const QWidget *parent = widget->parentWidget();
    return parent && !(parent->layout() && parent->layout()->indexOf(widget) >= 0);
}

// Widgets whose children are their own business (scroll bars, viewports, line edit parts).
bool ownsItsChildren(const QWidget *widget)
{
    return qobject_cast<const QAbstractScrollArea *>(widget) || qobject_cast<const QLineEdit *>(widget)
           || qobject_cast<const QComboBox *>(widget) || qobject_cast<const QAbstractButton *>(widget);
}

template <typename Visit>
void forEachPlaced(QWidget *parent, const Visit &visit)
{
    for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        visit(child);
        if (!ownsItsChildren(child))
            forEachPlaced(child, visit);
    }
}

double ratio(double needed, int actual)
{
    return actual > 0 ? needed / actual : 0;
}

} // namespace

double overflow(const QWidget *widget)
{
    if (widget->testAttribute(Qt::WA_WState_ExplicitShowHide) && widget->testAttribute(Qt::WA_WState_Hidden))
        return 0;
    if (const auto *label = qobject_cast<const QLabel *>(widget)) {
        if (label->text().isEmpty())
            return 0;
        if (label->wordWrap())
            return ratio(label->heightForWidth(label->width()), label->height());
        const QSize hint = label->sizeHint();
        return std::max(ratio(hint.width(), label->width()), ratio(hint.height(), label->height()));
    }
    if (const auto *button = qobject_cast<const QPushButton *>(widget)) {
        if (button->text().isEmpty())
            return 0;
        const QFontMetrics metrics = button->fontMetrics();
        return std::max(ratio(metrics.horizontalAdvance(button->text()) + ButtonPadding, button->width()),
                        ratio(metrics.height() + ButtonLeading, button->height()));
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) {
        if (button->text().isEmpty())
            return 0;
        const QSize hint = button->sizeHint();
        return std::max(ratio(hint.width(), button->width()), ratio(hint.height(), button->height()));
    }
    if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
        return ratio(edit->minimumSizeHint().height(), edit->height());
    return 0;
}

namespace {

int scaled(int value, double factor)
{
    return int(std::lround(value * factor));
}

// Whether the widget's caption fits once the window has grown by factor.
bool fitsAt(const QWidget *widget, double factor)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget); label && label->wordWrap()) {
        // A wrapped caption needs fewer lines as its widget widens.
        if (overflow(label) <= 1)
            return true;
        return label->heightForWidth(scaled(label->width(), factor)) <= scaled(label->height(), factor);
    }
    return overflow(widget) <= factor;
}

} // namespace

double factor(const QWidget *window)
{
    QList<const QWidget *> placed;
    forEachPlaced(const_cast<QWidget *>(window), [&](const QWidget *widget) {
        if (placedByHand(widget))
            placed.append(widget);
    });
    constexpr double Step = 0.05;
    constexpr double Most = 4;
    double f = 1;
    while (f < Most && !std::all_of(placed.begin(), placed.end(), [f](const QWidget *w) { return fitsAt(w, f); }))
        f += Step;
    return f;
}

void fitWindow(QWidget *window)
{
    const double f = factor(window);
    if (f <= 1)
        return;
    QList<QPair<QWidget *, QRect>> placed;
    forEachPlaced(window, [&](QWidget *widget) {
        if (placedByHand(widget))
            placed.append({widget, widget->geometry()});
    });
    for (const auto &[widget, rect] : placed) {
        widget->setGeometry(scaled(rect.x(), f), scaled(rect.y(), f), scaled(rect.width(), f), scaled(rect.height(), f));
        // A picture keeps its size and stays centred in its grown place.
        if (auto *label = qobject_cast<QLabel *>(widget); label && label->text().isEmpty())
            label->setAlignment(Qt::AlignCenter);
    }
    const QSize size(scaled(window->width(), f), scaled(window->height(), f));
    if (window->minimumSize() == window->maximumSize())
        window->setFixedSize(size);
    else
        window->resize(size);
}

} // namespace brelvox::textfit
