// report_sample FILE: writes the sample report, for a look in a browser and
// for the screenshot in docs/report-sample.png.
#include "tests/report/ReportSample.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: report_sample FILE.html\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << HtmlReport(SampleReport());
    return out.good() ? 0 : 1;
}
