// sequence_commands.h: zkhost burn and zkhost crop, over image sequences.
//
//   zkhost burn SCENE --in PLATES --out OUTPUT [--frames A-B[xSTEP]] [--camera NAME] [OPTIONS]
//   zkhost crop SCENE --frame NAME --in PLATES --out OUTPUT [--frames A-B[xSTEP]] [OPTIONS]
//   OPTIONS: --jobs N, --keep-going, --force, --module FILE
#ifndef ZKH_SEQUENCE_COMMANDS_H
#define ZKH_SEQUENCE_COMMANDS_H

#include <ostream>
#include <string>
#include <vector>

namespace zkh {

// The usage text of both commands (with the image formats of this build).
std::string SequenceUsage();

// Runs "burn" or "crop" with the arguments after the command's name. Exit status: 0 when every
// frame was written, 1 when a frame was not, 2 for a mistake in the command line or the scene.
int RunSequenceCommand(const std::string &command, const std::vector<std::string> &arguments,
                       const std::string &defaultModule, std::ostream &out, std::ostream &err);

} // namespace zkh

#endif
