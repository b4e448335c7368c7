#pragma once

#include <QString>
#include <QStringView>

class AppFacts;
struct Services;

namespace info {
// The maker line of the About text.
inline constexpr QStringView makerLine = u"Veltrano-Projekt";
// The product page: the web address of the About text and of "Website aufrufen".
inline constexpr QStringView productPage = u"https://www.example.org/veltrano/";
// The maker's contact page, opened by "Problembericht senden".
inline constexpr QStringView contactPage = u"http://www.example.org/kontakt.php";
} // namespace info

// The About text: spaced title, maker line, version and web address.
QString aboutText(const AppFacts& facts);

void mnuInfo_Click(Services& services);
void mnuWebsite_Click(Services& services);
void mnuProblembericht_Click(Services& services);
