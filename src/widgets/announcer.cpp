// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "widgets/announcer.h"

#include "widgets/accessible.h"

#include <QAccessible>
#include <QLabel>
#include <QTimer>

namespace brelvox {

Announcer::Announcer(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("announcer"));
    accessible::setRole(this, QAccessible::Notification);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("announcement"));
    m_text->setGeometry(0, 0, 1, 1);
    m_text->setStyleSheet(QStringLiteral("color:transparent;background:transparent;"));
    hide();
}

void Announcer::announce(const QString &text)
{
    if (text.trimmed().isEmpty())
        return;
    m_pending.append(text.trimmed());
    if (m_scheduled)
        return;
    m_scheduled = true;
    QTimer::singleShot(0, this, &Announcer::flush);
}

void Announcer::flush()
{
    m_scheduled = false;
    if (m_pending.isEmpty())
        return;
    m_last = m_pending.join(QLatin1Char(' '));
    m_pending.clear();
    hide();
    m_text->setText(m_last);
    setAccessibleName(m_last);
    show();
    raise();
    if (QAccessible::isActive()) {
        QAccessibleEvent alert(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
    Q_EMIT announced(m_last);
}

} // namespace brelvox
