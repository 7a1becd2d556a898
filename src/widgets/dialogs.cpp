// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "widgets/dialogs.h"

#include "core/conversion.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <exception>

namespace brelvox::dialogs {

namespace {
Handler &handler()
{
    static Handler h;
    return h;
}

const QString kTitle = QStringLiteral("Brelvox");
// A host that sends nothing but bad messages must not pile up windows.
constexpr int kMaxOpenErrors = 5;

QList<QMessageBox *> openErrorBoxes()
{
    QList<QMessageBox *> boxes;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible() && box->property("brelvoxError").toBool())
            boxes << box;
    return boxes;
}
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
    const QList<QMessageBox *> open = openErrorBoxes();
    if (open.size() >= kMaxOpenErrors)
        return;
    for (const QMessageBox *box : open)
        if (box->text() == shown)
            return; // the same failure again: the box already says it
    if (!parent)
        parent = QApplication::activeWindow();
    auto *box = new QMessageBox(QMessageBox::Critical, kTitle, shown, QMessageBox::Ok, parent);
    box->setProperty("brelvoxError", true);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setAttribute(Qt::WA_ShowWithoutActivating);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void errorAndWait(const QString &text, QWidget *parent)
{
    const QString shown = errorText(text);
    if (handler()) {
        handler()(Kind::Error, kTitle, shown);
        return;
    }
    QMessageBox::critical(parent, kTitle, shown);
}

namespace {
bool &unattendedEnd()
{
    static bool unattended = false;
    return unattended;
}
} // namespace

void setEndingUnattended(bool unattended)
{
    unattendedEnd() = unattended;
}

void errorAtEnd(const QString &text, QWidget *parent)
{
    if (!unattendedEnd()) {
        errorAndWait(text, parent);
        return;
    }
    const QByteArray line = QStringLiteral("brelvox: %1\n").arg(errorText(text)).toLocal8Bit();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
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
