// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "codec/textgrid.h"
#include "codec/tlzrw1.h"
#include "core/conversion.h"
#include "core/userfiles.h"
#include "tally/tallystore.h"
#include "tally/ttallylist.h"
#include "support/filesizelimit.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <sstream>
#include <memory>

using namespace brelvox;

namespace {
const QByteArray kDiraFile = QByteArray::fromHex("57525A4C3F000000280040000039"
                                                 "0D0A320D0A300D0A446972610D0A33DFC00032012031015200900"
                                                 "1B0003301B00090018C");

// One opponent per row: name and columns 1..8, as "name 1 2 3 4 5 6 7 8".
QStringList rows(const Ttallylist &w)
{
    QStringList out;
    const TextGrid &t = w.scores();
    for (int r = 0; r < t.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < t.colCount(); ++c)
            cells << QString::fromStdString(t.cell(c, r));
        out << cells.join(' ');
    }
    return out;
}

QStringList entries(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text() + (list->item(i)->checkState() == Qt::Checked ? "+" : "-");
    return out;
}
} // namespace

class TestTtallylist : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::deque<bool> m_answers;
    QStringList m_asked;
    QStringList m_errors;
    QStringList m_seated;

    std::unique_ptr<Ttallylist> makeWindow()
    {
        auto w = std::make_unique<Ttallylist>();
        w->setSeatedNames([this] { return m_seated; });
        return w;
    }
    QListWidget *checklist(Ttallylist &w) { return w.findChild<QListWidget *>("checklist"); }
    QListWidget *tallied(Ttallylist &w) { return w.findChild<QListWidget *>("listbox_tally"); }
    QString label(Ttallylist &w, const QString &name) { return w.findChild<QLabel *>(name)->text(); }

    // Seats the names and ticks the ones to tally, as a player would.
    void tally(Ttallylist &w, const QStringList &names)
    {
        w.loadchecklist();
        for (int i = 0; i < checklist(w)->count(); ++i)
            if (names.contains(checklist(w)->item(i)->text()))
                checklist(w)->item(i)->setCheckState(Qt::Checked);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        setUserFileDir(m_dir->path());
        m_answers.clear();
        m_asked.clear();
        m_errors.clear();
        m_seated.clear();
        dialogs::setHandler([this](dialogs::Kind kind, const QString &, const QString &text) {
            if (kind == dialogs::Kind::Error) {
                m_errors << text;
                return true;
            }
            m_asked << text;
            if (m_answers.empty())
                return false;
            const bool answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        });
    }

    void startsEmptyWithoutAFile()
    {
        auto w = makeWindow();
        QCOMPARE(w->windowTitle(), QString("Brelvox - Tally List"));
        QCOMPARE(rows(*w), QStringList{"0 0 0 0 0 0 0 0 0"});
        for (const char *name : {"mylabel_1", "mylabel_2", "label_1", "label_4", "label_8"})
            QCOMPARE(label(*w, name), QString("0"));
        QCOMPARE(checklist(*w)->count(), 0);
        QCOMPARE(tallied(*w)->count(), 0);
        QVERIFY(m_errors.isEmpty());
    }

    void counting_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("seated");
        QTest::addColumn<QStringList>("tallied");
        QTest::addColumn<QString>("winner");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("we win with A, B untallied")
            << QStringList{} << QStringList{"A", "B"} << QStringList{"A"} << "addtomine"
            << QStringList{"0 1 1 0 0 0 0 0 0", "A 1 0 1 0 1 0 1 0"};
        QTest::newRow("A wins") << QStringList{} << QStringList{"A", "B"} << QStringList{"A"} << "A"
                                << QStringList{"0 1 0 0 0 0 0 0 0", "A 1 1 0 0 1 1 0 0"};
        QTest::newRow("C wins") << QStringList{} << QStringList{"A", "C"} << QStringList{"A"} << "C"
                                << QStringList{"0 1 0 0 0 0 0 0 0", "A 1 0 0 1 1 0 0 1"};
        QTest::newRow("tallied but not seated")
            << QStringList{"A"} << QStringList{"B"} << QStringList{} << "addtomine"
            << QStringList{"0 1 1 0 0 0 0 0 0", "A 0 0 0 0 0 0 0 0"};
        QTest::newRow("player named addtomine wins")
            << QStringList{} << QStringList{"A", "addtomine"} << QStringList{"A", "addtomine"} << "addtomine"
            << QStringList{"0 1 1 0 0 0 0 0 0", "A 1 0 1 0 1 0 1 0", "addtomine 1 1 0 0 1 1 0 0"};
        QTest::newRow("two tallied, one wins")
            << QStringList{} << QStringList{"A", "B"} << QStringList{"A", "B"} << "B"
            << QStringList{"0 1 0 0 0 0 0 0 0", "A 1 0 0 1 1 0 0 1", "B 1 1 0 0 1 1 0 0"};
        // The lists ignore case, the winner's name does not.
        QTest::newRow("winner compared exactly")
            << QStringList{"Dira"} << QStringList{"dira"} << QStringList{} << "dira"
            << QStringList{"0 1 0 0 0 0 0 0 0", "Dira 1 0 0 1 1 0 0 1"};
    }
    void counting()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, seated);
        QFETCH(QStringList, tallied);
        QFETCH(QString, winner);
        QFETCH(QStringList, expected);
        auto w = makeWindow();
        m_seated = before;
        tally(*w, before);
        m_seated = seated;
        tally(*w, tallied);
        w->addgame(winner);
        QCOMPARE(rows(*w), expected);
        QCOMPARE(label(*w, "mylabel_1"), QString("1"));
        QCOMPARE(label(*w, "mylabel_2"), winner == "addtomine" ? QString("1") : QString("0"));
    }

    void showsTheSelectedOpponent()
    {
        auto w = makeWindow();
        m_seated = {"Dira", "Kim"};
        tally(*w, m_seated);
        w->addgame("Kim");
        w->addgame("addtomine");
        tallied(*w)->setCurrentRow(1);
        QCOMPARE(label(*w, "label_hisname"), QString("Kim Wins:"));
        QCOMPARE(label(*w, "label_hisnametop"), QString("Kim's Tally"));
        QStringList shown;
        for (int c = 1; c <= 8; ++c)
            shown << label(*w, QString("label_%1").arg(c));
        QCOMPARE(shown.join(' '), QString("2 1 1 0 2 1 1 0"));
        w->addgame("Dira");
        QCOMPARE(label(*w, "label_1"), QString("3"));
        QCOMPARE(label(*w, "label_4"), QString("1"));
    }

    void addingOpponents()
    {
        auto w = makeWindow();
        m_seated = {"Dira", "Kim"};
        tally(*w, {"Kim"});
        QCOMPARE(entries(tallied(*w)), QStringList{"Kim+"});
        QCOMPARE(entries(checklist(*w)), (QStringList{"Dira-", "Kim+"}));
        // Unticking here keeps the tally; the tick comes back on the next refresh.
        checklist(*w)->item(1)->setCheckState(Qt::Unchecked);
        QCOMPARE(entries(tallied(*w)), QStringList{"Kim+"});
        w->loadchecklist();
        QCOMPARE(entries(checklist(*w)), (QStringList{"Dira-", "Kim+"}));
        // A name already tallied in another case is not added twice.
        m_seated = {"KIM"};
        w->loadchecklist();
        QCOMPARE(entries(checklist(*w)), QStringList{"KIM+"});
        checklist(*w)->item(0)->setCheckState(Qt::Unchecked);
        checklist(*w)->item(0)->setCheckState(Qt::Checked);
        QCOMPARE(rows(*w).size(), 2);
    }

    void removingOpponents_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("middle of three") << QStringList{"A", "B", "C"} << 1 << true << QStringList{"A", "C"};
        QTest::newRow("first of three") << QStringList{"A", "B", "C"} << 0 << true << QStringList{"B", "C"};
        QTest::newRow("last of three") << QStringList{"A", "B", "C"} << 2 << true << QStringList{"A", "B"};
        QTest::newRow("the only one") << QStringList{"A"} << 0 << true << QStringList{};
        QTest::newRow("answer no") << QStringList{"A", "B", "C"} << 1 << false << QStringList{"A", "B", "C"};
    }
    void removingOpponents()
    {
        QFETCH(QStringList, names);
        QFETCH(int, index);
        QFETCH(bool, yes);
        QFETCH(QStringList, left);
        auto w = makeWindow();
        m_seated = names;
        tally(*w, names);
        // Tell the rows apart by their counts: A won once, B twice, C three times.
        for (int i = 0; i < names.size(); ++i)
            for (int k = 0; k <= i; ++k)
                w->addgame(names[i]);
        m_answers = {yes};
        tallied(*w)->item(index)->setCheckState(Qt::Unchecked);
        QCOMPARE(m_asked, QStringList{"This will delete " + names[index] + "'s Tally, Are you want to delete it?"});
        QStringList listed;
        for (int i = 0; i < tallied(*w)->count(); ++i) {
            listed << tallied(*w)->item(i)->text();
            QCOMPARE(tallied(*w)->item(i)->checkState(), Qt::Checked);
        }
        QCOMPARE(listed, left);
        const QStringList table = rows(*w);
        QCOMPARE(table.size(), left.size() + 1);
        for (int i = 0; i < left.size(); ++i) {
            const int wins = int(names.indexOf(left[i])) + 1;
            QVERIFY2(table[i + 1].startsWith(left[i] + ' ' + QString::number(names.size() * (names.size() + 1) / 2)
                                             + ' ' + QString::number(wins) + ' '),
                     qPrintable(table[i + 1]));
        }
        // Ticking an entry again asks nothing.
        if (tallied(*w)->count() > 0) {
            m_asked.clear();
            tallied(*w)->item(0)->setCheckState(Qt::Checked);
            QVERIFY(m_asked.isEmpty());
        }
    }

    void moverowKeepsAtLeastTheTotals()
    {
        auto w = makeWindow();
        w->moverow(1);
        QCOMPARE(rows(*w), QStringList{"0 0 0 0 0 0 0 0 0"});
    }

    void reset_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("no") << false;
        QTest::newRow("yes") << true;
    }
    void reset()
    {
        QFETCH(bool, yes);
        auto w = makeWindow();
        m_seated = {"A", "B"};
        tally(*w, m_seated);
        w->addgame("addtomine");
        tallied(*w)->setCurrentRow(0);
        const QStringList before = rows(*w);
        m_answers = {yes};
        w->findChild<QPushButton *>("button_reset")->click();
        QCOMPARE(m_asked, QStringList{"Are you sure you want to reset the Tally?"});
        if (!yes) {
            QCOMPARE(rows(*w), before);
            QCOMPARE(tallied(*w)->count(), 2);
            QCOMPARE(label(*w, "label_1"), QString("1"));
            return;
        }
        QCOMPARE(rows(*w), QStringList{"0 0 0 0 0 0 0 0 0"});
        QCOMPARE(tallied(*w)->count(), 0);
        for (const char *name : {"mylabel_1", "mylabel_2", "label_1", "label_3", "label_7"})
            QCOMPARE(label(*w, name), QString("0"));
        QCOMPARE(label(*w, "label_hisnametop"), QString("A's Tally"));
        w->addgame("A");
        QCOMPARE(rows(*w), QStringList{"0 1 0 0 0 0 0 0 0"});
    }

    void restartKeepsTotalsAndStartsASession()
    {
        {
            auto w = makeWindow();
            m_seated = {"Dira"};
            tally(*w, m_seated);
            w->addgame("addtomine");
            w->addgame("Dira");
            w->addgame("addtomine");
        }
        // The file is the one the old program writes for this tally.
        QFile file(Ttallylist::tallyFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toHex(' '), kDiraFile.toHex(' '));
        file.close();

        auto w = makeWindow();
        QCOMPARE(rows(*w), (QStringList{"0 3 2 0 0 0 0 0 0", "Dira 3 1 2 0 0 0 0 0"}));
        QCOMPARE(entries(tallied(*w)), QStringList{"Dira+"});
        QCOMPARE(label(*w, "mylabel_1"), QString("3"));
        QCOMPARE(label(*w, "mylabel_2"), QString("2"));
        QVERIFY(!QFile::exists("temp.txt"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"Brelvoxtally.tld"});
    }

    // A tally of many opponents, saved; returns the file's bytes.
    QByteArray savedTally(int opponents)
    {
        auto w = makeWindow();
        for (int i = 0; i < opponents; ++i)
            m_seated << QStringLiteral("Opponent%1").arg(i);
        tally(*w, m_seated);
        w->addgame("addtomine");
        w->addgame("Opponent0");
        w.reset();
        QFile file(Ttallylist::tallyFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void fullDiskKeepsTheTally_data()
    {
        QTest::addColumn<int>("limit");
        QTest::newRow("no room at all") << 0;
        QTest::newRow("a few bytes") << 16;
        QTest::newRow("all but the tail") << 100;
    }
    void fullDiskKeepsTheTally()
    {
        QFETCH(int, limit);
        const QByteArray before = savedTally(12);
        QVERIFY(before.size() > limit);
        auto w = makeWindow();
        w->addgame("addtomine");
        const int status = support::runWithFileSizeLimit(rlim_t(limit), [&] {
            const bool saved = w->saveTallyFile();
            return saved ? 0 : m_errors.size() == 1 && m_errors[0].startsWith("The tally could not be saved") ? 1 : 2;
        });
        QCOMPARE(status, 1);
        QFile file(Ttallylist::tallyFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"Brelvoxtally.tld"});
    }

    void twoCopiesSavingKeepEachOthersGames()
    {
        savedTally(1);
        auto first = makeWindow();
        auto second = makeWindow();
        first->addgame("addtomine");
        second->addgame("Opponent0");
        second->addgame("addtomine");
        // Both at once, from two processes, as two copies in two runtime folders would.
        pid_t other = ::fork();
        if (other == 0)
            ::_exit(first->saveTallyFile() ? 0 : 1);
        QVERIFY(second->saveTallyFile());
        int status = -1;
        QCOMPARE(::waitpid(other, &status, 0), other);
        QCOMPARE(status, 0);
        auto after = makeWindow();
        QCOMPARE(rows(*after), (QStringList{"0 5 3 0 0 0 0 0 0", "Opponent0 5 2 3 0 0 0 0 0"}));
    }

    void mergingKeepsBothCopiesChanges_data()
    {
        QTest::addColumn<QStringList>("disk");
        QTest::addColumn<QStringList>("base");
        QTest::addColumn<QStringList>("ours");
        QTest::addColumn<QStringList>("merged");
        const QString totals = "0 2 1 0 0 0 0 0 0";
        QTest::newRow("they added an opponent, we counted a game")
            << QStringList{totals, "A 1 0 1 0 0 0 0 0", "B 0 0 0 0 0 0 0 0"} << QStringList{"0 1 1 0 0 0 0 0 0", "A 1 0 1 0 0 0 0 0"}
            << QStringList{"0 2 1 0 0 0 0 0 0", "a 2 1 1 0 1 1 0 0"}
            << QStringList{"0 3 1 0 0 0 0 0 0", "A 2 1 1 0 1 1 0 0", "B 0 0 0 0 0 0 0 0"};
        QTest::newRow("we removed one, added another")
            << QStringList{totals, "A 1 0 1 0 0 0 0 0"} << QStringList{totals, "A 1 0 1 0 0 0 0 0"}
            << QStringList{totals, "C 0 0 0 0 0 0 0 0"} << QStringList{totals, "C 0 0 0 0 0 0 0 0"};
        QTest::newRow("they removed one we did not play")
            << QStringList{totals} << QStringList{totals, "A 1 0 1 0 0 0 0 0"}
            << QStringList{totals, "A 1 0 1 0 0 0 0 0"} << QStringList{totals};
    }
    void mergingKeepsBothCopiesChanges()
    {
        QFETCH(QStringList, disk);
        QFETCH(QStringList, base);
        QFETCH(QStringList, ours);
        QFETCH(QStringList, merged);
        const auto grid = [](const QStringList &lines) {
            TextGrid g(9, int(lines.size()));
            for (int r = 0; r < lines.size(); ++r)
                for (int c = 0; c < 9; ++c)
                    g.setCell(c, r, lines[r].split(' ')[c].toStdString());
            return g;
        };
        QCOMPARE(tallystore::merge(grid(disk), grid(base), grid(ours)), grid(merged));
    }

    void namesKeepTheirLetters()
    {
        const QString name = QString::fromUtf8("Zo\u00eb \u20ac");
        {
            auto w = makeWindow();
            m_seated = {name};
            tally(*w, m_seated);
        }
        auto w = makeWindow();
        QCOMPARE(entries(tallied(*w)), QStringList{name + "+"});
        QCOMPARE(w->scores().cell(0, 1), std::string("Zo\xeb \x80"));
    }

    void failingSaveKeepsThePreviousFile()
    {
        {
            auto w = makeWindow();
            m_seated = {"Dira"};
            tally(*w, m_seated);
            w->addgame("addtomine");
        }
        QFile file(Ttallylist::tallyFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        file.close();

        auto w = makeWindow();
        w->addgame("Dira");
        int calls = 0;
        w->doit().setEventPump([&calls] {
            if (++calls >= 3)
                throw std::runtime_error("disk full");
        });
        QVERIFY(!w->saveTallyFile());
        QVERIFY(calls >= 3);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), saved);
        file.close();
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"Brelvoxtally.tld"});
        w->doit().setEventPump({});
        QVERIFY(w->saveTallyFile());
    }

    void damagedFileIsReportedAndKept_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");
        QByteArray mismatch = kDiraFile;
        mismatch[4] = 0x40;
        QTest::newRow("size") << mismatch
                              << "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
        QTest::newRow("header") << QByteArray("hello world") << "Lzrw1 decompression : input stream contains no valid header !";
        QTest::newRow("cut") << kDiraFile.left(30) << "Lzrw1 : Error reading from input stream !";
        QByteArray notNumbers("WRZL\x06\0\0\0\x07\0\x80x\r\ny\r\n", 17);
        QTest::newRow("counts") << notNumbers << "Invalid numeric input";
        // A few KB that would grow past the cap in memory before the grid is looked at.
        std::istringstream in(std::string(tallystore::kMaxTallyBytes + 1, 'x'));
        std::ostringstream out;
        Tlzrw1 doit;
        doit.setUseStream(true);
        doit.setInputStream(&in);
        doit.setOutputStream(&out);
        doit.Compress();
        QTest::newRow("claim") << QByteArray::fromStdString(out.str())
                               << "The tally file claims 4194305 bytes, more than a tally can hold";
    }
    void damagedFileIsReportedAndKept()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        QFile file(Ttallylist::tallyFilePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        {
            auto w = makeWindow();
            const QString path = QDir::toNativeSeparators(Ttallylist::tallyFilePath());
            QCOMPARE(m_errors, QStringList{QStringLiteral("The tally file %1 could not be read (%2). The damaged file was "
                                                          "kept as %1.damaged and a new tally was started.")
                                               .arg(path, message)});
            QCOMPARE(rows(*w), QStringList{"0 0 0 0 0 0 0 0 0"});
            QCOMPARE(tallied(*w)->count(), 0);
            m_seated = {"Kim"};
            tally(*w, m_seated);
            QCOMPARE(rows(*w).size(), 2);
        }
        QFile kept(Ttallylist::tallyFilePath() + ".damaged");
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), contents);
    }

    void undefinedBytesStayInTheName()
    {
        const QString name = QString::fromUtf8("Ann\u0081\u008d\u008f\u0090\u009d");
        {
            auto w = makeWindow();
            m_seated = {name};
            tally(*w, m_seated);
        }
        auto w = makeWindow();
        QCOMPARE(entries(tallied(*w)), QStringList{name + "+"});
        w->addgame(name);
        QCOMPARE(tallystore::fromCell(w->scores().cell(0, 1)), name);
        QCOMPARE(rows(*w).value(1).section(' ', 1), QString("1 1 0 0 1 1 0 0"));
    }

    void fullCountStaysFull()
    {
        auto w = makeWindow();
        const_cast<TextGrid &>(w->scores()).setCell(1, 0, "2147483647");
        w->addgame("addtomine");
        QCOMPARE(w->scores().cell(1, 0), std::string("2147483647"));
        QCOMPARE(w->scores().cell(2, 0), std::string("1"));
    }

    void foreignCountStopsTheGame()
    {
        {
            auto w = makeWindow();
            m_seated = {"Dira"};
            tally(*w, m_seated);
        }
        // Write a tally whose count for Dira is not a number.
        auto w = makeWindow();
        const_cast<TextGrid &>(w->scores()).setCell(1, 1, "many");
        QVERIFY(w->saveTallyFile());
        auto v = makeWindow();
        m_seated = {"Dira"};
        try {
            v->addgame("addtomine");
            QFAIL("counted");
        } catch (const ConversionError &e) {
            QCOMPARE(e.message(), QString("'many' is not a valid integer value"));
        }
    }

    void doneHides()
    {
        auto w = makeWindow();
        QWidget main;
        main.resize(800, 600);
        w->showOver(&main);
        QVERIFY(w->isVisible());
        w->findChild<QPushButton *>("FlatButton1")->click();
        QVERIFY(!w->isVisible());
    }
};

QTEST_MAIN(TestTtallylist)
#include "test_ttallylist.moc"
