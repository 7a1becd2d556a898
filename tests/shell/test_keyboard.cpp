// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/tgamestart.h"
#include "client/chatview.h"
#include "client/tphrases.h"
#include "core/userfiles.h"
#include "shell/appwindows.h"
#include "shell/tchat.h"
#include "widgets/accessible.h"
#include "widgets/dialogs.h"
#include "widgets/flatpanel.h"
#include "windows/thelp.h"

#include <QAccessible>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace brelvox;

// The game with keys only, through the real windows: every secondary window closes with
// Escape and its buttons are reached with Tab and pressed with a key; the game-options
// dialog is chosen and started from the keyboard; Alt opens the menus.
class TestKeyboard : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<AppWindows> m_app;
    QStringList m_questions;
    bool m_answer = true;

    QWidget *window(const QString &name) const
    {
        if (name == QLatin1String("game start"))
            return m_app->gameStart();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == name || w->windowTitle() == name)
                return w;
        return nullptr;
    }

    // Tab from wherever the focus is until it lands on target; false after a full lap.
    static bool tabTo(QWidget *target)
    {
        for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : target->window(), Qt::Key_Tab);
        return QApplication::focusWidget() == target;
    }

    // As a window manager would: the offscreen platform leaves a hidden window focused, so
    // the main window is activated before another opens. Waits for the window itself: one
    // whose transient parent is active counts as active to qWaitForWindowActive already.
    void showActive(QWidget *w)
    {
        if (!QApplication::activeWindow() && w != m_app->chat())
            showActive(m_app->chat());
        w->show();
        w->raise();
        w->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), w);
    }

private Q_SLOTS:
    void initTestCase()
    {
        setUserFileDir(m_dir.path());
        dialogs::setHandler([this](dialogs::Kind kind, const QString &, const QString &text) {
            if (kind == dialogs::Kind::Question)
                m_questions.append(text);
            return m_answer;
        });
        m_app = std::make_unique<AppWindows>();
        showActive(m_app->chat());
        // The solo game's download window follows the main window on screen; go on solo.
        QWidget *download = window(QStringLiteral("download"));
        QTRY_VERIFY(download->isVisible());
        download->hide();
        showActive(m_app->chat());
    }

    void cleanupTestCase() { m_app.reset(); }

    void init()
    {
        m_questions.clear();
        m_answer = true;
    }

    void secondaryWindows_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button"); // reached with Tab, pressed with Return
        QTest::addColumn<bool>("closes");    // the button closes the window
        QTest::newRow("help: a section") << "help" << "SelButton3" << false;
        QTest::newRow("help: done") << "help" << "button_done" << true;
        QTest::newRow("about") << "about" << "SelButton8" << true;
        QTest::newRow("tally") << "tallylist" << "FlatButton1" << true;
        QTest::newRow("spy list") << "Brelvox -Spys" << "Button1" << true;
        QTest::newRow("phrase list") << "Brelvox - Phrase Buttons" << "SelButton8" << true;
        QTest::newRow("download") << "download" << "Button1" << true;
    }

    void secondaryWindows()
    {
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(bool, closes);
        QWidget *w = this->window(window);
        QVERIFY2(w, qPrintable(window));
        showActive(w);
        auto *b = w->findChild<QPushButton *>(button);
        QVERIFY(b);
        QVERIFY(tabTo(b));
        QTest::keyClick(b, Qt::Key_Return);
        QCOMPARE(w->isVisible(), !closes);
        if (!closes) {
            QCOMPARE(m_app->help()->caption(), QStringLiteral("Game Play"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QVERIFY(!w->isVisible());
        }
        // Opened again, Escape closes it as its close box would.
        showActive(w);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(m_questions, QStringList());
    }

    void gameStartByKeys_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("started"); // the option started with, 0 for none
        QTest::newRow("enter takes the chosen one") << QList<int>{Qt::Key_Return} << 1;
        QTest::newRow("down twice") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Enter} << 3;
        QTest::newRow("up wraps round") << QList<int>{Qt::Key_Up, Qt::Key_Return} << 4;
        QTest::newRow("tab to the start picture")
            << QList<int>{Qt::Key_Right, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space} << 2;
        QTest::newRow("escape cancels") << QList<int>{Qt::Key_Down, Qt::Key_Escape} << 0;
    }

    void gameStartByKeys()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, started);
        Tgamestart *dialog = m_app->gameStart();
        dialog->setChosenType(1);
        QSignalSpy chosen(dialog, &Tgamestart::chosen);
        showActive(m_app->chat());
        dialog->showOver(m_app->chat());
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        QTRY_COMPARE(QApplication::focusWidget(), dialog->findChild<QWidget *>(QStringLiteral("image_1")));
        for (int key : keys)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(chosen.size(), started ? 1 : 0);
        if (started)
            QCOMPARE(chosen.first().first().toInt(), started);
        // A screen reader sees the options as radio buttons, the started one checked.
        for (int n = 1; n <= 4; ++n) {
            QAccessibleInterface *box = QAccessible::queryAccessibleInterface(dialog->findChild<QWidget *>(QStringLiteral("image_%1").arg(n)));
            QCOMPARE(box->role(), QAccessible::RadioButton);
            QCOMPARE(bool(box->state().checked), n == (started ? started : dialog->chosenType()));
        }
    }

    void phraseEditorAsksBeforeLosingEdits_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::newRow("kept") << true;
        QTest::newRow("dropped") << false;
    }

    void phraseEditorAsksBeforeLosingEdits()
    {
        QFETCH(bool, keep);
        m_answer = keep;
        Tphrases *editor = m_app->phrases();
        ChatView *chat = m_app->chat()->chat();
        const QString before = chat->phrase(4);
        showActive(m_app->chat());
        editor->open(m_app->chat());
        QTRY_COMPARE(QApplication::activeWindow(), editor);
        QLineEdit *edit = editor->edit(4);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Nice shot"));
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!editor->isVisible());
        QCOMPARE(m_questions.size(), 1);
        QCOMPARE(chat->phrase(4), keep ? QStringLiteral("Nice shot") : before);
        chat->setPhrase(4, before);
    }

    // A seat's menu (remove, just watch) is reached with Tab and opened from the keyboard.
    void seatMenuByKeys()
    {
        Tchat *chat = m_app->chat();
        showActive(chat);
        QWidget *seat = chat->board()->findChild<QWidget *>(QStringLiteral("label_playername2"));
        QVERIFY(tabTo(seat));
        auto *menu = chat->board()->findChild<QMenu *>(QStringLiteral("popup_kick"));
        // The Menu key as the X11 platform turns it into an event (offscreen has none).
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(2, 2));
        QApplication::sendEvent(seat, &key);
        QTRY_VERIFY(menu->isVisible());
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());
    }

    // Alt+F opens File from the chat line; no "f" lands in the line.
    void altLetterOpensTheMenu()
    {
        Tchat *chat = m_app->chat();
        showActive(chat);
        QLineEdit *entry = chat->chat()->mychat();
        entry->setFocus();
        entry->setText(QStringLiteral("hi"));
        QMenu *file = chat->menuBar()->actions().first()->menu();
        QTest::keyClick(entry, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(file->isVisible());
        QTest::keyClick(file, Qt::Key_Escape);
        QTest::keyClick(entry, Qt::Key_Q, Qt::AltModifier); // no menu has Q
        QCOMPARE(entry->text(), QStringLiteral("hi"));
        QCOMPARE(file->title(), QStringLiteral("&File"));
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
