// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/guesstail.h"
#include "client/chatview.h"
#include "client/clientsession.h"
#include "client/colorchooser.h"
#include "client/seatmenu.h"
#include "client/spylist.h"
#include "client/tspylist.h"
#include "core/inifile.h"
#include "core/userfiles.h"
#include "host/defaulthostoptions.h"
#include "host/tserver.h"
#include "net/tsock.h"
#include "protocol/catalogue.h"
#include "protocol/message.h"
#include "protocol/wiretext.h"
#include "shell/tchat.h"
#include "sound/recordingsoundsink.h"
#include "sound/soundplayer.h"
#include "support/typing.h"
#include "widgets/dialogs.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"
#include "widgets/shellopen.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QAccessible>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

using namespace brelvox;

namespace {

// Stands in for the host: takes the window's connection and keeps every message it sends.
// Bound for waits on the loopback link: generous, as a loaded machine may be slow.
constexpr int kLinkWaitMs = 30000;

class LoopbackHost
{
public:
    explicit LoopbackHost(Tchat &w)
        : m_w(w)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        w.session()->setPort(m_server.serverPort());
        w.session()->open(QStringLiteral("127.0.0.1"));
    }

    bool connected()
    {
        return QTest::qWaitFor([&] {
            if (!m_peer && m_server.hasPendingConnections())
                m_peer = m_server.nextPendingConnection();
            return m_peer && m_w.session()->sock()->isConnected();
        }, kLinkWaitMs);
    }

    // Everything sent since the last call: the window sends a fence of its own after the
    // actions under test, so what came before it is all they sent.
    QList<QByteArray> sent()
    {
        const QByteArray fence = Message(cmd::startgame).add(QStringLiteral("fence")).wire();
        const bool loggedIn = m_w.state().loggedIn;
        m_w.state().loggedIn = true;
        m_w.session()->send(Message(cmd::startgame).add(QStringLiteral("fence")));
        m_w.state().loggedIn = loggedIn;
        const bool fenced = QTest::qWaitFor([&] {
            m_bytes += m_peer->readAll();
            return m_bytes.endsWith(fence);
        }, kLinkWaitMs);
        QList<QByteArray> out;
        if (!fenced)
            return {QByteArray("<fence never came>")};
        for (const QByteArray &m : m_bytes.left(m_bytes.size() - fence.size()).split(char(0xFF)))
            if (!m.isEmpty())
                out << m;
        m_bytes.clear();
        return out;
    }

private:
    Tchat &m_w;
    QTcpServer m_server;
    QTcpSocket *m_peer = nullptr;
    QByteArray m_bytes;
};

QList<QByteArray> bytes(std::initializer_list<const char *> list)
{
    QList<QByteArray> out;
    for (const char *m : list)
        out << QByteArray(m);
    return out;
}

void receive(Tchat &w, const QString &line)
{
    w.session()->receivedlist().push(line);
    w.session()->processsocktimer();
}

QTextBlock lastLine(Tchat &w)
{
    return w.chat()->mainchat()->document()->lastBlock();
}

QString boldPart(const QTextBlock &block)
{
    QString bold;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().fontWeight() == QFont::Bold)
            bold += it.fragment().text();
    return bold;
}

// The one colour the line is drawn in; invalid when its pieces differ.
QColor lineColor(const QTextBlock &block)
{
    QColor color;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QColor c = it.fragment().charFormat().foreground().color();
        if (color.isValid() && c != color)
            return QColor();
        color = c;
    }
    return color;
}

QPoint pointOver(QTextEdit *view, int position)
{
    QTextCursor c(view->document());
    c.setPosition(position);
    const QRect r = view->cursorRect(c);
    return QPoint(r.left() + 2, r.center().y());
}

void mouse(QWidget *viewport, QEvent::Type type, const QPoint &pos, Qt::MouseButton button = Qt::NoButton)
{
    QMouseEvent e(type, pos, viewport->mapToGlobal(pos), button, type == QEvent::MouseMove ? Qt::NoButton : button,
                  Qt::NoModifier);
    QApplication::sendEvent(viewport, &e);
}

} // namespace

class TestChat : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_boxes;
    QStringList m_opened;

    // The main window as a seated player sees it, with its connection to a loopback host.
    std::unique_ptr<Tchat> seated(int seat = 1, bool host = true)
    {
        auto w = std::make_unique<Tchat>();
        w->show(); // a solo game starts on show; the test says who this copy is below
        w->state().host = host;
        w->state().ownSeat = seat;
        w->state().loggedIn = true;
        w->sounds()->setSink(std::make_unique<RecordingSoundSink>());
        return w;
    }
    // Connected to its host and the active window, as a player at the table has it.
    static bool activeOnHost(Tchat &w, LoopbackHost &host)
    {
        if (!host.connected())
            return false;
        w.activateWindow();
        return QTest::qWaitForWindowActive(&w);
    }
    // Ball 4 with this first letter on the table, and seat 1's row open.
    static void openOwnRow(Tchat &w, const QString &firstLetter)
    {
        receive(w, QStringLiteral("CMD_loadball+4+%1+").arg(firstLetter));
        receive(w, QStringLiteral("CMD_nextplayer+1+1+"));
    }
    static RecordingSoundSink *sink(Tchat &w) { return static_cast<RecordingSoundSink *>(w.sounds()->sink()); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        setUserFileDir(m_dir->path());
        m_boxes.clear();
        m_opened.clear();
        dialogs::setHandler([this](dialogs::Kind, const QString &, const QString &text) {
            m_boxes << text;
            return true;
        });
        setShellOpenHandler([this](const QString &target, const QString &, ShellShow) {
            m_opened << target;
            return true;
        });
        setColorChooser([](ColorRef *) { return false; });
    }
    void cleanup()
    {
        dialogs::setHandler({});
        setShellOpenHandler({});
        setColorChooser({});
        QCOMPARE(m_boxes, QStringList());
    }

    // What the host relays for a chat or action line, and how the line is shown.
    void receivedLines_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("bold");
        QTest::addColumn<QColor>("color");
        QTest::newRow("chat") << "CMD_chat+Rook chats: hello|clBlue" << "Rook chats: hello" << "Rook chats:" << QColor(0, 0, 0xFF);
        QTest::newRow("chat with a colon") << "CMD_chat+Rook chats: at 10:30|clGreen" << "Rook chats: at 10:30"
                                           << "Rook chats:" << QColor(0, 0x80, 0);
        QTest::newRow("action") << "CMD_action+Rook waves|$00FF8000" << "Rook waves" << "" << QColor(0, 0x80, 0xFF);
        QTest::newRow("phrase") << "CMD_action+Rook says: Way To Go!|clPurple" << "Rook says: Way To Go!" << "Rook says:"
                                << QColor(0x80, 0, 0x80);
        QTest::newRow("decimal colour") << "CMD_chat+Ann chats: hi|255" << "Ann chats: hi" << "Ann chats:" << QColor(0xFF, 0, 0);
        QTest::newRow("no colour: red") << "CMD_chat+Ann chats: hi" << "Ann chats: hi" << "Ann chats:" << QColor(0xFF, 0, 0);
        QTest::newRow("bad colour: red") << "CMD_chat+Ann chats: hi|clNothing" << "Ann chats: hi" << "Ann chats:"
                                         << QColor(0xFF, 0, 0);
        QTest::newRow("bar in the text") << "CMD_chat+Ann chats: a|b || c|clBlue" << "Ann chats: a|b || c" << "Ann chats:"
                                         << QColor(0, 0, 0xFF);
        QTest::newRow("bar in an action") << "CMD_action+Ann shrugs |-||clTeal" << "Ann shrugs |-|" << ""
                                          << QColor(0, 0x80, 0x80);
    }
    void receivedLines()
    {
        QFETCH(QString, message);
        QFETCH(QString, text);
        QFETCH(QString, bold);
        QFETCH(QColor, color);
        auto w = seated();
        receive(*w, message);
        const QTextBlock line = lastLine(*w);
        QCOMPARE(line.text(), text);
        QCOMPARE(boldPart(line), bold);
        QCOMPARE(lineColor(line), color);
    }

    void chatKeepsTheLastLines()
    {
        auto w = seated();
        for (int n = 0; n < ChatView::kMaxChatLines + 300; ++n)
            w->chat()->addlinetochat(QStringLiteral("Ann chats: line %1").arg(n), 0);
        const QTextDocument *doc = w->chat()->mainchat()->document();
        QCOMPARE(doc->blockCount(), ChatView::kMaxChatLines);
        QCOMPARE(doc->firstBlock().text(), QStringLiteral("Ann chats: line 300"));
        QCOMPARE(lastLine(*w).text(), QStringLiteral("Ann chats: line %1").arg(ChatView::kMaxChatLines + 299));
    }

    // Two copies on a real host: what one types, both show alike.
    void everyClientShowsTheSameLine()
    {
        DefaultHostOptions options;
        TServer server(options);
        server.listen(0, QStringLiteral("127.0.0.1"));
        Tchat rook, ann;
        rook.show();
        ann.show();
        for (Tchat *w : {&rook, &ann})
            w->sounds()->setSink(std::make_unique<RecordingSoundSink>());
        rook.state().loginName = QStringLiteral("Rook");
        ann.state().loginName = QStringLiteral("Ann");
        for (Tchat *w : {&rook, &ann}) {
            w->state().loggedIn = false;
            w->session()->setPort(server.port());
            w->session()->open(QStringLiteral("127.0.0.1"));
            QVERIFY(QTest::qWaitFor([w] { return w->state().loggedIn; }, kLinkWaitMs));
        }
        QVERIFY(QTest::qWaitFor([&] { return rook.seatLabel(ann.state().ownSeat)->text() == QLatin1String("Ann"); }, kLinkWaitMs));
        rook.chat()->setOwnColor(0xFF0000);   // clBlue
        rook.chat()->setActionColor(0x008000); // clGreen

        rook.chat()->mychat()->setText(QStringLiteral("hello: there"));
        QTest::keyClick(rook.chat()->mychat(), Qt::Key_Return);
        for (Tchat *w : {&rook, &ann}) {
            QVERIFY(QTest::qWaitFor([w] { return lastLine(*w).text() == QLatin1String("Rook chats: hello: there"); }, kLinkWaitMs));
            QCOMPARE(boldPart(lastLine(*w)), QStringLiteral("Rook chats:"));
            QCOMPARE(lineColor(lastLine(*w)), QColor(0, 0, 0xFF));
        }
        rook.chat()->mychat()->setText(QStringLiteral("/me waves"));
        QTest::keyClick(rook.chat()->mychat(), Qt::Key_Return);
        for (Tchat *w : {&rook, &ann}) {
            QVERIFY(QTest::qWaitFor([w] { return lastLine(*w).text() == QLatin1String("Rook waves"); }, kLinkWaitMs));
            QCOMPARE(boldPart(lastLine(*w)), QString());
            QCOMPARE(lineColor(lastLine(*w)), QColor(0, 0x80, 0));
        }
        // A phrase button shows as the name, "says:" and the phrase, in the action colour.
        QTest::mouseClick(rook.chat()->phraseButton(1), Qt::LeftButton);
        for (Tchat *w : {&rook, &ann}) {
            QVERIFY(QTest::qWaitFor([w] { return lastLine(*w).text() == QLatin1String("Rook says: Way To Go!"); }, kLinkWaitMs));
            QCOMPARE(boldPart(lastLine(*w)), QStringLiteral("Rook says:"));
            QCOMPARE(lineColor(lastLine(*w)), QColor(0, 0x80, 0));
        }
        for (Tchat *w : {&rook, &ann})
            w->session()->sock()->setOnInfo({}); // the host goes first: that is no reason to quit
    }

    void typedText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<QByteArray>>("sent");
        QTest::newRow("chat") << "hello" << bytes({"CMD_chat+1+hello|clBlue"});
        QTest::newRow("chat with plus") << "a+b" << bytes({"CMD_chat+1+a+b|clBlue"});
        QTest::newRow("action") << "/me laughs" << bytes({"CMD_action+1+laughs|$00FF8000"});
        QTest::newRow("bare /me") << "/me" << bytes({"CMD_action+1+|$00FF8000"});
        QTest::newRow("other slash") << "/quit now" << QList<QByteArray>();
        QTest::newRow("lone slash") << "/" << QList<QByteArray>();
        QTest::newRow("only spaces") << "   " << QList<QByteArray>();
        QTest::newRow("bar kept") << "a|b" << bytes({"CMD_chat+1+a|b|clBlue"});
        QTest::newRow("no terminator byte") << QString::fromUtf8("\xC3\xBF" "ber") << bytes({"CMD_chat+1+yber|clBlue"});
        QTest::newRow("action without terminator") << QString::fromUtf8("/me \xC3\xBF!") << bytes({"CMD_action+1+y!|$00FF8000"});
    }
    void typedText()
    {
        QFETCH(QString, typed);
        QFETCH(QList<QByteArray>, sent);
        auto w = seated();
        LoopbackHost host(*w);
        QVERIFY(host.connected());
        w->chat()->setOwnColor(0xFF0000);
        w->chat()->setActionColor(0xFF8000);
        QLineEdit *entry = w->chat()->mychat();
        entry->setText(typed);
        QTest::keyClick(entry, Qt::Key_Return);
        QCOMPARE(entry->text(), QString());
        QCOMPARE(host.sent(), sent);
    }

    void nothingIsSentBeforeASeat()
    {
        auto w = seated();
        LoopbackHost host(*w);
        QVERIFY(host.connected());
        w->state().loggedIn = false;
        QLineEdit *entry = w->chat()->mychat();
        entry->setText(QStringLiteral("early"));
        QTest::keyClick(entry, Qt::Key_Return);
        QCOMPARE(entry->text(), QStringLiteral("early")); // kept, nothing queued
        w->chat()->b_phrase1Click(1);
        w->chat()->wave12Click(3);
        w->seatMenu()->JustWatch1Click();
        QCOMPARE(host.sent(), QList<QByteArray>());
        QVERIFY(w->state().phraseReady);
    }

    void thePromptNeverReachesTheHost()
    {
        auto w = seated();
        LoopbackHost host(*w);
        QVERIFY(host.connected());
        QLineEdit *entry = w->chat()->mychat();
        QCOMPARE(entry->text(), QStringLiteral("<Enter Chat Here>"));
        QTest::keyClick(entry, Qt::Key_Return); // the key going down removes it first
        QCOMPARE(entry->text(), QString());
        entry->setText(QStringLiteral("<Enter Chat Here>"));
        QTest::keyClick(entry, Qt::Key_H);
        QCOMPARE(entry->text(), QStringLiteral("h"));
        entry->setText(QStringLiteral("<Enter Chat Here>"));
        QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
        QApplication::sendEvent(entry, &in);
        QCOMPARE(entry->text(), QString());
        entry->setText(QStringLiteral("keep me"));
        entry->setCursorPosition(0);
        QApplication::sendEvent(entry, &in);
        QCOMPARE(entry->text(), QStringLiteral("keep me"));
        QCOMPARE(entry->cursorPosition(), 7);
        QCOMPARE(host.sent(), QList<QByteArray>());
    }

    // A guess being typed when another player's find or the time-out takes the focus to
    // the chat entry: what is left of it never goes out as chat.
    void theRestOfAGuessIsNotChat_data()
    {
        const QString find = QStringLiteral("CMD_heguessed+2+CHAIR+1+1000+");
        QTest::addColumn<QString>("before"); // into the entry cells
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("pauseMs");
        QTest::addColumn<QString>("after"); // once the focus moved; \b Backspace, \r Enter
        QTest::addColumn<QList<QByteArray>>("sent");
        QTest::newRow("find mid-guess") << "do" << find << 0 << "ubt\r" << QList<QByteArray>();
        QTest::newRow("time-up before a letter") << "" << "CMD_timeup+1+" << 0 << "doubt\r" << QList<QByteArray>();
        QTest::newRow("backspace belongs to it") << "dou" << find << 0 << "\bubt\r" << QList<QByteArray>();
        QTest::newRow("a sixth letter is chat") << "doubt" << find << 0 << "gg\r" << bytes({"CMD_chat+1+gg|clBlack"});
        QTest::newRow("a pause inside the guess") << "do" << find << 1600 << "ubt\r" << QList<QByteArray>();
        QTest::newRow("typing starts after the find") << "" << find << 1300 << "brain\r" << QList<QByteArray>();
        QTest::newRow("long after the move it is chat")
            << "do" << find << GuessTail::kWindowMs + 200 << "gg\r" << bytes({"CMD_chat+1+gg|clBlack"});
        QTest::newRow("enter ends it") << "doub" << find << 0 << "t\rgg\r" << bytes({"CMD_chat+1+gg|clBlack"});
    }
    void theRestOfAGuessIsNotChat()
    {
        QFETCH(QString, before);
        QFETCH(QString, message);
        QFETCH(int, pauseMs);
        QFETCH(QString, after);
        QFETCH(QList<QByteArray>, sent);
        auto w = seated();
        LoopbackHost host(*w);
        QVERIFY(activeOnHost(*w, host));
        openOwnRow(*w, QStringLiteral("D"));
        const auto type = support::typeIntoFocus;
        type(before);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("edit_%1").arg(std::min<qsizetype>(before.size() + 1, 5)));
        receive(*w, message);
        QCOMPARE(QApplication::focusWidget(), w->chat()->mychat());
        QTest::qWait(pauseMs);
        type(after);
        QCOMPARE(host.sent(), sent);
    }

    // While the own row is open, letters typed into the empty chat entry are the guess,
    // unless the player clicked into the chat to talk. A window activated late (the turn
    // came first) gives the row the keyboard, unless the player chose the chat in this row.
    void ownRowTakesLettersFromTheChat_data()
    {
        QTest::addColumn<int>("away");  // another window active: 0 never, 1 as the row opens, 2 during it
        QTest::addColumn<int>("click"); // a click into the chat: 0 none, 1 before the row, 2 in it
        QTest::addColumn<QString>("chatText"); // typed into the chat after a click before the row
        QTest::addColumn<QString>("focus");    // once the window is active again
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<QByteArray>>("sent");
        const QList<QByteArray> word = bytes({"CMD_myword+1+STAIR+"});
        const QList<QByteArray> chat = bytes({"CMD_chat+1+hi all|clBlack"});
        QTest::newRow("row opened behind another window") << 1 << 0 << "" << "edit_1" << "stair\r" << word;
        QTest::newRow("clicked into the chat") << 0 << 2 << "" << "mychat" << "hi all\r" << chat;
        QTest::newRow("clicked, then back and away") << 1 << 1 << "" << "edit_1" << "stair\r" << word;
        QTest::newRow("clicked in the row, away and back") << 2 << 2 << "" << "mychat" << "hi all\r" << chat;
        QTest::newRow("text left in the chat") << 1 << 1 << "hi " << "mychat" << "all\r" << chat;
    }
    void ownRowTakesLettersFromTheChat()
    {
        QFETCH(int, away);
        QFETCH(int, click);
        QFETCH(QString, chatText);
        QFETCH(QString, focus);
        QFETCH(QString, typed);
        QFETCH(QList<QByteArray>, sent);
        auto w = seated();
        LoopbackHost host(*w);
        QVERIFY(activeOnHost(*w, host));
        QLineEdit *chat = w->chat()->mychat();
        QWidget other;
        const auto goAway = [&] {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        };
        if (click == 1)
            QTest::mouseClick(chat, Qt::LeftButton);
        support::typeIntoFocus(chatText);
        if (away == 1) {
            chat->setFocus();
            goAway();
        }
        openOwnRow(*w, QStringLiteral("S"));
        if (click == 2)
            QTest::mouseClick(chat, Qt::LeftButton);
        if (away == 2)
            goAway();
        if (away != 0) {
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w.get()));
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        support::typeIntoFocus(typed);
        QCOMPARE(host.sent(), sent);
    }

    void quickPhraseClicksSendOne()
    {
        auto w = seated(3);
        LoopbackHost host(*w);
        QVERIFY(host.connected());
        w->chat()->setActionColor(0x800000);
        FlatButton *one = w->chat()->phraseButton(1);
        QTest::mouseClick(one, Qt::LeftButton);
        QTest::mouseClick(w->chat()->phraseButton(2), Qt::LeftButton);
        QVERIFY(!w->state().phraseReady);
        QVERIFY(w->session()->timer1()->isActive()); // the pause needs ticks
        w->session()->timer1()->stop();               // count them by hand from here
        for (int tick = 0; tick < ChatView::kPhrasePause; ++tick)
            w->session()->Timer1Timer();
        QVERIFY(!w->state().phraseReady);
        QTest::mouseClick(one, Qt::LeftButton); // still lost, not delayed
        w->session()->Timer1Timer();
        QVERIFY(w->state().phraseReady);
        QCOMPARE(w->chat()->phrasePauseCount(), 0);
        QVERIFY(!w->session()->timer1()->isActive()); // nothing left to tick for

        w->chat()->setPhrase(4, QStringLiteral("/me grins"));
        QTest::mouseClick(w->chat()->phraseButton(4), Qt::LeftButton);
        w->state().phraseReady = true;
        w->chat()->setPhrase(5, QString());
        QTest::mouseClick(w->chat()->phraseButton(5), Qt::LeftButton);
        w->state().phraseReady = true;
        w->chat()->setPhrase(6, QString::fromUtf8("na\xC3\xBFve|x"));
        QTest::mouseClick(w->chat()->phraseButton(6), Qt::LeftButton);
        // Typed chat is never held back by the pause.
        w->chat()->mychat()->setText(QStringLiteral("still here"));
        QTest::keyClick(w->chat()->mychat(), Qt::Key_Return);
        QCOMPARE(host.sent(), bytes({"CMD_action+3+says: Way To Go!|clNavy", "CMD_action+3+grins|clNavy",
                                     "CMD_action+3+says: |clNavy", "CMD_action+3+says: nayve|x|clNavy",
                                     "CMD_chat+3+still here|clBlack"}));
    }

    void soundButtonMenu()
    {
        auto w = seated(2);
        LoopbackHost host(*w);
        QVERIFY(host.connected());
        QMenu *menu = w->chat()->soundMenu();
        QCOMPARE(menu->objectName(), QStringLiteral("popup_sounds"));
        const QStringList captions = {"<Cancel>", "Doh", "Cough", "Hello", "Thank You", "Where have you been?", "Snoring",
                                      "Sneezing", "Sorry", "Welcome", "Yeehaa", "Yippee", "Oh No"};
        QCOMPARE(menu->actions().size(), captions.size());
        for (int tag = 0; tag < captions.size(); ++tag) {
            QAction *a = menu->actions().at(tag);
            QCOMPARE(a->text(), captions.at(tag));
            QCOMPARE(a->toolTip(), captions.at(tag));
            QCOMPARE(a->data().toInt(), tag);
        }
        FlatButton *button = w->chat()->phraseButton(10);
        QCOMPARE(button->toolTip(), QStringLiteral("/me waves \"Good-Bye\""));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(menu->isVisible());
        // Its top-left corner at the button's bottom-right corner, kept on the desktop.
        const QPoint corner = button->mapToGlobal(QPoint(button->width(), button->height()));
        const QRect desktop = button->screen()->geometry();
        QCOMPARE(menu->pos(), QPoint(qMin(corner.x(), desktop.right() + 1 - menu->width()), corner.y()));
        menu->hide();

        menu->actions().at(0)->trigger(); // "<Cancel>"
        menu->actions().at(3)->trigger();
        menu->actions().at(12)->trigger();
        menu->actions().at(12)->trigger(); // no pause between chatter sounds
        QCOMPARE(host.sent(), bytes({"CMD_playasound+2+wave3+", "CMD_playasound+2+wave12+", "CMD_playasound+2+wave12+"}));
    }

    void chatterSoundsArriving_data()
    {
        QTest::addColumn<bool>("chatterOn");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("played");
        QTest::newRow("off: shown") << false << "CMD_playasound+2+wave3+" << "Rook: <Chatter Sound> Hello" << QStringList();
        QTest::newRow("off: any case") << false << "CMD_playasound+2+WAVE5+" << "Rook: <Chatter Sound> Where have you been?"
                                       << QStringList();
        QTest::newRow("off: spectator") << false << "CMD_playasound+7+wave3+" << "" << QStringList();
        QTest::newRow("off: no such sound") << false << "CMD_playasound+2+wave13+" << "" << QStringList();
        QTest::newRow("off: cancel is none") << false << "CMD_playasound+2+Cancel1+" << "" << QStringList();
        QTest::newRow("on: heard") << true << "CMD_playasound+2+wave3+" << "" << QStringList{"wave3"};
        QTest::newRow("on: spectator heard") << true << "CMD_playasound+8+wave12+" << "" << QStringList{"wave12"};
    }
    void chatterSoundsArriving()
    {
        QFETCH(bool, chatterOn);
        QFETCH(QString, message);
        QFETCH(QString, line);
        QFETCH(QStringList, played);
        auto w = seated();
        Preferences prefs = w->preferences()->value();
        prefs.chatterSounds = chatterOn;
        prefs.playSounds = false; // chatter does not depend on it
        w->preferences()->set(prefs);
        QCOMPARE(w->action("PlayChatterSounds1")->isChecked(), chatterOn);
        w->setSeatName(2, QStringLiteral("Rook"));
        const QString before = lastLine(*w).text();
        receive(*w, message);
        QCOMPARE(lastLine(*w).text(), line.isEmpty() ? before : line);
        if (!line.isEmpty())
            QCOMPARE(lineColor(lastLine(*w)), toQColor(kSystemColor));
        QCOMPARE(sink(*w)->played(), played);
    }

    void scrollChatOffKeepsTheViewStill()
    {
        auto w = seated();
        QTextEdit *view = w->chat()->mainchat();
        for (int i = 0; i < 60; ++i)
            receive(*w, QStringLiteral("CMD_chat+Rook chats: line %1|clBlack").arg(i));
        QScrollBar *bar = view->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());

        QAction *options = w->action("ScrollChatOff1");
        QAction *popup = w->chat()->scrollItem();
        QCOMPARE(options->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(popup->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        options->trigger();
        QVERIFY(options->isChecked());
        QVERIFY(popup->isChecked());
        bar->setValue(40);
        const int topLine = view->cursorForPosition(QPoint(2, 2)).blockNumber();
        receive(*w, QStringLiteral("CMD_chat+Ann chats: quiet|clBlack"));
        receive(*w, QStringLiteral("CMD_action+Ann waves|clBlack"));
        QCOMPARE(bar->value(), 40);
        QCOMPARE(view->cursorForPosition(QPoint(2, 2)).blockNumber(), topLine);

        popup->trigger(); // the view's own item flips both marks back
        QVERIFY(!popup->isChecked());
        QVERIFY(!options->isChecked());
        receive(*w, QStringLiteral("CMD_chat+Ann chats: loud|clBlack"));
        QCOMPARE(bar->value(), bar->maximum());
        popup->trigger();
        QVERIFY(options->isChecked());

        // Ctrl+S anywhere in the window: one item answers it, not two.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(w->chat()->mychat(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!options->isChecked());
        QVERIFY(!popup->isChecked());
        QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(options->isChecked());
        QVERIFY(popup->isChecked());
    }

    void chatMenuItems()
    {
        auto w = seated();
        ChatView *chat = w->chat();
        QTextEdit *view = chat->mainchat();
        receive(*w, QStringLiteral("CMD_chat+Rook chats: copy this|clBlack"));
        QTextCursor c = view->textCursor();
        c.movePosition(QTextCursor::End);
        c.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 9);
        view->setTextCursor(c);
        QApplication::clipboard()->setText(QStringLiteral("before"));
        chat->viewPopup()->findChild<QAction *>(QStringLiteral("Copy1"))->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("copy this"));

        chat->mychat()->setText(QStringLiteral("old text"));
        chat->mychat()->setCursorPosition(3);
        chat->entryPopup()->findChild<QAction *>(QStringLiteral("Paste1"))->trigger();
        QCOMPARE(chat->mychat()->text(), QStringLiteral("copy this")); // the whole text replaced
        // A pasted long text is cut to what reaches everybody whole, in the longest colour.
        QApplication::clipboard()->setText(QString(33000, QLatin1Char('p')));
        chat->entryPopup()->findChild<QAction *>(QStringLiteral("Paste1"))->trigger();
        const QString longest = chat->mychat()->text();
        QCOMPARE(Message(cmd::chat).addRest(w->state().loginName + " chats: " + longest + "|$00FF8000").text().size(),
                 wire::kMaxMessageLength);
        QApplication::clipboard()->setText(QStringLiteral("by key"));
        QTest::keyClick(chat->mychat(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(chat->mychat()->text(), QStringLiteral("by key"));

        chat->viewPopup()->findChild<QAction *>(QStringLiteral("ClearChat1"))->trigger();
        QCOMPARE(view->toPlainText(), QString());
        receive(*w, QStringLiteral("CMD_chat+Rook chats: again|clBlack"));
        w->action("ClearMainChat1")->trigger();
        QCOMPARE(view->toPlainText(), QString());
        QStringList popupItems;
        for (QAction *a : chat->viewPopup()->actions())
            popupItems << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(popupItems, (QStringList{"Copy", "Clear Chat", "-", "Scroll Chat Off"}));
    }

    void colourItems()
    {
        auto w = seated();
        ChatView *chat = w->chat();
        const QString ini = userFilePath(QStringLiteral("ostrellobby.ini"));
        QList<ColorRef> offered;
        bool choose = false;
        setColorChooser([&](ColorRef *color) {
            offered << *color;
            if (choose)
                *color = 0x0000FF;
            return choose;
        });
        chat->setOwnColor(0x800000);
        w->action("TextColor1")->trigger(); // cancelled: nothing happens, nothing saved
        QCOMPARE(chat->ownColor(), 0x800000u);
        QVERIFY(!QFile::exists(ini));
        choose = true;
        w->action("TextColor1")->trigger();
        QCOMPARE(chat->ownColor(), 0x0000FFu);
        QCOMPARE(chat->mychat()->palette().color(QPalette::Text), QColor(0xFF, 0, 0));
        QCOMPARE(IniFile(ini).readString(QStringLiteral("Brelvox"), QStringLiteral("Textcolor"), QString()), QStringLiteral("clRed"));

        QFile::remove(ini);
        choose = false;
        chat->setActionColor(0x008000);
        w->action("ActionColor1")->trigger(); // cancelled, and saved all the same
        QCOMPARE(chat->actionColor(), 0x008000u);
        QCOMPARE(IniFile(ini).readString(QStringLiteral("Brelvox"), QStringLiteral("Actioncolor"), QString()), QStringLiteral("clGreen"));
        choose = true;
        w->action("ActionColor1")->trigger();
        QCOMPARE(chat->actionColor(), 0x0000FFu);
        QCOMPARE(IniFile(ini).readString(QStringLiteral("Brelvox"), QStringLiteral("Actioncolor"), QString()), QStringLiteral("clRed"));
        QCOMPARE(offered, (QList<ColorRef>{0x800000, 0x800000, 0x008000, 0x008000}));
    }

    void textSizeLeavesTheMarks()
    {
        auto w = seated();
        const QString path = userFilePath(QStringLiteral("ostrellobby.ini"));
        IniFile(path).writeString(QStringLiteral("Brelvox"), QStringLiteral("Textsize"), QStringLiteral("10"));
        w->loadinifile();
        QVERIFY(w->action("N10")->isChecked());
        w->action("N14")->trigger();
        QCOMPARE(w->chat()->textSize(), 14);
        QCOMPARE(w->chat()->mainchat()->font().pointSize(), 14);
        QCOMPARE(IniFile(path).readString(QStringLiteral("Brelvox"), QStringLiteral("Textsize"), QString()), QStringLiteral("14"));
        QVERIFY(w->action("N10")->isChecked());
        QVERIFY(!w->action("N14")->isChecked());
        w->action("N10")->trigger();
        QCOMPARE(w->chat()->textSize(), 10);
        QVERIFY(w->action("N10")->isChecked());
    }

    void linksInTheView()
    {
        auto w = seated();
        QTextEdit *view = w->chat()->mainchat();
        QWidget *viewport = view->viewport();
        w->chat()->ClearMainChat1Click();
        receive(*w, QStringLiteral("CMD_chat+Rook chats: see www.Example.com. now|clBlack"));
        const QString text = view->toPlainText();
        const int onLink = int(text.indexOf(QLatin1String("Example")));
        const int offLink = int(text.indexOf(QLatin1String("see")));

        mouse(viewport, QEvent::MouseMove, pointOver(view, onLink));
        QCOMPARE(viewport->cursor().shape(), Qt::PointingHandCursor);
        mouse(viewport, QEvent::MouseMove, pointOver(view, offLink));
        QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);
        mouse(viewport, QEvent::MouseMove, QPoint(viewport->width() - 5, viewport->height() - 5)); // below the text
        QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);

        mouse(viewport, QEvent::MouseButtonPress, pointOver(view, onLink), Qt::RightButton);
        QCOMPARE(m_opened, QStringList());
        mouse(viewport, QEvent::MouseButtonPress, pointOver(view, offLink), Qt::LeftButton);
        QCOMPARE(m_opened, QStringList());
        mouse(viewport, QEvent::MouseButtonPress, pointOver(view, onLink), Qt::LeftButton);
        mouse(viewport, QEvent::MouseButtonRelease, pointOver(view, onLink), Qt::LeftButton);
        QCOMPARE(m_opened, QStringList{QStringLiteral("http://www.Example.com")});
        QCOMPARE(view->textCursor().selectedText(), QStringLiteral("www.Example.com"));

        m_opened.clear();
        receive(*w, QStringLiteral("CMD_chat+Ann chats: mailto:ann@example.org|clBlack"));
        const int mail = int(view->toPlainText().lastIndexOf(QLatin1String("ann@")));
        mouse(viewport, QEvent::MouseButtonPress, pointOver(view, mail), Qt::LeftButton);
        QCOMPARE(m_opened, QStringList{QStringLiteral("mailto:ann@example.org")});
    }

    // Tab and Shift+Tab walk the view's links, Return opens the chosen one; past the last
    // link the focus moves on. A screen reader reads the chosen link as the selection.
    void linksByKeys()
    {
        auto w = seated();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTextEdit *view = w->chat()->mainchat();
        w->chat()->ClearMainChat1Click();
        receive(*w, QStringLiteral("CMD_chat+Rook chats: see www.Example.com and http://a.org/x.|clBlack"));
        receive(*w, QStringLiteral("CMD_chat+Ann chats: no link here|clBlack"));
        receive(*w, QStringLiteral("CMD_chat+Ann chats: mailto:ann@example.org|clBlack"));
        QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(view)->textInterface();
        QVERIFY(text);
        const auto chosen = [text] {
            int start = 0, end = 0;
            text->selection(0, &start, &end);
            return text->text(start, end);
        };
        view->setFocus(Qt::TabFocusReason);
        QTest::keyClick(view, Qt::Key_Return); // no link chosen yet
        QCOMPARE(m_opened, QStringList());
        QTest::keyClick(view, Qt::Key_Tab);
        QCOMPARE(chosen(), QStringLiteral("www.Example.com"));
        QTest::keyClick(view, Qt::Key_Tab);
        QTest::keyClick(view, Qt::Key_Tab);
        QCOMPARE(chosen(), QStringLiteral("mailto:ann@example.org"));
        QTest::keyClick(view, Qt::Key_Backtab);
        QCOMPARE(chosen(), QStringLiteral("http://a.org/x"));
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(m_opened, QStringList{QStringLiteral("http://a.org/x")});
        QTest::keyClick(view, Qt::Key_Tab);
        QTest::keyClick(view, Qt::Key_Tab);
        QVERIFY(!view->hasFocus());
    }

    void seatMenuStates_data()
    {
        QTest::addColumn<int>("seat");
        QTest::addColumn<bool>("host");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("remove");
        QTest::addColumn<bool>("justWatch");
        QTest::newRow("host, player") << 1 << true << "Ann" << true << true;
        QTest::newRow("host, empty seat") << 1 << true << "<Waiting>" << false << true;
        QTest::newRow("player, player") << 2 << false << "Ann" << false << false;
        QTest::newRow("player, empty seat") << 2 << false << "<Waiting>" << false << false;
        QTest::newRow("seat-1 joiner of a headless host") << 1 << false << "Ann" << true << true;
    }
    void seatMenuStates()
    {
        QFETCH(int, seat);
        QFETCH(bool, host);
        QFETCH(QString, caption);
        QFETCH(bool, remove);
        QFETCH(bool, justWatch);
        auto w = seated(seat, host);
        w->setSeatName(4, caption);
        QLabel *label = w->seatLabel(4);
        SeatMenu *menu = w->seatMenu();
        QCOMPARE(menu->popup()->objectName(), QStringLiteral("popup_kick"));
        QCOMPARE(label->contextMenuPolicy(), Qt::CustomContextMenu);
        Q_EMIT label->customContextMenuRequested(QPoint(3, 3));
        QVERIFY(menu->popup()->isVisible());
        menu->popup()->hide();
        QCOMPARE(menu->rememberedSeat(), 4);
        QCOMPARE(menu->removeItem()->isEnabled(), remove);
        QCOMPARE(menu->setItem()->isEnabled(), justWatch);
        QCOMPARE(menu->unsetItem()->isEnabled(), justWatch);
        QStringList items;
        for (QAction *a : menu->popup()->actions())
            items << a->text();
        QCOMPARE(items, (QStringList{"Remove From Game", "Set to Just Watch", "Unset Just Watch"}));
    }

    void seatMenuRequests_data()
    {
        QTest::addColumn<bool>("hosting");
        QTest::newRow("hosting copy") << true;
        QTest::newRow("seat-1 joiner of a headless host") << false;
    }
    void seatMenuRequests()
    {
        QFETCH(bool, hosting);
        auto w = seated(1, hosting);
        LoopbackHost host(*w);
        QVERIFY(host.connected());
        w->setSeatName(3, QStringLiteral("Ann"));
        SeatMenu *menu = w->seatMenu();
        Q_EMIT w->seatLabel(3)->customContextMenuRequested(QPoint(2, 2));
        menu->popup()->hide();
        menu->setItem()->trigger();
        menu->unsetItem()->trigger();
        menu->removeItem()->trigger();
        QCOMPARE(host.sent(), bytes({"CMD_justwatch+3+1", "CMD_justwatch+3+2", "CMD_kickhim+1+3+"}));
    }

    void justWatch()
    {
        auto w = seated(2, false);
        LoopbackHost host(*w);
        QVERIFY(host.connected());
        w->setSeatName(2, QStringLiteral("Rook"));
        w->setSeatName(4, QStringLiteral("Ann"));
        w->seatLabel(2)->setText(QStringLiteral("renamed")); // the label only shows the name
        auto *eyes2 = w->board()->findChild<QWidget *>(QStringLiteral("image_eyes2"));
        QVERIFY(eyes2);
        QVERIFY(eyes2->isHidden());
        QAction *item = w->action("JustWatch1");

        item->trigger();
        item->trigger(); // before the host answers: the mark has not moved, so "+1" again
        QVERIFY(!item->isChecked());
        QCOMPARE(host.sent(), bytes({"CMD_justwatch+2+1", "CMD_justwatch+2+1"}));

        receive(*w, QStringLiteral("CMD_justwatching+2+1"));
        QVERIFY(item->isChecked());
        QCOMPARE(lastLine(*w).text(), QStringLiteral("Rook is just watching"));
        QCOMPARE(lineColor(lastLine(*w)), toQColor(kSystemColor));
        QVERIFY(eyes2->isVisibleTo(w->board()));
        item->trigger();
        QVERIFY(item->isChecked());
        QCOMPARE(host.sent(), bytes({"CMD_justwatch+2+2"}));

        receive(*w, QStringLiteral("CMD_justwatching+4+1")); // another seat: no marker there, no tick here
        QCOMPARE(lastLine(*w).text(), QStringLiteral("Ann is just watching"));
        QVERIFY(item->isChecked());
        receive(*w, QStringLiteral("CMD_justwatching+2+2"));
        QVERIFY(!item->isChecked());
        QCOMPARE(lastLine(*w).text(), QStringLiteral("Rook now playing again"));
        QVERIFY(!eyes2->isVisibleTo(w->board()));
        receive(*w, QStringLiteral("CMD_justwatching+8+1")); // a spectator seat shows nothing
        QCOMPARE(lastLine(*w).text(), QStringLiteral("Rook now playing again"));

        // A spectator has no seat to sit out of.
        w->state().ownSeat = 7;
        item->trigger();
        QCOMPARE(host.sent(), QList<QByteArray>());
    }

    void spyListRemovesTheEntryUnderThePointer()
    {
        auto w = seated(1, true);
        LoopbackHost host(*w);
        QVERIFY(host.connected());
        Tspylist spies(w->session()->spies());
        spies.setKick([&](int seat) { w->kicking(seat); });
        spies.enableRemoval();
        spies.show();
        QVERIFY(QTest::qWaitForWindowExposed(&spies));
        receive(*w, QStringLiteral("CMD_newplayerinfo+6+Zed"));
        receive(*w, QStringLiteral("CMD_newplayerinfo+7+Rook"));
        QListWidget *list = spies.list();
        list->setCurrentRow(0);

        mouse(list->viewport(), QEvent::MouseMove, list->visualItemRect(list->item(1)).center());
        QCOMPARE(spies.hoverIndex(), 1);
        spies.removeAction()->trigger();
        mouse(list->viewport(), QEvent::MouseMove, QPoint(4, list->viewport()->height() - 3));
        QCOMPARE(spies.hoverIndex(), -1);
        spies.removeAction()->trigger();
        // From the keyboard the menu is for the current entry.
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(4, 4));
        QApplication::sendEvent(list->viewport(), &key);
        QCOMPARE(spies.hoverIndex(), 0);
        spies.removeAction()->trigger();
        QCOMPARE(host.sent(), bytes({"CMD_kickhim+1+7+", "CMD_kickhim+1+6+"}));
    }

    // A handler that fails shows its error in a box that does not hold up the messages behind it.
    void errorBoxDoesNotHoldUpTheQueue()
    {
        dialogs::setHandler({}); // the real box
        auto w = seated();
        w->session()->receivedlist().push(QStringLiteral("CMD_newplayerinfo+x+Bad"));
        for (int n = 1; n <= 3; ++n)
            w->session()->receivedlist().push(QStringLiteral("CMD_chat+Ann chats: line %1|clBlack").arg(n));
        // Looks from inside the box's own loop while it waits: the queue drains behind it.
        QString seen;
        QMessageBox *box = nullptr;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [&] {
            seen = lastLine(*w).text();
            QMessageBox *shown = nullptr;
            for (QWidget *top : QApplication::topLevelWidgets())
                if (auto *b = qobject_cast<QMessageBox *>(top); b && b->isVisible())
                    shown = b;
            if (!shown || seen != QLatin1String("Ann chats: line 3"))
                return;
            look.stop();
            box = shown;
            QCOMPARE(box->windowTitle(), QStringLiteral("Brelvox"));
            QCOMPARE(box->icon(), QMessageBox::Critical);
            QCOMPARE(box->text(), QStringLiteral("'x' is not a valid integer value."));
            box->close();
        });
        look.start(100);
        w->session()->wake();
        QTRY_VERIFY2_WITH_TIMEOUT(box, qPrintable(seen), kLinkWaitMs);
    }

    void noRemovalFromACopyThatDoesNotHost()
    {
        auto w = seated(2, false);
        LoopbackHost host(*w);
        QVERIFY(host.connected());
        w->setSeatName(3, QStringLiteral("Ann"));
        Q_EMIT w->seatLabel(3)->customContextMenuRequested(QPoint(2, 2));
        w->seatMenu()->popup()->hide();
        QVERIFY(!w->seatMenu()->removeItem()->isEnabled());
        w->seatMenu()->RemoveFromGame1Click(); // forged past the disabled item
        w->kicking(3);
        SpyList entries;
        entries.add(7, QStringLiteral("Rook"));
        Tspylist spies(entries);
        spies.setKick([&](int seat) { w->kicking(seat); });
        spies.listbox_spysMouseMove(spies.list()->visualItemRect(spies.list()->item(0)).center());
        spies.popup_kickhimClick();
        QCOMPARE(host.sent(), QList<QByteArray>());
    }
};

QTEST_MAIN(TestChat)
#include "test_chat.moc"
