#include "core/codeskeleton.h"

#include "core/msgboxtables.h"
#include "core/vberror.h"

#include <span>

namespace veltrano::gen {

namespace {

constexpr QChar CR = u'\r';

// Appends a piece with the answer variable put in for its %1.
void appendWithVariable(QString& out, QStringView text, const Syntax& syntax) {
    const qsizetype at = text.indexOf(u'%');
    if (at < 0) {
        out += text;
        return;
    }
    out += text.first(at);
    out += syntax.answerVariable;
    out += text.sliced(at + 2);
}

// The length of a piece with the answer variable put in.
qsizetype lengthWithVariable(QStringView text, const Syntax& syntax) {
    return text.contains(u'%') ? text.size() - 2 + syntax.answerVariable.size() : text.size();
}

void appendAnswer(QString& out, const Code& code, msgbox::Answer answer, bool inIf) {
    appendConstant(out, *code.language.syntax, answerName(code.language.constants, answer, inIf));
}

// A comment line with the caption of the answer, after a CR.
void appendComment(QString& out, const Code& code, QStringView indent, msgbox::Answer answer) {
    out += CR;
    out += indent;
    out += code.language.comment;
    out += msgbox::facts(answer).caption;
}

// Select Case: after the selector's line, one case per answer.
void appendCases(QString& out, const Code& code, std::span<const msgbox::Answer> answers) {
    const Syntax& s = *code.language.syntax;
    for (const msgbox::Answer answer : answers) {
        out += s.caseHead;
        appendAnswer(out, code, answer, false);
        out += s.caseTail;
        appendComment(out, code, s.caseIndent, answer);
        out += s.caseClose;
    }
    out += s.selectEnd;
}

// If Then Else: after the call's line, a branch per answer, the last as
// Else. Two answers were told apart in the call's own If; more were kept.
void appendBranches(QString& out, const Code& code, std::span<const msgbox::Answer> answers) {
    const Syntax& s = *code.language.syntax;
    if (answers.size() == 2) {
        appendComment(out, code, s.branchIndent, answers[0]);
    } else {
        for (std::size_t i = 0; i + 1 < answers.size(); ++i) {
            if (i == 0) {
                out += CR;
                out += s.ifHead;
            } else {
                out += s.elseIfHead;
            }
            out += s.answerVariable;
            out += s.compare;
            appendAnswer(out, code, answers[i], true);
            out += s.thenAfterAnswer;
            appendComment(out, code, s.branchIndent, answers[i]);
        }
    }
    out += s.elseLine;
    appendComment(out, code, s.branchIndent, answers.back());
    out += s.endIf;
}

// The test of the first answer on the call's own line (If with two
// answers).
void appendTest(QString& out, const Code& code, msgbox::Answer answer) {
    const Syntax& s = *code.language.syntax;
    out += s.compare;
    appendAnswer(out, code, answer, true);
    out += s.thenAfterCall;
}

void keepAnswer(Shape& shape, const Code& code, bool script) {
    const Syntax& s = *code.language.syntax;
    shape.before = script ? s.keepDeclarationScript : s.keepDeclaration;
    shape.head = s.keepHead;
    shape.tail = s.keepTail;
}

Shape shapeOf(const Code& code) {
    const Syntax& s = *code.language.syntax;
    const msgbox::Value& value = code.value;
    const auto answers = msgbox::facts(value.buttons).answers();
    Shape shape;
    shape.answers = answers;
    if (answers.size() == 1) {
        // A box with one button has no answer to tell apart: its call is a
        // statement in every style.
        shape.head = s.statementHead;
        shape.tail = s.statementTail;
        shape.statement = true;
    } else if (value.code == msgbox::CodeStyle::SelectCase) {
        shape.head = s.selectHead;
        shape.tail = s.selectTail;
        shape.appendAfter = appendCases;
    } else if (value.code == msgbox::CodeStyle::IfThenElse) {
        if (answers.size() == 2) {
            shape.head = s.ifHead;
            shape.testsFirstAnswer = true;
        } else {
            keepAnswer(shape, code, false);
        }
        shape.appendAfter = appendBranches;
    } else {
        // "einfach" and "VBS" differ only in the declaration of the answer,
        // and only where the language writes the script style.
        keepAnswer(shape, code, value.code == msgbox::CodeStyle::Vbs && code.language.writesVbs);
    }
    shape.headLength = lengthWithVariable(shape.head, s);
    shape.tailLength = shape.tail.size();
    if (shape.testsFirstAnswer) {
        QString test;
        appendTest(test, code, answers[0]);
        shape.tailLength += test.size();
    }
    return shape;
}

} // namespace

QStringView answerName(lang::Constants constants, msgbox::Answer answer, bool inIf) {
    const msgbox::AnswerFacts& row = msgbox::facts(answer);
    switch (constants) {
    case lang::Constants::Basic:
        return inIf ? row.basicIf : row.basic;
    case lang::Constants::VbNet:
        return row.vbNet;
    case lang::Constants::WindowsForms:
        return row.windowsForms;
    case lang::Constants::Windows:
        return row.windows;
    }
    return {};
}

void appendConstant(QString& out, const Syntax& syntax, QStringView name) {
    if (syntax.constant)
        syntax.constant(out, name);
    else
        out += name;
}

QString structuredCode(const msgbox::Value& value, const lang::LanguageFacts& language) {
    // A pure function of any value: a button set without answers (one that
    // only Windows Forms knows, or none at all) has no code.
    const auto set = msgbox::buttonsOf(int(value.buttons));
    if (!set || int(value.buttons) < 0)
        throw vb::Error(vb::InvalidProcedureCall);

    Code code{value, language, {}, {}, {}, {}};
    const Syntax& s = *language.syntax;
    const Shape shape = shapeOf(code);
    s.opening(code, shape);
    if (!shape.before.isEmpty()) {
        appendWithVariable(code.out, shape.before, s);
        code.out += CR;
    }
    if (s.notes)
        s.notes(code);
    appendWithVariable(code.out, shape.head, s);
    s.call(code, shape.statement);
    code.out += shape.tail;
    if (shape.testsFirstAnswer)
        appendTest(code.out, code, shape.answers[0]);
    if (shape.appendAfter)
        shape.appendAfter(code.out, code, shape.answers);
    return std::move(code.out);
}

} // namespace veltrano::gen
