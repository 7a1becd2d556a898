// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "sound/soundlibrary.h"
#include "sound/soundsink.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QTimer;

namespace brelvox {

// One entry of the sound button's menu: the menu tag, the clip name, the caption (which is
// also the item's tool tip).
struct ChatterSound {
    int tag;
    QString name;
    QString caption;
};

// The game's and the players' sounds under the three sound preferences. The preferences
// stay in the main window's menu items; the player asks them through Switches each time,
// so a change takes effect with the next sound.
//
// A QObject so that the parts asking for sounds connect to it: whichever goes first, no
// call reaches a destroyed player.
//
// One clip at a time, the newest cutting off the one playing, with one exception: the turn
// sound that follows a guess's feedback sound within a moment waits (at most kTurnWaitMs)
// for the feedback to end, so that a player guessing last in a solo game hears both.
class SoundPlayer : public QObject
{
    Q_OBJECT
public:
    struct Switches {
        std::function<bool()> playSounds;        // "Play Sounds" ticked
        std::function<bool()> playChatterSounds; // "Play Chatter Sounds" ticked
        std::function<int()> turnSound;          // "Turn Sound": 0 "Classic", 1 "New"
    };

    // Without a sink, sounds go to the default audio output.
    static constexpr int kTurnWaitMs = 300;

    explicit SoundPlayer(std::unique_ptr<SoundSink> sink = nullptr, QObject *parent = nullptr);
    ~SoundPlayer() override;

    // Unset switches read as the window's values at start: sounds on, chatter off, "Classic".
    void setSwitches(Switches switches);
    void setSink(std::unique_ptr<SoundSink> sink);
    SoundSink *sink() const { return m_sink.get(); }

    // A game sound, heard only with "Play Sounds" ticked.
    void playsounds(const QString &name);
    // A chatter sound, heard only with "Play Chatter Sounds" ticked, whatever "Play
    // Sounds" says. False when it was not played, so the caller shows the chat line.
    bool playChatter(const QString &name);
    // The turn has come to this seat: the chosen turn sound, as a game sound.
    void playTurn();

    bool soundsOn() const;
    bool chatterOn() const;
    int turnSound() const;

    // "turnnew" for choice 1, "turn" for anything else.
    static QString turnSoundName(int choice);
    // The twelve chatter sounds, tags 1 to 12, in menu order ("<Cancel>", tag 0, is not one).
    static const QList<ChatterSound> &chatterSounds();
    // The caption of a chatter sound's name (any case), empty when no chatter sound has it.
    static QString chatterCaption(const QString &name);

private:
    void play(const QString &name);
    void playHeldTurn();

    std::unique_ptr<SoundSink> m_sink;
    Switches m_switches;
    SoundLibrary m_clips;         // only for the feedback sounds' lengths
    QElapsedTimer m_feedbackClock; // since the last feedback sound began; invalid otherwise
    qint64 m_feedbackMs = 0;      // its length
    QTimer *m_turnHold = nullptr;
    QString m_heldTurn;
};

} // namespace brelvox
