#pragma once

#include <QString>
#include <QStringView>

namespace veltrano {

class AppFacts;
struct Services;

namespace info {
// The maker line of the About text.
inline constexpr QStringView makerLine = u"Veltrano-Projekt";
} // namespace info

// The About text: spaced title, maker line, version and the product page.
QString aboutText(const AppFacts& facts);

// "&Info": the About text in a box titled "Freeware".
void showAbout(Services& services);

} // namespace veltrano
