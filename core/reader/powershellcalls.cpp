#include "core/reader/powershellcalls.h"

#include "core/reader/assignment.h"
#include "core/reader/characters.h"
#include "core/reader/popupcall.h"
#include "core/reader/powershelllexer.h"
#include "core/reader/powershellpopup.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

bool powerShellWord(const Tokens& t, int k, QStringView w) {
    return t.isWord(k, w) && !isPowerShellVariable(t, k);
}

// The call at k, a '[' or the '.' before Popup, or nothing.
std::optional<PowerShellCall> powerShellCallAt(const Tokens& t, int k,
                                               const QSet<QString>& shells) {
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
        PowerShellCall call;
        call.bareType = ns.isEmpty();
        call.show = ShowCall{k, close + 3, *home == MessageBoxClass::Wpf};
        call.start = k;
        call.open = close + 4;
        return call;
    }
    if (!t.isSymbol(k, u'.') || !t.isWord(k + 1, u"Popup") || !t.isSymbol(k + 2, u'(') || k == 0) {
        return std::nullopt;
    }
    PowerShellCall call;
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
bool powerShellExpands(QStringView text, QStringView name) {
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
bool isNewShell(const Tokens& t, int b, int e) {
    if (e - b < 3 || !t.isWord(b, u"New-Object") || !isPowerShellOperator(t, b + 1, u"ComObject")) {
        return false;
    }
    const QStringView what = t[b + 2].kind == Kind::String
                                 ? t.text(b + 2).sliced(1, t.text(b + 2).size() - 2)
                                 : t.text(b + 2, e - 1);
    return what.compare(u"WScript.Shell", Qt::CaseInsensitive) == 0;
}

// The End token or the '{' or '}' that ends the statement starting at b,
// outside parentheses and hash literals @{ }.
int powerShellStatementEnd(const Tokens& m_t, int b) {
    for (int k = b;; ++k) {
        const Token& t = m_t[k];
        if (t.kind == Kind::End || m_t.isSymbol(k, u'}')) {
            return k;
        }
        if (m_t.isSymbol(k, u'{')) {
            if (k == b || !m_t.isSymbol(k - 1, u'@')) {
                return k;
            }
            k = powerShellBraceEnd(m_t, k);
            if (k + 1 == m_t.size()) {
                return k; // a hash literal not closed: the text ends
            }
        } else if (m_t.isSymbol(k, u'(') && t.partner > k) {
            k = t.partner;
        }
    }
}

// The '}' of the '{' at open, or the last token.
int powerShellBraceEnd(const Tokens& m_t, int open) {
    int depth = 0;
    for (int k = open; k + 1 < m_t.size(); ++k) {
        depth += m_t.isSymbol(k, u'{') ? 1 : m_t.isSymbol(k, u'}') ? -1 : 0;
        if (depth == 0) {
            return k;
        }
    }
    return m_t.size() - 1;
}

int powerShellAfterBrace(const Tokens& t, int open) {
    return std::min(powerShellBraceEnd(t, open) + 1, t.size() - 1);
}

int powerShellNextStatement(const Tokens& t, int k) {
    while (t.isEnd(k) && k + 1 < t.size()) {
        ++k;
    }
    return k;
}

// A statement the reader does not model changes the variables it assigns
// ($x = ..., $x += ..., $x++ inside an expression), hands on by [ref], or
// names by a bare word (Set-Variable msg, -OutVariable msg).
namespace {

// Forgets the variable of token k; $script:msg, $global:msg ... name msg
// too, as the scope they stand for is not modelled.
void forgetVariable(Context& c, int k) {
    forgetNamed(c, k, k + 1);
    const QStringView name = c.tokens.name(k);
    const qsizetype colon = name.lastIndexOf(u':');
    const int index = colon < 0 ? -1 : c.scope.find(name.sliced(colon + 1));
    if (index >= 0 && c.scope[index].state == Variable::Known) {
        Variable& v = c.scope[index];
        v.state = Variable::Unknown;
        v.value = Text();
        v.why = u"Die Anweisung hier kann ihn ändern."_s;
        v.at = c.tokens.offset(k);
        v.block = c.scope.currentBlock();
    }
}

} // namespace

void forgetPowerShellChanges(Context& c, int b, int e) {
    const Tokens& m_t = c.tokens;
    if (!c.scope.hasVariables()) {
        return;
    }
    for (int k = b; k < e; ++k) {
        if (!m_t.isName(k) || m_t[k].ch != 0 ||
            (k > 0 && (m_t.isSymbol(k - 1, u'.') || m_t.isSymbol(k - 1, u'[') ||
                       m_t.isSymbol(k - 1, u':')))) {
            continue;
        }
        if (!isPowerShellVariable(m_t, k)) {
            forgetNamed(c, k, k + 1);
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
            forgetVariable(c, k);
        }
    }
}

namespace {

// Refuses the tests that the answer cannot pass: a switch label
// [...DialogResult]::Yes without parentheses, which PowerShell takes for
// a string, and Popup's -1. j is the if or switch; brace the switch's '{'.
Status checkTests(const Tokens& m_t, int j, const PowerShellCall& call, bool isSwitch, int brace) {
    const int end = isSwitch ? powerShellBraceEnd(m_t, brace) : m_t.size() - 1;
    if (isSwitch) {
        for (int k = brace + 1; k < end;) {
            k = powerShellNextStatement(m_t, k);
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
            const int open = m_t.isSymbol(k, u'{') ? powerShellAfterBrace(m_t, k)
                                                   : powerShellStatementEnd(m_t, k);
            k = m_t.isSymbol(open, u'{') ? powerShellAfterBrace(m_t, open) : open + 1;
        }
        return done();
    }
    // An if chain: each condition up to the block that follows it.
    for (int k = j;
         call.popup && (powerShellWord(m_t, k, u"if") || powerShellWord(m_t, k, u"elseif"));) {
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
        k = powerShellNextStatement(m_t, powerShellAfterBrace(m_t, close + 1));
    }
    return done();
}

} // namespace

Result<std::optional<msgbox::CodeStyle>> powerShellToldStyle(const Tokens& m_t, int b, int e,
                                                             const PowerShellCall& call,
                                                             PowerShellPlace place,
                                                             int selectorBrace) {
    if (place == PowerShellPlace::Condition) {
        if (Status s = checkTests(m_t, b, call, false, -1); !s) {
            return std::move(s).failure();
        }
        return std::optional(msgbox::CodeStyle::IfThenElse);
    }
    if (place == PowerShellPlace::Selector) {
        if (Status s = checkTests(m_t, b, call, true, selectorBrace); !s) {
            return std::move(s).failure();
        }
        return std::optional(msgbox::CodeStyle::SelectCase);
    }
    // $antwort = [...]::Show(...), also [DialogResult]$antwort = ...
    int j = b;
    for (int close = powerShellTypeEnd(m_t, j); close >= 0 && close < call.start;
         close = powerShellTypeEnd(m_t, j)) {
        j = close + 1;
    }
    if (m_t[call.open].partner + 1 != e || !isPowerShellVariable(m_t, j) ||
        !m_t.isSymbol(j + 1, u'=') || j + 2 != call.start || m_t.isWord(j, u"null")) {
        return std::optional<msgbox::CodeStyle>();
    }
    const int next = powerShellNextStatement(m_t, e);
    const bool isIf = powerShellWord(m_t, next, u"if");
    const bool isSwitch = powerShellWord(m_t, next, u"switch");
    int open = next + 1;
    while (isSwitch && m_t.isName(open) && m_t[open].ch == u'-') {
        ++open;
    }
    const int close = (isIf || isSwitch) && m_t.isSymbol(open, u'(') ? m_t[open].partner : -1;
    for (int k = open + 1; k < close; ++k) {
        if (isPowerShellVariable(m_t, k) &&
            m_t.name(k).compare(m_t.name(j), Qt::CaseInsensitive) == 0) {
            if (Status s = checkTests(m_t, next, call, isSwitch, close + 1); !s) {
                return std::move(s).failure();
            }
            return std::optional(isIf ? msgbox::CodeStyle::IfThenElse
                                      : msgbox::CodeStyle::SelectCase);
        }
    }
    return std::optional(msgbox::CodeStyle::Einfach);
}

bool showsPowerShellCall(const Tokens& t) {
    const QSet<QString> none;
    for (int k = 0; k + 1 < t.size(); ++k) {
        if ((t.isSymbol(k, u'[') || t.isSymbol(k, u'.')) && powerShellCallAt(t, k, none)) {
            return true;
        }
        if (t.isWord(k, u"New-Object") && isPowerShellOperator(t, k + 1, u"ComObject")) {
            return true;
        }
    }
    return false;
}

} // namespace veltrano::reader
