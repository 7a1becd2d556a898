// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "boardmodel/clientstate.h"
#include "protocol/message.h"

#include <QDialog>
#include <QList>
#include <QPixmap>
#include <array>

class QKeyEvent;
class QLabel;

namespace brelvox {

class FlatPanel;
class PictureBox;

// The game-options dialog ("Brelvox - Game Start"): four option boxes for the game type
// and the start picture that sends CMD_startgame.
class Tgamestart : public QDialog
{
    Q_OBJECT
public:
    explicit Tgamestart(ClientState &state, QWidget *parent = nullptr);

    // The key of a game type's option; an option no type has sends the first type's ("high").
    static QString keyFor(int option);

    // Takes over the main window's tiled background; a null picture keeps the white.
    void FormCreate(const QPixmap &background = QPixmap());
    // Shows the dialog centred on over (the main window).
    void showOver(QWidget *over);

    // The settings load: an option outside 1..4 (0 for an empty value) counts as 1.
    void setChosenType(int option);
    int chosenType() const; // label_gametype's Tag

    // Draws picture 0 (empty) or 1 (ticked) of imagelist_box into the named box.
    void changebox(const QString &widgetName, int picture);
    // A click on box tag (1..4).
    void image_1Click(int tag);
    // The start picture (Image4): sends CMD_startgame when logged in, reports, hides.
    void button_startClick();

Q_SIGNALS:
    void sendRequested(const Message &message); // CMD_startgame, for the host
    // The option (1..4) the game was started with, for the settings' "Gametype".
    void chosen(int option);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Space chooses the focused option; the arrows move to the next one and choose it.
    bool optionKey(int option, const QKeyEvent *key);

    ClientState &m_state;
    FlatPanel *m_background = nullptr;
    QList<PictureBox *> m_boxes; // in option order
    int m_chosenType = 1;
    PictureBox *m_start = nullptr;
    QList<QPixmap> m_boxPictures;
    QList<QObject *> m_optionTexts;
};

} // namespace brelvox
