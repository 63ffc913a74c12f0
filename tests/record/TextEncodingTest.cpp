// Texts kept as bytes: UTF-8 or Windows-1252, how they are shown and how
// typed text is stored in a game.
#include <iconv.h>

#include <cstring>

#include "GameTextEncoding.h"
#include "TestGames.h"
#include "TextEncoding.h"

// Every byte reads as the system's converter reads it; the five bytes the code
// page leaves undefined, which it refuses, are kept as their controls.
TEST(TextEncoding, EveryWindows1252ByteAsIconvReadsItAndBack) {
    const iconv_t cp1252 = iconv_open("UTF-8", "CP1252");
    if (cp1252 == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "iconv has no CP1252";
    for (int byte = 1; byte < 256; ++byte) {
        char in[1] = {static_cast<char>(byte)}, out[8], *inAt = in, *outAt = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        const bool known = iconv(cp1252, &inAt, &inLeft, &outAt, &outLeft) != std::size_t(-1);
        const std::string original(in, 1),
            utf8 = known ? std::string(out, outAt) : "\xC2" + original;
        EXPECT_EQ(Windows1252ToUtf8(original), utf8) << byte;
        EXPECT_EQ(DisplayUtf8(original), utf8) << byte;
        std::string back;
        EXPECT_TRUE(Utf8ToWindows1252(utf8, back)) << byte;
        EXPECT_EQ(back, original) << byte;
    }
    iconv_close(cp1252);
    // Outside the code page: control 0x80 (whose byte is the euro), Polish L,
    // Cyrillic, beyond the basic plane, and text that is not UTF-8 at all.
    for (const char* utf8 : {"\xC2\x80", "\xC5\x81", "\xD0\x96", "\xF0\x9F\x98\x80", "caf\xE9"}) {
        std::string out;
        EXPECT_FALSE(Utf8ToWindows1252(utf8, out)) << utf8;
    }
}

TEST(TextEncoding, OnlyWellFormedUtf8CountsAsUtf8) {
    const std::pair<const char*, bool> rows[] = {
        {"Kasparov", true},
        {"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", true},  // two, three and four bytes
        {"caf\xE9", false},                              // a lone Latin-1 byte
        {"caf\xC3", false},                              // cut short
        {"\xC0\xAF", false},                             // overlong
        {"\xED\xA0\x80", false},                         // surrogate halves
        {"\xED\xBF\xBF", false},
        {"\xF4\x90\x80\x80", false},                  // past U+10FFFF
        {"Kasparov - Karpov, 1985: caf\xE9", false},  // after long ASCII
        {"Kasparov \xE2\x80\x93 Karpov \xC3\xA9t\xC3\xA9 1985", true},
    };
    for (const auto& [text, utf8] : rows) {
        EXPECT_EQ(IsUtf8(text), utf8) << text;
        EXPECT_EQ(DisplayUtf8(text) == text, utf8) << text;  // UTF-8 is shown as it is
    }
}

TEST(GameTextEncoding, TypedTextFollowsTheGamesEncoding) {
    const struct {
        const char *whiteTag, *startNote, *typed, *stored;  // note nullptr: none; typed in UTF-8
        bool eightBitAfter;
        const char* whiteTagAfter;  // an 8-bit game keeps its bytes; one turned to UTF-8 does not
    } rows[] = {
        {"Anand", nullptr, "caf\xC3\xA9", "caf\xC3\xA9", false, "Anand"},  // ASCII counts as UTF-8
        {"Ren\xC3\xA9", nullptr, "\xC3\xA9", "\xC3\xA9", false, "Ren\xC3\xA9"},
        {"Ren\xE9", nullptr, "caf\xC3\xA9", "caf\xE9", true, "Ren\xE9"},  // an 8-bit tag keeps it
        {"Anand", "\xE9t\xE9", "\xE2\x82\xAC", "\x80", true, "Anand"},    // so does an 8-bit note
        {"Ren\xE9", nullptr, "Nf3!", "Nf3!", true, "Ren\xE9"},
        // A character Windows-1252 lacks turns the game to UTF-8.
        {"Ren\xE9", "\xE9t\xE9", "\xC5\x81\xC3\xB3\x64\xC5\xBA", "\xC5\x81\xC3\xB3\x64\xC5\xBA",
         false, "Ren\xC3\xA9"},
    };
    for (const auto& row : rows) {
        auto game = tg::Game();
        game->SetTag(CGameRecord::WhiteName, row.whiteTag);
        if (row.startNote) game->m_hasStartNote = 1, game->m_startNote = row.startNote;
        // The note box's limit counts the bytes the text will be stored as.
        EXPECT_EQ(StoredSize(UsesWindows1252(*game), row.typed), std::strlen(row.stored))
            << row.typed;
        EXPECT_EQ(EncodeUserText(*game, row.typed), row.stored) << row.typed;
        EXPECT_EQ(UsesWindows1252(*game), row.eightBitAfter) << row.typed;
        EXPECT_STREQ(game->GetTag(CGameRecord::WhiteName), row.whiteTagAfter) << row.typed;
    }
}

TEST(GameTextEncoding, ConvertingTurnsEveryTextAndStaysWithinTheFields) {
    auto game = tg::GameWithPlies(3);
    game->SetTag(CGameRecord::Event, "Ren\xE9");
    game->SetTag(CGameRecord::Site, "Z\xC3\xBCrich");                // already UTF-8: left alone
    game->SetTag(CGameRecord::WhiteName, std::string(255, '\xE9'));  // doubles as UTF-8
    game->m_hasStartNote = game->m_ply[1].hasNote = game->m_ply[2].hasNote = 1;
    game->m_startNote = "\x93quoted\x94";
    game->m_ply[2].note = "Z\xC3\xBCrich";  // already UTF-8: left alone
    game->m_ply[1].note = std::string(CGameRecord::kMaxNoteLength + 1, '\xE9');
    Variation aside;  // the notes of a variation, before its first move and on it
    aside.startNote = "\xABplan\xBB";
    aside.plies.push_back(std::as_const(*game).m_ply[0]);
    aside.plies[0].note = "caf\xE9";
    aside.plies[0].hasNote = 1;
    game->m_ply[0].variations.push_back(aside);
    ConvertGameToUtf8(*game);
    EXPECT_EQ(game->m_ply[0].variations[0].startNote, "\xC2\xABplan\xC2\xBB");
    EXPECT_EQ(game->m_ply[0].variations[0].plies[0].note, "caf\xC3\xA9");
    EXPECT_EQ(std::string(game->GetTag(CGameRecord::Event)), "Ren\xC3\xA9");
    EXPECT_EQ(std::string(game->GetTag(CGameRecord::Site)), "Z\xC3\xBCrich");
    std::string halfField;  // 127 whole characters: the 128th would not fit
    for (int i = 0; i < 127; ++i) halfField += "\xC3\xA9";
    EXPECT_EQ(std::string(game->GetTag(CGameRecord::WhiteName)), halfField);
    EXPECT_EQ(game->m_startNote, "\xE2\x80\x9Cquoted\xE2\x80\x9D");
    std::string note;  // whole characters within the 4097 bytes a note read may hold
    while (note.size() < 4096) note += "\xC3\xA9";
    EXPECT_EQ(game->m_ply[1].note, note);
    EXPECT_EQ(game->m_ply[2].note, "Z\xC3\xBCrich");
    EXPECT_FALSE(UsesWindows1252(*game));
}
