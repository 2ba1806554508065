#include "commandline/UsageFirstFormatter.h"

#include <sstream>

std::string UsageFirstFormatter::make_help(const CLI::App* app, std::string name,
                                           CLI::AppFormatMode mode) const {
    if (mode == CLI::AppFormatMode::Sub) {
        return make_expanded(app);
    }
    std::stringstream out;
    out << make_usage(app, name);
    if (!app->get_description().empty()) {
        out << '\n' << make_description(app);
    }
    out << make_positionals(app) << make_groups(app, mode) << make_subcommands(app, mode) << '\n'
        << make_footer(app);
    return out.str();
}
