#pragma once

// One reader per language the code reader reads, behind one interface: its
// lexer, which splits a source into the tokens of tokens.h, and its walk,
// which reads the first message box call of those tokens. The languages are
// those of the language table (core/languages.h); which one a text is
// written in is told in one place, core/reader/language.h, which hands on
// the tokens and the reader of that language.

#include "core/codereader.h"
#include "core/languages.h"
#include "core/reader/result.h"
#include "core/reader/tokens.h"

#include <QStringView>

#include <vector>

namespace veltrano::reader {

class LanguageReader {
public:
    virtual ~LanguageReader() = default;

    // The source as the language's lexer splits it, ended by an End token.
    virtual std::vector<Token> tokenize(QStringView source) const = 0;
    // The first call of the tokens, or the failure that ends the reading.
    virtual Result<ReadCall> read(const Tokens& tokens,
                                  msgbox::CodeStyle currentCodeStyle) const = 0;
};

} // namespace veltrano::reader
