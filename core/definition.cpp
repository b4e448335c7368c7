#include "core/definition.h"

#include "core/msgboxtables.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano {

using msgbox::Buttons;
using msgbox::CodeStyle;
using msgbox::DefaultButton;
using msgbox::Icon;
using options::Group;

namespace {

// Assigns value to member and tells whether that changed anything.
template <typename T, typename U> bool assign(T& member, U&& value) {
    if (member == value) {
        return false;
    }
    member = std::forward<U>(value);
    return true;
}

void checkBoxValueOrThrow(int value) {
    if (value < Definition::Unchecked || value > Definition::Grayed) {
        throw vb::Error(vb::InvalidPropertyValue);
    }
}

// The default-button options by their place: 0, 256 and 512; -1 for an
// index that names none.
int slotOfDefaultButton(int index) {
    const std::optional<DefaultButton> button = msgbox::defaultButtonOf(index);
    return button ? msgbox::place(*button) : -1;
}

} // namespace

Definition::Batch::Batch(Definition& definition) : m_definition(definition) {
    if (m_definition.m_batchDepth++ == 0) {
        m_definition.m_atBatchStart = m_definition.shown();
    }
}

Definition::Batch::~Batch() {
    Definition& d = m_definition;
    if (--d.m_batchDepth != 0) {
        return;
    }
    // A handler that ran again, or a tick the box refused under "VBS",
    // leaves its part as it was: no change.
    const Shown& a = d.m_atBatchStart;
    const Shown b = d.shown();
    d.m_pending.setFlag(IconChanged, a.icon != b.icon);
    d.m_pending.setFlag(ButtonsChanged, a.buttons != b.buttons);
    d.m_pending.setFlag(DefaultButtonChanged, a.defaultButton != b.defaultButton);
    d.m_pending.setFlag(CodeChanged, a.code != b.code);
    d.m_pending.setFlag(SystemModalChanged, a.systemModal != b.systemModal);
    d.m_pending.setFlag(HelpButtonChanged, a.helpButton != b.helpButton);
    d.m_pending.setFlag(HelpMarkerChanged, (a.helpButton == Checked) != (b.helpButton == Checked));
    d.m_pending.setFlag(DefaultButtonOptionsChanged,
                        a.defaultCaptions != b.defaultCaptions ||
                            msgbox::facts(a.buttons).count != msgbox::facts(b.buttons).count);
    if (d.m_pending) {
        const Changes what = std::exchange(d.m_pending, Changes());
        emit d.changed(what);
    }
}

Definition::Shown Definition::shown() const {
    return {m_value.icon,  m_value.buttons, m_value.defaultButton, m_value.code,
            systemModal(), helpButton(),    m_defaultCaptions};
}

Definition::Definition(QObject* parent) : QObject(parent) {
    for (std::size_t slot = 0; slot < m_defaultCaptions.size(); ++slot) {
        m_defaultCaptions[slot] = options::table(Group::DefaultButton)[slot].caption;
    }
}

void Definition::notify(Changes what) {
    Batch batch(*this);
    m_pending |= what;
}

void Definition::apply(const msgbox::Value& value) {
    // Checked whole first, so that a value naming no option changes nothing.
    options::require(Group::Code, int(value.code));
    options::require(Group::Icons, int(value.icon));
    options::require(Group::Buttons, int(value.buttons));
    if (value.defaultButton) {
        options::require(Group::DefaultButton, int(*value.defaultButton));
    }
    const Batch batch(*this);
    selectCode(int(value.code));
    selectIcon(int(value.icon));
    // The button set's handler resets the default button, so the value's
    // default button is selected after it. A value that names none leaves a
    // definition that never had one chosen without, as long as its button
    // set stays; otherwise the set's handler chooses the first.
    if (value.defaultButton || m_value.defaultButton || value.buttons != m_value.buttons) {
        selectButtons(int(value.buttons));
    }
    if (value.defaultButton) {
        selectDefaultButton(int(*value.defaultButton));
    }
    if (value.systemModal != isSystemModalTicked()) {
        setSystemModal(value.systemModal ? Checked : Unchecked);
    }
    if (value.helpButton != isHelpButtonTicked()) {
        setHelpButton(value.helpButton ? Checked : Unchecked);
    }
    setTitle(value.title);
    setMessage(value.message);
}

void Definition::select(Group group, int index) {
    options::require(group, index);
    // The batch tells what differs once the handlers have run.
    Batch batch(*this);
    switch (group) {
    case Group::Icons:
        m_value.icon = Icon(index);
        break;
    case Group::Buttons:
        m_value.buttons = Buttons(index);
        buttonsSelected();
        break;
    case Group::DefaultButton:
        m_value.defaultButton = DefaultButton(index);
        break;
    case Group::Code:
        m_value.code = CodeStyle(index);
        codeSelected(CodeStyle(index));
        break;
    }
}

void Definition::selectIcon(int index) {
    select(Group::Icons, index);
}
void Definition::selectButtons(int index) {
    select(Group::Buttons, index);
}
void Definition::selectDefaultButton(int index) {
    select(Group::DefaultButton, index);
}
void Definition::selectCode(int index) {
    select(Group::Code, index);
}

void Definition::setSystemModal(int value) {
    checkBoxValueOrThrow(value);
    Batch batch(*this);
    m_value.systemModal = value == Checked;
    m_systemModalDimmed = value == Grayed;
}

void Definition::setHelpButton(int value) {
    checkBoxValueOrThrow(value);
    Batch batch(*this);
    // Like a check box, a new value fires the click event; the same value
    // does not.
    if (value != helpButton()) {
        m_value.helpButton = value == Checked;
        m_helpButtonDimmed = value == Grayed;
        helpButtonClicked();
    }
}

void Definition::setTitle(const QString& text) {
    // The title is one line: a pasted line break would end up raw inside the
    // title's string literal and split the title line of a definition file.
    // Each break becomes one blank.
    if (assign(m_value.title, msgbox::titleLine(text))) {
        notify(TitleChanged);
    }
}

void Definition::setMessage(const QString& text) {
    if (assign(m_value.message, text)) {
        notify(MessageChanged);
    }
}

QString Definition::defaultButtonCaption(int index) const {
    const int slot = slotOfDefaultButton(index);
    return slot < 0 ? QString() : m_defaultCaptions[static_cast<std::size_t>(slot)];
}

bool Definition::isDefaultButtonVisible(int index) const {
    return slotOfDefaultButton(index) >= 0 &&
           msgbox::isDefaultButtonVisible(m_value.buttons, DefaultButton(index));
}

void Definition::buttonsSelected() {
    Batch batch(*this);
    // Also when the first default button is already selected: its handler
    // runs, so the default button is chosen from the first choice on.
    selectDefaultButton(int(DefaultButton::First));

    // The options show the names of the set's buttons; a hidden option keeps
    // its last caption, as it is not seen anyway.
    const auto answers = msgbox::facts(m_value.buttons).answers();
    for (std::size_t slot = 0; slot < answers.size(); ++slot) {
        m_defaultCaptions[slot] = msgbox::facts(answers[slot]).caption.toString();
    }
}

void Definition::codeSelected(CodeStyle code) {
    // Scripts have no application help file, so "VBS" drops the help button.
    if (code == CodeStyle::Vbs) {
        setHelpButton(Unchecked);
    }
}

void Definition::helpButtonClicked() {
    // The box refuses the tick under "VBS"; clearing it runs this handler
    // once more.
    if (m_value.helpButton && m_value.code == CodeStyle::Vbs) {
        setHelpButton(Unchecked);
    }
}

} // namespace veltrano
