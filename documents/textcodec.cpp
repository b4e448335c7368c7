#include "documents/textcodec.h"

#include <QStringConverter>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace veltrano {

namespace textcodec {

namespace {

// Qt finds this code page only through ICU; QStringConverter's built-in list
// does not have it.
constexpr const char* codePage = "windows-1252";

QByteArray withBom(QStringConverter::Encoding encoding, const QString& text) {
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

std::optional<QStringConverter::Encoding> unicodeByMark(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QStringConverter::Utf8;
    if (bytes.startsWith("\xFF\xFE"))
        return QStringConverter::Utf16LE;
    if (bytes.startsWith("\xFE\xFF"))
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

// A surrogate without its partner is no character; a file holding one is
// read with U+FFFD in its place, as saving would write it anyway.
QString withoutLoneSurrogates(QString text) {
    QChar* p = text.data();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i].isHighSurrogate() && i + 1 < n && p[i + 1].isLowSurrogate()) {
            ++i;
        } else if (p[i].isSurrogate()) {
            p[i] = QChar::ReplacementCharacter;
        }
    }
    return text;
}

} // namespace

bool fitsWindows1252(const QString& text) {
    QStringEncoder encoder(codePage);
    if (!encoder.isValid())
        return false; // without the code page every file is written in Unicode
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return false;
    // The encoder substitutes what it cannot map; the round trip catches
    // substitutions it does not flag as errors.
    QStringDecoder decoder(codePage);
    return decoder.decode(bytes) == text;
}

QByteArray encode(const QString& text, Fallback fallback) {
    if (fitsWindows1252(text)) {
        QStringEncoder encoder(codePage);
        return encoder.encode(text);
    }
    return withBom(fallback == Fallback::Utf8WithBom ? QStringConverter::Utf8
                                                     : QStringConverter::Utf16LE,
                   text);
}

QString decode(const QByteArray& bytes) {
    // Only a byte order mark selects Unicode; text without one is never
    // guessed at, since any byte sequence is valid Windows-1252.
    if (const auto unicode = unicodeByMark(bytes)) {
        QStringDecoder decoder(*unicode); // skips the mark
        return withoutLoneSurrogates(decoder.decode(bytes));
    }
    QStringDecoder decoder(codePage);
    if (decoder.isValid())
        return decoder.decode(bytes);
    return QString::fromLatin1(bytes);
}

QString decodeText(const QByteArray& bytes) {
    if (!unicodeByMark(bytes)) {
        // Stateless: a sequence cut off at the end is an error too, where a
        // stateful decoder would keep it for more bytes to come.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return decode(bytes);
}

} // namespace textcodec

} // namespace veltrano
