#include "HeaderSummary.h"

#include "TextEncoding.h"

std::string BuildHeaderSummary(const CGameRecord& game) {
    static const char* const kLabels[CGameRecord::kTagCount] = {
        "EVENT: ", "  SITE: ", "  DATE: ", "  ROUND: ", "  WHITE: ", "  BLACK: ", "  RESULT:"};
    std::string summary;
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag) {
        summary += kLabels[tag];
        // Each tag on its own: a file may mix a UTF-8 tag with an 8-bit one.
        summary += DisplayUtf8(game.m_tag[tag]);
    }
    return summary;
}
