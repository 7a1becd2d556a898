// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSslServer>
#include <QTcpSocket>

// A small HTTPS server on 127.0.0.1 for the download tests. It answers every request the
// same way, as set by the last serve()/hang()/stall() call, and keeps what it was sent.
// Its certificate is made with openssl for this run; a client trusts it through
// caFile(), and strangerCaFile() is a certificate that did not sign it.
class LocalHttpServer : public QObject
{
    Q_OBJECT
public:
    LocalHttpServer();

    bool isListening() const { return m_server.isListening(); }
    QByteArray error() const { return m_error; }
    QString url(const QString &path) const;
    static QString caFile();
    static QString strangerCaFile();
    quint16 port() const { return m_server.serverPort(); }

    // Status line, three header lines, then the body in `chunks` writes on separate ticks.
    void serve(int status, const QByteArray &body, int chunks = 1);
    // Announces `announced` bytes, sends `sent` of them and keeps the connection open.
    void stall(qint64 announced, const QByteArray &sent);
    // Takes the request and never answers.
    void hang();

    QList<QByteArray> requests() const { return m_requests; }
    int connectionCount() const { return m_connections; }
    int openConnections() const;

Q_SIGNALS:
    void requestReceived();

private:
    enum class Mode { Serve, Stall, Hang };

    void onReadyRead(QTcpSocket *socket);
    void answer(QTcpSocket *socket);
    static QByteArray reason(int status);

    QSslServer m_server;
    QByteArray m_error;
    Mode m_mode = Mode::Serve;
    int m_status = 200;
    QByteArray m_body;
    int m_chunks = 1;
    qint64 m_announced = 0;
    QList<QByteArray> m_requests;
    QList<QPointer<QTcpSocket>> m_sockets;
    int m_connections = 0;
};
