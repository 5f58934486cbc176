#pragma once
// Starting another program, as the shell's "open" request did: a program
// name looked up on PATH, its parameters, no dialogs of ours. Only whether
// the program started is reported; what it does afterwards is its own
// business. Started programs are reaped when they end, so none is left as
// a zombie, and they do not share our process group (a Ctrl-C aimed at us
// does not reach them).

#include <string>
#include <vector>

namespace platform::shell {

// Starts `program` (looked up on PATH unless it contains a '/') with
// `arguments`, passed as bytes unchanged, our environment and standard
// streams. Answers true once the program is running; false when it could
// not be started (not found, not executable, out of resources).
bool startProgram(const std::string& program, const std::vector<std::string>& arguments);

// A parameters text as a command line splits it: blanks separate
// arguments, double quotes group (and are removed); an empty text gives no
// arguments.
std::vector<std::string> splitParameters(const std::string& parameters);

}  // namespace platform::shell
