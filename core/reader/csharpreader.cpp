#include "core/reader/csharpreader.h"

#include "core/reader/bracewalk.h"
#include "core/reader/csharpdeclarations.h"
#include "core/reader/csharplexer.h"
#include "core/reader/csharptext.h"
#include "core/reader/messageboxshow.h"
#include "core/reader/survey.h"

namespace veltrano::reader {

namespace {

std::optional<ShowCall> findShowCall(const Tokens& t, int b, int e) {
    for (int k = b; k < e; ++k) {
        if (isMessageBoxWord(t, k, Case::Sensitive)) {
            if (const std::optional<ShowCall> call = showCallAt(t, b, k, Case::Sensitive)) {
                return call;
            }
        }
    }
    return std::nullopt;
}

constexpr BraceDialect CSharp{
    .language = Language::CSharp,
    .tokenize = tokenizeCSharp,
    .evalText = evalCSharpText,
    .survey = surveyCSharp,
    .findCall = findShowCall,
    .readArguments = readShowArguments,
    .declaration = csharpDeclaration,
    .assignment = csharpAssignment,
    .forget = forgetAssigned,
    .ownStatement = nullptr,
    .noCall = u"Im Text steht kein Aufruf von MessageBox.Show.",
};

} // namespace

const LanguageReader& csharpReader() {
    static const BraceReader reader(CSharp);
    return reader;
}

} // namespace veltrano::reader
