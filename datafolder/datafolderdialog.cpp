#include "datafolder/datafolderdialog.h"

#include "platform/errortrap.h"
#include "platform/services.h"
#include "ui_datafolderdialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace {

constexpr int DocumentsFolder = 5;
constexpr int SharedDocumentsFolder = 46;

} // namespace

DataFolderDialog::DataFolderDialog(Services& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_services(services), m_ui(std::make_unique<::Ui::DataFolderDialog>()) {
    m_ui->setupUi(this);
    setFixedSize(282, 193);

    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(227, 234, 244));
    setPalette(background);
    setAutoFillBackground(true);

    const QString icon = u":/images/veltrano-32.png"_s;
    if (QFile::exists(icon))
        setWindowIcon(QIcon(icon));

    m_options = new QButtonGroup(this);
    QRadioButton* const options[] = {m_ui->optSpeicherpfad_0, m_ui->optSpeicherpfad_1,
                                     m_ui->optSpeicherpfad_2};
    for (int index = 0; index < 3; ++index) {
        QFont font = options[index]->font();
        font.setPointSizeF(9.75);
        options[index]->setFont(font);
        m_options->addButton(options[index], index);
    }

    // The path follows the choice as soon as an option becomes selected,
    // whether by a click, the arrow keys or by program.
    connect(m_options, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked)
            locationChosen(index);
    });
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &DataFolderDialog::confirm);
    connect(m_ui->cmdOrdnerpfad, &QPushButton::clicked, this, &DataFolderDialog::showFolderPath);
    connect(m_ui->cmdExit, &QPushButton::clicked, this, &DataFolderDialog::reject);

    // The stored choice is selected, which sets the path for it at once; a
    // choice that names no option selects none and leaves the path alone.
    if (const std::optional<int> index = m_services.settings.dataFolderChoice())
        selectOption(*index);
}

DataFolderDialog::~DataFolderDialog() = default;

int DataFolderDialog::selectedIndex() const {
    return m_options->checkedId();
}

void DataFolderDialog::selectOption(int index) {
    if (QAbstractButton* option = m_options->button(index))
        option->setChecked(true);
}

void DataFolderDialog::locationChosen(int index) {
    const AppFacts& facts = m_services.appFacts;
    QString& path = m_services.session.dataFolderPath;
    switch (index) {
    case 0:
        path = facts.ownFolder() + u'/';
        break;
    case 1:
        path = m_services.specialFolders.path(DocumentsFolder) + u'/' + facts.title() + u'/';
        break;
    case 2:
        path = m_services.specialFolders.path(SharedDocumentsFolder) + u'/' + facts.title() + u'/';
        break;
    default:
        break;
    }
}

void DataFolderDialog::showFolderPath() {
    m_services.messageBox.show(m_services.session.dataFolderPath,
                               msgbox::style(msgbox::Icon::Information), u"Ordnerpfad"_s);
}

void DataFolderDialog::confirm() {
    // Letting events run while the folder is created could deliver a second
    // press of OK; it must not store a second time over the first.
    if (m_confirming)
        return;
    m_confirming = true;

    Services& s = m_services;
    QString& path = s.session.dataFolderPath;

    const int index = std::max(0, selectedIndex());

    if (!s.fileSystem.dirExists(path)) {
        // A fresh account may lack the documents folder itself, so the
        // missing parents are created together with the data folder.
        s.fileSystem.makePath(path);
        QCoreApplication::processEvents();
        if (!s.fileSystem.dirExists(path)) {
            const QString failed = path;
            path = s.appFacts.ownFolder() + u'/';
            s.messageBox.show(u"Der Ordner konnte nicht erstellt werden!\r\n"
                              u"Bitte prüfen Sie ob Sie dazu ausreichende Rechte besitzen."
                              u"\r\n\r\n"_s +
                                  failed,
                              msgbox::style(msgbox::Icon::Critical), u"Sicherheitshinweis"_s);
        }
    }

    s.settings.setDataFolderPath(path);
    s.settings.setDataFolderChoice(index);
    // The program may end without the ordinary teardown, so the choice is
    // put on disk now; a store that cannot be written is not reported.
    if (!s.settings.flush())
        qCWarning(lcSkipped, "the data folder choice could not be put on disk");

    if (s.settings.firstStart() == AppSettings::FirstStart::Done)
        s.messageBox.show(
            u"Starten Sie das Programm neu, damit die Einstellungen wirksam werden!"_s,
            msgbox::style(msgbox::Icon::Information), u"Neustart"_s);

    m_confirming = false;
    accept();
}

void showDataFolderDialog(QWidget* parent, Services& services) {
    DataFolderDialog dialog(services, parent);
    dialog.exec();
}

} // namespace veltrano
