// The generated C/C++ compiles as C99 and as C++17 against mingw-w64's
// <windows.h> with every warning an error, and does what it says when run
// under Wine: each value of the engine table (tests/core/enginecheck.h) is
// a function of one source file, MessageBoxW is defined to a recorder after
// <windows.h>, each branch comment becomes a call that records it, and the
// program runs every value with every answer of its set. Two compiles and
// two runs in all; the Wine prefix is made once in the build folder.
#include "core/codeskeleton.h"
#include "core/generators.h"
#include "tests/core/enginecheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

constexpr auto Recorder = R"(#include <windows.h>
#include <stdio.h>
#define MessageBoxW RecordMessageBoxW
static int recordPlan;
static void recordUnits(const char *tag, const wchar_t *s)
{
    fputs(tag, stdout);
    for (; s != NULL && *s != 0; ++s)
        printf(" %X", (unsigned)(unsigned short)*s);
}
static int WINAPI RecordMessageBoxW(HWND window, LPCWSTR text, LPCWSTR caption, UINT type)
{
    printf("CALL %u%s", (unsigned)type, window == NULL ? "" : " WINDOW");
    recordUnits(" P", text);
    recordUnits(" T", caption);
    puts("");
    return recordPlan;
}
static void RecordBranch(const wchar_t *label)
{
    recordUnits("BRANCH", label);
    puts("");
}
static void RecordValue(int value)
{
    printf("VALUE %d\n", value);
}
)";

// The fragment in a function of its own, its branch comments recording,
// and the kept answer used and recorded.
QString fragment(int n, const QString& code) {
    const lang::LanguageFacts& language = lang::facts(lang::Language::C);
    const QString variable = language.syntax->answerVariable.toString();
    QString body;
    bool kept = false;
    for (const QString& line : code.split(u'\r')) {
        const QString caption = enginecheck::branchCaption(line, language);
        if (!caption.isEmpty())
            body += u"    RecordBranch(L\"%1\");\n"_s.arg(caption);
        else
            body += u"    "_s + line + u'\n';
        kept = kept || line.startsWith(u"int "_s + variable + u" = "_s);
    }
    if (kept)
        body += u"    RecordValue(%1);\n"_s.arg(variable);
    return u"static void fragment%1(void)\n{\n%2}\n"_s.arg(n).arg(body);
}

} // namespace

class TestCCompiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyVariantRuns_data();
    void everyVariantRuns();

private:
    QString m_gcc, m_gxx, m_wine;
    QProcessEnvironment m_environment;
    QTemporaryDir m_dir{QDir::currentPath() + u"/tst_ccompiles-XXXXXX"_s};
};

void TestCCompiles::initTestCase() {
    m_gcc = enginecheck::findProgram(u"x86_64-w64-mingw32-gcc"_s);
    m_gxx = enginecheck::findProgram(u"x86_64-w64-mingw32-g++"_s);
    m_wine = enginecheck::findProgram(u"wine"_s);
    QVERIFY2(!m_gcc.isEmpty() && !m_gxx.isEmpty() && !m_wine.isEmpty(),
             "mingw-w64 or Wine is missing: scripts/setup-tests.sh installs them");
    QVERIFY(m_dir.isValid());

    // Wine without a display, its prefix in the build folder (made once,
    // some hundred MB) and its server's sockets in a private folder.
    const QString tmp = QDir::currentPath() + u"/tst_ccompiles.tmp"_s;
    QVERIFY(QDir().mkpath(tmp));
    QVERIFY(QFile::setPermissions(tmp, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    m_environment = QProcessEnvironment::systemEnvironment();
    m_environment.remove(u"DISPLAY"_s);
    m_environment.remove(u"WAYLAND_DISPLAY"_s);
    m_environment.insert(u"WINEPREFIX"_s, QDir::currentPath() + u"/tst_ccompiles.wine"_s);
    m_environment.insert(u"WINEDEBUG"_s, u"-all"_s);
    m_environment.insert(u"WINEDLLOVERRIDES"_s, u"mscoree,mshtml="_s);
    m_environment.insert(u"WINEARCH"_s, u"win64"_s);
    m_environment.insert(u"TMPDIR"_s, tmp);
    if (!QFile::exists(m_environment.value(u"WINEPREFIX"_s) + u"/system.reg"_s)) {
        const auto boot =
            enginecheck::runBounded(enginecheck::findProgram(u"wineboot"_s), {u"--init"_s},
                                    m_environment, m_dir.path(), 300000);
        QVERIFY2(boot.finished && boot.exitCode == 0, qPrintable(boot.output));
        enginecheck::runBounded(enginecheck::findProgram(u"wineserver"_s), {u"-w"_s}, m_environment,
                                m_dir.path(), 120000);
    }
}

void TestCCompiles::everyVariantRuns_data() {
    QTest::addColumn<QString>("compiler");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("C99") << u"gcc"_s << QStringList{u"-std=c99"_s};
    QTest::newRow("C++17") << u"g++"_s << QStringList{u"-std=c++17"_s, u"-x"_s, u"c++"_s};
}

void TestCCompiles::everyVariantRuns() {
    QFETCH(QString, compiler);
    QFETCH(QStringList, options);

    const QList<msgbox::Value> values = enginecheck::values({true, true});
    QString source = QString::fromLatin1(Recorder);
    QString runs;
    for (qsizetype v = 0; v < values.size(); ++v) {
        source += fragment(int(v + 1), gen::generateCode(values[v], gen::Language::C));
        for (const int answer : enginecheck::answersOf(values[v]))
            runs += u"    {%1, %2, fragment%1},\n"_s.arg(v + 1).arg(answer);
    }
    source += u"static const struct { int variant, answer; void (*run)(void); } runs[] = {\n"_s +
              runs + u"};\n"_s;
    source += uR"(int main(void)
{
    size_t i;
    (void)RecordBranch;
    (void)RecordValue;
    puts("START");
    for (i = 0; i < sizeof runs / sizeof runs[0]; ++i) {
        printf("BEGIN %d %d\n", runs[i].variant, runs[i].answer);
        recordPlan = runs[i].answer;
        runs[i].run();
        puts("END");
    }
    puts("DONE");
    return 0;
}
)"_s;

    const QString name = compiler == u"gcc" ? u"c99"_s : u"cxx17"_s;
    QFile file(m_dir.filePath(name + u".c"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(source.toLatin1()) > 0 && file.flush()); // escapes only: ASCII
    file.close();

    const QString exe = m_dir.filePath(name + u".exe"_s);
    const auto build =
        enginecheck::runBounded(compiler == u"gcc" ? m_gcc : m_gxx,
                                options + QStringList{u"-Wall"_s, u"-Wextra"_s, u"-Werror"_s,
                                                      u"-O0"_s, u"-o"_s, exe, file.fileName()},
                                m_environment, m_dir.path(), 300000);
    QVERIFY2(build.finished && build.exitCode == 0, qPrintable(build.output));

    const auto run = enginecheck::runBounded(m_wine, {exe}, m_environment, m_dir.path(), 120000);
    if (!run.finished)
        enginecheck::runBounded(enginecheck::findProgram(u"wineserver"_s), {u"-k"_s}, m_environment,
                                m_dir.path(), 30000);
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.output));
    QFile output(m_dir.filePath(u"engine-output.txt"_s));
    QVERIFY(output.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromLatin1(output.readAll()).remove(u'\r').split(u'\n', Qt::SkipEmptyParts);
    const QString failure = enginecheck::check(lines, values, lang::Language::C, u"\n");
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

QTEST_GUILESS_MAIN(TestCCompiles)
#include "tst_ccompiles.moc"
