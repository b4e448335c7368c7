#include "core/definition.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano {

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

Definition::Change changeOf(Group group) {
    switch (group) {
    case Group::Icons:
        return Definition::IconChanged;
    case Group::Buttons:
        return Definition::ButtonsChanged;
    case Group::DefaultButton:
        return Definition::DefaultButtonChanged;
    case Group::Code:
        return Definition::CodeChanged;
    }
    return Definition::IconChanged;
}

void checkBoxValueOrThrow(int value) {
    if (value < Definition::Unchecked || value > Definition::Grayed) {
        throw vb::Error(vb::InvalidPropertyValue);
    }
}

} // namespace

Definition::Batch::Batch(Definition& definition) : m_definition(definition) {
    if (m_definition.m_batchDepth++ == 0) {
        m_definition.m_helpButtonAtBatchStart = m_definition.m_helpButton;
    }
}

Definition::Batch::~Batch() {
    Definition& d = m_definition;
    if (--d.m_batchDepth != 0) {
        return;
    }
    // A tick the box refused under "VBS" leaves the value as it was.
    if (d.m_helpButton == d.m_helpButtonAtBatchStart) {
        d.m_pending.setFlag(HelpButtonChanged, false);
    }
    if (d.m_pending) {
        const Changes what = std::exchange(d.m_pending, Changes());
        emit d.changed(what);
    }
}

Definition::Definition(QObject* parent) : QObject(parent) {
    for (std::size_t slot = 0; slot < m_defaultCaptions.size(); ++slot) {
        m_defaultCaptions[slot] = options::table(Group::DefaultButton)[slot].caption;
    }
    // Start-up presets the button-set name; the other names stay empty until
    // an option of their group is chosen.
    m_state.buttonsName = options::require(Group::Buttons, 0).tooltip;
}

void Definition::notify(Changes what) {
    Batch batch(*this);
    m_pending |= what;
}

void Definition::select(Group group, int index) {
    options::require(group, index);
    Batch batch(*this);
    if (assign(m_selected[static_cast<std::size_t>(group)], index)) {
        notify(changeOf(group));
    }
    switch (group) {
    case Group::Icons:
        iconSelected(index);
        break;
    case Group::Buttons:
        buttonsSelected(index);
        break;
    case Group::DefaultButton:
        defaultButtonSelected(index);
        break;
    case Group::Code:
        codeSelected(index);
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
    if (assign(m_systemModal, value)) {
        notify(SystemModalChanged);
    }
}

void Definition::setHelpButton(int value) {
    checkBoxValueOrThrow(value);
    Batch batch(*this);
    // Like a check box, a new value fires the click event; the same value
    // does not.
    if (assign(m_helpButton, value)) {
        notify(HelpButtonChanged);
        helpButtonClicked();
    }
}

void Definition::setTitle(const QString& text) {
    // The title is one line: a pasted line break would end up raw inside the
    // title's string literal and split the title line of a definition file.
    // Each break (CR LF, lone CR or lone LF) becomes one blank.
    QString oneLine = text;
    if (oneLine.contains(u'\r') || oneLine.contains(u'\n')) {
        oneLine.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        oneLine.replace(u'\r', u' ');
        oneLine.replace(u'\n', u' ');
    }
    if (assign(m_title, oneLine)) {
        notify(TitleChanged);
    }
}

void Definition::setMessage(const QString& text) {
    if (assign(m_message, text)) {
        notify(MessageChanged);
    }
}

int Definition::slotOfDefaultButton(int index) {
    switch (index) {
    case 0:
        return 0;
    case 256:
        return 1;
    case 512:
        return 2;
    default:
        return -1;
    }
}

QString Definition::defaultButtonCaption(int index) const {
    const int slot = slotOfDefaultButton(index);
    return slot < 0 ? QString() : m_defaultCaptions[static_cast<std::size_t>(slot)];
}

bool Definition::isDefaultButtonVisible(int index) const {
    const int slot = slotOfDefaultButton(index);
    return slot >= 0 && m_defaultVisible[static_cast<std::size_t>(slot)];
}

void Definition::buttonsSelected(int index) {
    const options::Option& option = options::require(Group::Buttons, index);
    const options::DefaultButtonCaptions& captions = options::defaultButtonCaptions(index);
    Batch batch(*this);

    bool changedButtons = assign(m_state.buttonsValue, index);
    changedButtons |= assign(m_state.buttonsName, option.tooltip);
    if (changedButtons) {
        notify(ButtonsChanged);
    }

    const auto captionsBefore = m_defaultCaptions;
    const auto visibleBefore = m_defaultVisible;
    m_defaultVisible[1] = false;
    m_defaultVisible[2] = false;
    // Also when the first default button is already selected: its handler
    // runs, so the default-button name is set from the first choice on.
    selectDefaultButton(0);

    // The options show the names of the set's buttons; a hidden option keeps
    // its last caption, as it is not seen anyway.
    m_defaultCaptions[0] = captions.first;
    if (!captions.second.isEmpty()) {
        m_defaultVisible[1] = true;
        m_defaultCaptions[1] = captions.second;
    }
    if (!captions.third.isEmpty()) {
        m_defaultVisible[2] = true;
        m_defaultCaptions[2] = captions.third;
    }
    const bool changedOptions =
        m_defaultCaptions != captionsBefore || m_defaultVisible != visibleBefore;
    if (changedOptions) {
        notify(DefaultButtonOptionsChanged);
    }
}

void Definition::iconSelected(int index) {
    const options::Option& option = options::require(Group::Icons, index);
    Batch batch(*this);
    bool changedIcon = assign(m_state.iconValue, index);
    changedIcon |= assign(m_state.iconName, option.tooltip);
    if (changedIcon) {
        notify(IconChanged);
    }
}

void Definition::defaultButtonSelected(int index) {
    const options::Option& option = options::require(Group::DefaultButton, index);
    Batch batch(*this);
    bool changedDefault = assign(m_state.defaultButtonValue, index);
    changedDefault |= assign(m_state.defaultButtonName, option.tooltip);
    if (changedDefault) {
        notify(DefaultButtonChanged);
    }
}

void Definition::codeSelected(int index) {
    options::require(Group::Code, index);
    Batch batch(*this);
    if (assign(m_state.codeValue, index)) {
        notify(CodeChanged);
    }
    // Scripts have no application help file, so "VBS" drops the help button.
    if (index == options::Vbs) {
        setHelpButton(Unchecked);
    }
}

void Definition::helpButtonClicked() {
    Batch batch(*this);
    bool marker = false;
    if (m_helpButton == Checked) {
        if (m_state.codeValue == options::Vbs) {
            // The box refuses the tick under "VBS"; clearing it runs this
            // handler once more, which hides the marker again.
            setHelpButton(Unchecked);
        } else {
            marker = true;
        }
    }
    if (assign(m_helpMarkerVisible, marker)) {
        notify(HelpMarkerChanged);
    }
}

} // namespace veltrano
