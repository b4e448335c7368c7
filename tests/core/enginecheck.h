#pragma once

#include "core/languages.h"
#include "core/msgbox.h"

#include <QList>
#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <utility>

// What the engine tests of generated code share: the table of values they
// run, the recorder's lines and their check, and a bounded run of an
// engine. Each engine's harness replaces the box by a recorder that writes
// "CALL <style> P <units> T <units>" (the prompt and title as hex UTF-16
// code units), turns each branch comment into "BRANCH <units>" and the kept
// answer into "VALUE <n>", and brackets the run of each value with each
// answer between "BEGIN <variant> <answer>" and "END", all after "START"
// and before "DONE"; a caught error is "ERR <text>".
namespace veltrano::enginecheck {

struct Texts {
    bool loneSurrogates; // C's literals take them; no XML file holds one
    bool c0Controls;     // neither does it hold a control below U+0020 but the tab
};

// Every button set, icon, default button, both flags and every code style,
// with short, hostile and long messages and titles.
QList<msgbox::Value> values(Texts texts);

// The units of a text as the recorder writes them.
QString units(QStringView text);

// The answers the code is run with: each button of the value's set.
QList<int> answersOf(const msgbox::Value& value);

// A branch comment of the code: the caption of an answer after the
// language's comment marker, with its indent, or an empty string.
QString branchCaption(QStringView line, const lang::LanguageFacts& language);

// Checks the recorder's lines against the values in the language: for each
// value and answer one call with the value's style, prompt and title, the
// branch of that answer (or the kept answer), and an end; and the run's
// end. The prompt's lines are joined by `lineBreak`. Returns what failed,
// or an empty string.
QString check(const QStringList& lines, const QList<msgbox::Value>& values, lang::Language language,
              QStringView lineBreak);

struct Run {
    bool finished = false; // within the bound, exit code in `exitCode`
    int exitCode = -1;
    QString output; // stdout and stderr, cut to a few KiB
};

// Runs the program in its own process group with the environment, its
// output to a file in `dir`; when the bound passes, the whole group is
// killed.
Run runBounded(const QString& program, const QStringList& arguments,
               const QProcessEnvironment& environment, const QString& dir, int timeoutMs);

// The name of a program on the path, or empty.
QString findProgram(const QString& name);

} // namespace veltrano::enginecheck
