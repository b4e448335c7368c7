# Debian package of the program: build it (at least the target veltrano),
# then run `cpack -G DEB` in the build folder. Included last by the top-level
# CMakeLists.txt so that every install() rule is known.
#
# The package holds what the install() rules name: the program, its desktop
# file, its AppStream data, its icons, the licence, the changelog, the manual
# page, the bash completion and lintian's overrides. Tests and benchmarks
# have no install() rules and never land in it.

# Installing and packaging take what has been built and don't build every
# target first: the tests are never part of the package, so a test that
# doesn't compile must not keep the package from being made.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(veltrano_resources "${PROJECT_SOURCE_DIR}/resources")

install(FILES "${PROJECT_SOURCE_DIR}/LICENSE"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/veltrano" RENAME copyright)

# The manual page carries the version and the date of the newest changelog
# entry, whose trailer line reads " -- Name <address>  Tue, 08 Dec 2026 ...".
set(veltrano_changelog "${veltrano_resources}/changelog")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${veltrano_changelog}")
file(STRINGS "${veltrano_changelog}" veltrano_trailer REGEX "^ -- " LIMIT_COUNT 1)
if(NOT veltrano_trailer MATCHES ">  [A-Z][a-z][a-z], ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "${veltrano_changelog}: no date in the newest entry's trailer line")
endif()
set(veltrano_year "${CMAKE_MATCH_3}")
string(FIND "JanFebMarAprMayJunJulAugSepOctNovDec" "${CMAKE_MATCH_2}" veltrano_month)
# Two digits each: 1 to 12 and 1 to 31 as 101 to 112 and 101 to 131.
math(EXPR veltrano_month "${veltrano_month} / 3 + 101")
math(EXPR veltrano_day "${CMAKE_MATCH_1} + 100")
string(SUBSTRING "${veltrano_month}" 1 2 veltrano_month)
string(SUBSTRING "${veltrano_day}" 1 2 veltrano_day)
set(VELTRANO_RELEASE_DATE "${veltrano_year}-${veltrano_month}-${veltrano_day}")
configure_file("${veltrano_resources}/veltrano.1.in" "${PROJECT_BINARY_DIR}/packaging/veltrano.1" @ONLY)

# Compressed as Debian wants them: best compression and no name or time in
# the header (gzip -9n), so that the same text always gives the same bytes.
# They are compressed while installing, so the package never holds a stale one.
function(veltrano_install_gzipped source name destination)
    set(compressed "${PROJECT_BINARY_DIR}/packaging/${name}.gz")
    install(CODE "execute_process(COMMAND gzip -9n --stdout \"${source}\"
        OUTPUT_FILE \"${compressed}\" COMMAND_ERROR_IS_FATAL ANY)")
    install(FILES "${compressed}" DESTINATION "${destination}")
endfunction()
veltrano_install_gzipped("${PROJECT_BINARY_DIR}/packaging/veltrano.1" veltrano.1
    "${CMAKE_INSTALL_MANDIR}/man1")
veltrano_install_gzipped("${veltrano_changelog}" changelog
    "${CMAKE_INSTALL_DATADIR}/doc/veltrano")

# Bash loads the completion from here when "veltrano" is first completed.
# The package does not depend on bash-completion, which does the loading.
install(FILES "${veltrano_resources}/veltrano.bash-completion"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions" RENAME veltrano)
install(FILES "${veltrano_resources}/lintian-overrides"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides" RENAME veltrano)

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
