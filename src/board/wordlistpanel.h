// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "widgets/flatpanel.h"

#include <QPoint>
#include <array>

class QLabel;

namespace brelvox {

class FlatButton;
class PictureBox;

// The floating word list (panel_winnerwordlist): the name of the seat that found the word
// and its guesses row by row. Hidden at rest; the player drags it anywhere on the board
// (never off it) and closes it with its "X" (FlatSpeedButton1).
class WordListPanel : public FlatPanel
{
    Q_OBJECT
public:
    static constexpr int Width = 150;
    static constexpr int Height = 142;
    // Under the table, over the chat's older lines and clear of the status line: no ball of
    // either movement script passes there, with the table where the main window puts it.
    static constexpr QPoint OpeningPlace{552, 283};

    explicit WordListPanel(QWidget *board);

    // Empties label_name and label_word1..5.
    void clearwords();
    // label_name := name, label_word<row> := word; a row outside 1..5 sets the name only.
    void loadwords(const QString &name, const QString &word, int row);

    QString name() const;
    QString word(int row) const; // 1..5

    void FlatSpeedButton1Click();

    // Mouse handlers of the panel and the picture that fills it; points in panel pixels.
    void FlatPanel2MouseDown(const QPoint &pos);
    void FlatPanel2MouseMove(const QPoint &pos);
    void FlatPanel2MouseUp(const QPoint &pos);
    bool isDragging() const { return m_dragging; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void dragTo(const QPoint &pos);

    PictureBox *m_picture = nullptr;
    QLabel *m_name = nullptr;
    std::array<QLabel *, 5> m_words{};
    FlatButton *m_close = nullptr;
    bool m_dragging = false;
    QPoint m_grab;
};

} // namespace brelvox
