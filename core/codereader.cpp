// The code reader's entry: it tells the language of the text and walks
// through Basic source (VB6, VBA, VBScript and VB.NET) statement by
// statement, keeping the scope current (blocks, declarations, assignments)
// up to the first call, which the call's own part reads; C# has a walk of
// its own (core/reader/csharpreader). The parts are in core/reader/: the
// lexers, the tokens, the scope, the text and buttons expressions, the
// binding of arguments and the calls with their style rules.
#include "core/codereader.h"
#include "core/sizetext.h"

#include "core/linebreaks.h"
#include "core/reader/basicdeclarations.h"
#include "core/reader/basiclexer.h"
#include "core/reader/basictext.h"
#include "core/reader/context.h"
#include "core/reader/csharpreader.h"
#include "core/reader/language.h"
#include "core/reader/msgboxcall.h"
#include "core/reader/result.h"
#include "core/reader/scope.h"
#include "core/reader/tokens.h"

#include <algorithm>
#include <new>
#include <utility>
#include <variant>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace {

using namespace reader;

// How the reading goes on after a statement: at the token where the next
// statement starts, or not at all, as the statement held the call.
using Step = std::variant<int, ReadCall>;

class Reader {
public:
    Reader(const Tokens& tokens, Language language, msgbox::CodeStyle currentCodeStyle)
        : m_t(tokens), m_currentStyle(currentCodeStyle), m_context{tokens, m_scope, m_budget,
                                                                   language, evalBasicText} {
        m_budget.limit = workBudget(tokens.source().size());
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    // The first call of the source, or the failure that ends the reading.
    Result<ReadCall> run();

private:
    int scanStatement(int b, bool stopAtThen, int& bad) const;
    Result<Step> statement(int b);
    Result<Step> plain(int b, int e);
    Result<Step> declaration(int b, int e, const std::optional<Call>& call);
    Result<Step> readCall(int b, int e, Call call, Place place);
    Result<Step> after(Status status, int next);

    const Tokens& m_t;
    msgbox::CodeStyle m_currentStyle;
    Scope m_scope;
    Budget m_budget;
    Context m_context;
};

// The end of the statement starting at b: its End token, an Else while a
// single-line If is open, or with stopAtThen the Then of an If. bad gets the
// first Bad token on the way, or -1.
int Reader::scanStatement(int b, bool stopAtThen, int& bad) const {
    const bool lineIf = m_scope.innermostIs(BlockKind::LineIf);
    bad = -1;
    int k = b;
    for (;; ++k) {
        const Token& t = m_t[k];
        if (t.kind == Kind::End) {
            break;
        }
        if (t.kind == Kind::Bad && bad < 0) {
            bad = k;
        }
        if (t.kind == Kind::Name && k > b &&
            ((lineIf && m_t.isWord(k, u"Else")) || (stopAtThen && m_t.isWord(k, u"Then")))) {
            break;
        }
    }
    return k;
}

Result<Step> Reader::readCall(int b, int e, Call call, Place place) {
    Result<ReadCall> read = readCallAt(m_context, b, e, call, place, m_currentStyle);
    if (!read) {
        return std::move(read).failure();
    }
    return Step(std::move(*read));
}

// The next statement at `next`, unless a declaration or an assignment ended
// the reading with a fatal failure.
Result<Step> Reader::after(Status status, int next) {
    if (!status) {
        return std::move(status).failure();
    }
    return Step(next);
}

// Handles the statement starting at b.
Result<Step> Reader::statement(int b) {
    if (m_t[b].kind == Kind::Number && !m_t.isEnd(b + 1)) {
        ++b; // a line number
    }
    const Keyword keyword = keywordAt(m_t, b);
    int bad = -1;

    if (keyword == Keyword::Else) {
        if (m_scope.innermostIs(BlockKind::LineIf)) {
            m_scope.nextBranch(BlockKind::LineIf);
        } else {
            m_scope.nextBranch(BlockKind::If);
        }
        return Step(b + 1);
    }
    if (keyword == Keyword::If || keyword == Keyword::ElseIf) {
        if (keyword == Keyword::ElseIf) {
            m_scope.nextBranch(BlockKind::If);
        }
        const int then = scanStatement(b + 1, true, bad);
        if (bad >= 0) {
            return m_t.broken(bad);
        }
        if (const auto call = findMsgBoxCall(m_t, b + 1, then)) {
            return readCall(b, then, *call, Place::Condition);
        }
        if (!m_t.isWord(then, u"Then") || keyword == Keyword::ElseIf) {
            return Step(then);
        }
        m_scope.open(m_t.isEnd(then + 1) ? BlockKind::If : BlockKind::LineIf);
        return Step(then + 1);
    }

    const int e = scanStatement(b, false, bad);
    if (bad >= 0) {
        return m_t.broken(bad);
    }
    const std::optional<Call> call = findMsgBoxCall(m_t, b, e);
    switch (keyword) {
    case Keyword::End:
        if (m_t.isWord(b + 1, u"If")) {
            m_scope.close(BlockKind::If);
        } else if (m_t.isWord(b + 1, u"Select")) {
            m_scope.close(BlockKind::Select);
        } else if (keywordAt(m_t, b + 1) == Keyword::Procedure ||
                   keywordAt(m_t, b + 1) == Keyword::Declaration) {
            m_scope.close(BlockKind::Procedure);
        }
        return Step(e);
    case Keyword::Select:
        if (m_t.isWord(b + 1, u"Case")) {
            if (call) {
                return readCall(b, e, *call, Place::Selector);
            }
            m_scope.open(BlockKind::Select);
            return Step(e);
        }
        break;
    case Keyword::Case:
        m_scope.nextBranch(BlockKind::Select);
        if (call) {
            return readCall(b, e, *call, Place::Plain);
        }
        return Step(e);
    case Keyword::For:
    case Keyword::Do:
    case Keyword::While:
        if (call) {
            return readCall(b, e, *call, Place::Plain);
        }
        if (keyword == Keyword::For) {
            forgetNamed(m_context, b + 1, e); // assigns the loop variable
        }
        m_scope.open(BlockKind::Loop);
        return Step(e);
    case Keyword::Loop:
    case Keyword::Next:
    case Keyword::Wend:
        if (call) {
            return readCall(b, e, *call, Place::Plain);
        }
        m_scope.close(BlockKind::Loop);
        return Step(e);
    case Keyword::Procedure:
        forgetNamed(m_context, b + 1, e); // parameters hide variables of the same name
        m_scope.open(BlockKind::Procedure);
        return Step(e);
    case Keyword::Modifier:
        switch (keywordAt(m_t, b + 1)) {
        case Keyword::Procedure:
            forgetNamed(m_context, b + 2, e);
            m_scope.open(BlockKind::Procedure);
            return Step(e);
        case Keyword::Declaration:
            m_scope.open(BlockKind::Procedure);
            return Step(e);
        case Keyword::Const:
            return after(constants(m_context, b + 2, e), e);
        case Keyword::Declare:
            return Step(e);
        default:
            return declaration(b + 1, e, call);
        }
    case Keyword::Declaration:
        if (m_t.isName(b + 1)) {
            m_scope.open(BlockKind::Procedure);
            return Step(e);
        }
        break;
    case Keyword::Dim:
        return declaration(b + 1, e, call);
    case Keyword::Const:
        return after(constants(m_context, b + 1, e), e);
    case Keyword::Debug:
        // Debug.Print only shows its arguments.
        if (m_t.isSymbol(b + 1, u'.') && m_t.isWord(b + 2, u"Print")) {
            if (call) {
                return readCall(b, e, *call, Place::Plain);
            }
            return Step(e);
        }
        break;
    default:
        break;
    }
    return plain(b, e);
}

// The declarations in [b, e), and the call one of them may be given from
// (Dim Antwort As MsgBoxResult = MsgBox(...)).
Result<Step> Reader::declaration(int b, int e, const std::optional<Call>& call) {
    if (!call) {
        return after(declare(m_context, b, e), e);
    }
    if (Status declared = declare(m_context, b, call->start); !declared) {
        return std::move(declared).failure();
    }
    return readCall(b - 1, e, *call, Place::Plain);
}

// A statement without a keyword of its own: the call, an assignment, or
// something the reader skips.
Result<Step> Reader::plain(int b, int e) {
    if (const auto call = findMsgBoxCall(m_t, b, e)) {
        return readCall(b, e, *call, Place::Plain);
    }
    const int k = m_t.isWord(b, u"Let") ? b + 1 : b;
    if (m_t.isName(k) && m_t.isSymbol(k + 1, u'=')) {
        return after(assign(m_context, k, k + 2, e), e);
    }
    // VB.NET's Msg &= "..." and Msg += "...".
    if (m_t.isName(k) && (m_t.isSymbols(k + 1, u'&', u'=') || m_t.isSymbols(k + 1, u'+', u'='))) {
        return after(assign(m_context, k, k + 3, e, true), e);
    }
    forgetNamed(m_context, b, e);
    return Step(e);
}

Result<ReadCall> Reader::run() {
    const int n = m_t.size();
    for (int i = 0; i < n;) {
        if (m_t.isEnd(i)) {
            if (m_t[i].ch == LF) {
                m_scope.closeLineBlocks();
            }
            ++i;
            continue;
        }
        Result<Step> step = statement(i);
        if (!step) {
            return std::move(step).failure();
        }
        if (ReadCall* call = std::get_if<ReadCall>(&*step)) {
            return std::move(*call);
        }
        i = std::get<int>(*step);
    }
    if (m_context.language == Language::VbNet) {
        return refusal(0, u"Im Text steht kein Aufruf von MsgBox oder MessageBox.Show."_s);
    }
    return refusal(0, u"Im Text steht kein MsgBox-Aufruf."_s);
}

ReadError errorAt(QStringView source, qsizetype offset, const QString& reason) {
    ReadError error;
    error.offset = std::clamp<qsizetype>(offset, 0, source.size());
    int line = 1;
    qsizetype column = 1;
    linebreaks::forEachLine(
        source.first(error.offset), [&](QStringView text) { column = text.size() + 1; },
        [&] { ++line; });
    error.line = line;
    error.column = int(column);
    error.reason = reason;
    error.text = u"Zeile %1, Spalte %2: %3"_s.arg(error.line).arg(error.column).arg(reason);
    return error;
}

ReadResult read(QStringView source, msgbox::CodeStyle currentCodeStyle) {
    if (source.size() > MaxSourceLength) {
        return errorAt(source, MaxSourceLength,
                       u"Der Text ist länger als %1 (%2 Zeichen)."_s.arg(mebibytes(MaxSourceLength))
                           .arg(MaxSourceLength));
    }
    const LexedSource lexed = lexSource(source);
    Result<ReadCall> call = lexed.language == Language::CSharp
                                ? readCSharp(lexed.tokens, currentCodeStyle)
                                : Reader(lexed.tokens, lexed.language, currentCodeStyle).run();
    if (!call) {
        return errorAt(source, call.failure().offset, call.failure().reason);
    }
    return std::move(*call);
}

} // namespace

ReadResult readMsgBoxCall(QStringView source, msgbox::CodeStyle currentCodeStyle) {
    try {
        return read(source, currentCodeStyle);
    } catch (const std::bad_alloc&) {
        ReadError error;
        error.reason = u"Nicht genug Speicher, um den Text zu lesen."_s;
        error.text = u"Zeile 1, Spalte 1: "_s + error.reason;
        return error;
    }
}

} // namespace veltrano
