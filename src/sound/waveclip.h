// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QByteArray>
#include <optional>

namespace brelvox {

// One RIFF WAVE clip: its format chunk and the bytes of its data chunk.
struct WaveClip {
    static constexpr int kPcm = 1;

    int formatTag = 0;
    int channels = 0;
    int sampleRate = 0;
    int byteRate = 0;
    int blockAlign = 0;
    int bitsPerSample = 0;
    QByteArray data; // the data chunk, whole frames only for PCM

    // Reads a RIFF WAVE file; nullopt for anything else. Safe on any input: a chunk that
    // claims more bytes than there are is cut to what is there.
    static std::optional<WaveClip> parse(const QByteArray &bytes);

    bool isPcm() const { return formatTag == kPcm; }
    qint64 frames() const { return blockAlign > 0 ? data.size() / blockAlign : 0; }
    double seconds() const;
};

} // namespace brelvox
