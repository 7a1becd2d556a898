// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "protocol/catalogue.h"
#include "protocol/commandtable.h"
#include "protocol/fieldreader.h"
#include "protocol/message.h"
#include "protocol/messagesplitter.h"
#include "protocol/wiretext.h"

#include <benchmark/benchmark.h>

#include <array>

using namespace brelvox;

namespace {

// A read as the host sees it in play: guesses, chat and a score list, cut mid-message.
QByteArray sampleStream(int copies)
{
    QByteArray one;
    one += Message(cmd::myword).add(3).add(QStringLiteral("CRANE")).wire();
    one += Message(cmd::chat).add(3).addRest(QStringLiteral("nice one, 2+2 is four|clNavy")).wire();
    Message scores(cmd::playerscores);
    for (int s = 1; s <= 5; ++s)
        scores.add(s).add(1000);
    one += scores.wire();
    QByteArray all;
    for (int i = 0; i < copies; ++i)
        all += one;
    return all;
}

// The cut as it was before: each read appended to one buffer, searched from the kept
// tail, every message decoded a byte at a time, the buffer's front removed after each
// read. Kept here as the anchor for the splitter's figures.
class BaselineSplitter
{
public:
    BaselineSplitter()
    {
        for (int b = 0; b < 256; ++b)
            m_table[size_t(b)] = wire::decode(QByteArray(1, char(b))).at(0);
    }
    QStringList feed(const QByteArray &bytes)
    {
        QStringList messages;
        qsizetype start = 0;
        qsizetype from = m_buffer.size();
        m_buffer.append(bytes);
        for (;;) {
            const qsizetype end = m_buffer.indexOf(wire::kTerminator, from);
            if (end < 0)
                break;
            QString text(end - start, Qt::Uninitialized);
            QChar *out = text.data();
            for (qsizetype i = start; i < end; ++i)
                *out++ = m_table[uchar(m_buffer[i])];
            messages.append(std::move(text));
            start = end + 1;
            from = start;
        }
        m_buffer.remove(0, start);
        return messages;
    }

private:
    QByteArray m_buffer;
    std::array<QChar, 256> m_table;
};

template <typename Splitter, bool ReadFields>
void split(benchmark::State &state)
{
    const QByteArray stream = sampleStream(256);
    const qsizetype chunk = state.range(0);
    qint64 fields = 0;
    for (auto _ : state) {
        Splitter splitter;
        for (qsizetype at = 0; at < stream.size(); at += chunk) {
            for (const QString &line : splitter.feed(stream.mid(at, chunk))) {
                if constexpr (ReadFields) {
                    FieldReader reader(splitCommand(line).arguments);
                    while (!reader.atEnd()) {
                        benchmark::DoNotOptimize(reader.next());
                        ++fields;
                    }
                } else {
                    benchmark::DoNotOptimize(line);
                }
            }
        }
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
    if (ReadFields)
        state.counters["fields"] = benchmark::Counter(double(fields), benchmark::Counter::kIsRate);
}
// Cutting alone, then cutting with every field read; ours beside the former way.
BENCHMARK(split<MessageSplitter, false>)->Name("split")->Arg(64)->Arg(1460)->Arg(32768);
BENCHMARK(split<BaselineSplitter, false>)->Name("split_before")->Arg(64)->Arg(1460)->Arg(32768);
BENCHMARK(split<MessageSplitter, true>)->Name("splitAndRead")->Arg(64)->Arg(1460)->Arg(32768);
BENCHMARK(split<BaselineSplitter, true>)->Name("splitAndRead_before")->Arg(64)->Arg(1460)->Arg(32768);

void readPairs(benchmark::State &state)
{
    const QString arguments = QStringLiteral("1+2+2+0+3+1+4+0+5+3+6+0+7+0+8+2+9+0");
    for (auto _ : state) {
        FieldReader reader(arguments);
        benchmark::DoNotOptimize(reader.pairs());
    }
}
BENCHMARK(readPairs);

void buildMessage(benchmark::State &state)
{
    const QString letter = QStringLiteral("T");
    for (auto _ : state)
        benchmark::DoNotOptimize(Message(cmd::loadball).add(4).add(letter).wire());
}
BENCHMARK(buildMessage);

void buildRelay(benchmark::State &state)
{
    const QString name = QStringLiteral("Rook");
    const QString rest = QStringLiteral(u"Schöne Grüße aus dem Café, 1+1=2|$00FF8000");
    for (auto _ : state)
        benchmark::DoNotOptimize(Message(cmd::chat).addRest(name + QStringLiteral(" chats: ") + rest).wire());
}
BENCHMARK(buildRelay);

void dispatchLine(benchmark::State &state)
{
    CommandTable<> table(cmd::clientCommands());
    int hits = 0;
    for (const QLatin1StringView name : cmd::clientCommands())
        table.bind(name, [&hits](const QString &) { ++hits; });
    const QString line = QStringLiteral("CMD_playasound+2+wave3+"); // last in the list
    for (auto _ : state)
        benchmark::DoNotOptimize(table.dispatch(line));
    benchmark::DoNotOptimize(hits);
}
BENCHMARK(dispatchLine);

} // namespace

BENCHMARK_MAIN();
