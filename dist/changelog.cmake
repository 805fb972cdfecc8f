# SPDX-License-Identifier: GPL-3.0-or-later
# The release history is written once, in CHANGELOG.md; ratewise_changelog() makes its two forms
# from it at configure time: the Debian changelog of the package and the AppStream <release>
# entries of the metainfo, so the two never disagree. It fails when the newest release is not the
# version of project(), or when the file holds a line it does not understand.

# The RFC 5322 date of a Debian changelog trailer, at midnight UTC.
function(_ratewise_debian_date year month day out)
    # Sakamoto's day of the week (0 = Sunday), counting January and February in the year before.
    # (The leading zeros go first: math() would not read 08 as eight.)
    string(REGEX REPLACE "^0" "" m "${month}")
    string(REGEX REPLACE "^0" "" d "${day}")
    set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
    set(weekdays Sun Mon Tue Wed Thu Fri Sat)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    math(EXPR index "${m} - 1")
    list(GET offsets ${index} offset)
    set(y ${year})
    if(m LESS 3)
        math(EXPR y "${y} - 1")
    endif()
    math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${d}) % 7")
    list(GET weekdays ${weekday} weekday_name)
    list(GET months ${index} month_name)
    set(${out} "${weekday_name}, ${day} ${month_name} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

# Adds the item gathered so far (its lines joined by newlines) to both forms.
macro(_ratewise_end_item)
    if(DEFINED item)
        string(REPLACE "\n" "\n    " deb_item "${item}")
        string(APPEND deb_release "  * ${deb_item}\n")
        string(REPLACE "\n" " " xml_item "${item}")
        string(REPLACE "&" "&amp;" xml_item "${xml_item}")
        string(REPLACE "<" "&lt;" xml_item "${xml_item}")
        string(REPLACE ">" "&gt;" xml_item "${xml_item}")
        string(APPEND xml_release "          <li>${xml_item}</li>\n")
        unset(item)
    endif()
endmacro()

# Closes the release gathered so far.
macro(_ratewise_end_release)
    _ratewise_end_item()
    if(DEFINED version)
        if(deb_release STREQUAL "")
            message(FATAL_ERROR "${source}: release ${version} lists no change")
        endif()
        _ratewise_debian_date(${year} ${month} ${day} deb_date)
        if(NOT deb STREQUAL "")
            string(APPEND deb "\n")
        endif()
        string(APPEND deb "ratewise (${version}) unstable; urgency=medium\n\n${deb_release}\n"
               " -- ${maintainer}  ${deb_date}\n")
        string(APPEND xml "    <release version=\"${version}\" date=\"${year}-${month}-${day}\">\n"
               "      <description>\n        <ul>\n${xml_release}        </ul>\n      </description>\n"
               "    </release>\n")
    endif()
endmacro()

# ratewise_changelog(SOURCE MAINTAINER DEBIAN_OUTPUT XML_VARIABLE): writes the Debian changelog
# to DEBIAN_OUTPUT (only when it changes) and sets XML_VARIABLE to the <release> elements.
function(ratewise_changelog source maintainer debian_output xml_variable)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(READ ${source} text)
    # The lines go through a CMake list: the characters lists treat specially are swapped for
    # control characters on the way in and back on the way out.
    string(ASCII 1 semicolon)
    string(ASCII 2 open_bracket)
    string(ASCII 3 close_bracket)
    string(REPLACE ";" "${semicolon}" text "${text}")
    string(REPLACE "[" "${open_bracket}" text "${text}")
    string(REPLACE "]" "${close_bracket}" text "${text}")
    string(REPLACE "\n" ";" lines "${text}")

    # (Names a caller may also use, cleared: the parsing tells its state by whether they are set.)
    unset(version)
    unset(item)
    set(deb "")
    set(xml "")
    set(number 0)
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        if(line MATCHES "^## ([0-9][0-9.]*) \\(([0-9][0-9][0-9][0-9])-([01][0-9])-([0-3][0-9])\\)$")
            _ratewise_end_release()
            if(DEFINED version AND NOT CMAKE_MATCH_1 VERSION_LESS version)
                message(FATAL_ERROR "${source}:${number}: ${CMAKE_MATCH_1} follows ${version}; "
                        "the releases go newest first")
            endif()
            if(NOT DEFINED version AND NOT CMAKE_MATCH_1 VERSION_EQUAL PROJECT_VERSION)
                message(FATAL_ERROR "${source}:${number}: the newest release is ${CMAKE_MATCH_1}, but "
                        "project() says ${PROJECT_VERSION}: add a section `## ${PROJECT_VERSION} (DATE)` "
                        "at the top, or change the version")
            endif()
            set(version ${CMAKE_MATCH_1})
            set(year ${CMAKE_MATCH_2})
            set(month ${CMAKE_MATCH_3})
            set(day ${CMAKE_MATCH_4})
            set(deb_release "")
            set(xml_release "")
        elseif(NOT DEFINED version OR line STREQUAL "")
            # The introduction before the first release, and the blank lines between items.
        elseif(line MATCHES "^- (.+)$")
            _ratewise_end_item()
            set(item "${CMAKE_MATCH_1}")
        elseif(DEFINED item AND line MATCHES "^  ([^ ].*)$")
            string(APPEND item "\n${CMAKE_MATCH_1}")
        else()
            message(FATAL_ERROR "${source}:${number}: neither a release heading `## VERSION (YYYY-MM-DD)`, "
                    "an item `- ...` nor an item's indented line: ${line}")
        endif()
    endforeach()
    _ratewise_end_release()
    if(NOT DEFINED version)
        message(FATAL_ERROR "${source}: no release heading `## VERSION (YYYY-MM-DD)`")
    endif()

    foreach(form deb xml)
        string(REPLACE "${semicolon}" ";" ${form} "${${form}}")
        string(REPLACE "${open_bracket}" "[" ${form} "${${form}}")
        string(REPLACE "${close_bracket}" "]" ${form} "${${form}}")
    endforeach()
    file(WRITE ${debian_output}.new "${deb}")
    configure_file(${debian_output}.new ${debian_output} COPYONLY)
    file(REMOVE ${debian_output}.new)
    set(${xml_variable} "${xml}" PARENT_SCOPE)
endfunction()
