// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "client/chatlink.h"
#include "boardmodel/clientstate.h"
#include "widgets/colortext.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>

class QAction;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QTextEdit;
class QWidget;

namespace brelvox {

class ChatTextEdit;
class ClientSession;
class FlatButton;
class SoundPlayer;

// The chat area of the board: the view `mainchat`, the entry `mychat` and the ten small
// buttons `b_phrase1`..`b_phrase10` beside the view, with what the player does there:
// typed chat and actions, phrases, chatter sounds, links and the chat menu items.
class ChatView : public QObject
{
    Q_OBJECT
public:
    // Lines the chat keeps; older ones scroll away for good.
    static constexpr int kMaxChatLines = 5000;
    static constexpr int kPhraseCount = 9;
    // Ticks of Timer1 after a phrase before the next one may go: the count has to exceed this.
    static constexpr int kPhrasePause = 100;
    static constexpr ColorRef kFallbackColor = 0x0000FF;

    // Creates the widgets as children of board, inside the given area.
    ChatView(QWidget *board, const QRect &area, QObject *parent = nullptr);

    // Sends go through session, which also hands this view its received lines and ticks
    // the phrase pause; chatter sounds play through sounds (may be null: never heard).
    void attach(ClientState &state, ClientSession *session, SoundPlayer *sounds);
    // Called after a chat preference changed (colours, text size).
    void setSaveSettings(std::function<void()> save) { m_save = std::move(save); }
    // The Options menu's "Scroll Chat Off"; it takes the view's mark.
    void setOptionsScrollItem(QAction *item);

    QTextEdit *mainchat() const;
    QLineEdit *mychat() const { return m_mychat; }
    FlatButton *phraseButton(int n) const; // 1..10
    QMenu *viewPopup() const { return m_viewPopup; }
    QMenu *entryPopup() const { return m_entryPopup; }
    QMenu *soundMenu() const { return m_soundMenu; }
    QAction *scrollItem() const { return m_scrollItem; }

    // One chat line: the text up to and including its first ":" bold, all in colour.
    void addlinetochat(const QString &text, ColorRef color);

    bool scrollOff() const { return m_scrollOff; }
    void setScrollOff(bool on);

    int textSize() const { return m_textSize; }
    void setTextSize(int points);

    ColorRef ownColor() const { return m_ownColor; }
    void setOwnColor(ColorRef color);
    ColorRef actionColor() const { return m_actionColor; }
    void setActionColor(ColorRef color) { m_actionColor = color; }

    QString phrase(int n) const;                  // 1..9
    void setPhrase(int n, const QString &text);   // 1..9

    static QString builtInPhrase(int n);
    // The most characters the chat entry takes from a player of this name: what one
    // message can carry once the host relays it with the name and a colour.
    static int maxChatLength(const QString &name);

    // Typed text and received lines.
    void sendit();
    void chatrecieved(const QString &args);
    void mychatEnter();
    void mychatKeyDown();

    // The phrase buttons, the sound button and its menu, and chatter sounds arriving.
    void b_phrase1Click(int n);
    void b_phrase10Click();
    void wave12Click(int tag);
    void playasound(const QString &args);
    // One Timer1 tick of the phrase pause; true while the pause still runs.
    bool phrasePauseTick();
    int phrasePauseCount() const { return m_pauseCount; }

    // Menu items.
    void ScrollChatOff1Click();
    void Copy1Click();
    void Paste1Click();
    void ClearChat1Click();
    void ClearMainChat1Click();
    void TextColor1Click();
    void ActionColor1Click();
    void N14Click(int points);

    // Links: the one under a point of the view's viewport, the pointer shape, opening.
    ChatLink linkAt(const QPoint &viewportPos) const;
    void mainchatMouseMove(const QPoint &viewportPos);
    void mainchatMouseDown(Qt::MouseButton button, const QPoint &viewportPos);
    // Keys in the view: Tab and Shift+Tab select the next or previous link (false past the
    // last one: the focus moves on), Return opens the selected link.
    bool stepLink(bool forward);
    bool openSelectedLink();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitEntry();
    void openLink(const ChatLink &link);
    bool mainchatKey(const QKeyEvent &key);
    void buildMenus();
    void send(QLatin1StringView command, const QString &text, ColorRef color);
    void savesettings();

    QWidget *m_board = nullptr;
    ChatTextEdit *m_mainchat = nullptr;
    QLineEdit *m_mychat = nullptr;
    std::array<FlatButton *, 10> m_buttons{};
    std::array<QString, kPhraseCount> m_phrases{}; // the buttons show them as tooltips
    QMenu *m_viewPopup = nullptr;
    QMenu *m_entryPopup = nullptr;
    QMenu *m_soundMenu = nullptr;
    QAction *m_scrollItem = nullptr;
    QAction *m_optionsScroll = nullptr;
    ClientState *m_state = nullptr;
    QPointer<ClientSession> m_session;
    QPointer<SoundPlayer> m_sounds;
    std::function<void()> m_save;
    bool m_scrollOff = false;
    int m_textSize = 8;
    int m_pauseCount = 0;
    ColorRef m_ownColor = 0;
    ColorRef m_actionColor = 0;
};

} // namespace brelvox
