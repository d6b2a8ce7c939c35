#include "LineReader.h"

#include "FailureText.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tankeli {

ReadableFile::ReadableFile(const QByteArray &path)
{
    // O_NONBLOCK: opening a FIFO that no program writes would wait for ever.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        m_error = errno;
        return;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        m_error = errno;
        ::close(fd);
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        m_folder = S_ISDIR(info.st_mode);
        ::close(fd);
        return;
    }
    m_fd = fd;
}

ReadableFile::~ReadableFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString ReadableFile::problem() const
{
    if (m_error != 0)
        return systemErrorText(m_error);
    if (m_folder)
        return systemErrorText(EISDIR);
    return m_fd < 0 ? QStringLiteral("Se ei ole tavallinen tiedosto") : QString();
}

LineReader::LineReader(int fd, qsizetype maxLineBytes, qsizetype maxTotalBytes)
    : m_fd(fd)
    , m_maxLineBytes(maxLineBytes)
    , m_bytesLeft(maxTotalBytes)
{
}

bool LineReader::refill()
{
    m_capped = m_bytesLeft == 0;
    if (m_atEnd || m_capped)
        return false;
    const size_t wanted = m_bytesLeft < 0 ? m_chunk.size() : size_t(qMin<qsizetype>(m_bytesLeft, m_chunk.size()));
    ssize_t n;
    do {
        n = ::read(m_fd, m_chunk.data(), wanted);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) {
        m_error = n < 0 ? errno : 0;
        m_atEnd = true;
        return false;
    }
    m_pos = 0;
    m_end = n;
    if (m_bytesLeft > 0)
        m_bytesLeft -= n;
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
    tooLong = tooLong || (!ended && m_capped);
    if (!tooLong && text.endsWith('\r'))
        text.chop(1);
    if (tooLong || text.size() > m_maxLineBytes) {
        text.clear();
        return Line::TooLong;
    }
    return Line::Text;
}

Outcome<QByteArray> readWholeFile(const QString &path, qsizetype maxBytes, const QString &shown,
                                  const QString &tooLarge)
{
    const ReadableFile file(QFile::encodeName(path));
    if (!file.isOpen())
        return Outcome<QByteArray>::failure(
            QStringLiteral("Tiedostoa %1 ei voitu avata: %2.").arg(shown, file.problem()));
    QByteArray bytes;
    char chunk[64 * 1024];
    while (bytes.size() <= maxBytes) {
        const ssize_t n = ::read(file.descriptor(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Outcome<QByteArray>::failure(
                QStringLiteral("Tiedostoa %1 ei voitu lukea: %2.").arg(shown, systemErrorText(errno)));
        if (n == 0)
            return bytes;
        bytes.append(chunk, n);
    }
    return Outcome<QByteArray>::failure(tooLarge);
}

} // namespace tankeli
