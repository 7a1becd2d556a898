// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "sound/audiosoundsink.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QTimer>

namespace brelvox {

namespace {

constexpr qint64 kBufferMicroseconds = 60'000;
constexpr qint64 kLeadMicroseconds = 20'000;
constexpr qint64 kShortestMicroseconds = 2 * kBufferMicroseconds;
constexpr int kReleaseAfterIdleMs = 1000;

// 8-bit clips are played as signed 16-bit: a sound server may fill a stream that has run
// dry with zero bytes (PipeWire's PulseAudio service does), and in unsigned 8-bit that is
// full-scale negative, a loud thump after every clip. Signed zero is silence everywhere.
QAudioFormat formatOf(const WaveClip &clip)
{
    QAudioFormat format;
    if (!clip.isPcm())
        return format;
    switch (clip.bitsPerSample) {
    case 8:
    case 16: format.setSampleFormat(QAudioFormat::Int16); break;
    case 32: format.setSampleFormat(QAudioFormat::Int32); break;
    default: return QAudioFormat();
    }
    format.setSampleRate(clip.sampleRate);
    format.setChannelCount(clip.channels);
    return format;
}

QByteArray samplesOf(const WaveClip &clip)
{
    if (clip.bitsPerSample != 8)
        return clip.data;
    QByteArray wide(clip.data.size() * qsizetype(sizeof(qint16)), Qt::Uninitialized);
    auto *out = reinterpret_cast<qint16 *>(wide.data());
    for (qsizetype i = 0; i < clip.data.size(); ++i)
        out[i] = qint16((int(quint8(clip.data[i])) - 128) * 256);
    return wide;
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
            m_deviceKnown = false;
        });
    }
    m_device = QMediaDevices::defaultAudioOutput();
}

void AudioSoundSink::stop()
{
    m_playing.clear();
    if (!m_output)
        return;
    QAudioSink *output = m_output;
    m_output = nullptr;
    QObject::disconnect(output, nullptr, nullptr, nullptr);
    output->stop();
    // Not deleted at once: stop() may be reached from the output's own signal.
    output->deleteLater();
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

    auto *output = new QAudioSink(m_device, format);
    // A small buffer starts a clip sooner; the window thread refills it in time.
    output->setBufferSize(format.bytesForDuration(kBufferMicroseconds));
    auto *buffer = new QBuffer(output); // goes with the output, never before it
    // A fresh stream loses its first few milliseconds, and the sound server starts it only
    // once it holds about a buffer's worth: the 10 ms ball strike would never sound. Silence
    // ahead of every clip keeps its start, silence after a short one makes up the rest.
    QByteArray data(format.bytesForDuration(kLeadMicroseconds), '\0');
    data += samplesOf(*clip);
    const qint64 least = format.bytesForDuration(kShortestMicroseconds);
    if (data.size() < least)
        data.append(QByteArray(least - data.size(), '\0'));
    buffer->setData(data);
    buffer->open(QIODevice::ReadOnly);
    m_output = output;
    QObject::connect(output, &QAudioSink::stateChanged, output, [this, output](QAudio::State state) {
        if (state == QAudio::ActiveState)
            return;
        m_playing.clear();
        // Every byte is handed over, but the device still plays the last of them: let the
        // stream go a little later, unless another clip has taken its place.
        if (state == QAudio::IdleState) {
            QTimer::singleShot(kReleaseAfterIdleMs, output, [this, output] {
                if (m_output == output && output->state() == QAudio::IdleState)
                    stop();
            });
        }
    });
    output->start(buffer);
    if (output->error() != QAudio::NoError) {
        stop();
        return;
    }
    m_playing = own ? name.toLower() : SoundLibrary::kDefaultName;
}

} // namespace brelvox
