#pragma once

// The value of a buttons argument, with the pieces it was made of, and the
// check of what the window can show. A refusal names the constant that
// brought a value in where the text names one, else the value, and points
// at the piece that holds it. Nothing here depends on the syntax the value
// was written in.

#include "core/reader/constantnames.h"
#include "core/reader/result.h"
#include "core/reader/tokens.h"

#include <QtGlobal>

#include <vector>

namespace veltrano::reader {

struct Piece {
    int token;
    qint64 value;
    const StyleConstant* constant; // or nullptr for a number
};

struct ButtonsValue {
    qint64 value = 0;
    std::vector<Piece> pieces; // in the order of the text

    // The first piece with those bits in mask, or nullptr.
    const Piece* pieceWith(qint64 mask, qint64 bits) const;
    // Whether a default-button constant is among the pieces, also
    // vbDefaultButton1, whose value is 0.
    bool namesDefaultButton() const;
};

// Refuses a value the window cannot show: bits no constant names, a button
// set, icon or default button beyond the window's, and the options it does
// not have. argToken is the start of the argument.
Status checkButtons(const Tokens& t, const ButtonsValue& buttons, int argToken);

// The refusal of the help button where the code style has none.
Failure helpButtonRefused(const Tokens& t, const ButtonsValue& buttons, int argToken);

} // namespace veltrano::reader
