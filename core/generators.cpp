#include "core/generators.h"

#include "core/definition.h"
#include "core/msgboxstyle.h"
#include "core/vberror.h"

#include <initializer_list>
#include <new>
#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano::gen {

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

// A long message makes a code text of many megabytes. Built in fresh memory
// each time, every page of it costs a fault, which for a message of 16 MiB
// costs more than building the text; so the buffer of the last long code is
// kept and taken again once nobody holds that code any more. A buffer far
// larger than the next code needs is let go instead of being kept.
QString& spareBuffer() {
    thread_local QString spare;
    return spare;
}

QString takeBuffer(qsizetype capacity) {
    QString buffer = std::exchange(spareBuffer(), QString());
    if (!buffer.isDetached() || buffer.capacity() > 2 * capacity + 4096)
        buffer = QString();
    buffer.resize(0); // keeps the capacity
    buffer.reserve(capacity);
    return buffer;
}

void keepBuffer(const QString& code) {
    constexpr qsizetype worthKeeping = 64 * 1024;
    if (code.capacity() >= worthKeeping)
        spareBuffer() = code;
}

// The two flags as the sum generated code writes.
int flagSum(const Definition& def) {
    return (def.isSystemModalTicked() ? vb::vbSystemModal : 0) +
           (def.isHelpButtonTicked() ? vb::vbMsgBoxHelpButton : 0);
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
    const int flags = flagSum(def);
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
void appendCallArguments(QString& out, const Definition& def, const PreparedMessage& message,
                         bool statement) {
    out += message.prompt;
    out += u", ";
    appendStyleExpression(out, def);
    out += u", \"";
    out += message.title;
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

// The simple call shared by "einfach" and "VBS"; they differ only in the
// declaration of the answer variable.
void appendSimpleCall(QString& code, const Definition& def, const PreparedMessage& message,
                      QStringView declaration) {
    const bool statement = isStatementForm(def);
    code += CR;
    if (statement) {
        code += u"MsgBox ";
    } else {
        code += declaration;
        code += CR;
        code += u"Antwort = MsgBox(";
    }
    appendCallArguments(code, def, message, statement);
}

void appendIfCode(QString& code, const Definition& def, const PreparedMessage& message) {
    const bool statement = isStatementForm(def);
    const bool threeButtons =
        def.isSelected(options::Group::Buttons, 2) || def.isSelected(options::Group::Buttons, 3);
    code += CR;
    if (statement) {
        code += u"MsgBox ";
    } else if (threeButtons) {
        code += u"Dim Antwort As VbMsgBoxResult\rAntwort = MsgBox(";
    } else {
        code += u"If MsgBox(";
    }
    appendCallArguments(code, def, message, statement);

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
        appendLines(code, {u"If Antwort = vbYes Then", u"    ' Ja", u"ElseIf Antwort = vbNo Then",
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
}

void appendSelectCode(QString& code, const Definition& def, const PreparedMessage& message) {
    const bool statement = isStatementForm(def);
    code += CR;
    code += statement ? u"MsgBox "_s : u"Select Case MsgBox("_s;
    appendCallArguments(code, def, message, statement);

    switch (def.state().buttonsValue) {
    case 1:
        appendLines(code, {u"Case vbOK", u"    ' OK", u"Case vbCancel", u"    ' Abbrechen"});
        break;
    case 2:
        appendLines(code, {u"Case vbAbort", u"    ' Abbruch", u"Case vbRetry", u"    ' Wiederholen",
                           u"Case vbIgnore", u"    ' Ignorieren"});
        break;
    case 3:
        appendLines(code, {u"Case vbYes", u"    ' Ja", u"Case vbNo", u"    ' Nein",
                           u"Case vbCancel", u"    ' Abbrechen"});
        break;
    case 4:
        appendLines(code, {u"Case vbYes", u"    ' Ja", u"Case vbNo", u"    ' Nein"});
        break;
    case 5:
        appendLines(code,
                    {u"Case vbRetry", u"    ' Wiederholen", u"Case vbCancel", u"    ' Abbrechen"});
        break;
    default:
        return; // a single OK button has nothing to choose between
    }
    appendLines(code, {u"End Select"});
}

} // namespace

PreparedMessage prepareMessage(const Definition& def) {
    try {
        PreparedMessage prepared;
        prepared.title = doubledQuotes(def.title());

        const QString& message = def.message();
        const bool script = def.isSelected(options::Group::Code, options::Vbs);
        // The two lines that declare and fill Msg, up to its opening quote;
        // scripts declare it without a type.
        const QStringView msgOpening =
            script ? u"Dim Msg\r Msg = \"" : u"Dim Msg As String\rMsg = \"";
        // Room for the call and the branches that follow the opening, so
        // that the code is built in this one buffer.
        const qsizetype callRoom = 2 * prepared.title.size() + 512;

        // Every character adds at least one to the prepared length, so a
        // message longer than the limit always goes into Msg: it is joined
        // straight into the opening.
        if (message.size() > InlineLimit) {
            prepared.opening =
                takeBuffer(msgOpening.size() + message.size() + message.size() / 4 + callRoom);
            prepared.opening += msgOpening;
            appendJoinedMessage(prepared.opening, message);
            prepared.opening += Quote;
            prepared.prompt = u"Msg"_s;
            return prepared;
        }

        QString joined;
        if (appendJoinedMessage(joined, message) <= InlineLimit) {
            prepared.prompt = Quote + joined + Quote;
            return prepared;
        }
        prepared.opening.reserve(msgOpening.size() + joined.size() + 1 + callRoom);
        prepared.opening += msgOpening;
        prepared.opening += joined;
        prepared.opening += Quote;
        prepared.prompt = u"Msg"_s;
        return prepared;
    } catch (const std::bad_alloc&) {
        throw vb::Error(vb::OutOfMemory);
    }
}

QString generateCode(const Definition& def) {
    try {
        PreparedMessage message = prepareMessage(def);
        QString code = std::move(message.opening);
        // Asks the option buttons themselves which one is selected.
        switch (def.selectedCode()) {
        case options::SelectCase:
            appendSelectCode(code, def, message);
            break;
        case options::IfThenElse:
            appendIfCode(code, def, message);
            break;
        case options::Einfach:
            appendSimpleCall(code, def, message, u"Dim Antwort As VbMsgBoxResult");
            break;
        case options::Vbs:
            appendSimpleCall(code, def, message, u" Dim Antwort ");
            break;
        default:
            break;
        }
        keepBuffer(code);
        return code;
    } catch (const std::bad_alloc&) {
        throw vb::Error(vb::OutOfMemory);
    }
}

int styleValue(const Definition& def) {
    const Definition::State& state = def.state();
    return state.iconValue | state.buttonsValue | (state.defaultButtonValue + flagSum(def));
}

} // namespace veltrano::gen
