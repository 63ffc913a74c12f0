#include "ByteArchive.h"

bool ByteReader::ReadByte(char& byte) {
    if (m_pos == m_size) {
        m_in.read(m_buffer, sizeof m_buffer);
        m_size = static_cast<std::size_t>(m_in.gcount());
        m_pos = 0;
        if (m_size == 0) return false;
    }
    byte = m_buffer[m_pos++];
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
