#pragma once

// The operators of a style value written as an expression, which every
// language's reader evaluates alike: terms joined by the language's Or,
// terms that are sums of primaries (where the language adds them), and
// parentheses. What a primary is, and how the language writes Or, is the
// language's own.

#include "core/reader/buttonscheck.h"
#include "core/reader/result.h"
#include "core/reader/tokens.h"

#include <QtGlobal>

namespace veltrano::reader {

class StyleExpression {
public:
    explicit StyleExpression(const Tokens& t) : t(t) {}
    StyleExpression(const StyleExpression&) = delete;
    StyleExpression& operator=(const StyleExpression&) = delete;
    virtual ~StyleExpression() = default;

    // The expression in tokens [b, e), which it must fill.
    Result<ButtonsValue> evaluate(int b, int e);

protected:
    // sum { Or sum }, the Or in 32 bits.
    Status either(int& k, int e, qint64& value);
    // The number token at k, as `number` reads it; a piece of its own.
    Status number(int& k, const Result<qint64>& number, qint64& value);
    // The '(' at k and the expression inside up to its partner before e.
    Status parenthesized(int& k, int e, qint64& value);

    // Whether the language's Or stands at k.
    virtual bool orAt(int k) const = 0;
    // Whether a + that adds two primaries stands at k.
    virtual bool plusAt(int k) const = 0;
    virtual Status primary(int& k, int e, qint64& value) = 0;

    const Tokens& t;
    ButtonsValue result;

private:
    // primary { + primary }, within 32 bits.
    Status sum(int& k, int e, qint64& value);
};

} // namespace veltrano::reader
