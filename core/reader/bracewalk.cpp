#include "core/reader/bracewalk.h"

#include "core/msgbox.h"
#include "core/reader/assignment.h"
#include "core/reader/callvalues.h"
#include "core/reader/context.h"
#include "core/reader/csharpdeclarations.h"
#include "core/reader/scope.h"
#include "core/reader/statementwalk.h"
#include "core/reader/survey.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <variant>
#include <vector>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

enum class CallPlace : std::uint8_t { Plain, Condition, Selector };

// Words whose block is the body of a type, not code.
constexpr QStringView TypeWords[] = {u"namespace", u"class", u"struct",
                                     u"interface", u"enum",  u"record"};

class BraceWalk {
public:
    BraceWalk(const Tokens& tokens, msgbox::CodeStyle currentCodeStyle, const BraceDialect& dialect)
        : m_t(tokens), m_currentStyle(currentCodeStyle), m_dialect(dialect),
          m_scope(true), m_context{tokens, m_scope, m_budget, dialect.language, dialect.evalText},
          m_survey(dialect.survey(tokens)) {
        m_budget.limit = workBudget(tokens.source().size());
    }
    BraceWalk(const BraceWalk&) = delete;
    BraceWalk& operator=(const BraceWalk&) = delete;

    Result<ReadCall> run();

private:
    // What an open statement waits for: the end of a brace block, or the
    // end of the one statement that is the body of an if, an else or a loop.
    enum class Frame : std::uint8_t { Brace, IfBody, ElseBody, LoopBody, DoBody };
    struct Open {
        Frame frame;
        bool block; // a scope block of `kind` was opened for it
        BlockKind kind;
    };

    bool word(int k, QStringView w) const { return m_t.isExactWord(k, w); }
    void directive(int k);
    int statementEnd(int b) const;
    std::optional<ShowCall> findCall(int b, int e) const;
    int answerVariable(int b, int e, const ShowCall& call, int after) const;
    std::optional<msgbox::CodeStyle> nextStatementTests(int e, int answer) const;

    void push(Frame frame, BlockKind kind, bool block);
    void closeBrace();
    Result<Step> statement(int k);
    Result<Step> completed(int k);
    std::optional<Result<Step>> parenthesised(int k, CallPlace place, int& close);
    Result<Step> conditional(int k);
    Result<Step> switchStatement(int k);
    Result<Step> loop(int k);
    Result<Step> header(int b, int e);
    Result<Step> simple(int b, int e);
    Result<Step> readCall(int b, int e, const ShowCall& call, CallPlace place);

    const Tokens& m_t;
    msgbox::CodeStyle m_currentStyle;
    const BraceDialect& m_dialect;
    Scope m_scope;
    Budget m_budget;
    Context m_context;
    std::vector<Open> m_frames;
    Survey m_survey;
};

// #if, #elif, #else, #endif: the branches of conditional compilation, of
// which one is compiled.
void BraceWalk::directive(int k) {
    QStringView line = m_t.text(k).sliced(1).trimmed();
    if (line.startsWith(u"if")) {
        m_scope.open(BlockKind::Directive);
    } else if (line.startsWith(u"el")) {
        m_scope.nextBranch(BlockKind::Directive);
    } else {
        m_scope.close(BlockKind::Directive);
    }
}

// The ';', '{' or '}' that ends the statement starting at b, outside
// parentheses, or the final End token.
int BraceWalk::statementEnd(int b) const {
    for (int k = b;; ++k) {
        const Token& t = m_t[k];
        if (t.kind == Kind::End || m_t.isSymbol(k, u';') || m_t.isSymbol(k, u'{') ||
            m_t.isSymbol(k, u'}')) {
            return k;
        }
        if (m_t.isSymbol(k, u'(') && t.partner > k) {
            k = t.partner;
        }
    }
}

std::optional<ShowCall> BraceWalk::findCall(int b, int e) const {
    return m_dialect.findCall(m_t, b, e);
}

// The variable the call's value goes to when the call is the whole value of
// the statement (antwort = ..., var antwort = ..., DialogResult antwort =
// ...), or -1.
int BraceWalk::answerVariable(int b, int e, const ShowCall& call, int after) const {
    const int eq = call.start - 1;
    const int name = eq - 1;
    if (after != e || name < b || !m_t.isSymbol(eq, u'=') || !m_t.isName(name) ||
        (name > 0 && m_t.isSymbol(name - 1, u'.'))) {
        return -1;
    }
    if (name == b || csharpTypeEnd(m_t, skipCSharpModifiers(m_t, b), e) == name) {
        return name;
    }
    return -1;
}

// The style the statement after the one ending at e tells for the variable
// at `answer`: an if whose condition names it, or a switch on it.
std::optional<msgbox::CodeStyle> BraceWalk::nextStatementTests(int e, int answer) const {
    const int j = m_t.isSymbol(e, u';') ? e + 1 : e;
    const bool isIf = word(j, u"if");
    if (!isIf && !word(j, u"switch")) {
        return std::nullopt;
    }
    const int close = m_t.parenthesisAfter(j);
    for (int k = j + 2; k < close; ++k) {
        if (m_t.isName(k) && !m_t.isSymbol(k - 1, u'.') && m_t.name(k) == m_t.name(answer)) {
            return isIf ? msgbox::CodeStyle::IfThenElse : msgbox::CodeStyle::SelectCase;
        }
    }
    return std::nullopt;
}

void BraceWalk::push(Frame frame, BlockKind kind, bool block) {
    if (block) {
        m_scope.open(kind);
    }
    m_frames.push_back({frame, block, kind});
}

// A '}': the innermost brace block ends, with any statement left open in it
// (a fragment); one without an open block is skipped.
void BraceWalk::closeBrace() {
    while (!m_frames.empty()) {
        const Open open = m_frames.back();
        m_frames.pop_back();
        if (open.block) {
            m_scope.close(open.kind);
        }
        if (open.frame == Frame::Brace) {
            return;
        }
    }
}

// A statement ended just before k: the bodies it ends end too; an else
// starts the other branch, and a do loop's while its condition.
Result<Step> BraceWalk::completed(int k) {
    while (!m_frames.empty()) {
        Open& open = m_frames.back();
        switch (open.frame) {
        case Frame::Brace:
            return Step(k);
        case Frame::IfBody:
            if (word(k, u"else")) {
                m_scope.nextBranch(BlockKind::If);
                open.frame = Frame::ElseBody;
                return Step(k + 1);
            }
            [[fallthrough]];
        case Frame::ElseBody:
        case Frame::LoopBody:
            m_scope.close(open.kind);
            m_frames.pop_back();
            break;
        case Frame::DoBody: {
            m_scope.close(BlockKind::Loop);
            m_frames.pop_back();
            const int close = word(k, u"while") ? m_t.parenthesisAfter(k) : -1;
            if (close > 0) {
                if (const int bad = m_t.firstBad(k, close); bad >= 0) {
                    return m_t.broken(bad);
                }
                if (const auto call = findCall(k + 2, close)) {
                    return readCall(k, close + 1, *call, CallPlace::Plain);
                }
                k = m_t.isSymbol(close + 1, u';') ? close + 2 : close + 1;
            }
            break;
        }
        }
    }
    return Step(k);
}

// The header in parentheses after the keyword at k. Where it ends the
// statement (no parentheses follow, a broken token, a call in it read at
// `place`), that step; else nothing, and `close` is its ')'.
std::optional<Result<Step>> BraceWalk::parenthesised(int k, CallPlace place, int& close) {
    close = m_t.parenthesisAfter(k);
    if (close < 0) {
        return simple(k, statementEnd(k));
    }
    if (const int bad = m_t.firstBad(k, close); bad >= 0) {
        return m_t.broken(bad);
    }
    if (const auto call = findCall(k + 2, close)) {
        return readCall(k, close + 1, *call, place);
    }
    return std::nullopt;
}

// if (condition): the call in the condition, or the body that follows.
Result<Step> BraceWalk::conditional(int k) {
    int close = -1;
    if (std::optional<Result<Step>> step = parenthesised(k, CallPlace::Condition, close)) {
        return std::move(*step);
    }
    push(Frame::IfBody, BlockKind::If, true);
    return Step(close + 1);
}

// switch (selector) { case ...: ... }
Result<Step> BraceWalk::switchStatement(int k) {
    int close = -1;
    if (std::optional<Result<Step>> step = parenthesised(k, CallPlace::Selector, close)) {
        return std::move(*step);
    }
    if (!m_t.isSymbol(close + 1, u'{')) {
        return Step(close + 1);
    }
    push(Frame::Brace, BlockKind::Select, true);
    return Step(close + 2);
}

// for, foreach, while: a call in the header, or the body that follows.
Result<Step> BraceWalk::loop(int k) {
    int close = -1;
    if (std::optional<Result<Step>> step = parenthesised(k, CallPlace::Plain, close)) {
        return std::move(*step);
    }
    // The header changes only what it assigns: for's initializer and
    // iterator, foreach's loop variable before `in`.
    int from = k + 2;
    if (word(k, u"foreach")) {
        while (from < close && !word(from, u"in")) {
            ++from;
        }
        forgetNamed(m_context, k + 2, from);
    }
    m_dialect.forget(m_context, from, close);
    push(Frame::LoopBody, BlockKind::Loop, true);
    return Step(close + 1);
}

// A statement that opens a block at e: a type, a method, a lambda, an
// accessor, an initializer.
Result<Step> BraceWalk::header(int b, int e) {
    if (const auto call = findCall(b, e)) {
        return readCall(b, e, *call, CallPlace::Plain);
    }
    bool type = false;
    bool code = (e - 2 >= b && m_t.isSymbols(e - 2, u'=', u'>')) ||
                (b + 1 == e && (word(b, u"get") || word(b, u"set") || word(b, u"init") ||
                                word(b, u"add") || word(b, u"remove")));
    for (int k = b; k < e; ++k) {
        type = type || m_t.isAnyExactWord(k, TypeWords);
        code = code || m_t.isSymbol(k, u'(');
    }
    if (code && !type) {
        forgetNamed(m_context, b, e); // parameters hide variables of the same name
        push(Frame::Brace, BlockKind::Procedure, true);
    } else {
        push(Frame::Brace, BlockKind::Procedure, false);
    }
    return Step(e + 1);
}

Result<Step> BraceWalk::statement(int k) {
    if (m_t[k].kind == Kind::Bad) {
        return m_t.broken(k);
    }
    if (m_dialect.ownStatement) {
        if (const int next = m_dialect.ownStatement(m_context, k); next >= 0) {
            return Step(next);
        }
    }
    if (m_t.isSymbol(k, u'{')) {
        push(Frame::Brace, BlockKind::Procedure, false);
        return Step(k + 1);
    }
    if (m_t.isSymbol(k, u'}')) {
        closeBrace();
        return completed(k + 1);
    }
    if (m_t.isSymbol(k, u';')) {
        return completed(k + 1);
    }
    if (m_t.isSymbol(k, u'#')) {
        directive(k);
        return Step(k + 1);
    }
    // A label: where the text jumps, the flow may come from anywhere.
    if (m_t.isName(k) && m_t.isSymbol(k + 1, u':') && !m_t.isSymbols(k + 1, u':', u':') &&
        !isCSharpKeyword(m_t, k)) {
        if (m_survey.jumps) {
            m_scope.forgetAll(m_t.offset(k),
                              u"An einer Sprungmarke kann der Ablauf von anderswo kommen."_s);
        }
        return Step(k + 2);
    }
    if (word(k, u"if")) {
        return conditional(k);
    }
    if (word(k, u"switch")) {
        return switchStatement(k);
    }
    if (word(k, u"for") || word(k, u"foreach") || word(k, u"while")) {
        return loop(k);
    }
    if (word(k, u"do")) {
        push(Frame::DoBody, BlockKind::Loop, true);
        return Step(k + 1);
    }
    if ((word(k, u"case") || word(k, u"default")) && m_scope.innermostIs(BlockKind::Select)) {
        // A label: the next branch of the switch.
        int j = k + 1;
        while (!m_t.isEnd(j) && !m_t.isSymbol(j, u':') && !m_t.isSymbol(j, u';') &&
               !m_t.isSymbol(j, u'{') && !m_t.isSymbol(j, u'}')) {
            j = m_t.isSymbol(j, u'(') && m_t[j].partner > j ? m_t[j].partner + 1 : j + 1;
        }
        if (m_t.isSymbol(j, u':')) {
            m_scope.nextBranch(BlockKind::Select);
            return Step(j + 1);
        }
    }
    if (word(k, u"else") || word(k, u"finally") || word(k, u"checked") || word(k, u"unchecked") ||
        word(k, u"unsafe")) {
        return Step(k + 1);
    }
    if (word(k, u"try")) {
        // It may end at any of its statements: what it assigns is not
        // certain after it, as in a branch.
        push(Frame::ElseBody, BlockKind::Try, true);
        return Step(k + 1);
    }
    if (word(k, u"catch")) {
        // Runs only on an error: like a branch.
        int j = k + 1;
        if (const int close = m_t.parenthesisAfter(k); close > 0) {
            j = close + 1;
        }
        if (word(j, u"when") && m_t.parenthesisAfter(j) > 0) {
            j = m_t.parenthesisAfter(j) + 1;
        }
        push(Frame::IfBody, BlockKind::If, true);
        return Step(j);
    }
    if ((word(k, u"using") || word(k, u"lock") || word(k, u"fixed")) &&
        m_t.parenthesisAfter(k) > 0) {
        const int close = m_t.parenthesisAfter(k);
        if (const int bad = m_t.firstBad(k, close); bad >= 0) {
            return m_t.broken(bad);
        }
        if (const auto call = findCall(k + 2, close)) {
            return readCall(k, close + 1, *call, CallPlace::Plain);
        }
        forgetNamed(m_context, k + 2, close);
        return Step(close + 1);
    }
    const int e = statementEnd(k);
    if (const int bad = m_t.firstBad(k, e); bad >= 0) {
        return m_t.broken(bad);
    }
    if (m_t.isSymbol(e, u'{')) {
        return header(k, e);
    }
    Result<Step> step = simple(k, e);
    if (!step || std::holds_alternative<ReadCall>(*step)) {
        return step;
    }
    return completed(m_t.isSymbol(e, u';') ? e + 1 : e);
}

// A statement without a block of its own in [b, e): the call, a
// declaration, an assignment, or something the reader skips.
Result<Step> BraceWalk::simple(int b, int e) {
    if (const auto call = findCall(b, e)) {
        return readCall(b, e, *call, CallPlace::Plain);
    }
    if (m_survey.callsProcedure(m_t, b, e)) {
        m_scope.forgetAll(m_t.offset(b), u"Die Anweisung hier kann ihn ändern."_s);
    }
    Status status = done();
    if (m_dialect.declaration(m_context, b, e, status) ||
        m_dialect.assignment(m_context, b, e, status)) {
        if (!status) {
            return std::move(status).failure();
        }
        return Step(e);
    }
    m_dialect.forget(m_context, b, e);
    return Step(e);
}

Result<Step> BraceWalk::readCall(int b, int e, const ShowCall& call, CallPlace place) {
    if (m_scope.anyOpen(BlockKind::Directive)) {
        return m_t.refuse(b, u"Der Aufruf steht in einem Zweig der bedingten Kompilierung."_s);
    }
    Result<CallValues> values = m_dialect.readArguments(m_context, call);
    if (!values) {
        return std::move(values).failure();
    }
    std::optional<msgbox::CodeStyle> told;
    if (place == CallPlace::Condition) {
        told = msgbox::CodeStyle::IfThenElse;
    } else if (place == CallPlace::Selector) {
        told = msgbox::CodeStyle::SelectCase;
    } else {
        const int after = m_t[call.name + 1].partner + 1;
        const int answer = answerVariable(b, e, call, after);
        if (answer >= 0) {
            told = nextStatementTests(e, answer).value_or(msgbox::CodeStyle::Einfach);
        }
    }
    return callStep(finishCall(*values, told, m_currentStyle, m_budget));
}

Result<ReadCall> BraceWalk::run() {
    return walkStatements(
        m_t, [this](int k) { return statement(k); }, m_dialect.noCall);
}

} // namespace

Result<ReadCall> walkBraces(const Tokens& tokens, msgbox::CodeStyle currentCodeStyle,
                            const BraceDialect& dialect) {
    return BraceWalk(tokens, currentCodeStyle, dialect).run();
}

} // namespace veltrano::reader
