#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

// The bytes a game is read from, a line at a time, straight from memory: a
// file is read once and its games are read from that one copy. Reading past
// the end fails instead of inventing bytes. The bytes must outlive the reader.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}
    // Appends the bytes before the next line feed to `line` and consumes the
    // feed (the last line may have none); false when no byte was left.
    bool ReadLine(std::string& line);

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// The byte stream a game is written to, one byte at a time through a buffer.
class ByteWriter {
public:
    explicit ByteWriter(std::ostream& out) : m_out(out) {}
    ~ByteWriter() { Flush(); }
    void WriteByte(char byte);
    // Hands the buffer to the stream; false when the stream has failed.
    bool Flush();

private:
    std::ostream& m_out;
    char m_buffer[4096];
    std::size_t m_size = 0;
};
