#include "platform/appsettings.h"

#include "platform/settingsstore.h"

#include <QLocale>

#include <cmath>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace {

const QString leftKey = u"frmMsgBoxLeft"_s;
const QString topKey = u"frmMsgBoxTop"_s;
const QString dataFolderPathKey = u"EinstellungSpeicherPfad"_s;
const QString dataFolderChoiceKey = u"EinstellungSpeicherOrt"_s;
const QString firstStartKey = u"FirstStart"_s;
const QString fileTypeKey = u"Extension"_s;
const QString languageKey = u"Sprache"_s;

// Stored positions beyond this many twips are not taken as positions.
constexpr float positionLimitTwips = 1.0e7f;

} // namespace

std::optional<float> AppSettings::coordinate(const QString& key) const {
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const float value = c.toFloat(m_store.read(key, u"100"_s).trimmed(), &ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > positionLimitTwips)
        return std::nullopt;
    return value;
}

std::optional<float> AppSettings::windowLeft() const {
    return coordinate(leftKey);
}

std::optional<float> AppSettings::windowTop() const {
    return coordinate(topKey);
}

void AppSettings::setWindowPosition(int leftTwips, int topTwips) {
    m_store.write(leftKey, QString::number(leftTwips));
    m_store.write(topKey, QString::number(topTwips));
}

QString AppSettings::dataFolderPath(const QString& defaultPath) const {
    return m_store.read(dataFolderPathKey, defaultPath);
}

void AppSettings::setDataFolderPath(const QString& path) {
    m_store.write(dataFolderPathKey, path);
}

std::optional<int> AppSettings::dataFolderChoice() const {
    return toInteger16(m_store.read(dataFolderChoiceKey, u"0"_s));
}

void AppSettings::setDataFolderChoice(int choice) {
    m_store.write(dataFolderChoiceKey, QString::number(choice));
}

AppSettings::FirstStart AppSettings::firstStart() const {
    const QString marker = m_store.read(firstStartKey, u"False"_s);
    if (marker == u"False")
        return FirstStart::Pending;
    if (marker == u"True")
        return FirstStart::Done;
    return FirstStart::Neither;
}

void AppSettings::setFirstStartDone() {
    m_store.write(firstStartKey, u"True"_s);
}

AppSettings::FileType AppSettings::fileType() const {
    const QString text = m_store.read(fileTypeKey, QString());
    if (text.isNull())
        return {};
    if (const std::optional<int> position = toInteger16(text))
        return {FileType::Number, *position};
    return {FileType::NotANumber, 1};
}

void AppSettings::setFileType(int position) {
    m_store.write(fileTypeKey, QString::number(position));
}

bool AppSettings::flush() {
    return m_store.flush();
}

lang::Language AppSettings::language() const {
    return lang::languageOf(m_store.read(languageKey, QString()).trimmed())
        .value_or(lang::DefaultLanguage);
}

void AppSettings::setLanguage(lang::Language language) {
    m_store.write(languageKey, lang::facts(language).value.toString());
}

} // namespace veltrano
