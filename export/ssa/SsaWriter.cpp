#include "export/ssa/SsaWriter.h"

CSsaWriter::~CSsaWriter() {
    Close();
}

bool CSsaWriter::Open(const std::string& path) {
    if (m_File != nullptr)
        return false;
    m_File = std::fopen(path.c_str(), "wb");
    return m_File != nullptr;
}

bool CSsaWriter::WriteText(const std::string& text) {
    return m_File != nullptr && std::fwrite(text.data(), 1, text.size(), m_File) == text.size();
}

bool CSsaWriter::Close() {
    if (m_File == nullptr)
        return true;
    const bool ok = std::fclose(m_File) == 0;
    m_File = nullptr;
    return ok;
}
