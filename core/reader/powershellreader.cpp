#include "core/reader/powershellreader.h"

#include "core/msgbox.h"
#include "core/reader/assignment.h"
#include "core/reader/callvalues.h"
#include "core/reader/characters.h"
#include "core/reader/context.h"
#include "core/reader/messageboxshow.h"
#include "core/reader/powershelllexer.h"
#include "core/reader/powershellpopup.h"
#include "core/reader/powershelltext.h"
#include "core/reader/scope.h"

#include <QSet>
#include <QString>

#include <cstdint>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

using Step = std::variant<int, ReadCall>;

enum class CallPlace : std::uint8_t { Plain, Condition, Selector };

struct Call {
    bool popup = false;
    bool bareType = false; // [MessageBox] without a namespace
    ShowCall show{};       // for Show
    int start = 0;         // first token of the call
    int open = 0;          // its '('
};

bool word(const Tokens& t, int k, QStringView w) {
    return t.isWord(k, w) && !isPowerShellVariable(t, k);
}

// The call at k, a '[' or the '.' before Popup, or nothing.
std::optional<Call> callAt(const Tokens& t, int k, const QSet<QString>& shells) {
    if (t.isSymbol(k, u'[')) {
        const int close = powerShellTypeEnd(t, k);
        if (close < 0 || !t.isWord(close - 1, u"MessageBox") ||
            !t.isSymbols(close + 1, u':', u':') || !t.isWord(close + 3, u"Show") ||
            !t.isSymbol(close + 4, u'(')) {
            return std::nullopt;
        }
        const QString ns = close - 1 > k + 1 ? t.dotted(k + 1, close - 3) : QString();
        const std::optional<MessageBoxClass> home = messageBoxIn(ns, Case::Insensitive);
        if (!home) {
            return std::nullopt;
        }
        Call call;
        call.bareType = ns.isEmpty();
        call.show = ShowCall{k, close + 3, *home == MessageBoxClass::Wpf};
        call.start = k;
        call.open = close + 4;
        return call;
    }
    if (!t.isSymbol(k, u'.') || !t.isWord(k + 1, u"Popup") || !t.isSymbol(k + 2, u'(') || k == 0) {
        return std::nullopt;
    }
    Call call;
    call.popup = true;
    call.open = k + 2;
    if (isPowerShellVariable(t, k - 1) &&
        shells.contains(t.name(k - 1).toString().toCaseFolded())) {
        call.start = k - 1;
        return call;
    }
    // (New-Object -ComObject WScript.Shell)
    const int p = t[k - 1].partner;
    if (t.isSymbol(k - 1, u')') && p >= 0 && t.isWord(p + 1, u"New-Object") &&
        isPowerShellOperator(t, p + 2, u"ComObject")) {
        const QString what =
            t[p + 3].kind == Kind::String
                ? t.text(p + 3).sliced(1, t.text(p + 3).size() - 2).toString()
                : (t.isName(p + 3) ? t.dotted(p + 3, t.dottedEnd(p + 3)) : QString());
        const int last = t[p + 3].kind == Kind::String ? p + 3 : t.dottedEnd(p + 3);
        if (what.compare(u"WScript.Shell", Qt::CaseInsensitive) == 0 && last + 1 == k - 1) {
            call.start = p;
            return call;
        }
    }
    return std::nullopt;
}

// Whether a double-quoted string expands the variable: $name or ${name}
// without a backtick before the $.
bool expands(QStringView text, QStringView name) {
    for (qsizetype p = text.indexOf(u'$'); p >= 0; p = text.indexOf(u'$', p + 1)) {
        qsizetype ticks = 0;
        while (p - 1 - ticks >= 0 && text[p - 1 - ticks] == u'`') {
            ++ticks;
        }
        const qsizetype at = p + 1 + (text.sliced(p + 1).startsWith(u'{') ? 1 : 0);
        if (ticks % 2 == 0 && text.sliced(at).startsWith(name, Qt::CaseInsensitive) &&
            (at + name.size() == text.size() || !isNamePart(text[at + name.size()].unicode()))) {
            return true;
        }
    }
    return false;
}

// Whether [b, e) is New-Object -ComObject WScript.Shell.
bool newShell(const Tokens& t, int b, int e) {
    if (e - b < 3 || !t.isWord(b, u"New-Object") || !isPowerShellOperator(t, b + 1, u"ComObject")) {
        return false;
    }
    const QStringView what = t[b + 2].kind == Kind::String
                                 ? t.text(b + 2).sliced(1, t.text(b + 2).size() - 2)
                                 : t.text(b + 2, e - 1);
    return what.compare(u"WScript.Shell", Qt::CaseInsensitive) == 0;
}

class PowerShellReader {
public:
    PowerShellReader(const Tokens& tokens, msgbox::CodeStyle currentCodeStyle)
        : m_t(tokens), m_currentStyle(currentCodeStyle),
          m_scope(false), m_context{tokens, m_scope, m_budget, Language::PowerShell,
                                    evalPowerShellText} {
        m_budget.limit = workBudget(tokens.source().size());
        for (int k = 0; k + 1 < m_t.size(); ++k) {
            if ((word(m_t, k, u"function") || word(m_t, k, u"filter")) && m_t.isName(k + 1)) {
                m_functions.insert(m_t.name(k + 1).toString().toCaseFolded());
                m_functionLengths |= quint64(1) << (m_t[k + 1].length & 63);
            }
        }
    }
    PowerShellReader(const PowerShellReader&) = delete;
    PowerShellReader& operator=(const PowerShellReader&) = delete;

    Result<ReadCall> run();

private:
    // What a '{' opened: the scope block it stands for, if any.
    enum class Frame : std::uint8_t {
        Plain,
        IfChain,
        TryChain,
        Loop,
        DoLoop,
        Switch,
        Clause,
        Procedure
    };

    int statementEnd(int b) const;
    int matchingBrace(int open) const;
    // The token after that '}', at most the final End token.
    int afterBrace(int open) const { return std::min(matchingBrace(open) + 1, m_t.size() - 1); }
    int nextStatement(int k) const {
        while (m_t.isEnd(k) && k + 1 < m_t.size()) {
            ++k;
        }
        return k;
    }
    std::optional<Call> findCall(int b, int e) const;
    void push(Frame frame);
    void forget(int k) { forgetNamed(m_context, k, k + 1); }
    void forgetChanged(int b, int e);

    Result<Step> statement(int k);
    Result<Step> closeBrace(int k);
    Result<Step> conditional(int k, bool chained);
    Result<Step> switchStatement(int k);
    Result<Step> clause(int k);
    Result<Step> loop(int k);
    Result<Step> braceAfter(int k, int from, Frame frame);
    Result<Step> simple(int b, int e);
    Result<Step> readCall(int b, int e, const Call& call, CallPlace place, int selectorBrace = -1);
    Status checkTests(int j, const Call& call, bool isSwitch, int brace);

    const Tokens& m_t;
    msgbox::CodeStyle m_currentStyle;
    Scope m_scope;
    Budget m_budget;
    Context m_context;
    bool callsFunction(int b, int e) const;

    std::vector<Frame> m_frames;
    // The functions the text defines, case-folded, and their lengths modulo
    // 64 as bits: most words are told no function by their length alone.
    QSet<QString> m_functions;
    quint64 m_functionLengths = 0;
    bool m_formsNamespace = false;
    bool m_wpfNamespace = false;
    QSet<QString> m_shells; // variables holding WScript.Shell, case-folded
};

// The End token or the '{' or '}' that ends the statement starting at b,
// outside parentheses and hash literals @{ }.
int PowerShellReader::statementEnd(int b) const {
    for (int k = b;; ++k) {
        const Token& t = m_t[k];
        if (t.kind == Kind::End || m_t.isSymbol(k, u'}')) {
            return k;
        }
        if (m_t.isSymbol(k, u'{')) {
            if (k == b || !m_t.isSymbol(k - 1, u'@')) {
                return k;
            }
            k = matchingBrace(k);
            if (k + 1 == m_t.size()) {
                return k; // a hash literal not closed: the text ends
            }
        } else if (m_t.isSymbol(k, u'(') && t.partner > k) {
            k = t.partner;
        }
    }
}

// The '}' of the '{' at open, or the last token.
int PowerShellReader::matchingBrace(int open) const {
    int depth = 0;
    for (int k = open; k + 1 < m_t.size(); ++k) {
        depth += m_t.isSymbol(k, u'{') ? 1 : m_t.isSymbol(k, u'}') ? -1 : 0;
        if (depth == 0) {
            return k;
        }
    }
    return m_t.size() - 1;
}

std::optional<Call> PowerShellReader::findCall(int b, int e) const {
    for (int k = b; k < e; ++k) {
        if (m_t.isSymbol(k, u'[') || m_t.isSymbol(k, u'.')) {
            if (std::optional<Call> call = callAt(m_t, k, m_shells)) {
                return call;
            }
        }
    }
    return std::nullopt;
}

void PowerShellReader::push(Frame frame) {
    switch (frame) {
    case Frame::IfChain:
        m_scope.open(BlockKind::If);
        break;
    case Frame::TryChain:
        m_scope.open(BlockKind::Try);
        break;
    case Frame::Loop:
    case Frame::DoLoop:
        m_scope.open(BlockKind::Loop);
        break;
    case Frame::Switch:
        m_scope.open(BlockKind::Select);
        break;
    case Frame::Procedure:
        m_scope.open(BlockKind::Procedure);
        break;
    default:
        break;
    }
    m_frames.push_back(frame);
}

// A statement the reader does not model changes the variables it assigns
// ($x = ..., $x += ..., $x++ inside an expression), hands on by [ref], or
// names by a bare word (Set-Variable msg, -OutVariable msg).
void PowerShellReader::forgetChanged(int b, int e) {
    if (!m_scope.hasVariables()) {
        return;
    }
    for (int k = b; k < e; ++k) {
        if (!m_t.isName(k) || m_t[k].ch != 0 ||
            (k > 0 && (m_t.isSymbol(k - 1, u'.') || m_t.isSymbol(k - 1, u'[') ||
                       m_t.isSymbol(k - 1, u':')))) {
            continue;
        }
        if (!isPowerShellVariable(m_t, k)) {
            forget(k);
            continue;
        }
        const bool byRef = k >= 3 && m_t.isSymbol(k - 1, u']') && m_t.isWord(k - 2, u"ref") &&
                           m_t.isSymbol(k - 3, u'[');
        const bool assigned = m_t.isSymbol(k + 1, u'=') ||
                              (m_t[k + 1].kind == Kind::Symbol && m_t.isSymbol(k + 2, u'=') &&
                               m_t.offset(k + 2) == m_t.offset(k + 1) + 1) ||
                              m_t.isSymbols(k + 1, u'+', u'+') ||
                              (m_t.isSymbol(k + 1, u'-') && m_t.isSymbol(k + 2, u'-'));
        if (byRef || assigned) {
            forget(k);
        }
    }
}

Result<Step> PowerShellReader::braceAfter(int k, int from, Frame frame) {
    if (!m_t.isSymbol(from, u'{')) {
        return Step(std::max(from, k + 1));
    }
    push(frame);
    return Step(from + 1);
}

// if (condition) { ... }, also the elseif of a chain.
Result<Step> PowerShellReader::conditional(int k, bool chained) {
    const int close = m_t.parenthesisAfter(k);
    if (close < 0) {
        return simple(k, statementEnd(k));
    }
    if (const int bad = m_t.firstBad(k, close); bad >= 0) {
        return m_t.broken(bad);
    }
    if (const auto call = findCall(k + 2, close)) {
        return readCall(k, close + 1, *call, CallPlace::Condition);
    }
    forgetChanged(k + 2, close);
    if (!m_t.isSymbol(close + 1, u'{')) {
        return Step(close + 1);
    }
    if (chained) {
        m_frames.push_back(Frame::IfChain);
        return Step(close + 2);
    }
    return braceAfter(k, close + 1, Frame::IfChain);
}

// switch [-options] (selector) { label { ... } ... }
Result<Step> PowerShellReader::switchStatement(int k) {
    int j = k + 1;
    while (m_t.isName(j) && m_t[j].ch == u'-') {
        ++j;
    }
    if (!m_t.isSymbol(j, u'(') || m_t[j].partner < j) {
        return simple(k, statementEnd(k));
    }
    const int close = m_t[j].partner;
    if (const int bad = m_t.firstBad(k, close); bad >= 0) {
        return m_t.broken(bad);
    }
    if (const auto call = findCall(j + 1, close)) {
        return readCall(k, close + 1, *call, CallPlace::Selector, close + 1);
    }
    forgetChanged(j + 1, close);
    return braceAfter(k, close + 1, Frame::Switch);
}

// A clause of a switch: its label and the block that runs where it
// matches, a branch of its own.
Result<Step> PowerShellReader::clause(int k) {
    int j = m_t.isSymbol(k, u'{') ? afterBrace(k) : statementEnd(k);
    if (const int bad = m_t.firstBad(k, j); bad >= 0) {
        return m_t.broken(bad);
    }
    if (const auto call = findCall(k, j)) {
        return readCall(k, j, *call, CallPlace::Plain);
    }
    if (!m_t.isSymbol(j, u'{')) {
        return Step(std::max(j, k + 1));
    }
    m_scope.nextBranch(BlockKind::Select);
    m_frames.push_back(Frame::Clause);
    return Step(j + 1);
}

// foreach (...), for (...), while (...): a call in the header, or the body.
Result<Step> PowerShellReader::loop(int k) {
    const int close = m_t.parenthesisAfter(k);
    if (close < 0) {
        return simple(k, statementEnd(k));
    }
    if (const int bad = m_t.firstBad(k, close); bad >= 0) {
        return m_t.broken(bad);
    }
    if (const auto call = findCall(k + 2, close)) {
        return readCall(k, close + 1, *call, CallPlace::Plain);
    }
    if (word(m_t, k, u"foreach")) {
        forget(k + 2); // the loop variable
    }
    forgetChanged(k + 2, close);
    return braceAfter(k, close + 1, Frame::Loop);
}

// A '}': the innermost block ends; an elseif, else, catch or finally after
// it goes on with its chain, a while or until after a do block is its
// condition.
Result<Step> PowerShellReader::closeBrace(int k) {
    if (m_frames.empty()) {
        return Step(k + 1); // a fragment
    }
    const Frame frame = m_frames.back();
    m_frames.pop_back();
    const int j = nextStatement(k + 1);
    switch (frame) {
    case Frame::IfChain:
        if (word(m_t, j, u"elseif")) {
            m_scope.nextBranch(BlockKind::If);
            return conditional(j, true);
        }
        if (word(m_t, j, u"else") && m_t.isSymbol(j + 1, u'{')) {
            m_scope.nextBranch(BlockKind::If);
            m_frames.push_back(Frame::IfChain);
            return Step(j + 2);
        }
        m_scope.close(BlockKind::If);
        break;
    case Frame::TryChain:
        if (word(m_t, j, u"catch")) {
            // Runs only on an error: another branch.
            m_scope.nextBranch(BlockKind::Try);
            int brace = j + 1;
            while (!m_t.isEnd(brace) && !m_t.isSymbol(brace, u'{') && !m_t.isSymbol(brace, u'}')) {
                ++brace;
            }
            if (m_t.isSymbol(brace, u'{')) {
                m_frames.push_back(Frame::TryChain);
                return Step(brace + 1);
            }
        }
        m_scope.close(BlockKind::Try);
        if (word(m_t, j, u"finally") && m_t.isSymbol(j + 1, u'{')) {
            m_frames.push_back(Frame::Plain);
            return Step(j + 2);
        }
        break;
    case Frame::DoLoop: {
        m_scope.close(BlockKind::Loop);
        const int close = (word(m_t, k + 1, u"while") || word(m_t, k + 1, u"until"))
                              ? m_t.parenthesisAfter(k + 1)
                              : -1;
        if (close > 0) {
            if (const auto call = findCall(k + 3, close)) {
                return readCall(k + 1, close + 1, *call, CallPlace::Plain);
            }
            forgetChanged(k + 3, close);
            return Step(close + 1);
        }
        break;
    }
    case Frame::Loop:
        m_scope.close(BlockKind::Loop);
        break;
    case Frame::Switch:
        m_scope.close(BlockKind::Select);
        break;
    case Frame::Procedure:
        m_scope.close(BlockKind::Procedure);
        break;
    default:
        break;
    }
    return Step(k + 1);
}

Result<Step> PowerShellReader::statement(int k) {
    if (m_t[k].kind == Kind::Bad) {
        return m_t.broken(k);
    }
    if (m_t.isEnd(k)) {
        return Step(k + 1);
    }
    if (m_t.isSymbol(k, u'}')) {
        return closeBrace(k);
    }
    if (!m_frames.empty() && m_frames.back() == Frame::Switch) {
        return clause(k);
    }
    if (m_t.isSymbol(k, u'{')) {
        push(Frame::Procedure); // a script block: it runs when and as often as called
        return Step(k + 1);
    }
    if (word(m_t, k, u"if")) {
        return conditional(k, false);
    }
    if (word(m_t, k, u"switch")) {
        return switchStatement(k);
    }
    if (word(m_t, k, u"foreach") || word(m_t, k, u"for") || word(m_t, k, u"while")) {
        return loop(k);
    }
    if (word(m_t, k, u"do")) {
        return braceAfter(k, k + 1, Frame::DoLoop);
    }
    if (word(m_t, k, u"try")) {
        return braceAfter(k, k + 1, Frame::TryChain);
    }
    if (word(m_t, k, u"else") || word(m_t, k, u"elseif") || word(m_t, k, u"catch") ||
        word(m_t, k, u"finally")) {
        return Step(k + 1); // left over from a chain the text does not show whole
    }
    if ((word(m_t, k, u"begin") || word(m_t, k, u"process") || word(m_t, k, u"end")) &&
        m_t.isSymbol(k + 1, u'{')) {
        return braceAfter(k, k + 1, Frame::Plain);
    }
    const int e = statementEnd(k);
    if (const int bad = m_t.firstBad(k, e); bad >= 0) {
        return m_t.broken(bad);
    }
    if (const auto call = findCall(k, e)) {
        return readCall(k, e, *call, CallPlace::Plain);
    }
    Result<Step> step = simple(k, e);
    if (!step || std::holds_alternative<ReadCall>(*step)) {
        return step;
    }
    // A block after a function's head, a trap, or a script block as a value.
    return m_t.isSymbol(e, u'{') ? braceAfter(k, e, Frame::Procedure) : Step(e);
}

// Whether the statement [b, e) names a function of the text as a command;
// its definition does not call it.
bool PowerShellReader::callsFunction(int b, int e) const {
    if (m_functions.isEmpty() || word(m_t, b, u"function") || word(m_t, b, u"filter")) {
        return false;
    }
    for (int k = b; k < e; ++k) {
        if (m_t.isName(k) && m_t[k].ch == 0 &&
            (m_functionLengths & (quint64(1) << (m_t[k].length & 63))) != 0 &&
            !isPowerShellVariable(m_t, k) && !(k > 0 && m_t.isSymbol(k - 1, u'.')) &&
            m_functions.contains(m_t.name(k).toString().toCaseFolded())) {
            return true;
        }
    }
    return false;
}

// A statement without the call in [b, e): using namespace, an assignment,
// or something the reader skips.
Result<Step> PowerShellReader::simple(int b, int e) {
    if (word(m_t, b, u"using") && word(m_t, b + 1, u"namespace") && m_t.isName(b + 2)) {
        const QString ns = m_t.dotted(b + 2, m_t.dottedEnd(b + 2));
        m_formsNamespace =
            m_formsNamespace || ns.compare(u"System.Windows.Forms", Qt::CaseInsensitive) == 0;
        m_wpfNamespace = m_wpfNamespace || ns.compare(u"System.Windows", Qt::CaseInsensitive) == 0;
        return Step(e);
    }
    if (callsFunction(b, e)) {
        m_scope.forgetAll(m_t.offset(b), u"Die Anweisung hier kann ihn ändern."_s);
    }
    for (int k = b; k < e; ++k) {
        if ((k == b && m_t.isSymbol(k, u'.') && k + 1 < e) || word(m_t, k, u"Invoke-Expression") ||
            word(m_t, k, u"iex")) {
            m_scope.forgetAll(m_t.offset(k), u"Die Anweisung hier kann ihn ändern."_s);
            break;
        }
    }
    // [type]$x = ..., $x = ..., $x += ...
    int j = b;
    QString type;
    for (int close = powerShellTypeEnd(m_t, j);
         close >= 0 && close < e && !m_t.isSymbol(close + 1, u':');
         close = powerShellTypeEnd(m_t, j)) {
        type = m_t.dotted(j + 1, close - 1);
        j = close + 1;
    }
    const bool plain = isPowerShellVariable(m_t, j) && m_t.isSymbol(j + 1, u'=');
    const bool compound = isPowerShellVariable(m_t, j) && m_t.isSymbols(j + 1, u'+', u'=');
    if (!plain && !compound) {
        forgetChanged(b, e);
        return Step(e);
    }
    const int value = plain ? j + 2 : j + 3;
    forgetChanged(value, e);
    const QString key = m_t.name(j).toString().toCaseFolded();
    m_shells.remove(key);
    if (plain && newShell(m_t, value, e)) {
        m_shells.insert(key);
    }
    if (!type.isEmpty()) {
        const bool text = type.compare(u"string", Qt::CaseInsensitive) == 0 ||
                          type.compare(u"System.String", Qt::CaseInsensitive) == 0;
        declareVariable(m_context, j, text, isWindowType(type));
        if (!text) {
            return Step(e);
        }
    }
    // A variable inside a double-quoted string is read without a token of
    // its own.
    bool hiddenReads = false;
    for (int k = value; k < e && !hiddenReads; ++k) {
        hiddenReads = m_t[k].kind == Kind::String &&
                      (m_t[k].ch == DoubleQuoted || m_t[k].ch == DoubleHereString) &&
                      expands(m_t.text(k), m_t.name(j));
    }
    if (Status s = assign(m_context, j, value, e, compound, hiddenReads); !s) {
        return std::move(s).failure();
    }
    return Step(e);
}

// Refuses the tests that the answer cannot pass: a switch label
// [...DialogResult]::Yes without parentheses, which PowerShell takes for
// a string, and Popup's -1. j is the if or switch; brace the switch's '{'.
Status PowerShellReader::checkTests(int j, const Call& call, bool isSwitch, int brace) {
    const int end = isSwitch ? matchingBrace(brace) : m_t.size() - 1;
    if (isSwitch) {
        for (int k = brace + 1; k < end;) {
            k = nextStatement(k);
            if (k >= end) {
                break;
            }
            const int label = powerShellTypeEnd(m_t, k);
            if (label >= 0 && m_t.isSymbols(label + 1, u':', u':')) {
                return m_t.refuse(k, u"Die Marke %1 steht ohne Klammern: switch liest sie als "
                                     u"Zeichenkette, die nie zutrifft."_s.arg(
                                         shown(m_t.text(k, std::min(label + 3, end - 1)))));
            }
            if (call.popup && m_t.isSymbol(k, u'-') && m_t.text(k + 1) == u"1") {
                return m_t.refuse(k, popupTimeoutTested());
            }
            const int open = m_t.isSymbol(k, u'{') ? afterBrace(k) : statementEnd(k);
            k = m_t.isSymbol(open, u'{') ? afterBrace(open) : open + 1;
        }
        return done();
    }
    // An if chain: each condition up to the block that follows it.
    for (int k = j; call.popup && (word(m_t, k, u"if") || word(m_t, k, u"elseif"));) {
        const int close = m_t.parenthesisAfter(k);
        if (close < 0) {
            break;
        }
        for (int c = k + 2; c < close; ++c) {
            if (m_t.isSymbol(c, u'-') && m_t.text(c + 1) == u"1") {
                return m_t.refuse(c, popupTimeoutTested());
            }
        }
        if (!m_t.isSymbol(close + 1, u'{')) {
            break;
        }
        k = nextStatement(afterBrace(close + 1));
    }
    return done();
}

Result<Step> PowerShellReader::readCall(int b, int e, const Call& call, CallPlace place,
                                        int selectorBrace) {
    // [MessageBox] is the type of the namespace the text uses.
    ShowCall show = call.show;
    if (!call.popup && call.bareType) {
        if (!m_formsNamespace && !m_wpfNamespace) {
            return m_t.refuse(call.start,
                              u"[MessageBox] kennt PowerShell nur nach „using namespace "
                              u"System.Windows.Forms“."_s);
        }
        show.wpf = !m_formsNamespace;
    }
    Result<CallValues> values =
        call.popup ? readPopupArguments(m_context, call.open) : readShowArguments(m_context, show);
    if (!values) {
        return std::move(values).failure();
    }
    std::optional<msgbox::CodeStyle> told;
    const int after = m_t[call.open].partner + 1;
    if (place == CallPlace::Condition) {
        told = msgbox::CodeStyle::IfThenElse;
        if (Status s = checkTests(b, call, false, -1); !s) {
            return std::move(s).failure();
        }
    } else if (place == CallPlace::Selector) {
        told = msgbox::CodeStyle::SelectCase;
        if (Status s = checkTests(b, call, true, selectorBrace); !s) {
            return std::move(s).failure();
        }
    } else {
        // $antwort = [...]::Show(...), also [DialogResult]$antwort = ...
        int j = b;
        for (int close = powerShellTypeEnd(m_t, j); close >= 0 && close < call.start;
             close = powerShellTypeEnd(m_t, j)) {
            j = close + 1;
        }
        if (after == e && isPowerShellVariable(m_t, j) && m_t.isSymbol(j + 1, u'=') &&
            j + 2 == call.start && !m_t.isWord(j, u"null")) {
            told = msgbox::CodeStyle::Einfach;
            const int next = nextStatement(e);
            const bool isIf = word(m_t, next, u"if");
            const bool isSwitch = word(m_t, next, u"switch");
            int open = next + 1;
            while (isSwitch && m_t.isName(open) && m_t[open].ch == u'-') {
                ++open;
            }
            const int close =
                (isIf || isSwitch) && m_t.isSymbol(open, u'(') ? m_t[open].partner : -1;
            for (int k = open + 1; k < close; ++k) {
                if (isPowerShellVariable(m_t, k) && m_scope.sameName(m_t.name(k), m_t.name(j))) {
                    told = isIf ? msgbox::CodeStyle::IfThenElse : msgbox::CodeStyle::SelectCase;
                    if (Status s = checkTests(next, call, isSwitch, close + 1); !s) {
                        return std::move(s).failure();
                    }
                    break;
                }
            }
        }
    }
    Result<ReadCall> read = finishCall(*values, told, m_currentStyle, m_budget);
    if (!read) {
        return std::move(read).failure();
    }
    return Step(std::move(*read));
}

Result<ReadCall> PowerShellReader::run() {
    const int n = m_t.size() - 1; // the last token is the End token
    for (int k = 0; k < n;) {
        Result<Step> step = statement(k);
        if (!step) {
            return std::move(step).failure();
        }
        if (ReadCall* call = std::get_if<ReadCall>(&*step)) {
            return std::move(*call);
        }
        k = std::max(std::get<int>(*step), k + 1);
    }
    return refusal(
        0, u"Im Text steht kein Aufruf von [System.Windows.Forms.MessageBox]::Show oder Popup."_s);
}

class PowerShellLanguageReader final : public LanguageReader {
public:
    std::vector<Token> tokenize(QStringView source) const override {
        return tokenizePowerShell(source);
    }
    Result<ReadCall> read(const Tokens& tokens, msgbox::CodeStyle currentCodeStyle) const override {
        return PowerShellReader(tokens, currentCodeStyle).run();
    }
};

} // namespace

const LanguageReader& powerShellReader() {
    static const PowerShellLanguageReader reader;
    return reader;
}

bool showsPowerShellCall(const Tokens& t) {
    const QSet<QString> none;
    for (int k = 0; k + 1 < t.size(); ++k) {
        if ((t.isSymbol(k, u'[') || t.isSymbol(k, u'.')) && callAt(t, k, none)) {
            return true;
        }
        if (t.isWord(k, u"New-Object") && isPowerShellOperator(t, k + 1, u"ComObject")) {
            return true;
        }
    }
    return false;
}

} // namespace veltrano::reader
