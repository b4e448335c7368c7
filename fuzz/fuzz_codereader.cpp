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
    const msgbox::Value& v = c.value;
    return u"icon %1 buttons %2 default %3 style %4 told %5 modal %6 help %7 title %8 chars, message %9 chars"_s
        .arg(int(v.icon))
        .arg(int(v.buttons))
        .arg(v.defaultButton ? int(*v.defaultButton) : -1)
        .arg(int(v.code))
        .arg(c.styleTold)
        .arg(v.systemModal)
        .arg(v.helpButton)
        .arg(v.title.size())
        .arg(v.message.size());
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

void checkCall(const QString& text, const ReadCall& c, msgbox::CodeStyle current) {
    const msgbox::Value& v = c.value;
    const bool inGroups =
        options::find(options::Group::Icons, int(v.icon)) &&
        options::find(options::Group::Buttons, int(v.buttons)) &&
        (!v.defaultButton || options::find(options::Group::DefaultButton, int(*v.defaultButton))) &&
        options::find(options::Group::Code, int(v.code));
    if (!inGroups) {
        fail("a value outside its group", text, describe(c));
    }
    if (!c.styleTold && v.code != current) {
        fail("a style the text does not tell", text, describe(c));
    }
    if (v.helpButton && v.code == msgbox::CodeStyle::Vbs) {
        fail("help button under the script style", text, describe(c));
    }
    if (!onlyCrLf(v.title) || !onlyCrLf(v.message)) {
        fail("a line break other than CR LF", text, describe(c));
    }

    // The code generated from it reads back to the same value, with the
    // title on one line as the window and the code hold it.
    const QString code = gen::generateCode(v);
    const auto again = veltrano::readMsgBoxCall(code, v.code);
    if (const auto* e = std::get_if<ReadError>(&again)) {
        if (code.size() > veltrano::MaxSourceLength) {
            return; // a message near the limit makes code beyond it
        }
        fail("generated code does not read back", code, e->text);
    }
    const ReadCall& d = std::get<ReadCall>(again);
    msgbox::Value expected = v;
    expected.title = msgbox::titleLine(v.title);
    if (d.value != expected) {
        fail("generated code reads back otherwise", code, describe(c) + u"\n  "_s + describe(d));
    }

    // In every other language it reads back too, as far as that language
    // can say it (lang::asWritten): the script style is the einfach
    // structure, C# and PowerShell have no system-modal box and leave the
    // first default button out, LibreOffice Basic has no help button.
    for (const lang::LanguageFacts& row : lang::languages()) {
        const gen::Language language = row.language;
        if (language == lang::DefaultLanguage || !row.readable) {
            continue; // read back above, or not read at all
        }
        const QString other = gen::generateCode(v, language);
        const auto back = veltrano::readMsgBoxCall(other, v.code);
        if (const auto* e = std::get_if<ReadError>(&back)) {
            if (other.size() > veltrano::MaxSourceLength) {
                continue;
            }
            fail("generated code of another language does not read back", other, e->text);
        }
        const ReadCall& r = std::get<ReadCall>(back);
        const msgbox::Value said = lang::asWritten(expected, language, r.styleTold);
        if (r.value != said) {
            fail("generated code of another language reads back otherwise", other,
                 describe(c) + u"\n  "_s + describe(r));
        }
    }

    // Made the window's definition by the one apply, it generates that code,
    // where a definition can hold the value: a button set other than OK
    // comes with a default button.
    if (v.defaultButton || v.buttons == msgbox::Buttons::Ok) {
        Definition def;
        def.apply(v);
        if (gen::generateCode(def.value()) != code) {
            fail("the definition applied generates other code", code, describe(c));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto current = msgbox::CodeStyle(data[0] & 3);
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
