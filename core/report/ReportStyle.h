#pragma once

// The style sheet of the HTML report, inline in its <head>: the layout for
// wide and narrow windows and for print, and the charts' colours.
extern const char* const kReportStyle;
