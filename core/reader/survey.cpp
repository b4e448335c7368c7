#include "core/reader/survey.h"

#include "core/reader/csharpdeclarations.h"

namespace veltrano::reader {

bool Survey::callsProcedure(const Tokens& t, int b, int e) const {
    if (procedures.empty()) {
        return false;
    }
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int k = b; k < e; ++k) {
        // C# calls a method with parentheses always, Basic not.
        if (!t.isName(k) || (caseSensitive && !t.isSymbol(k + 1, u'(')) ||
            (k > b && t.isSymbol(k - 1, u'.') &&
             !(k - 2 >= b && (t.isWord(k - 2, u"this") || t.isWord(k - 2, u"Me"))))) {
            continue;
        }
        const QStringView name = t.name(k);
        for (QStringView procedure : procedures) {
            if (procedure.size() == name.size() &&
                (procedure.front().unicode() | 0x20) == (name.front().unicode() | 0x20) &&
                procedure.compare(name, cs) == 0) {
                return true;
            }
        }
    }
    return false;
}

Survey surveyBasic(const Tokens& t) {
    Survey survey;
    for (int k = 0; k < t.size(); ++k) {
        if (!t.isName(k)) {
            continue;
        }
        survey.jumps =
            survey.jumps || t.isWord(k, u"GoTo") || t.isWord(k, u"GoSub") || t.isWord(k, u"Resume");
        if (!(t.isWord(k, u"Sub") || t.isWord(k, u"Function") || t.isWord(k, u"Property")) ||
            (k > 0 && (t.isWord(k - 1, u"End") || t.isWord(k - 1, u"Exit") ||
                       t.isWord(k - 1, u"Declare")))) {
            continue;
        }
        int name = k + 1;
        if (t.isWord(k, u"Property") &&
            (t.isWord(name, u"Get") || t.isWord(name, u"Let") || t.isWord(name, u"Set"))) {
            ++name;
        }
        if (t.isName(name)) {
            survey.procedures.push_back(t.name(name));
        }
    }
    return survey;
}

Survey surveyCSharp(const Tokens& t) {
    Survey survey;
    survey.caseSensitive = true;
    for (int k = 1; k < t.size(); ++k) {
        survey.jumps = survey.jumps || t.isExactWord(k, u"goto");
        // A method: a name after its type, then its parameters and its body.
        if (!t.isName(k) || !t.isSymbol(k + 1, u'(')) {
            continue;
        }
        const int close = t[k + 1].partner;
        if (close > k + 1 && (t.isSymbol(close + 1, u'{') || t.isSymbols(close + 1, u'=', u'>')) &&
            !isCSharpKeyword(t, k) &&
            ((t.isName(k - 1) && !isCSharpKeyword(t, k - 1)) || t.isSymbol(k - 1, u'>') ||
             t.isSymbol(k - 1, u']') || t.isSymbol(k - 1, u'?'))) {
            survey.procedures.push_back(t.name(k));
        }
    }
    return survey;
}

} // namespace veltrano::reader
