// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "widgets/shellopen.h"
#include "windows/turl.h"

#include <QTest>

using namespace brelvox;

class TestTurl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void executeOpensPrefixedUrl_data();
    void executeOpensPrefixedUrl();
    void emptyUrlOpensNothing_data();
    void emptyUrlOpensNothing();
    void shellFailureIsFalse();
    void defaults();

private:
    QStringList m_opened;
    QList<ShellShow> m_shows;
    bool m_succeeds = true;
};

void TestTurl::init()
{
    m_opened.clear();
    m_shows.clear();
    m_succeeds = true;
    setShellOpenHandler([this](const QString &target, const QString &parameters, ShellShow show) {
        if (!parameters.isEmpty())
            return false;
        m_opened.append(target);
        m_shows.append(show);
        return m_succeeds;
    });
}

void TestTurl::cleanup()
{
    setShellOpenHandler({});
}

void TestTurl::executeOpensPrefixedUrl_data()
{
    QTest::addColumn<TURL::TURLType>("type");
    QTest::addColumn<QString>("opened");
    QTest::newRow("utFile") << TURL::utFile << "file://host.example/x";
    QTest::newRow("utFtp") << TURL::utFtp << "ftp://host.example/x";
    QTest::newRow("utGopher") << TURL::utGopher << "gopher://host.example/x";
    QTest::newRow("utHttp") << TURL::utHttp << "http://host.example/x";
    QTest::newRow("utHttps") << TURL::utHttps << "https://host.example/x";
    QTest::newRow("utMailto") << TURL::utMailto << "mailto:host.example/x";
    QTest::newRow("utNews") << TURL::utNews << "news:host.example/x";
    QTest::newRow("utTelnet") << TURL::utTelnet << "telnet:host.example/x";
    QTest::newRow("utWais") << TURL::utWais << "wais:host.example/x";
    QTest::newRow("utnone") << TURL::utnone << "host.example/x";
}

void TestTurl::executeOpensPrefixedUrl()
{
    QFETCH(TURL::TURLType, type);
    QFETCH(QString, opened);
    TURL url;
    url.setUrl(QStringLiteral("host.example/x"));
    url.setUrlType(type);
    QVERIFY(url.execute());
    QCOMPARE(m_opened, QStringList{opened});
    QCOMPARE(m_shows.at(0), ShellShow::NoActivate);
}

void TestTurl::emptyUrlOpensNothing_data()
{
    QTest::addColumn<TURL::TURLType>("type");
    QTest::newRow("utHttp") << TURL::utHttp;
    QTest::newRow("utMailto") << TURL::utMailto;
    QTest::newRow("utnone") << TURL::utnone;
}

void TestTurl::emptyUrlOpensNothing()
{
    QFETCH(TURL::TURLType, type);
    TURL url;
    url.setUrlType(type);
    QVERIFY(!url.execute());
    QVERIFY(m_opened.isEmpty());
}

void TestTurl::shellFailureIsFalse()
{
    m_succeeds = false;
    TURL url;
    url.setUrl(QStringLiteral("host.example"));
    QVERIFY(!url.execute());
    QCOMPARE(m_opened, QStringList{QStringLiteral("http://host.example")});
}

void TestTurl::defaults()
{
    // Published through the meta-object as the form designer would set them.
    TURL url;
    QCOMPARE(url.property("URL").toString(), QString());
    QCOMPARE(url.property("URLType").value<TURL::TURLType>(), TURL::utHttp);
    QVERIFY(url.setProperty("URLType", QVariant::fromValue(TURL::utHttps)));
    QVERIFY(url.setProperty("URL", QStringLiteral("a.example")));
    QCOMPARE(url.target(), QStringLiteral("https://a.example"));
}

QTEST_GUILESS_MAIN(TestTurl)
#include "test_turl.moc"
