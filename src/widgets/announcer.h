// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;

namespace brelvox {

// Tells a screen reader what a sighted player notices without looking for it: a turn,
// a find, the clock running low, a rejected word, the game's end.
//
// This toolkit version has no announcement event; what screen readers speak unasked is
// a notification object that appears, read out by the labels inside it. So the announcer
// is a tiny notification (one transparent pixel) holding one label with the text, shown
// anew for each announcement (hidden, shown: a "showing" change); it carries the text as
// its name as well and sends an alert for readers that listen to those.
// Announcements made in one pass of the event loop go out as one ("Time is Up! Your
// Turn."), so the second does not cut the first short.
class Announcer : public QWidget
{
    Q_OBJECT
public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &text);
    // What was last told, after the pending ones went out.
    QString lastAnnouncement() const { return m_last; }

    // Sends what is pending now; also run by itself once the event loop turns.
    void flush();

Q_SIGNALS:
    void announced(const QString &text);

private:
    QLabel *m_text;
    QStringList m_pending;
    QString m_last;
    bool m_scheduled = false;
};

} // namespace brelvox
