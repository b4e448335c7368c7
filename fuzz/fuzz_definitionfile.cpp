// The definition-file reader on arbitrary bytes: it never crashes; when it
// accepts a file, writing that definition and reading it again gives the
// same definition; and making the window's definition hold it as Open does
// and generating code from it keeps the rules of generated text.
#include "core/definition.h"
#include "documents/definitionfile.h"
#include "generatedcode.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace veltrano;

namespace {

[[noreturn]] void fail(const char* what, const definitionfile::Content& a,
                       const definitionfile::Content& b) {
    std::fprintf(stderr,
                 "%s\n  first  %d %d %d %d title [%s] message [%s]\n"
                 "  second %d %d %d %d title [%s] message [%s]\n",
                 what, a.icon, a.buttons, a.defaultButton, a.code, qPrintable(a.title),
                 qPrintable(a.message), b.icon, b.buttons, b.defaultButton, b.code,
                 qPrintable(b.title), qPrintable(b.message));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    definitionfile::Content first;
    try {
        first = definitionfile::decode(bytes);
    } catch (const vb::Error& e) {
        // Too few lines, a number beyond a whole number, or not a definition
        // at all (a NUL in the text).
        if (e.number() != vb::InputPastEndOfFile && e.number() != vb::Overflow &&
            e.number() != vb::InvalidFileFormat) {
            std::fprintf(stderr, "decode refused with error %d\n", e.number());
            std::abort();
        }
        return 0;
    }

    // A number that names no option is refused as Open refuses it.
    msgbox::Value value;
    try {
        value = definitionfile::valueOf(first);
    } catch (const vb::Error& e) {
        if (e.number() != vb::SubscriptOutOfRange) {
            std::fprintf(stderr, "valueOf refused with error %d\n", e.number());
            std::abort();
        }
        return 0;
    }

    definitionfile::Content second;
    try {
        second = definitionfile::decode(definitionfile::encode(value));
    } catch (const vb::Error& e) {
        std::fprintf(stderr, "a written definition does not read back: error %d\n", e.number());
        std::abort();
    }
    if (second.icon != first.icon || second.buttons != first.buttons ||
        second.defaultButton != first.defaultButton || second.code != first.code)
        fail("numbers differ after writing and reading again", first, second);
    if (second.title != first.title)
        fail("title differs after writing and reading again", first, second);
    if (second.message != first.message)
        fail("message differs after writing and reading again", first, second);

    // Made the window's definition as Open makes it, it generates sound code
    // in every style.
    Definition def;
    def.apply(value);
    fuzzcheck::generateAndCheckAll(def);
    return 0;
}
