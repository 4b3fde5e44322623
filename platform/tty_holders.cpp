// SPDX-License-Identifier: GPL-3.0-or-later
#include "tty_holders.h"

#include <cstdlib>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvat {

namespace {

bool isNumber(const char* name) {
    if (*name == '\0')
        return false;
    for (; *name; ++name)
        if (*name < '0' || *name > '9')
            return false;
    return true;
}

bool processHolds(const std::string& fdDir, dev_t rdev) {
    DIR* dir = ::opendir(fdDir.c_str());
    // Processes of other users whose files we may not see cannot be checked.
    if (dir == nullptr)
        return false;
    bool held = false;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isNumber(entry->d_name))
            continue;
        struct stat st {};
        const std::string link = fdDir + '/' + entry->d_name;
        if (::stat(link.c_str(), &st) == 0 && S_ISCHR(st.st_mode) && st.st_rdev == rdev) {
            held = true;
            break;
        }
    }
    ::closedir(dir);
    return held;
}

} // namespace

bool heldByAnotherProcess(dev_t rdev) {
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr)
        return false;
    const std::string self = std::to_string(::getpid());
    bool held = false;
    while (const dirent* entry = ::readdir(proc)) {
        if (!isNumber(entry->d_name) || self == entry->d_name)
            continue;
        if (processHolds(std::string("/proc/") + entry->d_name + "/fd", rdev)) {
            held = true;
            break;
        }
    }
    ::closedir(proc);
    return held;
}

} // namespace zorvat
