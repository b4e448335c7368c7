#pragma once

#include <QObject>
#include <QString>

class QTextDocument;

namespace veltrano {

// The text of a text box as the user typed it. toPlainText() turns a
// non-breaking space into a blank and a line separator (U+2028) into a line
// feed; the raw text keeps both, and every block break becomes CR LF.
namespace rawtext {

QString of(const QTextDocument& document);

} // namespace rawtext

// Keeps the raw text of a document current as it is edited, at a cost that
// depends on the size of each edit and not on the size of the text, so that
// typing stays quick in a message of a megabyte.
class RawTextMirror : public QObject {
    Q_OBJECT

public:
    explicit RawTextMirror(QTextDocument& document, QObject* parent = nullptr);

    // Always equal to rawtext::of(document).
    const QString& text() const { return m_text; }

signals:
    void changed();

private:
    void apply(int position, int removed, int added);
    void resync();
    // Index in m_text of a document position.
    qsizetype indexOf(int position) const;

    QTextDocument& m_document;
    QString m_text;
    int m_length = 0; // characters of the document, without its final block end
};

} // namespace veltrano
