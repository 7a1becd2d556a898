// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "windows/tdownload.h"

#include "core/userfiles.h"
#include "widgets/dialogs.h"
#include "widgets/escapekey.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"
#include "widgets/shellopen.h"
#include "widgets/textfit.h"
#include "windows/httpclient.h"
#include "windows/jpegdecoder.h"
#include "windows/lobbyconfig.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QSaveFile>
#include <QScreen>
#include <algorithm>

namespace brelvox {

namespace {
const QColor kRed(0xC0, 0x10, 0x10);

QLabel *addText(QWidget *parent, const QString &text, const QRect &geometry, const QColor &color = Qt::black)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
    return label;
}

FlatButton *addButton(QWidget *parent, const char *name, const QString &text, const QRect &geometry, bool red)
{
    auto *button = new FlatButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    if (red)
        button->setColors(kRed, Qt::white, kRed.lighter(130), Qt::white);
    QFont f = button->font();
    f.setBold(true);
    button->setFont(f);
    return button;
}

FlatPanel *addPanel(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *panel = new FlatPanel(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setColor(Qt::white);
    panel->setBorderColor(QColor(0x40, 0x40, 0x40));
    panel->setGeometry(geometry);
    return panel;
}

// The window's parts that move when its text is larger than usual.
struct Parts {
    FlatPanel *left, *solo, *lobby;
    QLabel *picture, *pitch, *info, *info3, *soloText, *note, *lobbyText;
    FlatButton *get, *abort, *soloButton, *lobbyButton;
};

constexpr int kMargin = 8;
constexpr int kTextWidth = 260; // of the right-hand panels' text

QSize buttonSize(const FlatButton *button, int least)
{
    const QFontMetrics metrics = button->fontMetrics();
    return {std::max(least, metrics.horizontalAdvance(button->text()) + 24), metrics.height() + 12};
}

// Places a wrapped label at y across width; returns the y below it.
int placeText(QLabel *label, int x, int y, int width)
{
    label->setGeometry(x, y, width, label->heightForWidth(width));
    return label->geometry().bottom() + 1;
}

int placeButton(FlatButton *button, int panelWidth, int y, int least)
{
    const QSize size = buttonSize(button, least);
    button->setGeometry((panelWidth - size.width()) / 2, y, size.width(), size.height());
    return y + size.height();
}

// With a text larger than the usual one the fixed places no longer hold it: the columns
// keep their widths where they can (the picture sets the left one), the text wraps in them,
// and the panels grow down as far as their text needs. Smaller than growing the whole
// window by the font's ratio, so a large font still fits a small screen.
QSize flowForLargeText(const Parts &p)
{
    const int lineHeight = p.info->fontMetrics().lineSpacing() + 4;
    const int leftInner = std::max({p.picture->width(), buttonSize(p.get, 320).width()});
    const int leftWidth = leftInner + 2 * kMargin;
    p.picture->move((leftWidth - p.picture->width()) / 2, kMargin);
    int y = placeText(p.pitch, kMargin, p.picture->geometry().bottom() + 6, leftInner);
    y = placeButton(p.get, leftWidth, y + 4, 320) + 6;
    p.info->setGeometry(kMargin, y, leftInner, lineHeight);
    y += lineHeight + 6;
    const QSize abort = buttonSize(p.abort, 110);
    p.abort->setGeometry(leftWidth - kMargin - abort.width(), y, abort.width(), abort.height());
    p.info3->setGeometry(kMargin, y, leftInner - abort.width() - kMargin, abort.height());
    const int leftHeight = y + abort.height() + kMargin;

    const int rightWidth = std::max({kTextWidth, buttonSize(p.soloButton, 180).width(),
                                     buttonSize(p.lobbyButton, 180).width()}) + 24;
    y = placeText(p.soloText, 12, 14, rightWidth - 24);
    y = placeButton(p.soloButton, rightWidth, y + 10, 180);
    const int soloHeight = placeText(p.note, 12, y + 16, rightWidth - 24) + 14;
    y = placeText(p.lobbyText, 12, 14, rightWidth - 24);
    const int lobbyHeight = placeButton(p.lobbyButton, rightWidth, y + 10, 180) + 14;

    const int height = std::max(leftHeight, soloHeight + kMargin + lobbyHeight);
    p.left->setGeometry(kMargin, kMargin, leftWidth, height);
    const int right = kMargin + leftWidth + kMargin;
    p.solo->setGeometry(right, kMargin, rightWidth, soloHeight);
    p.lobby->setGeometry(right, kMargin + soloHeight + kMargin, rightWidth, height - soloHeight - kMargin);
    return {right + rightWidth + kMargin, height + 2 * kMargin};
}
} // namespace

Tdownload::Tdownload(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("download"));
    setWindowTitle(QStringLiteral("Download The Ostrel Lobby"));
    setFixedSize(724, 500);
    m_tile = QPixmap(QStringLiteral(":/windows/download_tile.bmp"));
    closeOnEscape(this);

    m_client = new HttpClient(this);
    m_client->setObjectName(QStringLiteral("HttpCli1"));
    connect(m_client, &HttpClient::headerLine, this, [this] { setStatus(m_info->text() + QLatin1Char('.')); });
    connect(m_client, &HttpClient::bodyStarted, this,
            [this] { setStage(QStringLiteral("Downloading: ") + m_info2->text()); });
    connect(m_client, &HttpClient::dataReceived, this,
            [this](qint64 total) { setStatus(QString::number(total) + QStringLiteral(" bytes")); });
    connect(m_client, &HttpClient::finished, this, &Tdownload::downloadFinished);

    FlatPanel *left = addPanel(this, "panel_left", QRect(8, 8, 416, 484));
    auto *picture = new QLabel(left);
    picture->setObjectName(QStringLiteral("image_ad"));
    picture->setGeometry(8, 8, 400, 339);
    QFile ad(QStringLiteral(":/windows/lobby_ad.jpg"));
    if (ad.open(QIODevice::ReadOnly))
        picture->setPixmap(QPixmap::fromImage(decodeJpeg(ad.readAll())));
    QLabel *pitch = addText(left,
                            QStringLiteral("Download The Ostrel Lobby Now to play this  and other exciting games "
                                           "online with other players!"),
                            QRect(8, 352, 400, 34));
    QFont bold = pitch->font();
    bold.setBold(true);
    pitch->setFont(bold);
    m_get = addButton(left, "getbutton", QStringLiteral("Download And Install The Ostrel Lobby Now"),
                      QRect(48, 388, 320, 28), true);
    m_info = addText(left, QString(), QRect(8, 422, 400, 18));
    m_info->setObjectName(QStringLiteral("infolabel"));
    m_info2 = new QLabel(left);
    m_info2->setObjectName(QStringLiteral("infolabel2"));
    m_info2->hide();
    m_info3 = addText(left, QString(), QRect(8, 450, 280, 18));
    m_info3->setObjectName(QStringLiteral("infolabel3"));
    m_info3->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_abort = addButton(left, "abortbutton", QStringLiteral("Stop Download"), QRect(296, 446, 110, 26), false);
    m_abort->setEnabled(false);

    FlatPanel *topRight = addPanel(this, "panel_solo", QRect(432, 8, 284, 236));
    QLabel *soloText = addText(
        topRight,
        QStringLiteral("To proceed to the game without the ability to play against others click the button below."),
        QRect(12, 14, 260, 54));
    FlatButton *soloButton = addButton(topRight, "Button1", QStringLiteral("Play Solo Game"), QRect(52, 80, 180, 30), true);
    QLabel *note = addText(topRight,
                           QStringLiteral("Note: Even if you are playing offline, you will need to configure your "
                                          "FIREWALL to allow the game to access the internet components."),
                           QRect(12, 130, 260, 90), kRed);

    FlatPanel *bottomRight = addPanel(this, "panel_lobby", QRect(432, 252, 284, 240));
    QLabel *lobbyText = addText(bottomRight,
                                QStringLiteral("If you already have The Ostrel Lobby and you wish to play with others "
                                               "then click the button below to close this game and open The Ostrel Lobby."),
                                QRect(12, 14, 260, 90));
    FlatButton *lobbyButton = addButton(bottomRight, "Button2", QStringLiteral("Play with Others"), QRect(52, 116, 180, 30), true);

    connect(m_get, &QPushButton::clicked, this, [this] { dialogs::guarded([this] { getbuttonClick(); }); });
    connect(m_abort, &QPushButton::clicked, this, [this] { dialogs::guarded([this] { abortbuttonClick(); }); });
    connect(soloButton, &QPushButton::clicked, this, &Tdownload::Button1Click);
    connect(lobbyButton, &QPushButton::clicked, this, [this] { dialogs::guarded([this] { Button2Click(); }); });
    if (textfit::factor(this) > 1) {
        setFixedSize(flowForLargeText({left, topRight, bottomRight, picture, pitch, m_info, m_info3, soloText, note,
                                       lobbyText, m_get, m_abort, soloButton, lobbyButton}));
    }
    textfit::fitWindow(this);
}

Tdownload::~Tdownload()
{
    // The client goes first: it writes into m_file until it is gone.
    delete m_client;
}

void Tdownload::showOnDesktop()
{
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect r(QPoint(), size());
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    show();
    raise();
    // On top of the game, it takes the keys: Escape or a button closes it.
    activateWindow();
}

void Tdownload::setStatus(const QString &text)
{
    m_info->setText(text);
    Q_EMIT statusChanged(text);
}

void Tdownload::setStage(const QString &text)
{
    m_info3->setText(text);
    Q_EMIT stageChanged(text);
}

void Tdownload::getbuttonClick()
{
    if (m_client->isRunning())
        return;
    m_flag = Running;
    const QString url = lobbyconfig::secureUrl(lobbyconfig::lobbyUrl());
    if (url.isEmpty()) {
        dialogs::error(QStringLiteral("The lobby is only downloaded over https, not from ") + lobbyconfig::lobbyUrl(),
                       this);
        return;
    }
    const QString name = lobbyconfig::installerFileName(url);
    m_info2->setText(name);
    const QString path = QDir(userFileDir()).filePath(name);

    // The installer appears under its name only once complete; a failed download leaves nothing.
    auto file = std::make_unique<QSaveFile>(path);
    const bool plainName = !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..");
    if (!plainName || !file->open(QIODevice::WriteOnly)) {
        dialogs::error(QStringLiteral("Cannot create file ") + QDir::toNativeSeparators(path), this);
        return;
    }
    m_file = std::move(file);
    m_path = path;
    m_get->setEnabled(false);
    m_abort->setEnabled(true);
    setStatus(QStringLiteral("Loading"));
    m_client->setUrl(url);
    if (!m_client->get(m_file.get())) {
        m_file.reset();
        m_get->setEnabled(true);
        m_abort->setEnabled(false);
        m_flag = Aborted;
        setStatus(QStringLiteral("Download Aborted"));
    }
}

void Tdownload::downloadFinished(bool ok)
{
    QString fileError;
    if (ok && !m_file->commit()) {
        ok = false;
        fileError = m_file->errorString();
    } else if (!ok && m_client->outcome() == HttpClient::Outcome::WriteFailed) {
        fileError = m_client->errorString();
    }
    m_file.reset(); // uncommitted: the partial download goes with it
    if (ok) {
        setStatus(QStringLiteral("Received ") + QString::number(QFileInfo(m_path).size()) + QStringLiteral(" bytes"));
    } else {
        setStatus(QStringLiteral("Download Aborted"));
        m_flag = Aborted;
    }
    m_get->setEnabled(true);
    m_abort->setEnabled(false);
    if (!fileError.isEmpty()) {
        dialogs::error(QStringLiteral("Cannot write file ") + QDir::toNativeSeparators(m_path) + QStringLiteral(": ")
                           + fileError,
                       this);
        return;
    }
    if (m_flag != Aborted)
        showSaved();
    else if (m_client->outcome() == HttpClient::Outcome::Untrusted)
        dialogs::error(QStringLiteral("The server's certificate is not trusted; nothing was saved"), this);
}

void Tdownload::showSaved()
{
    // A program from the net is the player's to run, knowingly: it is neither marked
    // runnable nor started here.
    setStage(QStringLiteral("Saved"));
    const QString folder = QFileInfo(m_path).absolutePath();
    const bool opened = shellOpen(folder, QString(), ShellShow::Normal);
    dialogs::information(QStringLiteral("The Ostrel Lobby's installer was saved as ") + QDir::toNativeSeparators(m_path)
                             + (opened ? QStringLiteral(". Its folder is open in the file manager.")
                                       : QStringLiteral(". Its folder could not be opened.")),
                         this);
}

void Tdownload::abortbuttonClick()
{
    m_client->abort();
    setStatus(QStringLiteral("Download has been aborted."));
    m_flag = Aborted;
    setStage(QStringLiteral("Download Aborted"));
}

void Tdownload::Button1Click()
{
    close();
}

void Tdownload::Button2Click()
{
    const QString program = lobbyconfig::lobbyProgramPath();
    if (!QFileInfo::exists(program)) {
        dialogs::information(QStringLiteral("Please close the game and open the Ostrel Lobby using the icon on your "
                                            "desktop or using the your Window's start-up menu."),
                             this);
        return;
    }
    if (shellOpen(program, QString(), ShellShow::NoActivate))
        Q_EMIT exitRequested();
    else
        dialogs::information(QStringLiteral("An Error has Occurred."), this);
}

void Tdownload::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_tile.isNull())
        p.fillRect(rect(), QColor(0x1B, 0x2B, 0x52));
    else
        p.drawTiledPixmap(rect(), m_tile);
}

void Tdownload::closeEvent(QCloseEvent *event)
{
    // Without the window the player could no longer stop the download, and its end
    // would quit the game in the middle of play.
    if (m_client->isRunning())
        abortbuttonClick();
    event->accept();
}

} // namespace brelvox
