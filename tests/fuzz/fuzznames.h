#pragma once

#include <QString>
#include <QStringList>

// Section and key names met in the first `maxLines` lines of fuzzed text,
// so lookups also reach the paths where a name matches, not only misses.
inline void namesFromText(const QString &text, qsizetype maxLines, QStringList &sections,
                          QStringList &keys)
{
    const QStringList lines = text.left(4096).split(u'\n');
    for (qsizetype i = 0; i < lines.size() && i < maxLines; ++i) {
        const QString &line = lines[i];
        const qsizetype open = line.indexOf(u'[');
        const qsizetype close = line.lastIndexOf(u']');
        if (open >= 0 && close > open)
            sections.append(line.mid(open + 1, close - open - 1));
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0)
            keys.append(line.left(eq));
    }
}
