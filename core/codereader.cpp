#include "core/codereader.h"

#include "core/basicsource.h"
#include "core/definition.h"
#include "core/msgboxstyle.h"
#include "core/optiontables.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <new>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace {

using namespace basic;

// ------------------------------------------------------------------ reader

// A failure while reading. `root` is what a variable assigned from the
// failing expression keeps as the cause of its unknown value.
struct Failure {
    qsizetype offset = 0;
    QString reason;
    QString root;
    bool fatal = false;
};

enum class BlockKind : std::uint8_t { If, LineIf, Select, Loop, Procedure, Count };

// An open block of statements. Each branch of an If or Select Case gets a
// serial of its own, so that a value assigned in one branch is not taken as
// known in another or after the block.
struct Block {
    BlockKind kind;
    int serial;
    bool loop; // this block or one around it repeats
};

struct Variable {
    enum State : std::uint8_t { Unset, Known, Unknown };
    State state = Unset;
    bool fixedType = false; // declared with a type other than String or Variant
    bool untyped = false;   // declared by Dim without As
    bool inLoop = false;    // last assigned inside a loop
    int block = 0;          // serial of the block of the last assignment
    qsizetype at = 0;       // where it was last assigned, or the cause of Unknown
    QString why;            // the cause of Unknown
    Text value;
};

// Where the call stands in its statement.
enum class Place : std::uint8_t { Plain, Condition, Selector };

struct Call {
    int start; // first token of the call, with a VBA. qualifier
    int name;  // the MsgBox token
};

// One text being evaluated: a prompt, a title or a value assigned.
struct Reading {
    Text out;
    QString label;        // what would grow too long, for the message
    int target = -1;      // variable assigned, when it may be moved in instead of copied
    bool untyped = false; // read a variable declared without a type
};

struct Piece {
    int token;
    qint64 value;
    int constant; // index into StyleConstants, or -1 for a number
};

class Reader {
public:
    Reader(QStringView source, int currentCodeStyle)
        : m_src(source), m_currentStyle(currentCodeStyle) {}

    ReadResult run();

private:
    // --- tokens ---
    const Token& tok(int k) const { return m_t[std::size_t(k)]; }
    QStringView textOf(int k) const { return m_src.sliced(tok(k).offset, tok(k).length); }
    QStringView textOf(int from, int to) const {
        return m_src.sliced(tok(from).offset, tok(to).offset + tok(to).length - tok(from).offset);
    }
    QStringView nameOf(int k) const {
        return m_src.sliced(tok(k).offset, tok(k).length - (tok(k).ch != 0 ? 1 : 0));
    }
    bool isName(int k) const { return tok(k).kind == Kind::Name; }
    bool isWord(int k, QStringView word) const {
        return isName(k) && tok(k).ch == 0 && nameOf(k).compare(word, Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(int k, char16_t c) const { return tok(k).kind == Kind::Symbol && tok(k).ch == c; }
    bool isEnd(int k) const { return tok(k).kind == Kind::End; }
    Keyword keywordAt(int k) const;
    int scanStatement(int b, bool stopAtThen, int& bad) const;
    std::optional<Call> findCall(int b, int e) const;
    int topLevelComma(int b, int e) const;

    // --- failures ---
    bool fail(qsizetype offset, const QString& reason, bool fatal = false) {
        m_fail = {offset, reason, reason, fatal};
        return false;
    }
    bool failAt(int k, const QString& reason, bool fatal = false) {
        return fail(tok(k).offset, reason, fatal);
    }
    bool notUnderstood(int k) {
        if (isEnd(k)) {
            return failAt(k, u"Hier fehlt ein Wert."_s);
        }
        return failAt(k, u"„%1“ wird hier nicht verstanden."_s.arg(shown(textOf(k))));
    }
    bool failBad(int k);
    bool withinBudget(int k) {
        if (m_work <= m_budget) {
            return true;
        }
        return failAt(k, u"Die Auswertung würde zu viel Text kopieren."_s, true);
    }

    // --- statements ---
    int statement(int b);
    void plain(int b, int e);
    void declare(int b, int e);
    void constants(int b, int e);
    void assign(int nameToken, int b, int e);
    void forgetNamed(int b, int e);

    // --- blocks ---
    void push(BlockKind kind);
    void pop(BlockKind kind);
    void nextBranch(BlockKind kind);
    void closeLineBlocks();
    int currentBlock() const { return m_blocks.empty() ? 0 : m_blocks.back().serial; }
    bool inLoop() const { return !m_blocks.empty() && m_blocks.back().loop; }

    // --- variables ---
    int findVariable(int k) const;
    int variable(int k);

    // --- evaluation ---
    bool number(int k, qint64& value);
    bool put(Reading& r, const char16_t* p, qsizetype n, int k);
    bool concatenation(int& k, int e, Reading& r, bool& isNumber);
    bool term(int& k, int e, Reading& r, bool& isNumber);
    bool nameTerm(int& k, Reading& r);
    bool readVariable(int k, Reading& r);
    bool evalText(int b, int e, Reading& r);
    bool normalised(const Text& text, QString& out, int k, const QString& label);
    bool buttonsOr(int& k, int e, qint64& value);
    bool buttonsSum(int& k, int e, qint64& value);
    bool buttonsPrimary(int& k, int e, qint64& value);
    bool checkButtons(qint64 value, int argToken);
    const Piece* pieceWith(qint64 mask, qint64 bits) const;

    // --- the call ---
    bool readCall(int b, int e, Call call, Place place);
    std::optional<int> toldStyle(int b, int e, Call call, int after, Place place,
                                 bool readsUntyped) const;
    bool nextStatementTests(int e, int answer) const;

    ReadError error(qsizetype offset, const QString& reason) const;

    QStringView m_src;
    int m_currentStyle;
    std::vector<Token> m_t;
    qsizetype m_work = 0;
    qsizetype m_budget = 0;
    Failure m_fail;
    bool m_finished = false;
    ReadCall m_call;

    std::vector<Block> m_blocks;
    std::vector<char> m_open{1}; // by serial; serial 0 is the text outside any block
    std::array<int, std::size_t(BlockKind::Count)> m_openCount{};

    QHash<QString, int> m_variableIndex; // case-folded name -> index
    std::vector<Variable> m_variables;

    std::vector<Piece> m_pieces; // of the buttons argument
};

Keyword Reader::keywordAt(int k) const {
    if (!isName(k) || tok(k).ch != 0 || tok(k).length > 8) {
        return Keyword::None;
    }
    const QStringView word = nameOf(k);
    for (const KeywordName& entry : Keywords) {
        if (word.compare(entry.name, Qt::CaseInsensitive) == 0) {
            return entry.keyword;
        }
    }
    return Keyword::None;
}

// The end of the statement starting at b: its End token, an Else while a
// single-line If is open, or with stopAtThen the Then of an If. bad gets the
// first Bad token on the way, or -1.
int Reader::scanStatement(int b, bool stopAtThen, int& bad) const {
    const bool lineIf = !m_blocks.empty() && m_blocks.back().kind == BlockKind::LineIf;
    bad = -1;
    int k = b;
    for (;; ++k) {
        const Token& t = tok(k);
        if (t.kind == Kind::End) {
            break;
        }
        if (t.kind == Kind::Bad && bad < 0) {
            bad = k;
        }
        if (t.kind == Kind::Name && k > b &&
            ((lineIf && isWord(k, u"Else")) || (stopAtThen && isWord(k, u"Then")))) {
            break;
        }
    }
    return k;
}

// The first MsgBox call in [b, e): the name alone or qualified by VBA and
// Interaction; a MsgBox member of anything else is not the function.
std::optional<Call> Reader::findCall(int b, int e) const {
    for (int k = b; k < e; ++k) {
        if (!isWord(k, u"MsgBox") || isSymbol(k + 1, u'.')) {
            continue;
        }
        int start = k;
        while (start - 2 >= b && isSymbol(start - 1, u'.') &&
               (isWord(start - 2, u"VBA") || isWord(start - 2, u"Interaction"))) {
            start -= 2;
        }
        if (start - 1 >= b && (isSymbol(start - 1, u'.') || isSymbol(start - 1, u'!'))) {
            continue;
        }
        return Call{start, k};
    }
    return std::nullopt;
}

// The first comma in [b, e) outside parentheses, or e.
int Reader::topLevelComma(int b, int e) const {
    int k = b;
    while (k < e && !isSymbol(k, u',')) {
        const int p = tok(k).partner;
        k = (isSymbol(k, u'(') && p > k && p < e) ? p + 1 : k + 1;
    }
    return k;
}

bool Reader::failBad(int k) {
    if (tok(k).ch == Unterminated) {
        return failAt(k, u"Die Zeichenkette ist nicht abgeschlossen."_s, true);
    }
    return failAt(k, u"Die Klammern sind tiefer als %1 Ebenen verschachtelt."_s.arg(MaxNesting),
                  true);
}

// ------------------------------------------------------------------ blocks

void Reader::push(BlockKind kind) {
    const bool loop = kind == BlockKind::Loop || inLoop();
    const int serial = int(m_open.size());
    m_open.push_back(1);
    m_blocks.push_back({kind, serial, loop});
    ++m_openCount[std::size_t(kind)];
}

// Closes the innermost open block of that kind and every block inside it; a
// closing word without an open block of its kind (a fragment pasted from the
// middle of a procedure) changes nothing.
void Reader::pop(BlockKind kind) {
    if (m_openCount[std::size_t(kind)] == 0) {
        return;
    }
    for (;;) {
        const Block block = m_blocks.back();
        m_blocks.pop_back();
        m_open[std::size_t(block.serial)] = 0;
        --m_openCount[std::size_t(block.kind)];
        if (block.kind == kind) {
            return;
        }
    }
}

void Reader::nextBranch(BlockKind kind) {
    if (m_blocks.empty() || m_blocks.back().kind != kind) {
        return;
    }
    Block& block = m_blocks.back();
    m_open[std::size_t(block.serial)] = 0;
    block.serial = int(m_open.size());
    m_open.push_back(1);
}

void Reader::closeLineBlocks() {
    while (!m_blocks.empty() && m_blocks.back().kind == BlockKind::LineIf) {
        pop(BlockKind::LineIf);
    }
}

// ------------------------------------------------------------------ variables

int Reader::findVariable(int k) const {
    return m_variableIndex.value(nameOf(k).toString().toCaseFolded(), -1);
}

int Reader::variable(int k) {
    const QString key = nameOf(k).toString().toCaseFolded();
    const auto found = m_variableIndex.constFind(key);
    if (found != m_variableIndex.constEnd()) {
        return found.value();
    }
    const int index = int(m_variables.size());
    m_variables.emplace_back();
    m_variableIndex.insert(key, index);
    return index;
}

// ------------------------------------------------------------------ statements

// Handles the statement starting at b and returns where the next one starts.
int Reader::statement(int b) {
    if (tok(b).kind == Kind::Number && !isEnd(b + 1)) {
        ++b; // a line number
    }
    const Keyword keyword = keywordAt(b);
    int bad = -1;

    if (keyword == Keyword::Else) {
        if (!m_blocks.empty() && m_blocks.back().kind == BlockKind::LineIf) {
            nextBranch(BlockKind::LineIf);
        } else {
            nextBranch(BlockKind::If);
        }
        return b + 1;
    }
    if (keyword == Keyword::If || keyword == Keyword::ElseIf) {
        if (keyword == Keyword::ElseIf) {
            nextBranch(BlockKind::If);
        }
        const int then = scanStatement(b + 1, true, bad);
        if (bad >= 0) {
            failBad(bad);
            return then;
        }
        if (const auto call = findCall(b + 1, then)) {
            readCall(b, then, *call, Place::Condition);
            return then;
        }
        if (!isWord(then, u"Then") || keyword == Keyword::ElseIf) {
            return then;
        }
        if (isEnd(then + 1)) {
            push(BlockKind::If);
            return then + 1;
        }
        push(BlockKind::LineIf);
        return then + 1;
    }

    const int e = scanStatement(b, false, bad);
    if (bad >= 0) {
        failBad(bad);
        return e;
    }
    const std::optional<Call> call = findCall(b, e);
    switch (keyword) {
    case Keyword::End:
        if (isWord(b + 1, u"If")) {
            pop(BlockKind::If);
        } else if (isWord(b + 1, u"Select")) {
            pop(BlockKind::Select);
        } else if (keywordAt(b + 1) == Keyword::Procedure ||
                   keywordAt(b + 1) == Keyword::Declaration) {
            pop(BlockKind::Procedure);
        }
        return e;
    case Keyword::Select:
        if (isWord(b + 1, u"Case")) {
            if (call) {
                readCall(b, e, *call, Place::Selector);
            } else {
                push(BlockKind::Select);
            }
            return e;
        }
        break;
    case Keyword::Case:
        nextBranch(BlockKind::Select);
        if (call) {
            readCall(b, e, *call, Place::Plain);
        }
        return e;
    case Keyword::For:
    case Keyword::Do:
    case Keyword::While:
        if (call) {
            readCall(b, e, *call, Place::Plain);
            return e;
        }
        if (keyword == Keyword::For) {
            forgetNamed(b + 1, e); // assigns the loop variable
        }
        push(BlockKind::Loop);
        return e;
    case Keyword::Loop:
    case Keyword::Next:
    case Keyword::Wend:
        if (call) {
            readCall(b, e, *call, Place::Plain);
            return e;
        }
        pop(BlockKind::Loop);
        return e;
    case Keyword::Procedure:
        forgetNamed(b + 1, e); // parameters hide variables of the same name
        push(BlockKind::Procedure);
        return e;
    case Keyword::Modifier:
        switch (keywordAt(b + 1)) {
        case Keyword::Procedure:
            forgetNamed(b + 2, e);
            push(BlockKind::Procedure);
            return e;
        case Keyword::Declaration:
            push(BlockKind::Procedure);
            return e;
        case Keyword::Const:
            constants(b + 2, e);
            return e;
        case Keyword::Declare:
            return e;
        default:
            declare(b + 1, e);
            return e;
        }
    case Keyword::Declaration:
        if (isName(b + 1)) {
            push(BlockKind::Procedure);
            return e;
        }
        break;
    case Keyword::Dim:
        declare(b + 1, e);
        return e;
    case Keyword::Const:
        constants(b + 1, e);
        return e;
    case Keyword::Debug:
        // Debug.Print only shows its arguments.
        if (isSymbol(b + 1, u'.') && isWord(b + 2, u"Print")) {
            if (call) {
                readCall(b, e, *call, Place::Plain);
            }
            return e;
        }
        break;
    default:
        break;
    }
    plain(b, e);
    return e;
}

// A statement without a keyword of its own: the call, an assignment, or
// something the reader skips.
void Reader::plain(int b, int e) {
    if (const auto call = findCall(b, e)) {
        readCall(b, e, *call, Place::Plain);
        return;
    }
    const int k = isWord(b, u"Let") ? b + 1 : b;
    if (isName(k) && isSymbol(k + 1, u'=')) {
        assign(k, k + 2, e);
        return;
    }
    forgetNamed(b, e);
}

// Dim, Public, Private, Static, Global: names separated by commas, each with
// optional bounds and As type.
void Reader::declare(int b, int e) {
    for (int k = b; k < e;) {
        const int end = topLevelComma(k, e);
        int n = isWord(k, u"WithEvents") ? k + 1 : k;
        if (n < end && isName(n)) {
            const bool array = isSymbol(n + 1, u'(');
            int as = -1;
            for (int j = n + 1; j < end; ++j) {
                if (isWord(j, u"As")) {
                    as = j;
                    break;
                }
            }
            const char16_t suffix = tok(n).ch;
            bool text = false;
            if (as < 0) {
                text = suffix == 0 || suffix == u'$';
            } else {
                // "As String * 10" is a text of fixed length: not what was assigned.
                text = as + 2 == end && (isWord(as + 1, u"String") || isWord(as + 1, u"Variant"));
            }
            text = text && !array;

            const int index = variable(n);
            Variable& v = m_variables[std::size_t(index)];
            v.untyped = as < 0 && suffix == 0;
            // A variable holds its value from the start of its procedure; a
            // Dim after an assignment in the same block does not clear it.
            if (v.state == Variable::Unset || !m_open[std::size_t(v.block)]) {
                v.fixedType = !text;
                v.state = text ? Variable::Known : Variable::Unknown;
                v.value = Text();
                v.why = u"Die Deklaration gibt ihm einen anderen Typ als String."_s;
                v.at = tok(n).offset;
                v.block = currentBlock();
                v.inLoop = inLoop();
            }
        }
        k = end + 1;
    }
}

// Const: names with optional As type, each with its value.
void Reader::constants(int b, int e) {
    for (int k = b; k < e && !m_finished;) {
        const int end = topLevelComma(k, e);
        int eq = k + 1;
        while (eq < end && !isSymbol(eq, u'=')) {
            ++eq;
        }
        if (isName(k) && eq < end) {
            assign(k, eq + 1, end);
        }
        k = end + 1;
    }
}

// name = expression: the value if it can be evaluated, else the variable
// becomes unknown with the cause. Only a too long value or an exhausted
// budget end the reading.
void Reader::assign(int nameToken, int b, int e) {
    const int index = variable(nameToken);
    Variable& declared = m_variables[std::size_t(index)];
    if (declared.fixedType) {
        // Keeps its declared type as long as its procedure runs.
        if (m_open[std::size_t(declared.block)]) {
            return;
        }
        declared.fixedType = false;
    }
    Reading r;
    r.label = nameOf(nameToken).toString();
    // The variable's own text is moved into the new value instead of copied
    // when it is read once only (Msg = Msg & "x", Msg = "x" & Msg).
    int reads = 0;
    const QStringView name = nameOf(nameToken);
    for (int k = b; k < e; ++k) {
        if (isName(k) && !isSymbol(k - 1, u'.') &&
            nameOf(k).compare(name, Qt::CaseInsensitive) == 0) {
            ++reads;
        }
    }
    if (reads == 1) {
        r.target = index;
    }

    const bool ok = b < e ? evalText(b, e, r) : failAt(e, u"Nach „=“ fehlt ein Wert."_s);
    if (m_fail.fatal) {
        m_finished = true;
        return;
    }
    Variable& v = m_variables[std::size_t(index)];
    v.block = currentBlock();
    v.inLoop = inLoop();
    if (ok) {
        v.state = Variable::Known;
        v.value = std::move(r.out);
        v.at = tok(nameToken).offset;
    } else {
        v.state = Variable::Unknown;
        v.value = Text();
        v.why = m_fail.root;
        v.at = m_fail.offset;
        m_fail = Failure();
    }
}

// A statement the reader skips may change any variable it names (a procedure
// gets its arguments by reference): those lose their known value.
void Reader::forgetNamed(int b, int e) {
    if (m_variables.empty()) {
        return;
    }
    for (int k = b; k < e; ++k) {
        if (!isName(k) || (k > b && isSymbol(k - 1, u'.'))) {
            continue;
        }
        const int index = findVariable(k);
        if (index < 0) {
            continue;
        }
        Variable& v = m_variables[std::size_t(index)];
        if (v.state == Variable::Known) {
            v.state = Variable::Unknown;
            v.value = Text();
            v.why = u"Die Anweisung hier kann ihn ändern."_s;
            v.at = tok(k).offset;
            v.block = currentBlock();
        }
    }
}

// ------------------------------------------------------------------ evaluation

// The value of a number token as the runtime reads it: decimal numbers up to
// 2147483647; &H and &O numbers up to 32 bits, those up to &HFFFF without a
// trailing & as 16-bit Integer (so &HFFFF is -1).
bool Reader::number(int k, qint64& value) {
    const QStringView text = textOf(k);
    const char16_t base = tok(k).ch;
    qsizetype i = base == u'd' ? 0 : 2;
    const int radix = base == u'h' ? 16 : base == u'o' ? 8 : 10;
    quint64 v = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int digit = -1;
        if (isDigit(c)) {
            digit = c - u'0';
        } else if (radix == 16 && isHexDigit(c)) {
            digit = (c | 0x20) - u'a' + 10;
        }
        if (digit < 0 || digit >= radix) {
            break;
        }
        v = v * quint64(radix) + quint64(digit);
        if (v > 0xFFFFFFFFull) {
            return failAt(k, u"Die Zahl %1 ist zu groß."_s.arg(shown(text)));
        }
    }
    const QStringView rest = text.sliced(i);
    if (radix == 10) {
        if (!rest.isEmpty() && !QStringView(u"%&").contains(rest.front())) {
            return failAt(k, u"%1 ist keine ganze Zahl."_s.arg(shown(text)));
        }
        if (v > quint64(std::numeric_limits<qint32>::max())) {
            return failAt(k, u"Die Zahl %1 ist zu groß."_s.arg(shown(text)));
        }
        value = qint64(v);
        return true;
    }
    const bool isLong = rest == u"&";
    if (!isLong && v <= 0xFFFF) {
        value = qint16(quint16(v));
    } else {
        value = qint32(quint32(v));
    }
    return true;
}

// Appends n characters to the text being read, within its length limit and
// the work budget.
bool Reader::put(Reading& r, const char16_t* p, qsizetype n, int k) {
    if (r.out.size() + n > MaxTextLength) {
        return failAt(k, u"%1 wird länger als 1 MiB."_s.arg(r.label), true);
    }
    r.out.append(p, n, m_work);
    return withinBudget(k);
}

bool Reader::evalText(int b, int e, Reading& r) {
    bool isNumber = false;
    return concatenation(b, e, r, isNumber);
}

// term { & term | + term }. In a text both join; joining is associative, so
// the terms are appended in order whatever the parentheses. A + next to a
// number would add, which the reader does not evaluate.
bool Reader::concatenation(int& k, int e, Reading& r, bool& isNumber) {
    if (!term(k, e, r, isNumber)) {
        return false;
    }
    while (k < e) {
        const int op = k;
        const bool plus = isSymbol(op, u'+');
        if (!plus && !isSymbol(op, u'&')) {
            return notUnderstood(op);
        }
        if (++k >= e) {
            return failAt(op, u"Nach „%1“ fehlt ein Wert."_s.arg(textOf(op)));
        }
        bool rightIsNumber = false;
        if (plus && isNumber) {
            return failAt(op, u"„+“ mit einer Zahl wird nicht ausgewertet."_s);
        }
        if (!term(k, e, r, rightIsNumber)) {
            return false;
        }
        if (plus && rightIsNumber) {
            return failAt(op, u"„+“ mit einer Zahl wird nicht ausgewertet."_s);
        }
        isNumber = false;
    }
    return true;
}

bool Reader::term(int& k, int e, Reading& r, bool& isNumber) {
    isNumber = false;
    if (k >= e) {
        return notUnderstood(k);
    }
    const Token& t = tok(k);
    switch (t.kind) {
    case Kind::String: {
        // The characters between the quotes, each doubled quote once.
        const char16_t* p = reinterpret_cast<const char16_t*>(m_src.data()) + t.offset + 1;
        const char16_t* const end = p + t.length - 2;
        const char16_t* run = p;
        for (; p != end; ++p) {
            if (*p == u'"') {
                if (!put(r, run, p - run + 1, k)) {
                    return false;
                }
                run = ++p + 1;
            }
        }
        if (!put(r, run, end - run, k)) {
            return false;
        }
        ++k;
        return true;
    }
    case Kind::Number: {
        qint64 value = 0;
        if (!number(k, value)) {
            return false;
        }
        const QString digits = QString::number(value);
        if (!put(r, reinterpret_cast<const char16_t*>(digits.utf16()), digits.size(), k)) {
            return false;
        }
        isNumber = true;
        ++k;
        return true;
    }
    case Kind::Symbol:
        if (t.ch == u'(') {
            const int close = t.partner;
            if (close < 0 || close >= e) {
                return failAt(k, u"Die Klammer wird nicht geschlossen."_s);
            }
            int inner = k + 1;
            if (inner == close) {
                return failAt(k, u"In der Klammer fehlt ein Wert."_s);
            }
            if (!concatenation(inner, close, r, isNumber)) {
                return false;
            }
            k = close + 1;
            return true;
        }
        return notUnderstood(k);
    case Kind::Name:
        return nameTerm(k, r);
    default:
        return notUnderstood(k);
    }
}

bool Reader::nameTerm(int& k, Reading& r) {
    const QStringView name = nameOf(k);
    const char16_t suffix = tok(k).ch;
    const bool chr =
        (suffix == 0 || suffix == u'$') && (name.compare(u"Chr", Qt::CaseInsensitive) == 0 ||
                                            name.compare(u"ChrW", Qt::CaseInsensitive) == 0);
    if (chr && isSymbol(k + 1, u'(') && tok(k + 1).partner > k + 1) {
        // Chr of a tab, a line break or a printable ASCII character: the same
        // in every code page.
        const int close = tok(k + 1).partner;
        qint64 code = -1;
        if (close == k + 3 && tok(k + 2).kind == Kind::Number && !number(k + 2, code)) {
            return false;
        }
        if (code == 9 || code == 10 || code == 13 || (code >= 32 && code <= 126)) {
            const char16_t c = char16_t(code);
            if (!put(r, &c, 1, k)) {
                return false;
            }
            k = close + 1;
            return true;
        }
        return failAt(k, u"%1 wird nicht ausgewertet."_s.arg(shown(textOf(k, close))));
    }
    if (suffix == 0) {
        for (const TextConstant& constant : TextConstants) {
            if (name.compare(constant.name, Qt::CaseInsensitive) == 0) {
                if (!put(r, reinterpret_cast<const char16_t*>(constant.value.data()),
                         constant.value.size(), k)) {
                    return false;
                }
                ++k;
                return true;
            }
        }
    }
    if (isSymbol(k + 1, u'(')) {
        return failAt(k, u"Die Funktion %1 wird nicht ausgewertet."_s.arg(shown(textOf(k))));
    }
    if (isSymbol(k + 1, u'.') || isSymbol(k + 1, u'!')) {
        int last = k;
        while ((isSymbol(last + 1, u'.') || isSymbol(last + 1, u'!')) && isName(last + 2)) {
            last += 2;
        }
        return failAt(k, u"%1 wird nicht ausgewertet."_s.arg(shown(textOf(k, last))));
    }
    if (suffix == 0) {
        if (styleConstant(name) >= 0) {
            return failAt(k, u"%1 ist kein Text."_s.arg(name));
        }
        for (QStringView word : ValueWords) {
            if (name.compare(word, Qt::CaseInsensitive) == 0) {
                return failAt(k, u"%1 wird nicht ausgewertet."_s.arg(name));
            }
        }
    }
    if (!readVariable(k, r)) {
        return false;
    }
    ++k;
    return true;
}

bool Reader::readVariable(int k, Reading& r) {
    const int index = findVariable(k);
    const QString name = shown(nameOf(k));
    if (index < 0 || m_variables[std::size_t(index)].state == Variable::Unset) {
        return failAt(k, u"Der Wert von %1 steht nicht im Text."_s.arg(name));
    }
    Variable& v = m_variables[std::size_t(index)];
    if (v.state == Variable::Unknown) {
        fail(v.at, u"Der Wert von %1 ist unbekannt: %2"_s.arg(name, v.why));
        m_fail.root = v.why;
        return false;
    }
    if (!m_open[std::size_t(v.block)] || v.inLoop) {
        return fail(v.at, u"Der Wert von %1 hängt vom Programmablauf ab."_s.arg(name));
    }
    r.untyped = r.untyped || v.untyped;
    if (r.out.size() + v.value.size() > MaxTextLength) {
        return failAt(k, u"%1 wird länger als 1 MiB."_s.arg(r.label), true);
    }
    if (index == r.target) {
        // Moved in: only what was read before it is copied.
        Text value = std::move(v.value);
        value.prepend(r.out.data(), r.out.size(), m_work);
        r.out = std::move(value);
        r.target = -1;
        return withinBudget(k);
    }
    return put(r, v.value.data(), v.value.size(), k);
}

// The text with every CR LF, lone CR and lone LF as one CR LF.
bool Reader::normalised(const Text& text, QString& out, int k, const QString& label) {
    const char16_t* const p = text.data();
    const qsizetype n = text.size();
    qsizetype length = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == CR || p[i] == LF) {
            if (p[i] == CR && i + 1 < n && p[i + 1] == LF) {
                ++i;
            }
            length += 2;
        } else {
            ++length;
        }
    }
    if (length > MaxTextLength) {
        return failAt(k, u"%1 wird länger als 1 MiB."_s.arg(label), true);
    }
    out.resize(length);
    char16_t* q = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == CR || p[i] == LF) {
            if (p[i] == CR && i + 1 < n && p[i + 1] == LF) {
                ++i;
            }
            *q++ = CR;
            *q++ = LF;
        } else {
            *q++ = p[i];
        }
    }
    m_work += length;
    return withinBudget(k);
}

// sum { Or sum }
bool Reader::buttonsOr(int& k, int e, qint64& value) {
    if (!buttonsSum(k, e, value)) {
        return false;
    }
    while (k < e && isWord(k, u"Or")) {
        ++k;
        qint64 right = 0;
        if (!buttonsSum(k, e, right)) {
            return false;
        }
        value = qint32(quint32(value) | quint32(right));
    }
    return true;
}

// primary { + primary }, in 32 bits as the style argument is a Long.
bool Reader::buttonsSum(int& k, int e, qint64& value) {
    if (!buttonsPrimary(k, e, value)) {
        return false;
    }
    while (k < e && isSymbol(k, u'+')) {
        const int op = k++;
        qint64 right = 0;
        if (!buttonsPrimary(k, e, right)) {
            return false;
        }
        value += right;
        if (value > std::numeric_limits<qint32>::max() ||
            value < std::numeric_limits<qint32>::min()) {
            return failAt(op, u"Die Summe ist zu groß (Überlauf)."_s);
        }
    }
    return true;
}

bool Reader::buttonsPrimary(int& k, int e, qint64& value) {
    if (k >= e) {
        return notUnderstood(k);
    }
    const Token& t = tok(k);
    if (t.kind == Kind::Number) {
        if (!number(k, value)) {
            return false;
        }
        m_pieces.push_back({k, value, -1});
        ++k;
        return true;
    }
    if (isSymbol(k, u'(')) {
        const int close = t.partner;
        if (close < 0 || close >= e) {
            return failAt(k, u"Die Klammer wird nicht geschlossen."_s);
        }
        int inner = k + 1;
        if (!buttonsOr(inner, close, value)) {
            return false;
        }
        if (inner != close) {
            return notUnderstood(inner);
        }
        k = close + 1;
        return true;
    }
    if (t.kind == Kind::Name) {
        const int constant = t.ch == 0 ? styleConstant(nameOf(k)) : -1;
        if (constant >= 0) {
            value = StyleConstants[constant].value;
            m_pieces.push_back({k, value, constant});
            ++k;
            return true;
        }
        if (isSymbol(k + 1, u'(')) {
            return failAt(k, u"Die Funktion %1 wird nicht ausgewertet."_s.arg(shown(textOf(k))));
        }
        return failAt(k, u"%1 ist keine MsgBox-Konstante."_s.arg(shown(textOf(k))));
    }
    return notUnderstood(k);
}

// The first piece of the buttons argument with those bits in mask.
const Piece* Reader::pieceWith(qint64 mask, qint64 bits) const {
    for (const Piece& piece : m_pieces) {
        if ((quint32(piece.value) & quint32(mask)) == quint32(bits)) {
            return &piece;
        }
    }
    return nullptr;
}

// Refuses a value the window cannot show, naming the constant that brought
// it in where there is one, else the value, at the piece that holds it.
bool Reader::checkButtons(qint64 value, int argToken) {
    const quint32 v = quint32(value);
    // Every bit some constant of the family can set.
    constexpr quint32 Named = 0x7 | vb::IconMask | vb::vbDefaultButton4 | vb::vbSystemModal |
                              vb::vbMsgBoxHelpButton | vb::vbMsgBoxSetForeground |
                              vb::vbMsgBoxRight | vb::vbMsgBoxRtlReading;
    auto where = [&](const Piece* piece) { return piece ? piece->token : argToken; };

    if (const quint32 unnamed = v & ~Named) {
        const quint32 bit = unnamed & (~unnamed + 1);
        const Piece* piece = pieceWith(bit, bit);
        if (piece && quint32(piece->value) != bit) {
            return failAt(piece->token,
                          u"%1 enthält den Wert %2, der zu keiner MsgBox-Konstante gehört."_s
                              .arg(shown(textOf(piece->token)))
                              .arg(bit));
        }
        return failAt(where(piece), u"Der Wert %1 gehört zu keiner MsgBox-Konstante."_s.arg(bit));
    }
    if (const quint32 set = v & vb::ButtonSetMask; set > vb::vbRetryCancel) {
        return failAt(where(pieceWith(vb::ButtonSetMask, set)),
                      u"Den Schaltflächenwert %1 kann das Fenster nicht darstellen."_s.arg(set));
    }
    if (const quint32 icon = v & vb::IconMask; icon > vb::vbInformation) {
        return failAt(where(pieceWith(vb::IconMask, icon)),
                      u"Den Symbolwert %1 kann das Fenster nicht darstellen."_s.arg(icon));
    }
    struct Unshown {
        quint32 mask;
        quint32 bits;
        const char16_t* valueText;
    };
    static constexpr Unshown unshown[] = {
        {vb::DefaultButtonMask, vb::vbDefaultButton4,
         u"Den Standardschaltflächenwert %1 kann das Fenster nicht darstellen."},
        {vb::vbMsgBoxSetForeground, vb::vbMsgBoxSetForeground,
         u"Den Wert %1 kann das Fenster nicht darstellen."},
        {vb::vbMsgBoxRight, vb::vbMsgBoxRight, u"Den Wert %1 kann das Fenster nicht darstellen."},
        {vb::vbMsgBoxRtlReading, vb::vbMsgBoxRtlReading,
         u"Den Wert %1 kann das Fenster nicht darstellen."},
    };
    for (const Unshown& entry : unshown) {
        if ((v & entry.mask) != entry.bits) {
            continue;
        }
        const Piece* piece = pieceWith(entry.mask, entry.bits);
        if (piece && piece->constant >= 0 &&
            StyleConstants[piece->constant].value == int(entry.bits)) {
            return failAt(piece->token, u"%1 kann das Fenster nicht darstellen."_s.arg(
                                            StyleConstants[piece->constant].name));
        }
        return failAt(where(piece), QStringView(entry.valueText).toString().arg(entry.bits));
    }
    return true;
}

// ------------------------------------------------------------------ the call

bool Reader::readCall(int b, int e, Call call, Place place) {
    m_finished = true;
    const int open = call.name + 1;
    const bool viaCall = isWord(b, u"Call") && call.start == b + 1;
    const bool statementForm = call.start == b || viaCall;
    const int close = isSymbol(open, u'(') ? tok(open).partner : -1;
    const bool parenthesised = close > open && close < e;
    if (isSymbol(open, u'(') && !parenthesised) {
        return failAt(open, u"Die Klammer wird nicht geschlossen."_s);
    }

    int argB = 0;
    int argE = 0;
    int after = e;
    if (!statementForm || viaCall) {
        if (!parenthesised) {
            return failAt(call.name, u"Nach MsgBox fehlen die Argumente in Klammern."_s);
        }
        argB = open + 1;
        argE = close;
        after = close + 1;
        if (viaCall && after != e) {
            return notUnderstood(after);
        }
    } else if (parenthesised && close + 1 == e) {
        // MsgBox("Text") and MsgBox("Text", vbYesNo) as statements.
        argB = open + 1;
        argE = close;
    } else {
        // MsgBox "Text", ... and MsgBox ("Text"), ...: the parentheses belong
        // to the first argument.
        argB = open;
        argE = e;
    }

    // Prompt, Buttons, Title, HelpFile, Context: by position, then by name.
    static constexpr QStringView ArgumentNames[] = {u"Prompt", u"Buttons", u"Title", u"HelpFile",
                                                    u"Context"};
    struct Argument {
        int b = -1;
        int e = -1;
    };
    std::array<Argument, 5> args;
    int position = 0;
    bool named = false;
    for (int k = argB; argB < argE;) {
        const int start = k;
        while (k < argE && !isSymbol(k, u',')) {
            if (isSymbol(k, u'(')) {
                const int p = tok(k).partner;
                if (p < 0 || p >= argE) {
                    return failAt(k, u"Die Klammer wird nicht geschlossen."_s);
                }
                k = p + 1;
            } else if (isSymbol(k, u')')) {
                return notUnderstood(k);
            } else {
                ++k;
            }
        }
        if (start + 1 < k && isName(start) && tok(start + 1).kind == Kind::NamedArg) {
            int slot = 0;
            while (slot < 5 && nameOf(start).compare(ArgumentNames[slot], Qt::CaseInsensitive)) {
                ++slot;
            }
            if (slot == 5 || tok(start).ch != 0) {
                return failAt(start, u"MsgBox hat kein Argument %1."_s.arg(shown(textOf(start))));
            }
            if (args[std::size_t(slot)].b >= 0) {
                return failAt(start, u"Das Argument %1 steht doppelt."_s.arg(ArgumentNames[slot]));
            }
            if (start + 2 == k) {
                return failAt(start + 1, u"Nach %1:= fehlt der Wert."_s.arg(textOf(start)));
            }
            args[std::size_t(slot)] = {start + 2, k};
            named = true;
        } else {
            if (named) {
                return failAt(start, u"Nach einem benannten Argument müssen alle benannt sein."_s);
            }
            if (position == 5) {
                return failAt(start, u"MsgBox hat höchstens fünf Argumente."_s);
            }
            if (start < k) {
                args[std::size_t(position)] = {start, k};
            } else if (k == argE && position > 0) {
                return failAt(start - 1, u"Nach dem Komma fehlt ein Argument."_s);
            }
            ++position;
        }
        if (k == argE) {
            break;
        }
        ++k;
    }
    if (args[0].b < 0) {
        return failAt(call.name, u"Der Meldungstext fehlt."_s);
    }

    // The arguments in the order of the text, so that the first fault is
    // reported first.
    std::array<int, 5> order{0, 1, 2, 3, 4};
    std::sort(order.begin(), order.end(),
              [&](int x, int y) { return args[std::size_t(x)].b < args[std::size_t(y)].b; });
    Reading prompt;
    prompt.label = u"Der Meldungstext"_s;
    Reading title;
    title.label = u"Der Titel"_s;
    qint64 buttons = 0;
    for (const int slot : order) {
        const Argument& arg = args[std::size_t(slot)];
        if (arg.b < 0) {
            continue;
        }
        if (slot == 0 && !evalText(arg.b, arg.e, prompt)) {
            return false;
        }
        if (slot == 2 && !evalText(arg.b, arg.e, title)) {
            return false;
        }
        if (slot == 1) {
            int k = arg.b;
            if (!buttonsOr(k, arg.e, buttons)) {
                return false;
            }
            if (k != arg.e) {
                return notUnderstood(k);
            }
            if (!checkButtons(buttons, arg.b)) {
                return false;
            }
        }
        // HelpFile and Context: accepted as they are.
    }

    ReadCall& result = m_call;
    result.codeStyle = toldStyle(b, e, call, after, place, prompt.untyped || title.untyped);
    const int style = result.codeStyle.value_or(m_currentStyle);
    if ((buttons & vb::vbMsgBoxHelpButton) && style == options::Vbs) {
        const Piece* piece = pieceWith(vb::vbMsgBoxHelpButton, vb::vbMsgBoxHelpButton);
        const bool byName = piece && piece->constant >= 0 &&
                            StyleConstants[piece->constant].value == vb::vbMsgBoxHelpButton;
        return failAt(piece ? piece->token : args[1].b,
                      u"Im Stil VBS gibt es keine Hilfeschaltfläche (%1)."_s.arg(
                          byName ? StyleConstants[piece->constant].name.toString()
                                 : QString::number(vb::vbMsgBoxHelpButton)));
    }

    if (!normalised(prompt.out, result.message, args[0].b, prompt.label)) {
        return false;
    }
    // The generators drop one final line break; one more keeps it shown.
    if (result.message.endsWith(u"\r\n")) {
        result.message += u"\r\n";
    }
    if (!normalised(title.out, result.title, args[2].b >= 0 ? args[2].b : call.name, title.label)) {
        return false;
    }
    result.icon = int(buttons & vb::IconMask);
    result.buttons = int(buttons & vb::ButtonSetMask);
    result.defaultButton = int(buttons & vb::DefaultButtonMask);
    result.systemModal = (buttons & vb::vbSystemModal) != 0;
    result.helpButton = (buttons & vb::vbMsgBoxHelpButton) != 0;
    result.defaultButtonChosen =
        result.defaultButton != 0 ||
        std::any_of(m_pieces.begin(), m_pieces.end(), [](const Piece& p) {
            return p.constant >= 0 &&
                   StyleConstants[p.constant].name.startsWith(u"vbDefaultButton");
        });
    return true;
}

// The code style the text tells (see the header), or nothing.
std::optional<int> Reader::toldStyle(int b, int e, Call call, int after, Place place,
                                     bool readsUntyped) const {
    if (place == Place::Condition) {
        return options::IfThenElse;
    }
    if (place == Place::Selector) {
        return options::SelectCase;
    }
    const int k = isWord(b, u"Let") ? b + 1 : b;
    const bool answer = isName(k) && isSymbol(k + 1, u'=') && call.start == k + 2 && after == e;
    if (answer) {
        const int test = nextStatementTests(e, k) ? 1 : 0;
        if (test != 0) {
            // The next statement is If or Select Case on the answer.
            int j = e;
            while (isEnd(j) && j + 1 < int(m_t.size())) {
                ++j;
            }
            return isWord(j, u"Select") ? options::SelectCase : options::IfThenElse;
        }
        const int index = findVariable(k);
        const bool untyped = index >= 0 && m_variables[std::size_t(index)].untyped;
        return (untyped || readsUntyped) ? options::Vbs : options::Einfach;
    }
    if (readsUntyped) {
        return options::Vbs;
    }
    return std::nullopt;
}

// Whether the statement after e is an If or ElseIf whose condition names the
// variable at token `answer`, or a Select Case on it.
bool Reader::nextStatementTests(int e, int answer) const {
    int j = e;
    while (isEnd(j) && j + 1 < int(m_t.size())) {
        ++j;
    }
    int from = -1;
    if (isWord(j, u"If") || isWord(j, u"ElseIf")) {
        from = j + 1;
    } else if (isWord(j, u"Select") && isWord(j + 1, u"Case")) {
        from = j + 2;
    } else {
        return false;
    }
    const QStringView name = nameOf(answer);
    for (int k = from; !isEnd(k) && !isWord(k, u"Then"); ++k) {
        if (isName(k) && !isSymbol(k - 1, u'.') &&
            nameOf(k).compare(name, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

ReadError Reader::error(qsizetype offset, const QString& reason) const {
    ReadError error;
    error.offset = std::clamp<qsizetype>(offset, 0, m_src.size());
    qsizetype lineStart = 0;
    int line = 1;
    for (qsizetype i = 0; i < error.offset; ++i) {
        const QChar c = m_src[i];
        if (c == CR || c == LF) {
            if (c == CR && i + 1 < error.offset && m_src[i + 1] == LF) {
                ++i;
            }
            ++line;
            lineStart = i + 1;
        }
    }
    error.line = line;
    error.column = int(error.offset - lineStart + 1);
    error.reason = reason;
    error.text = u"Zeile %1, Spalte %2: %3"_s.arg(error.line).arg(error.column).arg(reason);
    return error;
}

ReadResult Reader::run() {
    if (m_src.size() > MaxSourceLength) {
        return error(MaxSourceLength,
                     u"Der Text ist länger als 1 MiB (%1 Zeichen)."_s.arg(MaxSourceLength));
    }
    m_t = tokenize(m_src);
    m_budget = 4 * m_src.size() + 4 * MaxTextLength;
    const int n = int(m_t.size());
    for (int i = 0; i < n && !m_finished;) {
        if (isEnd(i)) {
            if (tok(i).ch == LF) {
                closeLineBlocks();
            }
            ++i;
            continue;
        }
        i = statement(i);
        if (m_fail.fatal) {
            m_finished = true;
        }
    }
    if (!m_finished) {
        return error(0, u"Im Text steht kein MsgBox-Aufruf."_s);
    }
    if (!m_fail.reason.isEmpty()) {
        return error(m_fail.offset, m_fail.reason);
    }
    return std::move(m_call);
}

} // namespace

ReadResult readMsgBoxCall(QStringView source, int currentCodeStyle) {
    try {
        return Reader(source, currentCodeStyle).run();
    } catch (const std::bad_alloc&) {
        ReadError error;
        error.reason = u"Nicht genug Speicher, um den Text zu lesen."_s;
        error.text = u"Zeile 1, Spalte 1: "_s + error.reason;
        return error;
    }
}

void applyReadCall(Definition& definition, const ReadCall& call) {
    const Definition::Batch batch(definition);
    // The style first: "VBS" clears the help button, which the reader never
    // gives together with it.
    if (call.codeStyle)
        definition.selectCode(*call.codeStyle);
    // The button set's handler resets the default button, so the call's
    // default button is selected after it.
    definition.selectButtons(call.buttons);
    definition.selectDefaultButton(call.defaultButton);
    definition.selectIcon(call.icon);
    definition.setSystemModal(call.systemModal ? Definition::Checked : Definition::Unchecked);
    definition.setHelpButton(call.helpButton ? Definition::Checked : Definition::Unchecked);
    definition.setTitle(call.title);
    definition.setMessage(call.message);
}

} // namespace veltrano
