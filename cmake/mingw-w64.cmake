# SPDX-License-Identifier: GPL-3.0-or-later
# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix threads, for std::thread).
# The libraries built for Windows (Qt, libjpeg-turbo, SQLite, GoogleTest, scripts/windows.sh)
# are looked for in $ZORVAT_WINDOWS_PREFIX; moc, rcc and uic come from Debian's own Qt.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $ENV{ZORVAT_WINDOWS_PREFIX} ${CMAKE_INSTALL_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config files of the Windows libraries only, never the build machine's.
if(DEFINED ENV{ZORVAT_WINDOWS_PREFIX})
    set(ENV{PKG_CONFIG_LIBDIR} $ENV{ZORVAT_WINDOWS_PREFIX}/lib/pkgconfig)
    set(ENV{PKG_CONFIG_PATH} "")
endif()

if(NOT QT_HOST_PATH)
    set(QT_HOST_PATH /usr)
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()
