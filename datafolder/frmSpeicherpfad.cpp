#include "datafolder/frmSpeicherpfad.h"

#include "platform/errortrap.h"
#include "platform/services.h"
#include "ui_frmSpeicherpfad.h"

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

namespace {

constexpr int DocumentsFolder = 5;
constexpr int SharedDocumentsFolder = 46;

} // namespace

frmSpeicherpfad::frmSpeicherpfad(Services& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_services(services), m_ui(std::make_unique<Ui::frmSpeicherpfad>()) {
    m_ui->setupUi(this);
    setFixedSize(282, 193);

    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(227, 234, 244));
    setPalette(background);
    setAutoFillBackground(true);

    const QString icon = u":/images/veltrano.svg"_s;
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
            optSpeicherpfad_Click(index);
    });
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &frmSpeicherpfad::cmdOK_Click);
    connect(m_ui->cmdOrdnerpfad, &QPushButton::clicked, this,
            &frmSpeicherpfad::cmdOrdnerpfad_Click);
    connect(m_ui->cmdExit, &QPushButton::clicked, this, &frmSpeicherpfad::cmdExit_Click);

    Form_Load();
}

frmSpeicherpfad::~frmSpeicherpfad() = default;

int frmSpeicherpfad::selectedIndex() const {
    return m_options->checkedId();
}

void frmSpeicherpfad::selectOption(int index) {
    if (QAbstractButton* option = m_options->button(index))
        option->setChecked(true);
}

void frmSpeicherpfad::Form_Load() {
    skipOnFailure([this] {
        const auto index =
            toInteger16(m_services.settings.read(u"EinstellungSpeicherOrt"_s, u"0"_s));
        if (index)
            selectOption(*index);
    });
}

void frmSpeicherpfad::optSpeicherpfad_Click(int index) {
    skipOnFailure([&] {
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
            path =
                m_services.specialFolders.path(SharedDocumentsFolder) + u'/' + facts.title() + u'/';
            break;
        default:
            break;
        }
    });
}

void frmSpeicherpfad::cmdOrdnerpfad_Click() {
    skipOnFailure([this] {
        m_services.messageBox.show(m_services.session.dataFolderPath, 64, u"Ordnerpfad"_s);
    });
}

void frmSpeicherpfad::cmdOK_Click() {
    // Letting events run while the folder is created could deliver a second
    // press of OK; it must not store a second time over the first.
    if (m_confirming)
        return;
    m_confirming = true;

    Services& s = m_services;
    QString& path = s.session.dataFolderPath;

    int index = 0;
    skipOnFailure([&] { index = std::max(0, selectedIndex()); });

    skipOnFailure([&] {
        if (s.fileSystem.dirExists(path))
            return;
        // A fresh account may lack the documents folder itself, so the
        // missing parents are created together with the data folder.
        skipOnFailure([&] { s.fileSystem.makePath(path); });
        skipOnFailure([] { QCoreApplication::processEvents(); });
        if (s.fileSystem.dirExists(path))
            return;
        const QString failed = path;
        skipOnFailure([&] { path = s.appFacts.ownFolder() + u'/'; });
        s.messageBox.show(u"Der Ordner konnte nicht erstellt werden!\r\n"
                          u"Bitte prüfen Sie ob Sie dazu ausreichende Rechte besitzen.\r\n\r\n"_s +
                              failed,
                          16, u"Sicherheitshinweis"_s);
    });

    skipOnFailure([&] { s.settings.write(u"EinstellungSpeicherPfad"_s, path); });
    skipOnFailure([&] { s.settings.write(u"EinstellungSpeicherOrt"_s, QString::number(index)); });
    // The program may end without the ordinary teardown, so the choice is
    // put on disk now.
    skipOnFailure([&] { s.settings.flush(); });

    skipOnFailure([&] {
        if (s.settings.read(u"FirstStart"_s, u"False"_s) == u"True"_s)
            s.messageBox.show(
                u"Starten Sie das Programm neu, damit die Einstellungen wirksam werden!"_s, 64,
                u"Neustart"_s);
    });

    m_confirming = false;
    accept();
}

void frmSpeicherpfad::cmdExit_Click() {
    reject();
}
