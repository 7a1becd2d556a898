// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "sound/soundlibrary.h"
#include "sound/soundsink.h"

#include <QAudioDevice>
#include <QPointer>
#include <memory>

class QAudioSink;
class QMediaDevices;

namespace brelvox {

// Plays clips from the resources on the default audio output, one at a time: a new clip
// cuts off the one sounding. Every clip gets a fresh output stream: restarting one stream
// for the next clip shrinks its buffer on PulseAudio until clips are no longer heard.
// Without an audio device it does nothing, quietly.
class AudioSoundSink : public SoundSink
{
public:
    AudioSoundSink();
    ~AudioSoundSink() override;

    void play(const QString &name) override;

    // The lower-case name of the clip sounding now; empty when quiet or without a device.
    QString playing() const { return m_playing; }
    bool hasDevice();

private:
    void findDevice();
    void stop();

    SoundLibrary m_library;
    std::unique_ptr<QMediaDevices> m_devices; // created on first use, tells of new devices
    QAudioDevice m_device;
    bool m_deviceKnown = false;
    QPointer<QAudioSink> m_output; // the clip sounding now, or the last one heard out
    QString m_playing;
};

} // namespace brelvox
