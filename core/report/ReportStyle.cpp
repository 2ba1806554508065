#include "report/ReportStyle.h"

// Colours keep at least 4.5:1 against their background for text and 3:1 for
// the charts' marks. A chart scales to its box; on a narrow window its texts
// grow in the chart's units, so that they stay readable when it shrinks.
const char* const kReportStyle = R"(
:root { --ink: #1b1f24; --muted: #4d5561; --line: #d5dae1; --panel: #f4f6f9; --mark: #fff4e5;
  --compression: #2563a8; --decompression: #b34700; --machine: #7c8898; --this: #b34700; }
* { box-sizing: border-box; }
body { margin: 0; color: var(--ink); background: #fff;
  font: 16px/1.5 "DejaVu Sans", "Liberation Sans", Arial, sans-serif; }
header, main, footer { max-width: 1200px; margin: 0 auto; padding: 0 24px; }
header { padding-top: 24px; }
h1 { font-size: 1.6rem; margin: 0 0 4px; }
h2 { font-size: 1.3rem; margin: 36px 0 12px; border-bottom: 1px solid var(--line); padding-bottom: 4px; }
h3 { font-size: 1.05rem; margin: 0 0 8px; }
.lead { color: var(--muted); margin: 0; overflow-wrap: anywhere; }
.note { background: var(--mark); border-left: 4px solid var(--decompression); padding: 8px 12px;
  overflow-wrap: anywhere; }
.figures { display: grid; grid-template-columns: minmax(0, 1fr) minmax(0, 1fr) minmax(0, 2fr); gap: 16px; }
.figure-box { background: var(--panel); border-radius: 6px; padding: 12px 16px; min-width: 0; }
.figure-box .value { font-size: 2.2rem; font-weight: bold; line-height: 1.2; }
.figure-box .unit { font-size: 1rem; font-weight: normal; color: var(--muted); }
.figure-box p { margin: 4px 0 0; color: var(--muted); font-size: 0.9rem; }
.facts { columns: 340px 3; column-gap: 16px; }
.facts section { background: var(--panel); border-radius: 6px; padding: 12px 16px; margin-bottom: 16px;
  break-inside: avoid; }
.facts table { width: 100%; table-layout: fixed; }
.facts th { width: 38%; }
.facts td.text { overflow-wrap: anywhere; }
.pair { display: grid; grid-template-columns: minmax(0, 3fr) minmax(0, 2fr); gap: 24px; align-items: start; }
.pair.even { grid-template-columns: minmax(0, 1fr) minmax(0, 1fr); }
figure { margin: 0; min-width: 0; }
figcaption { color: var(--muted); font-size: 0.9rem; margin-top: 6px; }
.table-box { overflow-x: auto; min-width: 0; margin-top: 16px; }
.pair .table-box, .figure-box .table-box { margin-top: 0; }
table { border-collapse: collapse; font-size: 0.9rem; font-variant-numeric: tabular-nums; }
caption { text-align: left; font-weight: bold; padding-bottom: 4px; }
th, td { padding: 3px 12px 3px 0; border-bottom: 1px solid var(--line); vertical-align: top; text-align: left; }
thead th { border-bottom: 2px solid var(--muted); vertical-align: bottom; white-space: nowrap; }
td { text-align: right; white-space: nowrap; }
td.text { text-align: left; white-space: normal; overflow-wrap: break-word; }
td.date { text-align: left; white-space: normal; }
time { white-space: nowrap; }
tr.this { background: var(--mark); }
.pass-grid th[scope="rowgroup"] { padding-top: 10px; }
.pass-grid td { padding-right: 10px; }
.compression { fill: var(--compression); }
.decompression { fill: var(--decompression); }
svg .outlier { stroke: var(--ink); stroke-width: 2; }
.met.waited { fill: #8b3fa8; }
.met.stolen { fill: #c0392b; }
svg .clock { fill: none; stroke: var(--ink); stroke-width: 1.5; }
.pass-grid .compression th[scope="rowgroup"] { color: var(--compression); }
.pass-grid .decompression th[scope="rowgroup"] { color: var(--decompression); }
.legend { list-style: none; margin: 0 0 4px; padding: 0; display: flex; flex-wrap: wrap; gap: 4px 24px; font-size: 0.9rem; }
.legend .swatch { width: 0.9em; height: 0.9em; margin-right: 6px; vertical-align: -0.1em; }
svg.chart { display: block; width: 100%; height: auto; }
svg.chart text { font-size: 13px; fill: var(--ink); }
svg.chart .tick, svg.chart .value, svg.chart .axis-title { fill: var(--muted); }
svg.chart .grid { stroke: var(--line); stroke-width: 1; }
svg.chart .axis { stroke: var(--muted); stroke-width: 1; }
svg.chart .divider { stroke: var(--ink); stroke-dasharray: 4 3; }
svg.chart .median { stroke: var(--muted); stroke-dasharray: 6 4; }
svg.chart .trend { fill: none; stroke: var(--machine); stroke-width: 1.5; }
svg.chart .point { fill: var(--compression); stroke: #fff; stroke-width: 1.5; }
svg.chart .point.this { fill: var(--this); }
svg.chart .machine { fill: var(--machine); }
svg.chart .machine.this { fill: var(--this); }
svg.chart .range { stroke: var(--ink); stroke-width: 2; }
#fleet figure { max-width: 760px; }
.fleet thead th { white-space: normal; }
.fleet td.text { min-width: 8em; }
#machines > section { margin-top: 28px; }
svg.chart .bar-label.this, svg.chart .point-label { font-weight: bold; }
svg.chart .narrow { display: none; }
footer { margin-top: 40px; padding-top: 12px; padding-bottom: 24px; color: var(--muted); font-size: 0.85rem; }
footer p { margin: 0 0 4px; border-top: 1px solid var(--line); padding-top: 8px; }
footer p + p { border-top: none; padding-top: 0; }
@media (max-width: 1000px) {
  .figures { grid-template-columns: minmax(0, 1fr) minmax(0, 1fr); }
  .figures .spread { grid-column: 1 / -1; }
  .pair, .pair.even { grid-template-columns: minmax(0, 1fr); }
}
@media (max-width: 600px) {
  header, main, footer { padding-left: 12px; padding-right: 12px; }
  header { padding-top: 16px; }
  h1 { font-size: 1.35rem; }
  .figures { grid-template-columns: minmax(0, 1fr); }
  .figure-box .value { font-size: 1.8rem; }
  .pass-grid { font-size: 0.75rem; }
  .pass-grid th, .pass-grid td { padding-right: 3px; }
  svg.chart text { font-size: 24px; }
  svg.chart .bar-label { font-size: 22px; }
  svg.chart .wide { display: none; }
  svg.chart .narrow { display: inline; }
}
@media print {
  body { font-size: 10pt; }
  header, main, footer { max-width: none; padding: 0; }
  .pair, .pair.even { grid-template-columns: minmax(0, 1fr); }
  .table-box { overflow: visible; }
  td.text { white-space: normal; }
  figure, table, .facts section, .figure-box { break-inside: avoid; }
  h2 { break-after: avoid; }
}
)";
