#include "core/generators.h"

#include "core/definition.h"

#include <initializer_list>
#include <new>

using namespace Qt::StringLiterals;

namespace gen {

namespace {

constexpr QChar CR = u'\r';
constexpr QChar LF = u'\n';
constexpr QChar Quote = u'"';

// Between two message lines: quote, blank, ampersand, blank, vbcr, blank,
// ampersand, blank, quote.
constexpr QStringView Joiner = u"\" & vbcr & \"";

// A prepared message up to this length is written inline as the prompt.
constexpr qsizetype InlineLimit = 50;

QString doubledQuotes(const QString& text) {
    QString result;
    result.reserve(text.size() + 8);
    const QChar* runStart = text.constData();
    const QChar* const end = runStart + text.size();
    for (const QChar* p = runStart; p != end; ++p) {
        if (*p == Quote) {
            result.append(runStart, p - runStart + 1).append(Quote);
            runStart = p + 1;
        }
    }
    result.append(runStart, end - runStart);
    return result;
}

// Appends the message to out with its quotes doubled and its lines joined by
// the joiner, in one pass, and returns the length of the prepared message:
// quotes doubled, every line break a CR LF pair, and a CR LF at the end if
// the message has none. Every CR LF, lone CR and lone LF counts as one line
// break, so that no character after a lone CR is lost and no raw LF reaches
// a string literal.
qsizetype appendJoinedMessage(QString& out, const QString& message) {
    qsizetype prepared = 0;
    bool endsWithBreak = false;
    const QChar* runStart = message.constData();
    const QChar* const end = runStart + message.size();
    for (const QChar* p = runStart; p != end; ++p) {
        const char16_t c = p->unicode();
        if (c == u'"') {
            out.append(runStart, p - runStart + 1).append(Quote);
            runStart = p + 1;
            prepared += 2;
            endsWithBreak = false;
        } else if (c == u'\r' || c == u'\n') {
            out.append(runStart, p - runStart).append(Joiner);
            if (c == u'\r' && p + 1 != end && p[1] == LF) {
                ++p;
            }
            runStart = p + 1;
            prepared += 2;
            endsWithBreak = true;
        } else {
            ++prepared;
            endsWithBreak = false;
        }
    }
    out.append(runStart, end - runStart);

    if (endsWithBreak) {
        // The last break closes the last line; it needs no joiner.
        out.chop(Joiner.size());
    } else {
        prepared += 2; // the CR LF appended to a message without a final break
    }
    return prepared;
}

// Gives back a buffer kept from an earlier, much longer message.
void releaseSpareCapacity(QString& code, qsizetype messageSize) {
    if (code.capacity() > 2 * (messageSize + code.size()) + 4096) {
        code.squeeze();
    }
}

// Style expression: constant names joined by " or ", then the flag sum.
void appendStyleExpression(QString& out, const Definition& def) {
    const Definition::State& state = def.state();
    if (!state.iconName.isEmpty()) {
        out += state.iconName;
        out += u" or ";
    }
    out += state.buttonsName;
    if (!state.defaultButtonName.isEmpty()) {
        out += u" or ";
        out += state.defaultButtonName;
    }
    int flags = 0;
    if (def.isSystemModalTicked()) {
        flags += options::SystemModalFlag;
    }
    if (def.isHelpButtonTicked()) {
        flags += options::HelpButtonFlag;
    }
    if (flags != 0) {
        out += u" + ";
        out += QString::number(flags);
    }
}

bool isStatementForm(const Definition& def) {
    return def.isSelected(options::Group::Buttons, 0);
}

// Prompt, ", ", style expression, ", \"", title and the closing of the
// statement or function form.
void appendCallArguments(QString& out, const Definition& def, bool statement) {
    const Definition::State& state = def.state();
    out += state.prompt;
    out += u", ";
    appendStyleExpression(out, def);
    out += u", \"";
    out += state.titleText;
    if (def.isHelpButtonTicked()) {
        out += statement ? u"\", App.HelpFile, 0"_s : u"\", App.HelpFile, 0)"_s;
    } else {
        out += statement ? u"\""_s : u"\")"_s;
    }
}

void appendLines(QString& out, std::initializer_list<QStringView> lines) {
    for (QStringView line : lines) {
        out += CR;
        out += line;
    }
}

// Runs a style generator's body on the generated code text that Message
// left. On failure the text is cut back to that state and the failure is
// reported as a Basic runtime error.
template <typename Body> void generate(Definition& def, Body&& body) {
    QString& code = def.state().generatedCode;
    const qsizetype opening = code.size();
    try {
        body(code);
    } catch (const std::bad_alloc&) {
        code.truncate(opening);
        throw vb::Error(vb::OutOfMemory);
    } catch (...) {
        code.truncate(opening);
        throw;
    }
}

// The simple call shared by "einfach" and "VBS"; they differ only in the
// declaration of the answer variable.
void simpleCall(Definition& def, QStringView declaration) {
    generate(def, [&](QString& code) {
        const bool statement = isStatementForm(def);
        code += CR;
        if (statement) {
            code += u"MsgBox ";
        } else {
            code += declaration;
            code += CR;
            code += u"Antwort = MsgBox(";
        }
        appendCallArguments(code, def, statement);
    });
}

} // namespace

void Message(Definition& def) {
    try {
        Definition::State& state = def.state();
        QString& code = state.generatedCode;
        // Emptied, not released: generating again for a long message reuses
        // the buffer instead of faulting in fresh pages for every run.
        code.resize(0);
        state.titleText = doubledQuotes(def.title());

        const QString& message = def.message();
        const bool script = def.isSelected(options::Group::Code, options::Vbs);
        // The two lines that declare and fill Msg, up to its opening quote;
        // scripts declare it without a type.
        const QStringView msgOpening =
            script ? u"Dim Msg\r Msg = \"" : u"Dim Msg As String\rMsg = \"";

        // Every character adds at least one to the prepared length, so a
        // message longer than the limit always goes into Msg: it is joined
        // straight into the code text, with room for the call that follows.
        if (message.size() > InlineLimit) {
            code.reserve(msgOpening.size() + message.size() + message.size() / 4 +
                         state.titleText.size() + 256);
            code += msgOpening;
            appendJoinedMessage(code, message);
            code += Quote;
            state.prompt = u"Msg"_s;
            releaseSpareCapacity(code, message.size());
            return;
        }

        QString joined;
        releaseSpareCapacity(code, 0);
        if (appendJoinedMessage(joined, message) <= InlineLimit) {
            state.prompt = Quote + joined + Quote;
            return;
        }
        code.reserve(msgOpening.size() + joined.size() + 1);
        code += msgOpening;
        code += joined;
        code += Quote;
        state.prompt = u"Msg"_s;
    } catch (const std::bad_alloc&) {
        throw vb::Error(vb::OutOfMemory);
    }
}

void EinfachCode(Definition& def) {
    simpleCall(def, u"Dim Antwort As VbMsgBoxResult");
}

void VBScode(Definition& def) {
    simpleCall(def, u" Dim Antwort ");
}

void IfCode(Definition& def) {
    generate(def, [&](QString& code) {
        const bool statement = isStatementForm(def);
        const bool threeButtons = def.isSelected(options::Group::Buttons, 2) ||
                                  def.isSelected(options::Group::Buttons, 3);
        code += CR;
        if (statement) {
            code += u"MsgBox ";
        } else if (threeButtons) {
            code += u"Dim Antwort As VbMsgBoxResult\rAntwort = MsgBox(";
        } else {
            code += u"If MsgBox(";
        }
        appendCallArguments(code, def, statement);

        switch (def.state().buttonsValue) {
        case 1:
            code += u" = vbOk then";
            appendLines(code, {u"    ' OK", u"Else", u"    ' Abbrechen", u"End If"});
            break;
        case 2:
            appendLines(code, {u"If Antwort = vbAbort Then", u"    ' Abbruch",
                               u"ElseIf Antwort = vbRetry Then", u"    ' Wiederholen", u"Else",
                               u"    ' Ignorieren", u"End If"});
            break;
        case 3:
            appendLines(code,
                        {u"If Antwort = vbYes Then", u"    ' Ja", u"ElseIf Antwort = vbNo Then",
                         u"    ' Nein", u"Else", u"    ' Abbrechen", u"End If"});
            break;
        case 4:
            code += u" = vbYes then";
            appendLines(code, {u"    ' Ja", u"Else", u"    ' Nein", u"End If"});
            break;
        case 5:
            code += u" = vbRetry then";
            appendLines(code, {u"    ' Wiederholen", u"Else", u"    ' Abbrechen", u"End If"});
            break;
        default:
            break;
        }
    });
}

void SelectCode(Definition& def) {
    generate(def, [&](QString& code) {
        const bool statement = isStatementForm(def);
        code += CR;
        code += statement ? u"MsgBox "_s : u"Select Case MsgBox("_s;
        appendCallArguments(code, def, statement);

        switch (def.state().buttonsValue) {
        case 1:
            appendLines(code, {u"Case vbOK", u"    ' OK", u"Case vbCancel", u"    ' Abbrechen"});
            break;
        case 2:
            appendLines(code, {u"Case vbAbort", u"    ' Abbruch", u"Case vbRetry",
                               u"    ' Wiederholen", u"Case vbIgnore", u"    ' Ignorieren"});
            break;
        case 3:
            appendLines(code, {u"Case vbYes", u"    ' Ja", u"Case vbNo", u"    ' Nein",
                               u"Case vbCancel", u"    ' Abbrechen"});
            break;
        case 4:
            appendLines(code, {u"Case vbYes", u"    ' Ja", u"Case vbNo", u"    ' Nein"});
            break;
        case 5:
            appendLines(code, {u"Case vbRetry", u"    ' Wiederholen", u"Case vbCancel",
                               u"    ' Abbrechen"});
            break;
        default:
            return; // a single OK button has nothing to choose between
        }
        appendLines(code, {u"End Select"});
    });
}

QString generateSelected(Definition& def) {
    Message(def);
    // Asks the option buttons themselves, in index order, which one is
    // selected; the code-style value is not consulted.
    if (def.isSelected(options::Group::Code, options::SelectCase)) {
        SelectCode(def);
    }
    if (def.isSelected(options::Group::Code, options::IfThenElse)) {
        IfCode(def);
    }
    if (def.isSelected(options::Group::Code, options::Einfach)) {
        EinfachCode(def);
    }
    if (def.isSelected(options::Group::Code, options::Vbs)) {
        VBScode(def);
    }
    return def.state().generatedCode;
}

int styleValue(const Definition& def) {
    const Definition::State& state = def.state();
    int flags = 0;
    if (def.isSystemModalTicked()) {
        flags += options::SystemModalFlag;
    }
    if (def.isHelpButtonTicked()) {
        flags += options::HelpButtonFlag;
    }
    return state.iconValue | state.buttonsValue | (state.defaultButtonValue + flags);
}

} // namespace gen
