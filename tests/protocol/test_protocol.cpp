// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/conversion.h"
#include "protocol/catalogue.h"
#include "protocol/commandtable.h"
#include "protocol/fieldreader.h"
#include "protocol/message.h"
#include "protocol/messagesplitter.h"
#include "protocol/receivequeue.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <stdexcept>

using namespace brelvox;

using Pairs = QList<std::pair<QString, QString>>;

class TestProtocol : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void build_data()
    {
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("timeup has trailing plus") << Message(cmd::timeup).add(3).wire() << QByteArray("CMD_timeup+3+\xFF");
        QTest::newRow("seat offer has none") << Message(cmd::sendlogininfo).add(4).wire() << QByteArray("CMD_sendlogininfo+4\xFF");
        QTest::newRow("full without fields") << Message(cmd::full).wire() << QByteArray("CMD_full+\xFF");
        QTest::newRow("impossible") << Message(cmd::impossible).wire() << QByteArray("CMD_impossible+\xFF");
        QTest::newRow("wrongversion") << Message(cmd::wrongversion).wire() << QByteArray("CMD_wrongversion+\xFF");
        QTest::newRow("loadball") << Message(cmd::loadball).add(4).add(QStringLiteral("T")).wire() << QByteArray("CMD_loadball+4+T+\xFF");
        QTest::newRow("login rest name with plus")
            << Message(cmd::logininfo).add(3).add(QStringLiteral("1.0.5")).addRest(QStringLiteral("A+B")).wire()
            << QByteArray("CMD_logininfo+3+1.0.5+A+B\xFF");
        QTest::newRow("relayed sound keeps its own plus")
            << Message(cmd::playasound).add(2).addRest(QStringLiteral("wave3+")).wire() << QByteArray("CMD_playasound+2+wave3+\xFF");
        QTest::newRow("sent sound gets catalogue plus")
            << Message(cmd::playasound).add(2).add(QStringLiteral("wave3")).wire() << QByteArray("CMD_playasound+2+wave3+\xFF");
        QTest::newRow("empty field kept") << Message(cmd::wordlist).add(1).add(1).add(QString()).wire() << QByteArray("CMD_wordlist+1+1+\xFF");
        QTest::newRow("forced plus") << Message(cmd::chat).add(QStringLiteral("x")).trailingPlus().wire() << QByteArray("CMD_chat+x+\xFF");
        QTest::newRow("typed 0xFF letter") << Message(cmd::chat).addRest(QStringLiteral(u"Rook chats: ÿes|clRed")).wire()
                                           << QByteArray("CMD_chat+Rook chats: yes|clRed\xFF");
    }
    void build()
    {
        QFETCH(QByteArray, wire);
        QFETCH(QByteArray, expected);
        QCOMPARE(wire, expected);
        QCOMPARE(wire.count(char(0xFF)), 1);
    }

    void fields()
    {
        FieldReader r(QStringLiteral("3+1.0.5+Ann+the+Bold"));
        QCOMPARE(r.nextInt(), 3);
        QCOMPARE(r.next(), QStringLiteral("1.0.5"));
        QCOMPARE(r.rest(), QStringLiteral("Ann+the+Bold"));
        QCOMPARE(r.next(), QStringLiteral("Ann"));
        QCOMPARE(r.next(), QStringLiteral("the"));
        QCOMPARE(r.next(), QStringLiteral("Bold"));
        QVERIFY(r.atEnd());
        QCOMPARE(r.next(), QString());

        FieldReader empties(QStringLiteral("++x+"));
        QCOMPARE(empties.next(), QString());
        QCOMPARE(empties.next(), QString());
        QCOMPARE(empties.next(), QStringLiteral("x"));
        QVERIFY(empties.atEnd());
    }

    void numberFieldThatIsNot_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::newRow("letters") << "x+1";
        QTest::newRow("empty") << "+1";
        QTest::newRow("blank after") << "2 +1";
    }
    void numberFieldThatIsNot()
    {
        QFETCH(QString, arguments);
        FieldReader r(arguments);
        try {
            r.nextInt();
            QFAIL("no ConversionError");
        } catch (const ConversionError &e) {
            QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(arguments.section(QLatin1Char('+'), 0, 0)));
        }
        QCOMPARE(r.next(), QStringLiteral("1"));
    }

    void pairs_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("skip");
        QTest::addColumn<Pairs>("expected");
        QTest::newRow("scores") << "1+1000+2+1000+3+7" << 0
                                << Pairs{{"1", "1000"}, {"2", "1000"}, {"3", "7"}};
        QTest::newRow("word list with empty rows") << "3+1+HELLO+2++3+" << 1
                                                   << Pairs{{"1", "HELLO"}, {"2", ""}, {"3", ""}};
        QTest::newRow("plus in last value") << "1+A" << 0 << Pairs{{"1", "A"}};
        QTest::newRow("nothing") << "" << 0 << Pairs{{"", ""}};
        QTest::newRow("odd field out") << "1+2+3" << 0 << Pairs{{"1", "2"}, {"3", ""}};
        QTest::newRow("at sign inside") << "1+@+2+x" << 0 << Pairs{{"1", "@"}, {"2", "x"}};
        QTest::newRow("no plus, not at") << "garbage@" << 0 << Pairs{{"garbage@", ""}};
    }
    void pairs()
    {
        QFETCH(QString, arguments);
        QFETCH(int, skip);
        QFETCH(Pairs, expected);
        FieldReader r(arguments);
        for (int i = 0; i < skip; ++i)
            r.next();
        QCOMPARE(r.pairs(), expected);
        QVERIFY(r.atEnd());
    }

    void split_data()
    {
        QTest::addColumn<QList<QByteArray>>("reads");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("pending");
        QTest::newRow("two in one read") << QList<QByteArray>{"CMD_submitted+2+\xFF" "CMD_yourletters+2+f+1+sxcxx+HELLO+\xFF"}
                                         << QStringList{"CMD_submitted+2+", "CMD_yourletters+2+f+1+sxcxx+HELLO+"} << 0;
        QTest::newRow("one over two reads") << QList<QByteArray>{"CMD_chat+1+he", "llo|clRed\xFF"}
                                            << QStringList{"CMD_chat+1+hello|clRed"} << 0;
        QTest::newRow("byte by byte") << QList<QByteArray>{"C", "M", "D", "_", "x", "+", "\xFF"}
                                      << QStringList{"CMD_x+"} << 0;
        QTest::newRow("tail kept") << QList<QByteArray>{"CMD_a+\xFF" "CMD_b", "+1\xFF" "CMD_c"}
                                   << QStringList{"CMD_a+", "CMD_b+1"} << 5;
        QTest::newRow("empty messages") << QList<QByteArray>{"\xFF\xFF"} << QStringList{"", ""} << 0;
        QTest::newRow("1252 text decoded") << QList<QByteArray>{"CMD_chat+Zo\xEB \x80\xFF"}
                                           << QStringList{QStringLiteral(u"CMD_chat+Zoë €")} << 0;
    }
    void split()
    {
        QFETCH(QList<QByteArray>, reads);
        QFETCH(QStringList, messages);
        QFETCH(int, pending);
        MessageSplitter splitter;
        QStringList got;
        for (const QByteArray &read : reads)
            got += splitter.feed(read);
        QCOMPARE(got, messages);
        QCOMPARE(splitter.pending(), qsizetype(pending));
    }

    // A message past the bound is cut to it, the rest dropped up to its 0xFF (bound 10).
    void splitterBound_data()
    {
        QTest::addColumn<QList<QByteArray>>("reads");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("pending");
        QTest::newRow("exactly the bound") << QList<QByteArray>{"CMD_a+6789\xFF"} << QStringList{"CMD_a+6789"} << 0;
        QTest::newRow("cut in one read") << QList<QByteArray>{"CMD_a+6789abc\xFF" "CMD_b+\xFF"}
                                         << QStringList{"CMD_a+6789", "CMD_b+"} << 0;
        QTest::newRow("cut across reads") << QList<QByteArray>{"CMD_a+1\xFF" "0123", "456789xyz", "more", "!\xFF" "ok\xFF"}
                                          << QStringList{"CMD_a+1", "0123456789", "ok"} << 0;
        QTest::newRow("tail held at the bound") << QList<QByteArray>{"CMD_a+1\xFF" "0123456789abcdef"}
                                                << QStringList{"CMD_a+1"} << 10;
    }
    void splitterBound()
    {
        QFETCH(QList<QByteArray>, reads);
        QFETCH(QStringList, messages);
        QFETCH(int, pending);
        MessageSplitter splitter(10);
        QStringList got;
        for (const QByteArray &read : reads)
            got += splitter.feed(read);
        QCOMPARE(got, messages);
        QCOMPARE(splitter.pending(), qsizetype(pending));
    }

    void queue()
    {
        ReceiveQueue q;
        QCOMPARE(q.take().text, QString());
        q.push(QStringLiteral("one"), 1);
        q.push(QStringLiteral("two"), 2);
        q.push(QString(5000, QLatin1Char('a')), 1);
        q.push(QStringLiteral("four"), 2);
        QCOMPARE(q.countFrom(1), 2);
        QCOMPARE(q.countFrom(2), 2);
        QueuedMessage m = q.take();
        QCOMPARE(m.text, QStringLiteral("one"));
        QCOMPARE(m.source, quint64(1));
        QCOMPARE(q.countFrom(1), 1);
        q.removeFrom(2);
        QCOMPARE(q.size(), 1);
        m = q.take();
        QCOMPARE(m.text.size(), ReceiveQueue::kMaxMessageLength);
        QVERIFY(q.isEmpty());
        QCOMPARE(q.countFrom(1), 0);

        // Sources take turns, each in its own order; a newcomer joins the end of the round.
        for (const char *text : {"a1", "a2", "a3"})
            q.push(QString::fromLatin1(text), 1);
        q.push(QStringLiteral("b1"), 2);
        QCOMPARE(q.sourceCount(), 2);
        QStringList order{q.take().text};
        q.push(QStringLiteral("c1"), 3);
        while (!q.isEmpty())
            order << q.take().text;
        QCOMPARE(order, (QStringList{"a1", "b1", "a2", "c1", "a3"}));
    }

    void dispatch_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("handled");
        QTest::addColumn<QString>("seen");
        QTest::newRow("chat") << "CMD_chat+1+a+b|clRed" << true << "chat:1+a+b|clRed@7";
        QTest::newRow("empty arguments") << "CMD_kickhim+" << true << "kick:@7";
        QTest::newRow("no plus") << "CMD_chat" << false << "";
        QTest::newRow("empty name") << "+CMD_chat+1" << false << "";
        QTest::newRow("empty line") << "" << false << "";
        QTest::newRow("case matters") << "cmd_chat+1+x" << false << "";
        QTest::newRow("unknown") << "CMD_bogus+1" << false << "";
        QTest::newRow("listed, no handler yet") << "CMD_myword+1+HELLO+" << false << "";
        QTest::newRow("client command at host") << "CMD_full+" << false << "";
    }
    void dispatch()
    {
        QFETCH(QString, line);
        QFETCH(bool, handled);
        QFETCH(QString, seen);
        CommandTable<int> table(cmd::hostCommands());
        QString got;
        table.bind(cmd::chat, [&](const QString &a, int from) { got = "chat:" + a + "@" + QString::number(from); });
        table.bind(cmd::kickhim, [&](const QString &a, int from) { got = "kick:" + a + "@" + QString::number(from); });
        QVERIFY_THROWS_EXCEPTION(std::logic_error, table.bind(cmd::full, [](const QString &, int) {}));
        QVERIFY(table.isBound(cmd::chat));
        QVERIFY(!table.isBound(cmd::myword));
        QCOMPARE(table.dispatch(line, 7), handled);
        QCOMPARE(got, seen);
    }

    void dispatchLists()
    {
        QCOMPARE(cmd::hostCommands().size(), 8);
        QCOMPARE(cmd::hostCommands().first(), cmd::logininfo);
        QCOMPARE(cmd::hostCommands().last(), cmd::playasound);
        QCOMPARE(cmd::clientCommands().size(), 28);
        QCOMPARE(cmd::clientCommands().at(11), cmd::full);
        QCOMPARE(cmd::clientCommands().last(), cmd::playasound);
        CommandTable<> client(cmd::clientCommands());
        QCOMPARE(client.unbound(), cmd::clientCommands());
        for (const QLatin1StringView name : cmd::clientCommands())
            client.bind(name, [](const QString &) {});
        QVERIFY(client.unbound().isEmpty());
    }

    // The command table of WIRE.md against the catalogue: every command, its direction
    // and its trailing "+".
    void wireDocument()
    {
        QFile file(QStringLiteral(BRELVOX_WIRE_MD));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QRegularExpression row(QStringLiteral("^\\| `(CMD_\\w+)` \\| (host→client|client→host) \\|[^|]*\\| (yes|no) \\|"));
        QSet<QString> toHost;
        QSet<QString> toClient;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            const QRegularExpressionMatch match = row.match(line);
            if (!match.hasMatch())
                continue;
            const QByteArray name = match.captured(1).toLatin1();
            (match.captured(2) == QStringLiteral("client→host") ? toHost : toClient).insert(match.captured(1));
            QVERIFY2((match.captured(3) == QLatin1String("yes")) == cmd::hasTrailingPlus(QLatin1StringView(name)),
                     name.constData());
        }
        auto names = [](const QList<QLatin1StringView> &list) {
            QSet<QString> set;
            for (const QLatin1StringView name : list)
                set.insert(name);
            return set;
        };
        QCOMPARE(toHost, names(cmd::hostCommands()));
        QCOMPARE(toClient, names(cmd::clientCommands()));
    }
};

QTEST_GUILESS_MAIN(TestProtocol)
#include "test_protocol.moc"
