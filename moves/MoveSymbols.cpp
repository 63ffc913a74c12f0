#include "MoveSymbols.h"

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "GameRecord.h"
#include "TextField.h"

namespace {

// The longest glyph list a move keeps, as the reader keeps it.

// The sign at the end of a move's text, longest first; "" for none.
std::string SignAtEnd(const std::string& text) {
    for (const char* sign : {"!!", "??", "!?", "?!", "!", "?"}) {
        const std::size_t length = std::strlen(sign);
        if (text.size() > length && text.compare(text.size() - length, length, sign) == 0)
            return sign;
    }
    return std::string();
}

std::vector<int> Nags(const std::string& nags) {
    std::vector<int> numbers;
    std::istringstream words(nags);
    std::string word;
    while (words >> word)
        if (word.size() > 1 && word[0] == '$') numbers.push_back(std::atoi(word.c_str() + 1));
    return numbers;
}

// The glyph list without those in [low, high].
std::string WithoutNags(const std::string& nags, int low, int high) {
    std::string kept;
    std::istringstream words(nags);
    std::string word;
    while (words >> word) {
        const int number = word.size() > 1 && word[0] == '$' ? std::atoi(word.c_str() + 1) : -1;
        if (number >= low && number <= high) continue;
        if (!kept.empty()) kept += ' ';
        kept += word;
    }
    return kept;
}

void AddNag(PlyRecord& ply, int nag) {
    const std::string word = "$" + std::to_string(nag);
    if (ply.nags.size() + 1 + word.size() > PlyRecord::kMaxNagsLength) return;
    if (!ply.nags.empty()) ply.nags += ' ';
    ply.nags += word;
}

int FirstNagIn(const std::string& nags, int low, int high) {
    for (int number : Nags(nags))
        if (number >= low && number <= high) return number;
    return 0;
}

}  // namespace

int MoveSymbolOf(const PlyRecord& ply) {
    const std::string sign = SignAtEnd(ply.text);
    for (const MoveSymbol& symbol : kMoveSymbols)
        if (sign == symbol.sign) return symbol.nag;
    return FirstNagIn(ply.nags, 1, 6);
}

int PositionSymbolOf(const PlyRecord& ply) {
    return FirstNagIn(ply.nags, 10, 19);
}

void ToggleMoveSymbol(PlyRecord& ply, int nag) {
    if (nag < 1 || nag > 6) return;
    const bool had = MoveSymbolOf(ply) == nag;
    std::string text = ply.text;
    text.resize(text.size() - SignAtEnd(text).size());
    ply.nags = WithoutNags(ply.nags, 1, 6);
    if (!had) {
        const std::string withSign = text + kMoveSymbols[nag - 1].sign;
        // A sign after an en-passant mark would not read back as one.
        if (withSign.size() < PlyRecord::kTextSize && text.find(" e.p.") == std::string::npos)
            text = withSign;
        else
            AddNag(ply, nag);
    }
    CopyToField(ply.text, PlyRecord::kTextSize, text);
}

void TogglePositionSymbol(PlyRecord& ply, int nag) {
    if (nag < 10 || nag > 19) return;
    const bool had = PositionSymbolOf(ply) == nag;
    ply.nags = WithoutNags(ply.nags, 10, 19);
    if (!had) AddNag(ply, nag);
}

const char* SymbolSign(int nag) {
    for (const MoveSymbol& symbol : kMoveSymbols)
        if (symbol.nag == nag) return symbol.sign;
    for (const MoveSymbol& symbol : kPositionSymbols)
        if (symbol.nag == nag) return symbol.sign;
    return nullptr;
}

std::string SymbolsShown(const PlyRecord& ply) {
    std::string shown;
    for (int number : Nags(ply.nags))
        if (const char* sign = SymbolSign(number)) {
            if (!shown.empty()) shown += ' ';
            shown += sign;
        }
    return shown;
}

bool HasDiagram(const PlyRecord& ply) {
    return ply.hasNote && ply.note.find(kDiagramMark) != std::string::npos;
}

void ToggleDiagram(PlyRecord& ply) {
    const std::string mark = kDiagramMark;
    if (HasDiagram(ply)) {
        std::size_t at;
        while ((at = ply.note.find(mark)) != std::string::npos) {
            std::size_t length = mark.size();
            if (at + length < ply.note.size() && ply.note[at + length] == ' ') ++length;
            ply.note.erase(at, length);
        }
        if (ply.note.empty()) ply.ClearNote();
        return;
    }
    std::string note = ply.hasNote && !ply.note.empty() ? mark + " " + ply.note : mark;
    note.resize(Utf8SafeCut(note, CGameRecord::kMaxNoteLength));
    ply.note = note;
    ply.hasNote = 1;
}
