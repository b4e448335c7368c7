// The code reader on arbitrary text: it never crashes, hangs or runs out of
// bounds; a refusal names a place inside the text; a call it reads has values
// within their option groups and texts with CR LF line breaks only and no
// NUL, and the code generated from that call reads back to the same call.
//
// The first input byte chooses the style the window has selected (bits 0-1)
// and whether the rest is UTF-8 or raw UTF-16 code units (bit 2).
#include "core/codereader.h"
#include "core/definition.h"
#include "core/generators.h"
#include "core/optiontables.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

[[noreturn]] void fail(const char* what, const QString& text, const QString& detail = {}) {
    QString shown = text.left(2000);
    shown.replace(u'\r', u"\\r"_s).replace(u'\n', u"\\n"_s);
    std::fprintf(stderr, "%s\n  text [%s]\n  %s\n", what, qPrintable(shown), qPrintable(detail));
    std::abort();
}

QString describe(const ReadCall& c) {
    return u"icon %1 buttons %2 default %3 style %4 modal %5 help %6 title %7 chars, message %8 chars"_s
        .arg(c.icon)
        .arg(c.buttons)
        .arg(c.defaultButton)
        .arg(c.codeStyle.value_or(-1))
        .arg(c.systemModal)
        .arg(c.helpButton)
        .arg(c.title.size())
        .arg(c.message.size());
}

// Every CR is followed by LF and every LF follows a CR.
bool onlyCrLf(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')) {
            return false;
        }
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) {
            return false;
        }
    }
    return true;
}

void checkError(const QString& text, const ReadError& e) {
    if (e.offset < 0 || e.offset > text.size() || e.line < 1 || e.column < 1 ||
        e.reason.isEmpty() ||
        e.text != u"Zeile %1, Spalte %2: %3"_s.arg(e.line).arg(e.column).arg(e.reason)) {
        fail("refusal without a sound place", text, e.text);
    }
}

void checkCall(const QString& text, const ReadCall& c, int current) {
    const bool inGroups = options::find(options::Group::Icons, c.icon) &&
                          options::find(options::Group::Buttons, c.buttons) &&
                          options::find(options::Group::DefaultButton, c.defaultButton) &&
                          (!c.codeStyle || options::find(options::Group::Code, *c.codeStyle));
    if (!inGroups) {
        fail("a value outside its group", text, describe(c));
    }
    const int style = c.codeStyle.value_or(current);
    if (c.helpButton && style == options::Vbs) {
        fail("help button under the script style", text, describe(c));
    }
    if (!onlyCrLf(c.title) || !onlyCrLf(c.message)) {
        fail("a line break other than CR LF", text, describe(c));
    }
    if (c.title.contains(QChar(0)) || c.message.contains(QChar(0))) {
        fail("a NUL character in a value", text, describe(c));
    }

    // The definition a window makes of it generates code that reads back.
    Definition def;
    def.selectCode(style);
    if (c.buttons != 0 || c.defaultButtonChosen) {
        def.selectButtons(c.buttons);
        def.selectDefaultButton(c.defaultButton);
    }
    def.selectIcon(c.icon);
    def.setSystemModal(c.systemModal ? Definition::Checked : Definition::Unchecked);
    def.setHelpButton(c.helpButton ? Definition::Checked : Definition::Unchecked);
    def.setTitle(c.title);
    def.setMessage(c.message);
    const QString code = gen::generateCode(def.value());

    const auto again = veltrano::readMsgBoxCall(code, style);
    if (const auto* e = std::get_if<ReadError>(&again)) {
        if (code.size() > veltrano::MaxSourceLength) {
            return; // a message near the limit makes code beyond it
        }
        fail("generated code does not read back", code, e->text);
    }
    const ReadCall& d = std::get<ReadCall>(again);
    if (d.icon != c.icon || d.buttons != c.buttons || d.defaultButton != c.defaultButton ||
        d.systemModal != c.systemModal || d.helpButton != c.helpButton || d.title != def.title() ||
        d.message != c.message || (d.codeStyle && *d.codeStyle != style)) {
        fail("generated code reads back otherwise", code, describe(c) + u"\n  "_s + describe(d));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int current = data[0] & 3;
    const char* rest = reinterpret_cast<const char*>(data + 1);
    QString text;
    if (data[0] & 4) {
        // Copied, as the input need not be aligned for 16-bit units.
        text.resize(qsizetype(size - 1) / 2);
        std::memcpy(text.data(), rest, std::size_t(text.size()) * sizeof(QChar));
    } else {
        text = QString::fromUtf8(rest, qsizetype(size - 1));
    }

    const auto result = veltrano::readMsgBoxCall(text, current);
    if (const auto* e = std::get_if<ReadError>(&result)) {
        checkError(text, *e);
    } else {
        checkCall(text, std::get<ReadCall>(result), current);
    }
    return 0;
}
