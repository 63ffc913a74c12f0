#include "GameTextEncoding.h"

#include <algorithm>

#include "LineWalk.h"
#include "TextEncoding.h"
#include "TextField.h"

namespace {

// Every note of a game, its variations' too.
bool AnyNote(const CGameRecord& game, bool (*test)(const std::string&)) {
    if (game.m_hasStartNote && test(game.m_startNote)) return true;
    bool found = false;
    WalkTree(game.m_ply, game.m_ply.Held(), [&](const TreeStep& step) {
        const PlyRecord& ply = step.ply();
        found = found || (ply.hasNote && test(ply.note)) ||
                (step.at == 0 && step.variation != nullptr && test(step.variation->startNote));
    });
    return found;
}

}  // namespace

bool UsesWindows1252(const CGameRecord& game) {
    for (const auto& tag : game.m_tag)
        if (!IsUtf8(tag)) return true;
    return AnyNote(game, [](const std::string& note) { return !IsUtf8(note); });
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
    for (auto& [name, value] : game.m_keptTags) {
        if (IsUtf8(value)) continue;
        value = Windows1252ToUtf8(value);
        value.resize(Utf8SafeCut(value, CGameRecord::kTagSize - 1));
    }
    const auto convert = [](std::string& note) {
        if (IsUtf8(note)) return;
        note = Windows1252ToUtf8(note);
        note.resize(Utf8SafeCut(note, CGameRecord::kMaxNoteLength + 1));
    };
    if (game.m_hasStartNote) convert(game.m_startNote);
    EditTree(game.m_ply, game.m_ply.Held(), [&convert](PlyRecord& ply, Variation* opened) {
        if (ply.hasNote) convert(ply.note);
        if (opened != nullptr) convert(opened->startNote);
    });
}
