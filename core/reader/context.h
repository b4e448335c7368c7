#pragma once

// What the parts of the code reader share while they read one source: its
// language, its tokens, the scope at the statement being read, the work
// budget, and the evaluation of a text in the language's syntax.

#include "core/languages.h"
#include "core/reader/result.h"
#include "core/reader/scope.h"
#include "core/reader/tokens.h"

#include <QString>

#include <cstdint>

namespace veltrano::reader {

// Every character copied while evaluating is counted in `work`. Reading
// stops once it passes `limit`, a small multiple of the source's length, so
// that no input takes more than linear time.
struct Budget {
    qsizetype work = 0;
    qsizetype limit = 0;

    Status check(qsizetype place) const {
        if (work <= limit) {
            return done();
        }
        return fatalRefusal(place, QStringLiteral("Die Auswertung würde zu viel Text kopieren."));
    }
};

// The languages the reader tells apart, those of the language table. VB6,
// VBA and VBScript are one: their code reads alike.
using Language = lang::Language;

struct Context;
struct Reading;

// Appends the value of the text expression in tokens [b, e) to a reading.
using TextEvaluator = Status (*)(Context& c, int b, int e, Reading& r);

struct Context {
    const Tokens& tokens;
    Scope& scope;
    Budget& budget;
    Language language;
    TextEvaluator evalText;
};

} // namespace veltrano::reader
