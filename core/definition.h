#pragma once

#include "core/optiontables.h"
#include "core/vberror.h"

#include <QObject>
#include <QString>

#include <array>

namespace veltrano {

// The one message box definition the main window edits: which option of each
// group is selected, the two check boxes, title and message, the state the
// option handlers keep in step, and what the default-button options and the
// "Hilfe" marker show. The window displays this object and forwards clicks
// to it; the generators read it. Only its own handlers change it.
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

    // The values and constant names the option handlers keep in step with
    // the selections; the generators and the definition file read them.
    struct State {
        int iconValue = 0;
        QString iconName;
        int buttonsValue = 0;
        QString buttonsName;
        int defaultButtonValue = 0;
        QString defaultButtonName;
        int codeValue = 0;
    };

    // The start state of the window, with the button-set constant name preset
    // to "vbOKOnly" as start-up does.
    explicit Definition(QObject* parent = nullptr);

    // Collects the changes made while it lives into one changed() signal,
    // sent when the outermost batch ends (none if nothing changed). Every
    // public mutator opens one, so a single user action emits one signal;
    // callers that make several selections in a row (New, Open) may open
    // their own around them.
    class Batch {
    public:
        explicit Batch(Definition& definition);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        Definition& m_definition;
    };

    // --- selections -----------------------------------------------------
    // Selecting an option by program has the effect of a user's click: the
    // group's handler runs, also when that option is already selected.
    // An index that names no option of the group throws vb::Error(9) and
    // changes nothing.
    void selectIcon(int index);
    void selectButtons(int index);
    void selectDefaultButton(int index);
    void selectCode(int index);

    int selectedIcon() const { return m_selected[0]; }
    int selectedButtons() const { return m_selected[1]; }
    int selectedDefaultButton() const { return m_selected[2]; }
    int selectedCode() const { return m_selected[3]; }
    int selected(options::Group group) const { return m_selected[static_cast<int>(group)]; }
    bool isSelected(options::Group group, int index) const { return selected(group) == index; }

    // --- check boxes ----------------------------------------------------
    int systemModal() const { return m_systemModal; }
    int helpButton() const { return m_helpButton; }
    // Values outside 0..2 throw vb::Error(380) and change nothing.
    void setSystemModal(int value);
    // Setting a different value runs the check box's handler, as a click
    // does; under the code style "VBS" the tick is refused and the box stays
    // clear.
    void setHelpButton(int value);
    bool isSystemModalTicked() const { return m_systemModal == Checked; }
    bool isHelpButtonTicked() const { return m_helpButton == Checked; }

    // --- texts ----------------------------------------------------------
    const QString& title() const { return m_title; }
    const QString& message() const { return m_message; } // line breaks CR LF
    void setTitle(const QString& text);                  // line breaks become blanks
    void setMessage(const QString& text);

    // --- what the window shows besides the selections --------------------
    // Caption and visibility of the default-button option 0, 256 or 512.
    QString defaultButtonCaption(int index) const;
    bool isDefaultButtonVisible(int index) const;
    bool isHelpMarkerVisible() const { return m_helpMarkerVisible; }

    // --- state kept by the handlers ---------------------------------------
    const State& state() const { return m_state; }

signals:
    void changed(Definition::Changes what);

private:
    void select(options::Group group, int index);
    // The option handlers, run after the selection has been made.
    void buttonsSelected(int index);
    void iconSelected(int index);
    void defaultButtonSelected(int index);
    void codeSelected(int index);
    void helpButtonClicked();
    void notify(Changes what);
    static int slotOfDefaultButton(int index);

    std::array<int, 4> m_selected{0, 0, 0, 0};
    int m_systemModal = Unchecked;
    int m_helpButton = Unchecked;
    QString m_title;
    QString m_message;
    std::array<QString, 3> m_defaultCaptions;
    std::array<bool, 3> m_defaultVisible{true, false, false};
    bool m_helpMarkerVisible = false;
    State m_state;
    int m_batchDepth = 0;
    Changes m_pending;
    int m_helpButtonAtBatchStart = Unchecked; // a refused tick is no change
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Definition::Changes)

} // namespace veltrano
