// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/cp1252.h"
#include "protocol/wiretext.h"

#include <QTest>

using namespace brelvox;

class TestWireText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void codePage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QStringLiteral("CMD_chat+Rook|clRed") << QByteArray("CMD_chat+Rook|clRed");
        QTest::newRow("latin-1 letters") << QStringLiteral(u"Zoë Ærø") << QByteArray("Zo\xEB \xC6r\xF8");
        QTest::newRow("euro and quotes") << QStringLiteral(u"€ “hi” …") << QByteArray("\x80 \x93hi\x94 \x85");
        QTest::newRow("1252 letters") << QStringLiteral(u"ŠšŽžŒœŸ") << QByteArray("\x8A\x9A\x8E\x9E\x8C\x9C\x9F");
        QTest::newRow("unassigned codes pass") << QString(QChar(0x81)) + QChar(0x9D) << QByteArray("\x81\x9D");
    }
    void codePage()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(wire::encode(text), bytes);
        QCOMPARE(wire::decode(bytes), text);
        QCOMPARE(toCp1252(text), bytes);
        QCOMPARE(fromCp1252(bytes), text);
    }

    // What the code page lacks is replaced, and nothing typed becomes the terminator.
    void lossy_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        // The settings file shares the code page but keeps 0xFF.
        QTest::addColumn<QByteArray>("settingsBytes");
        QTest::newRow("y diaeresis is not 0xFF") << QStringLiteral(u"Kÿra") << QByteArray("Kyra") << QByteArray("K\xFFra");
        QTest::newRow("cyrillic") << QStringLiteral(u"Дa") << QByteArray("?a") << QByteArray("?a");
        QTest::newRow("emoji is one mark") << QStringLiteral(u"a😀b") << QByteArray("a?b") << QByteArray("a?b");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?") << QByteArray("?");
        QTest::newRow("pair, then a lone low half")
            << QStringLiteral(u"€😀") + QChar(0xDE00) << QByteArray("\x80??") << QByteArray("\x80??");
    }
    void lossy()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, settingsBytes);
        const QByteArray encoded = wire::encode(text);
        QCOMPARE(encoded, bytes);
        QCOMPARE(toCp1252(text), settingsBytes);
        QVERIFY(!encoded.contains(wire::kTerminator));
        QCOMPARE(wire::sanitized(text), wire::decode(bytes));
    }

    void everyCharacterIsWireSafe()
    {
        for (char32_t c = 0; c < 0x10000; ++c) {
            if (QChar::isSurrogate(c))
                continue;
            const QByteArray b = wire::encode(QString(QChar(char16_t(c))));
            QCOMPARE(b.size(), 1);
            QVERIFY2(b[0] != wire::kTerminator, qPrintable(QString::number(uint(c), 16)));
        }
    }
};

QTEST_GUILESS_MAIN(TestWireText)
#include "test_wiretext.moc"
