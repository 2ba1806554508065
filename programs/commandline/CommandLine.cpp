#include "commandline/CommandLine.h"

#include "commandline/UsageFirstFormatter.h"

#include <iostream>

namespace {

// The help of the deepest subcommand given, named with its parents:
// "Usage: he3 encode ...".
std::string deepestHelp(const CLI::App& app) {
    const CLI::App* deepest = &app;
    std::string parents;
    while (!deepest->get_subcommands().empty()) {
        parents += (parents.empty() ? "" : " ") + deepest->get_name();
        deepest = deepest->get_subcommands().front();
    }
    return deepest->help(parents);
}

} // namespace

namespace CommandLine {

void UseUsageFirstHelp(CLI::App& app) {
    app.formatter(std::make_shared<UsageFirstFormatter>());
    for (CLI::App* sub : app.get_subcommands({})) {
        UseUsageFirstHelp(*sub);
    }
}

std::optional<int> Parse(CLI::App& app, int argc, char** argv) {
    try {
        app.parse(argc, argv);
        return std::nullopt;
    } catch (const CLI::CallForHelp&) {
        std::cout << deepestHelp(app);
        return 0;
    } catch (const CLI::CallForVersion&) {
        std::cout << app.version() << '\n';
        return 0;
    } catch (const CLI::ParseError& error) {
        std::cerr << app.get_name() << ": " << error.what() << "\n\n" << deepestHelp(app);
        return 2;
    }
}

} // namespace CommandLine
