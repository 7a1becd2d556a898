// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "tally/ttallylist.h"

#include "core/conversion.h"
#include "core/userfiles.h"
#include "codec/strgrid.h"
#include "tally/stringgrid.h"
#include "tally/tallystore.h"
#include "widgets/dialogs.h"
#include "widgets/escapekey.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <limits>

namespace brelvox {

namespace {
constexpr int kColumns = 9;
const QColor kBackground(0xA7, 0x87, 0x58);
const QColor kHeading(Qt::yellow);
const QColor kOnPanel(0x00, 0x80, 0x00);

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text, const QColor &color,
                  const QRect &geometry, bool bold = false)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QListWidget *makeCheckList(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(name);
    list->setGeometry(geometry);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

QListWidgetItem *checkItem(const QString &text, bool checked)
{
    auto *item = new QListWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return item;
}
} // namespace

Ttallylist::Ttallylist(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("tallylist"));
    setWindowTitle(QStringLiteral("Brelvox - Tally List"));
    m_doit.setCompressMode(TCompressMode::Fast);
    buildUi();
    resetTable();
    loadTallyFile();
}

Ttallylist::~Ttallylist()
{
    saveTallyFile();
}

QString Ttallylist::tallyFilePath()
{
    return userFilePath(kFileName);
}

void Ttallylist::buildUi()
{
    setFixedSize(455, 365);
    m_background = new FlatPanel(this);
    m_background->setObjectName(QStringLiteral("panel_background"));
    m_background->setColor(kBackground);
    m_background->setGeometry(rect());
    QWidget *bg = m_background;

    m_grid = new StringGrid(this);
    m_grid->setObjectName(QStringLiteral("stringgrid_scores"));

    makeLabel(bg, QStringLiteral("label_yourtotal"), QStringLiteral("Your Total Tally"), kHeading, {10, 6, 240, 18}, true);
    auto *own = new FlatPanel(bg);
    own->setObjectName(QStringLiteral("panel_own"));
    own->setColor(Qt::white);
    own->setGeometry(8, 26, 250, 52);
    makeLabel(own, QStringLiteral("label_totalgames"), QStringLiteral("Total Games:"), kOnPanel, {10, 6, 110, 18});
    makeLabel(own, QStringLiteral("mylabel_1"), QStringLiteral("0"), kOnPanel, {130, 6, 100, 18}, true);
    makeLabel(own, QStringLiteral("label_yourwins"), QStringLiteral("Your Wins"), kOnPanel, {10, 28, 110, 18});
    makeLabel(own, QStringLiteral("mylabel_2"), QStringLiteral("0"), kOnPanel, {130, 28, 100, 18}, true);

    auto *his = new FlatPanel(bg);
    his->setObjectName(QStringLiteral("panel_opponent"));
    his->setColor(Qt::white);
    his->setGeometry(8, 86, 250, 128);
    m_hisNameTop = makeLabel(his, QStringLiteral("label_hisnametop"), QStringLiteral("XX's Tally"), kOnPanel,
                             {10, 4, 230, 18}, true);
    makeLabel(his, QStringLiteral("label_total"), QStringLiteral("Total"), kOnPanel, {130, 24, 50, 18}, true);
    makeLabel(his, QStringLiteral("label_session"), QStringLiteral("Session"), kOnPanel, {186, 24, 56, 18}, true);
    const QString headings[] = {QStringLiteral("Number of Games"), QStringLiteral("XX Wins:"),
                                QStringLiteral("Your Wins:"), QStringLiteral("Neither Won:")};
    for (int i = 0; i < 4; ++i) {
        const int y = 44 + i * 20;
        QLabel *heading = makeLabel(his, QStringLiteral("label_heading%1").arg(i + 1), headings[i], kOnPanel,
                                    {10, y, 118, 18});
        if (i == 1) {
            heading->setObjectName(QStringLiteral("label_hisname"));
            m_hisName = heading;
        }
        makeLabel(his, QStringLiteral("label_%1").arg(i + 1), QStringLiteral("0"), kOnPanel, {130, y, 50, 18});
        makeLabel(his, QStringLiteral("label_%1").arg(i + 5), QStringLiteral("0"), kOnPanel, {186, y, 50, 18});
    }

    makeLabel(bg, QStringLiteral("label_currentgame"), QStringLiteral("Players In Current Game"), kHeading,
              {10, 222, 240, 18}, true);
    m_checklist = makeCheckList(bg, QStringLiteral("checklist"), {8, 242, 250, 115});

    makeLabel(bg, QStringLiteral("label_beingtallied"), QStringLiteral("Players Being Tallied"), kHeading,
              {268, 6, 180, 18}, true);
    m_listboxTally = makeCheckList(bg, QStringLiteral("listbox_tally"), {268, 26, 179, 262});

    m_reset = new FlatButton(QStringLiteral("Reset Tally"), bg);
    m_reset->setObjectName(QStringLiteral("button_reset"));
    m_reset->setGeometry(268, 297, 179, 26);
    m_done = new FlatButton(QStringLiteral("Done"), bg);
    m_done->setObjectName(QStringLiteral("FlatButton1"));
    m_done->setGeometry(268, 331, 179, 26);

    connect(m_checklist, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (!m_quiet)
            dialogs::guarded([&] { checklistClickCheck(m_checklist->row(item)); });
    });
    connect(m_listboxTally, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (!m_quiet)
            dialogs::guarded([&] { listbox_tallyClickCheck(m_listboxTally->row(item)); });
    });
    connect(m_listboxTally, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            listbox_tallyClick(row);
    });
    connect(m_reset, &QPushButton::clicked, this, [this] { dialogs::guarded([this] { button_resetClick(); }); });
    connect(m_done, &QPushButton::clicked, this, &Ttallylist::FlatButton1Click);
    closeOnEscape(this);
}

void Ttallylist::setBackgroundTile(const QPixmap &tile)
{
    m_background->setTile(tile);
}

void Ttallylist::setSeatedNames(std::function<QStringList()> seatedNames)
{
    m_seatedNames = std::move(seatedNames);
}

TextGrid &Ttallylist::table()
{
    return m_grid->grid();
}

const TextGrid &Ttallylist::scores() const
{
    return m_grid->grid();
}

QLabel *Ttallylist::valueLabel(const QString &name) const
{
    return findChild<QLabel *>(name);
}

void Ttallylist::setCheckSilently(QListWidgetItem *item, bool checked)
{
    const bool was = m_quiet;
    m_quiet = true;
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    m_quiet = was;
}

int Ttallylist::tallyIndexOf(const QString &name) const
{
    for (int i = 0; i < m_listboxTally->count(); ++i)
        if (m_listboxTally->item(i)->text().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool Ttallylist::isTallied(const QString &name) const
{
    return tallyIndexOf(name) >= 0;
}

void Ttallylist::resetTable()
{
    table().resize(kColumns, 1);
    for (int c = 0; c < kColumns; ++c)
        table().setCell(c, 0, "0");
    m_base = scores();
}

void Ttallylist::loadchecklist()
{
    if (m_seatedNames)
        loadchecklist(m_seatedNames());
}

void Ttallylist::loadchecklist(const QStringList &names)
{
    clearCurrentPlayers();
    for (const QString &name : names)
        addCurrentPlayer(name);
}

void Ttallylist::clearCurrentPlayers()
{
    m_checklist->clear();
}

void Ttallylist::addCurrentPlayer(const QString &name)
{
    const bool was = m_quiet;
    m_quiet = true;
    m_checklist->addItem(checkItem(name, isTallied(name)));
    m_quiet = was;
}

int Ttallylist::addit(int column, int row)
{
    const int count = toInt(tallystore::fromCell(table().cell(column, row)));
    const int value = count < std::numeric_limits<int>::max() ? count + 1 : count; // a full count stays full
    table().setCell(column, row, std::to_string(value));
    return value;
}

void Ttallylist::addtomineincrease(int column)
{
    const int value = addit(column, 0);
    if (QLabel *label = valueLabel(QStringLiteral("mylabel_%1").arg(column)))
        label->setText(QString::number(value));
}

void Ttallylist::addgame(const QString &winner)
{
    loadchecklist();
    addtomineincrease(1);
    if (winner == kMine)
        addtomineincrease(2);
    for (int i = 0; i < m_checklist->count(); ++i) {
        const int index = tallyIndexOf(m_checklist->item(i)->text());
        if (index < 0)
            continue;
        const int row = index + 1;
        for (int c = 1; c < kColumns; ++c)
            if (table().cell(c, row).empty())
                table().setCell(c, row, "0");
        addit(1, row);
        addit(5, row);
        if (tallystore::fromCell(table().cell(0, row)) == winner) {
            addit(2, row);
            addit(6, row);
        } else if (winner == kMine) {
            addit(3, row);
            addit(7, row);
        } else {
            addit(4, row);
            addit(8, row);
        }
    }
    if (m_listboxTally->currentRow() >= 0)
        listbox_tallyClick(m_listboxTally->currentRow());
}

void Ttallylist::checklistClickCheck(int index)
{
    QListWidgetItem *item = m_checklist->item(index);
    // Only a tick adds; taking one away never removes anybody from the tally.
    if (!item || item->checkState() != Qt::Checked)
        return;
    const QString name = item->text();
    if (isTallied(name))
        return;
    const bool was = m_quiet;
    m_quiet = true;
    m_listboxTally->addItem(checkItem(name, true));
    m_quiet = was;
    const int row = table().rowCount();
    table().setRowCount(row + 1);
    table().setCell(0, row, tallystore::toCell(name));
    for (int c = 1; c < kColumns; ++c)
        table().setCell(c, row, "0");
}

void Ttallylist::listbox_tallyClickCheck(int index)
{
    QListWidgetItem *item = m_listboxTally->item(index);
    if (!item || item->checkState() == Qt::Checked)
        return;
    const QString name = item->text();
    if (!dialogs::question(QStringLiteral("This will delete ") + name
                               + QStringLiteral("'s Tally, Are you want to delete it?"),
                           this)) {
        setCheckSilently(item, true);
        return;
    }
    moverow(index + 1);
    delete m_listboxTally->takeItem(index);
    for (int i = 0; i < m_checklist->count(); ++i)
        if (m_checklist->item(i)->text().compare(name, Qt::CaseInsensitive) == 0)
            setCheckSilently(m_checklist->item(i), false);
}

void Ttallylist::moverow(int row)
{
    TextGrid &t = table();
    if (row < 1 || row >= t.rowCount())
        return;
    for (int r = row; r + 1 < t.rowCount(); ++r)
        for (int c = 0; c < t.colCount(); ++c)
            t.setCell(c, r, t.cell(c, r + 1));
    t.setRowCount(t.rowCount() - 1);
}

void Ttallylist::listbox_tallyClick(int index)
{
    const int row = index + 1;
    if (index < 0 || row >= scores().rowCount())
        return;
    for (int c = 1; c < kColumns; ++c)
        if (QLabel *label = valueLabel(QStringLiteral("label_%1").arg(c)))
            label->setText(tallystore::fromCell(scores().cell(c, row)));
    const QString name = tallystore::fromCell(scores().cell(0, row));
    m_hisName->setText(name + QStringLiteral(" Wins:"));
    m_hisNameTop->setText(name + QStringLiteral("'s Tally"));
}

void Ttallylist::button_resetClick()
{
    if (!dialogs::question(QStringLiteral("Are you sure you want to reset the Tally?"), this))
        return;
    resetTable();
    m_replaceOnSave = true; // the player wiped the tally: other copies' games go with it
    valueLabel(QStringLiteral("mylabel_1"))->setText(QStringLiteral("0"));
    valueLabel(QStringLiteral("mylabel_2"))->setText(QStringLiteral("0"));
    m_listboxTally->clear();
    for (int c = 1; c < kColumns; ++c)
        valueLabel(QStringLiteral("label_%1").arg(c))->setText(QStringLiteral("0"));
    for (int i = 0; i < m_checklist->count(); ++i)
        setCheckSilently(m_checklist->item(i), false);
}

void Ttallylist::FlatButton1Click()
{
    close();
}

void Ttallylist::showOver(QWidget *over)
{
    if (over) {
        QRect frame = geometry();
        frame.moveCenter(over->frameGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
}

void Ttallylist::loadtally()
{
    showTable();
    for (int r = 1; r < scores().rowCount(); ++r)
        for (int c = 5; c < kColumns; ++c)
            table().setCell(c, r, "0");
}

void Ttallylist::showTable()
{
    valueLabel(QStringLiteral("mylabel_1"))->setText(tallystore::fromCell(scores().cell(1, 0)));
    valueLabel(QStringLiteral("mylabel_2"))->setText(tallystore::fromCell(scores().cell(2, 0)));
    const bool was = m_quiet;
    m_quiet = true;
    m_listboxTally->clear();
    for (int r = 1; r < scores().rowCount(); ++r)
        m_listboxTally->addItem(checkItem(tallystore::fromCell(scores().cell(0, r)), true));
    m_quiet = was;
    if (m_listboxTally->currentRow() >= 0)
        listbox_tallyClick(m_listboxTally->currentRow());
}

bool Ttallylist::loadTallyFile()
{
    const QString path = tallyFilePath();
    if (!QFile::exists(path))
        return true;
    try {
        table() = tallystore::load(path, m_doit);
        loadtally();
        m_base = scores();
        return true;
    } catch (const std::exception &e) {
        // The unreadable file is kept beside the new one, so saving at the end cannot
        // destroy a tally that some other copy of the program could still read.
        const QString keep = path + QStringLiteral(".damaged");
        QFile::remove(keep);
        const bool kept = QFile::copy(path, keep);
        resetTable();
        const QString reason = QString::fromStdString(e.what());
        dialogs::error(kept ? QStringLiteral("The tally file %1 could not be read (%2). The damaged file was kept as %3 "
                                             "and a new tally was started")
                                  .arg(QDir::toNativeSeparators(path), reason, QDir::toNativeSeparators(keep))
                            : QStringLiteral("The tally file %1 could not be read (%2), nor be kept as %3. A new tally "
                                             "was started and replaces it when the game ends")
                                  .arg(QDir::toNativeSeparators(path), reason, QDir::toNativeSeparators(keep)),
                       this);
        return false;
    }
}

bool Ttallylist::saveTallyFile()
{
    const QString path = tallyFilePath();
    try {
        // Another copy (another runtime folder) may have saved games since this one read
        // the file: this run's games are added to them, not written over them.
        const TextGrid saved = m_replaceOnSave ? (tallystore::save(scores(), path, m_doit), scores())
                                               : tallystore::saveMerged(scores(), m_base, path, m_doit);
        m_replaceOnSave = false;
        m_base = saved;
        if (!(saved == scores())) {
            table() = saved;
            showTable();
        }
        return true;
    } catch (const std::exception &e) {
        dialogs::errorAtEnd(QStringLiteral("The tally could not be saved to %1 (%2). The file keeps the tally as it "
                                           "was before this session")
                                .arg(QDir::toNativeSeparators(path), QString::fromStdString(e.what())),
                            this);
        return false;
    }
}

} // namespace brelvox
