#include "report/HtmlPage.h"

#include "platform/Version.h"
#include "report/HtmlText.h"
#include "report/ReportStyle.h"
#include "report/TimeScale.h"

std::string HtmlPage(const std::string& title, const std::string& headerAndMain,
                     const std::string& generatedAt) {
    return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><meta "
           "name=\"viewport\" content=\"width=device-width, initial-scale=1\"><title>" +
           HtmlEscaped(title) + "</title><style>" + kReportStyle + "</style></head><body>" +
           headerAndMain + "<footer><p>Made by " + HtmlEscaped(VersionText()) + " at " +
           HtmlEscaped(MinuteText(generatedAt)) +
           " UTC. Time Summa in seconds and the score in frames: lower is faster.</p><p>Copyright "
           "(C) 2026 Quelcraft</p></footer></body></html>\n";
}
