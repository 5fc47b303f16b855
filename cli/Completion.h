#pragma once
// Shell completion, generated from the command definitions so it never
// falls behind them.

#include <CLI/CLI.hpp>

#include <string>

namespace rw::cli {

// The bash completion script: subcommands, their options, and the choices of
// every option and argument that has a fixed set (list types among them);
// anything else completes as a file name.
std::string bashCompletion(CLI::App& app);

}  // namespace rw::cli
