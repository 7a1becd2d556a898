// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/tphrases.h"

#include "client/chatview.h"
#include "widgets/dialogs.h"
#include "widgets/escapekey.h"
#include "widgets/flatbutton.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>

namespace brelvox {

Tphrases::Tphrases(ChatView *chat, Writer write, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_chat(chat)
    , m_write(std::move(write))
{
    setWindowTitle(QStringLiteral("Brelvox - Phrase Buttons"));
    setFixedSize(330, 9 * 26 + 46);
    for (int n = 1; n <= 9; ++n) {
        auto *label = new QLabel(QStringLiteral("Phrase Button %1:").arg(n), this);
        label->setGeometry(10, 10 + (n - 1) * 26, 100, 22);
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("phrase%1").arg(n));
        edit->setMaxLength(50);
        edit->setGeometry(112, 10 + (n - 1) * 26, 208, 22);
        label->setBuddy(edit);
        m_edits[n - 1] = edit;
    }
    auto *done = new FlatButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("SelButton8"));
    done->setGeometry(125, 10 + 9 * 26 + 4, 80, 26);
    connect(done, &QPushButton::clicked, this, &Tphrases::SelButton8Click);
    closeOnEscape(this);
}

bool Tphrases::edited() const
{
    for (int n = 1; n <= 9; ++n)
        if (m_edits[n - 1]->text() != m_chat->phrase(n))
            return true;
    return false;
}

void Tphrases::closeEvent(QCloseEvent *event)
{
    if (isVisible() && edited() && dialogs::question(QStringLiteral("Keep the changed phrases?"), this))
        SelButton8Click();
    event->accept();
}

QLineEdit *Tphrases::edit(int n) const
{
    return n >= 1 && n <= 9 ? m_edits[n - 1] : nullptr;
}

void Tphrases::open(QWidget *centreOn)
{
    for (int n = 1; n <= 9; ++n)
        m_edits[n - 1]->setText(m_chat->phrase(n));
    if (centreOn)
        move(centreOn->geometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}

void Tphrases::SelButton8Click()
{
    bool ok = true;
    for (int n = 1; n <= 9; ++n) {
        const QString text = m_edits[n - 1]->text();
        m_chat->setPhrase(n, text);
        if (ok && m_write)
            ok = m_write(QStringLiteral("Phrase%1").arg(n), text);
    }
    if (!ok)
        Q_EMIT writeFailed();
    hide();
}

} // namespace brelvox
