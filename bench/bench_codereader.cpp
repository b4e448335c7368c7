// Reading time of the code reader for sources of 64 KiB, 256 KiB and 1 MiB
// in each language it reads: a procedure that builds its message line by
// line in a variable, with comments, blank lines and statements the reader
// skips in between, and then asks with a Select Case or switch call. The
// time must grow linearly with the text; bytes/s counts one byte per source
// character.

#include "core/codereader.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

struct Language {
    QString head;
    std::vector<QString> lines; // repeated until the size is reached
    QString tail;
};

const Language& language(int index) {
    static const Language basic{
        u"Private Sub Pruefen()\r\n    Dim Msg As String, Zaehler As Long\r\n"_s,
        {
            u"    Msg = Msg & \"Die Datei \"\"Bericht.txt\"\" wurde geändert.\" & vbCrLf"_s,
            u"    Msg = Msg & \"Übertragung läuft: bitte warten, bis alles fertig ist\" & vbCrLf"_s,
            u"    ' Hinweise zu Größe und Länge der Einträge"_s,
            QString(),
            u"    Msg = Msg & \"Einträge prüfen, dann \" & Chr(34) & \"Weiter\" & Chr(34) & _"_s,
            u"          \" wählen.\" & vbNewLine"_s,
            u"    Zaehler = Zaehler + 1: If Zaehler > 10 Then Debug.Print Zaehler"_s,
        },
        u"    Select Case MsgBox(Msg, vbQuestion + vbYesNoCancel + vbDefaultButton2, "
        u"\"Prüfung\")\r\n"
        u"    Case vbYes\r\n    Case vbNo\r\n    End Select\r\nEnd Sub\r\n"_s,
    };
    static const Language vbNet{
        u"Private Sub Pruefen() Handles Pruefen.Click\r\n    Dim Msg As String = \"\"\r\n"
        u"    Dim Zaehler As Integer = 0\r\n"_s,
        {
            u"    Msg &= \"Die Datei \"\"Bericht.txt\"\" wurde geändert.\" & ControlChars.CrLf"_s,
            u"    Msg &= \"Übertragung läuft: bitte warten, bis alles fertig ist\" & vbCrLf"_s,
            u"    ' Hinweise zu Größe und Länge der Einträge"_s,
            QString(),
            u"    Msg = Msg & \"Einträge prüfen, dann \" & ChrW(&H201E) & \"Weiter\" & "
            u"ChrW(&H201C) &"_s,
            u"          \" wählen.\" & Environment.NewLine"_s,
            u"    Zaehler += 1 : If Zaehler > 10 Then Debug.Print(Zaehler)"_s,
        },
        u"    Select Case MsgBox(Msg, MsgBoxStyle.Question Or MsgBoxStyle.YesNoCancel Or "
        u"MsgBoxStyle.DefaultButton2, \"Prüfung\")\r\n"
        u"    Case MsgBoxResult.Yes\r\n    Case MsgBoxResult.No\r\n    End Select\r\nEnd Sub\r\n"_s,
    };
    static const Language csharp{
        u"private void Pruefen()\r\n{\r\n    string msg = \"\";\r\n    int zaehler = 0;\r\n"_s,
        {
            u"    msg += \"Die Datei \\\"Bericht.txt\\\" wurde geändert.\" + Environment.NewLine;"_s,
            u"    msg += \"Übertragung läuft: bitte warten, bis alles fertig ist\\n\";"_s,
            u"    // Hinweise zu Größe und Länge der Einträge"_s,
            QString(),
            u"    msg = msg + \"Einträge prüfen, dann \\u201EWeiter\\u201C\" +"_s,
            u"          @\" wählen.\" + \"\\r\\n\";"_s,
            u"    zaehler++; if (zaehler > 10) { Console.WriteLine(zaehler); }"_s,
        },
        u"    switch (MessageBox.Show(msg, \"Prüfung\", MessageBoxButtons.YesNoCancel, "
        u"MessageBoxIcon.Question, MessageBoxDefaultButton.Button2))\r\n    {\r\n"
        u"        case DialogResult.Yes: break;\r\n        case DialogResult.No: break;\r\n"
        u"    }\r\n}\r\n"_s,
    };
    static const Language libreOffice{
        u"Sub Pruefen()\r\n    Dim Msg As String, Zaehler As Integer\r\n"_s,
        {
            u"    Msg = Msg & \"Die Datei \"\"Bericht.txt\"\" wurde geändert.\" & Chr(13)"_s,
            u"    Msg = Msg & \"Übertragung läuft: bitte warten, bis alles fertig ist\" & "
            u"Chr$(13) & Chr$(10)"_s,
            u"    ' Hinweise zu Größe und Länge der Einträge"_s,
            QString(),
            u"    Msg = Msg & \"Einträge prüfen, dann \" & Chr(34) & \"Weiter\" & Chr(34) & _"_s,
            u"          \" wählen.\" & Chr(10)"_s,
            u"    Zaehler = Zaehler + 1: If Zaehler > 10 Then Print Zaehler"_s,
        },
        u"    Select Case MsgBox(Msg, MB_ICONQUESTION + MB_YESNOCANCEL + MB_DEFBUTTON2, "
        u"\"Prüfung\")\r\n"
        u"    Case IDYES\r\n    Case IDNO\r\n    End Select\r\nEnd Sub\r\n"_s,
    };
    static const Language c{
        u"static void Pruefen(HWND hwnd)\r\n{\r\n    std::wstring msg;\r\n"
        u"    int zaehler = 0;\r\n"_s,
        {
            u"    msg += L\"Die Datei \\\"Bericht.txt\\\" wurde ge\\u00e4ndert.\\r\\n\";"_s,
            u"    msg += L\"\\u00dcbertragung l\\u00e4uft: bitte warten, \" "
            u"L\"bis alles fertig ist\\n\";"_s,
            u"    // Hinweise zu Größe und Länge der Einträge"_s,
            QString(),
            u"    msg = msg + L\"Eintr\\u00e4ge pr\\u00fcfen, dann \\u201EWeiter\\u201C\" +"_s,
            u"          TEXT(\" w\\344hlen.\") + L\"\\r\\n\";"_s,
            u"    zaehler++; if (zaehler > 10) { printf(\"%d\\n\", zaehler); }"_s,
        },
        u"    switch (MessageBoxW(hwnd, msg.c_str(), L\"Pr\\u00fcfung\", MB_ICONQUESTION | "
        u"MB_YESNOCANCEL | MB_DEFBUTTON2)) {\r\n"
        u"    case IDYES: break;\r\n    case IDNO: break;\r\n    }\r\n}\r\n"_s,
    };
    static const Language powerShell{
        u"function Pruefen {\r\n    $msg = ''\r\n    $zaehler = 0\r\n"_s,
        {
            u"    $msg += \"Die Datei `\"Bericht.txt`\" wurde geändert.\" + [Environment]::NewLine"_s,
            u"    $msg += 'Übertragung läuft: bitte warten, bis alles fertig ist' + \"`r`n\""_s,
            u"    # Hinweise zu Größe und Länge der Einträge"_s,
            QString(),
            u"    $msg = $msg + \"Einträge prüfen, dann $([char]0x201E)Weiter$([char]0x201C)\" +"_s,
            u"          ' wählen.' + [char]13 + [char]10"_s,
            u"    $zaehler++; if ($zaehler -gt 10) { Write-Host $zaehler }"_s,
        },
        u"    switch ([System.Windows.Forms.MessageBox]::Show($msg, 'Prüfung', "
        u"[System.Windows.Forms.MessageBoxButtons]::YesNoCancel, "
        u"[System.Windows.Forms.MessageBoxIcon]::Question, "
        u"[System.Windows.Forms.MessageBoxDefaultButton]::Button2)) {\r\n"
        u"        ([System.Windows.Forms.DialogResult]::Yes) { }\r\n"
        u"        ([System.Windows.Forms.DialogResult]::No) { }\r\n    }\r\n}\r\n"_s,
    };
    static const Language* const all[] = {&basic, &vbNet, &csharp, &libreOffice, &c, &powerShell};
    return *all[index];
}

QString makeSource(const Language& language, qsizetype size) {
    QString source = language.head;
    source.reserve(size);
    for (std::size_t i = 0;; ++i) {
        const QString& line = language.lines[i % language.lines.size()];
        if (source.size() + line.size() + 2 + language.tail.size() > size) {
            break;
        }
        source += line;
        source += u"\r\n";
    }
    source += language.tail;
    return source;
}

// Arguments: the language (0 Basic, 1 VB.NET, 2 C#, 3 LibreOffice Basic, 4 C++,
// 5 PowerShell) and the source size.
void reading(benchmark::State& state) {
    const QString source = makeSource(language(int(state.range(0))), state.range(1));
    qsizetype messageSize = 0;
    for (auto _ : state) {
        const veltrano::ReadResult result =
            veltrano::readMsgBoxCall(source, veltrano::msgbox::CodeStyle::SelectCase);
        const auto* call = std::get_if<veltrano::ReadCall>(&result);
        if (!call) {
            state.SkipWithError(
                qPrintable(u"refused: "_s + std::get<veltrano::ReadError>(result).text));
            break;
        }
        messageSize = call->value.message.size();
        benchmark::DoNotOptimize(call->value.message.constData());
    }
    state.SetBytesProcessed(state.iterations() * source.size());
    state.counters["source_chars"] = static_cast<double>(source.size());
    state.counters["message_chars"] = static_cast<double>(messageSize);
}

} // namespace

BENCHMARK(reading)
    ->ArgNames({"language", "size"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {64 << 10, 256 << 10, 1 << 20}})
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
