#pragma once

#include "core/msgbox.h"
#include "core/optiontables.h"
#include "core/vberror.h"

#include <QObject>
#include <QString>

#include <array>

namespace veltrano {

// The one message box definition the main window edits. It holds one
// msgbox::Value and the rules of the option handlers that keep it valid,
// and tells its changes. The window displays it and forwards clicks to it;
// files, the generators and the preview read its value. Only its own
// handlers change it.
class Definition : public QObject {
    Q_OBJECT

public:
    enum Change {
        IconChanged = 0x001,
        ButtonsChanged = 0x002,
        DefaultButtonChanged = 0x004,
        CodeChanged = 0x008,
        SystemModalChanged = 0x010,
        HelpButtonChanged = 0x020,
        TitleChanged = 0x040,
        MessageChanged = 0x080,
        DefaultButtonOptionsChanged = 0x100, // captions or visibility
        HelpMarkerChanged = 0x200,           // visibility of cmdHilfeButton
        AllChanged = 0x3ff,
    };
    Q_DECLARE_FLAGS(Changes, Change)
    Q_FLAG(Changes)

    // Check box values: 0 clear, 1 ticked, 2 dimmed (counts as clear).
    enum CheckState : int { Unchecked = 0, Checked = 1, Grayed = 2 };

    // The start state of the window: the value's defaults, no default
    // button chosen yet.
    explicit Definition(QObject* parent = nullptr);

    // Collects the changes made while it lives into one changed() signal,
    // sent when the outermost batch ends, with what differs then from its
    // start (none if nothing does: a refused tick, a choice made again).
    // Every public mutator opens one, so a single user action emits one
    // signal; callers that make several selections in a row may open their
    // own around them.
    class Batch {
    public:
        explicit Batch(Definition& definition);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        Definition& m_definition;
    };

    const msgbox::Value& value() const { return m_value; }

    // Makes the definition hold the value in one batch, as Open, New, the
    // code reader and the command line do: code style, icon, button set and
    // default button are selected as clicks select them, then the check
    // boxes, title and message are set. So the rules hold as for a user's
    // clicks: "VBS" refuses the help button, the title stays one line, and
    // a value that names no default button gets the first one, except on a
    // definition that never had one chosen and keeps its button set. A check
    // box whose tick the value keeps is left as it is (a dimmed box stays
    // dimmed). Applying a definition's own value changes nothing. A value
    // naming no option of a group throws vb::Error(9) and changes nothing.
    void apply(const msgbox::Value& value);

    // --- selections -----------------------------------------------------
    // Selecting an option by program has the effect of a user's click: the
    // group's handler runs, also when that option is already selected.
    // An index that names no option of the group throws vb::Error(9) and
    // changes nothing.
    void selectIcon(int index);
    void selectButtons(int index);
    void selectDefaultButton(int index);
    void selectCode(int index);

    // The selected option of each group, by its index; the first default
    // button while none was chosen.
    int selectedIcon() const { return int(m_value.icon); }
    int selectedButtons() const { return int(m_value.buttons); }
    int selectedDefaultButton() const {
        return int(m_value.defaultButton.value_or(msgbox::DefaultButton::First));
    }
    int selectedCode() const { return int(m_value.code); }

    // --- check boxes ----------------------------------------------------
    int systemModal() const { return checkState(m_value.systemModal, m_systemModalDimmed); }
    int helpButton() const { return checkState(m_value.helpButton, m_helpButtonDimmed); }
    // Values outside 0..2 throw vb::Error(380) and change nothing.
    void setSystemModal(int value);
    // Setting a different value runs the check box's handler, as a click
    // does; under the code style "VBS" the tick is refused and the box stays
    // clear.
    void setHelpButton(int value);
    bool isSystemModalTicked() const { return m_value.systemModal; }
    bool isHelpButtonTicked() const { return m_value.helpButton; }

    // --- texts ----------------------------------------------------------
    const QString& title() const { return m_value.title; }
    const QString& message() const { return m_value.message; }
    void setTitle(const QString& text); // line breaks become blanks
    void setMessage(const QString& text);

    // --- what the window shows besides the selections --------------------
    // Caption and visibility of the default-button option 0, 256 or 512.
    // The captions are history: before the first button-set choice they are
    // the window's start captions, afterwards the names of the set's
    // buttons, and a hidden option keeps the caption it had.
    QString defaultButtonCaption(int index) const;
    bool isDefaultButtonVisible(int index) const;
    bool isHelpMarkerVisible() const { return msgbox::isHelpMarkerVisible(m_value); }

signals:
    void changed(Definition::Changes what);

private:
    static int checkState(bool ticked, bool dimmed) {
        return ticked ? Checked : (dimmed ? Grayed : Unchecked);
    }
    void select(options::Group group, int index);
    // The option handlers, run after the selection has been made.
    void buttonsSelected();
    void codeSelected(msgbox::CodeStyle code);
    void helpButtonClicked();
    void notify(Changes what);

    msgbox::Value m_value;
    bool m_systemModalDimmed = false;
    bool m_helpButtonDimmed = false;
    std::array<QString, 3> m_defaultCaptions;

    // What a batch compares at its end; title and message report their own
    // changes.
    struct Shown {
        msgbox::Icon icon;
        msgbox::Buttons buttons;
        std::optional<msgbox::DefaultButton> defaultButton;
        msgbox::CodeStyle code;
        int systemModal;
        int helpButton;
        std::array<QString, 3> defaultCaptions;
    };
    Shown shown() const;
    int m_batchDepth = 0;
    Changes m_pending;
    Shown m_atBatchStart;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Definition::Changes)

} // namespace veltrano
