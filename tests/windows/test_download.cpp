// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "localhttpserver.h"

#include "core/userfiles.h"
#include "widgets/dialogs.h"
#include "widgets/flatbutton.h"
#include "widgets/shellopen.h"
#include "windows/httpclient.h"
#include "windows/lobbyconfig.h"
#include "windows/tdownload.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTcpServer>

using namespace brelvox;

namespace {
struct ShellCall {
    QString target;
    QString parameters;
    ShellShow show;
};

QByteArray payload(int size)
{
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = char((i * 7 + i / 256) & 0xFF);
    return b;
}
} // namespace

class TestDownload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void windowLayout();
    void successfulDownloadIsSaved_data();
    void successfulDownloadIsSaved();
    void failedDownloadSavesNothing_data();
    void failedDownloadSavesNothing();
    void onlyOverHttps_data();
    void onlyOverHttps();
    void stopDuringSlowBody();
    void stopWhileIdleThenDownload();
    void requestOnTheWire();
    void fileNameIsLastSegment_data();
    void fileNameIsLastSegment();
    void cannotCreateFile_data();
    void cannotCreateFile();
    void closingIsPlaySolo();
    void closingDuringDownloadStopsIt();
    void playWithOthers_data();
    void playWithOthers();

private:
    FlatButton *button(const char *name) const { return m_window->findChild<FlatButton *>(QLatin1String(name)); }
    QString label(const char *name) const { return m_window->findChild<QLabel *>(QLatin1String(name))->text(); }
    QStringList filesInDir() const { return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden); }
    bool waitIdle() { return QTest::qWaitFor([this] { return !m_window->httpClient()->isRunning(); }, 5000); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<LocalHttpServer> m_server;
    std::unique_ptr<Tdownload> m_window;
    QList<ShellCall> m_shell;
    bool m_shellSucceeds = true;
    QStringList m_boxes;
};

void TestDownload::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    setUserFileDir(m_dir->path());
    m_server = std::make_unique<LocalHttpServer>();
    QVERIFY2(m_server->isListening(), m_server->error().constData());
    lobbyconfig::setLobbyUrl(m_server->url(QStringLiteral("/lobby/TestLobbySetup.bin")));
    m_shell.clear();
    m_boxes.clear();
    m_shellSucceeds = true;
    setShellOpenHandler([this](const QString &target, const QString &parameters, ShellShow show) {
        m_shell.append({target, parameters, show});
        return m_shellSucceeds;
    });
    dialogs::setHandler([this](dialogs::Kind, const QString &, const QString &text) {
        m_boxes.append(text);
        return true;
    });
    m_window = std::make_unique<Tdownload>();
    m_window->httpClient()->setCaFile(LocalHttpServer::caFile());
}

void TestDownload::cleanup()
{
    m_window.reset();
    setShellOpenHandler({});
    dialogs::setHandler({});
}

void TestDownload::windowLayout()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Download The Ostrel Lobby"));
    QCOMPARE(m_window->size(), QSize(724, 500));
    QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(m_window->windowType(), Qt::Tool);
    const QPixmap ad = m_window->findChild<QLabel *>(QStringLiteral("image_ad"))->pixmap();
    QCOMPARE(ad.size(), QSize(400, 339));
    QCOMPARE(button("getbutton")->text(), QStringLiteral("Download And Install The Ostrel Lobby Now"));
    QCOMPARE(button("abortbutton")->text(), QStringLiteral("Stop Download"));
    QCOMPARE(button("Button1")->text(), QStringLiteral("Play Solo Game"));
    QCOMPARE(button("Button2")->text(), QStringLiteral("Play with Others"));
    QVERIFY(button("getbutton")->isEnabled());
    QVERIFY(!button("abortbutton")->isEnabled());
    QCOMPARE(label("infolabel"), QString());
    QCOMPARE(label("infolabel3"), QString());
}

void TestDownload::successfulDownloadIsSaved_data()
{
    QTest::addColumn<bool>("folderOpens");
    QTest::newRow("folder opens") << true;
    QTest::newRow("folder does not open") << false;
}

void TestDownload::successfulDownloadIsSaved()
{
    QFETCH(bool, folderOpens);
    m_shellSucceeds = folderOpens;
    const QByteArray body = payload(60000);
    m_server->serve(200, body, 6);
    QSignalSpy status(m_window.get(), &Tdownload::statusChanged);
    QSignalSpy stage(m_window.get(), &Tdownload::stageChanged);
    QSignalSpy exit(m_window.get(), &Tdownload::exitRequested);

    QTest::mouseClick(button("getbutton"), Qt::LeftButton);
    QVERIFY(!button("getbutton")->isEnabled());
    QVERIFY(button("abortbutton")->isEnabled());
    QCOMPARE(label("infolabel2"), QStringLiteral("TestLobbySetup.bin"));
    QVERIFY(waitIdle());

    QStringList texts;
    for (const QList<QVariant> &s : std::as_const(status))
        texts.append(s.at(0).toString());
    // Status line, three header fields: one dot each.
    QCOMPARE(texts.mid(0, 5), (QStringList{"Loading", "Loading.", "Loading..", "Loading...", "Loading...."}));
    QCOMPARE(texts.last(), QStringLiteral("Received 60000 bytes"));
    const QStringList counts = texts.mid(5, texts.size() - 6);
    QVERIFY(!counts.isEmpty());
    qint64 previous = 0;
    for (const QString &c : counts) {
        QVERIFY2(c.endsWith(QLatin1String(" bytes")), qPrintable(c));
        const qint64 n = c.chopped(6).toLongLong();
        QVERIFY(n > previous);
        previous = n;
    }
    QCOMPARE(previous, qint64(60000));

    QCOMPARE(stage.size(), 2);
    QCOMPARE(stage.at(0).at(0).toString(), QStringLiteral("Downloading: TestLobbySetup.bin"));
    QCOMPARE(stage.at(1).at(0).toString(), QStringLiteral("Saved"));

    // Saved, never runnable, never started: the player gets its folder and its name.
    const QString path = QDir(m_dir->path()).filePath(QStringLiteral("TestLobbySetup.bin"));
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), body);
    QCOMPARE(saved.permissions() & (QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup
                                    | QFileDevice::ExeOther),
             QFileDevice::Permissions());
    QCOMPARE(m_shell.size(), 1);
    QCOMPARE(m_shell.at(0).target, m_dir->path());
    QCOMPARE(m_shell.at(0).parameters, QString());
    QCOMPARE(m_boxes, QStringList{QStringLiteral("The Ostrel Lobby's installer was saved as ") + QDir::toNativeSeparators(path)
                                  + (folderOpens ? QStringLiteral(". Its folder is open in the file manager.")
                                                 : QStringLiteral(". Its folder could not be opened."))});
    QVERIFY(button("getbutton")->isEnabled());
    QVERIFY(!button("abortbutton")->isEnabled());
    QCOMPARE(m_window->flag(), int(Tdownload::Running));
    QCOMPARE(exit.size(), 0);
}

void TestDownload::failedDownloadSavesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("certificate signed by another") << "stranger";
    QTest::newRow("certificate not trusted by the system") << "system";
    QTest::newRow("404") << "404";
    QTest::newRow("500") << "500";
    QTest::newRow("302 without a location") << "302";
    QTest::newRow("connection refused") << "refused";
    QTest::newRow("server never answers") << "hang";
    QTest::newRow("body stops short") << "short";
    QTest::newRow("body too large") << "large";
}

void TestDownload::failedDownloadSavesNothing()
{
    QFETCH(QString, how);
    const bool untrusted = how == QLatin1String("stranger") || how == QLatin1String("system");
    // A stale file of the same name is not what a failed download leaves behind either.
    // (A short stall time-out only where the server goes silent: a handshake that reads
    // the system's certificates may take longer on a busy machine.)
    if (how == QLatin1String("hang") || how == QLatin1String("short"))
        m_window->httpClient()->setStallTimeout(300);
    if (how == QLatin1String("refused")) {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        const quint16 port = closed.serverPort();
        closed.close();
        lobbyconfig::setLobbyUrl(QStringLiteral("http://127.0.0.1:%1/lobby/TestLobbySetup.bin").arg(port));
    } else if (how == QLatin1String("hang")) {
        m_server->hang();
    } else if (how == QLatin1String("short")) {
        m_server->stall(5000, payload(1000));
    } else if (untrusted) {
        m_window->httpClient()->setCaFile(how == QLatin1String("system") ? QString() : LocalHttpServer::strangerCaFile());
        m_server->serve(200, payload(100));
    } else if (how == QLatin1String("large")) {
        m_window->httpClient()->setMaxBytes(4000);
        m_server->serve(200, payload(9000), 3);
    } else {
        m_server->serve(how.toInt(), "<html>nothing here</html>");
    }
    QSignalSpy exit(m_window.get(), &Tdownload::exitRequested);
    QSignalSpy stage(m_window.get(), &Tdownload::stageChanged);

    m_window->getbuttonClick();
    QVERIFY(waitIdle());

    QCOMPARE(label("infolabel"), QStringLiteral("Download Aborted"));
    QCOMPARE(m_window->flag(), int(Tdownload::Aborted));
    QVERIFY(button("getbutton")->isEnabled());
    QVERIFY(!button("abortbutton")->isEnabled());
    QVERIFY(m_shell.isEmpty());
    QCOMPARE(exit.size(), 0);
    for (const QList<QVariant> &s : std::as_const(stage))
        QVERIFY(s.at(0).toString() != QLatin1String("Saved"));
    QCOMPARE(filesInDir(), QStringList());
    if (untrusted) {
        // Refused in the handshake: the request itself never left.
        QVERIFY2(m_window->httpClient()->outcome() == HttpClient::Outcome::Untrusted,
                 qPrintable(m_window->httpClient()->errorString()));
        QCOMPARE(m_server->requests().size(), 0);
        QCOMPARE(m_boxes, QStringList{QStringLiteral("The server's certificate is not trusted; nothing was saved.")});
    }
}

void TestDownload::onlyOverHttps_data()
{
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<bool>("fetched");
    QTest::newRow("http moves to https") << "http" << true;
    QTest::newRow("HTTPS in capitals") << "HTTPS" << true;
    QTest::newRow("ftp refused") << "ftp" << false;
}

void TestDownload::onlyOverHttps()
{
    QFETCH(QString, scheme);
    QFETCH(bool, fetched);
    const QString url = m_server->url(QStringLiteral("/lobby/TestLobbySetup.bin")).replace(QStringLiteral("https"), scheme);
    lobbyconfig::setLobbyUrl(url);
    m_server->serve(200, "abc");
    m_window->getbuttonClick();
    QVERIFY(waitIdle());
    if (fetched) {
        QCOMPARE(m_server->requests().size(), 1);
        QCOMPARE(label("infolabel"), QStringLiteral("Received 3 bytes"));
        return;
    }
    QCOMPARE(m_boxes, QStringList{QStringLiteral("The lobby is only downloaded over https, not from ") + url + '.'});
    QCOMPARE(m_server->connectionCount(), 0);
    QCOMPARE(filesInDir(), QStringList());
    QVERIFY(button("getbutton")->isEnabled());
    QVERIFY(!button("abortbutton")->isEnabled());
}

void TestDownload::stopDuringSlowBody()
{
    m_server->stall(1 << 20, payload(2000));
    QSignalSpy status(m_window.get(), &Tdownload::statusChanged);
    connect(m_window.get(), &Tdownload::statusChanged, this, [this](const QString &text) {
        if (text.endsWith(QLatin1String(" bytes")) && !text.startsWith(QLatin1String("Received")))
            QTest::mouseClick(button("abortbutton"), Qt::LeftButton);
    });
    m_window->getbuttonClick();
    QVERIFY(waitIdle());

    QStringList texts;
    for (const QList<QVariant> &s : std::as_const(status))
        texts.append(s.at(0).toString());
    QCOMPARE(texts.mid(texts.size() - 2), (QStringList{"Download has been aborted.", "Download Aborted"}));
    QCOMPARE(label("infolabel3"), QStringLiteral("Download Aborted"));
    QCOMPARE(m_window->flag(), int(Tdownload::Aborted));
    QVERIFY(m_shell.isEmpty());
    QCOMPARE(filesInDir(), QStringList());
    // The transfer really stops: the server sees its connection closed.
    QTRY_COMPARE(m_server->openConnections(), 0);
}

void TestDownload::stopWhileIdleThenDownload()
{
    m_window->abortbuttonClick();
    QCOMPARE(label("infolabel"), QStringLiteral("Download has been aborted."));
    QCOMPARE(label("infolabel3"), QStringLiteral("Download Aborted"));
    QCOMPARE(m_window->flag(), int(Tdownload::Aborted));
    QVERIFY(button("getbutton")->isEnabled());
    QVERIFY(!button("abortbutton")->isEnabled());
    QTest::qWait(20);
    QCOMPARE(m_server->connectionCount(), 0);
    QCOMPARE(label("infolabel"), QStringLiteral("Download has been aborted."));

    m_server->serve(200, payload(1234));
    m_window->getbuttonClick();
    QVERIFY(waitIdle());
    QCOMPARE(label("infolabel"), QStringLiteral("Received 1234 bytes"));
    QCOMPARE(m_window->flag(), int(Tdownload::Running));
    QCOMPARE(m_shell.size(), 1);
}

void TestDownload::requestOnTheWire()
{
    // A proxy from the environment must not be used.
    qputenv("https_proxy", "http://127.0.0.1:9");
    m_server->serve(200, "x");
    m_window->getbuttonClick();
    QVERIFY(waitIdle());
    qunsetenv("https_proxy");

    QCOMPARE(m_server->requests().size(), 1);
    const QList<QByteArray> lines = m_server->requests().at(0).split('\n');
    QCOMPARE(lines.at(0).trimmed(), QByteArray("GET /lobby/TestLobbySetup.bin HTTP/1.0"));
    QStringList headers;
    for (const QByteArray &l : lines.mid(1))
        headers.append(QString::fromLatin1(l.trimmed()));
    QVERIFY2(headers.contains(QStringLiteral("User-Agent: Mozilla/3.0 (compatible)")), qPrintable(headers.join('|')));
    QVERIFY(headers.contains(QStringLiteral("Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*")));
    QCOMPARE(headers.filter(QRegularExpression(QStringLiteral("^Accept:"))).size(), 1);
}

void TestDownload::fileNameIsLastSegment_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("lobby folder") << "/lobby/OstrelLobbySetup.exe" << "OstrelLobbySetup.exe";
    QTest::newRow("deep") << "/a/b/c/setup-2.bin" << "setup-2.bin";
    QTest::newRow("top") << "/inst" << "inst";
}

void TestDownload::fileNameIsLastSegment()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    lobbyconfig::setLobbyUrl(m_server->url(path));
    m_server->serve(200, "abc");
    m_window->getbuttonClick();
    QVERIFY(waitIdle());
    QCOMPARE(label("infolabel2"), name);
    QCOMPARE(filesInDir(), QStringList{name});
}

void TestDownload::cannotCreateFile_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("missing folder") << "missing";
    QTest::newRow("read-only folder") << "readonly";
    QTest::newRow("URL ends in a slash") << "slash";
}

void TestDownload::cannotCreateFile()
{
    QFETCH(QString, where);
    QString dir = m_dir->path();
    QString name = QStringLiteral("TestLobbySetup.bin");
    if (where == QLatin1String("missing")) {
        dir += QStringLiteral("/not/there");
    } else if (where == QLatin1String("readonly")) {
        dir += QStringLiteral("/locked");
        QVERIFY(QDir().mkdir(dir));
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (QFileInfo(dir).isWritable())
            QSKIP("running with rights that ignore folder permissions");
    } else {
        lobbyconfig::setLobbyUrl(m_server->url(QStringLiteral("/lobby/")));
        name.clear();
    }
    setUserFileDir(dir);
    m_server->serve(200, "abc");
    m_window->abortbuttonClick();
    m_window->getbuttonClick();
    QCOMPARE(m_boxes.size(), 1);
    const QString path = QDir::toNativeSeparators(QDir(dir).filePath(name));
    QCOMPARE(m_boxes.at(0), QStringLiteral("Cannot create file ") + path + QStringLiteral("."));
    // Nothing moved, nothing asked.
    QVERIFY(button("getbutton")->isEnabled());
    QVERIFY(!button("abortbutton")->isEnabled());
    QCOMPARE(label("infolabel"), QStringLiteral("Download has been aborted."));
    QVERIFY(!m_window->httpClient()->isRunning());
    QTest::qWait(20);
    QCOMPARE(m_server->connectionCount(), 0);
    if (where == QLatin1String("readonly"))
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestDownload::closingIsPlaySolo()
{
    QSignalSpy exit(m_window.get(), &Tdownload::exitRequested);
    m_window->showOnDesktop();
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->close());
    QVERIFY(!m_window->isVisible());
    m_window->showOnDesktop();
    QTest::mouseClick(button("Button1"), Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(exit.size(), 0);
    QVERIFY(m_boxes.isEmpty());
}

void TestDownload::closingDuringDownloadStopsIt()
{
    m_server->stall(1 << 20, payload(100));
    m_window->showOnDesktop();
    m_window->getbuttonClick();
    QVERIFY(QTest::qWaitFor([this] { return m_server->requests().size() == 1; }, 3000));
    m_window->close();
    QVERIFY(waitIdle());
    QCOMPARE(label("infolabel"), QStringLiteral("Download Aborted"));
    QVERIFY(m_shell.isEmpty());
    QCOMPARE(filesInDir(), QStringList());
}

void TestDownload::playWithOthers_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("starts");
    QTest::newRow("installed") << true << true;
    QTest::newRow("installed, fails to start") << true << false;
    QTest::newRow("not installed") << false << true;
}

void TestDownload::playWithOthers()
{
    QFETCH(bool, installed);
    QFETCH(bool, starts);
    m_shellSucceeds = starts;
    const QString program = QDir(m_dir->path()).filePath(QStringLiteral("ostrellobby"));
    if (installed) {
        QFile f(program);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    lobbyconfig::setLobbyProgramPath(program);
    QSignalSpy exit(m_window.get(), &Tdownload::exitRequested);
    QTest::mouseClick(button("Button2"), Qt::LeftButton);

    if (!installed) {
        QVERIFY(m_shell.isEmpty());
        QCOMPARE(m_boxes, QStringList{QStringLiteral("Please close the game and open the Ostrel Lobby using the icon on "
                                                     "your desktop or using the your Window's start-up menu.")});
        QCOMPARE(exit.size(), 0);
        return;
    }
    QCOMPARE(m_shell.size(), 1);
    QCOMPARE(m_shell.at(0).target, program);
    QCOMPARE(m_shell.at(0).parameters, QString());
    QCOMPARE(m_shell.at(0).show, ShellShow::NoActivate);
    QCOMPARE(exit.size(), starts ? 1 : 0);
    QCOMPARE(m_boxes, starts ? QStringList() : QStringList{QStringLiteral("An Error has Occurred.")});
}

QTEST_MAIN(TestDownload)
#include "test_download.moc"
