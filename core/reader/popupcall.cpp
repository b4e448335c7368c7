#include "core/reader/popupcall.h"

#include "core/reader/assignment.h"
#include "core/reader/basiclexer.h"
#include "core/reader/buttonsexpression.h"
#include "core/reader/textvalue.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

// The first token of CreateObject("WScript.Shell") (or of
// WScript.CreateObject(...)) that ends in the ')' at `close`, or -1.
int shellCreationStart(const Tokens& t, int b, int close) {
    if (!t.isSymbol(close, u')')) {
        return -1;
    }
    const int open = t[close].partner;
    if (open - 1 < b || close != open + 2 || !t.isWord(open - 1, u"CreateObject") ||
        t[open + 1].kind != Kind::String ||
        t.text(open + 1).compare(u"\"WScript.Shell\"", Qt::CaseInsensitive) != 0) {
        return -1;
    }
    int start = open - 1;
    if (start - 2 >= b && t.isSymbol(start - 1, u'.') && t.isWord(start - 2, u"WScript")) {
        start -= 2;
    }
    // The member of some other object is not the function.
    if (start - 1 >= b && (t.isSymbol(start - 1, u'.') || t.isSymbol(start - 1, u'!'))) {
        return -1;
    }
    return start;
}

// Whether the '-' at k is a unary minus before the number 1: an answer
// compared with -1.
bool minusOneAt(const Tokens& t, int k) {
    if (!t.isSymbol(k, u'-') || t[k + 1].kind != Kind::Number) {
        return false;
    }
    if (const Result<qint64> number = numberValue(t, k + 1); !number || *number != 1) {
        return false;
    }
    const Token& before = t[k - 1];
    if (before.kind == Kind::Name) {
        for (QStringView word : {u"If", u"ElseIf", u"Case", u"Is", u"And", u"Or", u"Not", u"Xor"}) {
            if (t.isWord(k - 1, word)) {
                return true;
            }
        }
        return false;
    }
    return before.kind == Kind::Symbol && before.ch != u')';
}

// The first -1 compared with in tokens [b, e), or -1.
int minusOneIn(const Tokens& t, int b, int e) {
    for (int k = std::max(b, 1); k < e; ++k) {
        if (minusOneAt(t, k)) {
            return k;
        }
    }
    return -1;
}

int statementEnd(const Tokens& t, int k) {
    while (!t.isEnd(k)) {
        ++k;
    }
    return k;
}

// The first token of the statement after the End token at k, or the last
// End token.
int statementAfter(const Tokens& t, int k) {
    while (t.isEnd(k) && k + 1 < t.size()) {
        ++k;
    }
    return k;
}

// The Then of the If or ElseIf statement at s, or its end.
int thenOf(const Tokens& t, int s) {
    int k = s + 1;
    while (!t.isEnd(k) && !t.isWord(k, u"Then")) {
        ++k;
    }
    return k;
}

// The first -1 in the Case statements of the Select Case block whose head
// ends at the End token e, or -1.
int minusOneInCases(const Tokens& t, int e) {
    int depth = 0;
    for (int s = statementAfter(t, e); !t.isEnd(s); s = statementAfter(t, statementEnd(t, s))) {
        if (t.isWord(s, u"Select") && t.isWord(s + 1, u"Case")) {
            ++depth;
        } else if (t.isWord(s, u"End") && t.isWord(s + 1, u"Select")) {
            if (depth-- == 0) {
                break;
            }
        } else if (depth == 0 && t.isWord(s, u"Case")) {
            if (const int m = minusOneIn(t, s + 1, statementEnd(t, s)); m >= 0) {
                return m;
            }
        }
    }
    return -1;
}

// The first -1 in the conditions of the If block at s (its If and its
// ElseIf statements), or -1.
int minusOneInConditions(const Tokens& t, int s) {
    const int then = thenOf(t, s);
    if (const int m = minusOneIn(t, s + 1, then); m >= 0) {
        return m;
    }
    if (!t.isWord(then, u"Then") || !t.isEnd(then + 1)) {
        return -1; // a single-line If
    }
    int depth = 0;
    for (int k = statementAfter(t, then + 1); !t.isEnd(k);
         k = statementAfter(t, statementEnd(t, k))) {
        if (t.isWord(k, u"If")) {
            const int inner = thenOf(t, k);
            depth += t.isWord(inner, u"Then") && t.isEnd(inner + 1) ? 1 : 0;
        } else if (t.isWord(k, u"End") && t.isWord(k + 1, u"If")) {
            if (depth-- == 0) {
                break;
            }
        } else if (depth == 0 && t.isWord(k, u"ElseIf")) {
            if (const int m = minusOneIn(t, k + 1, thenOf(t, k)); m >= 0) {
                return m;
            }
        }
    }
    return -1;
}

} // namespace

std::optional<Call> popupCallAt(const Tokens& t, int b, int k) {
    // sh.Popup = ... would set a property, not call the method.
    if (k - 2 < b || !t.isSymbol(k - 1, u'.') || t.isSymbol(k + 1, u'=')) {
        return std::nullopt;
    }
    const int object = k - 2;
    if (const int start = shellCreationStart(t, b, object); start >= 0) {
        return Call{start, k, false, false, true, -1};
    }
    // A member of another object is not a variable, nor is PowerShell's $sh.
    if (t.isName(object) && t[object].ch == 0 &&
        !(object - 1 >= b && (t.isSymbol(object - 1, u'.') || t.isSymbol(object - 1, u'!') ||
                              t.isSymbol(object - 1, u'$')))) {
        return Call{object, k, false, false, true, object};
    }
    return std::nullopt;
}

// Whether tokens [b, e) are New WshShell, the object of the Windows Script
// Host library that VBA references (also IWshRuntimeLibrary.WshShell).
bool newShell(const Tokens& t, int b, int e) {
    if (!t.isWord(b, u"New") || !t.isName(b + 1) || t.dottedEnd(b + 1) + 1 != e) {
        return false;
    }
    return t.isWord(e - 1, u"WshShell") &&
           (e - 1 == b + 1 || (e - 3 == b + 1 && t.isWord(b + 1, u"IWshRuntimeLibrary")));
}

void setObject(Context& c, int name, int b, int e) {
    const Tokens& t = c.tokens;
    if (e - 1 <= b || (shellCreationStart(t, b, e - 1) != b && !newShell(t, b, e))) {
        forgetNamed(c, name, e);
        return;
    }
    Variable& v = c.scope[c.scope.variable(t.name(name))];
    v.state = Variable::Known;
    v.value = Text();
    v.shell = true;
    v.number = false;
    v.constant = false;
    v.at = t.offset(name);
    c.scope.stamp(v);
}

Status checkShellObject(Context& c, const Call& call) {
    if (call.object < 0) {
        return done();
    }
    const Tokens& t = c.tokens;
    const QStringView name = t.name(call.object);
    const int index = c.scope.find(name);
    // Declared as an object but never set, or not at all.
    if (index < 0 || c.scope[index].state == Variable::Unset ||
        (c.scope[index].state == Variable::Unknown && c.scope[index].fixedType)) {
        return t.refuse(
            call.object,
            u"Dass %1 das Objekt WScript.Shell ist, steht nicht im Text."_s.arg(shown(name)));
    }
    Reading r;
    r.label = name.toString();
    if (Status s = putVariable(r, name, t.offset(call.object), c.scope, c.budget, index); !s) {
        return s;
    }
    if (!c.scope[index].shell) {
        return t.refuse(call.object, u"%1 ist nicht das Objekt WScript.Shell."_s.arg(shown(name)));
    }
    return done();
}

QString popupWaitRefused(qint64 seconds) {
    const QString wait = seconds == 1 ? u"eine Sekunde"_s : u"%1 Sekunden"_s.arg(seconds);
    return u"Popup wartet hier %1 und schließt sich dann von selbst; eine Wartezeit kennt das "
           u"Fenster nicht."_s.arg(wait);
}

QString popupTimeoutTested() {
    return u"Der Vergleich mit -1 fragt das Ende der Wartezeit von Popup ab; eine Wartezeit kennt "
           u"das Fenster nicht."_s;
}

Status checkWait(Context& c, int b, int e) {
    const Result<ButtonsValue> wait = evalBasicButtons(c, b, e);
    if (!wait) {
        return wait.failure();
    }
    if (wait->value == 0) {
        return done();
    }
    return c.tokens.refuse(b, popupWaitRefused(wait->value));
}

Status checkTimeoutTest(const Tokens& t, int b, int e, int callStart, int after, Place place,
                        int next) {
    int m = -1;
    if (place == Place::Condition) {
        m = minusOneIn(t, b, callStart);
        m = m >= 0 ? m : minusOneIn(t, after, e);
    } else if (place == Place::Selector) {
        m = minusOneInCases(t, e);
    } else if (next >= 0 && t.isWord(next, u"Select")) {
        m = minusOneInCases(t, statementEnd(t, next));
    } else if (next >= 0) {
        m = minusOneInConditions(t, next);
    }
    if (m < 0) {
        return done();
    }
    return t.refuse(m, popupTimeoutTested());
}

} // namespace veltrano::reader
