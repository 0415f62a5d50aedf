# The releases come from NEWS alone. Each starts with a line "Version X.Y,
# YYYY-MM-DD"; its "  * " items follow its underline. The newest must be this
# project's version, so the two cannot drift apart. Sets
#   CHIRPWELL_RELEASE_DATE        the newest release's date, YYYY-MM-DD
#   CHIRPWELL_APPSTREAM_RELEASES  the AppStream <release> elements, newest first
#   CHIRPWELL_DEBIAN_CHANGELOG    the Debian changelog made from NEWS (a file)

set(CHIRPWELL_MAINTAINER "Chirpwell developers <chirpwell@vevizo.example>")
set(chirpwell_news ${PROJECT_SOURCE_DIR}/NEWS)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${chirpwell_news})

# "Tue, 08 Dec 2026 00:00:00 +0000" for a date, as Debian changelogs write it.
function(chirpwell_rfc2822_date year month day out)
    # Sakamoto's rule for the day of the week, 0 for Sunday.
    set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
    math(EXPR index "${month} - 1")
    list(GET offsets ${index} offset)
    set(y ${year})
    if(month LESS 3)
        math(EXPR y "${y} - 1")
    endif()
    math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
    set(days Sun Mon Tue Wed Thu Fri Sat)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET days ${weekday} dayName)
    list(GET months ${index} monthName)
    set(${out} "${dayName}, ${day} ${monthName} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

function(chirpwell_xml_escape text out)
    string(REPLACE "&" "&amp;" text "${text}")
    string(REPLACE "<" "&lt;" text "${text}")
    string(REPLACE ">" "&gt;" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A release's items become the changelog's lines as they are, and AppStream's
# list items joined into one line each.
function(chirpwell_add_release version year month day items)
    chirpwell_rfc2822_date(${year} ${month} ${day} date)
    string(STRIP "${items}" items)
    string(APPEND CHIRPWELL_DEBIAN_TEXT
        "chirpwell (${version}) unstable; urgency=medium\n\n  ${items}\n\n"
        " -- ${CHIRPWELL_MAINTAINER}  ${date}\n\n")
    string(REPLACE "\n    " " " joined "${items}")
    string(REPLACE "\n  " ";" joined "${joined}")
    set(list "")
    foreach(item IN LISTS joined)
        string(REGEX REPLACE "^\\* " "" item "${item}")
        chirpwell_xml_escape("${item}" item)
        string(APPEND list "          <li>${item}</li>\n")
    endforeach()
    string(APPEND CHIRPWELL_APPSTREAM_RELEASES
        "    <release version=\"${version}\" date=\"${year}-${month}-${day}\">\n"
        "      <description>\n        <ul>\n${list}        </ul>\n      </description>\n"
        "    </release>\n")
    set(CHIRPWELL_DEBIAN_TEXT "${CHIRPWELL_DEBIAN_TEXT}" PARENT_SCOPE)
    set(CHIRPWELL_APPSTREAM_RELEASES "${CHIRPWELL_APPSTREAM_RELEASES}" PARENT_SCOPE)
endfunction()

file(READ ${chirpwell_news} news)
# Lines as a list: the text's semicolons and brackets, which would split or join
# its elements, stand aside as control characters until the end.
string(ASCII 29 semicolon)
string(ASCII 30 open)
string(ASCII 31 close)
string(REPLACE ";" "${semicolon}" news "${news}")
string(REPLACE "[" "${open}" news "${news}")
string(REPLACE "]" "${close}" news "${news}")
string(REPLACE "\n" ";" news_lines "${news}")
set(CHIRPWELL_DEBIAN_TEXT "")
set(CHIRPWELL_APPSTREAM_RELEASES "")
set(version "")
set(items "")
foreach(line IN LISTS news_lines)
    if(line MATCHES "^Version ([0-9][0-9.]*), ([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
        if(version)
            chirpwell_add_release(${version} ${year} ${month} ${day} "${items}")
        endif()
        set(version ${CMAKE_MATCH_1})
        set(year ${CMAKE_MATCH_2})
        set(month ${CMAKE_MATCH_3})
        set(day ${CMAKE_MATCH_4})
        set(items "")
        if(NOT CHIRPWELL_RELEASE_DATE)
            set(CHIRPWELL_RELEASE_DATE ${year}-${month}-${day})
            if(NOT version STREQUAL PROJECT_VERSION)
                message(FATAL_ERROR "NEWS: the newest release is ${version}, "
                    "but the project's version is ${PROJECT_VERSION}")
            endif()
        endif()
    elseif(version AND line MATCHES "^(  \\* |    )")
        string(APPEND items "${line}\n")
    elseif(version AND NOT line MATCHES "^-*$")
        message(FATAL_ERROR "NEWS: this line is neither a release nor an item: ${line}")
    endif()
endforeach()
if(NOT version)
    message(FATAL_ERROR "NEWS holds no line \"Version X.Y, YYYY-MM-DD\"")
endif()
chirpwell_add_release(${version} ${year} ${month} ${day} "${items}")

foreach(text CHIRPWELL_DEBIAN_TEXT CHIRPWELL_APPSTREAM_RELEASES)
    string(REPLACE "${semicolon}" ";" ${text} "${${text}}")
    string(REPLACE "${open}" "[" ${text} "${${text}}")
    string(REPLACE "${close}" "]" ${text} "${${text}}")
endforeach()
set(CHIRPWELL_DEBIAN_CHANGELOG ${PROJECT_BINARY_DIR}/packaging/changelog)
string(STRIP "${CHIRPWELL_DEBIAN_TEXT}" CHIRPWELL_DEBIAN_TEXT)
file(CONFIGURE OUTPUT ${CHIRPWELL_DEBIAN_CHANGELOG} CONTENT "${CHIRPWELL_DEBIAN_TEXT}\n" @ONLY)
