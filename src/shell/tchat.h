// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "boardmodel/clientstate.h"
#include "shell/livepreferences.h"

#include <QMainWindow>
#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;

namespace brelvox {

class BoardModel;
class ChatView;
class ClientSession;
class FlatButton;
class FlatPanel;
class LobbyLink;
class PoolTable;
class LetterBoard;
class LettersTriedPanel;
class GameEnd;
class Announcer;
class BoardSpeech;
class Tgamestart;
class TallyRecorder;
class SeatMenu;
class SoundPlayer;

// The main window: the frame with its menus, the board panel and the seat labels, the
// command line, hosting and joining, and the settings file. It is the game's client too;
// the client and board parts hang their widgets on `panel_board`.
class Tchat : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kClientWidth = 740;
    static constexpr int kClientHeight = 517;
    // Window size beyond the client area on the desktop the sizes were chosen on.
    static constexpr int kFrameWidth = 8;
    static constexpr int kFrameHeight = 46;

    explicit Tchat(QWidget *parent = nullptr);
    ~Tchat() override;

    ClientState &state() { return m_state; }
    BoardModel *boardModel() const { return m_model; }
    LivePreferences *preferences() const { return m_prefs; }
    const ClientState &state() const { return m_state; }
    ChatView *chat() const { return m_chat; }
    ClientSession *session() const { return m_session; }
    PoolTable *poolTable() const { return m_table; }
    SoundPlayer *sounds() const { return m_sounds; }
    SeatMenu *seatMenu() const { return m_seatMenu; }
    LetterBoard *letterBoard() const { return m_letters; }
    LettersTriedPanel *lettersTried() const { return m_lettersTried; }
    GameEnd *gameEnd() const { return m_gameEnd; }

    // The game-options dialog and the tally are windows of their own, made after this one.
    void attachGameOptions(Tgamestart *dialog, TallyRecorder *tally);
    FlatPanel *board() const { return m_board; }
    QLabel *seatLabel(int seat) const; // 1..5, else nullptr
    // Seat 1..5 gets a name: the state holds it, its label shows it.
    void setSeatName(int seat, const QString &name);
    QLabel *statusLabel() const { return m_status; }
    FlatButton *startButton() const { return m_start; }
    LobbyLink *lobbyLink() const { return m_lobby; }
    QAction *action(const char *objectName) const;

    // Start-up and command line.
    void FormCreate();
    void processparams(const QStringList &params);
    // The player's arguments, exactly as given; read when the window is first shown.
    void setCommandLine(const QStringList &params) { m_commandLine = params; }
    void hostpress();
    void joinpress();

    // Settings file.
    QString settingsPath() const;
    void loadinifile();
    void saveinifile();
    Preferences currentPreferences() const;
    void applyPreferences(const Preferences &prefs);

    // The window's place as the settings file keeps it: Left, Top, Width, Height.
    QRect windowBounds() const;
    void setWindowBounds(const QRect &bounds);
    QRect storedBounds() const { return m_storedBounds; }

    // Live preferences other parts read.
    int botSpeed() const { return m_prefs->value().botSpeed; }
    int betweenRounds() const { return m_prefs->value().betweenRounds; }
    int turnSound() const { return m_prefs->value().turnSound; }
    int chosenGameType() const { return m_prefs->value().gameType; }
    void setChosenGameType(int type);

    // Set by the window that owns the maker's link.
    void setLogoClick(std::function<void()> click) { m_logoClick = std::move(click); }
    void image_logoClick();

    // A removal request, sent only by the hosting copy once seated.
    void kicking(int seat);

    void ResetScreenLocation1Click();
    void Exit1Click();
    void FormClose();
    // What closing the window saves, done once however the program is asked to end.
    void closing();

Q_SIGNALS:
    // What the window asks of the host, the client connection and the download window;
    // with nothing connected, nothing happens.
    void hostingRequested(); // switch the host's listener on
    // Open the client connection; port 0 keeps the connection's own port.
    void connectRequested(const QString &host, quint16 port);
    void downloadRequested();
    void hostingStarted(); // this copy runs the table: enable the spy list's removal

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildBoard();
    void buildMenus();
    void buildSession();
    void wireChat();
    QAction *addItem(QMenu *menu, const char *name, const QString &caption, bool checkable = false,
                     bool checked = false, int tag = 0);
    void chooseInGroup(QActionGroup *group, QAction *chosen);
    void editPreferences(const std::function<void(Preferences &)> &edit);
    void showPreferences();
    void FormResize();

    ClientState m_state;
    LivePreferences *m_prefs = nullptr;
    BoardModel *m_model = nullptr;
    FlatPanel *m_board = nullptr;
    std::array<QLabel *, 5> m_seats{};
    QLabel *m_status = nullptr;
    FlatButton *m_start = nullptr;
    ChatView *m_chat = nullptr;
    ClientSession *m_session = nullptr;
    PoolTable *m_table = nullptr;
    SoundPlayer *m_sounds = nullptr;
    LetterBoard *m_letters = nullptr;
    LettersTriedPanel *m_lettersTried = nullptr;
    GameEnd *m_gameEnd = nullptr;
    Announcer *m_announcer = nullptr;
    BoardSpeech *m_speech = nullptr;
    Tgamestart *m_gameStart = nullptr;
    SeatMenu *m_seatMenu = nullptr;
    LobbyLink *m_lobby = nullptr;
    QActionGroup *m_botGroup = nullptr;
    QActionGroup *m_turnGroup = nullptr;
    QActionGroup *m_roundsGroup = nullptr;
    QActionGroup *m_sizeGroup = nullptr;
    QRect m_storedBounds{0, 0, 0, 0};
    std::function<void()> m_logoClick;
    bool m_shown = false;
    std::optional<QStringList> m_commandLine;
    bool m_closing = false;
    bool m_settingsLoaded = false; // until then the preferences are not the player's
};

} // namespace brelvox
