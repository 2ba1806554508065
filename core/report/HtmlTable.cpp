#include "report/HtmlTable.h"

namespace {

std::string classAttribute(const std::string& name) {
    return name.empty() ? "" : " class=\"" + name + "\"";
}

} // namespace

namespace HtmlTable {

std::string Start(const std::string& caption, const std::vector<std::string>& columns,
                  const std::string& tableClass) {
    std::string html = "<div class=\"table-box\"><table" + classAttribute(tableClass) +
                       "><caption>" + caption + "</caption><thead><tr>";
    for (const std::string& column : columns) {
        html += "<th scope=\"col\">" + column + "</th>";
    }
    return html + "</tr></thead>";
}

std::string Cell(const std::string& html, const std::string& cellClass) {
    return "<td" + classAttribute(cellClass) + ">" + html + "</td>";
}

std::string Row(const std::string& header, const std::string& cells, const std::string& rowClass) {
    return "<tr" + classAttribute(rowClass) + "><th scope=\"row\">" + header + "</th>" + cells +
           "</tr>";
}

} // namespace HtmlTable
