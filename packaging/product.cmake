# What every package says about the product, kept in one place so the Debian
# package and the Windows installer, zip and version resource agree: the
# name shown to users, the maintainer, the publisher and the copyright line.
# The version is the project's; the copyright holder is read from the
# copyright file, which stays the one source of the licence.
set(ZINTU_DISPLAY_NAME "Zintu")
set(ZINTU_PACKAGE_MAINTAINER "Zintu developers <zintu@example.org>"
    CACHE STRING "Maintainer field of the Debian package")
# The publisher is the maintainer without the mail address.
string(REGEX REPLACE " *<[^>]*>$" "" ZINTU_PUBLISHER "${ZINTU_PACKAGE_MAINTAINER}")

set(ZINTU_COPYRIGHT_FILE ${CMAKE_CURRENT_LIST_DIR}/copyright)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                                                            ${ZINTU_COPYRIGHT_FILE})
file(STRINGS ${ZINTU_COPYRIGHT_FILE} copyright_lines REGEX "^Copyright: " LIMIT_COUNT 1)
if(NOT copyright_lines)
    message(FATAL_ERROR "${ZINTU_COPYRIGHT_FILE} has no Copyright: line")
endif()
string(REGEX REPLACE "^Copyright: *" "Copyright © " ZINTU_COPYRIGHT "${copyright_lines}")
