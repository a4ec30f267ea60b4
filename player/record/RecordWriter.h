// CRecordWriter, the recording writer behind zSetRecord: starting creates the
// pair "<base>.dvr" / "<base>.inx" and writes the index header; stopping
// appends the end mark (offset = the .dvr's size), writes the header's `last`
// and closes both. Nothing writes GOPs into the .dvr meanwhile, so a stopped
// recording holds no data (and a reader refuses it: data length 0).
//
// The player object owns one. No lock: zSetRecord is its only caller, on the
// host's thread. The writer owns its two streams.
#pragma once

#include <cstdio>

class CRecordWriter {
public:
    CRecordWriter() = default;
    CRecordWriter(const CRecordWriter&) = delete;
    CRecordWriter& operator=(const CRecordWriter&) = delete;
    // Closes a running recording as Stop would.
    ~CRecordWriter();

    // zSetRecord: Start when `on`, else Stop.
    bool SetRecord(const char* baseName, bool on);

    // False when a recording runs, when the names do not fit 260 characters
    // or when either file cannot be created or written (nothing stays open).
    bool Start(const char* baseName);
    // False when no recording runs or when finishing the index failed; both
    // files are closed either way.
    bool Stop();

    bool IsRecording() const { return m_recordDvr != nullptr; }

private:
    bool FinishIndex();
    bool CloseFiles();

    FILE* m_recordDvr = nullptr;
    FILE* m_recordInx = nullptr;
};
