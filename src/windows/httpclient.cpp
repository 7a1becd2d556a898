// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "windows/httpclient.h"

#include <QFile>
#include <QIODevice>
#include <QSocketNotifier>

#include <curl/curl.h>

namespace brelvox {

namespace {
void initCurlOnce()
{
    static const bool done = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    Q_UNUSED(done);
}

CURLM *multiOf(void *p)
{
    return static_cast<CURLM *>(p);
}
CURL *easyOf(void *p)
{
    return static_cast<CURL *>(p);
}
} // namespace

// curl's callbacks, with the exact signatures it calls.
struct CurlGlue {
    static int socket(CURL *, curl_socket_t fd, int what, void *self, void *)
    {
        auto *client = static_cast<HttpClient *>(self);
        if (what == CURL_POLL_REMOVE)
            client->unwatchSocket(qintptr(fd));
        else
            client->watchSocket(qintptr(fd), what);
        return 0;
    }
    static int timer(CURLM *, long timeoutMs, void *self)
    {
        auto *client = static_cast<HttpClient *>(self);
        if (timeoutMs < 0)
            client->m_curlTimer.stop();
        else
            client->m_curlTimer.start(int(qMin(timeoutMs, long(24 * 3600 * 1000))));
        return 0;
    }
    static size_t header(char *data, size_t size, size_t count, void *self)
    {
        return static_cast<HttpClient *>(self)->onHeader(data, size * count);
    }
    static size_t body(char *data, size_t size, size_t count, void *self)
    {
        return static_cast<HttpClient *>(self)->onBody(data, size * count);
    }
};

HttpClient::HttpClient(QObject *parent)
    : QObject(parent)
{
    initCurlOnce();
    m_multi = curl_multi_init();
    curl_multi_setopt(multiOf(m_multi), CURLMOPT_SOCKETFUNCTION, &CurlGlue::socket);
    curl_multi_setopt(multiOf(m_multi), CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(multiOf(m_multi), CURLMOPT_TIMERFUNCTION, &CurlGlue::timer);
    curl_multi_setopt(multiOf(m_multi), CURLMOPT_TIMERDATA, this);

    m_curlTimer.setSingleShot(true);
    connect(&m_curlTimer, &QTimer::timeout, this, [this] { socketAction(qintptr(CURL_SOCKET_TIMEOUT), 0); });
    m_stallTimer.setSingleShot(true);
    connect(&m_stallTimer, &QTimer::timeout, this, &HttpClient::stalled);
}

HttpClient::~HttpClient()
{
    if (m_easy) {
        curl_multi_remove_handle(multiOf(m_multi), easyOf(m_easy));
        curl_easy_cleanup(easyOf(m_easy));
        curl_slist_free_all(static_cast<curl_slist *>(m_headers));
    }
    curl_multi_cleanup(multiOf(m_multi));
    for (auto &[fd, w] : m_watches) {
        delete w.read;
        delete w.write;
    }
}

const char *HttpClient::userAgent()
{
    return "Mozilla/3.0 (compatible)";
}

const char *HttpClient::acceptHeader()
{
    return "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
}

bool HttpClient::get(QIODevice *out)
{
    if (m_easy || !out || m_url.isEmpty())
        return false;
    CURL *easy = curl_easy_init();
    if (!easy)
        return false;
    const QByteArray url = m_url.toUtf8();
    const QByteArray accept = QByteArray("Accept: ") + acceptHeader();
    curl_slist *headers = curl_slist_append(nullptr, accept.constData());

    curl_easy_setopt(easy, CURLOPT_URL, url.constData());
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(easy, CURLOPT_USERAGENT, userAgent());
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    // An empty proxy also overrides the environment's proxy variables.
    curl_easy_setopt(easy, CURLOPT_PROXY, "");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long(m_connectTimeoutMs));
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 5L);
    // What arrives is saved for the player to run: only over a verified connection.
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "https");
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    const QByteArray caFile = QFile::encodeName(m_caFile);
    if (!caFile.isEmpty())
        curl_easy_setopt(easy, CURLOPT_CAINFO, caFile.constData());
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(m_maxBytes));
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &CurlGlue::header);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlGlue::body);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);

    m_easy = easy;
    m_headers = headers;
    m_out = out;
    ++m_generation;
    m_abortRequested = m_writeFailed = m_tooLarge = m_timedOut = m_bodyStarted = false;
    m_received = 0;
    m_status = 0;
    m_outcome = Outcome::None;
    m_error.clear();
    m_stallTimer.start(m_stallTimeoutMs);

    ++m_inCurl;
    const CURLMcode rc = curl_multi_add_handle(multiOf(m_multi), easy);
    --m_inCurl;
    if (rc != CURLM_OK) {
        m_easy = nullptr;
        m_out = nullptr;
        m_headers = nullptr;
        m_stallTimer.stop();
        curl_easy_cleanup(easy);
        curl_slist_free_all(headers);
        return false;
    }
    return true;
}

void HttpClient::abort()
{
    if (!m_easy)
        return;
    m_abortRequested = true;
    // Finishing later lets the caller say its piece before finished() arrives.
    const quint64 generation = m_generation;
    QTimer::singleShot(0, this, [this, generation] { finishAborted(generation); });
}

void HttpClient::finishAborted(quint64 generation)
{
    if (m_easy && generation == m_generation && m_inCurl == 0)
        finish(Outcome::Aborted, QStringLiteral("Aborted"));
}

void HttpClient::stalled()
{
    if (!m_easy)
        return;
    m_timedOut = true;
    if (m_inCurl == 0)
        finish(Outcome::TimedOut, QStringLiteral("No data from the server"));
}

size_t HttpClient::onHeader(const char *data, size_t size)
{
    if (m_abortRequested || m_timedOut)
        return 0;
    m_stallTimer.start(m_stallTimeoutMs);
    QByteArray line(data, qsizetype(size));
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    if (!line.isEmpty())
        Q_EMIT headerLine(line);
    return (m_abortRequested || m_timedOut) ? 0 : size;
}

size_t HttpClient::onBody(const char *data, size_t size)
{
    if (m_abortRequested || m_timedOut)
        return 0;
    m_stallTimer.start(m_stallTimeoutMs);
    if (!m_bodyStarted) {
        m_bodyStarted = true;
        Q_EMIT bodyStarted();
        if (m_abortRequested || m_timedOut)
            return 0;
    }
    if (m_received + qint64(size) > m_maxBytes) {
        m_tooLarge = true;
        return 0;
    }
    if (m_out->write(data, qint64(size)) != qint64(size)) {
        m_writeFailed = true;
        m_error = m_out->errorString();
        return 0;
    }
    m_received += qint64(size);
    Q_EMIT dataReceived(m_received);
    return (m_abortRequested || m_timedOut) ? 0 : size;
}

void HttpClient::watchSocket(qintptr fd, int what)
{
    Watch &w = m_watches[fd];
    if (!w.read) {
        w.read = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(w.read, &QSocketNotifier::activated, this, [this, fd] { socketAction(fd, CURL_CSELECT_IN); });
    }
    if (!w.write) {
        w.write = new QSocketNotifier(fd, QSocketNotifier::Write, this);
        connect(w.write, &QSocketNotifier::activated, this, [this, fd] { socketAction(fd, CURL_CSELECT_OUT); });
    }
    w.read->setEnabled(what & CURL_POLL_IN);
    w.write->setEnabled(what & CURL_POLL_OUT);
}

void HttpClient::unwatchSocket(qintptr fd)
{
    const auto it = m_watches.find(fd);
    if (it == m_watches.end())
        return;
    // Possibly called from the notifier's own signal: disable now, delete later.
    for (QSocketNotifier *n : {it->second.read, it->second.write}) {
        if (n) {
            n->setEnabled(false);
            n->deleteLater();
        }
    }
    m_watches.erase(it);
}

void HttpClient::socketAction(qintptr fd, int flags)
{
    if (!m_easy)
        return;
    if (m_inCurl > 0) {
        // A nested event loop inside one of our own notices; curl must not be re-entered.
        QTimer::singleShot(0, this, [this, fd, flags] { socketAction(fd, flags); });
        return;
    }
    int running = 0;
    ++m_inCurl;
    curl_multi_socket_action(multiOf(m_multi), curl_socket_t(fd), flags, &running);
    --m_inCurl;
    checkDone();
}

void HttpClient::checkDone()
{
    int left = 0;
    while (CURLMsg *msg = curl_multi_info_read(multiOf(m_multi), &left)) {
        if (msg->msg != CURLMSG_DONE || msg->easy_handle != m_easy)
            continue;
        const CURLcode code = msg->data.result;
        long status = 0;
        curl_easy_getinfo(easyOf(m_easy), CURLINFO_RESPONSE_CODE, &status);
        m_status = status;
        Outcome outcome = Outcome::Failed;
        QString error = QString::fromUtf8(curl_easy_strerror(code));
        if (m_abortRequested)
            outcome = Outcome::Aborted;
        else if (m_timedOut || code == CURLE_OPERATION_TIMEDOUT)
            outcome = Outcome::TimedOut;
        else if (m_tooLarge || code == CURLE_FILESIZE_EXCEEDED)
            outcome = Outcome::TooLarge;
        else if (m_writeFailed) {
            outcome = Outcome::WriteFailed;
            error = m_error;
        } else if (code == CURLE_OK)
            // Anything but a 2xx (an unfollowed redirect, say) is not the file asked for.
            outcome = (status >= 200 && status < 300) ? Outcome::Ok : Outcome::HttpError;
        else if (code == CURLE_HTTP_RETURNED_ERROR)
            outcome = Outcome::HttpError;
        else if (code == CURLE_COULDNT_CONNECT || code == CURLE_COULDNT_RESOLVE_HOST)
            outcome = Outcome::ConnectFailed;
        else if (code == CURLE_PEER_FAILED_VERIFICATION || code == CURLE_SSL_CACERT_BADFILE)
            outcome = Outcome::Untrusted;
        if (outcome == Outcome::HttpError)
            error = QStringLiteral("HTTP status %1").arg(status);
        finish(outcome, outcome == Outcome::Ok ? QString() : error);
        return;
    }
    if (m_easy && m_abortRequested)
        finish(Outcome::Aborted, QStringLiteral("Aborted"));
    else if (m_easy && m_timedOut)
        finish(Outcome::TimedOut, QStringLiteral("No data from the server"));
}

void HttpClient::finish(Outcome outcome, const QString &error)
{
    if (!m_easy)
        return;
    m_stallTimer.stop();
    CURL *easy = easyOf(m_easy);
    m_easy = nullptr;
    ++m_inCurl;
    curl_multi_remove_handle(multiOf(m_multi), easy);
    --m_inCurl;
    curl_easy_cleanup(easy);
    curl_slist_free_all(static_cast<curl_slist *>(m_headers));
    m_headers = nullptr;
    m_out = nullptr;
    m_outcome = outcome;
    m_error = error;
    if (m_watches.empty())
        m_curlTimer.stop();
    Q_EMIT finished(outcome == Outcome::Ok);
}

} // namespace brelvox
