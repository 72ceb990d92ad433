// session_check.h: checking a session file's names before it runs: its keys, its actions and
// their keys and steps, the servers it names; and what to say about a tab in its indentation.
#ifndef ZKH_SESSION_CHECK_H
#define ZKH_SESSION_CHECK_H

#include "module_loader.h"
#include "session.h"

#include <string>
#include <vector>

namespace zkh {

// " (did you mean a or b?)" with the known names nearest to `name` (edit distance), or, when
// none is near, " (one of a, b, ...)" for a short list; else "".
std::string NearestNames(const std::string &name, const std::vector<std::string> &known);

// Raises SessionError at the first unknown key, action or step of the session.
void CheckSessionNames(const YAML::Node &root, const ActionTable &table);

// Raises SessionError at the first action whose server the module does not have in that class.
void CheckServerNames(const YAML::Node &root, const ActionTable &table, const Module &module);

// When a tab stands in the indentation of the text's lines up to `line` (0-based), a mistake at
// the first one that says how to indent; else a mistake with line 0.
SessionError TabInIndentation(const std::string &text, int line);

} // namespace zkh

#endif
