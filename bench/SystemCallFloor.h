#pragma once
// The least any program must do for a chart: list the folder, sort the names, and
// open, read and close every file, in plain C++ on the same files. The benchmarks set
// the program's own work against this.

#include <algorithm>
#include <cstddef>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

// Returns the bytes read, so that the work cannot be left out.
inline std::size_t systemCallFloor(const std::string &folder)
{
    std::vector<std::string> names;
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    while (const dirent *entry = ::readdir(dir))
        if (entry->d_type == DT_REG)
            names.emplace_back(entry->d_name);
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    std::size_t bytes = 0;
    char buffer[4096];
    for (const std::string &name : names) {
        const int fd = ::open((folder + '/' + name).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        bytes += n > 0 ? std::size_t(n) : 0;
        ::close(fd);
    }
    return bytes;
}
