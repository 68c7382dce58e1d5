// Runs one command of a desktop scenario ("run"): the program that plays the
// user, typically xdotool. Only built with the real desktop.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace play {

// Starts argv (the program is looked up in PATH, no shell) with standard
// input from /dev/null and standard output discarded, so that nothing but
// the player's own lines reaches its output; standard error is the
// player's, for the command's complaints. While the command runs, the
// default GLib main context keeps running: the library's events go on
// arriving with their real times. A command still running after
// `limitSeconds` is killed.
//
// Returns nothing when the command exited with status 0, else what went
// wrong, as a sentence to print.
std::optional<std::string> runCommand(const std::vector<std::string>& argv, double limitSeconds);

}  // namespace play
