#pragma once

#include <QString>

class AppFacts;
struct Services;

// The About text: spaced title, maker line, version and web address.
QString aboutText(const AppFacts& facts);

void mnuInfo_Click(Services& services);
void mnuWebsite_Click(Services& services);
void mnuProblembericht_Click(Services& services);
