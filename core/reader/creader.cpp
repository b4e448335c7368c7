#include "core/reader/creader.h"

#include "core/reader/bracewalk.h"
#include "core/reader/cdeclarations.h"
#include "core/reader/clexer.h"
#include "core/reader/ctext.h"
#include "core/reader/messageboxw.h"
#include "core/reader/survey.h"

namespace veltrano::reader {

namespace {

constexpr BraceDialect C{
    .language = Language::C,
    .tokenize = tokenizeC,
    .evalText = evalCText,
    .survey = surveyCSharp, // functions are found as C# finds its methods
    .findCall = findWindowsCall,
    .readArguments = readWindowsArguments,
    .declaration = cDeclaration,
    .assignment = cAssignment,
    .forget = cForget,
    .ownStatement = cDefine,
    .noCall = u"Im Text steht kein Aufruf von MessageBoxW, MessageBoxA oder MessageBox.",
};

} // namespace

const LanguageReader& cReader() {
    static const BraceReader reader(C);
    return reader;
}

qsizetype firstWindowsCall(const Tokens& t) {
    const std::optional<ShowCall> call = findWindowsCall(t, 0, t.size() - 1);
    return call ? t.offset(call->name) : -1;
}

} // namespace veltrano::reader
