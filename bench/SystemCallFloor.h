#pragma once
// The least any program must do for a chart: list the folder, sort the names, and
// open, read and close every file, in plain C++ on the same files. The benchmarks set
// the program's own work against this, and against the least a spreadsheet's import
// and export must do: read one file whole, and replace a file so that a crash leaves
// its old content or its new.

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

// Opens, reads to its end and closes one file; returns the bytes read.
inline std::size_t readFileFloor(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    std::size_t bytes = 0;
    char buffer[64 * 1024];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes += std::size_t(n);
    ::close(fd);
    return bytes;
}

// Writes a temporary file beside the file, flushes it to disk and renames it over the
// file: the least that replaces a file whole or not at all.
inline bool atomicWriteFloor(const std::string &path, const std::string &content)
{
    const std::string temporary = path + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, content.data(), content.size()) == ssize_t(content.size()) && ::fsync(fd) == 0;
    ::close(fd);
    return written && ::rename(temporary.c_str(), path.c_str()) == 0;
}
