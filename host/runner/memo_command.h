// memo_command.h: zkhost memo, the timeline memo's notes to and from editorial files.
#ifndef ZKH_MEMO_COMMAND_H
#define ZKH_MEMO_COMMAND_H

#include <ostream>
#include <string>
#include <vector>

namespace zkh {

// Runs "zkhost memo" with the arguments after "memo": 0 when done, 1 when the work failed (the
// message on err), 2 for a mistake in the arguments.
int RunMemoCommand(const std::vector<std::string> &args, const std::string &defaultModule, std::ostream &out,
                   std::ostream &err);

// The command's usage text.
const char *MemoCommandUsage();

} // namespace zkh

#endif
