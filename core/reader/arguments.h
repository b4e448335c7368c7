#pragma once

// Binding the arguments of a call to the function's parameters: by position
// (an empty argument between commas counts as missing), then by name
// (`Name:=value`, any order). Only the places are bound; evaluating them is
// left to the caller.

#include "core/reader/result.h"
#include "core/reader/tokens.h"

#include <QStringView>

#include <span>
#include <vector>

namespace veltrano::reader {

// The tokens [b, e) of one argument; b < 0 when it is missing.
struct Argument {
    int b = -1;
    int e = -1;
    bool given() const { return b >= 0; }
};

struct Signature {
    QStringView function;                    // as messages name it
    std::span<const QStringView> parameters; // in the order of their positions
    QStringView tooMany;                     // the reason for an argument too many
};

// The arguments between the parenthesis at `open` and its partner, split at
// the commas outside brackets; a missing argument (an empty one, a comma at
// the end) and an unclosed parenthesis are refused.
Result<std::vector<Argument>> splitArguments(const Tokens& t, int open);

// One argument for each parameter, from the argument list in tokens [b, e).
Result<std::vector<Argument>> bindArguments(const Tokens& t, int b, int e,
                                            const Signature& signature);

} // namespace veltrano::reader
