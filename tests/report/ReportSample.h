#pragma once

#include "report/HtmlReport.h"

// A realistic report: this machine (a 2-core virtual machine) with eight runs
// of one copy over four weeks, the last of them the report's run, and two
// other machines in the history.
ReportData SampleReport();
