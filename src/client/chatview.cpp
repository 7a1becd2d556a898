// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/chatview.h"

#include "client/chattextedit.h"
#include "client/clientsession.h"
#include "client/colorchooser.h"
#include "protocol/catalogue.h"
#include "protocol/fieldreader.h"
#include "protocol/message.h"
#include "protocol/wiretext.h"
#include "sound/soundplayer.h"
#include "widgets/dialogs.h"
#include "widgets/flatbutton.h"
#include "widgets/shellopen.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include <algorithm>

namespace brelvox {

namespace {
const char *const kBuiltIn[ChatView::kPhraseCount] = {
    "Way To Go!", "Good One!", "Nice Try!", "Excellent!", "Brilliant!",
    "Wow, WTG!", "Thanks!", "Way To Go Teamie!", "Good Game Everyone!",
};
const QString kPrompt = QStringLiteral("<Enter Chat Here>");

template <typename F>
auto guard(F f)
{
    return [f] { dialogs::guarded(f); };
}

// Selected, a link shows as chosen and a screen reader reads it as the selection.
bool selectLink(QTextEdit *view, const ChatLink &link)
{
    QTextCursor c(view->document());
    c.setPosition(int(link.start));
    c.setPosition(int(link.start + link.text.size()), QTextCursor::KeepAnchor);
    view->setTextCursor(c);
    return true;
}
} // namespace

QString ChatView::builtInPhrase(int n)
{
    return n >= 1 && n <= kPhraseCount ? QString::fromLatin1(kBuiltIn[n - 1]) : QString();
}

ChatView::ChatView(QWidget *board, const QRect &area, QObject *parent)
    : QObject(parent)
    , m_board(board)
{
    const int buttonWidth = 22;
    const int entryHeight = 22;
    m_mainchat = new ChatTextEdit(board);
    m_mainchat->setObjectName(QStringLiteral("mainchat"));
    m_mainchat->setReadOnly(true);
    m_mainchat->setUndoRedoEnabled(false);
    // The oldest lines go first: a flood of chat cannot grow the view without end.
    m_mainchat->document()->setMaximumBlockCount(kMaxChatLines);
    m_mainchat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_mainchat->setGeometry(area.x(), area.y(), area.width() - buttonWidth - 2, area.height() - entryHeight - 2);
    QPalette pal = m_mainchat->palette();
    pal.setColor(QPalette::Base, toQColor(0xC4D5DF));
    pal.setColor(QPalette::Text, toQColor(kSystemColor));
    // The selection stays visible when the view loses focus.
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    m_mainchat->setPalette(pal);
    m_mainchat->viewport()->setCursor(Qt::ArrowCursor);
    m_mainchat->setMouseMoveHook([this](QMouseEvent *e) { mainchatMouseMove(e->position().toPoint()); });
    m_mainchat->setMousePressHook([this](QMouseEvent *e) { mainchatMouseDown(e->button(), e->position().toPoint()); });
    m_mainchat->installEventFilter(this);
    m_mainchat->setAccessibleName(QStringLiteral("Chat"));
    m_mainchat->setAccessibleDescription(QStringLiteral("Tab selects the next link, Return opens it"));
    setTextSize(8);

    m_mychat = new QLineEdit(board);
    m_mychat->setObjectName(QStringLiteral("mychat"));
    m_mychat->setGeometry(area.x(), area.bottom() - entryHeight + 1, area.width(), entryHeight);
    m_mychat->setFont(QFont(QStringLiteral("Arial"), 10));
    m_mychat->setText(kPrompt);
    m_mychat->installEventFilter(this);
    m_mychat->setAccessibleName(QStringLiteral("Chat message"));

    const int buttonHeight = m_mainchat->height() / 10;
    for (int i = 0; i < 10; ++i) {
        auto *b = new FlatButton(QString(), board);
        b->setObjectName(QStringLiteral("b_phrase%1").arg(i + 1));
        b->setTag(i + 1);
        b->setColors(QColor(0xFF, 0xFF, 0x00), Qt::black, QColor(0xFF, 0xFF, 0x99));
        b->setGeometry(area.right() - buttonWidth + 1, area.y() + i * buttonHeight, buttonWidth, buttonHeight - 1);
        m_buttons[i] = b;
        if (i < kPhraseCount) {
            setPhrase(i + 1, builtInPhrase(i + 1));
            connect(b, &QPushButton::clicked, this, guard([this, b] { b_phrase1Click(b->tag()); }));
        }
    }
    m_buttons[9]->setToolTip(QStringLiteral("/me waves \"Good-Bye\""));
    m_buttons[9]->setAccessibleName(QStringLiteral("Chatter sounds"));
    connect(m_buttons[9], &QPushButton::clicked, this, guard([this] { b_phrase10Click(); }));
    buildMenus();
}

void ChatView::buildMenus()
{
    m_viewPopup = new QMenu(m_mainchat);
    m_viewPopup->setObjectName(QStringLiteral("popup_mainchat"));
    QAction *copy = m_viewPopup->addAction(QStringLiteral("Copy"));
    copy->setObjectName(QStringLiteral("Copy1"));
    copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    QAction *clear = m_viewPopup->addAction(QStringLiteral("Clear Chat"));
    clear->setObjectName(QStringLiteral("ClearChat1"));
    m_viewPopup->addSeparator();
    m_scrollItem = m_viewPopup->addAction(QStringLiteral("Scroll Chat Off"));
    m_scrollItem->setObjectName(QStringLiteral("ScrollChatOff2"));
    m_scrollItem->setCheckable(true);
    m_scrollItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    connect(copy, &QAction::triggered, this, guard([this] { Copy1Click(); }));
    connect(clear, &QAction::triggered, this, guard([this] { ClearChat1Click(); }));
    connect(m_scrollItem, &QAction::triggered, this, guard([this] { ScrollChatOff1Click(); }));
    m_mainchat->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_mainchat, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_viewPopup->popup(m_mainchat->mapToGlobal(pos)); });

    m_entryPopup = new QMenu(m_mychat);
    m_entryPopup->setObjectName(QStringLiteral("popup_mychat"));
    QAction *paste = m_entryPopup->addAction(QStringLiteral("Paste"));
    paste->setObjectName(QStringLiteral("Paste1"));
    paste->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
    connect(paste, &QAction::triggered, this, guard([this] { Paste1Click(); }));
    m_mychat->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_mychat, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_entryPopup->popup(m_mychat->mapToGlobal(pos)); });

    m_soundMenu = new QMenu(m_buttons[9]);
    m_soundMenu->setObjectName(QStringLiteral("popup_sounds"));
    m_soundMenu->setToolTipsVisible(true);
    QList<ChatterSound> items{{0, QString(), QStringLiteral("<Cancel>")}};
    items += SoundPlayer::chatterSounds();
    for (const ChatterSound &sound : std::as_const(items)) {
        QAction *a = m_soundMenu->addAction(sound.caption);
        a->setObjectName(sound.tag == 0 ? QStringLiteral("Cancel1") : sound.name);
        a->setData(sound.tag);
        a->setToolTip(sound.caption);
        connect(a, &QAction::triggered, this, guard([this, a] { wave12Click(a->data().toInt()); }));
    }
}

void ChatView::attach(ClientState &state, ClientSession *session, SoundPlayer *sounds)
{
    m_state = &state;
    m_session = session;
    m_sounds = sounds;
    m_state->phraseReady = true;
    m_pauseCount = 0;
    auto received = [this](const QString &args) { chatrecieved(args); };
    session->dispatchTable().bind(cmd::chat, received);
    session->dispatchTable().bind(cmd::action, received);
    session->dispatchTable().bind(cmd::playasound, [this](const QString &args) { playasound(args); });
    session->addTicker([this] { return phrasePauseTick(); });
    fitEntry();
}

int ChatView::maxChatLength(const QString &name)
{
    // The host relays "CMD_chat+", the name, " chats: ", the text, "|" and a colour text
    // of at most nine characters ("$00FF8000", "clFuchsia"); an action's relay is shorter.
    const qsizetype frame = QByteArrayView("CMD_chat+").size() + QByteArrayView(" chats: |").size() + 9;
    return int(std::max<qsizetype>(1, wire::kMaxMessageLength - frame - wire::encode(name).size()));
}

void ChatView::fitEntry()
{
    m_mychat->setMaxLength(maxChatLength(m_state ? m_state->loginName : QString()));
}

void ChatView::setOptionsScrollItem(QAction *item)
{
    m_optionsScroll = item;
    if (m_optionsScroll)
        m_optionsScroll->setChecked(m_scrollOff);
}

QTextEdit *ChatView::mainchat() const
{
    return m_mainchat;
}

FlatButton *ChatView::phraseButton(int n) const
{
    return n >= 1 && n <= 10 ? m_buttons[n - 1] : nullptr;
}

void ChatView::setScrollOff(bool on)
{
    m_scrollOff = on;
    m_scrollItem->setChecked(on);
    if (m_optionsScroll)
        m_optionsScroll->setChecked(on);
}

void ChatView::setTextSize(int points)
{
    m_textSize = points;
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(points > 0 ? points : 8);
    m_mainchat->setFont(f);
    m_mainchat->document()->setDefaultFont(f);
}

void ChatView::setOwnColor(ColorRef color)
{
    m_ownColor = color;
    // The chosen colour is forced, so the ground is too: a light one under dark text and a
    // dark one under light text, whatever the desktop's palette.
    const QColor text = toQColor(color);
    QPalette pal = m_mychat->palette();
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::Base, text.lightnessF() > 0.6 ? QColor(0x1e, 0x1e, 0x1e) : QColor(Qt::white));
    m_mychat->setPalette(pal);
}

QString ChatView::phrase(int n) const
{
    return n >= 1 && n <= kPhraseCount ? m_phrases[n - 1] : QString();
}

void ChatView::setPhrase(int n, const QString &text)
{
    if (n < 1 || n > kPhraseCount)
        return;
    m_phrases[n - 1] = text;
    m_buttons[n - 1]->setToolTip(text);
    m_buttons[n - 1]->setAccessibleName(QStringLiteral("Phrase %1: %2").arg(n).arg(text));
}

void ChatView::addlinetochat(const QString &text, ColorRef color)
{
    QScrollBar *bar = m_mainchat->verticalScrollBar();
    const int keptScroll = bar->value();
    const QTextCursor keptCursor = m_mainchat->textCursor();
    m_mainchat->setUpdatesEnabled(false);

    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    const QString leadIn = colon < 0 ? QString() : text.left(colon + 1);
    const QString rest = colon < 0 ? text : text.mid(colon + 1);

    QTextCursor c(m_mainchat->document());
    c.movePosition(QTextCursor::End);
    QTextCharFormat fmt;
    fmt.setForeground(toQColor(color));
    if (!m_mainchat->document()->isEmpty())
        c.insertBlock();
    fmt.setFontWeight(QFont::Bold);
    c.insertText(leadIn, fmt);
    fmt.setFontWeight(QFont::Normal);
    c.insertText(rest, fmt);

    // A link chosen with the keyboard stays chosen while lines arrive.
    m_mainchat->setTextCursor(m_scrollOff || m_mainchat->hasFocus() ? keptCursor : c);
    bar->setValue(m_scrollOff ? keptScroll : bar->maximum());
    m_mainchat->setUpdatesEnabled(true);
    m_mainchat->viewport()->update();
}

void ChatView::send(QLatin1StringView command, const QString &text, ColorRef color)
{
    // The colour goes after the last "|", so a "|" in the text itself reaches everybody.
    m_session->send(Message(command)
                        .add(m_state->ownSeat)
                        .addRest(text + QLatin1Char('|') + colorToText(color)));
}

void ChatView::sendit()
{
    if (!m_state || !m_session || !m_state->loggedIn)
        return;
    const QString text = m_mychat->text();
    // A line of nothing but spaces says nothing; it is dropped like an empty one.
    if (!text.trimmed().isEmpty()) {
        if (!text.startsWith(QLatin1Char('/')))
            send(cmd::chat, text, m_ownColor);
        else if (text.startsWith(QLatin1String("/me")))
            send(cmd::action, text.mid(4), m_actionColor);
        // any other "/" text is a command this client does not know: it goes nowhere
    }
    m_mychat->clear();
}

void ChatView::chatrecieved(const QString &args)
{
    const qsizetype bar = args.lastIndexOf(QLatin1Char('|'));
    ColorRef color = kFallbackColor;
    if (bar < 0) {
        addlinetochat(args, color);
        return;
    }
    if (!textToColor(args.mid(bar + 1), &color))
        color = kFallbackColor;
    addlinetochat(args.left(bar), color);
}

void ChatView::mychatEnter()
{
    fitEntry();
    m_mychat->end(false);
    if (m_mychat->text() == kPrompt)
        m_mychat->clear();
}

void ChatView::mychatKeyDown()
{
    fitEntry();
    if (m_mychat->text() == kPrompt)
        m_mychat->clear();
}

void ChatView::b_phrase1Click(int n)
{
    if (!m_state || !m_session || !m_state->loggedIn || !m_state->phraseReady)
        return;
    const QString text = phrase(n);
    if (text.startsWith(QLatin1String("/me ")))
        send(cmd::action, text.mid(4), m_actionColor);
    else
        send(cmd::action, QStringLiteral("says: ") + text, m_actionColor);
    m_state->phraseReady = false;
    m_pauseCount = 0;
    m_session->wake();
}

bool ChatView::phrasePauseTick()
{
    if (!m_state || m_state->phraseReady)
        return false;
    if (++m_pauseCount > kPhrasePause) {
        m_state->phraseReady = true;
        m_pauseCount = 0;
        return false;
    }
    return true;
}

void ChatView::b_phrase10Click()
{
    FlatButton *button = m_buttons[9];
    m_soundMenu->popup(button->mapToGlobal(QPoint(button->width(), button->height())));
}

void ChatView::wave12Click(int tag)
{
    if (tag <= 0 || !m_state || !m_session || !m_state->loggedIn)
        return;
    m_session->send(Message(cmd::playasound).add(m_state->ownSeat).add(QStringLiteral("wave%1").arg(tag)));
}

void ChatView::playasound(const QString &args)
{
    FieldReader f(args);
    const int seat = f.nextInt();
    const QString name = f.next();
    if (m_sounds && m_sounds->playChatter(name))
        return;
    if (seat < 1 || seat > 5 || !m_state || name.isEmpty())
        return;
    for (const ChatterSound &sound : SoundPlayer::chatterSounds()) {
        if (sound.tag > 0 && sound.name.compare(name, Qt::CaseInsensitive) == 0) {
            addlinetochat(m_state->seatName(seat) + QStringLiteral(": <Chatter Sound> ") + sound.caption, kSystemColor);
            return;
        }
    }
}

void ChatView::ScrollChatOff1Click()
{
    setScrollOff(!m_scrollOff);
    m_mychat->setFocus();
}

void ChatView::Copy1Click()
{
    const QString selected = m_mainchat->textCursor().selection().toPlainText();
    if (!selected.isEmpty())
        QApplication::clipboard()->setText(selected);
    m_mychat->setFocus();
}

void ChatView::Paste1Click()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    if (data && data->hasText()) {
        fitEntry();
        m_mychat->setText(data->text());
    }
}

void ChatView::ClearChat1Click()
{
    m_mainchat->clear();
    m_mychat->setFocus();
}

void ChatView::ClearMainChat1Click()
{
    m_mainchat->clear();
}

void ChatView::savesettings()
{
    if (m_save)
        m_save();
}

void ChatView::TextColor1Click()
{
    ColorRef color = m_ownColor;
    if (!chooseColor(&color, m_mainchat->window()))
        return;
    setOwnColor(color);
    savesettings();
}

void ChatView::ActionColor1Click()
{
    ColorRef color = m_actionColor;
    if (chooseColor(&color, m_mainchat->window()))
        m_actionColor = color;
    savesettings();
}

void ChatView::N14Click(int points)
{
    setTextSize(points);
    savesettings();
}

ChatLink ChatView::linkAt(const QPoint &viewportPos) const
{
    const QPoint docPos = viewportPos + QPoint(m_mainchat->horizontalScrollBar()->value(), m_mainchat->verticalScrollBar()->value());
    const int position = m_mainchat->document()->documentLayout()->hitTest(docPos, Qt::ExactHit);
    if (position < 0)
        return {};
    return findLink(m_mainchat->document()->toPlainText(), position);
}

void ChatView::mainchatMouseMove(const QPoint &viewportPos)
{
    m_mainchat->viewport()->setCursor(linkAt(viewportPos).isValid() ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void ChatView::mainchatMouseDown(Qt::MouseButton button, const QPoint &viewportPos)
{
    if (button != Qt::LeftButton)
        return;
    const ChatLink link = linkAt(viewportPos);
    if (!link.isValid())
        return;
    selectLink(m_mainchat, link);
    openLink(link);
}

void ChatView::openLink(const ChatLink &link)
{
    // A bare "www." address has no scheme for the desktop to pick a handler by.
    const bool bare = link.text.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
    shellOpen(bare ? QStringLiteral("http://") + link.text : link.text);
}

bool ChatView::stepLink(bool forward)
{
    const QTextCursor cursor = m_mainchat->textCursor();
    const QList<ChatLink> links = findLinks(m_mainchat->document()->toPlainText());
    if (forward) {
        for (const ChatLink &link : links) {
            if (link.start >= cursor.selectionEnd())
                return selectLink(m_mainchat, link);
        }
    } else {
        for (auto it = links.crbegin(); it != links.crend(); ++it) {
            if (it->start + it->text.size() <= cursor.selectionStart())
                return selectLink(m_mainchat, *it);
        }
    }
    return false;
}

bool ChatView::openSelectedLink()
{
    const QTextCursor cursor = m_mainchat->textCursor();
    if (!cursor.hasSelection())
        return false;
    const ChatLink link = findLink(m_mainchat->document()->toPlainText(), cursor.selectionStart());
    if (link.start != cursor.selectionStart() || link.start + link.text.size() != cursor.selectionEnd())
        return false;
    openLink(link);
    return true;
}

bool ChatView::mainchatKey(const QKeyEvent &key)
{
    if (key.matches(QKeySequence::Copy)) {
        Copy1Click();
        return true;
    }
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (key.key()) {
    case Qt::Key_Tab:
        return stepLink(true);
    case Qt::Key_Backtab:
        return stepLink(false);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return openSelectedLink();
    default:
        return false;
    }
}

bool ChatView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_mychat) {
        if (event->type() == QEvent::FocusIn) {
            m_mychat->event(event); // the edit places its caret first, then ours goes to the end
            dialogs::guarded([this] { mychatEnter(); });
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            // Alt with a letter is a menu's key, never a letter of the chat line (Ctrl+Alt
            // stays: some keyboards type characters with it).
            const Qt::KeyboardModifiers mods = key->modifiers();
            if ((mods & (Qt::AltModifier | Qt::MetaModifier)) && !(mods & Qt::ControlModifier))
                return true;
            dialogs::guarded([this] { mychatKeyDown(); });
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                dialogs::guarded([this] { sendit(); });
                return true;
            }
            if (key->matches(QKeySequence::Paste)) {
                dialogs::guarded([this] { Paste1Click(); });
                return true;
            }
        }
    } else if (watched == m_mainchat && event->type() == QEvent::KeyPress) {
        bool taken = false;
        dialogs::guarded([&] { taken = mainchatKey(*static_cast<QKeyEvent *>(event)); });
        if (taken)
            return true;
    } else if (watched == m_mainchat && event->type() == QEvent::FocusIn) {
        // Tabbing in, the links are walked from the lines in sight: from the top going
        // forward, from the bottom going back.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
            QWidget *viewport = m_mainchat->viewport();
            const QPoint corner = reason == Qt::TabFocusReason ? QPoint(0, 0) : QPoint(viewport->width() - 1, viewport->height() - 1);
            m_mainchat->setTextCursor(m_mainchat->cursorForPosition(corner));
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace brelvox
