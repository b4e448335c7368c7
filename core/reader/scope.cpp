#include "core/reader/scope.h"

namespace veltrano::reader {

void Scope::open(BlockKind kind) {
    const bool loop = kind == BlockKind::Loop || inLoop();
    const int serial = int(m_open.size());
    m_open.push_back(1);
    const int procedure = kind == BlockKind::Procedure ? serial : currentProcedure();
    m_blocks.push_back({kind, serial, loop, procedure});
    ++m_openCount[std::size_t(kind)];
}

void Scope::close(BlockKind kind) {
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

void Scope::nextBranch(BlockKind kind) {
    if (!innermostIs(kind)) {
        return;
    }
    Block& block = m_blocks.back();
    m_open[std::size_t(block.serial)] = 0;
    block.serial = int(m_open.size());
    m_open.push_back(1);
}

void Scope::closeLineBlocks() {
    while (innermostIs(BlockKind::LineIf)) {
        close(BlockKind::LineIf);
    }
}

int Scope::variable(QStringView name) {
    const QString folded = key(name);
    const auto found = m_index.constFind(folded);
    if (found != m_index.constEnd()) {
        return found.value();
    }
    const int index = int(m_variables.size());
    m_lengths |= quint64(1) << (name.size() & 63);
    m_variables.emplace_back();
    m_index.insert(folded, index);
    return index;
}

} // namespace veltrano::reader
