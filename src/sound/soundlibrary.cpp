// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "sound/soundlibrary.h"

#include <QDir>
#include <QHash>
#include <QResource>

// The clips live in a static library: naming its resource initialiser keeps the linker from
// dropping them. Q_INIT_RESOURCE has to be used outside any namespace.
static void initSoundResources()
{
    Q_INIT_RESOURCE(sounds);
}

namespace brelvox {

namespace {

const QString kFolder = QStringLiteral(":/sounds");

const QHash<QString, QString> &index()
{
    static const QHash<QString, QString> paths = [] {
        initSoundResources();
        QHash<QString, QString> result;
        const QDir dir(kFolder);
        for (const QString &file : dir.entryList({QStringLiteral("*.wav")}, QDir::Files))
            result.insert(file.chopped(4).toLower(), dir.filePath(file));
        return result;
    }();
    return paths;
}

} // namespace

SoundLibrary::SoundLibrary()
{
    index();
}

QStringList SoundLibrary::names()
{
    QStringList result = index().keys();
    result.sort();
    return result;
}

QString SoundLibrary::resourcePath(const QString &name)
{
    return index().value(name.toLower());
}

const WaveClip *SoundLibrary::find(const QString &name)
{
    const QString key = name.toLower();
    auto it = m_clips.find(key);
    if (it == m_clips.end()) {
        // Unknown names are not remembered: a peer could send endless different ones.
        const QString path = index().value(key);
        if (path.isEmpty())
            return nullptr;
        it = m_clips.emplace(key, WaveClip::parse(QResource(path).uncompressedData())).first;
    }
    return it->second ? &*it->second : nullptr;
}

const WaveClip *SoundLibrary::findOrDefault(const QString &name)
{
    if (const WaveClip *clip = find(name))
        return clip;
    return find(kDefaultName);
}

} // namespace brelvox
