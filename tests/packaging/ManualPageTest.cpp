#include "GzipFile.h"
#include "InstalledTree.h"

#include <QString>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The installed commands and whether their help lists subcommands.
struct PageCase {
    std::string program;
    bool hasSubcommands;
};

const PageCase kPages[] = {
    {"quelvorant", false},
    {"quelvorant-cli", true},
    {"he3", true},
};

QProcessEnvironment ManEnvironment() {
    QProcessEnvironment environment = CleanEnvironment();
    environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    return environment;
}

// The subcommands a CLI11 help lists under "Subcommands:".
std::vector<std::string> Subcommands(const std::string& help) {
    std::istringstream lines(help);
    std::vector<std::string> names;
    std::string line;
    bool inBlock = false;
    while (std::getline(lines, line)) {
        if (line == "Subcommands:") {
            inBlock = true;
        } else if (line.empty()) {
            inBlock = false;
        } else if (inBlock && line.rfind("  ", 0) == 0) {
            names.push_back(line.substr(2, line.find(' ', 2) - 2));
        }
    }
    return names;
}

class ManualPageTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { tree_ = std::make_unique<InstalledTree>(); }
    static void TearDownTestSuite() { tree_.reset(); }
    void SetUp() override { ASSERT_EQ(tree_->Install().exitCode, 0) << tree_->Install().output; }

    static std::string Page(const PageCase& page) {
        return tree_->Path("share/man/man1/" + page.program + ".1.gz");
    }
    // The page as man shows it, 80 columns wide, with neither justification
    // nor hyphenation, so that its words stand as written.
    static ProgramRun Rendered(const PageCase& page) {
        return RunProgram(QStringLiteral("man"),
                          {QStringLiteral("--no-justification"), QStringLiteral("--no-hyphenation"),
                           QStringLiteral("-l"), QString::fromStdString(Page(page))},
                          ManEnvironment());
    }

    static std::unique_ptr<InstalledTree> tree_;
};

std::unique_ptr<InstalledTree> ManualPageTest::tree_;

TEST_F(ManualPageTest, PagesAreGzipdWithoutNameOrTimeAtMaximumCompression) {
    for (const PageCase& page : kPages) {
        EXPECT_EQ(GzipHeaderProblem(ReadFile(Page(page))), "") << page.program;
        const ProgramRun roff = Gunzip(Page(page));
        EXPECT_EQ(roff.exitCode, 0) << page.program << "\n" << roff.output;
        EXPECT_EQ(roff.output.rfind(".\\\"", 0), 0u) << page.program << ": not roff";
    }
}

// man sends troff's warnings to standard error, which alone is kept here.
TEST_F(ManualPageTest, ManFormatsEveryPageWithoutWarnings) {
    for (const PageCase& page : kPages) {
        const ProgramRun run =
            RunProgram(QStringLiteral("sh"),
                       {QStringLiteral("-c"),
                        QStringLiteral("man -l --warnings=all,mac \"$1\" 2>&1 >/dev/null"),
                        QStringLiteral("sh"), QString::fromStdString(Page(page))},
                       ManEnvironment());
        EXPECT_EQ(run.exitCode, 0) << page.program;
        EXPECT_EQ(run.output, "") << page.program;
    }
}

TEST_F(ManualPageTest, EveryPageNamesItsProgramAndVersion) {
    for (const PageCase& page : kPages) {
        const ProgramRun run = Rendered(page);
        ASSERT_EQ(run.exitCode, 0) << page.program << "\n" << run.output;
        const QString title =
            QString::fromStdString(page.program).toUpper() + QStringLiteral("(1)");
        EXPECT_EQ(run.output.rfind(title.toStdString() + " ", 0), 0u) << run.output;
        EXPECT_NE(run.output.find("NAME\n       " + page.program + " - "), std::string::npos)
            << run.output;
        EXPECT_NE(run.output.find("\n" + page.program + " " QUEL_VERSION " "), std::string::npos)
            << "footer without the version\n"
            << run.output;
    }
}

// Each subcommand's own help is a subsection, found from the help of the
// installed program as it is now.
TEST_F(ManualPageTest, CommandsSectionHoldsEverySubcommandTheHelpLists) {
    for (const PageCase& page : kPages) {
        if (!page.hasSubcommands) {
            continue;
        }
        const ProgramRun help =
            RunProgram(QString::fromStdString(tree_->Path("bin/" + page.program)),
                       {QStringLiteral("--help")}, CleanEnvironment());
        const std::vector<std::string> subcommands = Subcommands(help.output);
        EXPECT_GE(subcommands.size(), 2u) << help.output;
        const std::string rendered = Rendered(page).output;
        const std::size_t commands = rendered.find("\nCOMMANDS\n");
        ASSERT_NE(commands, std::string::npos) << rendered;
        for (const std::string& subcommand : subcommands) {
            EXPECT_NE(rendered.find("\n   " + page.program + " " + subcommand + " ", commands),
                      std::string::npos)
                << page.program << " " << subcommand;
        }
    }
}

TEST_F(ManualPageTest, WindowProgramsPageShowsNoOptionsAndSaysSo) {
    const PageCase& window = kPages[0];
    ASSERT_EQ(window.program, "quelvorant");
    const std::string rendered = Rendered(window).output;
    EXPECT_NE(rendered.find("SYNOPSIS\n       quelvorant\n"), std::string::npos) << rendered;
    EXPECT_NE(rendered.find("takes no options"), std::string::npos) << rendered;
    EXPECT_EQ(rendered.find("\nOPTIONS\n"), std::string::npos) << rendered;
}

} // namespace
