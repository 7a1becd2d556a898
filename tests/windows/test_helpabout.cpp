// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/version.h"
#include "widgets/flatbutton.h"
#include "widgets/shellopen.h"
#include "windows/brelvoxlogo.h"
#include "windows/lobbyconfig.h"
#include "windows/tabout.h"
#include "windows/thelp.h"
#include "windows/turl.h"

#include <QLabel>
#include <QTest>
#include <QTextBrowser>

using namespace brelvox;

class TestHelpAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void helpStartsOnOverview();
    void sectionButtonShowsPage_data();
    void sectionButtonShowsPage();
    void pagesCarryTheirTexts_data();
    void pagesCarryTheirTexts();
    void helpAboutAndDone();
    void aboutVersionLine();
    void aboutLinkOpensMakerSite();
    void aboutDoneHides();
    void logoPaintedAtRatio_data();
    void logoPaintedAtRatio();

private:
    template<typename T>
    T *child(QWidget *w, const char *name) const
    {
        return w->findChild<T *>(QLatin1String(name));
    }

    std::unique_ptr<Tabout> m_about;
    std::unique_ptr<Thelp> m_help;
    QStringList m_opened;
};

void TestHelpAbout::init()
{
    m_opened.clear();
    setShellOpenHandler([this](const QString &target, const QString &, ShellShow show) {
        m_opened.append(target + (show == ShellShow::NoActivate ? QStringLiteral(" (no focus)") : QString()));
        return true;
    });
    m_about = std::make_unique<Tabout>();
    m_help = std::make_unique<Thelp>();
    m_help->setAboutWindow(m_about.get());
}

void TestHelpAbout::cleanup()
{
    m_help.reset();
    m_about.reset();
    setShellOpenHandler({});
}

void TestHelpAbout::helpStartsOnOverview()
{
    QCOMPARE(m_help->windowTitle(), QStringLiteral("Brelvox - Help File"));
    QCOMPARE(m_help->size(), QSize(494, 421));
    QCOMPARE(child<QWidget>(m_help.get(), "panel_side")->width(), 118);
    QCOMPARE(m_help->caption(), QStringLiteral("Overview"));
    QCOMPARE(child<QLabel>(m_help.get(), "label_caption")->text(), QStringLiteral("Overview"));
    QCOMPARE(m_help->currentPage()->objectName(), QStringLiteral("memo1"));
}

void TestHelpAbout::sectionButtonShowsPage_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("page");
    QTest::newRow("Overview") << "SelButton1" << "Overview" << "memo1";
    QTest::newRow("Connecting") << "SelButton2" << "Connecting" << "memo2";
    QTest::newRow("Game Play") << "SelButton3" << "Game Play" << "memo3";
    QTest::newRow("Scoring") << "SelButton4" << "Scoring" << "memo4";
    QTest::newRow("Documentation") << "SelButton5" << "Documentation" << "memo5";
    QTest::newRow("License") << "SelButton6" << "License" << "memo6";
}

void TestHelpAbout::sectionButtonShowsPage()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, page);
    // Start from another page so a button that does nothing cannot pass.
    QTest::mouseClick(child<FlatButton>(m_help.get(), button == QLatin1String("SelButton6") ? "SelButton2" : "SelButton6"),
                      Qt::LeftButton);
    auto *b = m_help->findChild<FlatButton *>(button);
    QCOMPARE(b->text(), caption);
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(m_help->caption(), caption);
    QCOMPARE(m_help->currentPage()->objectName(), page);
}

void TestHelpAbout::pagesCarryTheirTexts_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("memo1") << "memo1" << "Overview" << "Most Balls Pocketed";
    QTest::newRow("memo2") << "memo2" << "Connecting" << "7772";
    QTest::newRow("memo3") << "memo3" << "Game Play" << "20 seconds";
    QTest::newRow("memo4") << "memo4" << "Scoring" << "make 15";
    QTest::newRow("memo5") << "memo5" << "History" << "Version 1.0.0.2";
    QTest::newRow("memo6") << "memo6" << "License Agreement" << "MIT License";
}

void TestHelpAbout::pagesCarryTheirTexts()
{
    QFETCH(QString, page);
    QFETCH(QString, firstLine);
    QFETCH(QString, mentions);
    const QString text = m_help->findChild<QTextBrowser *>(page)->toPlainText();
    QCOMPARE(text.section(QLatin1Char('\n'), 0, 0).trimmed(), firstLine);
    QVERIFY2(text.contains(mentions), qPrintable(page));
    if (page == QLatin1String("memo5")) {
        // Newest first, ending with the first release.
        const qsizetype newest = text.indexOf(QLatin1String("Version 1.0.5.10"));
        QVERIFY(newest > 0);
        QVERIFY(newest < text.indexOf(QLatin1String("Version 1.0.0.2")));
    }
}

void TestHelpAbout::helpAboutAndDone()
{
    auto *about = child<FlatButton>(m_help.get(), "button_about");
    auto *done = child<FlatButton>(m_help.get(), "button_done");
    QCOMPARE(about->text(), QStringLiteral("About"));
    QCOMPARE(about->tag(), 10);
    QCOMPARE(done->text(), QStringLiteral("Done"));
    m_help->showOver(nullptr);
    QVERIFY(m_help->isVisible());
    QVERIFY(!m_about->isVisible());
    QTest::mouseClick(about, Qt::LeftButton);
    QVERIFY(m_about->isVisible());
    QTest::mouseClick(done, Qt::LeftButton);
    QVERIFY(!m_help->isVisible());
    QVERIFY(m_about->isVisible());
}

void TestHelpAbout::aboutVersionLine()
{
    QCOMPARE(m_about->windowTitle(), QStringLiteral("Brelvox - About"));
    QCOMPARE(m_about->size(), QSize(304, 174));
    QCOMPARE(m_about->windowType(), Qt::Tool);
    QCOMPARE(child<QLabel>(m_about.get(), "version")->text(), QStringLiteral("1.0.5"));
    QCOMPARE(m_about->version(), QString::fromLatin1(kProtocolVersion));
    QCOMPARE(child<QLabel>(m_about.get(), "Label9")->text(), QStringLiteral(".10"));
    const QString line = child<QLabel>(m_about.get(), "Label8")->text() + child<QLabel>(m_about.get(), "version")->text()
                         + child<QLabel>(m_about.get(), "Label9")->text();
    QCOMPARE(line, QStringLiteral("Version 1.0.5.10"));
    QCOMPARE(child<QLabel>(m_about.get(), "Image1")->pixmap().size(), QSize(231, 56));
}

void TestHelpAbout::aboutLinkOpensMakerSite()
{
    lobbyconfig::setMakerHost(QStringLiteral("maker.example"));
    Tabout about;
    auto *url = about.findChild<TURL *>(QStringLiteral("URL1"));
    QCOMPARE(url, about.url1());
    QCOMPARE(url->url(), QStringLiteral("maker.example"));
    QCOMPARE(url->urlType(), TURL::utHttp);
    auto *link = about.findChild<QLabel *>(QStringLiteral("Label7"));
    QCOMPARE(link->text(), QStringLiteral("maker.example"));
    QVERIFY(link->font().underline());
    about.show();
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(m_opened, QStringList{QStringLiteral("http://maker.example (no focus)")});
}

void TestHelpAbout::aboutDoneHides()
{
    m_about->showOver(nullptr);
    QTest::mouseClick(child<FlatButton>(m_about.get(), "SelButton8"), Qt::LeftButton);
    QVERIFY(!m_about->isVisible());
}


// On a scaled screen the logo is painted with the screen's pixels, not blown up from 1x.
void TestHelpAbout::logoPaintedAtRatio_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("about, 2x") << QSize(231, 56) << 2.0;
    QTest::newRow("about, 1.5x") << QSize(231, 56) << 1.5;
    QTest::newRow("board, 2x") << QSize(106, 26) << 2.0;
}

void TestHelpAbout::logoPaintedAtRatio()
{
    QFETCH(QSize, size);
    QFETCH(qreal, ratio);
    const QPixmap sharp = brelvoxLogo(size, ratio);
    QCOMPARE(sharp.devicePixelRatio(), ratio);
    QCOMPARE(sharp.deviceIndependentSize().toSize(), size);
    const QImage painted = sharp.toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage blown = brelvoxLogo(size, 1).toImage().convertToFormat(QImage::Format_ARGB32)
                             .scaled(painted.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int differing = 0;
    for (int y = 0; y < painted.height(); ++y) {
        for (int x = 0; x < painted.width(); ++x)
            differing += qGray(painted.pixel(x, y)) != qGray(blown.pixel(x, y));
    }
    QVERIFY2(differing > painted.width() * painted.height() / 20, qPrintable(QString::number(differing)));
}

QTEST_MAIN(TestHelpAbout)
#include "test_helpabout.moc"
