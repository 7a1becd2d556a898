// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QPixmap>
#include <QWidget>

#include <memory>

class QLabel;
class QSaveFile;

namespace brelvox {

class FlatButton;
class HttpClient;

// Offers the lobby program to a solo player: download it, go on solo, or start an
// installed one. The installer comes over HTTPS only and lands in userFileDir() under
// the URL's last path segment, only once complete. It is never marked runnable nor
// started: the player is told where it is and its folder opens in the file manager.
class Tdownload : public QWidget
{
    Q_OBJECT
public:
    // The status line's tag: the download runs or ran through, or it was aborted.
    enum Flag { Running = 1, Aborted = 2 };

    explicit Tdownload(QWidget *parent = nullptr);
    ~Tdownload() override;

    // Shows the window centred on the desktop, on top.
    void showOnDesktop();

    void getbuttonClick();
    void abortbuttonClick();
    void Button1Click();
    void Button2Click();

    int flag() const { return m_flag; }
    HttpClient *httpClient() const { return m_client; }

Q_SIGNALS:
    // The lobby started: the game should end as its "Exit" does.
    void exitRequested();
    void statusChanged(const QString &text);
    void stageChanged(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setStatus(const QString &text);
    void setStage(const QString &text);
    void downloadFinished(bool ok);
    void showSaved();

    HttpClient *m_client = nullptr;
    std::unique_ptr<QSaveFile> m_file;
    QString m_path;
    int m_flag = Running;
    QPixmap m_tile;

    QLabel *m_info = nullptr;
    QLabel *m_info2 = nullptr;
    QLabel *m_info3 = nullptr;
    FlatButton *m_get = nullptr;
    FlatButton *m_abort = nullptr;
};

} // namespace brelvox
