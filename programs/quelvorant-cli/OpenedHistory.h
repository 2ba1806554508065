#pragma once

#include "history/ResultsHistory.h"

// The results history as a command opens it, for writing or only for
// reading: when its -wal or -journal held changes, one line on standard
// error says where the file and those changes were copied before it was
// opened for writing.
class OpenedHistory : public ResultsHistory {
  public:
    explicit OpenedHistory(Access access);
};
