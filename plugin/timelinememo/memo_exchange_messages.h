// memo_exchange_messages.h: the status lines of marker exports and imports, in English and
// Japanese.
#ifndef ZK_MEMO_EXCHANGE_MESSAGES_H
#define ZK_MEMO_EXCHANGE_MESSAGES_H

#include "memo_exchange.h"

#include <string>

// "PATH: line N: reason" for a failed export or import (the memo unchanged).
std::string ExchangeFailureText(const std::string &path, const ExchangeError &error, bool importing);

// "Exported N markers to PATH (format)", then what the writer did to fit the format.
std::string ExportDoneText(const std::string &path, MarkerFormat format, const ExportResult &result);

// "Imported N markers in M tracks from PATH (format)", then what the memo could not keep.
std::string ImportDoneText(const std::string &path, MarkerFormat format, const ImportedMemo &imported);

#endif
