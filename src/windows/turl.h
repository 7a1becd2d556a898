// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QObject>
#include <QString>

namespace brelvox {

// A link that opens through the desktop shell: a scheme chosen by URLType in front of URL.
class TURL : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString URL READ url WRITE setUrl)
    Q_PROPERTY(TURLType URLType READ urlType WRITE setUrlType)
public:
    enum TURLType { utFile, utFtp, utGopher, utHttp, utHttps, utMailto, utNews, utTelnet, utWais, utnone };
    Q_ENUM(TURLType)

    explicit TURL(QObject *parent = nullptr);

    QString url() const { return m_url; }
    void setUrl(const QString &url) { m_url = url; }
    TURLType urlType() const { return m_type; }
    void setUrlType(TURLType type) { m_type = type; }

    static QString prefix(TURLType type);
    // What execute() opens: prefix + URL.
    QString target() const { return prefix(m_type) + m_url; }

    // Opens the link without taking the focus; false for an empty URL or when the shell fails.
    bool execute() const;

private:
    QString m_url;
    TURLType m_type = utHttp;
};

} // namespace brelvox
