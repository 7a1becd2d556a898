// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <map>

class QIODevice;
class QSocketNotifier;

namespace brelvox {

// One HTTP/1.0 GET at a time on libcurl's multi interface, driven by the Qt event loop,
// so the window stays usable while it waits. The body goes to a device of the caller's.
// HTTPS only, redirects included, with the server's certificate and name verified.
//   get() -> headerLine()* -> bodyStarted() -> dataReceived(total)* -> finished(ok)
// finished() comes exactly once per get(), never from inside get() or abort().
class HttpClient : public QObject
{
    Q_OBJECT
public:
    enum class Outcome { None, Ok, HttpError, ConnectFailed, Untrusted, Aborted, TimedOut, WriteFailed, TooLarge, Failed };
    Q_ENUM(Outcome)

    explicit HttpClient(QObject *parent = nullptr);
    ~HttpClient() override;

    void setUrl(const QString &url) { m_url = url; }
    QString url() const { return m_url; }

    // Giving up on a host that never accepts, and on a server that goes silent.
    void setConnectTimeout(int ms) { m_connectTimeoutMs = ms; }
    void setStallTimeout(int ms) { m_stallTimeoutMs = ms; }
    // A body beyond this fails rather than filling the disk.
    void setMaxBytes(qint64 bytes) { m_maxBytes = bytes; }
    // Certificates to trust instead of the system's (a PEM file); empty: the system's.
    void setCaFile(const QString &path) { m_caFile = path; }

    // Starts the GET; false (and no finished()) when one runs already or curl refuses.
    bool get(QIODevice *out);
    // Ends a running GET as failed; does nothing while idle.
    void abort();

    bool isRunning() const { return m_easy != nullptr; }
    Outcome outcome() const { return m_outcome; }
    long statusCode() const { return m_status; }
    qint64 bytesReceived() const { return m_received; }
    QString errorString() const { return m_error; }

    static const char *userAgent();
    static const char *acceptHeader();

Q_SIGNALS:
    void headerLine(const QByteArray &line);
    void bodyStarted();
    void dataReceived(qint64 total);
    void finished(bool ok);

private:
    struct Watch {
        QSocketNotifier *read = nullptr;
        QSocketNotifier *write = nullptr;
    };

    friend struct CurlGlue;

    size_t onHeader(const char *data, size_t size);
    size_t onBody(const char *data, size_t size);
    void watchSocket(qintptr fd, int what);
    void unwatchSocket(qintptr fd);
    void socketAction(qintptr fd, int flags);
    void checkDone();
    void finish(Outcome outcome, const QString &error);
    void finishAborted(quint64 generation);
    void stalled();

    void *m_multi = nullptr;
    void *m_easy = nullptr;
    void *m_headers = nullptr;
    QIODevice *m_out = nullptr;
    std::map<qintptr, Watch> m_watches;
    QTimer m_curlTimer;
    QTimer m_stallTimer;

    QString m_url;
    QString m_caFile;
    int m_connectTimeoutMs = 20000;
    int m_stallTimeoutMs = 60000;
    qint64 m_maxBytes = qint64(1) << 30;

    quint64 m_generation = 0;
    int m_inCurl = 0;
    bool m_abortRequested = false;
    bool m_writeFailed = false;
    bool m_tooLarge = false;
    bool m_timedOut = false;
    bool m_bodyStarted = false;
    qint64 m_received = 0;
    long m_status = 0;
    Outcome m_outcome = Outcome::None;
    QString m_error;
};

} // namespace brelvox
