// Where a list run of the find dialog delivers its rows, one text per column.
#pragma once

#include <vector>

#include "platform/afx/String.h"

using FindListRow = std::vector<CString>;

class FindRowSink {
public:
    virtual ~FindRowSink() = default;
    // False once the run has been stopped: the run then ends at once.
    virtual bool Add(FindListRow row) = 0;
};
