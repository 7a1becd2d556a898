// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "sound/soundplayer.h"

#include "sound/audiosoundsink.h"

#include <QTimer>

#include <algorithm>

namespace brelvox {

namespace {

bool isFeedback(const QString &name)
{
    return name.compare(QLatin1String("wrongguess"), Qt::CaseInsensitive) == 0
        || name.compare(QLatin1String("rightguess"), Qt::CaseInsensitive) == 0;
}

bool isTurn(const QString &name)
{
    return name.compare(SoundPlayer::turnSoundName(0), Qt::CaseInsensitive) == 0
        || name.compare(SoundPlayer::turnSoundName(1), Qt::CaseInsensitive) == 0;
}

} // namespace

SoundPlayer::SoundPlayer(std::unique_ptr<SoundSink> sink, QObject *parent)
    : QObject(parent)
    , m_turnHold(new QTimer(this))
{
    m_turnHold->setSingleShot(true);
    m_turnHold->setTimerType(Qt::PreciseTimer);
    connect(m_turnHold, &QTimer::timeout, this, &SoundPlayer::playHeldTurn);
    setSink(std::move(sink));
}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::setSwitches(Switches switches)
{
    m_switches = std::move(switches);
}

void SoundPlayer::setSink(std::unique_ptr<SoundSink> sink)
{
    m_sink = sink ? std::move(sink) : std::make_unique<AudioSoundSink>();
}

bool SoundPlayer::soundsOn() const
{
    return m_switches.playSounds ? m_switches.playSounds() : true;
}

bool SoundPlayer::chatterOn() const
{
    return m_switches.playChatterSounds ? m_switches.playChatterSounds() : false;
}

int SoundPlayer::turnSound() const
{
    return m_switches.turnSound ? m_switches.turnSound() : 0;
}

void SoundPlayer::playsounds(const QString &name)
{
    if (!soundsOn())
        return;
    if (isTurn(name) && m_feedbackClock.isValid()) {
        const qint64 left = std::min<qint64>(m_feedbackMs, kTurnWaitMs) - m_feedbackClock.elapsed();
        if (left > 0) {
            m_heldTurn = name;
            m_turnHold->start(int(left));
            return;
        }
    }
    play(name);
}

bool SoundPlayer::playChatter(const QString &name)
{
    if (!chatterOn())
        return false;
    play(name);
    return true;
}

void SoundPlayer::play(const QString &name)
{
    // Whatever is asked for now replaces a turn sound still waiting, as it would cut it off.
    m_turnHold->stop();
    m_heldTurn.clear();
    m_feedbackClock.invalidate();
    if (isFeedback(name)) {
        const WaveClip *clip = m_clips.find(name);
        m_feedbackMs = clip ? qint64(clip->seconds() * 1000) : 0;
        m_feedbackClock.start();
    }
    m_sink->play(name);
}

void SoundPlayer::playHeldTurn()
{
    const QString name = m_heldTurn;
    if (!name.isEmpty())
        play(name);
}

void SoundPlayer::playTurn()
{
    playsounds(turnSoundName(turnSound()));
}

QString SoundPlayer::turnSoundName(int choice)
{
    return choice == 1 ? QStringLiteral("turnnew") : QStringLiteral("turn");
}

const QList<ChatterSound> &SoundPlayer::chatterSounds()
{
    static const QList<ChatterSound> sounds = {
        {1, QStringLiteral("wave1"), QStringLiteral("Doh")},
        {2, QStringLiteral("wave2"), QStringLiteral("Cough")},
        {3, QStringLiteral("wave3"), QStringLiteral("Hello")},
        {4, QStringLiteral("wave4"), QStringLiteral("Thank You")},
        {5, QStringLiteral("wave5"), QStringLiteral("Where have you been?")},
        {6, QStringLiteral("wave6"), QStringLiteral("Snoring")},
        {7, QStringLiteral("wave7"), QStringLiteral("Sneezing")},
        {8, QStringLiteral("wave8"), QStringLiteral("Sorry")},
        {9, QStringLiteral("wave9"), QStringLiteral("Welcome")},
        {10, QStringLiteral("wave10"), QStringLiteral("Yeehaa")},
        {11, QStringLiteral("wave11"), QStringLiteral("Yippee")},
        {12, QStringLiteral("wave12"), QStringLiteral("Oh No")},
    };
    return sounds;
}

QString SoundPlayer::chatterCaption(const QString &name)
{
    for (const ChatterSound &sound : chatterSounds())
        if (sound.name.compare(name, Qt::CaseInsensitive) == 0)
            return sound.caption;
    return {};
}

} // namespace brelvox
