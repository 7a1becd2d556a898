// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "widgets/dialogs.h"

#include "core/conversion.h"

#include <QMessageBox>
#include <exception>

namespace brelvox::dialogs {

namespace {
Handler &handler()
{
    static Handler h;
    return h;
}

const QString kTitle = QStringLiteral("Brelvox");
} // namespace

void setHandler(Handler h)
{
    handler() = std::move(h);
}

QString errorText(const QString &text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void error(const QString &text, QWidget *parent)
{
    const QString shown = errorText(text);
    if (handler()) {
        handler()(Kind::Error, kTitle, shown);
        return;
    }
    QMessageBox::critical(parent, kTitle, shown);
}

void information(const QString &text, QWidget *parent)
{
    if (handler()) {
        handler()(Kind::Information, kTitle, text);
        return;
    }
    QMessageBox::information(parent, kTitle, text);
}

bool question(const QString &text, QWidget *parent)
{
    if (handler())
        return handler()(Kind::Question, kTitle, text);
    return QMessageBox::question(parent, kTitle, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void guarded(const std::function<void()> &f)
{
    try {
        f();
    } catch (const ConversionError &e) {
        error(e.message());
    } catch (const std::exception &e) {
        error(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace brelvox::dialogs
