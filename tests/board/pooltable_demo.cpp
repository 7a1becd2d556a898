// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
//
// pooltable_demo --stage racked|midbreak|shots3|pictures [--grab file.png]
// Plays the table on a 15 ms timer up to the chosen moment, prints READY and stays open.

#include "board/boardpictures.h"
#include "board/picturebox.h"
#include "board/pooltable.h"
#include "widgets/flatpanel.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>
#include <cstdio>

using namespace brelvox;

namespace {

QLabel *pictureLabel(const QPixmap &pixmap, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setPixmap(pixmap);
    return label;
}

QWidget *picturesSheet()
{
    auto *sheet = new FlatPanel;
    sheet->setColor(QColor(0xa7, 0x87, 0x58));
    auto *grid = new QGridLayout(sheet);
    grid->setSpacing(8);
    for (int n = 0; n <= 9; ++n) {
        grid->addWidget(pictureLabel(BoardPictures::ball(n, 1), sheet), 0, n, Qt::AlignCenter);
        // Painted at four times the density, shown four times larger: still sharp.
        QPixmap big = BoardPictures::ball(n, 4);
        big.setDevicePixelRatio(1);
        grid->addWidget(pictureLabel(big, sheet), 1, n, Qt::AlignCenter);
    }
    grid->addWidget(pictureLabel(BoardPictures::chalk(1), sheet), 2, 0, Qt::AlignCenter);
    grid->addWidget(pictureLabel(BoardPictures::eyes(1), sheet), 2, 1, Qt::AlignCenter);
    grid->addWidget(pictureLabel(BoardPictures::optionBox(false, 1), sheet), 2, 2, Qt::AlignCenter);
    grid->addWidget(pictureLabel(BoardPictures::optionBox(true, 1), sheet), 2, 3, Qt::AlignCenter);
    grid->addWidget(pictureLabel(BoardPictures::turnMarker(1), sheet), 2, 4, 1, 3, Qt::AlignCenter);
    grid->addWidget(pictureLabel(BoardPictures::startButton(1), sheet), 2, 7, 1, 3, Qt::AlignCenter);
    QPixmap chalk = BoardPictures::chalk(4), eyes = BoardPictures::eyes(4);
    QPixmap boxOff = BoardPictures::optionBox(false, 4), boxOn = BoardPictures::optionBox(true, 4);
    QPixmap turn = BoardPictures::turnMarker(3), start = BoardPictures::startButton(2);
    for (QPixmap *p : {&chalk, &eyes, &boxOff, &boxOn, &turn, &start})
        p->setDevicePixelRatio(1);
    grid->addWidget(pictureLabel(chalk, sheet), 3, 0, Qt::AlignCenter);
    grid->addWidget(pictureLabel(eyes, sheet), 3, 1, 1, 2, Qt::AlignCenter);
    grid->addWidget(pictureLabel(boxOff, sheet), 3, 3, 1, 2, Qt::AlignCenter);
    grid->addWidget(pictureLabel(boxOn, sheet), 3, 5, 1, 2, Qt::AlignCenter);
    grid->addWidget(pictureLabel(turn, sheet), 4, 0, 1, 5, Qt::AlignCenter);
    grid->addWidget(pictureLabel(start, sheet), 4, 5, 1, 5, Qt::AlignCenter);
    return sheet;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("stage"), QStringLiteral("racked, midbreak, shots3 or pictures"),
                      QStringLiteral("stage"), QStringLiteral("shots3")});
    parser.addOption({QStringLiteral("grab"), QStringLiteral("also save the window here"),
                      QStringLiteral("file")});
    parser.process(app);
    const QString stage = parser.value(QStringLiteral("stage"));
    const QString grabFile = parser.value(QStringLiteral("grab"));

    QWidget *window = nullptr;
    auto ready = [&] {
        if (!grabFile.isEmpty())
            window->grab().save(grabFile);
        std::printf("READY\n");
        std::fflush(stdout);
    };

    if (stage == QLatin1String("pictures")) {
        window = picturesSheet();
        window->move(0, 0);
        window->show();
        QTimer::singleShot(300, ready);
        return app.exec();
    }

    auto *board = new FlatPanel;
    board->setColor(QColor(0xa7, 0x87, 0x58));
    board->resize(732, 511);
    window = board;
    auto *table = new PoolTable(board);
    table->move(252, 4);
    int sounds = 0;
    QObject::connect(table, &PoolTable::soundRequested, [&sounds](const QString &) { ++sounds; });
    board->move(0, 0);
    board->show();

    table->setuptable();
    if (stage == QLatin1String("racked")) {
        QTimer::singleShot(300, ready);
        return app.exec();
    }

    QTimer timer;
    timer.setInterval(15);
    int ticks = 0;
    int shots = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        table->moveballs();
        ++ticks;
        if (stage == QLatin1String("midbreak")) {
            // A few steps after the cue ball has hit the rack.
            if (sounds >= 8 && ticks >= 60) {
                timer.stop();
                ready();
            }
            return;
        }
        if (table->isAnimating())
            return;
        if (shots == 3) {
            timer.stop();
            ready();
            return;
        }
        ++shots;
        table->updatescores(shots == 2 ? 2 : 1, shots);
        table->fireShot();
    });
    timer.start();
    return app.exec();
}
