# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (posix threads).
# The Qt prefix for Windows comes from KELVANE_QT_MINGW, as a CMake variable
# or in the environment; the host's own moc, rcc and uic do the code
# generation (QT_HOST_PATH).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT KELVANE_QT_MINGW)
    set(KELVANE_QT_MINGW "$ENV{KELVANE_QT_MINGW}")
endif()
if(KELVANE_QT_MINGW)
    # A later re-run of CMake (from the build) finds it here.
    set(KELVANE_QT_MINGW "${KELVANE_QT_MINGW}" CACHE PATH "Prefix of Qt 6 for MinGW-w64")
else()
    message(FATAL_ERROR "Set KELVANE_QT_MINGW to the prefix of Qt 6 built for MinGW-w64")
endif()
# Toolchain files are read again for every try_compile; the environment
# carries the prefix there.
set(ENV{KELVANE_QT_MINGW} "${KELVANE_QT_MINGW}")

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${KELVANE_QT_MINGW}")
list(APPEND CMAKE_PREFIX_PATH "${KELVANE_QT_MINGW}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# pkg-config answers for the Windows libraries in the prefix only; the .pc
# files name the folder Qt was built into, so the prefix is taken from where
# each file lies.
set(ENV{PKG_CONFIG_LIBDIR} "${KELVANE_QT_MINGW}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(PKG_CONFIG_ARGN --define-prefix)
