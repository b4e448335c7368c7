#include "app/textboxes.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace veltrano {

bool holdsNul(QStringView text) {
    return text.contains(QChar(u'\0'));
}

QValidator::State NoNulValidator::validate(QString& input, int& /*position*/) const {
    return holdsNul(input) ? Invalid : Acceptable;
}

void MessageTextEdit::insertFromMimeData(const QMimeData* source) {
    // A paste, or a drop of text, goes through here.
    if (source && holdsNul(source->text())) {
        emit refused();
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

void MessageTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!holdsNul(event->commitString())) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    // The composition goes on; only the text it would put in is dropped.
    QInputMethodEvent kept(event->preeditString(), event->attributes());
    QPlainTextEdit::inputMethodEvent(&kept);
    event->accept();
    emit refused();
}

void MessageTextEdit::keyPressEvent(QKeyEvent* event) {
    // The box checks only the first character of a key's text.
    if (holdsNul(event->text())) {
        event->accept();
        emit refused();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace veltrano
