#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>

// The byte stream a game is read from: a line at a time through a buffer.
// Reading past the end fails instead of inventing bytes.
class ByteReader {
public:
    explicit ByteReader(std::istream& in) : m_in(in) {}
    // Appends the bytes before the next line feed to `line` and consumes the
    // feed (the last line may have none); false when no byte was left.
    bool ReadLine(std::string& line);

private:
    // Reads the next block into the buffer; false at the end of the stream.
    bool Refill();

    std::istream& m_in;
    char m_buffer[4096];
    std::size_t m_pos = 0;
    std::size_t m_size = 0;
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
