#include "tacklefields.h"

using namespace Qt::StringLiterals;

FieldSpec listField(QString control, QString key, QString comment, QString label, TextPair caption,
                    TextPair hint, QStringList entriesI, QStringList entriesE, int offset)
{
    FieldSpec f;
    f.type = FieldSpec::Type::List;
    f.control = std::move(control);
    f.key = std::move(key);
    f.comment = QStringList{std::move(comment)};
    f.label = std::move(label);
    f.caption = std::move(caption);
    f.hint = std::move(hint);
    f.entriesI = std::move(entriesI);
    f.entriesE = std::move(entriesE);
    f.offset = offset;
    return f;
}

FieldSpec photoField(const QString &prefix, QString comment, QString label, TextPair caption,
                     TextPair hint, QSize viewSize)
{
    FieldSpec f;
    f.type = FieldSpec::Type::Picture;
    f.control = prefix + u"Foto"_s;
    f.frame = prefix + u"BevelFoto"_s;
    f.button = u"SpeedButtonOpenFoto"_s;
    f.key = u"FILENAMEFOTO"_s;
    f.comment = QStringList{std::move(comment)};
    f.label = std::move(label);
    f.caption = std::move(caption);
    f.hint = std::move(hint);
    f.viewSize = viewSize;
    return f;
}
