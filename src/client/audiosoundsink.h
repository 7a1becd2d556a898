// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "soundlibrary.h"
#include "soundsink.h"

#include <QAudioDevice>
#include <QBuffer>
#include <memory>

class QAudioSink;
class QMediaDevices;

namespace brelvox {

// Plays clips from the resources on the default audio output, one at a time: a new clip
// cuts off the one sounding. Without an audio device it does nothing, quietly.
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
    QBuffer m_buffer;                   // reads the clip in memory; outlives m_output
    std::unique_ptr<QAudioSink> m_output; // kept while clips of one format follow
    QString m_playing;
    quint64 m_started = 0; // clips started so far
};

} // namespace brelvox
