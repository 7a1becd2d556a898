// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QWidget>
#include <functional>

class QAction;
class QListWidget;
class QMenu;

namespace brelvox {

class SpyList;

// The spy list window: one entry "seat: name" per spectator, drawn from spies, and the
// host's "Remove From Game" acting on the entry under the pointer.
class Tspylist : public QWidget
{
    Q_OBJECT
public:
    explicit Tspylist(const SpyList &spies, QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }
    QAction *removeAction() const { return m_remove; }
    QMenu *popup() const { return m_popup; }

    // Set with "Remove From Game": called with the seat to remove.
    void setKick(std::function<void(int seat)> kick) { m_kick = std::move(kick); }
    void enableRemoval() { m_remove->setEnabled(true); }

    int hoverIndex() const { return m_hover; }
    void listbox_spysMouseMove(const QPoint &pos);
    void popup_kickhimClick();
    void Button1Click() { hide(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const SpyList &m_spies;
    QListWidget *m_list = nullptr;
    QMenu *m_popup = nullptr;
    QAction *m_remove = nullptr;
    std::function<void(int)> m_kick;
    int m_hover = -1;
};

} // namespace brelvox
