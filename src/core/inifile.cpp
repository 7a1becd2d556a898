// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/inifile.h"

#include "core/atomicfile.h"
#include "core/conversion.h"
#include "core/cp1252.h"

#include <QFile>
#include <QList>
#include <QStringDecoder>

namespace brelvox {

namespace {

struct Line {
    qsizetype begin = 0; // offset of the line in the file
    qsizetype end = 0;   // offset just past its text, before the line end
    qsizetype next = 0;  // offset of the following line
};

QList<Line> splitLines(const QByteArray &content)
{
    QList<Line> lines;
    qsizetype pos = 0;
    const qsizetype n = content.size();
    while (pos < n) {
        qsizetype nl = content.indexOf('\n', pos);
        Line line;
        line.begin = pos;
        line.next = nl < 0 ? n : nl + 1;
        line.end = nl < 0 ? n : nl;
        if (line.end > line.begin && content[line.end - 1] == '\r')
            --line.end;
        lines.append(line);
        pos = line.next;
    }
    return lines;
}

QByteArray trimmedBytes(QByteArrayView v)
{
    qsizetype b = 0, e = v.size();
    while (b < e && (v[b] == ' ' || v[b] == '\t'))
        ++b;
    while (e > b && (v[e - 1] == ' ' || v[e - 1] == '\t'))
        --e;
    return v.sliced(b, e - b).toByteArray();
}

bool sameName(const QByteArray &a, const QByteArray &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Section name of a "[name]" line, or a null array for any other line.
QByteArray sectionOf(const QByteArray &text)
{
    if (!text.startsWith('['))
        return QByteArray();
    qsizetype close = text.indexOf(']');
    QByteArray name = trimmedBytes(QByteArrayView(text).sliced(1, (close < 0 ? text.size() : close) - 1));
    if (name.isNull())
        name = QByteArray("");
    return name;
}

bool keyOf(const QByteArray &text, QByteArray *key, QByteArray *value)
{
    if (text.startsWith(';'))
        return false;
    const qsizetype eq = text.indexOf('=');
    if (eq < 0)
        return false;
    *key = trimmedBytes(QByteArrayView(text).first(eq));
    if (value) {
        QByteArray v = trimmedBytes(QByteArrayView(text).sliced(eq + 1));
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.sliced(1, v.size() - 2);
        *value = v;
    }
    return true;
}

struct Found {
    int sectionLine = -1; // the "[section]" line
    int lastLine = -1;    // last non-blank line of that section
    int keyLine = -1;
    QByteArray value;
};

Found find(const QByteArray &content, const QList<Line> &lines, const QByteArray &section, const QByteArray &key)
{
    Found f;
    bool inside = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray text = trimmedBytes(QByteArrayView(content).sliced(lines[i].begin, lines[i].end - lines[i].begin));
        const QByteArray name = sectionOf(text);
        if (!name.isNull()) {
            if (inside)
                break; // only the first section of that name counts
            inside = sameName(name, section);
            if (inside)
                f.sectionLine = f.lastLine = i;
            continue;
        }
        if (!inside)
            continue;
        if (!text.isEmpty())
            f.lastLine = i;
        QByteArray k, v;
        if (f.keyLine < 0 && keyOf(text, &k, &v) && sameName(k, key)) {
            f.keyLine = i;
            f.value = v;
        }
    }
    return f;
}

QByteArray lineEnd(const QByteArray &content)
{
    const qsizetype nl = content.indexOf('\n');
    if (nl > 0 && content[nl - 1] == '\r')
        return QByteArrayLiteral("\r\n");
    return QByteArrayLiteral("\n");
}

// What must follow content before a new line can start after it. The reader takes a CR
// at the very end for the last line's end, so that CR is made a CR LF: a new line glued
// after it would join the last line, and a line end put after it would leave the CR in
// that line's value.
QByteArray closing(const QByteArray &content, const QByteArray &eol)
{
    if (content.isEmpty() || content.endsWith('\n'))
        return QByteArray();
    return content.endsWith('\r') ? QByteArrayLiteral("\n") : eol;
}

QByteArray oneLine(const QString &text)
{
    QByteArray b = toCp1252(text);
    b.replace('\r', ' ');
    b.replace('\n', ' ');
    return b;
}

// A file another editor saved as UTF-8 with a byte order mark, or as UTF-16, is read as
// the text it holds; it is written back as 8-bit text like any other.
QByteArray eightBit(const QByteArray &raw)
{
    if (raw.startsWith("\xEF\xBB\xBF"))
        return toCp1252(QString::fromUtf8(raw.sliced(3)));
    const bool little = raw.startsWith("\xFF\xFE");
    if (!little && !raw.startsWith("\xFE\xFF"))
        return raw;
    QStringDecoder decode(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
    const QString text = decode(raw.sliced(2));
    return toCp1252(text);
}

// content with key set to value in section, as one write of that key would leave it.
QByteArray withEntry(const QByteArray &content, const QString &section, const QString &key, const QString &value)
{
    const QList<Line> lines = splitLines(content);
    const QByteArray sec = oneLine(section).trimmed();
    const QByteArray k = oneLine(key).trimmed();
    const Found f = find(content, lines, sec, k);
    const QByteArray eol = lineEnd(content);
    const QByteArray entry = k + '=' + oneLine(value);

    QByteArray out;
    out.reserve(content.size() + entry.size() + sec.size() + 8);
    if (f.keyLine >= 0) {
        const Line &l = lines[f.keyLine];
        out.append(content.first(l.begin)).append(entry).append(content.sliced(l.end));
    } else if (f.sectionLine >= 0) {
        const Line &l = lines[f.lastLine];
        out.append(content.first(l.next));
        if (l.next == content.size())
            out.append(closing(content, eol)); // the section's last line is the file's last
        out.append(entry).append(eol).append(content.sliced(l.next));
    } else {
        out.append(content).append(closing(content, eol));
        out.append('[').append(sec).append(']').append(eol).append(entry).append(eol);
    }
    return out;
}

} // namespace

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{
}

bool IniFile::load(QByteArray *content) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        content->clear();
        return !file.exists();
    }
    // read(n) sets aside n bytes before it reads: ask for what the file holds.
    *content = eightBit(file.read(qMin(file.size(), kMaxFileSize)));
    return file.atEnd();
}

QString IniFile::readString(const QString &section, const QString &key, const QString &fallback) const
{
    QByteArray content;
    load(&content);
    const QList<Line> lines = splitLines(content);
    const Found f = find(content, lines, toCp1252(section).trimmed(), toCp1252(key).trimmed());
    if (f.keyLine < 0)
        return fallback.left(kValueBuffer - 1).trimmed();
    return fromCp1252(f.value.left(kValueBuffer - 1));
}

int IniFile::readInteger(const QString &section, const QString &key, int fallback) const
{
    const QString text = readString(section, key, QString());
    bool ok = false;
    const int v = toInt(text, &ok);
    return ok ? v : fallback;
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    return writeStrings(section, {{key, value}});
}

bool IniFile::writeStrings(const QString &section, const QList<std::pair<QString, QString>> &entries)
{
    QByteArray content;
    if (!load(&content))
        return false; // unreadable, or too large to rewrite without losing its tail
    for (const auto &[key, value] : entries)
        content = withEntry(content, section, key, value);
    return replaceFile(m_path, content);
}

} // namespace brelvox
