#include "core/reader/basicreader.h"

#include "core/reader/assignment.h"
#include "core/reader/basicdeclarations.h"
#include "core/reader/basiclexer.h"
#include "core/reader/basictext.h"
#include "core/reader/context.h"
#include "core/reader/msgboxcall.h"
#include "core/reader/popupcall.h"
#include "core/reader/scope.h"
#include "core/reader/survey.h"

#include <QString>

#include <optional>
#include <utility>
#include <variant>
#include <vector>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

// How the reading goes on after a statement: at the token where the next
// statement starts, or not at all, as the statement held the call.
using Step = std::variant<int, ReadCall>;

class Reader {
public:
    Reader(const Tokens& tokens, Language language, msgbox::CodeStyle currentCodeStyle)
        : m_t(tokens), m_currentStyle(currentCodeStyle), m_context{tokens, m_scope, m_budget,
                                                                   language, evalBasicText},
          m_survey(surveyBasic(tokens)) {
        m_budget.limit = workBudget(tokens.source().size());
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    // The first call of the source, or the failure that ends the reading.
    Result<ReadCall> run();

private:
    bool endsInLambda(int b, int e) const;
    void forgetAll(int k, const QString& why) { m_scope.forgetAll(m_t.offset(k), why); }
    int scanStatement(int b, bool stopAtThen, int& bad) const;
    Result<Step> statement(int b);
    Result<Step> statementBody(int b);
    Result<Step> directive(int b);
    Result<Step> plain(int b, int e);
    Result<Step> declaration(int b, int e, const std::optional<Call>& call);
    Result<Step> readCall(int b, int e, Call call, Place place);
    Result<Step> after(Status status, int next);

    const Tokens& m_t;
    msgbox::CodeStyle m_currentStyle;
    Scope m_scope;
    Budget m_budget;
    Context m_context;
    Survey m_survey;
};

const QString Changes = u"Die Anweisung hier kann ihn ändern."_s;
const QString JumpTarget = u"An einer Sprungmarke kann der Ablauf von anderswo kommen."_s;

// Whether the statement [b, e) ends in the head of a multi-line lambda,
// Sub(...) or Function(...), whose body follows up to its End Sub.
bool Reader::endsInLambda(int b, int e) const {
    const int last = e - 1;
    if (last <= b || !m_t.isSymbol(last, u')')) {
        return false;
    }
    const int open = m_t[last].partner;
    return open - 1 > b && (m_t.isWord(open - 1, u"Sub") || m_t.isWord(open - 1, u"Function"));
}

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
    if (m_scope.anyOpen(BlockKind::Directive)) {
        return m_t.refuse(b, u"Der Aufruf steht in einem Zweig der bedingten Kompilierung."_s);
    }
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

// Handles the statement starting at b; one that ends in the head of a
// lambda opens the lambda's body as a procedure.
Result<Step> Reader::statement(int b) {
    Result<Step> step = statementBody(b);
    if (step && std::holds_alternative<int>(*step) && endsInLambda(b, std::get<int>(*step))) {
        m_scope.open(BlockKind::Procedure);
    }
    return step;
}

// #If, #ElseIf, #Else, #End If: the branches of conditional compilation,
// of which one is compiled.
Result<Step> Reader::directive(int b) {
    int bad = -1;
    const int e = scanStatement(b, false, bad);
    if (m_t.isWord(b + 1, u"If")) {
        m_scope.open(BlockKind::Directive);
    } else if (m_t.isWord(b + 1, u"ElseIf") || m_t.isWord(b + 1, u"Else")) {
        m_scope.nextBranch(BlockKind::Directive);
    } else if (m_t.isWord(b + 1, u"End")) {
        m_scope.close(BlockKind::Directive);
    }
    return Step(e);
}

Result<Step> Reader::statementBody(int b) {
    if (m_t[b].kind == Kind::Number && !m_t.isEnd(b + 1)) {
        if (m_survey.jumps) {
            forgetAll(b, JumpTarget);
        }
        ++b; // a line number
    }
    if (m_t.isSymbol(b, u'#')) {
        return directive(b);
    }
    const Keyword keyword = keywordAt(m_t, b);
    int bad = -1;
    if (keyword == Keyword::None && m_t.isName(b)) {
        if (m_t.isEnd(b + 1) && m_t.offset(b + 1) < m_t.source().size() &&
            m_t.source()[m_t.offset(b + 1)] == u':') {
            if (m_survey.jumps) {
                forgetAll(b, JumpTarget); // a label
            }
            return Step(b + 1);
        }
        // Try and each Catch or Finally: branches, of which the one that
        // ran is not known.
        if (m_t.isWord(b, u"Try") && m_t.isEnd(b + 1)) {
            m_scope.open(BlockKind::Try);
            return Step(b + 1);
        }
        if (m_t.isWord(b, u"Catch") || m_t.isWord(b, u"Finally")) {
            m_scope.nextBranch(BlockKind::Try);
            return Step(scanStatement(b, false, bad));
        }
    }

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
        if (m_survey.callsProcedure(m_t, b + 1, then)) {
            forgetAll(b, Changes);
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
        } else if (m_t.isWord(b + 1, u"Try")) {
            m_scope.close(BlockKind::Try);
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
            // Assigns the loop variable, and only that.
            const int variable = m_t.isWord(b + 1, u"Each") ? b + 2 : b + 1;
            forgetNamed(m_context, variable, variable + 1);
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
    // GoSub, Execute and a procedure of the text may change any variable.
    if (m_t.isWord(b, u"GoSub") || m_t.isWord(b, u"Execute") || m_t.isWord(b, u"ExecuteGlobal") ||
        m_survey.callsProcedure(m_t, b, e)) {
        forgetAll(b, Changes);
        return Step(e);
    }
    // A member of Me, or of the object of With, may be the variable of
    // that name.
    const bool me = m_t.isWord(b, u"Me") || m_t.isWord(b, u"MyBase") || m_t.isWord(b, u"MyClass");
    const int member = me && m_t.isSymbol(b + 1, u'.') ? b + 2 : m_t.isSymbol(b, u'.') ? b + 1 : -1;
    if (member > 0 && m_t.isName(member) && m_t.isSymbol(member + 1, u'=')) {
        forgetNamed(m_context, member, member + 1);
        return Step(e);
    }
    // Set sh = CreateObject("WScript.Shell"): the object Popup is called on.
    if (m_t.isWord(b, u"Set") && m_t.isName(b + 1) && m_t.isSymbol(b + 2, u'=')) {
        setObject(m_context, b + 1, b + 3, e);
        return Step(e);
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

} // namespace

namespace {

class BasicLanguageReader final : public LanguageReader {
public:
    explicit BasicLanguageReader(lang::Language language) : m_language(language) {}
    std::vector<Token> tokenize(QStringView source) const override {
        return tokenizeBasic(source, m_language);
    }
    Result<ReadCall> read(const Tokens& tokens, msgbox::CodeStyle currentCodeStyle) const override {
        return Reader(tokens, m_language, currentCodeStyle).run();
    }

private:
    lang::Language m_language;
};

} // namespace

const LanguageReader& basicReader() {
    static const BasicLanguageReader reader(lang::Language::Basic);
    return reader;
}

const LanguageReader& vbNetReader() {
    static const BasicLanguageReader reader(lang::Language::VbNet);
    return reader;
}

} // namespace veltrano::reader
