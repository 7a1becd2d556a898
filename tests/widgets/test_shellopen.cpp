// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "widgets/shellopen.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace brelvox;

// The real shell layer for programs; links and documents go to the desktop, not tried here.
class TestShellOpen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void programGetsItsParameters_data();
    void programGetsItsParameters();
    void failuresAreFalse();
};

void TestShellOpen::programGetsItsParameters_data()
{
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QByteArray>("seen");
    QTest::newRow("none") << QString() << QByteArray("|"); // printf runs its format once
    QTest::newRow("switches") << "/SP- /silent /noicons" << QByteArray("/SP-|/silent|/noicons|");
    QTest::newRow("quoted") << "\"two words\" x" << QByteArray("two words|x|");
}

void TestShellOpen::programGetsItsParameters()
{
    QFETCH(QString, parameters);
    QFETCH(QByteArray, seen);
    QTemporaryDir dir;
    const QString marker = dir.filePath(QStringLiteral("args"));
    const QString program = dir.filePath(QStringLiteral("prog"));
    QFile f(program);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nprintf '%s|' \"$@\" > args.tmp && mv args.tmp '" + marker.toUtf8() + "'\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);

    QVERIFY(shellOpen(program, parameters, ShellShow::Normal));
    QTRY_VERIFY(QFile::exists(marker));
    QFile out(marker);
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(out.readAll(), seen);
}

void TestShellOpen::failuresAreFalse()
{
    QTemporaryDir dir;
    QVERIFY(!shellOpen(QString()));
    QVERIFY(!shellOpen(dir.filePath(QStringLiteral("missing")), QStringLiteral("/x")));
}

QTEST_GUILESS_MAIN(TestShellOpen)
#include "test_shellopen.moc"
