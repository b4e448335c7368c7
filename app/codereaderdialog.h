#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace veltrano {

class Definition;
struct Services;

// "Code einlesen": the user pastes (or finds already filled in from the
// clipboard) Basic source holding a MsgBox call; "Übernehmen" reads the first
// call into the definition and closes. Text the reader does not understand
// keeps the dialog open with the reason under the box and the cursor at the
// place named; the definition stays as it was.
class CodeReaderDialog : public QDialog {
    Q_OBJECT

public:
    CodeReaderDialog(Definition& definition, Services& services, QWidget* parent = nullptr);

    QPlainTextEdit* sourceBox() const { return m_source; }
    QLabel* messageLabel() const { return m_message; }
    QPushButton* applyButton() const { return m_apply; }

    // "Übernehmen": reads the box; closes when the call was read.
    void apply();

private:
    void showMessage(const QString& text);

    Definition& m_definition;
    Services& m_services;
    QPlainTextEdit* m_source = nullptr;
    QLabel* m_message = nullptr;
    QPushButton* m_apply = nullptr;
};

} // namespace veltrano
