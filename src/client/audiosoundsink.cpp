// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "audiosoundsink.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>

namespace brelvox {

namespace {

constexpr qint64 kBufferMicroseconds = 60'000;
constexpr int kReleaseAfterIdleMs = 1000;

QAudioFormat formatOf(const WaveClip &clip)
{
    QAudioFormat format;
    if (!clip.isPcm())
        return format;
    switch (clip.bitsPerSample) {
    case 8: format.setSampleFormat(QAudioFormat::UInt8); break;
    case 16: format.setSampleFormat(QAudioFormat::Int16); break;
    case 32: format.setSampleFormat(QAudioFormat::Int32); break;
    default: return QAudioFormat();
    }
    format.setSampleRate(clip.sampleRate);
    format.setChannelCount(clip.channels);
    return format;
}

} // namespace

AudioSoundSink::AudioSoundSink() = default;

AudioSoundSink::~AudioSoundSink()
{
    stop();
}

bool AudioSoundSink::hasDevice()
{
    findDevice();
    return !m_device.isNull();
}

void AudioSoundSink::findDevice()
{
    if (m_deviceKnown)
        return;
    m_deviceKnown = true;
    if (!m_devices) {
        m_devices = std::make_unique<QMediaDevices>();
        // Headphones plugged in or a sound server started: look again on the next clip.
        QObject::connect(m_devices.get(), &QMediaDevices::audioOutputsChanged, m_devices.get(), [this] {
            stop();
            m_output.reset();
            m_deviceKnown = false;
        });
    }
    m_device = QMediaDevices::defaultAudioOutput();
}

void AudioSoundSink::stop()
{
    if (m_output)
        m_output->stop();
    m_buffer.close();
    m_playing.clear();
}

void AudioSoundSink::play(const QString &name)
{
    findDevice();
    if (m_device.isNull())
        return;
    stop();
    const WaveClip *own = m_library.find(name);
    const WaveClip *clip = own ? own : m_library.find(SoundLibrary::kDefaultName);
    const QAudioFormat format = clip ? formatOf(*clip) : QAudioFormat();
    if (!format.isValid())
        return;

    if (!m_output || m_output->format() != format) {
        m_output = std::make_unique<QAudioSink>(m_device, format);
        // A small buffer starts a clip sooner; the window thread refills it in time.
        m_output->setBufferSize(format.bytesForDuration(kBufferMicroseconds));
        QAudioSink *output = m_output.get();
        QObject::connect(output, &QAudioSink::stateChanged, output, [this, output](QAudio::State state) {
            if (state == QAudio::ActiveState)
                return;
            m_playing.clear();
            // Every byte is handed over, but the device still plays the last of them: give
            // the device back a little later, unless another clip has started meanwhile.
            if (state == QAudio::IdleState) {
                const quint64 clip = m_started;
                QTimer::singleShot(kReleaseAfterIdleMs, output, [this, output, clip] {
                    if (m_started == clip && output->state() == QAudio::IdleState)
                        output->stop();
                });
            }
        });
    }
    ++m_started;
    m_buffer.setData(clip->data);
    m_buffer.open(QIODevice::ReadOnly);
    m_output->start(&m_buffer);
    if (m_output->error() != QAudio::NoError) {
        stop();
        return;
    }
    m_playing = own ? name.toLower() : SoundLibrary::kDefaultName;
}

} // namespace brelvox
