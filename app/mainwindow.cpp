#include "app/mainwindow.h"

#include "app/accessibility.h"
#include "app/appearance.h"
#include "app/boxpictures.h"
#include "app/codereaderdialog.h"
#include "app/filedrop.h"
#include "app/languagemenus.h"
#include "app/optionbutton.h"
#include "app/preview.h"
#include "app/rawtext.h"
#include "app/textboxes.h"
#include "app/toolbarpicture.h"
#include "app/windows.h"
#include "ui_mainwindow.h"

#include "core/languages.h"
#include "core/msgboxtables.h"
#include "core/optiontables.h"
#include "datafolder/datafolderdialog.h"
#include "info/about.h"
#include "info/webpages.h"
#include "platform/errortrap.h"
#include "platform/qtmessageboxdialog.h"
#include "platform/services.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace {

// Size of the area under the menu bar that holds every control.
constexpr QSize formSize{786, 451};

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

MainWindow::MainWindow(Definition& definition, Services& services, QWidget* parent)
    : QMainWindow(parent), m_definition(definition), m_services(services),
      m_documents(definition, services), m_dataFolderDialog([](QWidget* owner, Services& s) {
          veltrano::showDataFolderDialog(owner, s);
      }),
      ui(std::make_unique<::Ui::MainWindow>()) {
    // A screen reader may ask about a widget as soon as it exists.
    accessibility::installInterfaces();
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    applyColoursAndFonts();
    setUpOptionGroups();
    setUpTextBoxes();
    setUpCommands();
    setUpTabOrder();
    setUpFileDrops();
    setUpAccessibility();

    connect(&m_definition, &Definition::changed, this, &MainWindow::showDefinition);
    showDefinition(Definition::AllChanged);

    // The window may grow, but the controls keep their places.
    centralWidget()->setMinimumSize(formSize);
    resize(formSize.width(), formSize.height() + menuBar()->sizeHint().height());
    placeAtDesignedPosition();
    ui->txtTitel->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::setDataFolderDialogOpener(DataFolderDialogOpener opener) {
    m_dataFolderDialog = std::move(opener);
}

ToolbarPicture* MainWindow::toolbarPicture(int index) const {
    return findChild<ToolbarPicture*>(u"imgButton_%1"_s.arg(index));
}

// --- set-up ---------------------------------------------------------------

void MainWindow::applyColoursAndFonts() {
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

void MainWindow::setUpOptionGroups() {
    struct GroupSetUp {
        options::Group group;
        const char* name;
        QButtonGroup** member;
    };
    const GroupSetUp groups[] = {
        {options::Group::Icons, "optIcons", &m_icons},
        {options::Group::Buttons, "optButtons", &m_buttons},
        {options::Group::DefaultButton, "optDefaultButton", &m_defaultButtons},
        {options::Group::Code, "optCode", &m_codeStyles},
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
    QList<std::pair<QAbstractButton*, QStyle::StandardPixmap>> pictured;
    for (QAbstractButton* button : m_icons->buttons()) {
        button->setFont(iconFont);
        const int index = m_icons->id(button);
        if (index != 0) {
            pictured.append({button, msgbox::iconFor(index)});
            button->setIcon(boxpictures::builtIn(msgbox::iconFor(index)));
            button->setIconSize(QSize(32, 32));
        }
    }
    // The icon theme's pictures, where it has them, once the window shows.
    boxpictures::followStyleOnceShown(pictured);

    connect(m_icons, &QButtonGroup::idClicked, this, &MainWindow::chooseIcon);
    connect(m_buttons, &QButtonGroup::idClicked, this, &MainWindow::chooseButtons);
    connect(m_defaultButtons, &QButtonGroup::idClicked, this, &MainWindow::chooseDefaultButton);
    connect(m_codeStyles, &QButtonGroup::idClicked, this, &MainWindow::chooseCode);
    connect(ui->chkHelpButton, &QCheckBox::clicked, this, &MainWindow::toggleHelpButton);
    connect(ui->chkSystemModal, &QCheckBox::clicked, this, &MainWindow::toggleSystemModal);
}

void MainWindow::setUpTextBoxes() {
    ui->cmdHilfeButton->setText(msgbox::HelpButtonCaption.toString());
    // No length limit: a title read from a file must come back unshortened.
    ui->txtTitel->setMaxLength(std::numeric_limits<int>::max());
    ui->txtMessage->setLineWrapMode(QPlainTextEdit::NoWrap);
    ui->txtMessage->setTabChangesFocus(true);
    ui->txtMessage->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ui->txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    connect(ui->txtTitel, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_showing)
            m_definition.setTitle(text);
    });
    // The message is read back raw, and kept current edit by edit: reading
    // the whole box on every keystroke made typing in a long message slow.
    m_messageText = new RawTextMirror(*ui->txtMessage->document(), this);
    connect(m_messageText, &RawTextMirror::changed, this, [this] {
        if (m_showing)
            return;
        m_typing = true;
        m_definition.setMessage(m_messageText->text());
        m_typing = false;
    });

    // Neither box takes a NUL, which no definition file can hold.
    ui->txtTitel->setValidator(new NoNulValidator(ui->txtTitel));
    connect(ui->txtTitel, &QLineEdit::inputRejected, this, &MainWindow::refuseNul);
    connect(ui->txtMessage, &MessageTextEdit::refused, this, &MainWindow::refuseNul);

    // Ctrl+C and the shortcuts of "Kopieren als" belong to the copy
    // commands and Ctrl+Shift+V to reading code, also while a text box has
    // the focus.
    ui->txtTitel->installEventFilter(this);
    ui->txtMessage->installEventFilter(this);
}

void MainWindow::setUpCommands() {
    struct Command {
        QAction* action;
        std::function<void()> run;
    };
    const Command commands[] = {
        {ui->mnuNeu, [this] { m_documents.newDefinition(); }},
        {ui->mnuLaden, [this] { m_documents.open(); }},
        {ui->mnuSpeicher, [this] { m_documents.save(); }},
        {ui->mnuSpeichernUnter, [this] { m_documents.saveAs(); }},
        {ui->mnuSpeichernVBS, [this] { m_documents.exportScript(); }},
        {ui->mnuBeenden, [this] { quit(); }},
        {ui->mnuKopieren, [this] { m_documents.copyCode(); }},
        {ui->mnuQuellcode, [this] { m_documents.showSource(); }},
        {ui->mnuVorschau, [this] { preview(); }},
        {ui->mnuCodeEinlesen, [this] { readCode(); }},
        {ui->mnuEinstellungen, [this] { showDataFolderDialog(); }},
        {ui->mnuInfo, [this] { showAbout(m_services); }},
        {ui->mnuWebsite, [this] { openWebsite(m_services); }},
        {ui->mnuProblembericht, [this] { openProblemReport(m_services); }},
    };
    // The update entries and picture 9 have no command: the program looks
    // for updates neither on request nor at start.
    for (const Command& command : commands)
        connect(command.action, &QAction::triggered, this, command.run);

    // Each picture stands for the action of its command.
    const std::pair<int, QAction*> pictures[] = {
        {0, ui->mnuLaden},      {1, ui->mnuSpeicher},      {2, ui->mnuSpeichernUnter},
        {3, ui->mnuVorschau},   {4, ui->mnuQuellcode},     {5, ui->mnuKopieren},
        {6, ui->mnuInfo},       {7, ui->mnuBeenden},       {8, ui->mnuNeu},
        {9, ui->updatePicture}, {10, ui->mnuSpeichernVBS},
    };
    for (const auto& [index, action] : pictures)
        toolbarPicture(index)->setDefaultAction(action);

    // "Kopieren als" has an entry for each language, and "Sprache" chooses
    // the language of Copy and the source view among them.
    m_documents.takeStoredLanguage();
    m_copyAs = addLanguageMenus(this, ui->mnuKopierenAls, ui->mnuOptionen, ui->mnuUpdateIE,
                                m_documents, [this] { showLanguage(); });
    showLanguage();
    ui->mnuKopierenAls->menuAction()->setObjectName(u"mnuKopierenAls"_s);
    for (QAction* action : ui->mnuDatei->actions()) {
        if (action->isSeparator())
            action->setObjectName(u"mnuLinieDatei1"_s);
    }
}

// The frame of the code styles names the language the code is written in,
// where it is not the one the program always wrote.
void MainWindow::showLanguage() {
    const lang::Language language = m_documents.language();
    ui->fraAbfrageCode->setTitle(language == lang::DefaultLanguage
                                     ? u"Quellcode"_s
                                     : u"Quellcode (%1)"_s.arg(lang::facts(language).name));
}

void MainWindow::setUpTabOrder() {
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

void MainWindow::placeAtDesignedPosition() {
    QScreen* screen = this->screen();
    if (!screen)
        return;
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void MainWindow::setUpFileDrops() {
    // A definition file dropped anywhere on the window opens as Open opens
    // it; the text boxes take drops of their own, so they are watched too.
    auto* drops = new FileDrop(this);
    for (QWidget* target : {static_cast<QWidget*>(this), static_cast<QWidget*>(ui->txtTitel),
                            static_cast<QWidget*>(ui->txtMessage), ui->txtMessage->viewport()})
        drops->watch(target);
    connect(drops, &FileDrop::dropped, this,
            [this](const QString& path) { m_documents.openFile(path); });
}

void MainWindow::setUpAccessibility() {
    // What a screen reader says where the screen shows a picture, or where
    // the frame's caption would name two controls alike.
    const std::pair<QWidget*, QString> names[] = {
        {ui->txtTitel, u"Titel"_s},
        {ui->txtMessage, u"Message"_s},
        {ui->fraDefaultButton, u"Standard-Button"_s},
    };
    for (const auto& [widget, name] : names)
        widget->setAccessibleName(name);
    // The icon options show pictures: they are named, and the one without
    // a picture is described, by the icon table.
    for (QAbstractButton* button : m_icons->buttons()) {
        const int index = m_icons->id(button);
        if (const std::optional<msgbox::Icon> icon = msgbox::iconOf(index)) {
            const QString spoken = msgbox::facts(*icon).spokenName.toString();
            if (*icon == msgbox::Icon::None)
                button->setAccessibleDescription(spoken);
            else
                button->setAccessibleName(spoken);
        }
    }
    // The picture options and the constant options describe themselves by
    // their constant names, the tooltips; these have none that says enough.
    const std::pair<QWidget*, QString> descriptions[] = {
        {ui->txtTitel, u"Titel des Meldungsfelds"_s},
        {ui->txtMessage, u"Text des Meldungsfelds, auch mehrzeilig"_s},
        {ui->cmdHilfeButton, u"Steht für die Hilfeschaltfläche des Meldungsfelds"_s},
    };
    for (const auto& [widget, text] : descriptions)
        widget->setAccessibleDescription(text);
    // The other tooltips serve as descriptions, without the blanks around
    // them that only space them out on screen.
    for (QWidget* widget : findChildren<QWidget*>()) {
        const QString tip = widget->toolTip();
        if (widget->accessibleDescription().isEmpty() && tip != tip.trimmed())
            widget->setAccessibleDescription(tip.trimmed());
    }

    nameDefaultButtonOptions();
    connect(&m_definition, &Definition::changed, this, [this](Definition::Changes what) {
        if (what & Definition::DefaultButtonOptionsChanged)
            nameDefaultButtonOptions();
    });
}

void MainWindow::nameDefaultButtonOptions() {
    // Their captions are the names of the box's buttons ("OK", "Abbrechen"),
    // which the button-set options bear too.
    for (QAbstractButton* button : m_defaultButtons->buttons()) {
        button->setAccessibleName(u"Standard-Button "_s +
                                  m_definition.defaultButtonCaption(m_defaultButtons->id(button)));
    }
}

// --- showing the definition ------------------------------------------------

void MainWindow::showDefinition(Definition::Changes what) {
    m_showing = true;
    const auto check = [](QButtonGroup* group, int index) {
        if (QAbstractButton* button = group->button(index))
            button->setChecked(true);
    };
    check(m_icons, m_definition.selectedIcon());
    check(m_buttons, m_definition.selectedButtons());
    check(m_defaultButtons, m_definition.selectedDefaultButton());
    check(m_codeStyles, m_definition.selectedCode());

    for (QAbstractButton* button : m_defaultButtons->buttons()) {
        const int index = m_defaultButtons->id(button);
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

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // Declining the override lets the menu shortcut fire instead of the
        // text box's own copy or paste.
        const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
        QList<const QAction*> commands = {ui->mnuKopieren, ui->mnuCodeEinlesen};
        for (const QAction* action : m_copyAs)
            commands.append(action);
        if (std::any_of(commands.begin(), commands.end(),
                        [&](const QAction* a) { return key == a->shortcut(); })) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::refuseNul() {
    m_services.messageBox.show(u"Titel und Meldung können kein NUL-Zeichen (Zeichencode 0) "
                               "enthalten. Der Text wurde nicht eingefügt."_s,
                               msgbox::style(msgbox::Icon::Exclamation), u"Hinweis"_s);
}

// --- what a click does ------------------------------------------------------

void MainWindow::chooseButtons(int index) {
    trapped(m_services.messageBox, u"optButtons_Click"_s,
            [&] { m_definition.selectButtons(index); });
    showDefinition({});
}

// A failed choice of the other groups is passed over: the window shows the
// definition again, so no option is left looking chosen.
void MainWindow::chooseIcon(int index) {
    skipOnFailure("choosing an icon", [&] { m_definition.selectIcon(index); });
    showDefinition({});
}

void MainWindow::chooseDefaultButton(int index) {
    skipOnFailure("choosing a default button", [&] { m_definition.selectDefaultButton(index); });
    showDefinition({});
}

void MainWindow::chooseCode(int index) {
    skipOnFailure("choosing a code style", [&] { m_definition.selectCode(index); });
    showDefinition({});
}

void MainWindow::toggleHelpButton() {
    // The definition may refuse the tick (code style "VBS"); the box then
    // shows its value again.
    m_definition.setHelpButton(m_definition.isHelpButtonTicked() ? Definition::Unchecked
                                                                 : Definition::Checked);
    showDefinition({});
}

void MainWindow::toggleSystemModal() {
    // A click ticks a clear or dimmed box and clears a ticked one.
    m_definition.setSystemModal(m_definition.isSystemModalTicked() ? Definition::Unchecked
                                                                   : Definition::Checked);
    showDefinition(Definition::SystemModalChanged);
}

// --- commands ----------------------------------------------------------------

void MainWindow::quit() {
    closeAllWindows();
    QCoreApplication::processEvents();
}

void MainWindow::preview() {
    // The answer is not needed.
    m_services.messageBox.show(previewRequest(m_definition));
}

void MainWindow::readCode() {
    CodeReaderDialog dialog(m_definition, m_services, this);
    dialog.exec();
}

void MainWindow::showDataFolderDialog() {
    if (m_dataFolderDialog)
        m_dataFolderDialog(this, m_services);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    emit closing();
    event->accept();
}

} // namespace veltrano
