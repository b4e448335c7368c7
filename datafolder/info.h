#pragma once

#include <QString>
#include <QStringView>

namespace veltrano {

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

// "&Info": the About text in a box titled "Freeware".
void showAbout(Services& services);
// "&Website aufrufen" and "&Problembericht senden": the product page and the
// contact page, handed to the desktop. A page that does not open is not
// reported.
void openWebsite(Services& services);
void openProblemReport(Services& services);

} // namespace veltrano
