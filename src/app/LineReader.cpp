#include "LineReader.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace tankeli {

LineReader::LineReader(int fd, qsizetype maxLineBytes)
    : m_fd(fd)
    , m_maxLineBytes(maxLineBytes)
{
}

bool LineReader::refill()
{
    if (m_atEnd)
        return false;
    ssize_t n;
    do {
        n = ::read(m_fd, m_chunk.data(), m_chunk.size());
    } while (n < 0 && errno == EINTR);
    if (n <= 0) {
        m_error = n < 0 ? errno : 0;
        m_atEnd = true;
        return false;
    }
    m_pos = 0;
    m_end = n;
    return true;
}

LineReader::Line LineReader::next(QByteArray &text)
{
    text.clear();
    // One byte more than the limit may be a CR before the LF.
    const qsizetype keep = m_maxLineBytes + 1;
    bool anyByte = false;
    bool tooLong = false;
    bool ended = false;
    while (!ended && (m_pos < m_end || refill())) {
        anyByte = true;
        const char *start = m_chunk.data() + m_pos;
        const auto *newline = static_cast<const char *>(std::memchr(start, '\n', size_t(m_end - m_pos)));
        const qsizetype length = newline ? newline - start : m_end - m_pos;
        if (!tooLong) {
            const qsizetype room = keep - text.size();
            text.append(start, qMin(length, room));
            tooLong = length > room;
        }
        m_pos += newline ? length + 1 : length;
        ended = newline != nullptr;
    }
    if (!anyByte)
        return Line::Missing;
    if (!tooLong && text.endsWith('\r'))
        text.chop(1);
    if (tooLong || text.size() > m_maxLineBytes) {
        text.clear();
        return Line::TooLong;
    }
    return Line::Text;
}

} // namespace tankeli
