#pragma once

// What the parts of the code reader share while they read one source: its
// tokens, the scope at the statement being read, and the work budget.

#include "core/reader/result.h"
#include "core/reader/scope.h"
#include "core/reader/tokens.h"

#include <QString>

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

struct Context {
    const Tokens& tokens;
    Scope& scope;
    Budget& budget;
};

} // namespace veltrano::reader
