#include "ByteArchive.h"

#include <cstring>

bool ByteReader::ReadLine(std::string& line) {
    bool any = false;
    while (m_pos < m_size || Refill()) {
        any = true;
        const char* start = m_buffer + m_pos;
        const std::size_t available = m_size - m_pos;
        const void* feed = std::memchr(start, '\n', available);
        if (feed != nullptr) {
            const auto length = static_cast<std::size_t>(static_cast<const char*>(feed) - start);
            line.append(start, length);
            m_pos += length + 1;
            return true;
        }
        line.append(start, available);
        m_pos = m_size;
    }
    return any;
}

bool ByteReader::Refill() {
    m_in.read(m_buffer, sizeof m_buffer);
    m_size = static_cast<std::size_t>(m_in.gcount());
    m_pos = 0;
    return m_size > 0;
}

void ByteWriter::WriteByte(char byte) {
    if (m_size == sizeof m_buffer) Flush();
    m_buffer[m_size++] = byte;
}

bool ByteWriter::Flush() {
    if (m_size > 0) m_out.write(m_buffer, static_cast<std::streamsize>(m_size));
    m_size = 0;
    m_out.flush();
    return static_cast<bool>(m_out);
}
