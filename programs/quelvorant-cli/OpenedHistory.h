#pragma once

#include "history/ResultsHistory.h"

// The results history as a command opens it: when its -wal or -journal
// held changes, one line on standard error says where the file and those
// changes were copied before it was opened.
class OpenedHistory : public ResultsHistory {
  public:
    OpenedHistory();
};
