#pragma once

#include <id3/writer.h>

#include <string>

// Collects what id3lib renders into a string.
class Id3StringWriter : public ID3_Writer {
public:
    const std::string& Bytes() const { return m_bytes; }

    void close() override {}
    void flush() override {}
    pos_type getCur() override { return static_cast<pos_type>(m_bytes.size()); }
    size_type writeChars(const char_type buf[], size_type len) override {
        m_bytes.append(reinterpret_cast<const char*>(buf), len);
        return len;
    }
    using ID3_Writer::writeChars;

private:
    std::string m_bytes;
};
