#pragma once

#include "platform/appfacts.h"

namespace veltrano {

// The running program: its folder, title and the version it was built as.
class QtAppFacts : public AppFacts {
public:
    QString ownFolder() const override;
    QString title() const override;
    int versionMajor() const override;
    int versionMinor() const override;
    int versionRevision() const override;
};

// 5: the user's documents folder; 46: the folder the user shares with
// others. Other numbers, and folders the desktop does not know, give "".
class QtSpecialFolders : public SpecialFolders {
public:
    QString path(int folder) const override;
};

} // namespace veltrano
