// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QPointF>

class QPainter;
class QRectF;

namespace brelvox {

// Every picture of the board, painted in code. Sizes are in logical pixels; each picture
// is painted at the given device pixel ratio, so it stays crisp on scaled screens.
class BoardPictures
{
public:
    static constexpr int BallSize = 24;
    static constexpr int TableWidth = 470;
    static constexpr int TableHeight = 255;
    static constexpr qreal PocketRadius = 13.0;

    // The highest ratio of the screens, 1 without a GUI application.
    static qreal defaultRatio();
    // A transparent picture of the given logical size, painted at the given ratio.
    static QPixmap canvas(int width, int height, qreal ratio = defaultRatio());

    // Ball 0 is the cue ball, 1..9 the numbered balls; any other number gives a null pixmap.
    static QPixmap ball(int number, qreal ratio = defaultRatio());
    // A ball as it marks a grid letter: its colour without the number, which would show
    // inside open letters.
    static QPixmap markBall(int number, qreal ratio = defaultRatio());
    // The ten ball pictures in index order (imagelist_balls).
    static QList<QPixmap> balls(qreal ratio = defaultRatio());
    // The colour a ball is painted in (the stripe's colour for 9, white for the cue ball).
    static QColor ballColor(int number);

    // The table: rails, cushions, felt and six pockets (470 x 255).
    static QPixmap table(qreal ratio = defaultRatio());
    // Pocket centres in the table picture's pixels: the four corners, then top and bottom middle.
    static QList<QPointF> pocketCentres();

    static QPixmap chalk(qreal ratio = defaultRatio());                   // 14 x 15
    static QPixmap eyes(qreal ratio = defaultRatio());                    // 27 x 14
    static QPixmap turnMarker(qreal ratio = defaultRatio());              // 119 x 11
    static QPixmap optionBox(bool ticked, qreal ratio = defaultRatio());  // 28 x 22
    // imagelist_box: picture 0 the empty box, 1 the ticked one.
    static QList<QPixmap> optionBoxes(qreal ratio = defaultRatio());
    static QPixmap startButton(qreal ratio = defaultRatio());             // 146 x 34
    // A slate in a wooden frame with a band for a title, for the board's small panels.
    static QPixmap slate(int width, int height, qreal ratio = defaultRatio());
    // The light tile a grid letter stands on.
    static void paintTile(QPainter &p, const QRectF &tile);
};

} // namespace brelvox
