#include "core/basicliterals.h"
#include "core/codeskeleton.h"

using namespace Qt::StringLiterals;

// LibreOffice Basic without VBA support: the Basic code with the MB_ and ID
// constants it knows built in (joined by " + ", as its own examples do), the
// lines of a message joined by Chr(13), which its box shows as a line break,
// and the answer in an Integer, since it knows no VbMsgBoxResult. Its MsgBox
// has no help button: a comment says so, and the call leaves it out.
namespace veltrano::gen {

namespace {

constexpr BasicDialect LibreOffice{u"\" & Chr(13) & \"", lang::Constants::Windows, u" + ", false};

void opening(Code& code, const Shape& shape) {
    basicOpening(code, shape, LibreOffice);
}

void notes(Code& code) {
    if (code.value.helpButton) {
        code.out += code.language.comment;
        code.out += u"Eine Hilfe-Schaltfläche gibt es bei MsgBox in LibreOffice nicht.\r";
    }
}

} // namespace

const Syntax libreOfficeSyntax = {
    .opening = opening,
    .notes = notes,
    .call = basicCall,
    .constant = nullptr,
    .doublesQuotes = true,
    .maxLineLength = MaxBasicLineLength,
    .answerVariable = u"Antwort",
    .messageVariable = u"Msg",
    .titleVariable = u"Titel",
    .statementHead = u"",
    .statementTail = u"",
    .keepDeclaration = u"Dim %1 As Integer",
    .keepDeclarationScript = u"Dim %1 As Integer",
    .keepHead = u"%1 = ",
    .keepTail = u"",
    .selectHead = u"Select Case ",
    .selectTail = u"",
    .caseHead = u"\rCase ",
    .caseTail = u"",
    .caseClose = u"",
    .selectEnd = u"\rEnd Select",
    .caseIndent = u"    ",
    .ifHead = u"If ",
    .compare = u" = ",
    .thenAfterCall = u" then",
    .thenAfterAnswer = u" Then",
    .elseIfHead = u"\rElseIf ",
    .elseLine = u"\rElse",
    .endIf = u"\rEnd If",
    .branchIndent = u"    ",
};

} // namespace veltrano::gen
