#pragma once

#include "core/msgboxtables.h"
#include "platform/messagebox.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStyle>

class QLabel;
class QPushButton;
class QScrollArea;

namespace veltrano {

// What a Basic style value asks of the box, worked out without any widget.
namespace msgbox {

// The button set of the style (style & 15); an unknown set shows the OK
// button alone.
const ButtonSetFacts& buttonSetOf(int style);
// Position of the default button among the set's buttons: 256 the second,
// 512 the third, anything the set does not have the first.
int defaultButtonIndex(int style);
// What Esc and the close button answer, or nothing when the box has no
// cancel choice and cannot be dismissed that way.
std::optional<Answer> escapeAnswer(int style);
// The platform picture of the style's icon (style & 0x70), or
// QStyle::SP_CustomBase when the box has none.
QStyle::StandardPixmap iconFor(int style);

} // namespace msgbox

// The message box of the program: icon, plain text that scrolls when it does
// not fit the screen, a row of buttons and an optional "Hilfe" button that
// does not close it. exec() returns the msgbox::Answer of the button pressed,
// found by the button's place in its set.
class MessageBoxDialog : public QDialog {
    Q_OBJECT

public:
    explicit MessageBoxDialog(const MessageBoxRequest& request, QWidget* parent = nullptr);

    // The answer buttons in their order, without "Hilfe".
    const QList<QPushButton*>& answerButtons() const { return m_buttons; }
    QPushButton* helpButton() const { return m_helpButton; }
    QLabel* iconLabel() const { return m_icon; }
    QLabel* textLabel() const { return m_text; }
    QScrollArea* textArea() const { return m_area; }

    void reject() override;

signals:
    // "Hilfe" was pressed; the box stays open.
    void helpRequested(const QString& helpFile, int helpContext);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildIcon(int style);
    void buildText(const QString& text);
    void buildButtons(const MessageBoxRequest& request);
    void fitTextArea();

    int m_style = 0;
    bool m_keepLines = false;
    QLabel* m_icon = nullptr;
    QLabel* m_text = nullptr;
    QScrollArea* m_area = nullptr;
    QList<QPushButton*> m_buttons;
    QPushButton* m_helpButton = nullptr;
};

} // namespace veltrano
