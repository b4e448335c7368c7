#pragma once

// What the statement walks of the brace languages and of PowerShell share:
// a statement read ends in the token where the next one starts, or in the
// call, which ends the reading.

#include "core/codereader.h"
#include "core/reader/result.h"
#include "core/reader/tokens.h"

#include <QStringView>

#include <algorithm>
#include <utility>
#include <variant>

namespace veltrano::reader {

// How the reading goes on after a statement: at the token where the next
// statement starts, or not at all, as the statement held the call.
using Step = std::variant<int, ReadCall>;

// The call read, or its failure, as the step that ends the walk.
inline Result<Step> callStep(Result<ReadCall> read) {
    if (!read) {
        return std::move(read).failure();
    }
    return Step(std::move(*read));
}

// Reads statement after statement, `statement(k)` giving the Step of the one
// at token k, from the first token up to the End token; every step moves on
// by at least one token, so the walk ends. Without a call, `noCall` is the
// refusal.
template <typename Statement>
Result<ReadCall> walkStatements(const Tokens& t, Statement&& statement, QStringView noCall) {
    const int n = t.size() - 1; // the last token is the End token
    for (int k = 0; k < n;) {
        Result<Step> step = statement(k);
        if (!step) {
            return std::move(step).failure();
        }
        if (ReadCall* call = std::get_if<ReadCall>(&*step)) {
            return std::move(*call);
        }
        k = std::max(std::get<int>(*step), k + 1);
    }
    return refusal(0, noCall.toString());
}

} // namespace veltrano::reader
