#include "core/reader/language.h"

#include "core/reader/basiclexer.h"
#include "core/reader/csharplexer.h"
#include "core/reader/dotnetnames.h"
#include "core/reader/messageboxshow.h"

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

// The offset of C#'s first MessageBox.Show call when the text also has a
// ';', '==' or '!=' outside strings and comments, or -1.
qsizetype csharpCall(const Tokens& t) {
    int call = -1;
    bool marker = false;
    for (int k = 0; k < t.size() && !(call >= 0 && marker); ++k) {
        if (call < 0 && isMessageBoxWord(t, k, Case::Sensitive) &&
            showCallAt(t, 0, k, Case::Sensitive)) {
            call = k;
        }
        marker = marker || t.isSymbol(k, u';') || t.isSymbols(k, u'=', u'=') ||
                 t.isSymbols(k, u'!', u'=');
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

} // namespace

LexedSource lexSource(QStringView source) {
    std::optional<Tokens> basic;
    if (source.contains(u"MessageBox")) {
        Tokens csharp(source, tokenizeCSharp(source));
        if (const qsizetype call = csharpCall(csharp); call >= 0) {
            if (source.contains(u"MsgBox", Qt::CaseInsensitive)) {
                basic.emplace(source, tokenizeBasic(source, BasicDialect::Classic));
            }
            if (!basic || !basicHidesCall(*basic, call)) {
                return {Language::CSharp, std::move(csharp)};
            }
        }
    }
    if (!basic) {
        basic.emplace(source, tokenizeBasic(source, BasicDialect::Classic));
    }
    if (isVbNet(*basic)) {
        return {Language::VbNet, Tokens(source, tokenizeBasic(source, BasicDialect::VbNet))};
    }
    return {Language::Basic, std::move(*basic)};
}

} // namespace veltrano::reader
