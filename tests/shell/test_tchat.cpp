// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/letterstriedpanel.h"
#include "client/chatview.h"
#include "client/clientsession.h"
#include "core/userfiles.h"
#include "shell/appwindows.h"
#include "shell/lobbylink.h"
#include "shell/tchat.h"
#include "sound/recordingsoundsink.h"
#include "sound/soundplayer.h"
#include "widgets/dialogs.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace brelvox;

namespace {
QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestTchat : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_boxes;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        setUserFileDir(m_dir->path());
        m_boxes.clear();
        dialogs::setHandler([this](dialogs::Kind, const QString &, const QString &text) {
            m_boxes << text;
            return true;
        });
    }
    void cleanup() { dialogs::setHandler({}); }

    void mainWindowFrame()
    {
        Tchat w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Brelvox"));
        QCOMPARE(w.board()->objectName(), QStringLiteral("panel_board"));
        QCOMPARE(w.board()->geometry(), QRect(4, 4, 732, 511));
        for (int seat = 1; seat <= 5; ++seat) {
            auto *label = w.findChild<QLabel *>(QStringLiteral("label_playername%1").arg(seat));
            QVERIFY(label);
            QCOMPARE(label->text(), QStringLiteral("<Waiting>"));
            QCOMPARE(label->property("tag").toInt(), seat);
        }
        QCOMPARE(w.findChild<QLabel *>(QStringLiteral("label_status"))->text(),
                 QStringLiteral("Welcome to Brelvox by Ostrel Software!"));
        QVERIFY(w.findChild<QWidget *>(QStringLiteral("button_start"))->isHidden());
        QCOMPARE(w.windowBounds(), QRect(3, 3, 748, 563));
        QCOMPARE(qobject_cast<FlatPanel *>(w.centralWidget())->color(), QColor(0xA7, 0x87, 0x58));
        QCOMPARE(applicationIcon().pixmap(QSize(256, 256)).size(), QSize(256, 256)); // main() sets it
    }

    void menus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<int>("tag");
        QTest::newRow("start") << "StartGame1" << "Start Game" << false << false << "" << 0;
        QTest::newRow("exit") << "Exit1" << "Exit" << false << true << "" << 0;
        QTest::newRow("sounds") << "PlaySounds1" << "Play Sounds" << true << true << "" << 0;
        QTest::newRow("chatter") << "PlayChatterSounds1" << "Play Chatter Sounds" << false << true << "" << 0;
        QTest::newRow("classic") << "Classic1" << "Classic" << true << true << "" << 0;
        QTest::newRow("new") << "New1" << "New" << false << true << "" << 1;
        QTest::newRow("slow") << "Slow1" << "Slow" << false << true << "" << 2000;
        QTest::newRow("normal") << "Normal1" << "Normal" << true << true << "" << 1000;
        QTest::newRow("fast") << "Fast1" << "Fast" << false << true << "" << 500;
        QTest::newRow("short") << "Short1" << "Short" << true << true << "" << 5;
        QTest::newRow("long") << "Long1" << "Long" << false << true << "" << 10;
        QTest::newRow("word list") << "ShowWordList1" << "Show Word List" << true << true << "" << 0;
        QTest::newRow("text colour") << "TextColor1" << "Text Color" << false << true << "" << 0;
        QTest::newRow("action colour") << "ActionColor1" << "Action Color" << false << true << "" << 0;
        QTest::newRow("size 8") << "N8" << "8" << false << true << "" << 8;
        QTest::newRow("size 14") << "N14" << "14" << false << true << "" << 14;
        QTest::newRow("scroll off") << "ScrollChatOff1" << "Scroll Chat Off" << false << true << "Ctrl+S" << 0;
        QTest::newRow("clear") << "ClearMainChat1" << "Clear Main Chat" << false << true << "" << 0;
        QTest::newRow("reset") << "ResetScreenLocation1" << "Reset Screen Location" << false << true << "" << 0;
        QTest::newRow("just watch") << "JustWatch1" << "Just Watch" << false << true << "" << 0;
        QTest::newRow("tally") << "ViewTally1" << "View Tally" << false << true << "" << 0;
        QTest::newRow("spy list") << "SpyList1" << "Spy List" << false << true << "" << 0;
        QTest::newRow("phrases") << "PrhaseList1" << "Phrase List" << false << true << "" << 0;
        QTest::newRow("letters tried") << "LettersTried1" << "Letters Tried" << false << true << "" << 0;
        QTest::newRow("content") << "Help2" << "Content" << false << true << "F1" << 0;
        QTest::newRow("about") << "About1" << "About" << false << true << "" << 0;
        QTest::newRow("turn sound group") << "TurnSound1" << "Turn Sound" << false << true << "" << 0;
        QTest::newRow("between rounds group") << "TimeBetweenRounds1" << "Time Between Rounds" << false << true << "" << 5;
    }
    void menus()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, checked);
        QFETCH(bool, enabled);
        QFETCH(QString, shortcut);
        QFETCH(int, tag);
        Tchat w;
        auto *a = w.findChild<QAction *>(name);
        QVERIFY(a);
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->isChecked(), checked);
        QCOMPARE(a->isEnabled(), enabled);
        QCOMPARE(a->shortcut().toString(), shortcut);
        QCOMPARE(a->data().toInt(), tag);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("params");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("calls");
        QTest::addColumn<bool>("host");
        QTest::addColumn<bool>("lobby");
        QTest::addColumn<QString>("name");
        QTest::newRow("solo") << QStringList{} << "Loading Solo Game..Please wait."
                              << "download,listen,connect 127.0.0.1,hosting" << true << false << "You";
        QTest::newRow("host") << QStringList{"Rook", "10.0.0.5", "true"} << "Loading Multi-player Game.. Please Wait."
                              << "listen,connect 127.0.0.1,hosting" << true << true << "Rook";
        QTest::newRow("True joins") << QStringList{"Rook", "10.0.0.5", "True"} << "Loading Multi-player Game.. Please Wait."
                                    << "connect 10.0.0.5" << false << true << "Rook";
        QTest::newRow("extra ignored") << QStringList{"Ann", "10.0.0.6", "false", "x", "y"}
                                       << "Loading Multi-player Game.. Please Wait." << "connect 10.0.0.6" << false << true << "Ann";
        QTest::newRow("two params") << QStringList{"Rook", "10.0.0.5"} << "Loading Multi-player Game.. Please Wait."
                                    << "" << false << false << "";
        QTest::newRow("one param") << QStringList{"Rook"} << "Loading Multi-player Game.. Please Wait." << "" << false << false << "";
        const QString loading = QStringLiteral("Loading Multi-player Game.. Please Wait.");
        const auto join = [&](const char *row, const QString &address, const QString &calls, const QString &said = {}) {
            QTest::newRow(row) << QStringList{"Ann", address, "false"} << (said.isEmpty() ? loading : loading + '\n' + said)
                               << calls << false << true << "Ann";
        };
        join("name and port", "game.example.org:7800", "connect game.example.org port 7800");
        join("IPv6 and port", "[2001:db8::5]:7800", "connect 2001:db8::5 port 7800");
        join("bracketed IPv6", "[::1]", "connect ::1");
        join("bare IPv6", "fe80::1", "connect fe80::1");
        for (const char *bad : {"10.0.0.5:", "10.0.0.5:0", "10.0.0.5:65536", "10.0.0.5:+80", ":7800", "[::1]7800", "[::1"})
            join(bad, bad, "", "Not a host address: " + QString::fromLatin1(bad) + ". Give HOST, HOST:PORT or [IPv6]:PORT.");
    }
    void commandLine()
    {
        QFETCH(QStringList, params);
        QFETCH(QString, line);
        QFETCH(QString, calls);
        QFETCH(bool, host);
        QFETCH(bool, lobby);
        QFETCH(QString, name);
        Tchat w;
        QStringList seen;
        connect(&w, &Tchat::hostingRequested, this, [&] { seen << QStringLiteral("listen"); });
        connect(&w, &Tchat::connectRequested, this, [&](const QString &address, quint16 port) {
            seen << QStringLiteral("connect ") + address + (port ? QStringLiteral(" port %1").arg(port) : QString());
        });
        connect(&w, &Tchat::downloadRequested, this, [&] { seen << QStringLiteral("download"); });
        connect(&w, &Tchat::hostingStarted, this, [&] { seen << QStringLiteral("hosting"); });
        w.processparams(params);
        QCOMPARE(w.chat()->mainchat()->toPlainText(), line);
        QCOMPARE(seen.join(QLatin1Char(',')), calls);
        QCOMPARE(w.state().host, host);
        QCOMPARE(w.lobbyLink()->isOpened(), lobby);
        QCOMPARE(w.state().loginName, name);
        QCOMPARE(!w.startButton()->isHidden(), host);
        QCOMPARE(w.action("StartGame1")->isEnabled(), host);
    }

    void lobbyLinkConnects()
    {
        QTcpServer lobby;
        QVERIFY(lobby.listen(QHostAddress::LocalHost));
        LobbyLink link;
        link.open(lobby.serverPort());
        QVERIFY(lobby.waitForNewConnection(5000));
        link.open(lobby.serverPort()); // opened once only
        QVERIFY(!lobby.waitForNewConnection(200));
    }

    void resizeSnapsToTheBoard()
    {
        Tchat w;
        w.resize(300, 200);
        QVERIFY(w.width() >= 740);
        QVERIFY(w.height() - w.menuBar()->sizeHint().height() >= 517);
    }

    void closeSavesOnlyAfterAMove()
    {
        const QString ini = userFilePath(QStringLiteral("ostrellobby.ini"));
        {
            Tchat w;
            w.loadinifile();
            w.close();
        }
        QVERIFY(!QFile::exists(ini));
        {
            Tchat w;
            w.loadinifile();
            w.move(50, 60);
            w.close();
        }
        const QByteArray saved = fileBytes(ini);
        QVERIFY(saved.contains("Left=50\n"));
        QVERIFY(saved.contains("Top=60\n"));
        QVERIFY(m_boxes.isEmpty());
    }

    void closeShrinksToTheWorkArea()
    {
        Tchat w;
        w.loadinifile();
        const QRect work = w.screen()->availableGeometry();
        w.setWindowBounds(QRect(3, 3, work.width() + 100, work.height() + 100));
        const QRect before = w.windowBounds();
        w.close();
        QCOMPARE(w.storedBounds().height(), before.height() - 15);
        QCOMPARE(w.storedBounds().width(), before.width() - 15);
        QVERIFY(fileBytes(userFilePath(QStringLiteral("ostrellobby.ini")))
                    .contains(QByteArray("Height=").append(QByteArray::number(before.height() - 15)).append('\n')));
    }

    void closeWithoutTheSettingsLeavesThem()
    {
        const QByteArray own("[Brelvox]\nTextsize=12\nTextcolor=clRed\nBotspeed=2000\nPlaysounds=false\n");
        QFile f(userFilePath(QStringLiteral("ostrellobby.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(own);
        f.close();
        {
            Tchat w;
            w.processparams({QStringLiteral("Rook"), QStringLiteral("10.0.0.5")}); // waits, never seated
            w.move(40, 50);
            w.close();
        }
        QCOMPARE(fileBytes(f.fileName()), own);
    }

    void hostileBoundsFitTheWorkArea_data()
    {
        QTest::addColumn<QByteArray>("keys");
        QTest::newRow("huge") << QByteArray("Width=99999999\nHeight=99999999\n");
        QTest::newRow("far right and down") << QByteArray("Left=500000\nTop=400000\n");
        QTest::newRow("far left and up") << QByteArray("Left=-99999999\nTop=-99999999\n");
    }
    void hostileBoundsFitTheWorkArea()
    {
        QFETCH(QByteArray, keys);
        QFile f(userFilePath(QStringLiteral("ostrellobby.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Brelvox]\n" + keys);
        f.close();
        Tchat w;
        w.loadinifile();
        const QRect work = w.screen()->availableGeometry();
        QVERIFY2(work.contains(w.windowBounds()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                  .arg(w.windowBounds().x())
                                                                  .arg(w.windowBounds().y())
                                                                  .arg(w.windowBounds().width())
                                                                  .arg(w.windowBounds().height())));
    }

    // The host seating this copy loads the settings; a bad number there is shown and the
    // arrival still happens, and the game type written later is one of the four.
    void badValueLetsTheArrivalGoOn_data()
    {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QString>("box");
        QTest::newRow("between rounds") << QByteArray("Betweenrounds=abc\n") << "'abc' is not a valid integer value.";
        QTest::newRow("game type") << QByteArray("Gametype=x\n") << "'x' is not a valid integer value.";
    }
    void badValueLetsTheArrivalGoOn()
    {
        QFETCH(QByteArray, keys);
        QFETCH(QString, box);
        QFile f(userFilePath(QStringLiteral("ostrellobby.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Brelvox]\n" + keys);
        f.close();
        Tchat w;
        w.sounds()->setSink(std::make_unique<RecordingSoundSink>());
        w.state().ownSeat = 1;
        w.session()->receivedlist().push(QStringLiteral("CMD_newplayerinfo+1+Rook"));
        w.session()->processsocktimer();
        QCOMPARE(m_boxes, QStringList{box});
        QCOMPARE(w.seatLabel(1)->text(), QStringLiteral("Rook"));
        QCOMPARE(static_cast<RecordingSoundSink *>(w.sounds()->sink())->played(), QStringList{"entered"});
        w.action("Fast1")->trigger();
        QVERIFY(fileBytes(f.fileName()).contains("Gametype=1\n"));
    }

    void loadAppliesToTheMenus()
    {
        QFile f(userFilePath(QStringLiteral("ostrellobby.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Brelvox]\nTextsize=10\nLeft=20\nTop=30\nBotspeed=2000\nTurnsound=1\nBetweenrounds=10\n"
                "Playsounds=false\nPhrase2=Hello there\nGametype=3\nTextcolor=clRed\n");
        f.close();
        Tchat w;
        w.loadinifile();
        QVERIFY(w.action("N10")->isChecked());
        QVERIFY(!w.action("N8")->isChecked());
        QVERIFY(w.action("Slow1")->isChecked());
        QVERIFY(!w.action("Normal1")->isChecked());
        QCOMPARE(w.botSpeed(), 2000);
        QVERIFY(w.action("New1")->isChecked());
        QCOMPARE(w.turnSound(), 1);
        QVERIFY(w.action("Long1")->isChecked());
        QCOMPARE(w.betweenRounds(), 10);
        QVERIFY(!w.action("PlaySounds1")->isChecked());
        QVERIFY(w.action("PlayChatterSounds1")->isChecked());
        QCOMPARE(w.chat()->phrase(2), QStringLiteral("Hello there"));
        QCOMPARE(w.chat()->phrase(3), QStringLiteral("Nice Try!"));
        QCOMPARE(w.chosenGameType(), 3);
        QCOMPARE(w.chat()->ownColor(), 0xFFu);
        QCOMPARE(w.pos(), QPoint(20, 30));
        QCOMPARE(w.chat()->textSize(), 10);
    }

    void textSizeWithoutItemTicksNothing()
    {
        Tchat w;
        w.action("N12")->trigger();
        QFile f(userFilePath(QStringLiteral("ostrellobby.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("[Brelvox]\nTextsize=9\n");
        f.close();
        w.loadinifile();
        QCOMPARE(w.chat()->textSize(), 9);
        for (const char *n : {"N8", "N10", "N12", "N14"})
            QVERIFY(!w.action(n)->isChecked());
    }

    void badValueIsShownAndTheOtherKeysApplied()
    {
        QFile f(userFilePath(QStringLiteral("ostrellobby.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Brelvox]\nTextsize=12\nBetweenrounds=ten\nBotspeed=500\n");
        f.close();
        Tchat w;
        dialogs::guarded([&] { w.loadinifile(); });
        QCOMPARE(m_boxes, QStringList{QStringLiteral("'ten' is not a valid integer value.")});
        QVERIFY(w.action("N12")->isChecked());
        QCOMPARE(w.botSpeed(), 500);
    }

    void menuChoicesAreSaved()
    {
        Tchat w;
        w.action("Fast1")->trigger();
        QVERIFY(w.action("Fast1")->isChecked());
        QVERIFY(!w.action("Normal1")->isChecked());
        QVERIFY(fileBytes(userFilePath(QStringLiteral("ostrellobby.ini"))).contains("Botspeed=500\n"));
        w.action("PlaySounds1")->trigger();
        QVERIFY(fileBytes(userFilePath(QStringLiteral("ostrellobby.ini"))).contains("Playsounds=false\n"));
        w.action("Long1")->trigger();
        QCOMPARE(w.betweenRounds(), 10);
        QVERIFY(fileBytes(userFilePath(QStringLiteral("ostrellobby.ini"))).contains("Betweenrounds=10\n"));
    }

    void lettersTriedFollowsTheMenuAndIsKept()
    {
        const QString ini = userFilePath(QStringLiteral("ostrellobby.ini"));
        {
            Tchat w;
            QVERIFY(!w.lettersTried()->isVisibleTo(w.board()));
            w.action("LettersTried1")->trigger();
            QVERIFY(w.lettersTried()->isVisibleTo(w.board()));
            QVERIFY(fileBytes(ini).contains("Letterstried=true\n"));
        }
        Tchat w;
        w.loadinifile();
        QVERIFY(w.action("LettersTried1")->isChecked());
        QVERIFY(w.lettersTried()->isVisibleTo(w.board()));
        // Its "X" is the menu item's other half.
        QTest::mouseClick(w.lettersTried()->findChild<QWidget *>(QStringLiteral("button_closeletterstried")),
                          Qt::LeftButton);
        QVERIFY(!w.lettersTried()->isVisibleTo(w.board()));
        QVERIFY(!w.action("LettersTried1")->isChecked());
        QVERIFY(fileBytes(ini).contains("Letterstried=false\n"));
    }

    void failedSaveIsReported()
    {
        setUserFileDir(m_dir->filePath(QStringLiteral("gone/deeper")));
        Tchat w;
        w.action("Slow1")->trigger();
        QCOMPARE(m_boxes, QStringList{QStringLiteral("Unable to write to %1.").arg(w.settingsPath())});
    }

    void resetScreenLocation()
    {
        Tchat w;
        w.setWindowBounds(QRect(100, 120, 900, 700));
        w.ResetScreenLocation1Click();
        QCOMPARE(w.windowBounds(), QRect(3, 3, 748, 563));
        QVERIFY(!QFile::exists(w.settingsPath()));
    }
};

QTEST_MAIN(TestTchat)
#include "test_tchat.moc"
