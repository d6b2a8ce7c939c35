#pragma once
// Reads a file line by line with a limit on each line, so a stray huge file never makes
// the program hold more than one limited line: what lies beyond the limit is skipped
// up to the line's end. A line ends at LF (CR LF or a bare LF); the last line may lack
// its line end.

#include "Outcome.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace tankeli {

// A file opened for reading without ever waiting on it: a FIFO, a device or a folder in
// its place is refused, never read. Closed when it goes out of scope.
class ReadableFile
{
public:
    explicit ReadableFile(const QByteArray &path);
    ~ReadableFile();
    ReadableFile(const ReadableFile &) = delete;
    ReadableFile &operator=(const ReadableFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int descriptor() const { return m_fd; }
    // The error number of an open that failed; 0 when the file is open or is there but
    // is not a regular file.
    int openError() const { return m_error; }
    // Why the file is not open, in Finnish ("Se ei ole tavallinen tiedosto").
    QString problem() const;

private:
    int m_fd = -1;
    int m_error = 0;
    bool m_folder = false;
};

// The whole of a regular file of at most maxBytes, or why not: a Finnish sentence that
// names the file as shown, and tooLarge where the file holds more.
Outcome<QByteArray> readWholeFile(const QString &path, qsizetype maxBytes, const QString &shown,
                                  const QString &tooLarge);

class LineReader
{
public:
    enum class Line {
        Text,    // a whole line, without its line end
        TooLong, // longer than the limit; skipped to its end, no text kept
        Missing, // the file ended (or could not be read) before this line
    };

    // Reads from an open file descriptor, which the caller closes. No more than
    // maxTotalBytes are read from it (negative: no limit): a line cut off by that limit
    // is too long, and the lines after it are missing.
    LineReader(int fd, qsizetype maxLineBytes, qsizetype maxTotalBytes = -1);

    Line next(QByteArray &text);
    // The error number of a read that failed, 0 when every read succeeded.
    int readError() const { return m_error; }

private:
    bool refill();

    int m_fd;
    qsizetype m_maxLineBytes;
    qsizetype m_bytesLeft;
    std::array<char, 16 * 1024> m_chunk;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    bool m_atEnd = false;
    bool m_capped = false; // maxTotalBytes were read
    int m_error = 0;
};

} // namespace tankeli
