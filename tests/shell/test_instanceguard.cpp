// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "shell/presencemarker.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

using namespace brelvox;

class TestInstanceGuard : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_runtime;

    std::unique_ptr<QProcess> start()
    {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime->path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p->setProcessEnvironment(env);
        // Two parameters: the window waits without hosting or joining.
        p->start(QStringLiteral(BRELVOX_BIN), {QStringLiteral("Guard"), QStringLiteral("127.0.0.1")});
        return p;
    }

    bool holdsMarker() const
    {
        const QByteArray lock = QFile::encodeName(m_runtime->filePath(QStringLiteral("vrenik.lock")));
        return QFile::exists(QString::fromLocal8Bit(lock)) && QFile::exists(m_runtime->filePath(QStringLiteral("vrenik")));
    }

private Q_SLOTS:
    void init()
    {
        m_runtime = std::make_unique<QTemporaryDir>();
        QFile::setPermissions(m_runtime->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void secondCopyStopsAtOnce()
    {
        auto first = start();
        QVERIFY(first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(holdsMarker(), 10000);
        auto second = start();
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);
        first->kill();
        first->waitForFinished();
    }

    void staleMarkerDoesNotBlock()
    {
        auto crashed = start();
        QVERIFY(crashed->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(holdsMarker(), 10000);
        crashed->kill(); // no clean-up: the lock file and socket stay behind
        crashed->waitForFinished();
        QVERIFY(QFile::exists(m_runtime->filePath(QStringLiteral("vrenik.lock"))));

        auto next = start();
        QVERIFY(next->waitForStarted());
        QVERIFY(!next->waitForFinished(2000));
        QCOMPARE(next->state(), QProcess::Running);
        // And it now holds the marker: a further copy stops.
        auto third = start();
        QVERIFY(third->waitForFinished(10000));
        QCOMPARE(next->state(), QProcess::Running);
        next->kill();
        next->waitForFinished();
    }

    void presenceIsSharedAndVisible()
    {
        PresenceMarker a(m_runtime->path(), QStringLiteral("brelvox"));
        PresenceMarker b(m_runtime->path(), QStringLiteral("brelvox"));
        QVERIFY(a.held());
        QVERIFY(b.held());
        const int fd = ::open(QFile::encodeName(a.path()).constData(), O_RDWR);
        QVERIFY(fd >= 0);
        QVERIFY(::flock(fd, LOCK_EX | LOCK_NB) != 0); // the lobby sees a game running
        ::close(fd);
    }
};

QTEST_GUILESS_MAIN(TestInstanceGuard)
#include "test_instanceguard.moc"
