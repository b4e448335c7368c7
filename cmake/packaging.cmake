# Debian package of the program: build it (at least the target veltrano),
# then run `cpack -G DEB` in the build folder. Included last by the top-level
# CMakeLists.txt so that every install() rule is known.
#
# The package holds what the install() rules name: the program, its desktop
# file, its AppStream data, its icons and the licence. Tests and benchmarks
# have no install() rules and never land in it.

# Installing and packaging take what has been built and don't build every
# target first: the tests are never part of the package, so a test that
# doesn't compile must not keep the package from being made.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(FILES "${PROJECT_SOURCE_DIR}/LICENSE"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/veltrano" RENAME copyright)

# Hardening: the dynamic linker resolves every symbol at start-up, and the
# tables it wrote are read-only from then on.
target_link_options(veltrano PRIVATE "LINKER:-z,relro" "LINKER:-z,now")

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "veltrano")
set(CPACK_PACKAGE_VENDOR "Veltrano-Projekt")
set(CPACK_PACKAGE_CONTACT "Veltrano-Projekt <kontakt@example.org>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Veltrano stellt einen Aufruf der Basic-Funktion MsgBox aus den Angaben\n\
eines Fensters zusammen und erzeugt daraus Quellcode in vier Formen:\n\
einfach, If Then Else, Select Case und VBScript.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
# A plain strip keeps the .comment and .note sections (compiler versions and
# the like), which the program never reads; this step removes them.
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/stripsections.cmake")
set(CPACK_VELTRANO_STRIP "${CMAKE_STRIP}")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # veltrano_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "devel")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.org/veltrano/")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# dpkg-shlibdeps computes the libraries the program links. Qt loads the SVG
# image and icon plugins (in libqt6svg6) and the platform plugins at run
# time, so no linked library names them: list them here; CPack appends the
# computed ones.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-open-sans")

include(CPack)
