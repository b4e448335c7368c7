// Cost of one keystroke in the message box of the main window when it holds
// a message of up to 1 MiB, in lines of 60 characters or in a single line.
// Each iteration types one letter at the end and lets the window handle
// every event that follows (the definition, layout and painting); every
// second iteration removes it again, so the size stays the same.

#include "app/appearance.h"
#include "app/mainwindow.h"
#include "core/definition.h"
#include "platform/fakes/fakes.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

QString makeMessage(qsizetype size, bool lines) {
    if (!lines)
        return QString(size, u'x');
    QString message;
    message.reserve(size + 64);
    while (message.size() < size)
        message += QString(58, u'x') + u"\r\n"_s;
    message.truncate(size);
    return message;
}

void typing(benchmark::State& state) {
    FakeServices fakes;
    Definition definition;
    MainWindow window(definition, fakes.services);
    window.show();
    QApplication::processEvents();
    definition.setMessage(makeMessage(state.range(0), state.range(1) != 0));
    auto* box = window.findChild<QPlainTextEdit*>(u"txtMessage"_s);
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    QApplication::processEvents();

    bool typed = false;
    for (auto _ : state) {
        QTest::keyClick(box, typed ? Qt::Key_Backspace : Qt::Key_A);
        QApplication::processEvents();
        typed = !typed;
    }
    benchmark::DoNotOptimize(definition.message().size());
}

} // namespace

BENCHMARK(typing)
    ->ArgNames({"chars", "lines"})
    ->ArgsProduct({{1024, 64 * 1024, 1024 * 1024}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    appearance::installFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
