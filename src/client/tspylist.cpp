// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/tspylist.h"

#include "core/conversion.h"
#include "widgets/colortext.h"
#include "widgets/escapekey.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace brelvox {

namespace {
QString entryText(int seat, const QString &name)
{
    return QString::number(seat) + QStringLiteral(": ") + name;
}
} // namespace

Tspylist::Tspylist(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Brelvox -Spys"));
    setFixedSize(162, 168);
    auto *back = new FlatPanel(this);
    back->setColor(toQColor(0x5887A7));
    back->setGeometry(rect());

    auto *title = new QLabel(QStringLiteral("Spy List"), this);
    title->setFont(QFont(QStringLiteral("Arial"), 10, QFont::Bold));
    title->setStyleSheet(QStringLiteral("color:#FFFF00;"));
    title->setGeometry(8, 4, 146, 18);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("listbox_spys"));
    m_list->setGeometry(8, 24, 146, 108);
    m_list->setMouseTracking(true);
    m_list->viewport()->setMouseTracking(true);
    m_list->viewport()->installEventFilter(this);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("popup_kickhim"));
    m_remove = m_popup->addAction(QStringLiteral("Remove From Game"));
    m_remove->setObjectName(QStringLiteral("RemoveFromGame2"));
    m_remove->setEnabled(false);
    connect(m_remove, &QAction::triggered, this, &Tspylist::popup_kickhimClick);
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_popup->popup(m_list->viewport()->mapToGlobal(pos)); });

    auto *ok = new FlatButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(49, 138, 64, 24);
    connect(ok, &QPushButton::clicked, this, &Tspylist::Button1Click);
    closeOnEscape(this);
}

void Tspylist::addEntry(int seat, const QString &name)
{
    m_list->addItem(entryText(seat, name));
}

bool Tspylist::hasEntry(int seat, const QString &name) const
{
    return !m_list->findItems(entryText(seat, name), Qt::MatchFixedString).isEmpty();
}

bool Tspylist::removeEntry(int seat, const QString &name)
{
    const QList<QListWidgetItem *> found = m_list->findItems(entryText(seat, name), Qt::MatchFixedString);
    if (found.isEmpty())
        return false;
    delete found.first();
    m_hover = -1;
    return true;
}

void Tspylist::listbox_spysMouseMove(const QPoint &pos)
{
    QListWidgetItem *item = m_list->itemAt(pos);
    m_hover = item ? m_list->row(item) : -1;
}

bool Tspylist::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress))
        listbox_spysMouseMove(static_cast<QMouseEvent *>(event)->position().toPoint());
    // The menu opened from the keyboard (Menu key, Shift+F10) is for the current entry.
    if (watched == m_list->viewport() && event->type() == QEvent::ContextMenu
        && static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard)
        m_hover = m_list->currentRow();
    return QWidget::eventFilter(watched, event);
}

void Tspylist::popup_kickhimClick()
{
    if (m_hover < 0 || m_hover >= m_list->count())
        return;
    const QString text = m_list->item(m_hover)->text();
    bool ok = false;
    const int seat = toInt(text.left(text.indexOf(QLatin1Char(':'))), &ok);
    if (ok && m_kick)
        m_kick(seat);
}

} // namespace brelvox
