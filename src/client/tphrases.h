// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QWidget>
#include <array>
#include <functional>

class QLineEdit;

namespace brelvox {

class ChatView;

// The phrase editor: nine edits `phrase1`..`phrase9` filled from the phrase buttons; "Done"
// puts them back on the buttons and into the settings file.
class Tphrases : public QWidget
{
    Q_OBJECT
public:
    // write(key, value) stores one phrase key; false when the file could not be written.
    using Writer = std::function<bool(const QString &key, const QString &value)>;

    Tphrases(ChatView *chat, Writer write, QWidget *parent = nullptr);

    QLineEdit *edit(int n) const; // 1..9

    // View, "Phrase List": fill the edits from the buttons and show the editor.
    void open(QWidget *centreOn);
    void SelButton8Click();
    // Some edit differs from its button.
    bool edited() const;

Q_SIGNALS:
    void writeFailed();

protected:
    // Closed by the window's close box, Alt+F4 or Escape: changed phrases are kept only
    // when the player says so.
    void closeEvent(QCloseEvent *event) override;

private:
    ChatView *m_chat;
    Writer m_write;
    std::array<QLineEdit *, 9> m_edits{};
};

} // namespace brelvox
