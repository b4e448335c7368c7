#pragma once

// What the reader knows at a point of the source: the blocks open there
// (If, Select Case, loops, procedures) and the variables with what is known
// of their values. A value counts only where the text shows it for sure, so
// each variable remembers the block and the loop of its last assignment.

#include "core/reader/text.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <vector>

namespace veltrano::reader {

// Try and each Catch are branches of a Try block: which of them ran is not
// known.
// A Directive is a block of conditional compilation (#If, C#'s #if).
enum class BlockKind : std::uint8_t { If, LineIf, Select, Loop, Procedure, Directive, Try, Count };

struct Variable {
    enum State : std::uint8_t { Unset, Known, Unknown };
    State state = Unset;
    bool fixedType = false; // declared with a type other than String or Variant
    bool untyped = false;   // declared by Dim without As
    bool inLoop = false;    // last assigned inside a loop
    bool number = false;    // holds a number (Basic's + adds it)
    bool constant = false;  // a constant: the same in every procedure
    bool declared = false;  // the text declares it (Dim, a C# declaration)
    bool window = false;    // declared with the type of a window
    bool shell = false;     // holds the WScript.Shell object (Set x = CreateObject(...))
    bool object = false;    // C++: a string object (std::wstring), which + joins and += extends
    int block = 0;          // serial of the block of the last assignment
    int procedure = 0;      // serial of the procedure of the last assignment, 0 outside any
    int epoch = 0;          // forgetAll() calls before the last assignment
    qsizetype at = 0;       // where it was last assigned, or the cause of Unknown
    QString why;            // the cause of Unknown
    Text value;
};

class Scope {
public:
    // Basic's names ignore letter case, C#'s do not.
    explicit Scope(bool caseSensitive = false) : m_caseSensitive(caseSensitive) {}

    // --- blocks. Each branch of an If or Select Case gets a serial of its
    // own, so that a value assigned in one branch is not taken as known in
    // another or after the block. Serial 0 is the text outside any block.
    void open(BlockKind kind);
    // Closes the innermost open block of that kind and every block inside
    // it; a closing word without an open block of its kind (a fragment pasted
    // from the middle of a procedure) changes nothing.
    void close(BlockKind kind);
    // Starts the next branch of the innermost block if it is of that kind.
    void nextBranch(BlockKind kind);
    void closeLineBlocks();
    bool innermostIs(BlockKind kind) const {
        return !m_blocks.empty() && m_blocks.back().kind == kind;
    }
    int currentBlock() const { return m_blocks.empty() ? 0 : m_blocks.back().serial; }
    int currentProcedure() const { return m_blocks.empty() ? 0 : m_blocks.back().procedure; }
    bool anyOpen(BlockKind kind) const { return m_openCount[std::size_t(kind)] > 0; }
    // Records that v is assigned here, now.
    void stamp(Variable& v) const {
        v.block = currentBlock();
        v.inLoop = inLoop();
        v.procedure = currentProcedure();
        v.epoch = int(m_forgets.size());
    }

    // --- a statement that may change any variable without naming it (a
    // procedure of the text, Execute, a jump target): every value assigned
    // before it is unknown from here on, with this cause. Constant time.
    struct Forget {
        qsizetype at;
        QString why;
    };
    void forgetAll(qsizetype at, const QString& why) { m_forgets.push_back({at, why}); }
    // The forgetAll() that took v's value, or nullptr.
    const Forget* forgotten(const Variable& v) const {
        return v.constant || std::size_t(v.epoch) >= m_forgets.size()
                   ? nullptr
                   : &m_forgets[std::size_t(v.epoch)];
    }
    bool inLoop() const { return !m_blocks.empty() && m_blocks.back().loop; }
    bool isOpen(int serial) const { return m_open[std::size_t(serial)] != 0; }

    // --- variables, by name (in any letter case unless case-sensitive).
    bool hasVariables() const { return !m_variables.empty(); }
    bool sameName(QStringView a, QStringView b) const {
        return a.compare(b, m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
    }
    // The index of the variable of that name, or -1.
    int find(QStringView name) const {
        // Most names a text evaluates are no variable (vbCrLf, Chr ...):
        // their length alone tells so, without building a key.
        if ((m_lengths & (quint64(1) << (name.size() & 63))) == 0) {
            return -1;
        }
        return m_index.value(key(name), -1);
    }
    // The index of the variable of that name, made Unset if it is new.
    int variable(QStringView name);
    Variable& operator[](int index) { return m_variables[std::size_t(index)]; }
    const Variable& operator[](int index) const { return m_variables[std::size_t(index)]; }

private:
    struct Block {
        BlockKind kind;
        int serial;
        bool loop;     // this block or one around it repeats
        int procedure; // serial of the innermost procedure around it, 0 for none
    };

    std::vector<Block> m_blocks;
    std::vector<char> m_open{1}; // by serial
    std::array<int, std::size_t(BlockKind::Count)> m_openCount{};

    QString key(QStringView name) const {
        return m_caseSensitive ? name.toString() : name.toString().toCaseFolded();
    }

    bool m_caseSensitive;
    QHash<QString, int> m_index; // name (case-folded unless case-sensitive) -> index
    std::vector<Variable> m_variables;
    std::vector<Forget> m_forgets;
    quint64 m_lengths = 0; // bit n: a variable's name has a length of n modulo 64
};

} // namespace veltrano::reader
