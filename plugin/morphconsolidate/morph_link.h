// morph_link.h: linking morph channels to a controller through expressions, and unlinking them.
#ifndef ZK_MORPH_LINK_H
#define ZK_MORPH_LINK_H

#include "consolidate_state.h"
#include "morph_channels.h"

#include <string>
#include <vector>

// prefix + reference with every ".", ":" and space replaced by "_".
std::string ExpressionName(const std::string &prefix, const std::string &reference);

// Detaches the expressions of every mesh object's morph channels, then clears the unused ones.
void RemoveMorphExpressions();

// The run after OK: unlink everything, link the selected items' morph channels to the controller
// (entry itemIndex of the item list), restore the selection. Raises lw::ex::CBaseEx (reported
// already) when "LW Interface Info 8" is missing.
void CreateConsolidation(const ConsolidateState &state, int itemIndex);

// Creates the expression "[controller.sourceName]" and attaches it to the target channel. A name
// that would break the command line (a double quote, a line break, or a line past 511
// characters) is reported and nothing is sent.
void AttachExpression(LWItemID controller, const std::string &sourceName, LWChannelID target,
                      const std::string &prefix);

#endif
