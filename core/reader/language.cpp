#include "core/reader/language.h"

#include "core/reader/basiclexer.h"
#include "core/reader/basicreader.h"
#include "core/reader/creader.h"
#include "core/reader/csharpreader.h"
#include "core/reader/dotnetnames.h"
#include "core/reader/messageboxshow.h"
#include "core/reader/powershellcalls.h"
#include "core/reader/powershellreader.h"

#include <optional>
#include <span>
#include <utility>

namespace veltrano::reader {

namespace {

// Names that VB.NET code qualifies: a member of one of them is VB.NET's.
constexpr QStringView VbNetTypes[] = {
    u"MsgBoxStyle",       u"MsgBoxResult",   u"ControlChars",
    u"Environment",       u"MessageBox",     u"DialogResult",
    u"MessageBoxButtons", u"MessageBoxIcon", u"MessageBoxDefaultButton",
    u"MessageBoxOptions", u"Microsoft",
};

// Words only VB.NET has, anywhere in a statement.
constexpr QStringView VbNetOperators[] = {u"AndAlso", u"OrElse", u"IsNot", u"Handles"};

// Statements only VB.NET has.
constexpr QStringView VbNetStatements[] = {u"Imports", u"Namespace", u"Module",  u"Inherits",
                                           u"Try",     u"Catch",     u"Finally", u"Using"};

bool anyWord(const Tokens& t, int k, std::span<const QStringView> words) {
    for (QStringView word : words) {
        if (t.isWord(k, word)) {
            return true;
        }
    }
    return false;
}

// Whether Basic reads a character as code: outside its strings and
// comments ('..., Rem ...) on that line, or on a line it cannot read at all
// (one left inside a string at its end, as C#'s \" leaves it). Asked for
// offsets in rising order, it reads each line at most twice.
class BasicSight {
public:
    explicit BasicSight(QStringView s) : s(s) {}

    bool sees(qsizetype at) {
        if (at >= lineEnd) {
            qsizetype start = at;
            while (start > 0 && s[start - 1] != CR && s[start - 1] != LF) {
                --start;
            }
            lineEnd = at;
            while (lineEnd < s.size() && s[lineEnd] != CR && s[lineEnd] != LF) {
                ++lineEnd;
            }
            State whole{start};
            run(whole, lineEnd);
            broken = whole.inString;
            state = State{start};
        }
        run(state, at);
        return broken || (!state.inString && !state.comment);
    }

private:
    struct State {
        qsizetype pos;
        bool inString = false;
        bool comment = false;
        bool statementStart = true;
    };

    void run(State& st, qsizetype to) const {
        while (st.pos < to && !st.comment) {
            const QChar c = s[st.pos];
            if (st.inString) {
                st.inString = c != u'"' || (st.pos + 1 < to && s[st.pos + 1] == u'"' && ++st.pos);
            } else if (c == u'"') {
                st.inString = true;
                st.statementStart = false;
            } else if (c == u'\'') {
                // C#'s 'x' or '\n' is no Basic comment.
                const qsizetype literal = charLiteralEnd(st.pos);
                st.comment = literal < 0;
                st.pos = literal < 0 ? st.pos : literal;
                st.statementStart = false;
            } else if (c.isLetter()) {
                qsizetype end = st.pos;
                while (end < s.size() && (s[end].isLetterOrNumber() || s[end] == u'_')) {
                    ++end;
                }
                st.comment =
                    st.statementStart &&
                    s.sliced(st.pos, end - st.pos).compare(u"Rem", Qt::CaseInsensitive) == 0;
                st.statementStart = false;
                st.pos = end - 1;
            } else if (c == u':') {
                st.statementStart = true;
            } else if (!c.isSpace()) {
                st.statementStart = false;
            }
            ++st.pos;
        }
    }

    // The closing quote of a C# character literal at k, or -1.
    qsizetype charLiteralEnd(qsizetype k) const {
        const qsizetype n = s.size();
        if (k + 2 < n && s[k + 1] != u'\\' && s[k + 1] != u'\'' && s[k + 2] == u'\'') {
            return k + 2;
        }
        if (k + 1 < n && s[k + 1] == u'\\') {
            for (qsizetype j = k + 3; j < n && j <= k + 11; ++j) {
                if (s[j] == u'\'') {
                    return j;
                }
            }
        }
        return -1;
    }

    QStringView s;
    qsizetype lineEnd = -1;
    bool broken = false;
    State state{0};
};

// The offset of C#'s first MessageBox.Show call when the text also has a
// ';', '==' or '!=' outside strings and comments, also outside Basic's
// where basicSees (a Rem comment that ends in ';' is no sign of C#), or -1.
qsizetype csharpCall(const Tokens& t, bool basicSees = true) {
    BasicSight basic(t.source());
    int call = -1;
    bool marker = false;
    for (int k = 0; k < t.size() && !(call >= 0 && marker); ++k) {
        if (call < 0 && isMessageBoxWord(t, k, Case::Sensitive) &&
            showCallAt(t, 0, k, Case::Sensitive)) {
            call = k;
        }
        marker =
            marker ||
            ((t.isSymbol(k, u';') || t.isSymbols(k, u'=', u'=') || t.isSymbols(k, u'!', u'=')) &&
             (!basicSees || basic.sees(t.offset(k))));
    }
    return call >= 0 && marker ? t.offset(call) : -1;
}

// Whether Basic sees a MsgBox call, and no name at the offset where C# sees
// its call: then C#'s call and marker are inside Basic's string literals or
// comments (a Basic message that shows C# code).
bool basicHidesCall(const Tokens& basic, qsizetype csharpCall) {
    bool msgBox = false;
    for (int k = 0; k < basic.size(); ++k) {
        if (basic.offset(k) == csharpCall && basic.isName(k)) {
            return false;
        }
        msgBox = msgBox || basic.isWord(k, u"MsgBox");
    }
    return msgBox;
}

// Whether the statement starting at b, a Dim or a declaration, gives a value.
bool declaresValue(const Tokens& t, int b) {
    const Keyword keyword = keywordAt(t, b);
    if (keyword != Keyword::Dim &&
        !(keyword == Keyword::Modifier && keywordAt(t, b + 1) == Keyword::None)) {
        return false;
    }
    for (int k = b + 1; !t.isEnd(k); ++k) {
        if (t.isSymbol(k, u'(') && t[k].partner > k) {
            k = t[k].partner;
        } else if (t.isSymbol(k, u'=')) {
            return true;
        }
    }
    return false;
}

bool anyUnterminated(const Tokens& t) {
    for (int k = 0; k < t.size(); ++k) {
        if (t[k].kind == Kind::Bad && t[k].ch == Unterminated) {
            return true;
        }
    }
    return false;
}

bool isVbNet(const Tokens& t) {
    for (int k = 0; k < t.size(); ++k) {
        const Token& token = t[k];
        if (token.kind == Kind::Symbol &&
            (token.ch == 0x201C || token.ch == 0x201D || token.ch == 0xFF02)) {
            return true;
        }
        if (!t.isName(k) || token.ch != 0) {
            continue;
        }
        if (t.isSymbol(k + 1, u'.') && anyWord(t, k, VbNetTypes) &&
            (k == 0 || !t.isSymbol(k - 1, u'.'))) {
            return true;
        }
        if (anyWord(t, k, VbNetOperators)) {
            return true;
        }
        const bool statementStart = k == 0 || t.isEnd(k - 1);
        if (statementStart && (anyWord(t, k, VbNetStatements) || declaresValue(t, k) ||
                               t.isSymbols(k + 1, u'&', u'=') || t.isSymbols(k + 1, u'+', u'='))) {
            return true;
        }
    }
    return false;
}

// Whether Basic or VB.NET tokens show nothing that tells the language: one
// statement, and nothing between the tokens but blanks and line
// continuations (no comment, which C# would not write with ' or Rem).
bool untold(const Tokens& t) {
    int statements = 0;
    qsizetype end = 0;
    for (int k = 0; k < t.size(); ++k) {
        if (t.isEnd(k)) {
            continue;
        }
        statements += k == 0 || t.isEnd(k - 1) ? 1 : 0;
        for (QChar c : t.source().sliced(end, t.offset(k) - end)) {
            if (!c.isSpace() && c != u'_') {
                return false;
            }
        }
        end = t.offset(k) + t[k].length;
        if (statements > 1) {
            return false;
        }
    }
    for (QChar c : t.source().sliced(end)) {
        if (!c.isSpace() && c != u'_') {
            return false;
        }
    }
    return statements == 1;
}

// The text read as PowerShell, where PowerShell sees a call of
// [...MessageBox]::Show or New-Object -ComObject outside its strings and
// comments: no other language writes a type in brackets before '::'.
// Whether the text holds "]::" or "-ComObject" (in any letter case), the
// cheap signs of PowerShell, found by the fast search for one character: a
// search for a text, and one without letter case above all, costs many
// times more on a long text of another language.
bool showsPowerShellSign(QStringView s) {
    for (qsizetype at = s.indexOf(QChar(u':')); at >= 0; at = s.indexOf(QChar(u':'), at + 1)) {
        if (at > 0 && s[at - 1] == u']' && at + 1 < s.size() && s[at + 1] == u':') {
            return true;
        }
    }
    for (qsizetype at = s.indexOf(QChar(u'-')); at >= 0; at = s.indexOf(QChar(u'-'), at + 1)) {
        if (s.sliced(at + 1).startsWith(u"ComObject", Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

std::optional<LexedSource> powerShellReading(QStringView source) {
    if (!showsPowerShellSign(source)) {
        return std::nullopt;
    }
    Tokens powerShell(source, powerShellReader().tokenize(source));
    if (!showsPowerShellCall(powerShell)) {
        return std::nullopt;
    }
    return LexedSource{powerShellReader(), std::move(powerShell)};
}

// Whether Basic or VB.NET got the text and nothing in it tells the language.
bool readAsBasicUntold(const LexedSource& lexed) {
    const bool basic = &lexed.reader == &basicReader() || &lexed.reader == &vbNetReader();
    return basic && untold(lexed.tokens);
}

} // namespace

std::optional<LexedSource> untoldCsharpReading(const LexedSource& lexed) {
    if (!readAsBasicUntold(lexed)) {
        return std::nullopt;
    }
    const QStringView source = lexed.tokens.source();
    Tokens csharp(source, csharpReader().tokenize(source));
    for (int k = 0; k < csharp.size(); ++k) {
        if (isMessageBoxWord(csharp, k, Case::Sensitive) &&
            showCallAt(csharp, 0, k, Case::Sensitive)) {
            return LexedSource{csharpReader(), std::move(csharp)};
        }
    }
    return std::nullopt;
}

std::optional<LexedSource> untoldCReading(const LexedSource& lexed) {
    const QStringView source = lexed.tokens.source();
    if (!readAsBasicUntold(lexed) || !source.contains(u"MessageBox")) {
        return std::nullopt;
    }
    Tokens c(source, cReader().tokenize(source));
    if (firstWindowsCall(c) < 0) {
        return std::nullopt;
    }
    return LexedSource{cReader(), std::move(c)};
}

// Where basicSees, also outside Basic's strings and comments, unless Basic
// sees a MsgBox call and the C call inside its strings or comments.
std::optional<LexedSource> cReading(QStringView source, bool basicSees) {
    if (!source.contains(u"MessageBox")) {
        return std::nullopt;
    }
    Tokens c(source, cReader().tokenize(source));
    const qsizetype call = firstWindowsCall(c);
    if (call < 0) {
        return std::nullopt;
    }
    BasicSight basic(source);
    for (int k = 0; k < c.size(); ++k) {
        const bool marker = (c.isSymbol(k, u';') && c[k].length == 1) || c.isSymbol(k, u'{') ||
                            c.isSymbol(k, u'}') || c.isSymbols(k, u'=', u'=') ||
                            c.isSymbols(k, u'!', u'=');
        if (marker && (!basicSees || basic.sees(c.offset(k)))) {
            if (basicSees && source.contains(u"MsgBox", Qt::CaseInsensitive) &&
                basicHidesCall(Tokens(source, basicReader().tokenize(source)), call)) {
                return std::nullopt;
            }
            return LexedSource{cReader(), std::move(c)};
        }
    }
    return std::nullopt;
}

std::optional<LexedSource> csharpReading(QStringView source) {
    if (!source.contains(u"MessageBox")) {
        return std::nullopt;
    }
    Tokens csharp(source, csharpReader().tokenize(source));
    if (csharpCall(csharp, false) < 0) {
        return std::nullopt;
    }
    return LexedSource{csharpReader(), std::move(csharp)};
}

LexedSource lexSource(QStringView source) {
    if (std::optional<LexedSource> powerShell = powerShellReading(source)) {
        return std::move(*powerShell);
    }
    const LanguageReader& basicLexer = basicReader();
    std::optional<Tokens> basic;
    const bool messageBox = source.contains(u"MessageBox");
    if (messageBox) {
        Tokens csharp(source, csharpReader().tokenize(source));
        if (const qsizetype call = csharpCall(csharp); call >= 0) {
            if (source.contains(u"MsgBox", Qt::CaseInsensitive)) {
                basic.emplace(source, basicLexer.tokenize(source));
            }
            if (!basic || !basicHidesCall(*basic, call)) {
                return {csharpReader(), std::move(csharp)};
            }
        }
    }
    if (std::optional<LexedSource> c = messageBox ? cReading(source, true) : std::nullopt) {
        return std::move(*c);
    }
    if (!basic) {
        basic.emplace(source, basicLexer.tokenize(source));
    }
    if (isVbNet(*basic)) {
        return {vbNetReader(), Tokens(source, vbNetReader().tokenize(source))};
    }
    // A string that VB6 leaves open at a line end and VB.NET reads over
    // lines.
    if (anyUnterminated(*basic)) {
        Tokens vbNet(source, vbNetReader().tokenize(source));
        if (!anyUnterminated(vbNet)) {
            return {vbNetReader(), std::move(vbNet)};
        }
    }
    return {basicLexer, std::move(*basic)};
}

} // namespace veltrano::reader
