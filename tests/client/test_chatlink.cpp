// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/chatlink.h"

#include <QTest>

using namespace brelvox;

class TestChatLink : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The pointer rests on the character marked by "^" in the line under the text.
    void findsTheLinkUnderThePointer_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pointer");
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("start");

        QTest::newRow("http") << "Rook chats: see http://x.org now" << "                    ^" << "http://x.org" << 16;
        QTest::newRow("on the prefix") << "http://x.org" << "^" << "http://x.org" << 0;
        QTest::newRow("ftp") << "ftp://files.example" << "         ^" << "ftp://files.example" << 0;
        QTest::newRow("file") << "file://c/games/" << "   ^" << "file://c/games/" << 0;
        QTest::newRow("gopher") << "gopher://hole" << "           ^" << "gopher://hole" << 0;
        QTest::newRow("telnet") << "at telnet://bbs:23" << "          ^" << "telnet://bbs:23" << 3;
        QTest::newRow("news") << "news:comp.games" << "      ^" << "news:comp.games" << 0;
        QTest::newRow("mailto") << "mailto:rook@example.org" << "  ^" << "mailto:rook@example.org" << 0;
        QTest::newRow("www") << "go www.example.com" << "       ^" << "www.example.com" << 3;
        QTest::newRow("trailing full stop") << "see www.example.com." << "        ^" << "www.example.com" << 4;
        QTest::newRow("trailing marks") << "(http://x.org/a?)!" << "    ^" << "http://x.org/a" << 1;
        QTest::newRow("own case kept") << "HTTP://Example.COM/Path" << "       ^" << "HTTP://Example.COM/Path" << 0;
        QTest::newRow("ends in slash") << "http://x.org/" << "   ^" << "http://x.org/" << 0;
        QTest::newRow("prefix inside the word") << "link:www.a.org" << "^" << "www.a.org" << 5;
        QTest::newRow("listed order decides") << "www.a.org/http://b" << "^" << "http://b" << 10;
        QTest::newRow("second line") << "hello\nwww.b.org" << "        ^" << "www.b.org" << 6;
        QTest::newRow("line ends in CR") << "www.c.org\r\nnext" << "  ^" << "www.c.org" << 0;

        QTest::newRow("no prefix") << "Rook chats: hello there" << "             ^" << "" << -1;
        QTest::newRow("prefix alone") << "http://" << "  ^" << "" << -1;
        QTest::newRow("prefix and marks") << "http://..." << "  ^" << "" << -1;
        QTest::newRow("news without more") << "Good news: all" << "     ^" << "" << -1;
        QTest::newRow("on the blank") << "see www.x.org" << "   ^" << "" << -1;
        QTest::newRow("another word") << "www.x.org hello" << "            ^" << "" << -1;
    }
    void findsTheLinkUnderThePointer()
    {
        QFETCH(QString, text);
        QFETCH(QString, pointer);
        QFETCH(QString, link);
        QFETCH(int, start);
        const ChatLink found = findLink(text, pointer.indexOf(QLatin1Char('^')));
        QCOMPARE(found.text, link);
        QCOMPARE(found.start, qsizetype(start));
        QCOMPARE(found.isValid(), !link.isEmpty());
        if (found.isValid())
            QCOMPARE(text.mid(found.start, found.text.size()), link);
    }

    void outsideTheTextIsNoLink_data()
    {
        QTest::addColumn<int>("position");
        QTest::newRow("at the end") << 9;
        QTest::newRow("past the end") << 40;
        QTest::newRow("before the start") << -1;
    }
    void outsideTheTextIsNoLink()
    {
        QFETCH(int, position);
        QVERIFY(!findLink(QStringLiteral("www.x.org"), position).isValid());
        QVERIFY(!findLink(QString(), position).isValid());
    }
};

QTEST_GUILESS_MAIN(TestChatLink)
#include "test_chatlink.moc"
