#include "app/frmmsgbox.h"

#include "app/appearance.h"
#include "app/optionbutton.h"
#include "app/rawtext.h"
#include "app/toolbarpicture.h"
#include "app/twips.h"
#include "ui_frmMsgBox.h"

#include "core/optiontables.h"
#include "datafolder/datafolder.h"
#include "platform/errortrap.h"
#include "platform/qtmessageboxdialog.h"
#include "platform/services.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

// Size of the area under the menu bar that holds every control.
constexpr QSize formSize{786, 451};

// Picture file of each toolbar index.
const char* const toolbarImages[] = {
    "open",    // 0 mnuLaden
    "save",    // 1 mnuSpeicher
    "saveas",  // 2 mnuSpeichernUnter
    "preview", // 3 mnuVorschau
    "code",    // 4 mnuQuellcode
    "copy",    // 5 mnuKopieren
    "info",    // 6 mnuInfo
    "exit",    // 7 mnuBeenden
    "new",     // 8 mnuNeu
    "update",  // 9 mnuUpdateSuchen
    "script",  // 10 mnuSpeichernVBS
};
constexpr int toolbarCount = int(std::size(toolbarImages));

Qt::CheckState toCheckState(int value) {
    switch (value) {
    case Definition::Checked:
        return Qt::Checked;
    case Definition::Grayed:
        return Qt::PartiallyChecked;
    default:
        return Qt::Unchecked;
    }
}

} // namespace

frmMsgBox::frmMsgBox(Definition& definition, Services& services, QWidget* parent)
    : QMainWindow(parent), m_definition(definition), m_services(services),
      m_documents(definition, services),
      m_settingsDialog([](QWidget* owner, Services& s) { ::mnuEinstellungen_Click(owner, s); }),
      ui(std::make_unique<Ui::frmMsgBox>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    applyColoursAndFonts();
    setUpOptionGroups();
    setUpTextBoxes();
    setUpToolbar();
    setUpMenu();
    setUpTabOrder();

    connect(&m_definition, &Definition::changed, this, &frmMsgBox::showDefinition);
    showDefinition(Definition::Changes::fromInt(0x3ff));

    // The window may grow, but the controls keep their places.
    centralWidget()->setMinimumSize(formSize);
    resize(formSize.width(), formSize.height() + menuBar()->sizeHint().height());
    placeAtDesignedPosition();
    ui->txtTitel->setFocus();
}

frmMsgBox::~frmMsgBox() = default;

void frmMsgBox::setSettingsDialog(SettingsDialog dialog) {
    m_settingsDialog = std::move(dialog);
}

ToolbarPicture* frmMsgBox::imgButton(int index) const {
    return findChild<ToolbarPicture*>(u"imgButton_%1"_s.arg(index));
}

// --- set-up ---------------------------------------------------------------

void frmMsgBox::applyColoursAndFonts() {
    QWidget* form = centralWidget();
    QPalette background = form->palette();
    background.setColor(QPalette::Window, appearance::formBackground);
    form->setPalette(background);
    form->setAutoFillBackground(true);

    for (QWidget* box :
         {static_cast<QWidget*>(ui->txtTitel), static_cast<QWidget*>(ui->txtMessage)}) {
        QPalette white = box->palette();
        white.setColor(QPalette::Base, Qt::white);
        box->setPalette(white);
        QFont font = box->font();
        font.setPointSizeF(9.75);
        box->setFont(font);
    }
}

void frmMsgBox::setUpOptionGroups() {
    struct GroupSetUp {
        options::Group group;
        const char* name;
        QButtonGroup** member;
    };
    const GroupSetUp groups[] = {
        {options::Group::Icons, "optIcons", &m_optIcons},
        {options::Group::Buttons, "optButtons", &m_optButtons},
        {options::Group::DefaultButton, "optDefaultButton", &m_optDefaultButton},
        {options::Group::Code, "optCode", &m_optCode},
    };
    for (const GroupSetUp& g : groups) {
        auto* group = new QButtonGroup(this);
        group->setObjectName(QLatin1StringView(g.name));
        group->setExclusive(true);
        *g.member = group;
        for (const options::Option& option : options::table(g.group)) {
            auto* button = findChild<QAbstractButton*>(
                u"%1_%2"_s.arg(QLatin1StringView(g.name)).arg(option.index));
            if (!button)
                continue;
            group->addButton(button, option.index);
            button->setToolTip(option.tooltip);
            if (g.group != options::Group::DefaultButton)
                button->setText(option.caption);
        }
    }

    QFont iconFont = ui->fraIcons->font();
    iconFont.setPointSizeF(8.25);
    for (QAbstractButton* button : m_optIcons->buttons()) {
        button->setFont(iconFont);
        const int index = m_optIcons->id(button);
        if (index != 0) {
            button->setIcon(style()->standardIcon(msgbox::iconFor(index), nullptr, button));
            button->setIconSize(QSize(32, 32));
        }
    }

    connect(m_optIcons, &QButtonGroup::idClicked, this, &frmMsgBox::optIcons_Click);
    connect(m_optButtons, &QButtonGroup::idClicked, this, &frmMsgBox::optButtons_Click);
    connect(m_optDefaultButton, &QButtonGroup::idClicked, this, &frmMsgBox::optDefaultButton_Click);
    connect(m_optCode, &QButtonGroup::idClicked, this, &frmMsgBox::optCode_Click);

    connect(ui->chkHelpButton, &QCheckBox::clicked, this, &frmMsgBox::chkHelpButton_Click);
    connect(ui->chkSystemModal, &QCheckBox::clicked, this, [this] {
        // A click ticks a clear or dimmed box and clears a ticked one.
        skipOnFailure([this] {
            m_definition.setSystemModal(m_definition.isSystemModalTicked() ? Definition::Unchecked
                                                                           : Definition::Checked);
        });
        showDefinition(Definition::SystemModalChanged);
    });
}

void frmMsgBox::setUpTextBoxes() {
    // No length limit: a title read from a file must come back unshortened.
    ui->txtTitel->setMaxLength(std::numeric_limits<int>::max());
    ui->txtMessage->setLineWrapMode(QPlainTextEdit::NoWrap);
    ui->txtMessage->setTabChangesFocus(true);
    ui->txtMessage->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ui->txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    connect(ui->txtTitel, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_showing)
            skipOnFailure([&] { m_definition.setTitle(text); });
    });
    // The message is read back raw, and kept current edit by edit: reading
    // the whole box on every keystroke made typing in a long message slow.
    m_messageText = new RawTextMirror(*ui->txtMessage->document(), this);
    connect(m_messageText, &RawTextMirror::changed, this, [this] {
        if (m_showing)
            return;
        m_typing = true;
        skipOnFailure([&] { m_definition.setMessage(m_messageText->text()); });
        m_typing = false;
    });

    // Ctrl+C belongs to the copy command, also while a text box has the focus.
    ui->txtTitel->installEventFilter(this);
    ui->txtMessage->installEventFilter(this);
}

void frmMsgBox::setUpToolbar() {
    for (int index = 0; index < toolbarCount; ++index) {
        ToolbarPicture* picture = imgButton(index);
        if (!picture)
            continue;
        picture->setIndex(index);
        picture->setSource(
            u":/images/toolbar/%1.svg"_s.arg(QLatin1StringView(toolbarImages[index])));
        connect(picture, &ToolbarPicture::mouseDown, this, &frmMsgBox::imgButton_MouseDown);
        connect(picture, &ToolbarPicture::mouseUp, this, &frmMsgBox::imgButton_MouseUp);
        connect(picture, &ToolbarPicture::clicked, this, &frmMsgBox::imgButton_Click);
    }
}

void frmMsgBox::setUpMenu() {
    const struct {
        QAction* action;
        void (frmMsgBox::*slot)();
    } items[] = {
        {ui->mnuNeu, &frmMsgBox::mnuNeu_Click},
        {ui->mnuLaden, &frmMsgBox::mnuLaden_Click},
        {ui->mnuSpeicher, &frmMsgBox::mnuSpeicher_Click},
        {ui->mnuSpeichernUnter, &frmMsgBox::mnuSpeichernUnter_Click},
        {ui->mnuSpeichernVBS, &frmMsgBox::mnuSpeichernVBS_Click},
        {ui->mnuBeenden, &frmMsgBox::mnuBeenden_Click},
        {ui->mnuKopieren, &frmMsgBox::mnuKopieren_Click},
        {ui->mnuQuellcode, &frmMsgBox::mnuQuellcode_Click},
        {ui->mnuVorschau, &frmMsgBox::mnuVorschau_Click},
        {ui->mnuEinstellungen, &frmMsgBox::mnuEinstellungen_Click},
        {ui->mnuUpdateIE, &frmMsgBox::mnuUpdateIE_Click},
        {ui->mnuUpdateCheck, &frmMsgBox::mnuUpdateCheck_Click},
        {ui->mnuUpdateCheckAllwaysOff, &frmMsgBox::mnuUpdateCheckAllwaysOff_Click},
        {ui->mnuInfo, &frmMsgBox::mnuInfo_Click},
        {ui->mnuUpdateSuchen, &frmMsgBox::mnuUpdateSuchen_Click},
        {ui->mnuWebsite, &frmMsgBox::mnuWebsite_Click},
        {ui->mnuProblembericht, &frmMsgBox::mnuProblembericht_Click},
    };
    for (const auto& item : items)
        connect(item.action, &QAction::triggered, this, item.slot);

    for (QAction* action : ui->mnuDatei->actions()) {
        if (action->isSeparator())
            action->setObjectName(u"mnuLinieDatei1"_s);
    }
}

void frmMsgBox::setUpTabOrder() {
    // In the order of the controls' tab indices; frames take no focus.
    const QList<QWidget*> chain = {
        ui->txtTitel,
        ui->txtMessage,
        ui->optIcons_0,
        ui->optIcons_16,
        ui->optIcons_32,
        ui->optIcons_48,
        ui->optIcons_64,
        ui->optButtons_0,
        ui->optButtons_1,
        ui->optButtons_2,
        ui->optButtons_3,
        ui->optButtons_4,
        ui->optButtons_5,
        ui->optDefaultButton_0,
        ui->optDefaultButton_256,
        ui->optDefaultButton_512,
        ui->optCode_2,
        ui->optCode_1,
        ui->optCode_0,
        ui->chkHelpButton,
        ui->chkSystemModal,
        ui->cmdHilfeButton,
        ui->optCode_3,
    };
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void frmMsgBox::placeAtDesignedPosition() {
    QScreen* screen = this->screen();
    if (!screen)
        return;
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

// --- showing the definition ------------------------------------------------

void frmMsgBox::showDefinition(Definition::Changes what) {
    m_showing = true;
    const auto check = [](QButtonGroup* group, int index) {
        if (QAbstractButton* button = group->button(index))
            button->setChecked(true);
    };
    check(m_optIcons, m_definition.selectedIcon());
    check(m_optButtons, m_definition.selectedButtons());
    check(m_optDefaultButton, m_definition.selectedDefaultButton());
    check(m_optCode, m_definition.selectedCode());

    for (QAbstractButton* button : m_optDefaultButton->buttons()) {
        const int index = m_optDefaultButton->id(button);
        button->setText(m_definition.defaultButtonCaption(index));
        button->setVisible(m_definition.isDefaultButtonVisible(index));
    }
    ui->cmdHilfeButton->setVisible(m_definition.isHelpMarkerVisible());
    ui->chkHelpButton->setCheckState(toCheckState(m_definition.helpButton()));
    ui->chkSystemModal->setCheckState(toCheckState(m_definition.systemModal()));

    if ((what & Definition::TitleChanged) && ui->txtTitel->text() != m_definition.title())
        ui->txtTitel->setText(m_definition.title());
    // What the user has just typed is in the definition already.
    if ((what & Definition::MessageChanged) && !m_typing &&
        m_messageText->text() != m_definition.message())
        ui->txtMessage->setPlainText(m_definition.message());
    m_showing = false;
}

bool frmMsgBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (QKeySequence(key->keyCombination()) == ui->mnuKopieren->shortcut()) {
            // Declining the override lets the menu shortcut fire instead of
            // the text box's own copy.
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- option handlers ---------------------------------------------------------

void frmMsgBox::optButtons_Click(int index) {
    trapped(m_services.messageBox, u"optButtons_Click"_s,
            [&] { m_definition.selectButtons(index); });
    showDefinition({});
}

void frmMsgBox::optIcons_Click(int index) {
    skipOnFailure([&] { m_definition.selectIcon(index); });
    showDefinition({});
}

void frmMsgBox::optDefaultButton_Click(int index) {
    skipOnFailure([&] { m_definition.selectDefaultButton(index); });
    showDefinition({});
}

void frmMsgBox::optCode_Click(int index) {
    skipOnFailure([&] { m_definition.selectCode(index); });
    showDefinition({});
}

void frmMsgBox::chkHelpButton_Click() {
    // The definition may refuse the tick (code style "VBS"); the box then
    // shows its value again.
    skipOnFailure([this] {
        m_definition.setHelpButton(m_definition.isHelpButtonTicked() ? Definition::Unchecked
                                                                     : Definition::Checked);
    });
    showDefinition({});
}
