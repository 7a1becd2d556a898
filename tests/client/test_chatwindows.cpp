// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/chatview.h"
#include "client/tphrases.h"
#include "client/spylist.h"
#include "client/tspylist.h"
#include "core/inifile.h"
#include "widgets/dialogs.h"
#include "widgets/flatbutton.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

using namespace brelvox;

class TestChatWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void phraseEditorRoundTrip()
    {
        QTemporaryDir dir;
        IniFile ini(dir.filePath(QStringLiteral("ostrellobby.ini")));
        QWidget board;
        ChatView chat(&board, QRect(0, 0, 372, 226));
        Tphrases editor(&chat, [&](const QString &key, const QString &value) {
            return ini.writeString(QStringLiteral("Brelvox"), key, value);
        });
        editor.open(nullptr);
        QCOMPARE(editor.edit(1)->text(), QStringLiteral("Way To Go!"));
        QCOMPARE(editor.edit(9)->text(), QStringLiteral("Good Game Everyone!"));
        QCOMPARE(editor.edit(1)->maxLength(), 50);
        editor.edit(2)->setText(QStringLiteral("Nice shot"));
        editor.SelButton8Click();
        QVERIFY(editor.isHidden());
        QCOMPARE(chat.phrase(2), QStringLiteral("Nice shot"));
        QCOMPARE(ini.readString(QStringLiteral("Brelvox"), QStringLiteral("Phrase2"), QString()), QStringLiteral("Nice shot"));
        QCOMPARE(ini.readString(QStringLiteral("Brelvox"), QStringLiteral("Phrase1"), QString()), QStringLiteral("Way To Go!"));

        // Closing any other way asks; answered No, the edits go and come back from the buttons.
        int asked = 0;
        dialogs::setHandler([&](dialogs::Kind, const QString &, const QString &) { return ++asked, false; });
        editor.open(nullptr);
        editor.edit(3)->setText(QStringLiteral("dropped"));
        editor.close();
        dialogs::setHandler({});
        QCOMPARE(asked, 1);
        QCOMPARE(chat.phrase(3), QStringLiteral("Nice Try!"));
        editor.open(nullptr);
        QCOMPARE(editor.edit(3)->text(), QStringLiteral("Nice Try!"));
    }

    void phraseEditorReportsAFailedWrite()
    {
        QWidget board;
        ChatView chat(&board, QRect(0, 0, 372, 226));
        int writes = 0;
        Tphrases editor(&chat, [&](const QString &, const QString &) {
            ++writes;
            return false;
        });
        int failures = 0;
        connect(&editor, &Tphrases::writeFailed, this, [&] { ++failures; });
        editor.open(nullptr);
        editor.SelButton8Click();
        QCOMPARE(failures, 1);
        QCOMPARE(writes, 1); // the first failure ends the writing
    }

    void spyListRemovesTheEntryUnderThePointer()
    {
        SpyList entries;
        entries.add(6, QStringLiteral("Ann"));
        Tspylist spies(entries);
        spies.show();
        entries.add(7, QStringLiteral("Rook"));
        entries.add(8, QStringLiteral("Zed"));
        QList<int> kicked;
        spies.setKick([&](int seat) { kicked << seat; });

        spies.list()->setCurrentRow(0);
        const QRect second = spies.list()->visualItemRect(spies.list()->item(1));
        spies.listbox_spysMouseMove(second.center());
        QCOMPARE(spies.hoverIndex(), 1);
        spies.popup_kickhimClick();
        QCOMPARE(kicked, QList<int>{7});

        spies.listbox_spysMouseMove(QPoint(5, spies.list()->viewport()->height() - 2)); // below the entries
        QCOMPARE(spies.hoverIndex(), -1);
        spies.popup_kickhimClick();
        QCOMPARE(kicked, QList<int>{7});
    }

    void spyListEntries()
    {
        SpyList entries;
        Tspylist spies(entries);
        QVERIFY(!spies.removeAction()->isEnabled());
        spies.enableRemoval();
        QVERIFY(spies.removeAction()->isEnabled());
        entries.add(7, QStringLiteral("Rook"));
        entries.add(6, QStringLiteral("Ann"));
        QCOMPARE(spies.list()->item(0)->text(), QStringLiteral("7: Rook"));
        QVERIFY(entries.contains(7, QStringLiteral("rook")));
        QVERIFY(!entries.remove(6, QStringLiteral("Rook")));
        QVERIFY(entries.remove(7, QStringLiteral("Rook")));
        QCOMPARE(spies.list()->item(0)->text(), QStringLiteral("6: Ann"));
        entries.clear();
        QCOMPARE(spies.list()->count(), 0);
        QCOMPARE(spies.windowTitle(), QStringLiteral("Brelvox -Spys"));
    }

    void chatLinesHaveABoldLeadIn_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("bold");
        QTest::newRow("chat") << "Rook chats: hello: there" << "Rook chats:";
        QTest::newRow("no colon") << "Rook waves" << "";
    }
    void chatLinesHaveABoldLeadIn()
    {
        QFETCH(QString, text);
        QFETCH(QString, bold);
        QWidget board;
        ChatView chat(&board, QRect(0, 0, 372, 226));
        chat.addlinetochat(text, 0x0000FF);
        const QTextBlock block = chat.mainchat()->document()->firstBlock();
        QCOMPARE(block.text(), text);
        QString seenBold;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            QCOMPARE(f.charFormat().foreground().color(), QColor(0xFF, 0, 0));
            if (f.charFormat().fontWeight() == QFont::Bold)
                seenBold += f.text();
        }
        QCOMPARE(seenBold, bold);
    }

    void scrollOffKeepsTheViewStill()
    {
        QWidget board;
        board.resize(400, 300);
        ChatView chat(&board, QRect(0, 0, 372, 226));
        board.show();
        for (int i = 0; i < 60; ++i)
            chat.addlinetochat(QStringLiteral("line %1").arg(i), 0);
        QScrollBar *bar = chat.mainchat()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum()); // the view follows new lines
        bar->setValue(5);
        chat.setScrollOff(true);
        chat.addlinetochat(QStringLiteral("quiet"), 0);
        QCOMPARE(bar->value(), 5);
        chat.setScrollOff(false);
        chat.addlinetochat(QStringLiteral("loud"), 0);
        QCOMPARE(bar->value(), bar->maximum());
    }
};

QTEST_MAIN(TestChatWindows)
#include "test_chatwindows.moc"
