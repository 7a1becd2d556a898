// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "sound/audiosoundsink.h"
#include "sound/soundlibrary.h"
#include "sound/soundplayer.h"
#include "support/childprocess.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <functional>

using namespace brelvox;

// What the player hears: the game's sound player and the real sink play through a private
// sound server (PulseAudio, or PipeWire where the desktop runs it) whose only sink is a null
// sink, and parec records that sink's monitor. Each clip must be found in the recording where
// it started, and nothing where a clip was cut off.

namespace {

constexpr int kRate = 44100; // recording rate: a click keeps its high notes
constexpr int kFrameMs = 10;  // loudness is compared per 10 ms frame
constexpr int kFrame = kRate * kFrameMs / 1000;
constexpr double kLoud = 0.03;  // a clip frame at least this loud must be heard
constexpr double kQuiet = 0.01; // where nothing should sound, the recording stays below

using brelvox::support::dieWithParent;
using brelvox::support::stopProcess;

// Root-mean-square loudness (full scale 1.0) per frame of a PCM clip, channels mixed.
QList<double> envelope(const WaveClip &clip)
{
    QList<double> env;
    const int bytes = clip.bitsPerSample / 8;
    const int perFrame = clip.sampleRate * kFrameMs / 1000;
    const qint64 frames = clip.frames();
    double sum = 0;
    int n = 0;
    for (qint64 f = 0; f < frames; ++f) {
        double mixed = 0;
        for (int c = 0; c < clip.channels; ++c) {
            const char *p = clip.data.constData() + f * clip.blockAlign + c * bytes;
            mixed += bytes == 1 ? (quint8(*p) - 128) / 128.0 : qFromLittleEndian<qint16>(p) / 32768.0;
        }
        mixed /= clip.channels;
        sum += mixed * mixed;
        if (++n == perFrame) {
            env << std::sqrt(sum / n);
            sum = 0;
            n = 0;
        }
    }
    return env;
}

QList<double> envelope(const QByteArray &s16)
{
    QList<double> env;
    const qint64 samples = s16.size() / 2;
    for (qint64 start = 0; start + kFrame <= samples; start += kFrame) {
        double sum = 0;
        for (int i = 0; i < kFrame; ++i) {
            const double v = qFromLittleEndian<qint16>(s16.constData() + 2 * (start + i)) / 32768.0;
            sum += v * v;
        }
        env << std::sqrt(sum / kFrame);
    }
    return env;
}

struct Played {
    QString name;
    qint64 atMs;      // when the sink was asked to play it, on the test's clock
    QList<double> env;
};

// The real sink, noting when each clip reaches it (the player may hold a clip back).
class StampingSink : public SoundSink
{
public:
    std::function<void(const QString &)> onPlay;
    AudioSoundSink real;

    void play(const QString &name) override
    {
        if (onPlay)
            onPlay(name);
        real.play(name);
    }
};

class PrivateSoundServer
{
public:
    PrivateSoundServer()
    {
        QObject::connect(&m_recorder, &QProcess::readyReadStandardOutput, &m_recorder,
                         [this] { m_recording += m_recorder.readAllStandardOutput(); });
    }

    // PulseAudio where it is installed; on a desktop that runs PipeWire instead, a private
    // PipeWire with its PulseAudio service. BRELVOX_TEST_SOUND_SERVER=pipewire picks it anyway.
    bool start()
    {
        if (!m_dir.isValid())
            return false;
        m_socket = m_dir.filePath(QStringLiteral("native"));
        const bool pipeWire = qgetenv("BRELVOX_TEST_SOUND_SERVER") == "pipewire"
            || QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty();
        if (!(pipeWire ? startPipeWire() : startPulseAudio()))
            return false;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 10000 && m_daemon.state() != QProcess::NotRunning) {
            if (QFileInfo::exists(m_socket) && pactl({QStringLiteral("info")}))
                return true;
            QTest::qWait(50);
        }
        m_error = "the sound server did not start: " + m_daemon.readAll() + m_session.readAll();
        return false;
    }

    ~PrivateSoundServer()
    {
        stopProcess(m_recorder);
        stopProcess(m_session);
        stopProcess(m_daemon);
    }

    QString server() const { return QStringLiteral("unix:") + m_socket; }
    QByteArray error() const { return m_error; }

    bool pactl(const QStringList &args)
    {
        QProcess p;
        p.setProcessEnvironment(clientEnvironment());
        p.start(QStringLiteral("pactl"), args);
        return p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    bool startRecording()
    {
        stopProcess(m_recorder);
        m_recording.clear();
        m_recorder.setProcessEnvironment(clientEnvironment());
        dieWithParent(m_recorder);
        m_recorder.start(QStringLiteral("parec"),
                         {QStringLiteral("--device=brelvoxtest.monitor"), QStringLiteral("--raw"),
                          QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                          QStringLiteral("--rate=%1").arg(kRate), QStringLiteral("--latency-msec=10")});
        if (!m_recorder.waitForStarted(5000))
            return false;
        // The monitor delivers from the moment the stream is connected: wait for its first bytes.
        QElapsedTimer clock;
        clock.start();
        while (m_recording.isEmpty() && clock.elapsed() < 5000)
            QTest::qWait(10);
        return !m_recording.isEmpty();
    }

    QByteArray stopRecording()
    {
        m_recording += m_recorder.readAllStandardOutput();
        stopProcess(m_recorder);
        m_recording += m_recorder.readAllStandardOutput();
        return m_recording;
    }
    qint64 recordedMs() const { return m_recording.size() / 2 * 1000 / kRate; }

private:
    QProcessEnvironment daemonEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *var : {"XDG_RUNTIME_DIR", "PIPEWIRE_RUNTIME_DIR", "HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME",
                                "PULSE_RUNTIME_PATH", "PULSE_STATE_PATH"})
            env.insert(QString::fromLatin1(var), m_dir.path());
        env.remove(QStringLiteral("PULSE_SERVER"));
        env.remove(QStringLiteral("PIPEWIRE_REMOTE"));
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        return env;
    }

    bool startPulseAudio()
    {
        const QString exe = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        m_daemon.setProcessEnvironment(daemonEnvironment());
        m_daemon.setProcessChannelMode(QProcess::MergedChannels);
        dieWithParent(m_daemon);
        // -n: no default script, so no session modules; runs as root too (CI does).
        m_daemon.start(exe, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--use-pid-file=no"),
                             QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disallow-exit"),
                             QStringLiteral("--log-target=stderr"), QStringLiteral("-L"),
                             QStringLiteral("module-null-sink sink_name=brelvoxtest"), QStringLiteral("-L"),
                             QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + m_socket});
        return true;
    }

    // PipeWire serves the PulseAudio protocol itself; its session manager (on a bus of its
    // own) links the streams to the null sink.
    bool startPipeWire()
    {
        for (const char *exe : {"pipewire", "wireplumber", "dbus-run-session"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(exe)).isEmpty()) {
                m_error = QByteArray("neither pulseaudio nor ") + exe
                    + " is installed (scripts/install-deps test installs a sound server)";
                return false;
            }
        }
        const QString conf = m_dir.filePath(QStringLiteral("pipewire.conf"));
        QFile file(conf);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(QStringLiteral(R"(context.properties = { core.daemon = true core.name = pipewire-0 }
context.spa-libs = { audio.convert.* = audioconvert/libspa-audioconvert support.* = support/libspa-support }
context.modules = [
  { name = libpipewire-module-protocol-native } { name = libpipewire-module-metadata }
  { name = libpipewire-module-spa-node-factory } { name = libpipewire-module-client-node }
  { name = libpipewire-module-access } { name = libpipewire-module-adapter }
  { name = libpipewire-module-link-factory } { name = libpipewire-module-session-manager }
  { name = libpipewire-module-protocol-pulse args = { server.address = [ "unix:%1" ] } }
]
context.objects = [
  { factory = spa-node-factory
    args = { factory.name = support.node.driver node.name = Dummy-Driver priority.driver = 20000 } }
  { factory = adapter
    args = { factory.name = support.null-audio-sink node.name = brelvoxtest media.class = Audio/Sink
             audio.position = [ FL FR ] monitor.channel-volumes = true } }
]
)")
                       .arg(m_socket)
                       .toUtf8());
        file.close();
        for (QProcess *p : {&m_daemon, &m_session}) {
            p->setProcessEnvironment(daemonEnvironment());
            p->setProcessChannelMode(QProcess::MergedChannels);
            dieWithParent(*p);
        }
        m_daemon.start(QStringLiteral("pipewire"), {QStringLiteral("-c"), conf});
        if (!m_daemon.waitForStarted(5000))
            return false;
        // The session manager needs the daemon's socket to be there.
        QElapsedTimer clock;
        clock.start();
        while (!QFileInfo::exists(m_dir.filePath(QStringLiteral("pipewire-0"))) && clock.elapsed() < 5000)
            QTest::qWait(20);
        m_session.start(QStringLiteral("dbus-run-session"), {QStringLiteral("--"), QStringLiteral("wireplumber")});
        return m_session.waitForStarted(5000);
    }

    QProcessEnvironment clientEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PULSE_SERVER"), server());
        env.insert(QStringLiteral("HOME"), m_dir.path());
        return env;
    }

    QTemporaryDir m_dir;
    QString m_socket;
    QProcess m_daemon;
    QProcess m_session; // PipeWire's session manager
    QProcess m_recorder;
    QByteArray m_recording;
    QByteArray m_error;
};

} // namespace

class TestSoundServer : public QObject
{
    Q_OBJECT
    std::unique_ptr<PrivateSoundServer> m_server;
    std::unique_ptr<SoundPlayer> m_player;
    StampingSink *m_sink = nullptr;
    SoundLibrary m_library;
    int m_heard = 0;
    int m_played = 0;

private Q_SLOTS:
    void initTestCase()
    {
        m_server = std::make_unique<PrivateSoundServer>();
        QVERIFY2(m_server->start(), m_server->error().constData());
        // The sink meets the sound server on its first clip, so this reaches it.
        qputenv("PULSE_SERVER", m_server->server().toUtf8());
        auto sink = std::make_unique<StampingSink>();
        m_sink = sink.get();
        m_player = std::make_unique<SoundPlayer>(std::move(sink));
        QVERIFY(m_sink->real.hasDevice());
    }

    void cleanupTestCase()
    {
        qInfo("clips heard: %d of %d", m_heard, m_played);
        m_player.reset();
        m_server.reset();
    }

    void everyClipHeard_data()
    {
        // Each run: clip names, the pause in ms before each one is asked for, and how long a
        // clip must sound before the next may cut it off (0: any time).
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("gaps");
        QTest::addColumn<int>("lastsMs");
        const QStringList chatter{"wave1", "wave3", "wave8", "wave9", "wave11", "wave2", "wave4", "wave12"};
        QTest::newRow("same format, one after another")
            << chatter << QList<int>{0, 900, 900, 1000, 900, 900, 900, 1000} << 0;
        QTest::newRow("same clip again and again")
            << QStringList(8, QStringLiteral("wrongguess")) << QList<int>{0, 400, 400, 400, 400, 400, 400, 400} << 0;
        QTest::newRow("format changes")
            << QStringList{"entered", "typing1", "turn", "wrongguess", "turnnew", "backspace", "entered", "turn"}
            << QList<int>{0, 1000, 300, 800, 300, 600, 400, 1000} << 0;
        QTest::newRow("cut off, same format") << QStringList{"gameover", "wave3", "rightguess", "wrongguess"}
                                              << QList<int>{0, 300, 900, 250} << 0;
        QTest::newRow("cut off, other format")
            << QStringList{"gameover", "ballhit", "turn", "typing1"} << QList<int>{0, 250, 1300, 200} << 0;
        QTest::newRow("a short clip alone") << QStringList(10, QStringLiteral("ballhit")) << QList<int>(10, 500) << 0;
        QTest::newRow("feedback, then the turn at once")
            << QStringList{"wrongguess", "turn", "wrongguess", "turnnew", "rightguess", "turn"}
            << QList<int>{0, 10, 1500, 10, 1500, 10} << SoundPlayer::kTurnWaitMs;
        QTest::newRow("typing") << QStringList(14, QStringLiteral("typing1")) + QStringList{"backspace", "typing1"}
                                << QList<int>{0,   160, 160, 160, 160, 160, 160, 160, 160,
                                              160, 160, 160, 160, 160, 250, 350} << 0;
    }

    void everyClipHeard()
    {
        QFETCH(QStringList, names);
        QFETCH(QList<int>, gaps);
        QFETCH(int, lastsMs);
        QCOMPARE(names.size(), gaps.size());

        QVERIFY(m_server->startRecording());
        QTest::qWait(300);
        QElapsedTimer clock;
        clock.start();
        const qint64 recordedAtStart = m_server->recordedMs();
        QList<Played> played;
        m_sink->onPlay = [&](const QString &name) {
            const WaveClip *clip = m_library.find(name);
            played << Played{name, clock.elapsed(), clip ? envelope(*clip) : QList<double>()};
        };
        const auto unhook = qScopeGuard([this] { m_sink->onPlay = {}; });
        qint64 due = 0;
        for (int i = 0; i < names.size(); ++i) {
            due += gaps[i];
            while (clock.elapsed() < due)
                QTest::qWait(int(std::min<qint64>(5, due - clock.elapsed())));
            QVERIFY(m_library.find(names[i]));
            m_player->playsounds(names[i]);
        }
        QTest::qWait(1000);
        QCOMPARE(played.size(), names.size());
        QTest::qWait(int(played.last().env.size() * kFrameMs) + 600);
        const QList<double> rec = envelope(m_server->stopRecording());

        // What should sound in each frame on the test's clock: each clip until the next starts.
        const qint64 endMs = clock.elapsed();
        QList<double> expected(endMs / kFrameMs + 1, 0.0);
        QList<int> owner(expected.size(), -1);
        for (int i = 0; i < played.size(); ++i) {
            const qint64 cut = i + 1 < played.size() ? played[i + 1].atMs : endMs;
            for (int f = 0; f < played[i].env.size(); ++f) {
                const qint64 at = (played[i].atMs + f * kFrameMs) / kFrameMs;
                if (at * kFrameMs >= cut || at >= expected.size())
                    break;
                expected[at] = played[i].env[f];
                owner[at] = i;
            }
        }
        // The recording lags the clock by the recorder's start and the sink's latency: take the
        // lag that best lines the whole run up, between 0 and 400 ms.
        const qint64 base = recordedAtStart / kFrameMs;
        auto recAt = [&](qint64 frame) { return frame >= 0 && frame < rec.size() ? rec[frame] : 0.0; };
        int lag = 0;
        double best = -1;
        for (int l = -10; l <= 40; ++l) {
            double score = 0;
            for (int f = 0; f < expected.size(); ++f)
                score += std::min(expected[f], recAt(base + f + l));
            if (score > best) {
                best = score;
                lag = l;
            }
        }

        // A clip is heard when at least half its loud frames (before it is cut off, and at
        // least those of its first lastsMs) are in the recording, allowing a few frames of
        // drift: a busy machine may drop a refill.
        QStringList unheard;
        for (int i = 0; i < played.size(); ++i) {
            int loud = 0, found = 0;
            for (int f = 0; f < played[i].env.size(); ++f) {
                const qint64 at = (played[i].atMs + f * kFrameMs) / kFrameMs;
                const bool sounding = at < expected.size() && owner[at] == i;
                if (played[i].env[f] < kLoud || (!sounding && f * kFrameMs >= lastsMs))
                    continue;
                ++loud;
                double near = 0;
                for (int d = -3; d <= 3 && sounding; ++d)
                    near = std::max(near, recAt(base + at + lag + d));
                if (sounding && near >= expected[at] * 0.3)
                    ++found;
            }
            QVERIFY2(loud > 0, qPrintable(played[i].name + " has no loud part before it is cut off"));
            ++m_played;
            if (found * 2 >= loud)
                ++m_heard;
            else
                unheard << QStringLiteral("%1 #%2 (%3 of %4 loud frames)").arg(played[i].name).arg(i).arg(found).arg(loud);
        }
        // Where no clip should sound (a cut-off clip's rest, the pauses), the recording is quiet.
        QStringList stray;
        for (int f = 0; f < expected.size(); ++f) {
            bool quietAround = true;
            for (int d = -8; d <= 8 && quietAround; ++d)
                quietAround = f + d < 0 || f + d >= expected.size() || expected[f + d] < kQuiet;
            if (quietAround && recAt(base + f + lag) >= kQuiet * 3)
                stray << QString::number(f * kFrameMs);
        }
        QVERIFY2(unheard.isEmpty(), qPrintable("not heard: " + unheard.join(", ")));
        QVERIFY2(stray.isEmpty(), qPrintable("sound where all should be quiet, at ms " + stray.join(' ')));
    }
};

QTEST_MAIN(TestSoundServer)
#include "test_soundserver.moc"
