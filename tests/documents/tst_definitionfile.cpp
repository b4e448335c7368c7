#include "core/vberror.h"
#include "documents/definitionfile.h"
#include "documents/textcodec.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;
using definitionfile::Content;

Q_DECLARE_METATYPE(Content)

namespace {

Content content(int icon, int buttons, int defaultButton, int code, const QString& title,
                const QString& message) {
    return Content{icon, buttons, defaultButton, code, title, message};
}

QByteArray utf8Bom() {
    return QByteArray("\xEF\xBB\xBF");
}

QByteArray utf16LeBom(const QString& text) {
    QByteArray bytes("\xFF\xFE");
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

} // namespace

class tst_DefinitionFile : public QObject {
    Q_OBJECT

private slots:
    void encodeBytes_data();
    void encodeBytes();
    void decode_data();
    void decode();
    void numberLine_data();
    void numberLine();
    void tooShortOrTooLarge_data();
    void tooShortOrTooLarge();
    void roundTrip_data();
    void roundTrip();
    void fitsCodePage_data();
    void fitsCodePage();
    void scriptFallbackIsUtf16Le();
};

void tst_DefinitionFile::encodeBytes_data() {
    QTest::addColumn<Content>("input");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("every field")
        << content(64, 4, 256, 1, u"Frage"_s, u"Zeile 1\r\nZeile 2"_s)
        << QByteArray(" 64 \r\n 4 \r\n 256 \r\n 1 \r\nFrage\r\nZeile 1\r\nZeile 2\r\n");
    QTest::newRow("empty texts give empty lines five and six")
        << content(0, 0, 0, 0, QString(), QString())
        << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n\r\n");
    QTest::newRow("message ending in a line break leaves one more line")
        << content(16, 5, 512, 3, u"T"_s, u"a\r\n"_s)
        << QByteArray(" 16 \r\n 5 \r\n 512 \r\n 3 \r\nT\r\na\r\n\r\n");
    QTest::newRow("umlauts quotes and euro in the code page")
        << content(0, 0, 0, 2, u"Grüße \"€\""_s, u"Maß ‰ Ÿ"_s)
        << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 2 \r\nGr\xFC\xDF"
                      "e \"\x80\"\r\nMa\xDF \x89 \x9F\r\n");
    QTest::newRow("a character beyond the code page makes the file UTF-8")
        << content(32, 1, 0, 0, u"Ω"_s, u"ü"_s)
        << utf8Bom() + u" 32 \r\n 1 \r\n 0 \r\n 0 \r\nΩ\r\nü\r\n"_s.toUtf8();
    QTest::newRow("emoji in the message")
        << content(0, 0, 0, 0, u"Ä"_s, u"😀"_s)
        << utf8Bom() + u" 0 \r\n 0 \r\n 0 \r\n 0 \r\nÄ\r\n😀\r\n"_s.toUtf8();
}

void tst_DefinitionFile::encodeBytes() {
    QFETCH(Content, input);
    QFETCH(QByteArray, bytes);
    QCOMPARE(definitionfile::encode(definitionfile::valueOf(input)), bytes);
}

void tst_DefinitionFile::decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Content>("expected");

    QTest::newRow("as written")
        << QByteArray(" 64 \r\n 4 \r\n 256 \r\n 1 \r\nFrage\r\nZeile 1\r\nZeile 2\r\n")
        << content(64, 4, 256, 1, u"Frage"_s, u"Zeile 1\r\nZeile 2"_s);
    QTest::newRow("numbers without blanks") << QByteArray("48\r\n3\r\n512\r\n2\r\nT\r\nM\r\n")
                                            << content(48, 3, 512, 2, u"T"_s, u"M"_s);
    QTest::newRow("lone LF line ends") << QByteArray(" 16 \n 2 \n 0 \n 3 \nT\na\nb\n")
                                       << content(16, 2, 0, 3, u"T"_s, u"a\r\nb"_s);
    QTest::newRow("lone CR line ends") << QByteArray(" 16 \r 2 \r 0 \r 3 \rT\ra\rb\r")
                                       << content(16, 2, 0, 3, u"T"_s, u"a\r\nb"_s);
    QTest::newRow("mixed line ends and empty lines kept")
        << QByteArray("0\r\n0\n0\r0\r\nT\r\n\r\nx\n\r\n")
        << content(0, 0, 0, 0, u"T"_s, u"\r\nx\r\n"_s);
    QTest::newRow("empty sixth line gives an empty message")
        << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n\r\n")
        << content(0, 0, 0, 0, QString(), QString());
    QTest::newRow("message ending in a line break keeps it")
        << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 0 \r\nT\r\na\r\n\r\n")
        << content(0, 0, 0, 0, u"T"_s, u"a\r\n"_s);
    QTest::newRow("last message line without a line end")
        << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 0 \r\nT\r\na\r\nb")
        << content(0, 0, 0, 0, u"T"_s, u"a\r\nb"_s);
    QTest::newRow("five lines give an empty message")
        << QByteArray(" 32 \r\n 1 \r\n 256 \r\n 0 \r\nTitel\r\n")
        << content(32, 1, 256, 0, u"Titel"_s, QString());
    QTest::newRow("last line without a line end") << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 0 \r\nTitel")
                                                  << content(0, 0, 0, 0, u"Titel"_s, QString());
    QTest::newRow("Windows-1252 bytes")
        << QByteArray("0\r\n0\r\n0\r\n0\r\n\x80 \xE4\r\n\x84q\x93\r\n")
        << content(0, 0, 0, 0, u"€ ä"_s, u"„q“"_s);
    QTest::newRow("UTF-8 with mark") << utf8Bom() + u"0\r\n0\r\n0\r\n0\r\nΩ€\r\n😀\r\n"_s.toUtf8()
                                     << content(0, 0, 0, 0, u"Ω€"_s, u"😀"_s);
    QTest::newRow("UTF-16LE with mark")
        << utf16LeBom(u"64\r\n0\r\n0\r\n3\r\nΩ\r\nä\r\n"_s) << content(64, 0, 0, 3, u"Ω"_s, u"ä"_s);
    QTest::newRow("UTF-16LE lone surrogates read as replacement characters")
        << utf16LeBom(u"0\r\n0\r\n0\r\n0\r\n"_s + QChar(0xD800) + u"x"_s + QChar(0xDC00) +
                      u"\r\n"_s + QChar(0xD83D) + QChar(0xDE00) + u"\r\n"_s)
        << content(0, 0, 0, 0, u"\uFFFDx\uFFFD"_s, u"😀"_s);
    QTest::newRow("exactly 1 MiB")
        << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 0 \r\nT\r\n") +
               QByteArray(definitionfile::MaxFileSize - 23, 'x')
        << content(0, 0, 0, 0, u"T"_s, QString(definitionfile::MaxFileSize - 23, u'x'));
    QTest::newRow("UTF-8 without mark is read as Windows-1252")
        << QByteArray("0\r\n0\r\n0\r\n0\r\n\xC3\xA4\r\n")
        << content(0, 0, 0, 0, u"Ã¤"_s, QString());
}

void tst_DefinitionFile::decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(Content, expected);
    const Content got = definitionfile::decode(bytes);
    QCOMPARE(got.icon, expected.icon);
    QCOMPARE(got.buttons, expected.buttons);
    QCOMPARE(got.defaultButton, expected.defaultButton);
    QCOMPARE(got.code, expected.code);
    QCOMPARE(got.title, expected.title);
    QCOMPARE(got.message, expected.message);
}

void tst_DefinitionFile::numberLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("value");

    QTest::newRow("as written") << u" 64 "_s << 64;
    QTest::newRow("bare") << u"64"_s << 64;
    QTest::newRow("tabs") << u"\t512\t"_s << 512;
    QTest::newRow("blanks inside the number") << u" 2 5 6 "_s << 256;
    QTest::newRow("half rounds to even, down") << u" 2.5 "_s << 2;
    QTest::newRow("half rounds to even, up") << u"3.5"_s << 4;
    QTest::newRow("below half") << u"64.4"_s << 64;
    QTest::newRow("above half") << u"15.6"_s << 16;
    QTest::newRow("zero point five") << u"0.5"_s << 0;
    QTest::newRow("leading point") << u".7"_s << 1;
    QTest::newRow("exponent") << u"1.6E1"_s << 16;
    QTest::newRow("exponent without digits is not one") << u"3e"_s << 3;
    QTest::newRow("text after the number") << u"48 Ausrufezeichen"_s << 48;
    QTest::newRow("comma ends the number") << u"2,5"_s << 2;
    QTest::newRow("negative") << u"-16"_s << -16;
    QTest::newRow("no number") << u"abc"_s << 0;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("sign alone") << u" - "_s << 0;
}

void tst_DefinitionFile::numberLine() {
    QFETCH(QString, line);
    QFETCH(int, value);
    QCOMPARE(definitionfile::numberOf(line), value);
}

void tst_DefinitionFile::tooShortOrTooLarge_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("error");

    QTest::newRow("empty file") << QByteArray() << int(vb::InputPastEndOfFile);
    QTest::newRow("four lines") << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 0 \r\n")
                                << int(vb::InputPastEndOfFile);
    QTest::newRow("four empty lines")
        << QByteArray("\r\n\r\n\r\n\r\n") << int(vb::InputPastEndOfFile);
    QTest::newRow("only a mark") << utf8Bom() + QByteArray("0\r\n") << int(vb::InputPastEndOfFile);
    QTest::newRow("number beyond a whole number")
        << QByteArray("99999999999\r\n0\r\n0\r\n0\r\n\r\n") << 6;
    QTest::newRow("huge exponent") << QByteArray("0\r\n0\r\n0\r\n1e999\r\n\r\n") << 6;
    // Not a definition: a program, an image, a file far too large.
    QTest::newRow("NUL in the text")
        << QByteArray("0\r\n0\r\n0\r\n0\r\nT\r\na\0b\r\n", 18) << int(vb::InvalidFileFormat);
    QTest::newRow("NUL in UTF-16 text")
        << utf16LeBom(u"0\r\n0\r\n0\r\n0\r\nT"_s + QChar(0) + u"\r\n"_s)
        << int(vb::InvalidFileFormat);
    QTest::newRow("one byte over 1 MiB") << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 0 \r\nT\r\n") +
                                                QByteArray(definitionfile::MaxFileSize - 22, 'x')
                                         << int(vb::InvalidFileFormat);
}

void tst_DefinitionFile::tooShortOrTooLarge() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, error);
    try {
        definitionfile::decode(bytes);
        QFAIL("no error thrown");
    } catch (const vb::Error& e) {
        QCOMPARE(e.number(), error);
    }
}

void tst_DefinitionFile::roundTrip_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");

    QTest::newRow("umlauts") << u"Größe"_s << u"Äpfel, Öl und Übermut\r\nß"_s;
    QTest::newRow("quotes") << u"\"Zitat\""_s << u"Er sagte \"\"ja\"\"."_s;
    QTest::newRow("euro") << u"€"_s << u"100 €"_s;
    QTest::newRow("omega") << u"Ω"_s << u"Widerstand in Ω"_s;
    QTest::newRow("emoji") << u"Hinweis"_s << u"😀\r\n🚀"_s;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("empty lines") << u"T"_s << u"\r\n\r\nx"_s;
    QTest::newRow("control character of the code page gap") << u"\u0081"_s << u"x"_s;
}

void tst_DefinitionFile::roundTrip() {
    QFETCH(QString, title);
    QFETCH(QString, message);
    const Content saved = content(48, 2, 512, 1, title, message);
    const Content once =
        definitionfile::decode(definitionfile::encode(definitionfile::valueOf(saved)));
    QCOMPARE(once.icon, 48);
    QCOMPARE(once.buttons, 2);
    QCOMPARE(once.defaultButton, 512);
    QCOMPARE(once.code, 1);
    QCOMPARE(once.title, title);
    QCOMPARE(once.message, message);
    // Saving and loading again changes nothing.
    QCOMPARE(definitionfile::valueOf(once), definitionfile::valueOf(saved));
}

void tst_DefinitionFile::fitsCodePage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fits");

    QTest::newRow("ASCII") << u"MsgBox \"a\", vbOKOnly"_s << true;
    QTest::newRow("umlauts") << u"äöüÄÖÜß"_s << true;
    QTest::newRow("euro and typographic quotes") << u"€„“‚‘–—…"_s << true;
    QTest::newRow("y with diaeresis") << u"ÿŸ"_s << true;
    QTest::newRow("omega") << u"Ω"_s << false;
    QTest::newRow("emoji") << u"😀"_s << false;
    QTest::newRow("C1 control where the euro sits") << u"\u0080"_s << false;
    QTest::newRow("Polish l") << u"ł"_s << false;
}

void tst_DefinitionFile::fitsCodePage() {
    QFETCH(QString, text);
    QFETCH(bool, fits);
    QCOMPARE(textcodec::fitsWindows1252(text), fits);
    const QByteArray bytes = textcodec::encode(text, textcodec::Fallback::Utf8WithBom);
    QCOMPARE(bytes.startsWith(utf8Bom()), !fits);
    QCOMPARE(textcodec::decode(bytes), text);
}

void tst_DefinitionFile::scriptFallbackIsUtf16Le() {
    const QString text = u"MsgBox \"Ω\"\r\n"_s;
    const QByteArray bytes = textcodec::encode(text, textcodec::Fallback::Utf16LeWithBom);
    QCOMPARE(bytes, utf16LeBom(text));
    QCOMPARE(textcodec::decode(bytes), text);
    QCOMPARE(textcodec::encode(u"MsgBox \"ä\"\r\n"_s, textcodec::Fallback::Utf16LeWithBom),
             QByteArray("MsgBox \"\xE4\"\r\n"));
}

QTEST_GUILESS_MAIN(tst_DefinitionFile)
#include "tst_definitionfile.moc"
