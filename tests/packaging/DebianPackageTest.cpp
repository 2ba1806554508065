#include "tests/packaging/ExpectedLayout.h"
#include "tests/packaging/ProgramRun.h"
#include "tests/support/TempDir.h"

#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

// Control fields as "Name: value" lines; continuation lines, which begin with
// a blank, are kept with their field after a newline.
std::map<std::string, std::string> ControlFields(const std::string& control) {
    std::map<std::string, std::string> fields;
    std::string current;
    for (const std::string& line : Lines(control)) {
        if (!line.empty() && line.front() == ' ' && !current.empty()) {
            fields[current] += "\n" + line;
        } else if (line.find(": ") != std::string::npos) {
            current = line.substr(0, line.find(": "));
            fields[current] = line.substr(line.find(": ") + 2);
        }
    }
    return fields;
}

// The package made by cpack from the build, in a fresh folder.
class DebianPackageTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<TempDir>();
        architecture_ = RunProgram(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")},
                                   CleanEnvironment())
                            .output;
        while (!architecture_.empty() && architecture_.back() == '\n') {
            architecture_.pop_back();
        }
        cpack_ = RunProgram(QStringLiteral(QUEL_CPACK_COMMAND),
                            {QStringLiteral("--config"),
                             QStringLiteral(QUEL_BUILD_DIR "/CPackConfig.cmake"),
                             QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"),
                             QString::fromStdString(folder_->Path())},
                            CleanEnvironment());
        package_ = folder_->File("quelvorant_" QUEL_VERSION "_" + architecture_ + ".deb");
    }
    static void TearDownTestSuite() { folder_.reset(); }
    void SetUp() override {
        ASSERT_EQ(cpack_.exitCode, 0) << cpack_.output;
        ASSERT_FALSE(architecture_.empty());
    }

    static ProgramRun DpkgDeb(const char* option) {
        return RunProgram(QStringLiteral("dpkg-deb"),
                          {QString::fromLatin1(option), QString::fromStdString(package_)},
                          CleanEnvironment());
    }

    static std::unique_ptr<TempDir> folder_;
    static std::string architecture_;
    static ProgramRun cpack_;
    static std::string package_;
};

std::unique_ptr<TempDir> DebianPackageTest::folder_;
std::string DebianPackageTest::architecture_;
ProgramRun DebianPackageTest::cpack_;
std::string DebianPackageTest::package_;

TEST_F(DebianPackageTest, ControlFieldsNameTheProgramItsVersionAndItsNeeds) {
    const ProgramRun run = DpkgDeb("-f");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    auto fields = ControlFields(run.output);
    const std::pair<const char*, std::string> expected[] = {
        {"Package", "quelvorant"}, {"Version", QUEL_VERSION},    {"Architecture", architecture_},
        {"Section", "utils"},      {"Recommends", "fonts-wine"},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(fields[name], value) << name;
    }
    EXPECT_EQ(fields["Maintainer"].rfind("Quelcraft Team <", 0), 0u) << fields["Maintainer"];
    // Dependencies come from the program's libraries; its own private
    // library is part of the package, not a dependency.
    EXPECT_NE(fields["Depends"].find("libqt6widgets6"), std::string::npos) << fields["Depends"];
    EXPECT_NE(fields["Depends"].find("libc6"), std::string::npos) << fields["Depends"];
    EXPECT_EQ(fields["Depends"].find("quelcore"), std::string::npos) << fields["Depends"];

    const std::vector<std::string> description = Lines(fields["Description"]);
    ASSERT_GE(description.size(), 3u) << "a summary and a long text";
    EXPECT_FALSE(description[0].empty());
    for (const std::string& line : description) {
        EXPECT_LE(line.size(), 80u) << line;
    }
}

TEST_F(DebianPackageTest, PackageHoldsExactlyTheInstalledLayoutUnderUsr) {
    const ProgramRun run = DpkgDeb("-c");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    std::set<std::string> expected;
    for (const ExpectedEntry& entry : ExpectedLayout()) {
        expected.insert(entry.path);
    }
    std::set<std::string> packed;
    std::map<std::string, std::string> linkTargets;
    for (const std::string& line : Lines(run.output)) {
        const std::size_t at = line.find(" ./");
        if (line.empty() || line.front() == 'd' || at == std::string::npos) {
            continue;
        }
        std::string path = line.substr(at + 3);
        const std::size_t arrow = path.find(" -> ");
        if (arrow != std::string::npos) {
            linkTargets[path.substr(0, arrow)] = path.substr(arrow + 4);
            path.resize(arrow);
        }
        EXPECT_EQ(path.rfind("usr/", 0), 0u) << path;
        packed.insert(path.substr(4));
    }
    EXPECT_EQ(packed, expected);
    const std::map<std::string, std::string> links = {
        {"usr/bin/quelvorant", "../lib/quelvorant/quelvorant"},
        {"usr/bin/quelvorant-cli", "../lib/quelvorant/quelvorant-cli"}};
    EXPECT_EQ(linkTargets, links);
}

// The private library needs no ldconfig, and nothing else needs a script.
TEST_F(DebianPackageTest, PackageHasNoMaintainerScripts) {
    const ProgramRun run = DpkgDeb("-I");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find(" control"), std::string::npos) << run.output;
    for (const char* script : {"preinst", "postinst", "prerm", "postrm"}) {
        EXPECT_EQ(run.output.find(script), std::string::npos) << script << "\n" << run.output;
    }
}

} // namespace
