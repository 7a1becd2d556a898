// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
//
// What a player waits for: from the Enter that sends a guess to the guessed row painted
// with its marks, through the whole program (its own host in the same process, loopback in
// between, the real main window). Run it under a display server or offscreen; it prints
// the median and the spread and judges nothing.
//
//   bench_marks [guesses]     default 31
#include "board/gameend.h"
#include "board/tgamestart.h"
#include "core/randomsource.h"
#include "core/userfiles.h"
#include "host/rules/wordlists.h"
#include "host/tserver.h"
#include "shell/appwindows.h"
#include "shell/tchat.h"
#include "widgets/dialogs.h"
#include "widgets/flatpanel.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace brelvox;

namespace {

bool waitUntil(const std::function<bool()> &done, int ms)
{
    const QDeadlineTimer deadline(ms);
    QTimer wake;
    wake.start(1);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Notes when a letter of the grid is first painted with another letter than it had when
// the guess was sent: the row with its marks reaching the screen.
class PaintWatch : public QObject
{
public:
    QHash<QLabel *, QString> before;
    QElapsedTimer *clock = nullptr;
    double paintedMs = -1;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || paintedMs >= 0)
            return false;
        auto *label = static_cast<QLabel *>(object);
        const auto at = before.constFind(label);
        if (at != before.constEnd() && label->text() != *at)
            paintedMs = clock->nsecsElapsed() / 1e6;
        return false;
    }
};

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    const int wanted = argc > 1 ? std::max(1, atoi(argv[1])) : 31;
    QTemporaryDir dir;
    setUserFileDir(dir.path());
    dialogs::setHandler([](dialogs::Kind, const QString &, const QString &) { return true; });

    AppWindows app;
    app.setHostPort(0);
    Tchat *chat = app.chat();
    TServer *host = app.server();
    chat->show();
    chat->processparams({}); // solo: hosting as "You"
    if (!waitUntil([&] { return chat->seatLabel(1)->text() == QLatin1String("You"); }, 10000)) {
        std::fprintf(stderr, "bench_marks: the solo game did not seat the player\n");
        return 1;
    }
    RandomSource::instance().seed(11);
    chat->gameEnd()->button_startClick();
    app.gameStart()->image_1Click(1); // High Score Game
    app.gameStart()->button_startClick();
    if (!waitUntil([&] { return chat->state().gameType == QLatin1String("high"); }, 10000)) {
        std::fprintf(stderr, "bench_marks: the game did not start\n");
        return 1;
    }

    QWidget *board = chat->board();
    auto child = [board](const QString &name) { return board->findChild<QWidget *>(name); };
    QList<QLabel *> letters;
    for (int row = 1; row <= 5; ++row)
        for (int col = 1; col <= 5; ++col)
            if (auto *label = qobject_cast<QLabel *>(child(QStringLiteral("label_%1%2").arg(row).arg(col))))
                letters << label;
    PaintWatch watch;
    QElapsedTimer clock;
    watch.clock = &clock;
    application.installEventFilter(&watch);
    const WordLists words = WordLists::shipped();
    std::vector<double> times;
    int guesses = 0;
    QElapsedTimer sinceDira;
    while (int(times.size()) < wanted) {
        // Dira thinks at once, but never while the player types: her find would end the round
        // under the guess being measured.
        bool diraWaits = false;
        const bool ready = waitUntil([&] {
            if (host->computertimer().isActive()) {
                host->computertimer().stop();
                diraWaits = true;
            }
            const ClientState &st = chat->state();
            const auto *cell = qobject_cast<QLineEdit *>(child(QStringLiteral("edit_1")));
            const bool rowOpen = st.turnSeat == st.ownSeat && !st.firstLetter.isEmpty() && cell && !cell->isReadOnly();
            // What Dira's guess brings (a find ends the round) must arrive before the typing.
            const bool settled = !sinceDira.isValid() || sinceDira.elapsed() > 100;
            if ((rowOpen && settled) || !chat->gameEnd()->banner()->isHidden())
                return true;
            if (diraWaits) {
                diraWaits = false;
                host->computertimerTimer();
                sinceDira.start();
            }
            return false;
        }, 30000);
        if (!ready) {
            std::fprintf(stderr, "bench_marks: no turn came\n");
            return 1;
        }
        if (!chat->gameEnd()->banner()->isHidden())
            break;
        const QString first = chat->state().firstLetter;
        QStringList fitting;
        for (const QString &word : words.answers())
            if (word.startsWith(first, Qt::CaseInsensitive))
                fitting << word;
        if (fitting.isEmpty()) {
            std::fprintf(stderr, "bench_marks: no answer starts with %s\n", qPrintable(first));
            return 1;
        }
        const QString guess = fitting.at((guesses++ * 7) % fitting.size());
        for (int col = 1; col <= 5; ++col)
            QTest::keyClick(child(QStringLiteral("edit_%1").arg(col)), guess.at(col - 1).toLatin1());
        // Let the typing settle, as a player's pause before Enter would.
        QTest::qWait(40);
        watch.before.clear();
        for (QLabel *label : letters)
            watch.before.insert(label, label->text());
        watch.paintedMs = -1;
        clock.start();
        QTest::keyClick(child(QStringLiteral("edit_5")), Qt::Key_Return);
        if (!waitUntil([&] { return watch.paintedMs >= 0; }, 5000)) {
            auto *status = qobject_cast<QLabel *>(child(QStringLiteral("label_status")));
            std::fprintf(stderr, "bench_marks: the guess %s was never painted (after %zu; status %s)\n",
                         qPrintable(guess), times.size(), status ? qPrintable(status->text()) : "");
            return 1;
        }
        times.push_back(watch.paintedMs);
        watch.before.clear();
        if (diraWaits) {
            host->computertimerTimer();
            sinceDira.start();
        }
    }
    if (times.empty())
        return 1;
    std::printf("enter_to_marks_painted_ms guesses %zu p50 %.2f p90 %.2f min %.2f max %.2f\n", times.size(),
                percentile(times, 0.5), percentile(times, 0.9), *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()));
    return 0;
}
