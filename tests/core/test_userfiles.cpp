// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/userfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace brelvox;

class TestUserFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readOnlyProgramFolderTakesTheFilesAlong_data()
    {
        QTest::addColumn<bool>("configHasSettings");
        QTest::addColumn<QByteArray>("settingsAfter");
        QTest::addColumn<QString>("noticeNames");
        QTest::newRow("first move") << false << QByteArray("own settings") << "ostrellobby.ini, Brelvoxtally.tld";
        QTest::newRow("settings moved before") << true << QByteArray("config settings") << "Brelvoxtally.tld";
    }
    void readOnlyProgramFolderTakesTheFilesAlong()
    {
        QFETCH(bool, configHasSettings);
        QFETCH(QByteArray, settingsAfter);
        QFETCH(QString, noticeNames);
        QTemporaryDir own, root;
        const QString config = root.filePath(QStringLiteral("config/Brelvox"));
        const auto put = [](const QString &path, const QByteArray &bytes) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        put(own.filePath(QStringLiteral("ostrellobby.ini")), "own settings");
        put(own.filePath(QStringLiteral("Brelvoxtally.tld")), "own tally");
        if (configHasSettings) {
            QDir().mkpath(config);
            put(config + QStringLiteral("/ostrellobby.ini"), "config settings");
        }
        QFile::setPermissions(own.path(), QFile::ReadOwner | QFile::ExeOwner);
        QString notice;
        const QString chosen = chooseUserFileDir(own.path(), config, &notice);
        QFile::setPermissions(own.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (chosen == own.path())
            QSKIP("running with rights that ignore folder permissions");
        QCOMPARE(chosen, config);
        QVERIFY2(notice.endsWith(QStringLiteral("Copied there: %1.").arg(noticeNames)), qPrintable(notice));
        QFile settings(config + QStringLiteral("/ostrellobby.ini"));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QCOMPARE(settings.readAll(), settingsAfter);
        QFile tally(config + QStringLiteral("/Brelvoxtally.tld"));
        QVERIFY(tally.open(QIODevice::ReadWrite)); // the player's to change
        QCOMPARE(tally.readAll(), QByteArray("own tally"));
        // Told once: the next start finds both files in place.
        notice.clear();
        QFile::setPermissions(own.path(), QFile::ReadOwner | QFile::ExeOwner);
        QCOMPARE(chooseUserFileDir(own.path(), config, &notice), config);
        QFile::setPermissions(own.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(notice.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestUserFiles)
#include "test_userfiles.moc"
