#include "core/codereader.h"
#include "core/msgbox.h"

#include <QObject>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;

// Hand-written C and C++ read by the code reader: each row a snippet with
// the box it shows (style value, title, message, the code style it tells),
// or with the German reason and the column of its refusal. The window's
// current style is Select Case, so a row that tells none reads as -1.
class TestCReader : public QObject {
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
};

namespace {

constexpr int NotTold = -1;
constexpr int IF = int(msgbox::CodeStyle::IfThenElse);
constexpr int SC = int(msgbox::CodeStyle::SelectCase);
constexpr int EI = int(msgbox::CodeStyle::Einfach);

void reading(const char* row, const QString& text, int value, const QString& title,
             const QString& message, int style = NotTold) {
    QTest::newRow(row) << text << value << title << message << style << QString() << 0;
}

void refusal(const char* row, const QString& text, const QString& reason, int column) {
    QTest::newRow(row) << text << 0 << QString() << QString() << NotTold << reason << column;
}

QString cannotShow(const QString& name) {
    return name + u" kann das Fenster nicht darstellen."_s;
}

} // namespace

void TestCReader::reads_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("column");

    // The call: the owner is never the text; the count of arguments tells
    // the form.
    reading("MessageBoxW", u"MessageBoxW(hWnd, L\"a\", L\"T\", MB_YESNO | MB_ICONQUESTION);"_s, 36,
            u"T"_s, u"a"_s);
    reading("MessageBoxA, owner a call",
            u"MessageBoxA(GetActiveWindow(), \"a\", \"T\", MB_OKCANCEL + MB_ICONSTOP);"_s, 17,
            u"T"_s, u"a"_s);
    reading("::MessageBoxW, member owner",
            u"::MessageBoxW(this->m_hWnd, L\"a\", L\"T\", MB_ICONERROR);"_s, 16, u"T"_s, u"a"_s);
    reading("bare MessageBox with four", u"MessageBox(NULL, TEXT(\"a\"), _T(\"T\"), 0x24);"_s, 36,
            u"T"_s, u"a"_s);
    reading("MessageBoxExW, language not read",
            u"MessageBoxExW(0, L\"a\", L\"T\", MB_OK, MAKELANGID(LANG_GERMAN, 1));"_s, 0, u"T"_s,
            u"a"_s);
    reading("MFC member, three", u"this->MessageBox(_T(\"a\"), _T(\"T\"), MB_YESNO);"_s, 4, u"T"_s,
            u"a"_s);
    reading("MFC, two: MB_OK", u"MessageBox(L\"a\", L\"T\");"_s, 0, u"T"_s, u"a"_s);
    reading("one call copied without its ';'",
            u"MessageBoxW(NULL, L\"C:\\\\temp\", L\"T\", MB_YESNO)"_s, 4, u"T"_s, u"C:\\temp"_s);
    reading("NULL text", u"MessageBoxW(nullptr, NULL, L\"T\", MB_OK);"_s, 0, u"T"_s, QString());
    reading("prototype skipped",
            u"int WINAPI MessageBoxW(HWND, LPCWSTR, LPCWSTR, UINT);\nint f(void) { return "
            u"MessageBoxW(0, L\"a\", L\"T\", 0); }"_s,
            0, u"T"_s, u"a"_s);
    refusal("return ::MessageBox is the global one",
            u"int f() { return ::MessageBox(L\"a\", L\"T\", MB_OK); }"_s,
            u"MessageBox hat vier Argumente: Besitzerfenster, Text, Titel und Stil."_s, 20);
    refusal("MFC, one: no title", u"MessageBox(L\"a\");"_s,
            u"Ohne Titel zeigt Windows „Fehler“ in der Sprache des Systems; der Titel steht "
            u"nicht im Text."_s,
            1);
    refusal("MFC member with four", u"pWnd->MessageBox(L\"a\", L\"T\", MB_OK, 3);"_s,
            u"MessageBox eines Fensters hat ein bis drei Argumente: Text, Titel und Stil."_s, 7);
    refusal("MessageBoxW with three", u"MessageBoxW(L\"a\", L\"T\", MB_OK);"_s,
            u"MessageBoxW hat vier Argumente: Besitzerfenster, Text, Titel und Stil."_s, 1);
    refusal("AfxMessageBox", u"AfxMessageBox(L\"a\");"_s,
            u"AfxMessageBox wird nicht gelesen: seinen Titel nimmt es aus der Anwendung. Gelesen "
            u"werden MessageBoxW, MessageBoxA und MessageBox."_s,
            1);

    // Strings and escapes.
    reading("adjacent literals and prefixes",
            u"MessageBoxW(0, L\"a\" L\"b\" u\"c\" U\"d\" u8\"e\", TEXT(\"T\") TEXT(\"2\"), 0);"_s,
            0, u"T2"_s, u"abcde"_s);
    reading("simple escapes", u"MessageBoxW(0, L\"\\\"\\'\\\\\\?\\t|\\a\\b\\f\\v\", L\"T\", 0);"_s,
            0, u"T"_s, u"\"'\\?\t|\a\b\f\v"_s);
    reading("line breaks", u"MessageBoxW(0, L\"1\\n2\\r\\n3\\r4\", L\"T\", 0);"_s, 0, u"T"_s,
            u"1\r\n2\r\n3\r\n4"_s);
    reading("\\x takes every hex digit", u"MessageBoxW(0, L\"\\x41g\\x000042\", L\"T\", 0);"_s, 0,
            u"T"_s, u"AgB"_s);
    reading("octal: three digits at most", u"MessageBoxW(0, L\"\\101\\0101\", L\"T\", 0);"_s, 0,
            u"T"_s, u"A\b1"_s);
    reading("universal character names", u"MessageBoxW(0, L\"\\u00e4\\U0001F600\", L\"T\", 0);"_s,
            0, u"T"_s, u"ä\U0001F600"_s);
    reading("a lone surrogate by \\x", u"MessageBoxW(0, L\"\\xD83D\", L\"T\", 0);"_s, 0, u"T"_s,
            QString(QChar(0xD83D)));
    const QString badEscape = u"Die Escape-Folge %1 gibt es in C nicht."_s;
    const QString tooWide = u"Der Wert der Escape-Folge %1 passt in kein wchar_t."_s;
    refusal("unknown escape", u"MessageBoxW(0, L\"\\q\", L\"T\", 0);"_s, badEscape.arg(u"\\q"), 18);
    refusal("\\x beyond a wide character", u"MessageBoxW(0, L\"\\x10000\", L\"T\", 0);"_s,
            tooWide.arg(u"\\x10000"), 18);
    refusal("a surrogate by name", u"MessageBoxW(0, L\"\\uD800\", L\"T\", 0);"_s,
            tooWide.arg(u"\\uD800"), 18);
    refusal("NUL", u"MessageBoxW(0, L\"a\\0\", L\"T\", 0);"_s,
            u"Der Meldungstext enthält ein NUL-Zeichen (Chr(0))."_s, 19);
    refusal("trigraph", u"MessageBoxW(0, L\"a?\?/b\", L\"T\", 0);"_s,
            u"Die Folge ?\?/ ist in älterem C ein Trigraph; was sie bedeutet, hängt vom Compiler "
            u"ab."_s,
            19);
    refusal("pointer arithmetic", u"MessageBoxW(0, L\"ab\" + 1, L\"T\", 0);"_s,
            u"„+“ verbindet hier keine Texte: nur mit einem std::wstring oder CString ergibt es "
            u"einen Text."_s,
            22);

    // The style.
    reading("parentheses, cast, octal, suffix",
            u"MessageBoxW(0, L\"a\", L\"T\", (UINT)(MB_HELP | MB_SYSTEMMODAL) | 040 | 1UL | "
            u"MB_APPLMODAL);"_s,
            4096 + 16384 + 32 + 1, u"T"_s, u"a"_s);
    reading("MB_DEFBUTTON1 named", u"MessageBoxW(0, L\"a\", L\"T\", MB_YESNO | MB_DEFBUTTON1);"_s,
            4, u"T"_s, u"a"_s);
    for (const char* name :
         {"MB_TASKMODAL", "MB_NOFOCUS", "MB_SETFOREGROUND", "MB_TOPMOST", "MB_RIGHT",
          "MB_RTLREADING", "MB_SERVICE_NOTIFICATION", "MB_DEFAULT_DESKTOP_ONLY",
          "MB_CANCELTRYCONTINUE", "MB_USERICON", "MB_DEFBUTTON4"}) {
        refusal(name, u"MessageBoxW(0, L\"a\", L\"T\", MB_OK | %1);"_s.arg(QLatin1String(name)),
                cannotShow(QLatin1String(name)), 36);
    }
    refusal("bits no constant names", u"MessageBoxW(0, L\"a\", L\"T\", 0x2000);"_s,
            u"Der Wert 8192 gehört zu keiner MsgBox-Konstante."_s, 28);

    // The code style the answer's use tells.
    reading("if on the call", u"if (MessageBoxW(0, L\"a\", L\"T\", MB_YESNO) == IDYES) {}"_s, 4,
            u"T"_s, u"a"_s, IF);
    reading("constant first", u"if (IDNO == ::MessageBoxW(0, L\"a\", L\"T\", MB_YESNO)) {}"_s, 4,
            u"T"_s, u"a"_s, IF);
    reading("switch", u"switch (MessageBoxA(0, \"a\", \"T\", MB_YESNO)) { case IDYES: break; }"_s,
            4, u"T"_s, u"a"_s, SC);
    reading("kept, then else if",
            u"int r = MessageBoxW(0, L\"a\", L\"T\", 3);\nif (r == IDYES) {} else if (r == IDNO) "
            u"{}"_s,
            3, u"T"_s, u"a"_s, IF);
    reading("const int kept, then switch",
            u"const int r = MessageBoxW(0, L\"a\", L\"T\", 3);\nswitch (r) { case IDNO: break; }"_s,
            3, u"T"_s, u"a"_s, SC);
    reading("auto kept alone", u"auto r = MessageBoxW(0, L\"a\", L\"T\", MB_YESNO);"_s, 4, u"T"_s,
            u"a"_s, EI);
    reading("INT kept alone", u"INT r = MessageBoxW(0, L\"a\", L\"T\", MB_YESNO);"_s, 4, u"T"_s,
            u"a"_s, EI);

    // Variables.
    reading(
        "const wchar_t pointer, literals over lines",
        u"const wchar_t *msg =\n    L\"a\\n\"\n    L\"b\";\nMessageBoxW(NULL, msg, L\"T\", 0);"_s,
        0, u"T"_s, u"a\r\nb"_s);
    reading("array, LPCWSTR, const char",
            u"wchar_t m[] = L\"a\"; LPCWSTR t = L\"T\"; const char *n = \"x\";\n"
            u"MessageBoxW(0, m, t, 0);"_s,
            0, u"T"_s, u"a"_s);
    reading("std::wstring with += and +",
            u"std::wstring s = L\"a\";\ns += L\"b\";\ns = s + L\"c\" + s;\n"
            u"MessageBoxW(0, s.c_str(), L\"T\", 0);"_s,
            0, u"T"_s, u"abcab"_s);
    reading("a static array starts empty, an object from its value",
            u"static wchar_t leer[9];\nstd::wstring s(L\"a\");\n"
            u"MessageBoxW(0, leer, s.c_str(), 0);"_s,
            0, u"a"_s, QString());
    refusal("a local array holds what its memory held",
            u"wchar_t b[9];\nMessageBoxW(0, b, L\"T\", 0);"_s,
            u"Der Wert von b ist unbekannt: Ohne Anfangswert ist ihr Inhalt unbestimmt."_s, 9);
    reading("TEXT() and c_str() change nothing",
            u"std::wstring s = L\"a\";\ns = s + TEXT(\"b\");\nstd::wstring u = s.c_str();\n"
            u"MessageBoxW(0, s.c_str(), u.c_str(), 0);"_s,
            0, u"ab"_s, u"ab"_s);
    refusal("a call in a declaration's value",
            u"wchar_t b[] = L\"a\"; size_t n = fill(b);\nMessageBoxW(0, b, L\"T\", 0);"_s,
            u"Der Wert von b ist unbekannt: Die Anweisung hier kann ihn ändern."_s, 37);
    reading("a character joins a string object",
            u"std::wstring s = L\"a\";\nMessageBoxW(0, (s + L'!').c_str(), L\"T\", 0);"_s, 0,
            u"T"_s, u"a!"_s);
    refusal(
        "a number added to a string object",
        u"std::wstring s = L\"a\";\nstd::wstring u = s + 65;\nMessageBoxW(0, u.c_str(), L\"T\", 0);"_s,
        u"Der Wert von u ist unbekannt: „+“ mit einer Zahl hängt das Zeichen dieses Codes an; "
        u"das wird nicht ausgewertet."_s,
        20);
    reading("#define of a text",
            u"#define MSG L\"M\" \\\n  L\"2\"\nMessageBoxW(0, MSG, L\"T\", 0);"_s, 0, u"T"_s,
            u"M2"_s);
    refusal("#define of no text",
            u"#define STYLE MB_YESNO\nMessageBoxW(0, L\"a\", L\"T\", STYLE);"_s,
            u"Der Wert von STYLE wird als Stil nicht ausgewertet."_s, 28);
    refusal(
        "a macro that assigns",
        u"#define SETZEN m = L\"b\"\nLPCWSTR m = L\"a\"; SETZEN;\nMessageBoxW(0, m, L\"T\", 0);"_s,
        u"Der Wert von m ist unbekannt: Das Makro SETZEN kann hier jede Variable ändern."_s, 19);
    reading("a macro of a number changes nothing",
            u"#define N 3\nLPCWSTR m = L\"a\";\nfor (i = 0; i < N; i++) {}\n"
            u"MessageBoxW(0, m, L\"T\", 0);"_s,
            0, u"T"_s, u"a"_s);
    refusal("#undef", u"#define MSG L\"M\"\n#undef MSG\nMessageBoxW(0, MSG, L\"T\", 0);"_s,
            u"Der Wert von MSG ist unbekannt: Das Makro ist hier nicht als Text definiert."_s, 8);
    refusal("assigned in a branch",
            u"const wchar_t *m = L\"a\";\nif (x) m = L\"b\";\nMessageBoxW(0, m, L\"T\", 0);"_s,
            u"Der Wert von m hängt vom Programmablauf ab."_s, 8);
    refusal("assigned in a loop",
            u"const wchar_t *m;\nwhile (x) { m = L\"b\"; }\nMessageBoxW(0, m, L\"T\", 0);"_s,
            u"Der Wert von m hängt vom Programmablauf ab."_s, 13);
    refusal("assigned under #ifdef",
            u"LPCWSTR m = L\"a\";\n#ifdef X\nm = L\"b\";\n#endif\nMessageBoxW(0, m, L\"T\", 0);"_s,
            u"Der Wert von m hängt vom Programmablauf ab."_s, 1);
    refusal("the call under #ifdef",
            u"#ifdef UNICODE\nMessageBoxW(0, L\"a\", L\"T\", 0);\n#endif"_s,
            u"Der Aufruf steht in einem Zweig der bedingten Kompilierung."_s, 1);
    refusal("goto", u"LPCWSTR m = L\"a\"; goto x; m = L\"b\"; x: MessageBoxW(0, m, L\"T\", 0);"_s,
            u"Der Wert von m ist unbekannt: An einer Sprungmarke kann der Ablauf von anderswo "
            u"kommen."_s,
            37);
    refusal(
        "a function of the text",
        u"void f(void) { m = L\"c\"; }\nLPCWSTR m = L\"a\"; f();\nMessageBoxW(0, m, L\"T\", 0);"_s,
        u"Der Wert von m ist unbekannt: Die Anweisung hier kann ihn ändern."_s, 19);
    refusal("handed to a function",
            u"wchar_t b[9] = L\"a\"; wcscat(b, L\"x\"); MessageBoxW(0, b, L\"T\", 0);"_s,
            u"Der Wert von b ist unbekannt: Die Anweisung hier kann ihn ändern."_s, 29);
    refusal("a pointer shares the memory",
            u"wchar_t b[] = L\"a\"; wchar_t *p = b; p[0] = L'x'; MessageBoxW(0, b, L\"T\", 0);"_s,
            u"Der Wert von b ist unbekannt: Die Anweisung hier kann ihn ändern."_s, 34);
    refusal("a reference shares the object",
            u"std::wstring s = L\"a\"; std::wstring &r = s; r += L\"y\";\n"
            u"MessageBoxW(0, s.c_str(), L\"T\", 0);"_s,
            u"Der Wert von s ist unbekannt: Die Anweisung hier kann ihn ändern."_s, 42);
    refusal("a pointer moved on", u"LPCWSTR m = L\"ab\"; m += 1; MessageBoxW(0, m, L\"T\", 0);"_s,
            u"Der Wert von m ist unbekannt: Die Anweisung hier kann ihn ändern."_s, 20);

    // Told from Basic: C code inside a Basic string stays Basic's text.
    reading("Basic quoting C",
            u"MsgBox \"MessageBoxW(0, L\"\"x\"\", L\"\"y\"\", 0);\", vbOKOnly, \"T\""_s, 0, u"T"_s,
            u"MessageBoxW(0, L\"x\", L\"y\", 0);"_s);
}

void TestCReader::reads() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(int, style);
    QFETCH(QString, reason);
    QFETCH(int, column);

    const ReadResult result = readMsgBoxCall(text, msgbox::CodeStyle::SelectCase);
    if (reason.isEmpty()) {
        if (const auto* error = std::get_if<ReadError>(&result)) {
            QFAIL(qPrintable(error->text));
        }
        const ReadCall& call = std::get<ReadCall>(result);
        QCOMPARE(msgbox::styleValue(call.value), value);
        QCOMPARE(call.value.title, title);
        QCOMPARE(call.value.message, message);
        QCOMPARE(call.styleTold ? int(call.value.code) : NotTold, style);
        return;
    }
    if (std::holds_alternative<ReadCall>(result)) {
        QFAIL("read, not refused");
    }
    const ReadError& error = std::get<ReadError>(result);
    QCOMPARE(error.reason, reason);
    QCOMPARE(error.column, column);
}

QTEST_GUILESS_MAIN(TestCReader)
#include "tst_codereader_c.moc"
