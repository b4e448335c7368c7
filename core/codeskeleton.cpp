#include "core/codeskeleton.h"

#include "core/msgboxtables.h"
#include "core/vberror.h"

#include <span>

namespace veltrano::gen {

namespace {

constexpr QChar CR = u'\r';

// A piece of the syntax row as a text, without copying it: the rows are
// static.
QString piece(QStringView text) {
    return QString::fromRawData(text.data(), text.size());
}

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

// A piece with the answer variable put in for its %1.
QString withVariable(QStringView text, const Syntax& syntax) {
    if (!text.contains(u'%'))
        return piece(text);
    QString out;
    appendWithVariable(out, text, syntax);
    return out;
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

void keepAnswer(Shape& shape, const Code& code, bool script) {
    const Syntax& s = *code.language.syntax;
    shape.before = withVariable(script ? s.keepDeclarationScript : s.keepDeclaration, s);
    shape.head = withVariable(s.keepHead, s);
    shape.tail = piece(s.keepTail);
}

Shape selectShape(const Code& code, std::span<const msgbox::Answer> answers) {
    const Syntax& s = *code.language.syntax;
    Shape shape;
    shape.after.reserve(256);
    shape.head = piece(s.selectHead);
    shape.tail = piece(s.selectTail);
    for (const msgbox::Answer answer : answers) {
        shape.after += s.caseHead;
        appendAnswer(shape.after, code, answer, false);
        shape.after += s.caseTail;
        appendComment(shape.after, code, s.caseIndent, answer);
        shape.after += s.caseClose;
    }
    shape.after += s.selectEnd;
    return shape;
}

Shape ifShape(const Code& code, std::span<const msgbox::Answer> answers) {
    const Syntax& s = *code.language.syntax;
    Shape shape;
    shape.after.reserve(256);
    if (answers.size() == 2) {
        shape.head = piece(s.ifHead);
        shape.tail += s.compare;
        appendAnswer(shape.tail, code, answers[0], true);
        shape.tail += s.thenAfterCall;
        appendComment(shape.after, code, s.branchIndent, answers[0]);
    } else {
        keepAnswer(shape, code, false);
        for (std::size_t i = 0; i + 1 < answers.size(); ++i) {
            if (i == 0) {
                shape.after += CR;
                shape.after += s.ifHead;
            } else {
                shape.after += s.elseIfHead;
            }
            shape.after += s.answerVariable;
            shape.after += s.compare;
            appendAnswer(shape.after, code, answers[i], true);
            shape.after += s.thenAfterAnswer;
            appendComment(shape.after, code, s.branchIndent, answers[i]);
        }
    }
    shape.after += s.elseLine;
    appendComment(shape.after, code, s.branchIndent, answers.back());
    shape.after += s.endIf;
    return shape;
}

Shape shapeOf(const Code& code) {
    const Syntax& s = *code.language.syntax;
    const msgbox::Value& value = code.value;
    const auto answers = msgbox::facts(value.buttons).answers();
    if (answers.size() == 1) {
        // A box with one button has no answer to tell apart: its call is a
        // statement in every style.
        Shape shape;
        shape.head = piece(s.statementHead);
        shape.tail = piece(s.statementTail);
        shape.statement = true;
        return shape;
    }
    switch (value.code) {
    case msgbox::CodeStyle::SelectCase:
        return selectShape(code, answers);
    case msgbox::CodeStyle::IfThenElse:
        return ifShape(code, answers);
    case msgbox::CodeStyle::Einfach:
    case msgbox::CodeStyle::Vbs:
        break;
    }
    // "einfach" and "VBS" differ only in the declaration of the answer, and
    // only where the language writes the script style.
    Shape shape;
    keepAnswer(shape, code, value.code == msgbox::CodeStyle::Vbs && code.language.writesVbs);
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

    Code code{value, language, {}, {}, {}};
    const Syntax& s = *language.syntax;
    const Shape shape = shapeOf(code);
    s.opening(code, shape);
    if (!shape.before.isEmpty()) {
        code.out += shape.before;
        code.out += CR;
    }
    if (s.notes)
        s.notes(code);
    code.out += shape.head;
    s.call(code, shape.statement);
    code.out += shape.tail;
    code.out += shape.after;
    return std::move(code.out);
}

} // namespace veltrano::gen
