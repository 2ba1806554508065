#include "tests/packaging/ExpectedLayout.h"
#include "tests/packaging/GzipFile.h"
#include "tests/packaging/InstalledTree.h"
#include "tests/packaging/ProgramRun.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

bool IsExecutable(const fs::path& path) {
    const fs::perms p = fs::symlink_status(path).permissions();
    return (p & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec)) !=
           fs::perms::none;
}

// The loader's trace line for a library, e.g. "libQuelCore.so => /x/libQuelCore.so".
std::string ResolvedPath(const std::string& trace, const std::string& library) {
    std::istringstream lines(trace);
    std::string line;
    const std::string arrow = library + " => ";
    while (std::getline(lines, line)) {
        const std::size_t at = line.find(arrow);
        if (at != std::string::npos) {
            const std::string rest = line.substr(at + arrow.size());
            return rest.substr(0, rest.find(" ("));
        }
    }
    return {};
}

class InstallLayoutTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { tree_ = std::make_unique<InstalledTree>(); }
    static void TearDownTestSuite() { tree_.reset(); }
    void SetUp() override { ASSERT_EQ(tree_->Install().exitCode, 0) << tree_->Install().output; }

    static std::unique_ptr<InstalledTree> tree_;
};

std::unique_ptr<InstalledTree> InstallLayoutTest::tree_;

TEST_F(InstallLayoutTest, InstallsTheListedFilesAndNothingElse) {
    std::set<std::string> expected;
    for (const ExpectedEntry& entry : ExpectedLayout()) {
        expected.insert(entry.path);
    }
    std::set<std::string> installed;
    const fs::path prefix = tree_->Path("");
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(tree_->Root())) {
        if (!entry.is_directory() || entry.is_symlink()) {
            installed.insert(entry.path().lexically_relative(prefix).string());
        }
    }
    for (const std::string& path : installed) {
        EXPECT_TRUE(expected.count(path) == 1) << "installed but not part of the program: " << path;
    }
    for (const std::string& path : expected) {
        EXPECT_TRUE(installed.count(path) == 1) << "missing: " << path;
    }
}

TEST_F(InstallLayoutTest, EveryFileHasTheKindAndModeItsRoleNeeds) {
    for (const ExpectedEntry& entry : ExpectedLayout()) {
        const fs::path path = tree_->Path(entry.path);
        const fs::file_status status = fs::symlink_status(path);
        switch (entry.kind) {
        case EntryKind::Link:
            EXPECT_TRUE(fs::is_symlink(status)) << entry.path;
            break;
        case EntryKind::Program:
            EXPECT_TRUE(fs::is_regular_file(status)) << entry.path;
            EXPECT_TRUE(IsExecutable(path)) << entry.path;
            break;
        case EntryKind::Library:
            EXPECT_TRUE(fs::is_regular_file(status)) << entry.path;
            break;
        case EntryKind::Data:
            EXPECT_TRUE(fs::is_regular_file(status)) << entry.path;
            EXPECT_FALSE(IsExecutable(path)) << entry.path;
            break;
        }
    }
}

TEST_F(InstallLayoutTest, CommandLinksAreRelativeAndLeadToThePrograms) {
    for (const std::string name : {"quelvorant", "quelvorant-cli"}) {
        const fs::path link = tree_->Path("bin/" + name);
        ASSERT_TRUE(fs::is_symlink(link)) << name;
        EXPECT_EQ(fs::read_symlink(link), fs::path("../lib/quelvorant/" + name));
        EXPECT_EQ(fs::canonical(link), fs::canonical(tree_->Path("lib/quelvorant/" + name)));
    }
}

struct LoaderCase {
    const char* name;
    QString program;
    QStringList arguments;
    QString traceVariable;
};

// ldd on the installed program, and the loader's own trace when the program
// is started through bin/quelvorant: both must take libQuelCore.so from the
// installed folder, found through $ORIGIN, not from the build tree.
TEST_F(InstallLayoutTest, ProgramFindsItsLibraryInItsOwnFolder) {
    const QString program = QString::fromStdString(tree_->Path("lib/quelvorant/quelvorant"));
    const QString link = QString::fromStdString(tree_->Path("bin/quelvorant"));
    const QString cliLink = QString::fromStdString(tree_->Path("bin/quelvorant-cli"));
    const LoaderCase cases[] = {
        {"ldd on the program", QStringLiteral("ldd"), {program}, {}},
        {"started through the link", link, {}, QStringLiteral("LD_TRACE_LOADED_OBJECTS")},
        {"quelvorant-cli through its link", cliLink, {}, QStringLiteral("LD_TRACE_LOADED_OBJECTS")},
    };
    const std::string library =
        fs::canonical(tree_->Path("lib/quelvorant/libQuelCore.so")).string();
    for (const LoaderCase& c : cases) {
        QProcessEnvironment environment = CleanEnvironment();
        if (!c.traceVariable.isEmpty()) {
            environment.insert(c.traceVariable, QStringLiteral("1"));
        }
        const ProgramRun run = RunProgram(c.program, c.arguments, environment);
        EXPECT_EQ(run.exitCode, 0) << c.name << "\n" << run.output;
        EXPECT_EQ(run.output.find("not found"), std::string::npos) << c.name << "\n" << run.output;
        const std::string resolved = ResolvedPath(run.output, "libQuelCore.so");
        ASSERT_FALSE(resolved.empty()) << c.name << "\n" << run.output;
        EXPECT_EQ(fs::canonical(resolved).string(), library) << c.name;
    }
}

// Every installed program and the library are built as Debian hardens its
// packages: position-independent, with full RELRO and immediate binding,
// and the programs call the checked variants of string and memory functions
// where their code has calls that have them.
TEST_F(InstallLayoutTest, ProgramsAndLibraryAreHardened) {
#ifndef QUEL_HARDENED
    GTEST_SKIP() << "built without QUEL_HARDEN";
#endif
    // he3's own code calls no function that has a checked variant.
    const struct {
        const char* file;
        bool program;
        bool checked;
    } cases[] = {{"lib/quelvorant/quelvorant", true, true},
                 {"lib/quelvorant/quelvorant-cli", true, true},
                 {"bin/he3", true, false},
                 {"lib/quelvorant/libQuelCore.so", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QString file = QString::fromStdString(tree_->Path(c.file));
        const ProgramRun headers = RunProgram(QStringLiteral("readelf"),
                                              {QStringLiteral("-W"), QStringLiteral("-d"),
                                               QStringLiteral("-l"), QStringLiteral("-h"), file},
                                              CleanEnvironment());
        ASSERT_EQ(headers.exitCode, 0) << headers.output;
        EXPECT_NE(headers.output.find("DYN ("), std::string::npos) << "not position-independent";
        EXPECT_NE(headers.output.find("GNU_RELRO"), std::string::npos) << "no RELRO";
        EXPECT_NE(headers.output.find("BIND_NOW"), std::string::npos) << "no immediate binding";
        if (c.program) {
            EXPECT_NE(headers.output.find("PIE"), std::string::npos) << "not a PIE";
        }
        if (c.checked) {
            const ProgramRun symbols = RunProgram(
                QStringLiteral("readelf"),
                {QStringLiteral("-W"), QStringLiteral("--dyn-syms"), file}, CleanEnvironment());
            // A checked function, not the stack protector's __stack_chk_fail.
            std::size_t checked = 0;
            for (std::size_t at = symbols.output.find("_chk@"); at != std::string::npos;
                 at = symbols.output.find("_chk@", at + 1)) {
                checked += at < 11 || symbols.output.compare(at - 11, 11, "__stack_chk") != 0;
            }
            EXPECT_GT(checked, 0u) << "no checked functions";
        }
    }
}

TEST_F(InstallLayoutTest, TestInputLiesInTheFolderOfTheLinkedProgram) {
    const fs::path programFolder = fs::canonical(tree_->Path("bin/quelvorant")).parent_path();
    const std::string installed = ReadFile((programFolder / "Quelvorant.exe").string());
    EXPECT_FALSE(installed.empty());
    EXPECT_TRUE(installed == ReadFile(QUEL_TEST_INPUT)) << "differs from the build's test input";
}

// The installed quelvorant-cli finds the playbook from its own folder.
TEST_F(InstallLayoutTest, FleetInitTakesThePlaybookFromTheInstalledShareFolder) {
    const TempDir target;
    const ProgramRun run = RunProgram(
        QString::fromStdString(tree_->Path("bin/quelvorant-cli")),
        {QStringLiteral("fleet"), QStringLiteral("init"), QString::fromStdString(target.Path())},
        CleanEnvironment());
    EXPECT_EQ(run.exitCode, 0) << run.output;
    const std::string shared = tree_->Path("share/quelvorant/ansible");
    EXPECT_NE(run.output.find("from " + shared + ":"), std::string::npos) << run.output;
    EXPECT_TRUE(ReadFile(target.File("fleet.yml")) == ReadFile(shared + "/fleet.yml"));
}

TEST_F(InstallLayoutTest, He3NeedsNothingFromTheInstallationOrTheBuild) {
    const ProgramRun run =
        RunProgram(QStringLiteral("ldd"), {QString::fromStdString(tree_->Path("bin/he3"))},
                   CleanEnvironment());
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output.find("not found"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find(tree_->Root()), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find(QUEL_BUILD_DIR), std::string::npos) << run.output;
}

// The Debian copyright file carries the licence text of LICENSE, indented
// one blank with " ." for empty lines, under "License: Expat".
std::string LicenseTextOfCopyright(const std::string& copyright) {
    const std::string stanza = "\nLicense: Expat\n ";
    const std::size_t at = copyright.rfind(stanza);
    if (at == std::string::npos) {
        return {};
    }
    std::istringstream lines(copyright.substr(at + stanza.size() - 1));
    std::string text;
    std::string line;
    while (std::getline(lines, line)) {
        text += (line == " ." ? "" : line.substr(1)) + "\n";
    }
    return text;
}

TEST_F(InstallLayoutTest, DocumentationIsTheProjectsReadmeLicenseAndCopyright) {
    const std::string source = QUEL_SOURCE_DIR;
    EXPECT_TRUE(ReadFile(tree_->Path("share/doc/quelvorant/README.md")) ==
                ReadFile(source + "/README.md"));
    const std::string license = ReadFile(source + "/LICENSE");
    EXPECT_TRUE(ReadFile(tree_->Path("share/doc/quelvorant/LICENSE")) == license);

    const std::string copyright = ReadFile(tree_->Path("share/doc/quelvorant/copyright"));
    EXPECT_EQ(copyright.rfind("Format: https://www.debian.org/doc/packaging-manuals/"
                              "copyright-format/1.0/\n",
                              0),
              0u);
    const std::size_t permission = license.find("Permission is hereby granted");
    ASSERT_NE(permission, std::string::npos);
    EXPECT_EQ(LicenseTextOfCopyright(copyright), license.substr(permission));
}

TEST_F(InstallLayoutTest, ChangelogIsTheProjectsDebianChangelogOfThisVersion) {
    const std::string installed = tree_->Path("share/doc/quelvorant/changelog.gz");
    EXPECT_EQ(GzipHeaderProblem(ReadFile(installed)), "");
    const std::string source = QUEL_SOURCE_DIR "/packaging/changelog";
    const ProgramRun text = Gunzip(installed);
    ASSERT_EQ(text.exitCode, 0) << text.output;
    EXPECT_TRUE(text.output == ReadFile(source)) << "differs from packaging/changelog";
    // dpkg's own parser: it warns about anything out of the format.
    const std::pair<const char*, const char*> fields[] = {
        {"Version", QUEL_VERSION},
        {"Maintainer", "Quelcraft Team <team@quelcraft.invalid>"},
    };
    for (const auto& [field, value] : fields) {
        const ProgramRun parsed = RunProgram(QStringLiteral("dpkg-parsechangelog"),
                                             {QStringLiteral("-l"), QString::fromStdString(source),
                                              QStringLiteral("-S"), QString::fromLatin1(field)},
                                             CleanEnvironment());
        EXPECT_EQ(parsed.exitCode, 0) << parsed.output;
        EXPECT_EQ(parsed.output, std::string(value) + "\n") << field;
    }
}

} // namespace
