# SPDX-License-Identifier: GPL-3.0-or-later
# The hardening Debian builds its packages with: stack protection, fortified libc calls where
# the compiler optimises, and relocations made read-only once bound at start-up. Executables
# are position-independent by the compiler's default. The fuzz build leaves these to the
# sanitizers, which do not mix with fortified calls.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT ZORVAT_FUZZ)
    add_compile_options(-fstack-protector-strong -fstack-clash-protection
                        $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
    add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
