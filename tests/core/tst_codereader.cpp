#include "tst_codereader.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;
using namespace codereadertest;

void TestCodeReader::generatedCodeReadsBack_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("readBack"); // the message the reader gives

    const QString x48(48, u'x');
    const QString x49(49, u'x');
    const QString long60 = u"Die Datei \"Bericht.txt\" wurde geändert. Speichern? "_s.repeated(2);
    QTest::newRow("short") << u"Frage"_s << u"Weiter?"_s << u"Weiter?"_s;
    QTest::newRow("empty") << QString() << QString() << QString();
    QTest::newRow("50 prepared, inline") << u"T"_s << x48 << x48;
    QTest::newRow("51 prepared, into Msg") << u"T"_s << x49 << x49;
    QTest::newRow("49 ending in a break, into Msg") << u"T"_s << x49 + u"\r\n"_s << x49;
    QTest::newRow("quotes") << u"Ti\"tel \"\""_s << u"Er sagte \"ja\""_s << u"Er sagte \"ja\""_s;
    QTest::newRow("lines") << u"Zeilen"_s << u"Zeile 1\r\nZeile 2\r\n\r\nZeile 4"_s
                           << u"Zeile 1\r\nZeile 2\r\n\r\nZeile 4"_s;
    QTest::newRow("ends in a break") << u"T"_s << u"A\r\n"_s << u"A"_s;
    QTest::newRow("ends in two breaks") << u"T"_s << u"A\r\n\r\n"_s << u"A\r\n\r\n"_s;
    QTest::newRow("only a break") << u"T"_s << u"\r\n"_s << QString();
    QTest::newRow("lone CR and LF") << u"T"_s << u"A\rB\nC"_s << u"A\r\nB\r\nC"_s;
    QTest::newRow("long, lines, quotes")
        << u"Achtung"_s << long60 + u"\r\n\"Ende\""_s << long60 + u"\r\n\"Ende\""_s;
    // Text that looks like code inside the literals.
    const QString codeLike = u"MsgBox ' Rem _\r\nx: y := \"vbCr\" & _\r\n(((Chr(13)"_s;
    QTest::newRow("code-like text") << u"' Rem _ : MsgBox("_s << codeLike << codeLike;
    // Too long for one line of Basic: Msg and Titel filled in statements,
    // split between lines and inside a line with quotes and surrogate pairs.
    QStringList lines;
    for (int i = 0; i < 24; ++i) {
        lines << u"Zeile %1: \"%2\""_s.arg(i).arg(QString(40, u'x'));
    }
    QTest::newRow("24 lines of 50") << u"T"_s << lines.join(u"\r\n"_s) << lines.join(u"\r\n"_s);
    const QString longLine = u"\"a\" \U0001F600 “b”"_s.repeated(80);
    QTest::newRow("long line and long title")
        << longLine << u"kurz\r\n"_s + longLine << u"kurz\r\n"_s + longLine;
}

// Every value generates code that reads back to it, in every language the
// reader reads: the
// options, the flags, the title and the message, and the code style wherever
// the code tells the styles apart; the window's definition made of what was
// read by the one apply generates the same code. What .NET cannot say comes
// back as the window would take it: the script style as the einfach
// structure, C#'s missing system-modal box as clear, and in C# the first
// default button, which it leaves out, as no choice.
void TestCodeReader::generatedCodeReadsBack() {
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, readBack);

    using gen::Language;
    for (const lang::LanguageFacts& row : lang::languages()) {
        if (!row.readable)
            continue;
        const Language language = row.language;
        for (int style = 0; style <= 3; ++style) {
            for (int buttons = -1; buttons <= 5; ++buttons) { // -1: no button set chosen yet
                for (int icon : {0, 16, 32, 48, 64}) {
                    for (int defaultButton : {-1, 0, 256, 512}) {
                        if ((buttons < 0) != (defaultButton < 0)) {
                            continue; // "not chosen" only before the first button-set choice
                        }
                        for (int flags = 0; flags < 4; ++flags) {
                            const bool modal = flags & 1;
                            const bool help = flags & 2;
                            if (help && style == VBS) {
                                continue; // the script style has no help button
                            }
                            msgbox::Value value;
                            value.code = msgbox::CodeStyle(style);
                            if (buttons >= 0) {
                                value.buttons = msgbox::Buttons(buttons);
                                value.defaultButton = msgbox::DefaultButton(defaultButton);
                            }
                            value.icon = msgbox::Icon(icon);
                            value.systemModal = modal;
                            value.helpButton = help;
                            value.title = title;
                            value.message = message;
                            const QString code = gen::generateCode(value, language);

                            const auto result = readMsgBoxCall(code, value.code);
                            const QString where =
                                u"language %1 code [%2]"_s.arg(int(language)).arg(shown(code));
                            if (const auto* error = std::get_if<ReadError>(&result)) {
                                QFAIL(qPrintable(error->text + u'\n' + where));
                            }
                            const ReadCall& call = std::get<ReadCall>(result);
                            const QString got = describe(call) + u'\n' + where;
                            // "OK" is written alike in every style but the
                            // Basic script style's long message.
                            const bool told =
                                buttons > 0 || (row.writesVbs && code.startsWith(u"Dim Msg\r"));
                            QVERIFY2(call.styleTold == told, qPrintable(got));

                            msgbox::Value expected = lang::asWritten(value, language, told);
                            expected.message = readBack;
                            msgbox::Value read = call.value;
                            QVERIFY2(read == expected, qPrintable(got));

                            Definition back;
                            back.apply(call.value);
                            QVERIFY2(gen::generateCode(back.value(), language) ==
                                         gen::generateCode(expected, language),
                                     qPrintable(got));
                        }
                    }
                }
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestCodeReader)
