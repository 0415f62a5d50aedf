# What a Debian package holds beyond the programs (the copyright file, the
# changelog made from NEWS, the shell completion) and how CPack builds it, with
# the prefix /usr whatever the build's prefix:
#   cmake --build build --target package      # build/chirpwell_VERSION_ARCH.deb

set(CHIRPWELL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/chirpwell)

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

install(FILES ${CHIRPWELL_COPYRIGHT} ${changelog_gz}.gz DESTINATION ${CHIRPWELL_DOC_DIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/chirpwell-smile.bash
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
    RENAME chirpwell-smile)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME chirpwell)
set(CPACK_PACKAGE_VENDOR "The Chirpwell developers")
set(CPACK_PACKAGE_CONTACT "${CHIRPWELL_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "smile Japanese texts with playful sentence endings")
# CPack puts the summary before this.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Chirpwell opens a Japanese plain text and smiles it: at random places, at a
frequency set in percent, it replaces sentence endings and punctuation with
playful variants, such as a laugh after a full stop. The rules come from a
built-in set or from a small smile file of the user's own; optional filters
first remove HTML tags and C and C++ comments.

The desktop program shows the smiled text read-only: the user steps through
the smiled places, censors or reverses a selection, undoes a step, saves and
prints. Its window and help pages are in Japanese. The command-line filter
chirpwell-smile does the same for scripts. Texts may be in Shift_JIS, UTF-8
or EUC-JP.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CHIRPWELL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binaries; the rest they do not show: Qt's
# platform plugins (without them the program does not start) and the fonts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-color-emoji")
include(CPack)
