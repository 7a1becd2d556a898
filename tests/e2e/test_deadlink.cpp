// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/chatview.h"
#include "core/userfiles.h"
#include "host/rawclient.h"
#include "shell/appwindows.h"
#include "shell/tchat.h"
#include "support/serverprocess.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace brelvox;
using testing::RawClient;
using testsupport::ServerProcess;
using testsupport::waitUntil;

namespace {

// The test runs again inside a network namespace of its own, where it may cut a route.
const char *const kInside = "BRELVOX_DEADLINK_INSIDE";
// Bob reaches the host by this address; the others by 127.0.0.1.
const QString kBobsRoute = QStringLiteral("10.7.7.1");

bool ip(const QString &arguments)
{
    QProcess run;
    run.start(QStringLiteral("ip"), arguments.split(u' '));
    return run.waitForFinished(5000) && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
}

// Packets to Bob's address vanish without a word, as on a network that went away.
bool cutBobsRoute()
{
    return ip(QStringLiteral("route del local %1 dev lo table local").arg(kBobsRoute))
        && ip(QStringLiteral("route add unreachable %1").arg(kBobsRoute));
}

bool restoreBobsRoute()
{
    return ip(QStringLiteral("route del unreachable %1").arg(kBobsRoute))
        && ip(QStringLiteral("route add local %1 dev lo table local").arg(kBobsRoute));
}

QString chatText(const AppWindows &copy)
{
    return copy.chat()->chat()->mainchat()->toPlainText();
}

} // namespace

// A link that goes silent, with no close on either side: both ends find out by
// themselves within seconds, and Bob is back on his seat once the route returns.
class TestDeadLink : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void silentLinkIsFoundAndRepaired()
    {
        if (qEnvironmentVariableIsEmpty(kInside)) {
            QProcess inside;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QLatin1String(kInside), QStringLiteral("1"));
            inside.setProcessEnvironment(env);
            inside.setProcessChannelMode(QProcess::ForwardedChannels);
            inside.start(QStringLiteral("unshare"), {QStringLiteral("-rn"), QCoreApplication::applicationFilePath(),
                                                      QStringLiteral("silentLinkIsFoundAndRepaired")});
            if (!inside.waitForStarted(5000))
                QSKIP("unshare is not available");
            QVERIFY(inside.waitForFinished(180000));
            // unshare itself fails with 1; this test's own failures end with 2.
            if (inside.exitStatus() == QProcess::NormalExit && inside.exitCode() == 1)
                QSKIP("no network namespace for this user");
            QCOMPARE(inside.exitCode(), 0);
            return;
        }
        if (!ip(QStringLiteral("link set lo up")) || !ip(QStringLiteral("addr add %1/32 dev lo").arg(kBobsRoute)))
            QSKIP("cannot set up the namespace's loopback");
        setUserFileDir(m_dir.path());
        QStringList boxes;
        dialogs::setHandler([&](dialogs::Kind, const QString &, const QString &text) {
            boxes << text;
            return true;
        });

        ServerProcess server({QStringLiteral("--port"), QStringLiteral("0")});
        const quint16 port = server.waitForPort();
        QVERIFY(port != 0);
        RawClient ann(port);
        QVERIFY(waitUntil([&] { return ann.got.startsWith("CMD_sendlogininfo+1"); }, 5000));
        ann.sendMessage("CMD_logininfo+1+1.0.5+Ann");
        AppWindows bob;
        bob.chat()->processparams({QStringLiteral("Bob"), QStringLiteral("%1:%2").arg(kBobsRoute).arg(port),
                                   QStringLiteral("false")});
        QVERIFY(waitUntil([&] { return bob.chat()->seatLabel(2)->text() == QLatin1String("Bob"); }, 5000));

        QVERIFY(cutBobsRoute());
        QElapsedTimer sinceCut;
        sinceCut.start();
        const QString lost = QStringLiteral("Connection lost — reconnecting…");
        QVERIFY(waitUntil([&] { return chatText(bob).contains(lost) && ann.messages().contains("CMD_playerdisconnected+2+Bob"); },
                          20000));
        const qint64 foundAfter = sinceCut.elapsed();
        qInfo("both ends found the dead link within %lld ms", foundAfter);
        QVERIFY(foundAfter < 15000);

        QTest::qWait(30000 - int(sinceCut.elapsed()));
        QVERIFY(restoreBobsRoute());
        const bool back = waitUntil([&] { return chatText(bob).contains(QStringLiteral("Reconnected.")); }, 10000);
        QVERIFY2(back, qPrintable(chatText(bob)));
        QCOMPARE(bob.chat()->state().ownSeat, 2);
        QCOMPARE(bob.chat()->seatLabel(1)->text(), QStringLiteral("Ann"));
        QCOMPARE(ann.messages().count("CMD_newplayerinfo+2+Bob"), 2);
        QVERIFY(boxes.isEmpty());
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestDeadLink test;
    const int failed = QTest::qExec(&test, argc, argv);
    return failed == 0 ? 0 : 2;
}
#include "test_deadlink.moc"
