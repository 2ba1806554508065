#pragma once

#include <string>
#include <vector>

// A run's pass times (seconds; 50 compressions, then the decompressions) as
// HTML: a bar chart, <svg id="pass-times"> with one <rect class="pass
// compression"> or "pass decompression" per pass, beside a table of their
// median, minimum and maximum, and below them a table of every time. The
// outlier passes (numbered from 1) get the class "outlier" too.
std::string PassTimesFigure(const std::vector<double>& passTimes,
                            const std::vector<int>& outliers = {});
