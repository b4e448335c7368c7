#pragma once

// The code reader's tests, in five files by topic: generated code read back
// (tst_codereader.cpp), hand-written Basic calls
// (tst_codereader_handwritten.cpp), refusals (tst_codereader_refused.cpp),
// VB.NET and C# calls with their refusals (tst_codereader_dotnet.cpp), and
// values read only where they are certain (tst_codereader_certain.cpp).
// Shared here: the test class and the helpers that show what was read.

#include "core/codereader.h"
#include "core/definition.h"
#include "core/generators.h"
#include "core/msgbox.h"

#include <QObject>
#include <QStringList>

namespace codereadertest {

using namespace Qt::StringLiterals;
using namespace veltrano;

inline constexpr int NotTold = -1;
inline constexpr int SC = int(msgbox::CodeStyle::SelectCase);
inline constexpr int IF = int(msgbox::CodeStyle::IfThenElse);
inline constexpr int EI = int(msgbox::CodeStyle::Einfach);
inline constexpr int VBS = int(msgbox::CodeStyle::Vbs);

// Source lines joined by CR LF, as pasted from an editor.
inline QString source(const QStringList& lines) {
    return lines.join(u"\r\n"_s);
}

inline QString shown(QString text) {
    text.replace(u'\r', u"\\r"_s).replace(u'\n', u"\\n"_s);
    return text.size() > 200 ? text.left(200) + u"…"_s : text;
}

inline QString describe(const ReadCall& c) {
    const msgbox::Value& v = c.value;
    return u"icon %1 buttons %2 default %3 style %4%5 modal %6 help %7 title [%8] message [%9]"_s
        .arg(int(v.icon))
        .arg(int(v.buttons))
        .arg(v.defaultButton ? QString::number(int(*v.defaultButton)) : u"-"_s)
        .arg(int(v.code))
        .arg(c.styleTold ? u" (told)"_s : QString())
        .arg(v.systemModal)
        .arg(v.helpButton)
        .arg(shown(v.title), shown(v.message));
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
    void faults_data();
    void faults();
    void certain_data();
    void certain();
};
