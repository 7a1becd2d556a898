// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "windows/tabout.h"

#include "core/version.h"
#include "widgets/flatbutton.h"
#include "widgets/textfit.h"
#include "windows/auxwindow.h"
#include "windows/brelvoxlogo.h"
#include "windows/lobbyconfig.h"
#include "windows/turl.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace brelvox {

namespace {
QLabel *addLabel(QWidget *parent, const QString &text, const QColor &color, bool bold)
{
    auto *label = new QLabel(text, parent);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
    QFont f = label->font();
    f.setBold(bold);
    label->setFont(f);
    return label;
}

const QColor kYellow(0xFF, 0xF0, 0x40);
} // namespace

Tabout::Tabout(QWidget *parent)
    : AuxWindow(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("about"));
    setWindowTitle(QStringLiteral("Brelvox - About"));
    setFixedSize(304, 174);

    m_url = new TURL(this);
    m_url->setObjectName(QStringLiteral("URL1"));
    m_url->setUrl(lobbyconfig::makerHost());
    m_url->setUrlType(TURL::utHttp);

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(brelvoxLogo());
    logo->setGeometry(36, 6, 231, 56);

    m_link = addLabel(this, m_url->url(), kYellow, false);
    m_link->setObjectName(QStringLiteral("Label7"));
    QFont underlined = m_link->font();
    underlined.setUnderline(true);
    m_link->setFont(underlined);
    m_link->setAlignment(Qt::AlignHCenter);
    m_link->setGeometry(0, 66, 304, 18);
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->installEventFilter(this);

    QLabel *credits = addLabel(this,
                               QStringLiteral("Game, pictures and sounds by\n"
                                              "The Brelvox developers\n"
                                              "Free software under the MIT licence"),
                               Qt::white, false);
    credits->setObjectName(QStringLiteral("label_credits"));
    credits->setAlignment(Qt::AlignHCenter);
    credits->setGeometry(0, 88, 304, 50);

    auto *versionLine = new QWidget(this);
    versionLine->setGeometry(8, 146, 200, 22);
    auto *row = new QHBoxLayout(versionLine);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    QLabel *word = addLabel(versionLine, QStringLiteral("Version "), kYellow, true);
    word->setObjectName(QStringLiteral("Label8"));
    m_version = addLabel(versionLine, QString::fromLatin1(kProtocolVersion), Qt::black, true);
    m_version->setObjectName(QStringLiteral("version"));
    QLabel *suffix = addLabel(versionLine, QString::fromLatin1(kBuildSuffix), Qt::black, true);
    suffix->setObjectName(QStringLiteral("Label9"));
    row->addWidget(word);
    row->addWidget(m_version);
    row->addWidget(suffix);
    row->addStretch();

    auto *done = new FlatButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("SelButton8"));
    done->setGeometry(224, 144, 72, 24);
    connect(done, &QPushButton::clicked, this, &Tabout::SelButton8Click);
    textfit::fitWindow(this);
}

QString Tabout::version() const
{
    return m_version->text();
}

void Tabout::Label7Click()
{
    m_url->execute();
}

void Tabout::SelButton8Click()
{
    hide();
}

bool Tabout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_link && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        Label7Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace brelvox
