#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QValidator>

class QInputMethodEvent;
class QKeyEvent;
class QMimeData;

namespace veltrano {

// The title and message boxes take no NUL character: a definition file
// cannot hold one (Open refuses such a file), so a NUL must never reach the
// definition. Text holding one, typed, pasted or put in by an input method,
// is refused whole and the box stays as it was. Drags of such text are
// refused by FileDrop.
bool holdsNul(QStringView text);

// The title box's validator. QLineEdit undoes an edit it finds invalid and
// reports it through inputRejected().
class NoNulValidator : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

// The message box.
class MessageTextEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    using QPlainTextEdit::QPlainTextEdit;

signals:
    // Text holding a NUL was refused.
    void refused();

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace veltrano
