// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/chatview.h"
#include "client/clientsession.h"
#include "core/userfiles.h"
#include "host/tserver.h"
#include "shell/appwindows.h"
#include "shell/tchat.h"
#include "widgets/dialogs.h"
#include "widgets/shellopen.h"
#include "windows/tabout.h"
#include "windows/thelp.h"

#include <QAction>

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

    void menusAndLogoReachTheirWindows()
    {
        AppWindows copy;
        QStringList opened;
        setShellOpenHandler([&](const QString &target, const QString &, ShellShow) {
            opened << target;
            return true;
        });
        copy.chat()->image_logoClick();
        setShellOpenHandler({});
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened.first().startsWith(QStringLiteral("http://")));
        copy.chat()->action("Help2")->trigger();
        QVERIFY(copy.help()->isVisible());
        copy.chat()->action("About1")->trigger();
        QVERIFY(copy.about()->isVisible());
        const QStringList captions{copy.chat()->windowTitle(), copy.help()->windowTitle(), copy.about()->windowTitle()};
        QCOMPARE(captions, (QStringList{"Brelvox", "Brelvox - Help File", "Brelvox - About"}));
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
