#include "ByteArchive.h"

#include <cstring>

bool ByteReader::ReadLine(std::string& line) {
    if (m_pos >= m_bytes.size()) return false;
    const std::size_t feed = m_bytes.find('\n', m_pos);
    const std::size_t end = feed == std::string_view::npos ? m_bytes.size() : feed;
    line.append(m_bytes.data() + m_pos, end - m_pos);
    m_pos = end == m_bytes.size() ? end : end + 1;
    return true;
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
