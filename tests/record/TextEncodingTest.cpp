// Texts kept as bytes: UTF-8 or Windows-1252, how they are shown and how
// typed text is stored in a game.
#include "GameTextEncoding.h"
#include "RecordTestSupport.h"
#include "TextEncoding.h"

TEST(TextEncoding, EveryWindows1252ByteRoundTripsThroughUtf8) {
    for (int byte = 1; byte < 256; ++byte) {
        const std::string original(1, static_cast<char>(byte));
        const std::string utf8 = Windows1252ToUtf8(original);
        EXPECT_TRUE(IsUtf8(utf8)) << byte;
        std::string back;
        EXPECT_TRUE(Utf8ToWindows1252(utf8, back)) << byte;
        EXPECT_EQ(back, original) << byte;
    }
}

TEST(TextEncoding, CodePageCharactersAndItsFiveUndefinedBytes) {
    struct Row {
        const char* rule;
        const char* windows1252;
        const char* utf8;
    };
    const Row rows[] = {
        {"Latin-1 letter", "Ren\xE9", "Ren\xC3\xA9"},
        {"euro sign at 0x80", "\x80", "\xE2\x82\xAC"},
        {"curly quotes and dash", "\x93\x96\x94", "\xE2\x80\x9C\xE2\x80\x93\xE2\x80\x9D"},
        {"undefined 0x81 kept as its control", "\x81", "\xC2\x81"},
        {"undefined 0x8D", "\x8D", "\xC2\x8D"},
        {"undefined 0x8F", "\x8F", "\xC2\x8F"},
        {"undefined 0x90", "\x90", "\xC2\x90"},
        {"undefined 0x9D", "\x9D", "\xC2\x9D"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Windows1252ToUtf8(row.windows1252), row.utf8) << row.rule;
        EXPECT_EQ(DisplayUtf8(row.windows1252), row.utf8) << row.rule;
        std::string back;
        EXPECT_TRUE(Utf8ToWindows1252(row.utf8, back)) << row.rule;
        EXPECT_EQ(back, row.windows1252) << row.rule;
    }
}

TEST(TextEncoding, CharactersOutsideTheCodePageAreRefused) {
    struct Row {
        const char* rule;
        const char* utf8;
    };
    const Row rows[] = {
        {"control 0x80, whose byte is the euro", "\xC2\x80"},
        {"Polish L with stroke", "\xC5\x81"},
        {"Cyrillic", "\xD0\x96"},
        {"outside the basic plane", "\xF0\x9F\x98\x80"},
        {"not UTF-8 at all", "caf\xE9"},
    };
    for (const Row& row : rows) {
        std::string out;
        EXPECT_FALSE(Utf8ToWindows1252(row.utf8, out)) << row.rule;
    }
}

TEST(TextEncoding, OnlyWellFormedUtf8CountsAsUtf8) {
    struct Row {
        const char* rule;
        const char* bytes;
        bool utf8;
    };
    const Row rows[] = {
        {"plain ASCII", "Kasparov", true},
        {"two, three and four byte characters", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", true},
        {"a lone Latin-1 byte", "caf\xE9", false},
        {"a character cut short", "caf\xC3", false},
        {"an overlong slash", "\xC0\xAF", false},
        {"a surrogate half", "\xED\xA0\x80", false},
        {"past U+10FFFF", "\xF4\x90\x80\x80", false},
        {"a Latin-1 byte after long ASCII", "Kasparov - Karpov, 1985: caf\xE9", false},
        {"a character cut short at the end of long ASCII", "Kasparov - Karpov\xC3", false},
        {"characters among long ASCII", "Kasparov \xE2\x80\x93 Karpov \xC3\xA9t\xC3\xA9 1985",
         true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsUtf8(row.bytes), row.utf8) << row.rule;
        // Shown text is always UTF-8, and UTF-8 is shown as it is.
        EXPECT_TRUE(IsUtf8(DisplayUtf8(row.bytes))) << row.rule;
        if (row.utf8) {
            EXPECT_EQ(DisplayUtf8(row.bytes), row.bytes) << row.rule;
        }
    }
}

TEST(GameTextEncoding, TypedTextFollowsTheGamesEncoding) {
    struct Row {
        const char* rule;
        const char* whiteTag;
        const char* startNote;  // nullptr: no note
        const char* typed;      // UTF-8
        const char* stored;
        bool eightBitAfter;
    };
    const Row rows[] = {
        {"pure ASCII counts as UTF-8", "Anand", nullptr, "caf\xC3\xA9", "caf\xC3\xA9", false},
        {"a UTF-8 game stays UTF-8", "Ren\xC3\xA9", nullptr, "\xC3\xA9", "\xC3\xA9", false},
        {"an 8-bit tag keeps the game 8-bit", "Ren\xE9", nullptr, "caf\xC3\xA9", "caf\xE9", true},
        {"an 8-bit note keeps the game 8-bit", "Anand", "\xE9t\xE9", "\xE2\x82\xAC", "\x80", true},
        {"ASCII typed into an 8-bit game", "Ren\xE9", nullptr, "Nf3!", "Nf3!", true},
        {"a character Windows-1252 lacks turns the game to UTF-8", "Ren\xE9", "\xE9t\xE9",
         "\xC5\x81\xC3\xB3\x64\xC5\xBA", "\xC5\x81\xC3\xB3\x64\xC5\xBA", false},
    };
    for (const Row& row : rows) {
        auto game = rec::GameWithPlies(0);
        game->SetTag(CGameRecord::WhiteName, row.whiteTag);
        if (row.startNote) {
            game->m_hasStartNote = 1;
            game->m_startNote = row.startNote;
        }
        EXPECT_EQ(EncodeUserText(*game, row.typed), row.stored) << row.rule;
        EXPECT_EQ(UsesWindows1252(*game), row.eightBitAfter) << row.rule;
        // An 8-bit game keeps its bytes; one turned to UTF-8 has its tag turned too.
        EXPECT_EQ(std::string(game->GetTag(CGameRecord::WhiteName)),
                  row.eightBitAfter ? row.whiteTag : DisplayUtf8(row.whiteTag))
            << row.rule;
    }
}

TEST(GameTextEncoding, ConvertingTurnsEveryTextAndStaysWithinTheFields) {
    auto game = rec::GameWithPlies(3);
    game->SetTag(CGameRecord::Event, "Ren\xE9");
    game->SetTag(CGameRecord::Site, "Z\xC3\xBCrich");                // already UTF-8: left alone
    game->SetTag(CGameRecord::WhiteName, std::string(255, '\xE9'));  // doubles as UTF-8
    game->m_hasStartNote = 1;
    game->m_startNote = "\x93quoted\x94";
    game->m_ply[1].hasNote = 1;
    game->m_ply[1].note = std::string(CGameRecord::kMaxNoteLength + 1, '\xE9');

    ConvertGameToUtf8(*game);
    EXPECT_EQ(std::string(game->GetTag(CGameRecord::Event)), "Ren\xC3\xA9");
    EXPECT_EQ(std::string(game->GetTag(CGameRecord::Site)), "Z\xC3\xBCrich");
    std::string halfField;  // 127 whole characters: the 128th would not fit
    for (int i = 0; i < 127; ++i) halfField += "\xC3\xA9";
    EXPECT_EQ(std::string(game->GetTag(CGameRecord::WhiteName)), halfField);
    EXPECT_EQ(game->m_startNote, "\xE2\x80\x9Cquoted\xE2\x80\x9D");
    EXPECT_TRUE(IsUtf8(game->m_ply[1].note));
    EXPECT_LE(game->m_ply[1].note.size(), CGameRecord::kMaxNoteLength + 1);
    EXPECT_FALSE(UsesWindows1252(*game));
}
