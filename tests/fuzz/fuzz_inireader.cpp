// libFuzzer target: arbitrary bytes as an item or settings file.
#include "codepage.h"
#include "fuzznames.h"
#include "inireader.h"

#include <QStringList>

#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 kDefault = 123456789;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = CodePage::fromWindows1252(bytes);
    // Every byte has a character of its own and comes back unchanged.
    check(text.size() == bytes.size());
    check(CodePage::toWindows1252(text) == bytes);

    const IniProfile profile = IniProfile::fromBytes(bytes);
    // The same text saved as UTF-16 LE with its byte-order mark reads alike
    // (unless the bytes already start with a UTF-16 mark).
    const bool markedUtf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    QByteArray twinBytes("\xFF\xFE");
    twinBytes.append(reinterpret_cast<const char *>(text.constData()), text.size() * 2);
    const IniProfile twin = IniProfile::fromBytes(twinBytes);

    QStringList sections{u"AMO"_s, u"LINGUA"_s, u"S"_s, QString()};
    QStringList keys{u"NOME"_s, u"KORVALIS"_s, u"K"_s, u"MISURA"_s};
    namesFromText(text, 8, sections, keys);

    for (const QString &section : sections) {
        const bool has = profile.hasSection(section);
        for (const QString &key : keys) {
            const std::optional<QString> value = profile.value(section, key);
            check(!value || has);
            check(!value || value->size() <= 2047);
            check(profile.readString(section, key, u"def"_s) == value.value_or(u"def"_s));
            check(markedUtf16 || twin.value(section, key) == value);
            const qint32 n = profile.readInteger(section, key, kDefault);
            check(n == (value ? parseKvInteger(*value).value_or(kDefault) : kDefault));
        }
    }

    // A number's plain decimal form reads back as the same number.
    if (const std::optional<qint32> n = parseKvInteger(text))
        check(parseKvInteger(QString::number(*n)) == n);
    return 0;
}
