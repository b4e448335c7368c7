// Reading time of the code reader for sources of 64 KiB, 256 KiB and 1 MiB:
// a procedure that builds its message line by line in Msg, with comments,
// blank lines and statements the reader skips in between, and then asks with
// a Select Case call. The time must grow linearly with the text; bytes/s
// counts one byte per source character.

#include "core/codereader.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QString makeSource(qsizetype size) {
    static const QString lines[] = {
        u"    Msg = Msg & \"Die Datei \"\"Bericht.txt\"\" wurde geändert.\" & vbCrLf"_s,
        u"    Msg = Msg & \"Übertragung läuft: bitte warten, bis alles fertig ist\" & vbCrLf"_s,
        u"    ' Hinweise zu Größe und Länge der Einträge"_s,
        QString(),
        u"    Msg = Msg & \"Einträge prüfen, dann \" & Chr(34) & \"Weiter\" & Chr(34) & _"_s,
        u"          \" wählen.\" & vbNewLine"_s,
        u"    Zaehler = Zaehler + 1: If Zaehler > 10 Then Debug.Print Zaehler"_s,
    };
    const QString head = u"Private Sub Pruefen()\r\n    Dim Msg As String, Zaehler As Long\r\n"_s;
    const QString tail = u"    Select Case MsgBox(Msg, vbQuestion + vbYesNoCancel + "
                         u"vbDefaultButton2, \"Prüfung\")\r\n"
                         u"    Case vbYes\r\n    Case vbNo\r\n    End Select\r\nEnd Sub\r\n"_s;
    QString source = head;
    source.reserve(size);
    for (std::size_t i = 0;; ++i) {
        const QString& line = lines[i % std::size(lines)];
        if (source.size() + line.size() + 2 + tail.size() > size) {
            break;
        }
        source += line;
        source += u"\r\n";
    }
    source += tail;
    return source;
}

void reading(benchmark::State& state) {
    const QString source = makeSource(state.range(0));
    qsizetype messageSize = 0;
    for (auto _ : state) {
        const veltrano::ReadResult result = veltrano::readMsgBoxCall(source, 0);
        const auto* call = std::get_if<veltrano::ReadCall>(&result);
        if (!call) {
            state.SkipWithError("the source is refused");
            break;
        }
        messageSize = call->message.size();
        benchmark::DoNotOptimize(call->message.constData());
    }
    state.SetBytesProcessed(state.iterations() * source.size());
    state.counters["source_chars"] = static_cast<double>(source.size());
    state.counters["message_chars"] = static_cast<double>(messageSize);
}

} // namespace

BENCHMARK(reading)->Arg(64 << 10)->Arg(256 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
