#include "core/reader/language.h"

#include "core/reader/basiclexer.h"
#include "core/reader/csharplexer.h"
#include "core/reader/dotnetnames.h"
#include "core/reader/messageboxshow.h"

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

bool isCSharp(const Tokens& t) {
    bool call = false;
    bool marker = false;
    for (int k = 0; k < t.size() && !(call && marker); ++k) {
        call = call || showCallAt(t, 0, k, Case::Sensitive).has_value();
        marker = marker || t.isSymbol(k, u';') || t.isSymbols(k, u'=', u'=') ||
                 t.isSymbols(k, u'!', u'=');
    }
    return call && marker;
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
    if (source.contains(u"MessageBox")) {
        Tokens csharp(source, tokenizeCSharp(source));
        if (isCSharp(csharp)) {
            return {Language::CSharp, std::move(csharp)};
        }
    }
    Tokens basic(source, tokenizeBasic(source, BasicDialect::Classic));
    if (isVbNet(basic)) {
        return {Language::VbNet, Tokens(source, tokenizeBasic(source, BasicDialect::VbNet))};
    }
    return {Language::Basic, std::move(basic)};
}

} // namespace veltrano::reader
