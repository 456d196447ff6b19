# SPDX-License-Identifier: GPL-3.0-or-later
# Translations are compiled (.ts to .qm) at build time and embedded as a Qt
# resource, so the program, its tests and its decoding helper find them
# without an install path. The host's lrelease compiles them for every
# build: a Qt built for Windows has no LinguistTools package of its own.
find_program(KELVANE_LRELEASE NAMES lrelease lrelease-qt6
    HINTS "${QT_HOST_PATH}/lib/qt6/bin" "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" /usr/lib/qt6/bin
    REQUIRED)

# kelvane_add_translations(<target> RESOURCE <name> PREFIX <prefix> FILES <file.ts>...)
# Each <name>.ts becomes <prefix>/<name>.qm in the target's resources.
function(kelvane_add_translations target)
    cmake_parse_arguments(ARG "" "RESOURCE;PREFIX" "FILES" ${ARGN})
    set(folder "${CMAKE_CURRENT_BINARY_DIR}/${ARG_RESOURCE}")
    # lrelease makes no folder, and Make, unlike Ninja, makes none for an
    # output either.
    file(MAKE_DIRECTORY "${folder}")
    set(compiled)
    foreach(source IN LISTS ARG_FILES)
        get_filename_component(source "${source}" ABSOLUTE)
        get_filename_component(name "${source}" NAME_WE)
        set(qm "${folder}/${name}.qm")
        add_custom_command(OUTPUT "${qm}"
            COMMAND "${KELVANE_LRELEASE}" -silent "${source}" -qm "${qm}"
            DEPENDS "${source}"
            COMMENT "Compiling the translation ${name}"
            VERBATIM)
        list(APPEND compiled "${qm}")
    endforeach()
    qt_add_resources(${target} "${ARG_RESOURCE}" PREFIX "${ARG_PREFIX}" BASE "${folder}" FILES ${compiled})
endfunction()
