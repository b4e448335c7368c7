#pragma once

#include <QStringView>

namespace veltrano {

struct Services;

namespace info {
// The product page: the web address of the About text and of "Website aufrufen".
inline constexpr QStringView productPage = u"https://www.example.org/veltrano/";
// The maker's contact page, opened by "Problembericht senden".
inline constexpr QStringView contactPage = u"http://www.example.org/kontakt.php";
} // namespace info

// "&Website aufrufen" and "&Problembericht senden": the product page and the
// contact page, handed to the desktop. A page that does not open is not
// reported to the user; the log tells of it.
void openWebsite(Services& services);
void openProblemReport(Services& services);

} // namespace veltrano
