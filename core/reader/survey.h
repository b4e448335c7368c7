#pragma once

// What a walk needs to know of the whole text before it starts: whether the
// text jumps (GoTo, GoSub, Resume, C#'s goto), so that a label may be
// reached from anywhere, and the names of the procedures or methods the text
// defines, whose calls may change any variable.

#include "core/reader/tokens.h"

#include <QStringView>

#include <vector>

namespace veltrano::reader {

struct Survey {
    bool jumps = false;
    std::vector<QStringView> procedures;
    bool caseSensitive = false; // C#: names in their letter case, calls with parentheses

    // Whether the statement [b, e) names one of the procedures, other than
    // as a member of another object.
    bool callsProcedure(const Tokens& t, int b, int e) const;
};

Survey surveyBasic(const Tokens& t);
Survey surveyCSharp(const Tokens& t);

} // namespace veltrano::reader
