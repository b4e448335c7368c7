// Throughput of the code generation in each language: the generator of the
// selected style, for messages from 1 KiB to 16 MiB. The work must grow
// linearly with the message; bytes/s counts one byte per message character.

#include "core/generators.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

// A message of about `size` characters in lines of about 60 characters, with
// quotes and umlauts, lines ended by CR LF as the text box delivers them.
QString makeMessage(qsizetype size) {
    static const QString lines[] = {
        u"Die Datei \"Bericht.txt\" wurde geändert. Möchten Sie speichern?"_s,
        u"Übertragung läuft: bitte warten, bis der Vorgang abgeschlossen ist"_s,
        u"Größe und Länge der Einträge prüfen, dann \"Weiter\" wählen."_s,
    };
    QString message;
    message.reserve(size + 80);
    for (std::size_t i = 0; message.size() < size; ++i) {
        message += lines[i % 3];
        message += u"\r\n";
    }
    message.truncate(size);
    return message;
}

void generation(benchmark::State& state, msgbox::CodeStyle codeStyle, gen::Language language) {
    const qsizetype size = state.range(0);
    msgbox::Value value;
    value.code = codeStyle;
    value.buttons = msgbox::Buttons::YesNoCancel;
    value.icon = msgbox::Icon::Question;
    value.defaultButton = msgbox::DefaultButton::Second;
    value.systemModal = true;
    value.title = u"Frage \"wichtig\""_s;
    value.message = makeMessage(size);

    qsizetype codeChars = 0;
    for (auto _ : state) {
        const QString code = gen::generateCode(value, language);
        benchmark::DoNotOptimize(code.constData());
        codeChars = code.size();
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["code_chars"] = static_cast<double>(codeChars);
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMicrosecond);
}

} // namespace

using gen::Language;
using msgbox::CodeStyle;
BENCHMARK_CAPTURE(generation, SelectCase, CodeStyle::SelectCase, Language::Basic)->Apply(sizes);
BENCHMARK_CAPTURE(generation, IfThenElse, CodeStyle::IfThenElse, Language::Basic)->Apply(sizes);
BENCHMARK_CAPTURE(generation, Einfach, CodeStyle::Einfach, Language::Basic)->Apply(sizes);
BENCHMARK_CAPTURE(generation, VBS, CodeStyle::Vbs, Language::Basic)->Apply(sizes);
BENCHMARK_CAPTURE(generation, VbNetSelectCase, CodeStyle::SelectCase, Language::VbNet)
    ->Apply(sizes);
BENCHMARK_CAPTURE(generation, VbNetIfThenElse, CodeStyle::IfThenElse, Language::VbNet)
    ->Apply(sizes);
BENCHMARK_CAPTURE(generation, CSharpSelectCase, CodeStyle::SelectCase, Language::CSharp)
    ->Apply(sizes);
BENCHMARK_CAPTURE(generation, CSharpIfThenElse, CodeStyle::IfThenElse, Language::CSharp)
    ->Apply(sizes);

BENCHMARK_MAIN();
