#pragma once

#include <string>

#include "GameRecord.h"

// The one-paragraph summary of the seven tags shown beside the board:
// "EVENT: ...  SITE: ...  DATE: ...  ROUND: ...  WHITE: ...  BLACK: ...  RESULT:...",
// in UTF-8 whatever the encoding of each tag.
std::string BuildHeaderSummary(const CGameRecord& game);
