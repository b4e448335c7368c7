#pragma once

// The code reader's tests, in four files by topic: generated code read back
// (tst_codereader.cpp), hand-written Basic calls
// (tst_codereader_handwritten.cpp), refusals (tst_codereader_refused.cpp),
// and VB.NET and C# calls with their refusals (tst_codereader_dotnet.cpp). Shared here: the test
// class and the helpers that show and apply what was read.

#include "core/codereader.h"
#include "core/definition.h"
#include "core/generators.h"

#include <QObject>
#include <QStringList>

namespace codereadertest {

using namespace Qt::StringLiterals;
using namespace veltrano;

inline constexpr int NotTold = -1;

// Source lines joined by CR LF, as pasted from an editor.
inline QString source(const QStringList& lines) {
    return lines.join(u"\r\n"_s);
}

inline QString shown(QString text) {
    text.replace(u'\r', u"\\r"_s).replace(u'\n', u"\\n"_s);
    return text.size() > 200 ? text.left(200) + u"…"_s : text;
}

inline QString describe(const ReadCall& c) {
    return u"icon %1 buttons %2 default %3 style %4 modal %5 help %6 title [%7] message [%8]"_s
        .arg(c.icon)
        .arg(c.buttons)
        .arg(c.defaultButton)
        .arg(c.codeStyle.value_or(NotTold))
        .arg(c.systemModal)
        .arg(c.helpButton)
        .arg(shown(c.title), shown(c.message));
}

// The definition a window makes of a read call: the style it keeps unless
// the text tells one; the button set and the default button chosen unless
// the call leaves the default button out as the start state does.
inline void apply(Definition& def, const ReadCall& call, int windowStyle) {
    def.selectCode(call.codeStyle.value_or(windowStyle));
    if (call.buttons != 0 || call.defaultButtonChosen) {
        def.selectButtons(call.buttons);
        def.selectDefaultButton(call.defaultButton);
    }
    def.selectIcon(call.icon);
    def.setSystemModal(call.systemModal ? Definition::Checked : Definition::Unchecked);
    def.setHelpButton(call.helpButton ? Definition::Checked : Definition::Unchecked);
    def.setTitle(call.title);
    def.setMessage(call.message);
}

} // namespace codereadertest

class TestCodeReader : public QObject {
    Q_OBJECT

private slots:
    void generatedCodeReadsBack_data();
    void generatedCodeReadsBack();
    void handWritten_data();
    void handWritten();
    void refused_data();
    void refused();
    void vbNet_data();
    void vbNet();
    void csharp_data();
    void csharp();
    void dotNetRefused_data();
    void dotNetRefused();
};
