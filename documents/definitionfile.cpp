#include "documents/definitionfile.h"

#include "core/linebreaks.h"
#include "core/optiontables.h"
#include "core/sizetext.h"
#include "core/vberror.h"
#include "documents/textcodec.h"
#include "platform/filesystem.h"

#include <QList>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace definitionfile {

namespace {

const QString crlf = u"\r\n"_s;

QString tooLargeNote() {
    return vb::describe(vb::InvalidFileFormat) + u" (größer als %1)"_s.arg(mebibytes(MaxFileSize));
}

// A blank for the sign, the digits and a closing blank, as Basic's Print #
// writes a number.
QString numberLine(int value) {
    return (value < 0 ? u""_s : u" "_s) + QString::number(value) + u" "_s + crlf;
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Rounds to the nearest whole number, ties to the even one, without relying
// on the floating-point environment's rounding mode.
double roundHalfEven(double value) {
    const double lower = std::floor(value);
    const double rest = value - lower;
    if (rest > 0.5)
        return lower + 1;
    if (rest < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

} // namespace

int numberOf(QStringView line) {
    // Collect sign, digits, decimal point and exponent while skipping blanks
    // anywhere, then let the C locale conversion do the arithmetic.
    QByteArray number;
    bool anyDigit = false;
    bool point = false;
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < line.size() && isBlank(line[i]))
            ++i;
    };
    skipBlanks();
    if (i < line.size() && (line[i] == u'-' || line[i] == u'+')) {
        number.append(char(line[i].unicode()));
        ++i;
    }
    for (; i < line.size(); ++i) {
        const QChar c = line[i];
        if (isBlank(c))
            continue;
        if (isDigit(c)) {
            anyDigit = true;
            number.append(char(c.unicode()));
        } else if (c == u'.' && !point) {
            point = true;
            number.append('.');
        } else {
            break;
        }
    }
    if (!anyDigit)
        return 0;
    // An exponent counts only with at least one digit after it.
    if (i < line.size() &&
        (line[i] == u'e' || line[i] == u'E' || line[i] == u'd' || line[i] == u'D')) {
        qsizetype j = i + 1;
        QByteArray exponent = "e";
        while (j < line.size() && isBlank(line[j]))
            ++j;
        if (j < line.size() && (line[j] == u'-' || line[j] == u'+'))
            exponent.append(char(line[j++].unicode()));
        bool exponentDigit = false;
        for (; j < line.size(); ++j) {
            if (isBlank(line[j]))
                continue;
            if (!isDigit(line[j]))
                break;
            exponentDigit = true;
            exponent.append(char(line[j].unicode()));
        }
        if (exponentDigit)
            number.append(exponent);
    }
    bool ok = false;
    const double value = roundHalfEven(number.toDouble(&ok));
    if (!ok || !std::isfinite(value) || value < std::numeric_limits<int>::min() ||
        value > std::numeric_limits<int>::max())
        throw vb::Error(vb::Overflow);
    return static_cast<int>(value);
}

QString text(const msgbox::Value& value) {
    const msgbox::DefaultButton defaultButton =
        value.defaultButton.value_or(msgbox::DefaultButton::First);
    return numberLine(int(value.icon)) + numberLine(int(value.buttons)) +
           numberLine(int(defaultButton)) + numberLine(int(value.code)) + value.title + crlf +
           value.message + crlf;
}

QByteArray encode(const msgbox::Value& value) {
    return textcodec::encode(text(value), textcodec::Fallback::Utf8WithBom);
}

Content decode(const QByteArray& bytes) {
    if (bytes.size() > MaxFileSize)
        throw vb::Error(vb::InvalidFileFormat, tooLargeNote());
    const QString all = textcodec::decode(bytes);
    // No text the program writes holds a NUL; a file that does is something
    // else (a program, an image). The decoded text is checked, as UTF-16
    // files are full of zero bytes.
    if (all.contains(QChar(u'\0')))
        throw vb::Error(vb::InvalidFileFormat);
    const QList<QStringView> lines = linebreaks::lines(all);
    if (lines.size() < 5)
        throw vb::Error(vb::InputPastEndOfFile);
    Content content;
    content.icon = numberOf(lines[0]);
    content.buttons = numberOf(lines[1]);
    content.defaultButton = numberOf(lines[2]);
    content.code = numberOf(lines[3]);
    content.title = lines[4].toString();
    // The message lines are joined again by the line breaks between them;
    // the line end after the last one is the one the writer added.
    for (qsizetype i = 5; i < lines.size(); ++i) {
        if (i > 5)
            content.message += crlf;
        content.message += lines[i];
    }
    return content;
}

msgbox::Value valueOf(const Content& content, const msgbox::Value& base) {
    options::require(options::Group::Icons, content.icon);
    options::require(options::Group::Buttons, content.buttons);
    options::require(options::Group::DefaultButton, content.defaultButton);
    options::require(options::Group::Code, content.code);
    msgbox::Value value = base;
    value.icon = msgbox::Icon(content.icon);
    value.buttons = msgbox::Buttons(content.buttons);
    value.defaultButton = msgbox::DefaultButton(content.defaultButton);
    value.code = msgbox::CodeStyle(content.code);
    value.title = content.title;
    value.message = content.message;
    return value;
}

msgbox::Value load(FileSystem& files, const QString& path, const msgbox::Value& base) {
    // One byte more than allowed tells a file at the limit from a larger one
    // without reading the rest.
    return valueOf(decode(files.read(path, MaxFileSize + 1)), base);
}

} // namespace definitionfile

} // namespace veltrano
