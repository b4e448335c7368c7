#include "core/reader/powershellreader.h"

#include "core/msgbox.h"
#include "core/reader/assignment.h"
#include "core/reader/callvalues.h"
#include "core/reader/characters.h"
#include "core/reader/context.h"
#include "core/reader/messageboxshow.h"
#include "core/reader/powershellcalls.h"
#include "core/reader/powershelllexer.h"
#include "core/reader/powershellpopup.h"
#include "core/reader/powershelltext.h"
#include "core/reader/scope.h"
#include "core/reader/statementwalk.h"

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

class PowerShellReader {
public:
    PowerShellReader(const Tokens& tokens, msgbox::CodeStyle currentCodeStyle)
        : m_t(tokens), m_currentStyle(currentCodeStyle),
          m_scope(false), m_context{tokens, m_scope, m_budget, Language::PowerShell,
                                    evalPowerShellText} {
        m_budget.limit = workBudget(tokens.source().size());
        for (int k = 0; k + 1 < m_t.size(); ++k) {
            if ((powerShellWord(m_t, k, u"function") || powerShellWord(m_t, k, u"filter")) &&
                m_t.isName(k + 1)) {
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

    int statementEnd(int b) const { return powerShellStatementEnd(m_t, b); }
    int afterBrace(int open) const { return powerShellAfterBrace(m_t, open); }
    int nextStatement(int k) const { return powerShellNextStatement(m_t, k); }
    std::optional<PowerShellCall> findCall(int b, int e) const;
    static std::optional<BlockKind> blockOf(Frame frame);
    void push(Frame frame);
    void forget(int k) { forgetNamed(m_context, k, k + 1); }
    void forgetChanged(int b, int e) { forgetPowerShellChanges(m_context, b, e); }

    Result<Step> statement(int k);
    Result<Step> closeBrace(int k);
    std::optional<Result<Step>> header(int k, PowerShellPlace place, int& close);
    Result<Step> conditional(int k, bool chained);
    Result<Step> switchStatement(int k);
    Result<Step> clause(int k);
    Result<Step> loop(int k);
    Result<Step> braceAfter(int k, int from, Frame frame);
    Result<Step> simple(int b, int e);
    bool callsFunction(int b, int e) const;
    Result<Step> readCall(int b, int e, const PowerShellCall& call, PowerShellPlace place,
                          int selectorBrace = -1);

    const Tokens& m_t;
    msgbox::CodeStyle m_currentStyle;
    Scope m_scope;
    Budget m_budget;
    Context m_context;
    std::vector<Frame> m_frames;
    // The functions the text defines, case-folded, and their lengths modulo
    // 64 as bits: most words are told no function by their length alone.
    QSet<QString> m_functions;
    quint64 m_functionLengths = 0;
    bool m_formsNamespace = false;
    bool m_wpfNamespace = false;
    QSet<QString> m_shells; // variables holding WScript.Shell, case-folded
};

std::optional<PowerShellCall> PowerShellReader::findCall(int b, int e) const {
    for (int k = b; k < e; ++k) {
        if (m_t.isSymbol(k, u'[') || m_t.isSymbol(k, u'.')) {
            if (std::optional<PowerShellCall> call = powerShellCallAt(m_t, k, m_shells)) {
                return call;
            }
        }
    }
    return std::nullopt;
}

// The scope block a frame opens, if any.
std::optional<BlockKind> PowerShellReader::blockOf(Frame frame) {
    switch (frame) {
    case Frame::IfChain:
        return BlockKind::If;
    case Frame::TryChain:
        return BlockKind::Try;
    case Frame::Loop:
    case Frame::DoLoop:
        return BlockKind::Loop;
    case Frame::Switch:
        return BlockKind::Select;
    case Frame::Procedure:
        return BlockKind::Procedure;
    default:
        return std::nullopt;
    }
}

void PowerShellReader::push(Frame frame) {
    if (const std::optional<BlockKind> kind = blockOf(frame)) {
        m_scope.open(*kind);
    }
    m_frames.push_back(frame);
}

Result<Step> PowerShellReader::braceAfter(int k, int from, Frame frame) {
    if (!m_t.isSymbol(from, u'{')) {
        return Step(std::max(from, k + 1));
    }
    push(frame);
    return Step(from + 1);
}

// The header in parentheses after the word at k, as in if (...) and
// while (...): its ')' in close, or the step that ends the statement there:
// the statement read whole where the parentheses are missing, a broken
// token, the call in the header.
std::optional<Result<Step>> PowerShellReader::header(int k, PowerShellPlace place, int& close) {
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

// if (condition) { ... }, also the elseif of a chain.
Result<Step> PowerShellReader::conditional(int k, bool chained) {
    int close = -1;
    if (std::optional<Result<Step>> end = header(k, PowerShellPlace::Condition, close)) {
        return std::move(*end);
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
        return readCall(k, close + 1, *call, PowerShellPlace::Selector, close + 1);
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
        return readCall(k, j, *call, PowerShellPlace::Plain);
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
    int close = -1;
    if (std::optional<Result<Step>> end = header(k, PowerShellPlace::Plain, close)) {
        return std::move(*end);
    }
    if (powerShellWord(m_t, k, u"foreach")) {
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
        if (powerShellWord(m_t, j, u"elseif")) {
            m_scope.nextBranch(BlockKind::If);
            return conditional(j, true);
        }
        if (powerShellWord(m_t, j, u"else") && m_t.isSymbol(j + 1, u'{')) {
            m_scope.nextBranch(BlockKind::If);
            m_frames.push_back(Frame::IfChain);
            return Step(j + 2);
        }
        m_scope.close(BlockKind::If);
        break;
    case Frame::TryChain:
        if (powerShellWord(m_t, j, u"catch")) {
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
        if (powerShellWord(m_t, j, u"finally") && m_t.isSymbol(j + 1, u'{')) {
            m_frames.push_back(Frame::Plain);
            return Step(j + 2);
        }
        break;
    case Frame::DoLoop: {
        // do { } while (...) or until (...), also on the next line.
        m_scope.close(BlockKind::Loop);
        const int close = (powerShellWord(m_t, j, u"while") || powerShellWord(m_t, j, u"until"))
                              ? m_t.parenthesisAfter(j)
                              : -1;
        if (close > 0) {
            if (const auto call = findCall(j + 2, close)) {
                return readCall(j, close + 1, *call, PowerShellPlace::Plain);
            }
            forgetChanged(j + 2, close);
            return Step(close + 1);
        }
        break;
    }
    default:
        if (const std::optional<BlockKind> kind = blockOf(frame)) {
            m_scope.close(*kind);
        }
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
    if (powerShellWord(m_t, k, u"if")) {
        return conditional(k, false);
    }
    if (powerShellWord(m_t, k, u"switch")) {
        return switchStatement(k);
    }
    if (powerShellWord(m_t, k, u"foreach") || powerShellWord(m_t, k, u"for") ||
        powerShellWord(m_t, k, u"while")) {
        return loop(k);
    }
    if (powerShellWord(m_t, k, u"do")) {
        return braceAfter(k, k + 1, Frame::DoLoop);
    }
    if (powerShellWord(m_t, k, u"try")) {
        return braceAfter(k, k + 1, Frame::TryChain);
    }
    if (powerShellWord(m_t, k, u"else") || powerShellWord(m_t, k, u"elseif") ||
        powerShellWord(m_t, k, u"catch") || powerShellWord(m_t, k, u"finally")) {
        return Step(k + 1); // left over from a chain the text does not show whole
    }
    if ((powerShellWord(m_t, k, u"begin") || powerShellWord(m_t, k, u"process") ||
         powerShellWord(m_t, k, u"end")) &&
        m_t.isSymbol(k + 1, u'{')) {
        return braceAfter(k, k + 1, Frame::Plain);
    }
    const int e = statementEnd(k);
    if (const int bad = m_t.firstBad(k, e); bad >= 0) {
        return m_t.broken(bad);
    }
    if (const auto call = findCall(k, e)) {
        return readCall(k, e, *call, PowerShellPlace::Plain);
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
    if (m_functions.isEmpty() || powerShellWord(m_t, b, u"function") ||
        powerShellWord(m_t, b, u"filter")) {
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
    if (powerShellWord(m_t, b, u"using") && powerShellWord(m_t, b + 1, u"namespace") &&
        m_t.isName(b + 2)) {
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
        if ((k == b && m_t.isSymbol(k, u'.') && k + 1 < e) ||
            powerShellWord(m_t, k, u"Invoke-Expression") || powerShellWord(m_t, k, u"iex")) {
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
    // $script:msg = ... assigns in a scope not modelled: msg becomes unknown.
    const bool variable = isPowerShellVariable(m_t, j) && !m_t.name(j).contains(u':');
    const bool plain = variable && m_t.isSymbol(j + 1, u'=');
    const bool compound = variable && m_t.isSymbols(j + 1, u'+', u'=');
    if (!plain && !compound) {
        forgetChanged(b, e);
        return Step(e);
    }
    const int value = plain ? j + 2 : j + 3;
    forgetChanged(value, e);
    const QString key = m_t.name(j).toString().toCaseFolded();
    m_shells.remove(key);
    if (plain && isNewShell(m_t, value, e)) {
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
                      powerShellExpands(m_t.text(k), m_t.name(j));
    }
    if (Status s = assign(m_context, j, value, e, compound, hiddenReads); !s) {
        return std::move(s).failure();
    }
    return Step(e);
}

Result<Step> PowerShellReader::readCall(int b, int e, const PowerShellCall& call,
                                        PowerShellPlace place, int selectorBrace) {
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
    Result<std::optional<msgbox::CodeStyle>> told =
        powerShellToldStyle(m_t, b, e, call, place, selectorBrace);
    if (!told) {
        return std::move(told).failure();
    }
    return callStep(finishCall(*values, *told, m_currentStyle, m_budget));
}

Result<ReadCall> PowerShellReader::run() {
    return walkStatements(
        m_t, [this](int k) { return statement(k); },
        u"Im Text steht kein Aufruf von [System.Windows.Forms.MessageBox]::Show oder Popup.");
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

} // namespace veltrano::reader
