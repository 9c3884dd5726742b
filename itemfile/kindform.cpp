#include "kindform.h"

#include <algorithm>

int FieldSpec::decodeIndex(int stored) const
{
    const qint64 index = qint64(stored) - offset;
    return index >= 0 && index < entriesI.size() ? int(index) : -1;
}

int FieldSpec::clampPosition(int stored) const
{
    return std::clamp(stored, minimum, maximum);
}

FieldSpec listField(QString control, QString key, QStringList comment, QString label,
                    TextPair caption, TextPair hint, QStringList entriesI, QStringList entriesE,
                    int offset)
{
    FieldSpec f;
    f.type = FieldSpec::Type::List;
    f.control = std::move(control);
    f.key = std::move(key);
    f.comment = std::move(comment);
    f.label = std::move(label);
    f.caption = std::move(caption);
    f.hint = std::move(hint);
    f.entriesI = std::move(entriesI);
    f.entriesE = std::move(entriesE);
    f.offset = offset;
    return f;
}

FieldSpec trackBarField(QString control, QString key, QStringList comment, QString label,
                        TextPair caption, TextPair hint, int minimum, int maximum, int tickInterval)
{
    FieldSpec f;
    f.type = FieldSpec::Type::TrackBar;
    f.control = std::move(control);
    f.key = std::move(key);
    f.comment = std::move(comment);
    f.label = std::move(label);
    f.caption = std::move(caption);
    f.hint = std::move(hint);
    f.minimum = minimum;
    f.maximum = maximum;
    f.tickInterval = tickInterval;
    f.newValue = minimum;
    f.readDefault = minimum;
    return f;
}

FieldSpec pictureField(QString view, QString frame, QString button, QString key,
                       QStringList comment, QString label, TextPair caption, TextPair hint,
                       QSize viewSize)
{
    FieldSpec f;
    f.type = FieldSpec::Type::Picture;
    f.control = std::move(view);
    f.frame = std::move(frame);
    f.button = std::move(button);
    f.key = std::move(key);
    f.comment = std::move(comment);
    f.label = std::move(label);
    f.caption = std::move(caption);
    f.hint = std::move(hint);
    f.viewSize = viewSize;
    return f;
}

bool FieldSpec::takesFile(const QString &name) const
{
    // "description|*.jpg|description|*.bmp": every second part is a pattern.
    const QStringList parts = (filter.isEmpty() ? pictureFilter() : filter).split(u'|');
    for (qsizetype i = 1; i < parts.size(); i += 2) {
        const QString &pattern = parts[i];
        if (pattern.startsWith(u'*') && name.endsWith(pattern.mid(1), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

FieldSpec photoField(const QString &prefix, QStringList comment, QString label, TextPair caption,
                     TextPair hint, QSize viewSize)
{
    return pictureField(prefix + QStringLiteral("Foto"), prefix + QStringLiteral("BevelFoto"),
                        QStringLiteral("SpeedButtonOpenFoto"), QStringLiteral("FILENAMEFOTO"),
                        std::move(comment), std::move(label), std::move(caption), std::move(hint),
                        viewSize);
}
