#pragma once

// Helpers shared by the reader and writer tests.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "GameRecord.h"
#include "PgnReader.h"
#include "PgnWriter.h"
#include "SaveCheck.h"
#include "TestGames.h"

namespace pgntest {

// The lines of a written file, without their CR LF.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; at < text.size(); at = end + 2) {
        end = std::min(text.find("\r\n", at), text.size());
        lines.push_back(text.substr(at, end - at));
    }
    return lines;
}

inline std::unique_ptr<CGameRecord> ReadOk(const std::string& text) {
    auto game = tg::Game();
    const PgnReadResult result = ReadPgnFromString(text, *game);
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(game->m_ply.Held(), game->m_ply.Written());  // a game read holds only its plies
    return game;
}

// Each ply with its glyphs, {note}, %D date and (variations), the first whole if `firstWhole`.
inline void DescribePlies(const PlyList& plies, int count, bool firstWhole,
                          const std::function<void(const std::string&)>& add) {
    for (int i = 0; i < count; ++i) {
        const PlyRecord& ply = plies[i];
        std::string move = i == 0 && firstWhole ? std::string(ply.text) : tg::MoveOf(ply.text);
        if (i == 0 && move.find('\t') != std::string::npos) move.replace(move.find('\t'), 1, "\\t");
        add(move);
        if (!ply.nags.empty()) add(ply.nags);
        if (ply.hasNote) add("{" + ply.note + "}");
        if (ply.date[0]) add("%D" + std::string(ply.date));
        for (const Variation& variation : ply.variations) {
            add("(");
            if (!variation.startNote.empty()) add("{" + variation.startNote + "}");
            DescribePlies(variation.plies, static_cast<int>(variation.plies.size()), true, add);
            add(")");
        }
    }
}

// The game in one line: tags set, start FEN, start note, the first ply's list
// line (TAB as \t), then each move with its glyphs, {note} and %D date, its
// variations in parentheses with their first list lines whole, %F.
inline std::string Describe(const CGameRecord& game) {
    std::string text;
    auto add = [&text](const std::string& part) { text += (text.empty() ? "" : " ") + part; };
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        if (game.m_tag[tag][0])
            add("[" + std::string(CGameRecord::kTagNames[tag]) + " " + game.m_tag[tag] + "]");
    for (const auto& [name, value] : game.m_keptTags) add("[" + name + " " + value + "]");
    if (game.m_fromSetup) add("[FEN " + std::string(game.m_startFen) + "]");
    if (game.m_hasStartNote) add("{" + game.m_startNote + "}");
    DescribePlies(game.m_ply, game.m_plyCount, true, add);
    if (game.m_flipped) add("%F");
    return text;
}

// Written, read back and written again: the same game and, unless a note's
// line break came back as a blank, the same bytes.
inline void ExpectSurvivesSave(const CGameRecord& game) {
    const std::string written = WritePgnToString(game);
    const auto back = ReadOk(written);
    std::string difference;
    EXPECT_TRUE(SameGameAfterSave(game, *back, difference)) << difference << "\n" << written;
    EXPECT_EQ(back->MakeFullFen(), game.MakeFullFen());
    EXPECT_EQ(back->m_status, game.m_status);
    bool breaks = game.m_startNote.find('\n') != std::string::npos;
    for (int i = 0; i < game.m_plyCount; ++i)
        breaks = breaks || game.m_ply[i].note.find('\n') != std::string::npos;
    if (!breaks) {
        EXPECT_EQ(WritePgnToString(*back), written);
    }
}

}  // namespace pgntest
