// help.h: what `zkhost --help`, `zkhost help ACTION` and `zkhost --version` print.
#ifndef ZKH_HELP_H
#define ZKH_HELP_H

#include <ostream>
#include <string>

namespace zkh {

// Every session action with what it does, one a line.
void PrintActionList(std::ostream &out);

// The action's value, what it does, and its keys or steps; 0, or 2 with a message on `err` when
// there is no such action.
int PrintActionHelp(const std::string &name, std::ostream &out, std::ostream &err);

// "zkhost VERSION" and, when the build knew it, the source's git description.
std::string VersionText();

} // namespace zkh

#endif
