#pragma once

// The walk through the source of a language with braces, C# and C/C++:
// statement by statement, through blocks, if/else, switch and loops, it
// keeps the scope current (declarations, assignments) up to the first call,
// which the language's own parts find and read. The walk tells the code
// style as csharpreader.h describes; what differs between the languages is
// in their BraceDialect.

#include "core/codereader.h"
#include "core/reader/callvalues.h"
#include "core/reader/context.h"
#include "core/reader/messageboxshow.h"
#include "core/reader/reader.h"
#include "core/reader/result.h"
#include "core/reader/survey.h"
#include "core/reader/tokens.h"

#include <QStringView>

#include <optional>
#include <vector>

namespace veltrano::reader {

struct BraceDialect {
    Language language;
    std::vector<Token> (*tokenize)(QStringView source);
    TextEvaluator evalText;
    Survey (*survey)(const Tokens& t);
    // The first call in the statement's tokens [b, e): its first token and
    // the name before its '('.
    std::optional<ShowCall> (*findCall)(const Tokens& t, int b, int e);
    Result<CallValues> (*readArguments)(Context& c, const ShowCall& call);
    // A declaration or an assignment in [b, e): true when the statement is
    // one; status gets a fatal failure.
    bool (*declaration)(Context& c, int b, int e, Status& status);
    bool (*assignment)(Context& c, int b, int e, Status& status);
    // A statement the walk skips, or a loop header: what it may change
    // becomes unknown.
    void (*forget)(Context& c, int b, int e);
    // A statement the language reads itself at k (C's #define): the token
    // after it, else -1. May be nullptr.
    int (*ownStatement)(Context& c, int k);
    // The refusal of a text without the call.
    QStringView noCall;
};

Result<ReadCall> walkBraces(const Tokens& tokens, msgbox::CodeStyle currentCodeStyle,
                            const BraceDialect& dialect);

// The reader of a language with braces: its lexer, then the walk over its
// dialect.
class BraceReader final : public LanguageReader {
public:
    explicit BraceReader(const BraceDialect& dialect) : m_dialect(dialect) {}
    std::vector<Token> tokenize(QStringView source) const override {
        return m_dialect.tokenize(source);
    }
    Result<ReadCall> read(const Tokens& tokens, msgbox::CodeStyle currentCodeStyle) const override {
        return walkBraces(tokens, currentCodeStyle, m_dialect);
    }

private:
    const BraceDialect& m_dialect;
};

} // namespace veltrano::reader
