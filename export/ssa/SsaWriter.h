// CSsaWriter: one subtitle file of a MOV file set ("<base>.ssa"), SubStation
// Alpha v4: the script header once, then one Time event per GOP and, for GOPs
// with telemetry, one Log event (texts in SsaEventText.h).
//
// Threads: no lock; the MOV writer calls it on the extraction thread.
// Ownership: the writer owns its file and closes it in Close and in its
// destructor.
#pragma once

#include <cstdio>
#include <string>

class CSsaWriter {
public:
    CSsaWriter() = default;
    ~CSsaWriter();
    CSsaWriter(const CSsaWriter&) = delete;
    CSsaWriter& operator=(const CSsaWriter&) = delete;

    // Creates (empties) the file at the UTF-8 path; false when it cannot.
    bool Open(const std::string& path);
    // Appends the text unchanged; false when it did not reach the file.
    bool WriteText(const std::string& text);
    // False when the file was open and closing it failed.
    bool Close();

private:
    FILE* m_File = nullptr;
};
