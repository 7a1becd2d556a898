// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "sound/audiosoundsink.h"
#include "sound/recordingsoundsink.h"
#include "sound/soundlibrary.h"
#include "sound/soundplayer.h"
#include "sound/waveclip.h"

#include <QElapsedTimer>
#include <QResource>
#include <QtEndian>
#include <QtTest>

using namespace brelvox;

namespace {

QByteArray le16(int v)
{
    QByteArray b(2, '\0');
    qToLittleEndian<quint16>(quint16(v), b.data());
    return b;
}

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}

QByteArray chunk(const char *id, const QByteArray &payload, qint64 claimed = -1)
{
    QByteArray c = QByteArray(id, 4) + le32(quint32(claimed < 0 ? payload.size() : claimed)) + payload;
    if (claimed < 0 && payload.size() % 2)
        c += '\0';
    return c;
}

QByteArray fmtChunk(int tag, int channels, int rate, int bits, int align = -1)
{
    const int blockAlign = align < 0 ? channels * bits / 8 : align;
    return chunk("fmt ", le16(tag) + le16(channels) + le32(rate) + le32(rate * blockAlign) + le16(blockAlign)
                             + le16(bits));
}

QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + le32(quint32(chunks.size() + 4)) + "WAVE" + chunks;
}

struct Recorder {
    bool sounds = true;
    bool chatter = false;
    int turn = 0;
    RecordingSoundSink *sink = nullptr;
    SoundPlayer player;

    Recorder() : player(std::make_unique<RecordingSoundSink>())
    {
        sink = static_cast<RecordingSoundSink *>(player.sink());
        player.setSwitches({[this] { return sounds; }, [this] { return chatter; }, [this] { return turn; }});
    }
};

} // namespace

class TestSoundPlayer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void preferences_data();
    void preferences();
    void preferencesTakeEffectWithNextSound();
    void startValuesWithoutSwitches();
    void turnSound_data();
    void turnSound();
    void turnWaitsForFeedback_data();
    void turnWaitsForFeedback();
    void chatterTable();
    void lookup_data();
    void lookup();
    void clips_data();
    void clips();
    void noStrayClips();
    void parse_data();
    void parse();
    void realSinkNeverBlocks();
    void realSinkCutsOff();
};

void TestSoundPlayer::preferences_data()
{
    QTest::addColumn<bool>("sounds");
    QTest::addColumn<bool>("chatter");
    QTest::addColumn<QStringList>("heard");
    QTest::addColumn<bool>("chatterPlayed");

    QTest::newRow("only chatter") << false << true << QStringList{"wave3"} << true;
    QTest::newRow("only game sounds") << true << false << QStringList{"gameover"} << false;
    QTest::newRow("both, chatter cuts the game over off") << true << true << QStringList{"gameover", "wave3"} << true;
    QTest::newRow("neither") << false << false << QStringList{} << false;
}

void TestSoundPlayer::preferences()
{
    QFETCH(bool, sounds);
    QFETCH(bool, chatter);
    QFETCH(QStringList, heard);
    QFETCH(bool, chatterPlayed);

    Recorder r;
    r.sounds = sounds;
    r.chatter = chatter;
    r.player.playsounds(QStringLiteral("gameover"));
    QCOMPARE(r.player.playChatter(QStringLiteral("wave3")), chatterPlayed);
    QCOMPARE(r.sink->played(), heard);
}

void TestSoundPlayer::preferencesTakeEffectWithNextSound()
{
    Recorder r;
    r.player.playsounds(QStringLiteral("typing1"));
    r.sounds = false;
    r.player.playsounds(QStringLiteral("typing1"));
    r.player.playTurn();
    r.sounds = true;
    r.turn = 1;
    r.player.playTurn();
    QCOMPARE(r.sink->played(), (QStringList{"typing1", "turnnew"}));
}

void TestSoundPlayer::startValuesWithoutSwitches()
{
    // Before the window hands over its menus: sounds on, chatter off, "Classic".
    SoundPlayer player(std::make_unique<RecordingSoundSink>());
    auto *sink = static_cast<RecordingSoundSink *>(player.sink());
    player.playsounds(QStringLiteral("entered"));
    QVERIFY(!player.playChatter(QStringLiteral("wave1")));
    player.playTurn();
    QCOMPARE(sink->played(), (QStringList{"entered", "turn"}));
}

void TestSoundPlayer::turnSound_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<bool>("sounds");
    QTest::addColumn<QStringList>("heard");

    QTest::newRow("Classic") << 0 << true << QStringList{"turn"};
    QTest::newRow("New") << 1 << true << QStringList{"turnnew"};
    QTest::newRow("unknown choice is Classic") << 7 << true << QStringList{"turn"};
    QTest::newRow("New, sounds off") << 1 << false << QStringList{};
}

void TestSoundPlayer::turnSound()
{
    QFETCH(int, choice);
    QFETCH(bool, sounds);
    QFETCH(QStringList, heard);

    Recorder r;
    r.turn = choice;
    r.sounds = sounds;
    r.chatter = true; // chatter's switch has no say over the turn
    r.player.playTurn();
    QCOMPARE(r.sink->played(), heard);
}

void TestSoundPlayer::turnWaitsForFeedback_data()
{
    // Sounds asked for with a pause in ms before each; what the sink got at once (right after
    // the last request) and in the end; how long the last turn sound waited at least.
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QList<int>>("gaps");
    QTest::addColumn<QStringList>("atOnce");
    QTest::addColumn<QStringList>("heard");
    QTest::addColumn<int>("waitsAtLeast");

    const QStringList wrongTurn{"wrongguess", "turn"};
    QTest::newRow("wrong guess, then the turn: waits for its end")
        << wrongTurn << QList<int>{0, 0} << QStringList{"wrongguess"} << wrongTurn << 100;
    QTest::newRow("right guess, then the new turn sound: waits a moment only")
        << QStringList{"rightguess", "turnnew"} << QList<int>{0, 0} << QStringList{"rightguess"}
        << QStringList{"rightguess", "turnnew"} << SoundPlayer::kTurnWaitMs - 20;
    QTest::newRow("feedback long over: the turn at once")
        << wrongTurn << QList<int>{0, 300} << wrongTurn << wrongTurn << 0;
    QTest::newRow("not feedback: the turn cuts it off")
        << QStringList{"typing1", "turn"} << QList<int>{0, 0} << QStringList{"typing1", "turn"}
        << QStringList{"typing1", "turn"} << 0;
    QTest::newRow("a sound while the turn waits replaces it")
        << QStringList{"wrongguess", "turn", "backspace"} << QList<int>{0, 0, 20}
        << QStringList{"wrongguess", "backspace"} << QStringList{"wrongguess", "backspace"} << 0;
}

void TestSoundPlayer::turnWaitsForFeedback()
{
    QFETCH(QStringList, asked);
    QFETCH(QList<int>, gaps);
    QFETCH(QStringList, atOnce);
    QFETCH(QStringList, heard);
    QFETCH(int, waitsAtLeast);

    Recorder r;
    QElapsedTimer sinceLast;
    for (int i = 0; i < asked.size(); ++i) {
        if (gaps[i])
            QTest::qWait(gaps[i]);
        sinceLast.start();
        r.player.playsounds(asked[i]);
    }
    QCOMPARE(r.sink->played(), atOnce);
    QTRY_COMPARE(r.sink->played().size(), heard.size());
    QVERIFY(sinceLast.elapsed() >= waitsAtLeast);
    QTest::qWait(SoundPlayer::kTurnWaitMs + 50);
    QCOMPARE(r.sink->played(), heard);
}

void TestSoundPlayer::chatterTable()
{
    const QList<ChatterSound> &sounds = SoundPlayer::chatterSounds();
    QCOMPARE(sounds.size(), 12);
    for (int i = 0; i < sounds.size(); ++i) {
        QCOMPARE(sounds[i].tag, i + 1);
        QCOMPARE(sounds[i].name, QStringLiteral("wave%1").arg(i + 1));
        QVERIFY2(!SoundLibrary::resourcePath(sounds[i].name).isEmpty(), qPrintable(sounds[i].name));
    }
    QCOMPARE(sounds[0].caption, QStringLiteral("Doh"));
    QCOMPARE(sounds[4].caption, QStringLiteral("Where have you been?"));
    QCOMPARE(sounds[11].caption, QStringLiteral("Oh No"));
    QCOMPARE(SoundPlayer::chatterCaption(QStringLiteral("WAVE3")), QStringLiteral("Hello"));
    QCOMPARE(SoundPlayer::chatterCaption(QStringLiteral("wave13")), QString());
    QCOMPARE(SoundPlayer::chatterCaption(QStringLiteral("gameover")), QString());
}

void TestSoundPlayer::lookup_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("clip"); // the clip it finds, "default" when it has none

    QTest::newRow("lower") << "entered" << "entered";
    QTest::newRow("upper") << "ENTERED" << "entered";
    QTest::newRow("mixed") << "WaVe12" << "wave12";
    QTest::newRow("wave1 is not wave12") << "wave1" << "wave1";
    QTest::newRow("missing") << "wave13" << "default";
    QTest::newRow("empty") << "" << "default";
    QTest::newRow("with suffix") << "entered.wav" << "default";
    QTest::newRow("path") << "../sounds/entered" << "default";
}

void TestSoundPlayer::lookup()
{
    QFETCH(QString, name);
    QFETCH(QString, clip);

    SoundLibrary library;
    const WaveClip *expected = library.find(clip);
    QVERIFY(expected);
    QCOMPARE(library.find(name) != nullptr, clip != SoundLibrary::kDefaultName);
    QCOMPARE(library.findOrDefault(name), expected);
}

void TestSoundPlayer::clips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("rate");   // 0: any
    QTest::addColumn<double>("least");
    QTest::addColumn<double>("most");

    // The lengths the clips were designed to, give or take a half.
    auto row = [](const char *name, int channels, int bits, int rate, double seconds) {
        QTest::newRow(name) << QString::fromLatin1(name) << channels << bits << rate << seconds * 0.5
                            << seconds * 1.5;
    };
    row("entered", 1, 8, 11025, 0.79);
    row("typing1", 1, 16, 44100, 0.10);
    row("backspace", 1, 16, 44100, 0.22);
    row("wrongguess", 1, 8, 22050, 0.13);
    row("rightguess", 1, 8, 22050, 1.0);
    row("turn", 2, 16, 11025, 0.57);
    row("turnnew", 1, 8, 44100, 0.43);
    row("ballhit", 1, 16, 22050, 0.01);
    row("gameover", 1, 8, 22050, 1.06);
    for (int n = 1; n <= 12; ++n)
        QTest::newRow(qPrintable(QStringLiteral("wave%1").arg(n)))
            << QStringLiteral("wave%1").arg(n) << 1 << 8 << 0 << 0.15 << 3.15;
    QTest::newRow("default") << "default" << 1 << 16 << 0 << 0.05 << 0.5;
}

void TestSoundPlayer::clips()
{
    QFETCH(QString, name);
    QFETCH(int, channels);
    QFETCH(int, bits);
    QFETCH(int, rate);
    QFETCH(double, least);
    QFETCH(double, most);

    const QString path = SoundLibrary::resourcePath(name);
    QVERIFY2(!path.isEmpty(), "not in the resources");
    const QByteArray bytes = QResource(path).uncompressedData();
    QVERIFY(bytes.startsWith("RIFF"));
    QCOMPARE(bytes.mid(8, 4), QByteArray("WAVE"));
    QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 4), quint32(bytes.size() - 8));

    const std::optional<WaveClip> clip = WaveClip::parse(bytes);
    QVERIFY(clip);
    QVERIFY(clip->isPcm());
    QCOMPARE(clip->channels, channels);
    QCOMPARE(clip->bitsPerSample, bits);
    if (rate)
        QCOMPARE(clip->sampleRate, rate);
    QVERIFY2(clip->seconds() >= least && clip->seconds() <= most, qPrintable(QString::number(clip->seconds())));

    // Not silence: a clip that writes only its midpoint would pass everything above.
    const int mid = bits == 8 ? 128 : 0;
    int loud = 0;
    for (qsizetype i = 0; i + bits / 8 <= clip->data.size(); i += bits / 8) {
        const int v = bits == 8 ? quint8(clip->data[i]) : qFromLittleEndian<qint16>(clip->data.constData() + i);
        loud = std::max(loud, std::abs(v - mid) * (bits == 8 ? 256 : 1));
    }
    QVERIFY2(loud > 8000, qPrintable(QString::number(loud)));
}

void TestSoundPlayer::noStrayClips()
{
    QStringList expected{"backspace", "ballhit", "default", "entered", "gameover", "rightguess",
                         "turn", "turnnew", "typing1", "wrongguess"};
    for (const ChatterSound &sound : SoundPlayer::chatterSounds())
        expected.append(sound.name);
    expected.sort();
    QCOMPARE(SoundLibrary::names(), expected);
}

void TestSoundPlayer::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("dataSize");

    const QByteArray mono16 = fmtChunk(1, 1, 22050, 16);
    const QByteArray samples(100, 'x');

    QTest::newRow("plain") << riff(mono16 + chunk("data", samples)) << true << 1 << 100;
    QTest::newRow("list chunk first, odd length padded")
        << riff(chunk("LIST", "abc") + mono16 + chunk("data", samples)) << true << 1 << 100;
    QTest::newRow("data claims more than there is, cut to whole frames")
        << riff(mono16 + chunk("data", QByteArray(51, 'x'), 4000)) << true << 1 << 50;
    QTest::newRow("huge claim on a chunk before the data")
        << riff(mono16 + chunk("junk", "ab", 0xFFFFFFF0) + chunk("data", samples)) << false << 0 << 0;
    QTest::newRow("mp3 in a wave") << riff(fmtChunk(0x55, 1, 22050, 0, 1) + chunk("data", samples)) << true
                                   << 0x55 << 100;
    QTest::newRow("extensible pcm")
        << riff(chunk("fmt ", fmtChunk(0xFFFE, 2, 44100, 16).mid(8) + le16(22) + le16(16) + le32(3)
                                  + le16(1) + QByteArray(14, '\0'))
                + chunk("data", samples))
        << true << 1 << 100;
    QTest::newRow("empty") << QByteArray() << false << 0 << 0;
    QTest::newRow("header only") << QByteArray("RIFF\x04\0\0\0WAVE", 12) << false << 0 << 0;
    QTest::newRow("not wave") << QByteArray("RIFF\x04\0\0\0AVI ", 12) + mono16 << false << 0 << 0;
    QTest::newRow("no data") << riff(mono16) << false << 0 << 0;
    QTest::newRow("no format") << riff(chunk("data", samples)) << false << 0 << 0;
    QTest::newRow("format too short") << riff(chunk("fmt ", QByteArray(10, '\1')) + chunk("data", samples))
                                      << false << 0 << 0;
    QTest::newRow("truncated format") << riff(mono16).left(30) << false << 0 << 0;
    QTest::newRow("no channels") << riff(fmtChunk(1, 0, 22050, 16, 2) + chunk("data", samples)) << false << 0 << 0;
    QTest::newRow("no rate") << riff(fmtChunk(1, 1, 0, 16) + chunk("data", samples)) << false << 0 << 0;
    QTest::newRow("wrong block align") << riff(fmtChunk(1, 2, 22050, 16, 3) + chunk("data", samples)) << false
                                       << 0 << 0;
    QTest::newRow("12-bit") << riff(fmtChunk(1, 1, 22050, 12, 2) + chunk("data", samples)) << false << 0 << 0;
}

void TestSoundPlayer::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QFETCH(int, tag);
    QFETCH(int, dataSize);

    const std::optional<WaveClip> clip = WaveClip::parse(bytes);
    QCOMPARE(clip.has_value(), valid);
    if (!clip)
        return;
    QCOMPARE(clip->formatTag, tag);
    QCOMPARE(clip->data.size(), dataSize);
    if (clip->isPcm())
        QCOMPARE(clip->frames() * clip->blockAlign, qint64(dataSize));
}

void TestSoundPlayer::realSinkNeverBlocks()
{
    // A hang check, not a benchmark: a burst of typing must not stall the window thread,
    // with or without speakers.
    AudioSoundSink sink;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 200; ++i)
        sink.play(i % 3 ? QStringLiteral("typing1") : QStringLiteral("nosuchclip"));
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    if (!sink.hasDevice())
        QCOMPARE(sink.playing(), QString());
}

void TestSoundPlayer::realSinkCutsOff()
{
    AudioSoundSink sink;
    if (!sink.hasDevice())
        QSKIP("no audio output on this machine");
    sink.play(QStringLiteral("GameOver"));
    QCOMPARE(sink.playing(), QStringLiteral("gameover"));
    sink.play(QStringLiteral("wave3"));
    QCOMPARE(sink.playing(), QStringLiteral("wave3"));
    sink.play(QStringLiteral("nosuchclip"));
    QCOMPARE(sink.playing(), SoundLibrary::kDefaultName);
    // The short clip runs out and the sink falls quiet by itself.
    sink.play(QStringLiteral("ballhit"));
    QTRY_COMPARE_WITH_TIMEOUT(sink.playing(), QString(), 3000);
}

QTEST_MAIN(TestSoundPlayer)
#include "test_soundplayer.moc"
