#pragma once

#include <QString>

namespace veltrano {

// Facts about the running program.
class AppFacts {
public:
    virtual ~AppFacts() = default;
    virtual QString ownFolder() const = 0; // the executable's folder, no trailing "/"
    virtual QString title() const = 0;     // "Veltrano"
    virtual int versionMajor() const = 0;
    virtual int versionMinor() const = 0;
    virtual int versionRevision() const = 0;
};

// Special folders by their numbers: 5 the user's documents folder, 46 the
// documents shared with others. Returns the path without a trailing "/", or
// an empty text when the lookup fails.
class SpecialFolders {
public:
    virtual ~SpecialFolders() = default;
    virtual QString path(int folder) const = 0;
};

} // namespace veltrano
