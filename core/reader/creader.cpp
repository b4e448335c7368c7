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

class CLanguageReader final : public LanguageReader {
public:
    std::vector<Token> tokenize(QStringView source) const override { return tokenizeC(source); }
    Result<ReadCall> read(const Tokens& tokens, msgbox::CodeStyle currentCodeStyle) const override {
        return walkBraces(tokens, currentCodeStyle, C);
    }
};

} // namespace

const LanguageReader& cReader() {
    static const CLanguageReader reader;
    return reader;
}

qsizetype firstWindowsCall(const Tokens& t) {
    const std::optional<ShowCall> call = findWindowsCall(t, 0, t.size() - 1);
    return call ? t.offset(call->name) : -1;
}

} // namespace veltrano::reader
