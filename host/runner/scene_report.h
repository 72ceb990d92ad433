// scene_report.h: zkhost's reports on real scene files, for pipeline scripts.
//
//   zkhost info SCENE.lws [--json]      the scene's timing, items, cameras, plug-ins and envelopes
//   zkhost frames SCENE.lws [--json]    the camera frames the scene holds, as the ring answers them
#ifndef ZKH_SCENE_REPORT_H
#define ZKH_SCENE_REPORT_H

#include <ostream>
#include <string>
#include <vector>

namespace zkh {

// Each runs one command's arguments (after the command word); the exit status: 0, 1 when the scene
// cannot be read ("file:line: reason" on err), 2 for a mistake in the arguments.
int RunInfo(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);
int RunFrames(const std::vector<std::string> &args, const std::string &defaultModule, std::ostream &out,
              std::ostream &err);

} // namespace zkh

#endif
