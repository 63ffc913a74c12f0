#include "GameScore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "TextEncoding.h"

namespace {

// A tag as the heading prints it: empty when unknown ("", "?").
std::string KnownTag(const CGameRecord& game, int tag) {
    const std::string value = DisplayUtf8(game.GetTag(tag));
    return value == "?" ? std::string() : value;
}

// "1994.10.10", "1994.10" or "1994": the date as far as it is known.
std::string KnownDate(const std::string& date) {
    std::string known;
    std::size_t start = 0;
    while (start <= date.size()) {
        const std::size_t end = std::min(date.find('.', start), date.size());
        const std::string part = date.substr(start, end - start);
        if (part.empty() || part.find('?') != std::string::npos) break;
        known += (known.empty() ? "" : ".") + part;
        start = end + 1;
    }
    return known;
}

// Results in a book's type; "*" and anything unknown print nothing.
std::string PrintedResult(const std::string& result) {
    if (result == "1-0" || result == "0-1") return result;
    if (result == "1/2-1/2") return "\u00BD-\u00BD";
    return {};
}

// Every run of blanks and line breaks as one blank, none at either end.
std::string OneLine(const std::string& text) {
    std::string line;
    bool blank = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            blank = !line.empty();
        } else {
            if (blank) line += ' ';
            blank = false;
            line += c;
        }
    }
    return line;
}

// The glyphs kept beside a move ("$14 $146"), as printed after it.
std::string NagSymbols(const std::string& nags, const FontHasChar& fontHas) {
    std::string symbols;
    std::size_t at = 0;
    while ((at = nags.find('$', at)) != std::string::npos) {
        ++at;
        symbols += PrintedNag(std::atoi(nags.c_str() + at), fontHas);
    }
    return symbols;
}

bool NoteHasMarker(const std::string& note) {
    return note.find(kDiagramMarker) != std::string::npos;
}

std::string WithoutMarkers(std::string note) {
    const std::string marker = kDiagramMarker;
    for (std::size_t at; (at = note.find(marker)) != std::string::npos;)
        note.erase(at, marker.size());
    return note;
}

class ScoreWriter {
public:
    ScoreWriter(const CGameRecord& game, bool figurines, const FontHasChar& fontHas)
        : m_game(game), m_figurines(figurines), m_fontHas(fontHas) {}

    std::vector<ScoreBlock> Build();

private:
    // `count` plies of a line, the first its ply index `first` played from
    // the board `before` holds (the start when null), `depth` variations deep.
    void Line(const PlyList& plies, int first, int count, int depth, const PlyRecord* before);
    // Boards come as the rules hold them (int) and as a ply keeps them (bytes).
    template <class Square>
    void Note(const std::string& note, int depth, const Square (&piece)[8][8],
              const Square (&color)[8][8]);
    template <class Square>
    void Diagram(int depth, const Square (&piece)[8][8], const Square (&color)[8][8],
                 const std::string& note);
    void Add(ScoreBlock::Kind kind, int depth, const std::string& text);
    // Ends the paragraph of moves being written, if any.
    void EndMoves();

    const CGameRecord& m_game;
    bool m_figurines;
    const FontHasChar& m_fontHas;
    std::vector<ScoreBlock> m_blocks;
    std::string m_moves;
    int m_movesDepth = 0;
    bool m_marked = false;
    std::unique_ptr<CGameRecord> m_start = std::make_unique<CGameRecord>();
};

void ScoreWriter::Add(ScoreBlock::Kind kind, int depth, const std::string& text) {
    ScoreBlock block;
    block.kind = kind;
    block.depth = depth;
    block.text = text;
    m_blocks.push_back(std::move(block));
}

void ScoreWriter::EndMoves() {
    if (!m_moves.empty()) Add(ScoreBlock::Kind::Moves, m_movesDepth, m_moves);
    m_moves.clear();
}

template <class Square>
void ScoreWriter::Diagram(int depth, const Square (&piece)[8][8], const Square (&color)[8][8],
                          const std::string& note) {
    EndMoves();
    ScoreBlock block;
    block.kind = ScoreBlock::Kind::Diagram;
    block.depth = depth;
    NoteParts parts = ParseNote(note);
    block.arrows = std::move(parts.arrows);
    block.marks = std::move(parts.marks);
    for (int file = 0; file < 8; ++file)
        for (int rank = 0; rank < 8; ++rank) {
            block.piece[file][rank] = piece[file][rank];
            block.color[file][rank] = color[file][rank];
        }
    m_blocks.push_back(std::move(block));
}

template <class Square>
void ScoreWriter::Note(const std::string& note, int depth, const Square (&piece)[8][8],
                       const Square (&color)[8][8]) {
    const std::string text = OneLine(DisplayUtf8(WithoutMarkers(NoteWords(note))));
    const bool marked = NoteHasMarker(note);
    // A note of commands alone (a clock after every move) leaves the paragraph whole.
    if (!marked && text.empty()) return;
    EndMoves();
    if (marked) {
        m_marked = true;
        Diagram(depth, piece, color, note);
    }
    if (!text.empty()) Add(ScoreBlock::Kind::Note, depth, text);
}

void ScoreWriter::Line(const PlyList& plies, int first, int count, int depth,
                       const PlyRecord* before) {
    // A Black move is numbered first in a paragraph: at a line's start, or
    // resuming after a note or a variation.
    for (int i = first; i < first + count && i < CGameRecord::kMaxPlies; ++i) {
        const PlyRecord& ply = plies[i - first];
        const std::string number = std::to_string(m_game.MoveNumberOfPly(i));
        std::string word;
        if (m_game.SideOfPly(i) == White)
            word = number + ". ";
        else if (m_moves.empty())
            word = number + "... ";
        word +=
            ScoreMoveText(MoveWithoutNumber(ply), m_figurines) + NagSymbols(ply.nags, m_fontHas);
        if (m_moves.empty()) m_movesDepth = depth;
        m_moves += (m_moves.empty() ? "" : " ") + word;
        if (ply.hasNote) Note(ply.note, depth, ply.piece, ply.color);
        for (const Variation& variation : ply.variations) {
            EndMoves();
            if (!variation.startNote.empty() && before != nullptr)
                Note(variation.startNote, depth + 1, before->piece, before->color);
            else if (!variation.startNote.empty())
                Note(variation.startNote, depth + 1, m_start->m_piece, m_start->m_color);
            Line(variation.plies, i, static_cast<int>(variation.plies.size()), depth + 1, before);
            EndMoves();
        }
        before = &ply;
    }
}

std::vector<ScoreBlock> ScoreWriter::Build() {
    const std::string white = KnownTag(m_game, CGameRecord::WhiteName);
    const std::string black = KnownTag(m_game, CGameRecord::BlackName);
    // An unknown player is "NN", as books name one; the line is there even
    // with neither known, so that a score always starts with its heading.
    Add(ScoreBlock::Kind::Players, 0,
        (white.empty() ? "NN" : white) + " \u2013 " + (black.empty() ? "NN" : black));
    std::string details;
    const std::string result = PrintedResult(KnownTag(m_game, CGameRecord::Result));
    for (const std::string& part : {KnownTag(m_game, CGameRecord::Event),
                                    KnownDate(KnownTag(m_game, CGameRecord::Date)), result})
        if (!part.empty()) details += (details.empty() ? "" : ", ") + part;
    if (!details.empty()) Add(ScoreBlock::Kind::Details, 0, details);

    m_start->SetStartPosition();
    m_start->SetFromFen(m_game.m_startFen);
    if (m_game.m_hasStartNote) Note(m_game.m_startNote, 0, m_start->m_piece, m_start->m_color);
    const int plies = std::min(m_game.m_plyCount, CGameRecord::kMaxPlies);
    Line(m_game.m_ply, 0, plies, 0, nullptr);
    EndMoves();
    if (!m_marked) {
        if (plies > 0) {
            const PlyRecord& last = m_game.m_ply[plies - 1];
            Diagram(0, last.piece, last.color, last.hasNote ? last.note : std::string());
        } else {
            Diagram(0, m_start->m_piece, m_start->m_color,
                    m_game.m_hasStartNote ? m_game.m_startNote : std::string());
        }
    }
    if (!result.empty()) Add(ScoreBlock::Kind::Result, 0, result);
    return std::move(m_blocks);
}

}  // namespace

std::string ScoreMoveText(const std::string& moveText, bool figurines) {
    std::string move = moveText;
    const std::size_t signAt = move.find_last_not_of("!?");
    const std::string sign = signAt == std::string::npos ? move : move.substr(signAt + 1);
    move.erase(signAt == std::string::npos ? 0 : signAt + 1);
    const std::size_t enPassant = move.find(" e.p.");
    if (enPassant != std::string::npos) move.erase(enPassant, 5);
    // A trailing "=" is the program's draw mark; a promotion's is followed by its piece.
    if (!move.empty() && move.back() == '=') move.pop_back();
    if (!figurines) return move + sign;
    // Short algebraic text has no capitals but piece letters and castling's O.
    static const char kLetters[] = "KQRBN";
    static const char* const kFigurines[] = {"\u2654", "\u2655", "\u2656", "\u2657", "\u2658"};
    std::string text;
    for (char c : move) {
        const char* letter = c != '\0' ? std::strchr(kLetters, c) : nullptr;
        text += letter != nullptr ? kFigurines[letter - kLetters] : std::string(1, c);
    }
    return text + sign;
}

std::vector<ScoreBlock> BuildGameScore(const CGameRecord& game, bool figurines,
                                       const FontHasChar& fontHas) {
    return ScoreWriter(game, figurines, fontHas).Build();
}
