#pragma once

#include <CLI/CLI.hpp>

// CLI11's help with the usage line first and the description after it, so
// that every help text starts with "Usage: program ...".
class UsageFirstFormatter : public CLI::Formatter {
  public:
    std::string make_help(const CLI::App* app, std::string name,
                          CLI::AppFormatMode mode) const override;
};
