#include "tests/packaging/GzipFile.h"
#include "tests/packaging/InstalledTree.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The window program first; the command-line programs have subcommands.
const std::string kPrograms[] = {"quelvorant", "quelvorant-cli", "he3"};

// The subcommands a CLI11 help lists under "Subcommands:".
std::vector<std::string> Subcommands(const std::string& help) {
    const std::size_t block = help.find("\nSubcommands:\n");
    std::vector<std::string> names;
    if (block == std::string::npos) {
        return names;
    }
    std::istringstream lines(help.substr(block + 14));
    std::string line;
    while (std::getline(lines, line) && line.rfind("  ", 0) == 0) {
        names.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    return names;
}

class ManualPageTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { tree_ = std::make_unique<InstalledTree>(); }
    static void TearDownTestSuite() { tree_.reset(); }
    void SetUp() override { ASSERT_EQ(tree_->Install().exitCode, 0) << tree_->Install().output; }

    static std::string Page(const std::string& program) {
        return tree_->Path("share/man/man1/" + program + ".1.gz");
    }
    // man on the page, 80 columns wide; a shell COMMAND gets the page as $1.
    static ProgramRun Man(const std::string& program, const char* command) {
        QProcessEnvironment environment = CleanEnvironment();
        environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
        return RunProgram(QStringLiteral("sh"),
                          {QStringLiteral("-c"), QString::fromLatin1(command), QStringLiteral("sh"),
                           QString::fromStdString(Page(program))},
                          environment);
    }
    // The page's text, unjustified and unhyphenated so its words stand as written.
    static std::string Rendered(const std::string& program) {
        return Man(program, "man --no-justification --no-hyphenation -l \"$1\"").output;
    }

    static std::unique_ptr<InstalledTree> tree_;
};

std::unique_ptr<InstalledTree> ManualPageTest::tree_;

TEST_F(ManualPageTest, EveryPageIsGzipdRoffThatManFormatsWithoutWarnings) {
    for (const std::string& program : kPrograms) {
        EXPECT_EQ(GzipHeaderProblem(ReadFile(Page(program))), "") << program;
        const ProgramRun roff = Gunzip(Page(program));
        EXPECT_EQ(roff.exitCode, 0) << program << "\n" << roff.output;
        EXPECT_EQ(roff.output.rfind(".\\\"", 0), 0u) << program << ": not roff";
        // Only standard error, where man sends troff's warnings, is kept.
        const ProgramRun warnings =
            Man(program, "man -l --warnings=all,mac \"$1\" 2>&1 >/dev/null");
        EXPECT_EQ(warnings.exitCode, 0) << program;
        EXPECT_EQ(warnings.output, "") << program;
    }
}

TEST_F(ManualPageTest, EveryPageNamesItsProgramAndVersion) {
    for (const std::string& program : kPrograms) {
        const std::string rendered = Rendered(program);
        const std::string title = QString::fromStdString(program).toUpper().toStdString() + "(1) ";
        EXPECT_EQ(rendered.rfind(title, 0), 0u) << rendered;
        EXPECT_NE(rendered.find("NAME\n       " + program + " - "), std::string::npos) << rendered;
        EXPECT_NE(rendered.find("\n" + program + " " QUEL_VERSION " "), std::string::npos)
            << "no version in the footer\n"
            << rendered;
    }
}

// Found from the help of the installed program as it is now.
TEST_F(ManualPageTest, CommandsSectionHoldsEverySubcommandTheHelpLists) {
    for (const std::string& program : {kPrograms[1], kPrograms[2]}) {
        const ProgramRun help = RunProgram(QString::fromStdString(tree_->Path("bin/" + program)),
                                           {QStringLiteral("--help")}, CleanEnvironment());
        const std::vector<std::string> subcommands = Subcommands(help.output);
        EXPECT_GE(subcommands.size(), 2u) << help.output;
        const std::string rendered = Rendered(program);
        const std::size_t commands = rendered.find("\nCOMMANDS\n");
        ASSERT_NE(commands, std::string::npos) << rendered;
        for (const std::string& subcommand : subcommands) {
            EXPECT_NE(rendered.find("\n   " + program + " " + subcommand + " ", commands),
                      std::string::npos)
                << program << " " << subcommand;
        }
    }
}

TEST_F(ManualPageTest, WindowProgramsPageShowsNoOptionsAndSaysSo) {
    const std::string rendered = Rendered(kPrograms[0]);
    EXPECT_NE(rendered.find("SYNOPSIS\n       quelvorant\n"), std::string::npos) << rendered;
    EXPECT_NE(rendered.find("takes no options"), std::string::npos) << rendered;
    EXPECT_EQ(rendered.find("\nOPTIONS\n"), std::string::npos) << rendered;
}

} // namespace
