#pragma once

#include <string>
#include <vector>

// The report's tables, put together from their parts: a table in its
// scrolling box with a caption and column heads, rows headed by their first
// cell, and cells. Texts are HTML already; nothing is escaped here.
namespace HtmlTable {

// The box, the table with an optional class, its caption and its head row.
std::string Start(const std::string& caption, const std::vector<std::string>& columns,
                  const std::string& tableClass = "");
// The end of the table and of its box.
inline constexpr const char* kEnd = "</table></div>";

// A cell, with an optional class.
std::string Cell(const std::string& html, const std::string& cellClass = "");
// A row headed by header, then its cells (made by Cell), with an optional class.
std::string Row(const std::string& header, const std::string& cells,
                const std::string& rowClass = "");

} // namespace HtmlTable
