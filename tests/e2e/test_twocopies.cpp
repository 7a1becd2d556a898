// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/chatview.h"
#include "client/clientsession.h"
#include "core/userfiles.h"
#include "host/tserver.h"
#include "shell/appwindows.h"
#include "shell/tchat.h"
#include "widgets/dialogs.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace brelvox;

// A hosting copy and a joining copy of the whole program, in one process over loopback.
class TestTwoCopies : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QStringList m_boxes;

private Q_SLOTS:
    void initTestCase()
    {
        setUserFileDir(m_dir.path());
        dialogs::setHandler([this](dialogs::Kind, const QString &, const QString &text) {
            m_boxes << text;
            return true;
        });
    }

    void hostAndJoinerSeeEachOther()
    {
        AppWindows host;
        host.setHostPort(0);
        host.chat()->processparams({QStringLiteral("Rook"), QStringLiteral("10.0.0.5"), QStringLiteral("true")});
        QVERIFY(host.server()->port() != 0);
        QTRY_COMPARE(host.chat()->seatLabel(1)->text(), QStringLiteral("Rook"));
        QVERIFY(host.chat()->state().host);

        AppWindows joiner;
        joiner.chat()->session()->setPort(host.server()->port());
        joiner.chat()->processparams({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")});
        QTRY_COMPARE(joiner.chat()->seatLabel(2)->text(), QStringLiteral("Ann"));
        QTRY_COMPARE(joiner.chat()->seatLabel(1)->text(), QStringLiteral("Rook"));
        QTRY_COMPARE(host.chat()->seatLabel(2)->text(), QStringLiteral("Ann"));
        QVERIFY(!joiner.chat()->state().host);
        QVERIFY(joiner.chat()->chat()->mainchat()->toPlainText().contains(QStringLiteral("Rook is Connected.")));
        QVERIFY(host.chat()->chat()->mainchat()->toPlainText().contains(QStringLiteral("Ann is Connected.")));
        QVERIFY(m_boxes.isEmpty());
    }
};

QTEST_MAIN(TestTwoCopies)
#include "test_twocopies.moc"
