#include "GameTextEncoding.h"

#include <algorithm>

#include "TextEncoding.h"
#include "TextField.h"

namespace {

// Visits every note of a game, const or not.
template <typename Game, typename Visit>
void ForEachNote(Game& game, Visit visit) {
    if (game.m_hasStartNote) visit(game.m_startNote);
    for (auto& ply : game.m_ply)
        if (ply.hasNote) visit(ply.note);
}

}  // namespace

bool UsesWindows1252(const CGameRecord& game) {
    for (const auto& tag : game.m_tag)
        if (!IsUtf8(tag)) return true;
    bool eightBit = false;
    ForEachNote(game, [&eightBit](const std::string& note) { eightBit = eightBit || !IsUtf8(note); });
    return eightBit;
}

std::string EncodeUserText(CGameRecord& game, const std::string& utf8) {
    // ASCII is the same bytes in both encodings, so the game's texts (a
    // megabyte with full notes) need not be searched on every keystroke.
    if (std::all_of(utf8.begin(), utf8.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return utf8;
    if (!UsesWindows1252(game)) return utf8;
    std::string bytes;
    if (Utf8ToWindows1252(utf8, bytes)) return bytes;
    ConvertGameToUtf8(game);
    return utf8;
}

std::size_t StoredSize(bool eightBit, const std::string& utf8) {
    std::string bytes;
    if (eightBit && Utf8ToWindows1252(utf8, bytes)) return bytes.size();
    return utf8.size();
}

void ConvertGameToUtf8(CGameRecord& game) {
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        if (!IsUtf8(game.m_tag[tag])) game.SetTag(tag, Windows1252ToUtf8(game.m_tag[tag]));
    ForEachNote(game, [](std::string& note) {
        if (IsUtf8(note)) return;
        note = Windows1252ToUtf8(note);
        note.resize(Utf8SafeCut(note, CGameRecord::kMaxNoteLength + 1));
    });
}
