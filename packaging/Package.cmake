# The Debian packages, one for each of the install components: chirpwell (the
# programs), libchirpwell1 (the library) and libchirpwell-dev (its header, package
# files and manual page). Each holds the copyright file and the changelog made from
# NEWS; the programs' also the shell completion. CPack builds them with the prefix
# /usr whatever the build's prefix:
#   cmake --build build --target package      # build/*_VERSION_ARCH.deb


# The copyright file in Debian's machine-readable form, its licence text taken
# from LICENSE.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" unused "${license}")
set(copyright_holder "${CMAKE_MATCH_1}")
string(FIND "${license}" "Permission is hereby granted" start)
string(SUBSTRING "${license}" ${start} -1 license_text)
string(STRIP "${license_text}" license_text)
string(REGEX REPLACE "\n\n" "\n.\n" license_text "${license_text}")
string(REPLACE "\n" "\n " license_text "${license_text}")
set(CHIRPWELL_COPYRIGHT ${PROJECT_BINARY_DIR}/packaging/copyright)
file(CONFIGURE OUTPUT ${CHIRPWELL_COPYRIGHT} CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Chirpwell
Upstream-Contact: ${CHIRPWELL_MAINTAINER}

Files: *
Copyright: ${copyright_holder}
License: Expat
 ${license_text}
" @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

# Debian keeps a package's changelog compressed, without a time stamp.
find_program(CHIRPWELL_GZIP gzip REQUIRED)
set(changelog_gz ${PROJECT_BINARY_DIR}/packaging/gz/changelog)
add_custom_command(OUTPUT ${changelog_gz}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CHIRPWELL_DEBIAN_CHANGELOG} ${changelog_gz}
    COMMAND ${CHIRPWELL_GZIP} -9nf ${changelog_gz}
    DEPENDS ${CHIRPWELL_DEBIAN_CHANGELOG}
    VERBATIM)
add_custom_target(chirpwell_changelog ALL DEPENDS ${changelog_gz}.gz)

foreach(package IN ITEMS chirpwell:programs libchirpwell1:library libchirpwell-dev:development)
    string(REPLACE ":" ";" package "${package}")
    list(GET package 0 name)
    list(GET package 1 component)
    install(FILES ${CHIRPWELL_COPYRIGHT} ${changelog_gz}.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${name} COMPONENT ${component})
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/chirpwell-smile.bash
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
    RENAME chirpwell-smile)

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL programs library development)
set(CPACK_PACKAGE_NAME chirpwell)
set(CPACK_PACKAGE_VENDOR "The Chirpwell developers")
set(CPACK_PACKAGE_CONTACT "${CHIRPWELL_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CHIRPWELL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binaries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME chirpwell)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION "smile Japanese texts with playful sentence endings
Chirpwell opens a Japanese plain text and smiles it: at random places, at a
frequency set in percent, it replaces sentence endings and punctuation with
playful variants, such as a laugh after a full stop. The rules come from a
built-in set or from a small smile file of the user's own; optional filters
first remove HTML tags and C and C++ comments.
.
The desktop program shows the smiled text read-only: the user steps through
the smiled places, censors or reverses a selection, undoes a step, saves and
prints. Its window and help pages are in Japanese. The command-line filter
chirpwell-smile does the same for scripts. Texts may be in Shift_JIS, UTF-8,
EUC-JP, ISO-2022-JP, UTF-16 or the JIS X 0213 forms.")
# What the binaries do not show: Qt's platform plugins (without them the window
# does not start) and the fonts.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-color-emoji")

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME libchirpwell1)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LIBRARY_DESCRIPTION "smile Japanese texts with playful sentence endings - library
libchirpwell is Chirpwell's smile engine for other programs, behind a C
interface: it replaces sentence endings and punctuation of a Japanese text
with playful variants at random places, as the chirpwell-smile command does,
in any of the encodings Chirpwell reads.
.
This package holds the shared library.")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# ldconfig runs through dpkg's trigger, as Debian asks of a library package.
# CPack's own postinst and postrm call it too, which lintian warns of; empty
# scripts of ours in their place would draw a warning of their own.
file(WRITE ${PROJECT_BINARY_DIR}/packaging/library/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/packaging/library/triggers)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libchirpwell-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "smile Japanese texts with playful sentence endings - development
libchirpwell is Chirpwell's smile engine for other programs, behind a C
interface: it replaces sentence endings and punctuation of a Japanese text
with playful variants at random places, as the chirpwell-smile command does.
.
This package holds the header <chirpwell/chirpwell.h>, the pkg-config and
CMake package files and the manual page chirpwell(3).")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libchirpwell1 (= ${PROJECT_VERSION})")
include(CPack)
