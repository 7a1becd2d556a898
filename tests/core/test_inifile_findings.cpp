// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
// Files the fuzzer found a write to mishandle: the last line ends in a CR with no LF.
#include "core/inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace brelvox;

class TestIniFileFindings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void danglingCarriageReturn_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QByteArray>("expected");
        // The input the fuzzer kept: a new section after it left "on\r" as the old value.
        QTest::newRow("fuzzer input, new section")
            << QByteArray("[Options]\r\nName=Ann\r\nport=4000\r\n\r\n[Lobby]\r\nSo[ Options ]\n  name = sund = on\r")
            << "players"
            << QByteArray("[Options]\r\nName=Ann\r\nport=4000\r\n\r\n[Lobby]\r\nSo[ Options ]\n  name = sund = on\r\n"
                          "[players]\r\nport=fuzzed value\r\n");
        // The new key was glued after the CR, into the last line.
        QTest::newRow("same section")
            << QByteArray("[Lobby]\nname=on\r") << "Lobby" << QByteArray("[Lobby]\nname=on\r\nport=fuzzed value\n");
        QTest::newRow("section line last") << QByteArray("[Lobby]\r") << "Lobby"
                                           << QByteArray("[Lobby]\r\nport=fuzzed value\n");
        QTest::newRow("lone line end kept") << QByteArray("[Lobby]\nname=on") << "Lobby"
                                            << QByteArray("[Lobby]\nname=on\nport=fuzzed value\n");
    }
    void danglingCarriageReturn()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("shared.ini"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        IniFile ini(path);
        const QString before = ini.readString(QStringLiteral("Lobby"), QStringLiteral("name"), QStringLiteral("<none>"));
        QVERIFY(ini.writeString(section, QStringLiteral("port"), QStringLiteral("fuzzed value")));

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), expected);
        QCOMPARE(ini.readString(section, QStringLiteral("port"), QString()), QStringLiteral("fuzzed value"));
        QCOMPARE(ini.readString(QStringLiteral("Lobby"), QStringLiteral("name"), QStringLiteral("<none>")), before);
    }
};

QTEST_GUILESS_MAIN(TestIniFileFindings)
#include "test_inifile_findings.moc"
