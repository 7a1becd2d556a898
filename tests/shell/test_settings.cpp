// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/conversion.h"
#include "core/inifile.h"
#include "shell/preferences.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace brelvox;

class TestSettings : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString write(const QByteArray &content)
    {
        const QString path = m_dir.filePath(QStringLiteral("ostrellobby.ini"));
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(content);
        return path;
    }

private Q_SLOTS:
    void missingFileGivesDefaults()
    {
        Preferences p;
        p.chatterSounds = false;
        settingsfile::load(IniFile(m_dir.filePath(QStringLiteral("none.ini"))), p);
        QCOMPARE(p.textSize, 8);
        QCOMPARE(p.bounds, QRect(3, 3, 748, 563));
        QCOMPARE(p.textColor, 0u);
        QCOMPARE(p.betweenRounds, 5);
        QCOMPARE(p.botSpeed, 1000);
        QCOMPARE(p.gameType, 1);
        QCOMPARE(p.turnSound, 0);
        QVERIFY(p.playSounds && p.showWordList && p.chatterSounds);
        QVERIFY(p.phrases[0].isEmpty());
    }

    void values_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("expected");
        QTest::newRow("FALSE in capitals keeps sounds") << QByteArray("Playsounds=FALSE") << "playSounds" << 1;
        QTest::newRow("false turns sounds off") << QByteArray("Playsounds=false") << "playSounds" << 0;
        QTest::newRow("word list off") << QByteArray("Showwordlist=false") << "showWordList" << 0;
        QTest::newRow("chatter off") << QByteArray("ChatterSounds=false") << "chatterSounds" << 0;
        QTest::newRow("letters tried on") << QByteArray("Letterstried=true") << "showLettersTried" << 1;
        QTest::newRow("letters tried off by default") << QByteArray("Letterstried=yes") << "showLettersTried" << 0;
        QTest::newRow("bot 750 is normal") << QByteArray("Botspeed=750") << "botSpeed" << 1000;
        QTest::newRow("bot slow") << QByteArray("Botspeed=2000") << "botSpeed" << 2000;
        QTest::newRow("bot fast") << QByteArray("Botspeed=500") << "botSpeed" << 500;
        QTest::newRow("game type 0 is 1") << QByteArray("Gametype=0") << "gameType" << 1;
        QTest::newRow("game type empty is 1") << QByteArray("Gametype=") << "gameType" << 1;
        QTest::newRow("game type 3") << QByteArray("Gametype=3") << "gameType" << 3;
        QTest::newRow("game type 9 names no box") << QByteArray("Gametype=9") << "gameType" << 1;
        QTest::newRow("text size 9") << QByteArray("Textsize=9") << "textSize" << 9;
        QTest::newRow("text size hex") << QByteArray("Textsize=$C") << "textSize" << 12;
        QTest::newRow("text size junk") << QByteArray("Textsize=huge") << "textSize" << 8;
        QTest::newRow("text size too big") << QByteArray("Textsize=99999999") << "textSize" << 14;
        QTest::newRow("text size too small") << QByteArray("Textsize=-3") << "textSize" << 8;
        QTest::newRow("turn sound new") << QByteArray("Turnsound=1") << "turnSound" << 1;
        QTest::newRow("turn sound other") << QByteArray("Turnsound=2") << "turnSound" << 0;
        QTest::newRow("between 10") << QByteArray("Betweenrounds=10") << "betweenRounds" << 10;
        QTest::newRow("between: a freezing pause") << QByteArray("Betweenrounds=999999999") << "betweenRounds" << 3600;
        QTest::newRow("between: below none") << QByteArray("Betweenrounds=-4") << "betweenRounds" << 0;
        QTest::newRow("colour hex") << QByteArray("Textcolor=$00FF8000") << "textColor" << 0xFF8000;
        QTest::newRow("colour junk is black") << QByteArray("Actioncolor=rosy") << "actionColor" << 0;
        QTest::newRow("colour name") << QByteArray("Actioncolor=CLRED") << "actionColor" << 0xFF;
    }
    void values()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, field);
        QFETCH(int, expected);
        Preferences p;
        p.actionColor = 0x123456;
        settingsfile::load(IniFile(write("[Brelvox]\n" + line + "\n")), p);
        const QMap<QString, int> got{
            {QStringLiteral("playSounds"), p.playSounds}, {QStringLiteral("showWordList"), p.showWordList},
            {QStringLiteral("chatterSounds"), p.chatterSounds}, {QStringLiteral("botSpeed"), p.botSpeed},
            {QStringLiteral("gameType"), p.gameType}, {QStringLiteral("textSize"), p.textSize},
            {QStringLiteral("turnSound"), p.turnSound}, {QStringLiteral("betweenRounds"), p.betweenRounds},
            {QStringLiteral("textColor"), int(p.textColor)}, {QStringLiteral("actionColor"), int(p.actionColor)},
            {QStringLiteral("showLettersTried"), p.showLettersTried},
        };
        QCOMPARE(got.value(field, -99), expected);
    }

    void phrases()
    {
        Preferences p;
        settingsfile::load(IniFile(write("[Brelvox]\nPhrase1=Hi all\nPhrase3=\nPhrase9=  Bye  \n")), p);
        QCOMPARE(p.phrases[0], QStringLiteral("Hi all"));
        QVERIFY(p.phrases[2].isEmpty());
        QCOMPARE(p.phrases[8], QStringLiteral("Bye"));
    }

    void badNumberIsToldAfterTheRest_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("betweenRounds");
        QTest::addColumn<int>("gameType");
        QTest::newRow("between rounds") << QByteArray("[Brelvox]\nBetweenrounds=soon\nBotspeed=500\nGametype=2\nTurnsound=1\n")
                                        << "'soon' is not a valid integer value" << 7 << 2;
        QTest::newRow("game type") << QByteArray("[Brelvox]\nBetweenrounds=10\nBotspeed=500\nGametype=x\nTurnsound=1\n")
                                   << "'x' is not a valid integer value" << 10 << 4; // a type is always chosen
        QTest::newRow("both: the first told") << QByteArray("[Brelvox]\nBetweenrounds=a\nBotspeed=500\nGametype=b\nTurnsound=1\n")
                                              << "'a' is not a valid integer value" << 7 << 4;
    }
    // Every key is read, so a later save writes back the player's own values.
    void badNumberIsToldAfterTheRest()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFETCH(int, betweenRounds);
        QFETCH(int, gameType);
        Preferences p;
        p.botSpeed = 2000;
        p.betweenRounds = 7;
        p.gameType = 4;
        p.textSize = 14;
        try {
            settingsfile::load(IniFile(write(content)), p);
            QFAIL("no error");
        } catch (const ConversionError &e) {
            QCOMPARE(e.message(), message);
        }
        QCOMPARE(p.textSize, 8);
        QCOMPARE(p.betweenRounds, betweenRounds);
        QCOMPARE(p.botSpeed, 500);
        QCOMPARE(p.gameType, gameType);
        QCOMPARE(p.turnSound, 1);
    }

    void saveWritesTheOwnedKeysInOrder()
    {
        const QString path = write("");
        IniFile ini(path);
        Preferences p;
        p.textSize = 10;
        p.actionColor = 0xFF8000;
        p.botSpeed = 1000;
        p.chatterSounds = true;
        p.betweenRounds = 10;
        p.phrases[0] = QStringLiteral("never written by save");
        QVERIFY(settingsfile::save(ini, p).isEmpty());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("[Brelvox]\nTextsize=10\nTop=3\nLeft=3\nWidth=748\nHeight=563\n"
                                         "Textcolor=clBlack\nActioncolor=$00FF8000\nBotspeed=1000\nGametype=1\n"
                                         "Playsounds=true\nShowwordlist=true\nTurnsound=0\nChatterSounds=true\n"
                                         "Letterstried=false\n"));
    }

    void anotherProgramsSectionSurvives()
    {
        const QByteArray lobby = "; written by the lobby\r\n[Lobby]\r\nName=Rook\r\nServer=  play.example  \r\n\r\n";
        const QByteArray tail = "[Zeta]\r\nA=1\r\n";
        const QString path = write(lobby + "[BRELVOX]\r\nBetweenrounds=10\r\nBotspeed=750\r\n" + tail);
        IniFile ini(path);
        Preferences p;
        settingsfile::load(ini, p);
        QCOMPARE(p.betweenRounds, 10);
        QVERIFY(settingsfile::save(ini, p).isEmpty());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray after = f.readAll();
        QVERIFY(after.startsWith(lobby));
        QVERIFY(after.endsWith(tail));
        QVERIFY(after.contains("Betweenrounds=10\r\n"));
        QVERIFY(after.contains("Botspeed=1000\r\n"));
        QCOMPARE(after.count("Botspeed="), 1);
    }

    void failedWriteIsReported()
    {
        IniFile ini(m_dir.filePath(QStringLiteral("no/such/folder/x.ini")));
        QCOMPARE(settingsfile::save(ini, Preferences{}),
                 QStringLiteral("Unable to write to %1").arg(m_dir.filePath(QStringLiteral("no/such/folder/x.ini"))));
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
