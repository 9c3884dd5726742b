#include "codepage.h"

#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <iconv.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// The system's converter as an independent reference for the assigned
// bytes (glibc's, or Windows' own). Answers nothing for bytes it does not map.
std::optional<char16_t> iconvDecode(unsigned char byte)
{
#ifdef Q_OS_WIN
    const char in = char(byte);
    wchar_t out[2] = {};
    if (MultiByteToWideChar(1252, MB_ERR_INVALID_CHARS, &in, 1, out, 2) != 1)
        return std::nullopt;
    return char16_t(out[0]);
#else
    iconv_t cd = iconv_open("UTF-16LE", "CP1252");
    if (cd == iconv_t(-1))
        return std::nullopt;
    char in[1] = {char(byte)};
    char out[4] = {};
    char *inPtr = in;
    char *outPtr = out;
    size_t inLeft = 1;
    size_t outLeft = sizeof out;
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == size_t(-1) || outLeft != 2)
        return std::nullopt;
    return char16_t(uchar(out[0]) | (uchar(out[1]) << 8));
#endif
}

} // namespace

class TestCodePage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodeMatchesReference_data();
    void decodeMatchesReference();
    void everyByteRoundTrips();
    void encode_data();
    void encode();
};

void TestCodePage::decodeMatchesReference_data()
{
    QTest::addColumn<int>("byte");
    for (int b = 0; b < 256; ++b)
        QTest::addRow("0x%02X", b) << b;
}

void TestCodePage::decodeMatchesReference()
{
    QFETCH(int, byte);
    const char raw = char(byte);
    const QString decoded = CodePage::fromWindows1252(QByteArrayView(&raw, 1));
    QCOMPARE(decoded.size(), 1);

    // Windows maps the five bytes the page leaves unassigned to the C1
    // control of the same value.
    const bool unassigned =
        byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
    if (unassigned) {
        QCOMPARE(decoded.at(0).unicode(), char16_t(byte));
        return;
    }
    const std::optional<char16_t> reference = iconvDecode(uchar(byte));
    if (!reference)
        QSKIP("the system converter has no CP1252 table");
    QCOMPARE(decoded.at(0).unicode(), *reference);
}

void TestCodePage::everyByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = CodePage::fromWindows1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(CodePage::toWindows1252(text), all);
}

void TestCodePage::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("ascii with controls") << u"Amo\t=\"x\"\r\n"_s << QByteArray("Amo\t=\"x\"\r\n");
    QTest::newRow("latin-1 range")
        << u"Qualità è già ÿ"_s << QByteArray("Qualit\xE0 \xE8 gi\xE0 \xFF");
    QTest::newRow("euro and typographic quotes") << u"€ “a” ‘b’ – — …"_s
                                                 << QByteArray("\x80 \x93"
                                                               "a\x94 \x91"
                                                               "b\x92 \x96 \x97 \x85");
    QTest::newRow("letters of the high block")
        << u"ŠšŽžŒœŸƒ"_s << QByteArray("\x8A\x9A\x8E\x9E\x8C\x9C\x9F\x83");
    QTest::newRow("unassigned bytes come back")
        << u"\u0081\u008D\u008F\u0090\u009D"_s << QByteArray("\x81\x8D\x8F\x90\x9D");
    // C1 controls that Windows-1252 replaces with printable characters have
    // no byte of their own.
    QTest::newRow("assigned C1 position") << u"a\u0080b\u009Fc"_s << QByteArray("a?b?c");
    QTest::newRow("chinese") << u"Amo 鱼 da trota"_s << QByteArray("Amo ? da trota");
    QTest::newRow("other scripts") << u"Ωж"_s << QByteArray("??");
    QTest::newRow("surrogate pair is one character") << u"a🐟b"_s << QByteArray("a?b");
    QTest::newRow("lone high surrogate") << QString(QChar(0xD83D) + u"x"_s) << QByteArray("?x");
    QTest::newRow("lone low surrogate") << QString(QChar(0xDC1F)) << QByteArray("?");
    QTest::newRow("high surrogate at the end")
        << QString(u"x"_s + QChar(0xD83D)) << QByteArray("x?");
    QTest::newRow("nul is kept") << QString(QChar(0)) << QByteArray(1, '\0');
}

void TestCodePage::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(CodePage::toWindows1252(text), bytes);
}

QTEST_GUILESS_MAIN(TestCodePage)
#include "test_codepage.moc"
