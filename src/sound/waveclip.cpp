// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "sound/waveclip.h"

#include <QtEndian>

namespace brelvox {

namespace {

quint32 le32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

quint16 le16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

} // namespace

std::optional<WaveClip> WaveClip::parse(const QByteArray &bytes)
{
    const qsizetype size = bytes.size();
    if (size < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;

    const char *base = bytes.constData();
    WaveClip clip;
    bool haveFormat = false;
    bool haveData = false;
    qsizetype pos = 12;
    while (pos + 8 <= size && !(haveFormat && haveData)) {
        const QByteArray id = bytes.mid(pos, 4);
        const qsizetype claimed = le32(base + pos + 4);
        const qsizetype start = pos + 8;
        const qsizetype length = std::min<qsizetype>(claimed, size - start);
        if (id == "fmt ") {
            if (length < 16)
                return std::nullopt;
            const char *f = base + start;
            clip.formatTag = le16(f);
            clip.channels = le16(f + 2);
            clip.sampleRate = int(std::min<quint32>(le32(f + 4), 0x7fffffff));
            clip.byteRate = int(std::min<quint32>(le32(f + 8), 0x7fffffff));
            clip.blockAlign = le16(f + 12);
            clip.bitsPerSample = le16(f + 14);
            // WAVE_FORMAT_EXTENSIBLE names its real format in the first two bytes of the
            // sub-format GUID.
            if (clip.formatTag == 0xFFFE && length >= 40)
                clip.formatTag = le16(f + 24);
            haveFormat = true;
        } else if (id == "data") {
            clip.data = bytes.mid(start, length);
            haveData = true;
        }
        // Chunks are padded to an even length; a huge claim ends the walk.
        if (claimed > size)
            break;
        pos = start + claimed + (claimed & 1);
    }
    if (!haveFormat || !haveData || clip.channels < 1 || clip.sampleRate < 1)
        return std::nullopt;
    if (clip.isPcm()) {
        if (clip.bitsPerSample < 8 || clip.bitsPerSample % 8 != 0 || clip.bitsPerSample > 32
            || clip.blockAlign != clip.channels * clip.bitsPerSample / 8)
            return std::nullopt;
        clip.data.truncate(clip.data.size() - clip.data.size() % clip.blockAlign);
    }
    return clip;
}

double WaveClip::seconds() const
{
    if (isPcm())
        return double(frames()) / sampleRate;
    return byteRate > 0 ? double(data.size()) / byteRate : 0.0;
}

} // namespace brelvox
