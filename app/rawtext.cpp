#include "app/rawtext.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace {

constexpr QChar BlockBreak = QChar::ParagraphSeparator;

int lengthOf(const QTextDocument& document) {
    return std::max(0, document.characterCount() - 1);
}

QString withCrLf(QString text) {
    return text.replace(BlockBreak, u"\r\n"_s);
}

} // namespace

namespace rawtext {

QString of(const QTextDocument& document) {
    return withCrLf(document.toRawText());
}

} // namespace rawtext

RawTextMirror::RawTextMirror(QTextDocument& document, QObject* parent)
    : QObject(parent), m_document(document) {
    resync();
    connect(&m_document, &QTextDocument::contentsChange, this, &RawTextMirror::apply);
}

void RawTextMirror::resync() {
    m_text = rawtext::of(m_document);
    m_length = lengthOf(m_document);
}

qsizetype RawTextMirror::indexOf(int position) const {
    // Every block before the position ends in one break, which the mirror
    // writes as two characters.
    return qsizetype(position) + m_document.findBlock(position).blockNumber();
}

void RawTextMirror::apply(int position, int removed, int added) {
    const int length = lengthOf(m_document);
    // A change that replaces the whole document counts its final block end
    // too; a change whose figures do not add up is read afresh.
    removed = std::min(removed, m_length - position);
    added = std::min(added, length - position);
    if (position < 0 || removed < 0 || added < 0 || m_length - removed + added != length) {
        resync();
        emit changed();
        return;
    }

    // The text before the position is unchanged, so is its block count.
    const qsizetype start = indexOf(position);
    qsizetype end = start;
    for (int i = 0; i < removed; ++i)
        end += m_text[end] == u'\r' ? 2 : 1;

    QString inserted;
    if (added > 0) {
        QTextCursor cursor(&m_document);
        cursor.setPosition(position);
        cursor.setPosition(position + added, QTextCursor::KeepAnchor);
        inserted = withCrLf(cursor.selectedText());
    }
    m_text.replace(start, end - start, inserted);
    m_length = length;
    emit changed();
}

} // namespace veltrano
