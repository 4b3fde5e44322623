# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file names its licence in its first lines; lists those that do not.
# Usage: cmake -DSOURCE_DIR=... -P check_spdx.cmake
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
     ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.in ${SOURCE_DIR}/*.cmake
     ${SOURCE_DIR}/*.sh ${SOURCE_DIR}/CMakeLists.txt)
set(missing)
foreach(source ${sources})
    if(source MATCHES "^(build[^/]*|\\.[^/]+)/")
        continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/${source} head LIMIT_COUNT 3)
    if(NOT head MATCHES "SPDX-License-Identifier: GPL-3\\.0-or-later")
        list(APPEND missing ${source})
    endif()
endforeach()
if(missing)
    list(JOIN missing "\n  " listed)
    message(FATAL_ERROR "No SPDX-License-Identifier: GPL-3.0-or-later in\n  ${listed}")
endif()
