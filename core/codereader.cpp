// The code reader's entry: it tells the language of the text and hands its
// tokens to that language's walk (core/reader/basicreader.h for VB6, VBA,
// VBScript and VB.NET, core/reader/csharpreader.h for C#,
// core/reader/powershellreader.h for PowerShell), which keeps the
// scope current up to the first call and reads it. The parts are in
// core/reader/: the lexers, the tokens, the scope, the text and buttons
// expressions, the binding of arguments and the calls with their style rules.
#include "core/codereader.h"
#include "core/sizetext.h"

#include "core/linebreaks.h"
#include "core/reader/creader.h"
#include "core/reader/csharpreader.h"
#include "core/reader/language.h"
#include "core/reader/result.h"

#include <algorithm>
#include <new>
#include <utility>
#include <variant>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace {

using namespace reader;

ReadError errorAt(QStringView source, qsizetype offset, const QString& reason) {
    ReadError error;
    error.offset = std::clamp<qsizetype>(offset, 0, source.size());
    int line = 1;
    qsizetype column = 1;
    linebreaks::forEachLine(
        source.first(error.offset),
        [&](QStringView text) {
            // In characters as the user counts them: a surrogate pair is one.
            column = 1;
            for (qsizetype i = 0; i < text.size(); ++i) {
                column +=
                    text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate() ? 0 : 1;
            }
        },
        [&] { ++line; });
    error.line = line;
    error.column = int(column);
    error.reason = reason;
    error.text = u"Zeile %1, Spalte %2: %3"_s.arg(error.line).arg(error.column).arg(reason);
    return error;
}

ReadResult read(QStringView source, msgbox::CodeStyle currentCodeStyle) {
    if (source.size() > MaxSourceLength) {
        return errorAt(source, MaxSourceLength,
                       u"Der Text ist länger als %1 (%2 Zeichen)."_s.arg(mebibytes(MaxSourceLength))
                           .arg(MaxSourceLength));
    }
    const LexedSource lexed = lexSource(source);
    Result<ReadCall> call = lexed.reader.read(lexed.tokens, currentCodeStyle);
    // The text read once more as another language, where it may be one.
    const auto readAs = [&](const std::optional<LexedSource>& other) -> std::optional<ReadCall> {
        if (!other) {
            return std::nullopt;
        }
        Result<ReadCall> again = other->reader.read(other->tokens, currentCodeStyle);
        return again ? std::optional<ReadCall>(std::move(*again)) : std::nullopt;
    };
    // A text that Basic or VB.NET cannot read may be C# whose strings Basic
    // takes for a comment; it is C# where that reading succeeds.
    if (!call && &lexed.reader != &csharpReader()) {
        if (std::optional<ReadCall> csharp = readAs(csharpReading(source))) {
            return std::move(*csharp);
        }
    }
    // The same for C, whose L"\'" Basic reads as a comment, and for a C
    // call of one statement without its ';'.
    if (!call && &lexed.reader != &cReader() && &lexed.reader != &csharpReader()) {
        std::optional<ReadCall> c = readAs(cReading(source));
        if (!c) {
            c = readAs(untoldCReading(lexed));
        }
        if (c) {
            return std::move(*c);
        }
    }
    // A text that does not tell VB.NET from C# is read both ways; where the
    // two readings differ, the reader cannot know which one is meant.
    if (std::optional<ReadCall> csharp = readAs(untoldCsharpReading(lexed))) {
        if (!call) {
            return std::move(*csharp);
        }
        if (call->value != csharp->value || call->styleTold != csharp->styleTold) {
            return errorAt(source, lexed.tokens.offset(0),
                           u"Der Text kann VB.NET oder C# sein, und beide lesen ihn anders. Ein ; "
                           u"am Ende macht ihn zu C#, ein Kommentar mit ' zu VB.NET."_s);
        }
    }
    if (!call) {
        return errorAt(source, call.failure().offset, call.failure().reason);
    }
    return std::move(*call);
}

} // namespace

ReadResult readMsgBoxCall(QStringView source, msgbox::CodeStyle currentCodeStyle) {
    try {
        return read(source, currentCodeStyle);
    } catch (const std::bad_alloc&) {
        ReadError error;
        error.reason = u"Nicht genug Speicher, um den Text zu lesen."_s;
        error.text = u"Zeile 1, Spalte 1: "_s + error.reason;
        return error;
    }
}

} // namespace veltrano
