#pragma once

#include "core/languages.h"

#include <QString>
#include <QStringView>

// Basic string literals in generated code: quotes doubled, the lines of a
// message joined by " & vbcr & " (" & Chr(13) & " in LibreOffice Basic), and
// a text too long for one line of code given to a variable in several
// statements.
namespace veltrano::gen {

// VB6 and VBA refuse a physical line longer than this, counted in UTF-16
// code units without the line end.
inline constexpr qsizetype MaxBasicLineLength = 1023;

// Between two lines of a message in one chain of literals.
inline constexpr QStringView BasicJoiner = u"\" & vbcr & \"";

// What tells the Basic dialects apart: VB6, VBA and VBScript, and
// LibreOffice Basic without VBA support, which knows neither vbcr nor the vb
// constants. One writer (core/basiccode.cpp) serves both.
struct BasicDialect {
    // Between two lines of a message in one chain of literals; it starts
    // by closing a literal and ends by opening the next.
    QStringView joiner;
    // The column of the fact tables its constants come from.
    lang::Constants constants;
    // Between two constants of the style argument.
    QStringView styleJoiner;
    // The flags as one decimal sum, else as their constants.
    bool flagsAsSum;
};

// Appends the text with its quotes doubled.
void appendDoubled(QString& out, QStringView text);

// Appends, each on a line of its own (after a CR), the statements that give
// `variable` the text of `lines` (the lines of a message, see
// core/messagelines.h; a title is one line) joined by `joiner`, each
// statement starting with `indent`. As long as the whole text fits in one line of at most
// MaxBasicLineLength characters, that is the one line
//     indent variable = "line 1" & vbcr & "line 2"
// Otherwise the first statement is `variable = "..."` and each further one
// `variable = variable & "..."`, every one filled as far as it goes. A
// statement ends between two lines (with " & vbcr") where the next line does
// not fit, and inside a line only where that line alone is too long; it
// never splits a doubled quote or a surrogate pair.
void appendAssignment(QString& out, QStringView indent, QStringView variable, QStringView lines,
                      QStringView joiner = BasicJoiner);

struct Code;
struct Shape;

// The Basic writer's hooks of a syntax row (core/codeskeleton.h) in a
// dialect: the statements before the call, and the call with the style the
// opening wrote.
void basicOpening(Code& code, const Shape& shape, const BasicDialect& dialect);
void basicCall(Code& code, bool statement);

} // namespace veltrano::gen
