// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/chatview.h"
#include "core/userfiles.h"
#include "shell/appwindows.h"
#include "shell/tchat.h"
#include "widgets/dialogs.h"
#include "widgets/fonts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cmath>

using namespace brelvox;

namespace {

double luminance(QRgb rgb)
{
    auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QString textOf(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->text();
    if (const auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    return QString();
}

// Captions a player reads: shown labels, buttons and entry lines with text.
QList<QWidget *> captions(QWidget *window)
{
    QList<QWidget *> found;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() == window && w->isVisibleTo(window) && !textOf(w).trimmed().isEmpty())
            found.append(w);
    }
    return found;
}

} // namespace

// Every window under a dark desktop palette and a 14-point desktop font.
class TestAppWindows : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<AppWindows> m_app;

    QWidget *window(const QString &name) const
    {
        static const QHash<QString, int> index = {{"tally", 0}, {"about", 1}, {"game start", 2}, {"help", 3},
                                                  {"phrases", 4}, {"spy list", 5}, {"download", 6}};
        if (name == QLatin1String("main"))
            return m_app->chat();
        return m_app->secondaryWindows().value(index.value(name, -1));
    }

    void addWindowRows(bool withMain)
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"main", "tally", "about", "game start", "help", "phrases", "spy list", "download"}) {
            if (withMain || qstrcmp(name, "main") != 0)
                QTest::newRow(name) << QString::fromLatin1(name);
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        setUserFileDir(m_dir.path());
        dialogs::setHandler([](dialogs::Kind, const QString &, const QString &) { return true; });
        useArialMetrics();
        QFont large = QApplication::font();
        large.setPointSize(14);
        QApplication::setFont(large);
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
        dark.setColor(QPalette::WindowText, Qt::white);
        dark.setColor(QPalette::Base, QColor(0x3d, 0x3d, 0x3d));
        dark.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x33));
        dark.setColor(QPalette::Text, Qt::white);
        dark.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
        dark.setColor(QPalette::ButtonText, Qt::white);
        QApplication::setPalette(dark);
        m_app = std::make_unique<AppWindows>();
        m_app->chat()->chat()->setOwnColor(0x000000);
    }

    void cleanupTestCase()
    {
        m_app.reset();
    }

    void captionsFit_data() { addWindowRows(false); }
    void captionsFit()
    {
        QFETCH(QString, name);
        QWidget *w = window(name);
        QVERIFY(w);
        w->show();
        // It still fits a 1024x768 screen, with room for a title bar.
        QVERIFY2(w->width() <= 1024 && w->height() <= 768 - 32,
                 qPrintable(QStringLiteral("%1x%2").arg(w->width()).arg(w->height())));
        for (QWidget *caption : captions(w)) {
            if (caption->parentWidget()->layout() && caption->parentWidget()->layout()->indexOf(caption) >= 0)
                continue;
            const QString text = textOf(caption);
            QSize needed;
            if (auto *label = qobject_cast<QLabel *>(caption)) {
                needed = label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->sizeHint();
            } else {
                const QFontMetrics metrics = caption->fontMetrics();
                needed = QSize(metrics.horizontalAdvance(text) + 4, metrics.height());
            }
            QVERIFY2(needed.width() <= caption->width() && needed.height() <= caption->height(),
                     qPrintable(QStringLiteral("\"%1\" needs %2x%3, has %4x%5")
                                    .arg(text).arg(needed.width()).arg(needed.height())
                                    .arg(caption->width()).arg(caption->height())));
        }
        w->hide();
    }

    // The text of every caption stands out from the ground it is drawn on: where a colour
    // is forced, the other one is as well.
    void captionsReadOnTheirGround_data() { addWindowRows(true); }
    void captionsReadOnTheirGround()
    {
        QFETCH(QString, name);
        QWidget *w = window(name);
        QVERIFY(w);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QImage shot = w->grab().toImage().scaled(w->size()).convertToFormat(QImage::Format_RGB32);
        if (const QString dir = qEnvironmentVariable("BRELVOX_GRAB_DIR"); !dir.isEmpty())
            shot.save(QDir(dir).filePath(name + QStringLiteral(".png")));
        for (QWidget *caption : captions(w)) {
            if (!caption->isEnabled())
                continue;
            const QRect area = QRect(caption->mapTo(w, QPoint()), caption->size()).intersected(shot.rect());
            QHash<QRgb, int> counts;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x)
                    ++counts[shot.pixel(x, y)];
            }
            const QRgb ground = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                                                 [](auto a, auto b) { return a.second < b.second; })->first;
            // Thin strokes are blended into the ground, so the caption's own colour counts too.
            double best = contrast(caption->palette().color(caption->foregroundRole()).rgb(), ground);
            for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it)
                best = std::max(best, contrast(*it, ground));
            QVERIFY2(best >= 3.0, qPrintable(QStringLiteral("\"%1\" (%2): %3:1 on %4")
                                                 .arg(textOf(caption), caption->objectName())
                                                 .arg(best, 0, 'f', 2).arg(QColor(ground).name())));
        }
        w->hide();
    }

    // Dialogs and secondary windows are windows of their own that belong to the main one.
    void secondaryWindowsBelongToMain_data() { addWindowRows(false); }
    void secondaryWindowsBelongToMain()
    {
        QFETCH(QString, name);
        QWidget *w = window(name);
        QVERIFY(w);
        w->show();
        QVERIFY(w->isWindow());
        QVERIFY(w->windowHandle());
        QCOMPARE(w->windowHandle()->transientParent(), m_app->chat()->windowHandle());
        w->hide();
    }
};

QTEST_MAIN(TestAppWindows)
#include "test_appwindows.moc"
