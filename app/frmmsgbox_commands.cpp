// The commands of the main window's menu and toolbar strip, and the window's
// start-up and unload steps.

#include "app/frmmsgbox.h"

#include "app/modmsgbox.h"
#include "app/toolbarpicture.h"
#include "app/twips.h"

#include "core/generators.h"
#include "datafolder/info.h"
#include "platform/errortrap.h"
#include "platform/services.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// How far a pressed toolbar picture moves right and down.
constexpr int pressShiftTwips = 20;

// Stored positions beyond this many twips are not taken as positions.
constexpr float positionLimitTwips = 1.0e7f;

// The pixel coordinate a stored text stands for, or std::nullopt when the
// text is not a number of twips.
std::optional<int> storedCoordinate(const QString& text) {
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const float value = c.toFloat(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > positionLimitTwips)
        return std::nullopt;
    return twips::toPixels(value);
}

// True if a window frame there would show a usable part on some screen.
bool reachable(const QRect& frame) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return true;
    for (const QScreen* screen : screens) {
        const QRect seen = screen->availableGeometry().intersected(frame);
        if (seen.width() >= 32 && seen.height() >= 32)
            return true;
    }
    return false;
}

} // namespace

// --- start and end -----------------------------------------------------------

void frmMsgBox::Form_Load() {
    SettingsStore& settings = m_services.settings;
    skipOnFailure([&] {
        m_services.session.dataFolderPath =
            settings.read(u"EinstellungSpeicherPfad"_s, m_services.appFacts.title() + u'/');
    });

    bool firstStart = true; // also when the marker can't be read
    skipOnFailure([&] { firstStart = settings.read(u"FirstStart"_s, u"False"_s) == u"False"_s; });
    if (firstStart) {
        skipOnFailure([&] { settings.write(u"EinstellungSpeicherOrt"_s, u"1"_s); });
        show();
        QCoreApplication::processEvents();
        unsetCursor();
        mnuEinstellungen_Click();
        skipOnFailure([&] { settings.write(u"FirstStart"_s, u"True"_s); });
        // On disk at once, so that a crash before the end does not ask again.
        skipOnFailure([&] { settings.flush(); });
    }

    RegistryLesen();
    if (!isVisible())
        show();
}

void frmMsgBox::RegistryLesen() {
    QPoint position = pos();
    skipOnFailure([&] {
        if (const auto left =
                storedCoordinate(m_services.settings.read(u"frmMsgBoxLeft"_s, u"100"_s)))
            position.setX(*left);
    });
    skipOnFailure([&] {
        if (const auto top =
                storedCoordinate(m_services.settings.read(u"frmMsgBoxTop"_s, u"100"_s)))
            position.setY(*top);
    });
    // A position left over from a screen that is gone would hide the window.
    if (reachable(QRect(position, frameGeometry().size())))
        move(position);
}

void frmMsgBox::closeEvent(QCloseEvent* event) {
    const Qt::WindowStates notNormal =
        Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
    if (!(windowState() & notNormal)) {
        m_services.settings.write(u"frmMsgBoxLeft"_s, QString::number(twips::fromPixels(x())));
        m_services.settings.write(u"frmMsgBoxTop"_s, QString::number(twips::fromPixels(y())));
    }
    m_settingsSaved = m_services.settings.flush();
    event->accept();
}

void frmMsgBox::mnuBeenden_Click() {
    skipOnFailure([] { modMsgBox::FormsEntladen(); });
    QCoreApplication::processEvents();
}

// --- document commands -------------------------------------------------------

// Each command runs under its own error mode: the file, copy and source view
// commands report through the message trap, New skips failures.
void frmMsgBox::mnuNeu_Click() {
    m_documents.mnuNeu_Click();
}
void frmMsgBox::mnuLaden_Click() {
    m_documents.mnuLaden_Click();
}
void frmMsgBox::mnuSpeicher_Click() {
    m_documents.mnuSpeicher_Click();
}
void frmMsgBox::mnuSpeichernUnter_Click() {
    m_documents.mnuSpeichernUnter_Click();
}
void frmMsgBox::mnuSpeichernVBS_Click() {
    m_documents.mnuSpeichernVBS_Click();
}
void frmMsgBox::mnuKopieren_Click() {
    m_documents.mnuKopieren_Click();
}
void frmMsgBox::mnuQuellcode_Click() {
    m_documents.mnuQuellcode_Click();
}

// --- preview -------------------------------------------------------------------

void frmMsgBox::mnuVorschau_Click() {
    skipOnFailure([this] {
        MessageBoxRequest request;
        request.text = m_definition.message();
        request.style = gen::styleValue(m_definition);
        request.title = m_definition.title();
        if (m_definition.isHelpButtonTicked()) {
            // The program has no help file of its own.
            request.withHelpFile = true;
            request.helpFile = QString();
            request.helpContext = 0;
        }
        m_services.messageBox.show(request); // the answer is not needed
    });
}

// --- options and information ---------------------------------------------------

void frmMsgBox::mnuEinstellungen_Click() {
    skipOnFailure([this] {
        if (m_settingsDialog)
            m_settingsDialog(this, m_services);
    });
}

// The information commands pass their own failures over silently.
void frmMsgBox::mnuInfo_Click() {
    ::mnuInfo_Click(m_services);
}
void frmMsgBox::mnuWebsite_Click() {
    ::mnuWebsite_Click(m_services);
}
void frmMsgBox::mnuProblembericht_Click() {
    ::mnuProblembericht_Click(m_services);
}

// The program looks for updates neither on request nor at start; these
// entries stay in the menu, greyed, and do nothing.
void frmMsgBox::mnuUpdateIE_Click() {}
void frmMsgBox::mnuUpdateCheck_Click() {}
void frmMsgBox::mnuUpdateCheckAllwaysOff_Click() {}
void frmMsgBox::mnuUpdateSuchen_Click() {}

// --- toolbar strip -----------------------------------------------------------------

void frmMsgBox::imgButton_Click(int index) {
    switch (index) {
    case 0:
        mnuLaden_Click();
        break;
    case 1:
        mnuSpeicher_Click();
        break;
    case 2:
        mnuSpeichernUnter_Click();
        break;
    case 3:
        mnuVorschau_Click();
        break;
    case 4:
        mnuQuellcode_Click();
        break;
    case 5:
        mnuKopieren_Click();
        break;
    case 6:
        mnuInfo_Click();
        break;
    case 7:
        mnuBeenden_Click();
        break;
    case 8:
        mnuNeu_Click();
        break;
    case 9:
        mnuUpdateSuchen_Click();
        break;
    case 10:
        mnuSpeichernVBS_Click();
        break;
    default:
        break;
    }
}

void frmMsgBox::imgButton_MouseDown(int index, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) {
    if (ToolbarPicture* picture = imgButton(index))
        picture->moveTwips(picture->leftTwips() + pressShiftTwips,
                           picture->topTwips() + pressShiftTwips);
}

void frmMsgBox::imgButton_MouseUp(int index, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) {
    if (ToolbarPicture* picture = imgButton(index))
        picture->moveTwips(picture->leftTwips() - pressShiftTwips,
                           picture->topTwips() - pressShiftTwips);
}
