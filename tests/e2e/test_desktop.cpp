// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "support/childprocess.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

// The real brelvox on a private X display with a window manager: what the desktop sees
// of its windows, and how it ends when the desktop asks it to.

namespace {

using brelvox::support::dieWithParent;
using brelvox::support::stopProcess;

// Xvfb on a display number it picks itself, with openbox.
class Desktop
{
public:
    bool start()
    {
        dieWithParent(m_x);
        m_x.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                                           QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                                           QStringLiteral("1280x1024x24")});
        QByteArray out;
        QElapsedTimer clock;
        clock.start();
        while (!out.contains('\n') && clock.elapsed() < 15000 && m_x.state() != QProcess::NotRunning) {
            m_x.waitForReadyRead(200);
            out += m_x.readAllStandardOutput();
        }
        if (!out.contains('\n'))
            return false;
        m_display = QStringLiteral(":") + QString::fromLatin1(out.trimmed());
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("DISPLAY"), m_display);
        // Under AddressSanitizer: libxkbcommon-x11 passes strndup a buffer with no NUL in
        // it, which strict string checks report at start-up; only the X11 platform meets it.
        if (m_env.contains(QStringLiteral("ASAN_OPTIONS")))
            m_env.insert(QStringLiteral("ASAN_OPTIONS"),
                         m_env.value(QStringLiteral("ASAN_OPTIONS"))
                             .replace(QStringLiteral("strict_string_checks=1"), QStringLiteral("strict_string_checks=0")));
        m_env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        m_env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        m_wm.setProcessEnvironment(m_env);
        dieWithParent(m_wm);
        m_wm.start(QStringLiteral("openbox"), {});
        // The window manager is up once wmctrl can talk to it.
        return waitFor([this] { return run(QStringLiteral("wmctrl"), {QStringLiteral("-m")}).contains("Name:"); });
    }
    ~Desktop()
    {
        stopProcess(m_wm);
        stopProcess(m_x);
    }

    QProcessEnvironment environment() const { return m_env; }

    QByteArray run(const QString &program, const QStringList &args) const
    {
        QProcess p;
        p.setProcessEnvironment(m_env);
        p.start(program, args);
        p.waitForFinished(5000);
        return p.readAllStandardOutput();
    }

    // Window id and title of each top-level window of process pid.
    QList<std::pair<QString, QString>> windowsOf(qint64 pid) const
    {
        QList<std::pair<QString, QString>> result;
        const QString list = QString::fromUtf8(run(QStringLiteral("wmctrl"), {QStringLiteral("-l"), QStringLiteral("-p")}));
        static const QRegularExpression line(QStringLiteral("^(0x[0-9a-f]+)\\s+\\S+\\s+(\\d+)\\s+\\S+\\s(.*)$"),
                                             QRegularExpression::MultilineOption);
        for (auto it = line.globalMatch(list); it.hasNext();) {
            const auto m = it.next();
            if (m.captured(2).toLongLong() == pid)
                result.append({m.captured(1), m.captured(3)});
        }
        return result;
    }

    // Generous: a loaded machine may take long to start a program or a window manager.
    static bool waitFor(const std::function<bool()> &done, int ms = 60000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > ms)
                return false;
            QTest::qWait(100);
        }
        return true;
    }

private:
    QProcess m_x;
    QProcess m_wm;
    QString m_display;
    QProcessEnvironment m_env;
};

// The real program copied into a folder of its own, so its settings and tally land there.
class Program
{
public:
    Program(const Desktop &desktop, const QStringList &args, const QByteArray &settings = {})
    {
        const QString exe = m_dir.filePath(QStringLiteral("brelvox"));
        QFile::copy(QStringLiteral(BRELVOX_PATH), exe);
        if (!settings.isEmpty()) {
            QFile ini(file(QStringLiteral("ostrellobby.ini")));
            if (ini.open(QIODevice::WriteOnly))
                ini.write(settings);
        }
        QDir(m_dir.path()).mkpath(QStringLiteral("run"));
        QFile::setPermissions(m_dir.filePath(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = desktop.environment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("HOME"), m_dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(m_dir.path());
        dieWithParent(m_process);
        m_process.start(exe, args);
    }
    ~Program() { stopProcess(m_process); }

    QProcess &process() { return m_process; }
    qint64 pid() const { return m_process.processId(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT
    std::unique_ptr<Desktop> m_desktop;

    // The title of the one window of the program whose title starts with prefix.
    static QString titleStartingWith(const QList<std::pair<QString, QString>> &windows, const QString &prefix)
    {
        for (const auto &w : windows)
            if (w.second.startsWith(prefix))
                return w.second;
        return {};
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_desktop = std::make_unique<Desktop>();
        QVERIFY2(m_desktop->start(), "Xvfb and openbox did not start (scripts/install-deps installs them)");
    }

    void cleanupTestCase() { m_desktop.reset(); }

    void endsLikeExit_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }

    // A window moved and resized by the player, then the desktop asks the program to end:
    // exit status 0, the place and the tally are saved.
    void endsLikeExit()
    {
        QFETCH(int, signalNumber);
        // Hosting, so the settings are loaded once the own client is seated: a copy that
        // never loaded them leaves the file alone. The stored place shows when they are.
        Program brelvox(*m_desktop, {QStringLiteral("Rook"), QStringLiteral("127.0.0.1"), QStringLiteral("true")},
                        "[Brelvox]\nLeft=400\nTop=300\nWidth=800\nHeight=600\n");
        QString id;
        QVERIFY(Desktop::waitFor([&] {
            const auto windows = m_desktop->windowsOf(brelvox.pid());
            id = windows.isEmpty() ? QString() : windows.first().first;
            return !id.isEmpty();
        }));
        QVERIFY(Desktop::waitFor([&] {
            return m_desktop->run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id}).contains("Width: 792");
        }));
        m_desktop->run(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-r"), id, QStringLiteral("-e"),
                                                  QStringLiteral("0,200,150,900,700")});
        QVERIFY(Desktop::waitFor([&] {
            const QByteArray info = m_desktop->run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
            static const QRegularExpression left(QStringLiteral("Absolute upper-left X:\\s+2\\d\\d\\s"));
            return info.contains("Width: 900") && left.match(QString::fromLatin1(info)).hasMatch();
        }));
        ::kill(pid_t(brelvox.pid()), signalNumber);
        QVERIFY(brelvox.process().waitForFinished(15000));
        QCOMPARE(brelvox.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(brelvox.process().exitCode(), 0);

        QVERIFY(QFile::exists(brelvox.file(QStringLiteral("Brelvoxtally.tld"))));
        QSettings ini(brelvox.file(QStringLiteral("ostrellobby.ini")), QSettings::IniFormat);
        ini.beginGroup(QStringLiteral("Brelvox"));
        // The saved place is the frame's: near where the window was put, a little larger.
        QVERIFY2(qAbs(ini.value(QStringLiteral("Left")).toInt() - 200) < 40, qPrintable(ini.value("Left").toString()));
        QVERIFY2(qAbs(ini.value(QStringLiteral("Width")).toInt() - 900) < 40, qPrintable(ini.value("Width").toString()));
    }

    void captionsAsGiven()
    {
        // A solo game shows the main window and the lobby download window.
        Program brelvox(*m_desktop, {});
        QList<std::pair<QString, QString>> windows;
        QVERIFY(Desktop::waitFor([&] {
            windows = m_desktop->windowsOf(brelvox.pid());
            return windows.size() >= 2;
        }));
        QCOMPARE(titleStartingWith(windows, QStringLiteral("Brelvox")), QStringLiteral("Brelvox"));
        QCOMPARE(titleStartingWith(windows, QStringLiteral("Download")), QStringLiteral("Download The Ostrel Lobby"));
        for (const auto &w : windows) {
            const QByteArray props = m_desktop->run(QStringLiteral("xprop"), {QStringLiteral("-id"), w.first, QStringLiteral("_NET_WM_NAME")});
            QCOMPARE(props.trimmed(), QByteArray("_NET_WM_NAME(UTF8_STRING) = \"" + w.second.toUtf8() + '"'));
        }
        // The download window belongs to the main window, so the window manager keeps it over it.
        QString mainId, downloadId;
        for (const auto &w : windows) {
            if (w.second == QLatin1String("Brelvox"))
                mainId = w.first;
            else if (w.second.startsWith(QLatin1String("Download")))
                downloadId = w.first;
        }
        const QByteArray owner = m_desktop->run(QStringLiteral("xprop"), {QStringLiteral("-id"), downloadId, QStringLiteral("WM_TRANSIENT_FOR")});
        const qsizetype hash = owner.lastIndexOf('#');
        QVERIFY2(hash > 0, owner.constData());
        QCOMPARE(owner.mid(hash + 1).trimmed().toULongLong(nullptr, 16), mainId.toULongLong(nullptr, 16));
    }

    void commandLineIsThePlayers_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("-reverse") << QStringList{"-reverse"};
        QTest::newRow("-name") << QStringList{"-name", "Rook"};
        QTest::newRow("-style") << QStringList{"-style", "fusion"};
    }

    // These are the player's names, not toolkit options: with one or two arguments the
    // program waits for its seats and does not start a solo game with its download window.
    void commandLineIsThePlayers()
    {
        QFETCH(QStringList, args);
        Program brelvox(*m_desktop, args);
        QVERIFY(Desktop::waitFor([&] { return !m_desktop->windowsOf(brelvox.pid()).isEmpty(); }));
        QTest::qWait(1500);
        const auto windows = m_desktop->windowsOf(brelvox.pid());
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows.first().second, QStringLiteral("Brelvox"));
    }
};

QTEST_GUILESS_MAIN(TestDesktop)
#include "test_desktop.moc"
