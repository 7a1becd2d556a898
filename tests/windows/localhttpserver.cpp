// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "localhttpserver.h"

#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTemporaryDir>
#include <QTimer>

namespace {
// A self-signed certificate for 127.0.0.1 as NAME.pem with its key NAME.key; an error
// text, or empty when it was made.
QByteArray makeCertificate(const QString &dir, const QString &name)
{
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                   QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                   QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1"), QStringLiteral("-keyout"),
                   dir + QLatin1Char('/') + name + QStringLiteral(".key"), QStringLiteral("-out"),
                   dir + QLatin1Char('/') + name + QStringLiteral(".pem")});
    if (!openssl.waitForFinished(20000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0)
        return "openssl could not make a certificate (scripts/install-deps test installs it): " + openssl.readAll();
    return QByteArray();
}

struct Certificates {
    QTemporaryDir dir;
    QByteArray error;
    Certificates()
    {
        error = makeCertificate(dir.path(), QStringLiteral("server"));
        if (error.isEmpty())
            error = makeCertificate(dir.path(), QStringLiteral("stranger"));
    }
    QString path(const char *file) const { return dir.filePath(QLatin1String(file)); }
};

const Certificates &certificates()
{
    static const Certificates made;
    return made;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

QString LocalHttpServer::caFile()
{
    return certificates().path("server.pem");
}

QString LocalHttpServer::strangerCaFile()
{
    return certificates().path("stranger.pem");
}

LocalHttpServer::LocalHttpServer()
{
    m_error = certificates().error;
    if (!m_error.isEmpty())
        return;
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(readFile(caFile())));
    tls.setPrivateKey(QSslKey(readFile(certificates().path("server.key")), QSsl::Ec));
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    m_server.setSslConfiguration(tls);
    if (!m_server.listen(QHostAddress::LocalHost, 0))
        m_error = m_server.errorString().toUtf8();
    // A connection counts once its handshake is through.
    connect(&m_server, &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            ++m_connections;
            m_sockets.append(socket);
            socket->setProperty("request", QByteArray());
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString LocalHttpServer::url(const QString &path) const
{
    return QStringLiteral("https://127.0.0.1:%1%2").arg(port()).arg(path);
}

void LocalHttpServer::serve(int status, const QByteArray &body, int chunks)
{
    m_mode = Mode::Serve;
    m_status = status;
    m_body = body;
    m_chunks = qMax(1, chunks);
}

void LocalHttpServer::stall(qint64 announced, const QByteArray &sent)
{
    m_mode = Mode::Stall;
    m_status = 200;
    m_announced = announced;
    m_body = sent;
}

void LocalHttpServer::hang()
{
    m_mode = Mode::Hang;
}

int LocalHttpServer::openConnections() const
{
    int open = 0;
    for (const QPointer<QTcpSocket> &s : m_sockets)
        if (s && s->state() == QAbstractSocket::ConnectedState)
            ++open;
    return open;
}

QByteArray LocalHttpServer::reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

void LocalHttpServer::onReadyRead(QTcpSocket *socket)
{
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n") || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);
    m_requests.append(request);
    Q_EMIT requestReceived();
    answer(socket);
}

void LocalHttpServer::answer(QTcpSocket *socket)
{
    if (m_mode == Mode::Hang)
        return;
    const qint64 length = m_mode == Mode::Stall ? m_announced : m_body.size();
    socket->write("HTTP/1.0 " + QByteArray::number(m_status) + ' ' + reason(m_status) + "\r\n"
                  "Server: brelvox-test\r\n"
                  "Content-Length: " + QByteArray::number(length) + "\r\n"
                  "Content-Type: application/octet-stream\r\n\r\n");
    if (m_mode == Mode::Stall) {
        socket->write(m_body);
        return;
    }
    // One write per tick, so the client sees the body arrive in pieces.
    QPointer<QTcpSocket> guard(socket);
    const QByteArray body = m_body;
    const int chunks = m_chunks;
    const qsizetype step = (body.size() + chunks - 1) / chunks;
    for (int i = 0; i < chunks; ++i) {
        QTimer::singleShot(5 * (i + 1), socket, [guard, body, i, step, chunks] {
            if (!guard)
                return;
            guard->write(body.mid(i * step, step));
            if (i == chunks - 1)
                guard->disconnectFromHost();
        });
    }
    if (body.isEmpty())
        socket->disconnectFromHost();
}
