# SPDX-License-Identifier: GPL-3.0-or-later
# The companion's messages over the session bus (Linux).
add_library(zorvat_companion_dbus STATIC ${CMAKE_CURRENT_LIST_DIR}/dbus_companion.cpp)
target_link_libraries(zorvat_companion_dbus PUBLIC zorvat_companion_transport zorvat_platform Qt6::DBus)
