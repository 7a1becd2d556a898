// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/tspylist.h"

#include "client/spylist.h"
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

Tspylist::Tspylist(const SpyList &spies, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , m_spies(spies)
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
    for (const SpyList::Entry &entry : spies.entries())
        m_list->addItem(SpyList::text(entry));
    connect(&spies, &SpyList::added, this, [this](int row) { m_list->insertItem(row, SpyList::text(m_spies.entries().at(row))); });
    connect(&spies, &SpyList::removed, this, [this](int row) {
        delete m_list->item(row);
        m_hover = -1;
    });

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
    const int seat = m_spies.seatAt(m_hover);
    if (seat >= 0 && m_kick)
        m_kick(seat);
}

} // namespace brelvox
