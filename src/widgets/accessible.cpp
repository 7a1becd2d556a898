// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "widgets/accessible.h"

#include <QAccessibleActionInterface>
#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

namespace brelvox::accessible {

namespace {

constexpr char RoleProperty[] = "brelvoxAccessibleRole";
constexpr char CheckedProperty[] = "brelvoxAccessibleChecked";
constexpr char HiddenProperty[] = "brelvoxAccessibleHidden";
constexpr char QuietProperty[] = "brelvoxAccessibleQuiet";
constexpr char NameProperty[] = "brelvoxAccessibleName";

using NameFunction = std::function<QString()>;

bool hidden(const QObject *o)
{
    return o->property(HiddenProperty).toBool();
}

QList<QWidget *> treeChildren(const QWidget *w)
{
    QList<QWidget *> result;
    for (QObject *o : w->children()) {
        auto *child = qobject_cast<QWidget *>(o);
        if (child && !child->isWindow() && !hidden(child))
            result.append(child);
    }
    return result;
}

// One interface for every widget marked through this file: its role, name, checked
// state, press action, and its children without the hidden ones.
class MarkedWidget : public QAccessibleWidget
{
public:
    explicit MarkedWidget(QWidget *w)
        : QAccessibleWidget(w, roleOf(w))
    {
    }

    static QAccessible::Role roleOf(const QWidget *w)
    {
        const QVariant role = w->property(RoleProperty);
        if (role.isValid())
            return QAccessible::Role(role.toInt());
        if (qobject_cast<const QLabel *>(w))
            return QAccessible::StaticText;
        return QAccessible::Client;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const QVariant name = widget()->property(NameProperty);
            if (name.canConvert<NameFunction>())
                return name.value<NameFunction>()();
            if (widget()->property(QuietProperty).toBool()) {
                if (auto *label = qobject_cast<QLabel *>(widget()))
                    return label->text();
            }
        }
        if (t == QAccessible::Description && widget()->property(QuietProperty).toBool())
            return widget()->accessibleName();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const QVariant checked = widget()->property(CheckedProperty);
        if (checked.isValid()) {
            s.checkable = true;
            s.checked = checked.toBool();
        }
        return s;
    }

    int childCount() const override { return int(treeChildren(widget()).size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> children = treeChildren(widget());
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children.at(index)) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(treeChildren(widget()).indexOf(child->object())) : -1;
    }

    // Pressing a picture button or option is what Space does with the keyboard.
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (pressable())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction() && pressable()) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            QCoreApplication::sendEvent(widget(), &press);
            QCoreApplication::sendEvent(widget(), &release);
            return;
        }
        QAccessibleWidget::doAction(name);
    }

private:
    bool pressable() const
    {
        const QVariant role = widget()->property(RoleProperty);
        return role.isValid()
            && (role.toInt() == QAccessible::PushButton || role.toInt() == QAccessible::RadioButton
                || role.toInt() == QAccessible::CheckBox);
    }
};

bool marked(const QWidget *w)
{
    if (w->property(RoleProperty).isValid() || w->property(QuietProperty).toBool() || w->property(NameProperty).isValid())
        return true;
    for (const QObject *o : w->children())
        if (o->isWidgetType() && hidden(o))
            return true;
    return false;
}

QAccessibleInterface *factory(const QString &, QObject *object)
{
    auto *w = qobject_cast<QWidget *>(object);
    if (!w || w->isWindow() || !marked(w))
        return nullptr;
    return new MarkedWidget(w);
}

void tellStateChange(QWidget *widget, bool checkedChanged)
{
    if (!QAccessible::isActive())
        return;
    QAccessible::State changed;
    changed.checked = checkedChanged;
    QAccessibleStateChangeEvent event(widget, changed);
    QAccessible::updateAccessibility(&event);
}

// An interface made before the widget was marked (a name change makes one) would go on
// describing it unmarked.
void forgetInterface(QWidget *widget)
{
    if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

} // namespace

void install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(factory);
}

void setRole(QWidget *widget, QAccessible::Role role)
{
    widget->setProperty(RoleProperty, int(role));
    forgetInterface(widget);
}

void setChecked(QWidget *widget, bool checked)
{
    const QVariant was = widget->property(CheckedProperty);
    widget->setProperty(CheckedProperty, checked);
    if (was.isValid() && was.toBool() != checked)
        tellStateChange(widget, true);
}

void hideFromTree(QWidget *widget)
{
    widget->setProperty(HiddenProperty, true);
    if (widget->parentWidget())
        forgetInterface(widget->parentWidget());
}

void setQuiet(QLabel *label, const QString &what)
{
    label->setProperty(QuietProperty, true);
    // A label with a name of its own tells no name change when its text changes; the
    // interface above reads the text as the name and this one as the description.
    label->setAccessibleName(what);
    forgetInterface(label);
}

void setNameProvider(QWidget *widget, std::function<QString()> name)
{
    widget->setProperty(NameProperty, QVariant::fromValue(NameFunction(std::move(name))));
    forgetInterface(widget);
}

} // namespace brelvox::accessible
