#pragma once

#include "core/languages.h"
#include "core/msgbox.h"

#include <QString>
#include <QStringView>

#include <span>

// The one skeleton of the code structures, and the row of syntax pieces
// through which each language fills it. The shapes are the same in every
// language:
// - a box with one button: the call as a plain statement;
// - Select Case: one case per answer, each with the comment of its answer;
// - If Then Else: with two answers the test is in the call's own If; with
//   three the answer is kept and tested by If and ElseIf, the last answer
//   as Else;
// - einfach and VBS: the answer kept in a variable.
// What truly differs per language (its literals, where a long message or
// title goes, the arguments of its call) stands in its own file as the
// hooks of its Syntax.
namespace veltrano::gen {

struct Syntax;

// The code of one box while the skeleton builds it.
struct Code {
    const msgbox::Value& value;
    const lang::LanguageFacts& language;
    QString out;    // the code so far; lines are separated by a single CR
    QString prompt; // the call's message argument as written: a literal or a variable
    QString title;  // the call's title argument as written
    QString style;  // the call's style argument, where the opening wrote it already
};

// What a structure writes around its call: pieces of the syntax row (a %1
// stands for the answer variable), and the lengths the call's line gets
// from them.
struct Shape {
    QStringView before;     // a line before the call's line, or empty
    QStringView head;       // the call's line up to the call
    bool statement = false; // the call stands alone as a statement
    QStringView tail;       // the rest of the call's line
    // The call's line ends in the test of the first answer (If with two
    // answers).
    bool testsFirstAnswer = false;
    qsizetype headLength = 0; // of the head with the variable put in
    qsizetype tailLength = 0; // of the rest of the call's line
    // Appends the lines after the call's line, each after a CR: the cases
    // or branches of the answers; null where none follow.
    void (*appendAfter)(QString& out, const Code& code,
                        std::span<const msgbox::Answer> answers) = nullptr;
    std::span<const msgbox::Answer> answers;
};

struct Syntax {
    // Writes the statements before the structure (a message or title kept
    // in a variable, a first line the code needs), each followed by a CR,
    // and sets code.prompt and code.title. The shape tells how long the
    // call's line will be.
    void (*opening)(Code& code, const Shape& shape);
    // Writes comment lines that stand right above the call's line, each
    // followed by a CR; may be null.
    void (*notes)(Code& code);
    // Writes the call with its arguments: as a statement of its own, or as
    // an expression.
    void (*call)(Code& code, bool statement);
    // Writes a constant from the fact tables as the language spells it;
    // null where the column's text stands as it is.
    void (*constant)(QString& out, QStringView name);

    // Facts of its literals and lines that checks of generated code use:
    // whether a quote in a string literal is doubled, and the longest line
    // the language takes (0: no limit).
    bool doublesQuotes;
    qsizetype maxLineLength;

    // The variables of the code: the kept answer, and the message and title
    // where they are given to a variable before the call. A %1 in a piece
    // stands for the answer variable.
    QStringView answerVariable, messageVariable, titleVariable;
    // One button: the call as a statement.
    QStringView statementHead, statementTail;
    // The answer kept: a declaration on a line of its own before the call
    // (another one in the code style "VBS"), and the call's line.
    QStringView keepDeclaration, keepDeclarationScript, keepHead, keepTail;
    // Select Case: the selector's line, each case's line and what closes a
    // case, the end; the comments of the cases are indented by caseIndent.
    QStringView selectHead, selectTail, caseHead, caseTail, caseClose, selectEnd, caseIndent;
    // If Then Else: the condition's start, the comparison, the end of the
    // condition after the call and after the kept answer, the following
    // conditions, the Else, the end; the branches' comments are indented
    // by branchIndent.
    QStringView ifHead, compare, thenAfterCall, thenAfterAnswer, elseIfHead, elseLine, endIf,
        branchIndent;
};

// The code of the value in the language: the value's structure with the
// language's pieces and hooks. Throws vb::Error for a value with a button
// set that has no answers to write.
QString structuredCode(const msgbox::Value& value, const lang::LanguageFacts& language);

// Appends a constant of the fact tables as the code's language spells it.
void appendConstant(QString& out, const Syntax& syntax, QStringView name);

// The name of the answer's constant in the language's column; Basic tests
// an answer in If with another spelling than in Select Case.
QStringView answerName(lang::Constants constants, msgbox::Answer answer, bool inIf);

// The languages that call MessageBox.Show of Windows Forms share its
// arguments and what they cannot say.
// - A comment line above the call where the box is system-modal, which
//   MessageBox.Show cannot show.
void windowsFormsNotes(Code& code);
// The arguments of MessageBox.Show: the prompt and the title always, then
// the buttons, the icon and the default button up to the last one that
// differs from its default, each constant as the language spells it; the
// help button takes the overload with options 0 and displayHelpButton,
// whose arguments helpArguments writes.
void appendShowArguments(Code& code, QStringView helpArguments);

// A buffer for code of about that capacity: the memory of the last long
// code where nobody holds it any more (see core/generators.cpp).
QString takeBuffer(qsizetype capacity);

// The syntax rows of the languages, each defined in the language's own file.
extern const Syntax basicSyntax;
extern const Syntax vbNetSyntax;
extern const Syntax cSharpSyntax;
extern const Syntax libreOfficeSyntax;
extern const Syntax cSyntax;
extern const Syntax powerShellSyntax;

} // namespace veltrano::gen
