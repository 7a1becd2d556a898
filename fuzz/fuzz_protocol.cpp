// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
// Network bytes through the 0xFF splitter, the receive queue and the client's command
// table, whose handlers read their fields the ways the real ones do.
#include "core/conversion.h"
#include "fuzzcheck.h"
#include "protocol/catalogue.h"
#include "protocol/commandtable.h"
#include "protocol/fieldreader.h"
#include "protocol/messagesplitter.h"
#include "protocol/receivequeue.h"

#include <QStringList>

#include <algorithm>

using namespace brelvox;

namespace {

void readFields(const QString &arguments)
{
    {
        // Plain fields: joined again by "+" they give the text back, less a last "+".
        FieldReader r(arguments);
        QStringList fields;
        while (!r.atEnd())
            fields.append(r.next());
        FUZZ_CHECK(r.next().isEmpty());
        const QString joined = fields.join(QLatin1Char('+'));
        FUZZ_CHECK(arguments == joined || arguments == joined + QLatin1Char('+'));
    }
    {
        FieldReader r(arguments);
        for (int i = 0; i < 4 && !r.atEnd(); ++i) {
            try {
                r.nextInt();
            } catch (const ConversionError &) {
            }
        }
        const QString rest = r.rest();
        FUZZ_CHECK(arguments.endsWith(rest));
        const auto pairs = r.pairs();
        FUZZ_CHECK(r.atEnd());
        FUZZ_CHECK(pairs.size() <= rest.size() / 2 + 1);
    }
}

CommandTable<> makeTable(const QList<QLatin1StringView> &names)
{
    CommandTable<> table(names);
    // One command stays unbound, as a client that does not handle it yet.
    for (qsizetype i = 0; i + 1 < names.size(); ++i)
        table.bind(names[i], [](const QString &arguments) { readFields(arguments); });
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const CommandTable<> client = makeTable(cmd::clientCommands());
    static const CommandTable<> host = makeTable(cmd::hostCommands());
    if (size == 0)
        return 0;

    // The first byte picks the read size, so messages are cut across reads.
    const std::size_t piece = 1 + data[0] % 64;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    MessageSplitter whole;
    const QStringList expected = whole.feed(bytes);

    // Cut into reads and with a smaller bound: the same messages, each cut to the bound.
    constexpr qsizetype kBound = 256;
    MessageSplitter splitter(kBound);
    QStringList got;
    ReceiveQueue queue;
    for (qsizetype at = 0; at < bytes.size(); at += qsizetype(piece)) {
        const QStringList messages = splitter.feed(bytes.mid(at, qsizetype(piece)));
        FUZZ_CHECK(splitter.pending() <= kBound);
        for (const QString &m : messages) {
            FUZZ_CHECK(m.size() <= kBound);
            got.append(m);
            queue.push(m, quint64(at % 3));
        }
    }
    FUZZ_CHECK(got.size() == expected.size());
    for (qsizetype i = 0; i < got.size(); ++i)
        FUZZ_CHECK(got[i] == expected[i].left(kBound));
    FUZZ_CHECK(splitter.pending() == std::min(whole.pending(), kBound));
    FUZZ_CHECK(queue.size() == got.size());

    while (!queue.isEmpty()) {
        const QueuedMessage m = queue.take();
        FUZZ_CHECK(m.text.size() <= ReceiveQueue::kMaxMessageLength);
        client.dispatch(m.text);
        host.dispatch(m.text);
    }
    FUZZ_CHECK(queue.take().text.isEmpty());
    FUZZ_CHECK(queue.sourceCount() == 0);
    return 0;
}
