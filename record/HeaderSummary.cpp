#include "HeaderSummary.h"

std::string BuildHeaderSummary(const CGameRecord& game) {
    static const char* const kLabels[CGameRecord::kTagCount] = {
        "EVENT: ", "  SITE: ", "  DATE: ", "  ROUND: ", "  WHITE: ", "  BLACK: ", "  RESULT:"};
    std::string summary;
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag) {
        summary += kLabels[tag];
        summary += game.m_tag[tag];
    }
    return summary;
}
