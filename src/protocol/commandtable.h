// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

namespace brelvox {

// A queued line cut at its first "+": the command name and the argument text after it.
// A line without "+" has an empty name.
struct CommandLine
{
    QString name;
    QString arguments;
};

inline CommandLine splitCommand(const QString &line)
{
    const qsizetype plus = line.indexOf(QLatin1Char('+'));
    if (plus < 0)
        return {};
    return {line.left(plus), line.mid(plus + 1)};
}

// Dispatch by exact command name, testing the names in a fixed order. A name that is
// not listed, or listed without a handler yet, is ignored. Context is what the owner
// passes along with each line (the host passes the sending connection).
//
//   CommandTable<> table(cmd::clientCommands());
//   table.bind(cmd::chat, [this](const QString &args) { chatrecieved(args); });
//   table.dispatch(queue.take().text);
template <typename... Context>
class CommandTable
{
public:
    using Handler = std::function<void(const QString &arguments, Context...)>;

    explicit CommandTable(const QList<QLatin1StringView> &order)
    {
        m_entries.reserve(order.size());
        for (const QLatin1StringView name : order)
            m_entries.append({name, Handler()});
    }

    // A name missing from the table's list is a programming error that would leave the
    // handler silently unused: it throws std::logic_error.
    void bind(QLatin1StringView name, Handler handler)
    {
        for (auto &entry : m_entries) {
            if (entry.first == name) {
                entry.second = std::move(handler);
                return;
            }
        }
        throw std::logic_error(std::string(name.data(), std::size_t(name.size())) + " is not in this dispatch list");
    }

    // The listed commands without a handler, in list order.
    QList<QLatin1StringView> unbound() const
    {
        QList<QLatin1StringView> names;
        for (const auto &entry : m_entries) {
            if (!entry.second)
                names.append(entry.first);
        }
        return names;
    }

    bool isBound(QLatin1StringView name) const
    {
        for (const auto &entry : m_entries) {
            if (entry.first == name)
                return bool(entry.second);
        }
        return false;
    }

    // Runs the handler of line's command; false when the line is ignored. Exceptions
    // of the handler pass through to the caller.
    bool dispatch(const QString &line, Context... context) const
    {
        const CommandLine parts = splitCommand(line);
        if (parts.name.isEmpty())
            return false;
        for (const auto &entry : m_entries) {
            if (entry.first == parts.name) {
                if (!entry.second)
                    return false;
                entry.second(parts.arguments, context...);
                return true;
            }
        }
        return false;
    }

private:
    QList<std::pair<QLatin1StringView, Handler>> m_entries;
};

} // namespace brelvox
