#include "tests/report/ReportSample.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

const char* const kChromium = "/usr/bin/chromium";

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

// The sample report rendered in headless Chromium, with a hostile host name
// among the other machines. Chromium runs without a sandbox (the tests may
// run as root), in a fresh profile, and without the background traffic it
// would otherwise send to Google's hosts.
class ReportInBrowser : public ::testing::Test {
  protected:
    ReportInBrowser() {
        ReportData data = SampleReport();
        data.Machines[1].first.Name = "<script>document.body.remove()</script>";
        std::ofstream(page_, std::ios::binary) << HtmlReport(data);
    }

    // Runs Chromium on the page with the extra arguments; its standard output.
    std::string Chromium(const std::vector<std::string>& arguments) {
        if (!std::filesystem::exists(kChromium)) {
            ADD_FAILURE() << kChromium
                          << " is missing; tools/setup.sh installs the package chromium";
            return "";
        }
        TempDir profile;
        std::vector<std::string> command = {"60",
                                            kChromium,
                                            "--headless",
                                            "--no-sandbox",
                                            "--disable-gpu",
                                            "--disable-quic",
                                            "--no-first-run",
                                            "--disable-background-networking",
                                            "--disable-component-update",
                                            "--disable-sync",
                                            "--user-data-dir=" + profile.Path()};
        command.insert(command.end(), arguments.begin(), arguments.end());
        command.push_back("file://" + page_);
        ChildProcess chromium("/usr/bin/timeout", command, dir_.Path());
        EXPECT_EQ(chromium.Wait(), 0) << chromium.Err();
        return chromium.Out();
    }

    TempDir dir_;
    const std::string page_ = dir_.File("report.html");
};

// The element that begins with open, up to the end of the first SVG that
// closes after it.
std::string chart(const std::string& dom, const std::string& open) {
    const std::size_t begin = dom.find(open);
    if (begin == std::string::npos) {
        return "";
    }
    const std::size_t end = dom.find("</svg>", begin);
    return dom.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

// Width and height from a PNG's header; 0 x 0 when the file is not a PNG.
std::pair<unsigned, unsigned> pngSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    const std::string signature = "\x89PNG\r\n\x1a\n";
    if (!in || std::string(reinterpret_cast<char*>(header), 8) != signature ||
        std::string(reinterpret_cast<char*>(header) + 12, 4) != "IHDR") {
        return {0, 0};
    }
    const auto number = [&](int at) {
        return unsigned(header[at]) << 24 | unsigned(header[at + 1]) << 16 |
               unsigned(header[at + 2]) << 8 | unsigned(header[at + 3]);
    };
    return {number(16), number(20)};
}

} // namespace

TEST_F(ReportInBrowser, RenderedPageHoldsEveryChartWithItsMarks) {
    const std::string dom = Chromium({"--dump-dom"});
    ASSERT_NE(dom.find("</html>"), std::string::npos) << "no page came back";

    const std::string passes = chart(dom, "<svg id=\"pass-times\"");
    EXPECT_EQ(count(passes, "<rect class=\"pass compression"), 50u);
    EXPECT_EQ(count(passes, "<rect class=\"pass decompression"), 51u);
    EXPECT_EQ(count(passes, " outlier\""), 2u);
    const std::string met = chart(dom, "<svg id=\"passes-met\"");
    EXPECT_EQ(count(met, "<rect class=\"met waited\" x="), 76u);
    EXPECT_EQ(count(met, "<polyline class=\"clock\""), 1u);
    const std::string scores = chart(dom, "<svg id=\"scores-over-time\"");
    EXPECT_EQ(count(scores, "<circle class=\"point"), 8u);
    EXPECT_EQ(count(scores, "<circle class=\"point this\""), 1u);
    const std::string machines = chart(dom, "<svg id=\"machines\"");
    EXPECT_EQ(count(machines, "<rect class=\"machine"), 3u);
    EXPECT_EQ(count(machines, "<rect class=\"machine this\""), 1u);

    // The hostile host name was shown as text, not run.
    EXPECT_EQ(count(dom, "<script"), 0u);
    EXPECT_NE(dom.find("&lt;script&gt;document.body.remove()"), std::string::npos);
}

TEST_F(ReportInBrowser, ScreenshotsAtDesktopAndPhoneWidth) {
    const struct { unsigned width, height; } windows[] = {{1280, 2400}, {390, 3000}};
    for (const auto& window : windows) {
        const std::string png = dir_.File("report-" + std::to_string(window.width) + ".png");
        Chromium({"--screenshot=" + png, "--window-size=" + std::to_string(window.width) + "," +
                                             std::to_string(window.height)});
        EXPECT_EQ(pngSize(png), std::make_pair(window.width, window.height)) << png;
    }
}
