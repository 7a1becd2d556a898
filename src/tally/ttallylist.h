// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "codec/textgrid.h"
#include "codec/tlzrw1.h"

#include <QStringList>
#include <QWidget>
#include <functional>

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace brelvox {

class FlatButton;
class FlatPanel;
class StringGrid;

// The tally window: wins and losses against chosen opponents, kept in "Brelvoxtally.tld".
//
// The table (stringgrid_scores) has 9 columns; row 0 holds the local player's totals
// (column 1 games, 2 wins), row r >= 1 one opponent: 0 name, 1..4 games / the opponent's
// wins / our wins / neither won, in all, 5..8 the same this session. listbox_tally's
// entry i belongs to row i + 1, always.
//
// It loads the file when created (every start is a new session) and saves it when
// destroyed. The main window calls:
//   setSeatedNames(f)  f gives the names of the other players seated in the game now;
//   ViewTally1Click:   loadchecklist(); showOver(mainWindow);
//   winner:            addgame("addtomine") or addgame(winner's name).
class Ttallylist : public QWidget
{
    Q_OBJECT
public:
    static inline const QString kFileName = QStringLiteral("Brelvoxtally.tld");
    // The winner passed to addgame when the local player won.
    static inline const QString kMine = QStringLiteral("addtomine");

    explicit Ttallylist(QWidget *parent = nullptr);
    ~Ttallylist() override;

    static QString tallyFilePath();

    void setBackgroundTile(const QPixmap &tile);
    void setSeatedNames(std::function<QStringList()> seatedNames);

    // "Players In Current Game": cleared, then each name added, ticked when tallied.
    void loadchecklist();
    void loadchecklist(const QStringList &names);
    void clearCurrentPlayers();
    void addCurrentPlayer(const QString &name);
    bool isTallied(const QString &name) const;

    // Counts one finished game; throws ConversionError on a count that is not a number.
    void addgame(const QString &winner);

    // Centres the window on over and shows it without making it modal.
    void showOver(QWidget *over);

    // Handlers, public so the main window and tests can drive them.
    void checklistClickCheck(int index);
    void listbox_tallyClickCheck(int index);
    void listbox_tallyClick(int index);
    void button_resetClick();
    void FlatButton1Click();

    int addit(int column, int row);
    void addtomineincrease(int column);
    void moverow(int row);
    void loadtally();

    // Load and save of the tally file; false after a failure, the file untouched. A save
    // merges this run's games into the file as it is now and tells the player of a failure.
    bool loadTallyFile();
    bool saveTallyFile();

    const TextGrid &scores() const;
    Tlzrw1 &doit() { return m_doit; }

private:
    TextGrid &table();
    QLabel *valueLabel(const QString &name) const;
    void setCheckSilently(QListWidgetItem *item, bool checked);
    int tallyIndexOf(const QString &name) const;
    void resetTable();
    void showTable();
    void buildUi();

    FlatPanel *m_background = nullptr;
    StringGrid *m_grid = nullptr;
    QListWidget *m_checklist = nullptr;
    QListWidget *m_listboxTally = nullptr;
    QLabel *m_hisName = nullptr;
    QLabel *m_hisNameTop = nullptr;
    FlatButton *m_reset = nullptr;
    FlatButton *m_done = nullptr;
    std::function<QStringList()> m_seatedNames;
    Tlzrw1 m_doit;
    TextGrid m_base; // the table as last read from or written to the file
    bool m_replaceOnSave = false;
    bool m_quiet = false;
};

} // namespace brelvox
