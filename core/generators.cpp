#include "core/generators.h"

#include "core/codeskeleton.h"
#include "core/vberror.h"

#include <new>
#include <utility>

namespace veltrano::gen {

// A long message makes a code text of many megabytes. Built in fresh memory
// each time, every page of it costs a fault, which for a message of 16 MiB
// costs more than building the text; so the buffer of the last long code is
// kept and taken again once nobody holds that code any more. A buffer far
// larger than the next code needs is let go instead of being kept.
namespace {

QString& spareBuffer() {
    thread_local QString spare;
    return spare;
}

// Keeps the buffer of a long code for the next one.
void keepBuffer(const QString& code) {
    constexpr qsizetype worthKeeping = 64 * 1024;
    if (code.capacity() >= worthKeeping)
        spareBuffer() = code;
}

} // namespace

QString takeBuffer(qsizetype capacity) {
    QString buffer = std::exchange(spareBuffer(), QString());
    if (!buffer.isDetached() || buffer.capacity() > 2 * capacity + 4096)
        buffer = QString();
    buffer.resize(0); // keeps the capacity
    buffer.reserve(capacity);
    return buffer;
}

QString generateCode(const msgbox::Value& value, Language language) {
    try {
        QString code = structuredCode(value, lang::facts(language));
        keepBuffer(code);
        return code;
    } catch (const std::bad_alloc&) {
        throw vb::Error(vb::OutOfMemory);
    }
}

} // namespace veltrano::gen
