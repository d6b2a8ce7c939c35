#pragma once
// Reads a file line by line with a limit on each line, so a stray huge file never makes
// the program hold more than one limited line: what lies beyond the limit is skipped
// up to the line's end. A line ends at LF (CR LF or a bare LF); the last line may lack
// its line end.

#include <QByteArray>
#include <array>

namespace tankeli {

class LineReader
{
public:
    enum class Line {
        Text,    // a whole line, without its line end
        TooLong, // longer than the limit; skipped to its end, no text kept
        Missing, // the file ended (or could not be read) before this line
    };

    // Reads from an open file descriptor, which the caller closes.
    LineReader(int fd, qsizetype maxLineBytes);

    Line next(QByteArray &text);
    // The error number of a read that failed, 0 when every read succeeded.
    int readError() const { return m_error; }

private:
    bool refill();

    int m_fd;
    qsizetype m_maxLineBytes;
    std::array<char, 16 * 1024> m_chunk;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    bool m_atEnd = false;
    int m_error = 0;
};

} // namespace tankeli
