// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "windows/thelp.h"

#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"
#include "widgets/textfit.h"
#include "windows/auxwindow.h"
#include "windows/tabout.h"

#include <QFile>
#include <QLabel>
#include <QStackedLayout>
#include <QTextBrowser>

namespace brelvox {

namespace {
struct Section {
    const char *name;
    const char *caption;
    int tag;
};

constexpr Section kSections[] = {
    {"SelButton1", "Overview", 1},      {"SelButton2", "Connecting", 2}, {"SelButton3", "Game Play", 3},
    {"SelButton4", "Scoring", 4},       {"SelButton5", "Documentation", 5}, {"SelButton6", "License", 6},
};

const QColor kFace(0x6B, 0x4E, 0x2A);
const QColor kSelectedFace(0xF2, 0xD2, 0x1B);

QString pageText(int number)
{
    QFile f(QStringLiteral(":/windows/help/memo%1.html").arg(number));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}
} // namespace

Thelp::Thelp(QWidget *parent)
    : AuxWindow(parent, Qt::Window)
{
    setObjectName(QStringLiteral("help"));
    setWindowTitle(QStringLiteral("Brelvox - Help File"));
    setFixedSize(494, 421);

    auto *side = new FlatPanel(this);
    side->setObjectName(QStringLiteral("panel_side"));
    side->setGeometry(0, 0, 118, 421);
    side->setColor(QColor(0x3A, 0x2A, 0x16, 0x80));

    int y = 10;
    for (const Section &s : kSections) {
        auto *button = new FlatButton(QString::fromLatin1(s.caption), side);
        button->setObjectName(QLatin1String(s.name));
        button->setTag(s.tag);
        button->setGeometry(8, y, 102, 26);
        button->setColors(kFace, Qt::white, kFace.lighter(140), kSelectedFace);
        connect(button, &QPushButton::clicked, this, [this, button] { SelButtonClick(button); });
        m_sections.append(button);
        y += 32;
    }
    auto *about = new FlatButton(QStringLiteral("About"), side);
    about->setObjectName(QStringLiteral("button_about"));
    about->setTag(10);
    about->setGeometry(8, y + 16, 102, 26);
    about->setColors(kFace, Qt::white, kFace.lighter(140), kSelectedFace);
    connect(about, &QPushButton::clicked, this, &Thelp::button_aboutClick);

    auto *done = new FlatButton(QStringLiteral("Done"), side);
    done->setObjectName(QStringLiteral("button_done"));
    done->setTag(10);
    done->setGeometry(8, 421 - 36, 102, 26);
    done->setColors(kFace, Qt::white, kFace.lighter(140), kSelectedFace);
    connect(done, &QPushButton::clicked, this, &Thelp::button_doneClick);

    auto *main = new QWidget(this);
    main->setObjectName(QStringLiteral("panel_main"));
    main->setGeometry(118, 0, 376, 421);

    m_caption = new QLabel(main);
    m_caption->setObjectName(QStringLiteral("label_caption"));
    m_caption->setGeometry(8, 6, 360, 24);
    QFont big = m_caption->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    m_caption->setFont(big);
    QPalette pal = m_caption->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    m_caption->setPalette(pal);

    auto *pageArea = new QWidget(main);
    pageArea->setGeometry(8, 34, 360, 379);
    m_pages = new QStackedLayout(pageArea);
    m_pages->setContentsMargins(0, 0, 0, 0);
    for (int i = 1; i <= 6; ++i) {
        auto *memo = new QTextBrowser(pageArea);
        memo->setObjectName(QStringLiteral("memo%1").arg(i));
        memo->setReadOnly(true);
        memo->setOpenLinks(false);
        memo->setFrameShape(QFrame::NoFrame);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->document()->setDocumentMargin(5);
        QPalette white = memo->palette();
        white.setColor(QPalette::Base, Qt::white);
        white.setColor(QPalette::Text, Qt::black);
        memo->setPalette(white);
        memo->setHtml(pageText(i));
        m_pages->addWidget(memo);
    }
    SelButtonClick(m_sections.first());
    textfit::fitWindow(this);
}

void Thelp::SelButtonClick(FlatButton *button)
{
    auto *page = findChild<QTextBrowser *>(QStringLiteral("memo%1").arg(button->tag()));
    if (!page)
        return;
    m_pages->setCurrentWidget(page);
    m_caption->setText(button->text());
    selectButton(button);
}

void Thelp::selectButton(FlatButton *button)
{
    for (FlatButton *b : std::as_const(m_sections)) {
        if (b == button)
            b->setColors(kSelectedFace, Qt::black, kSelectedFace, Qt::black);
        else
            b->setColors(kFace, Qt::white, kFace.lighter(140), kSelectedFace);
    }
}

QTextBrowser *Thelp::currentPage() const
{
    return qobject_cast<QTextBrowser *>(m_pages->currentWidget());
}

QString Thelp::caption() const
{
    return m_caption->text();
}

void Thelp::button_aboutClick()
{
    if (m_about)
        m_about->showOver(anchor());
}

void Thelp::button_doneClick()
{
    hide();
}

} // namespace brelvox
