#include "NoteCommands.h"

#include <cctype>
#include <cstring>

#include "GameRecord.h"

namespace {

constexpr const char* kColours = "GRBY";
constexpr const char* kBlanks = " \t\r\n";

bool IsBlank(char c) {
    return std::strchr(kBlanks, c) != nullptr && c != '\0';
}

// A command in a note: "[%" name, then its arguments after a blank, up to "]".
struct Command {
    std::size_t start = 0, end = 0;  // note[start] is '[', note[end - 1] is ']'
    std::string name;
    std::size_t argsStart = 0;  // the arguments are note[argsStart, end - 1)
};

// Every command of the note, in order. Text that only looks like one (no
// name, no "]", a "[" before it) is words.
std::vector<Command> Commands(const std::string& note) {
    std::vector<Command> commands;
    for (std::size_t at = note.find("[%"); at != std::string::npos; at = note.find("[%", at + 1)) {
        std::size_t p = at + 2;
        while (p < note.size() &&
               (std::isalnum(static_cast<unsigned char>(note[p])) || note[p] == '_'))
            ++p;
        if (p == at + 2 || p == note.size() || (note[p] != ']' && !IsBlank(note[p]))) continue;
        const std::size_t close = note.find_first_of("[]", p);
        if (close == std::string::npos || note[close] != ']') continue;
        commands.push_back({at, close + 1, note.substr(at + 2, p - at - 2), p});
        at = close;
    }
    return commands;
}

// An item of a command's list and where it stands, blanks around it left out.
struct Item {
    std::size_t start = 0, end = 0;
    std::string text;
};

std::vector<Item> Items(const std::string& note, const Command& command) {
    std::vector<Item> items;
    const std::size_t last = command.end - 1;
    for (std::size_t at = command.argsStart; at <= last;) {
        std::size_t comma = note.find(',', at);
        if (comma == std::string::npos || comma > last) comma = last;
        std::size_t start = at, end = comma;
        while (start < end && IsBlank(note[start])) ++start;
        while (end > start && IsBlank(note[end - 1])) --end;
        if (end > start) items.push_back({start, end, note.substr(start, end - start)});
        at = comma + 1;
    }
    return items;
}

bool ReadSquare(const std::string& text, std::size_t at, Square& square) {
    if (text[at] < 'a' || text[at] > 'h' || text[at + 1] < '1' || text[at + 1] > '8') return false;
    square = {text[at] - 'a', text[at + 1] - '1'};
    return true;
}

bool IsColour(char c) {
    return c != '\0' && std::strchr(kColours, c) != nullptr;
}

bool ReadArrow(const std::string& item, NoteArrow& arrow) {
    if (item.size() != 5 || !IsColour(item[0]) || !ReadSquare(item, 1, arrow.from) ||
        !ReadSquare(item, 3, arrow.to) || arrow.from == arrow.to)
        return false;
    arrow.colour = item[0];
    return true;
}

bool ReadMark(const std::string& item, NoteMark& mark) {
    if (item.size() != 3 || !IsColour(item[0]) || !ReadSquare(item, 1, mark.square)) return false;
    mark.colour = item[0];
    return true;
}

// "1:04:58", "4:58" or either with tenths ("0:04:58.3") in tenths of a
// second; -1 when the text is no such time.
int ReadTime(const std::string& text) {
    std::size_t at = text.find_first_not_of(kBlanks);
    const std::size_t end = text.find_last_not_of(kBlanks) + 1;
    if (at == std::string::npos) return -1;
    int parts[3] = {0, 0, 0}, count = 0;
    while (true) {
        const std::size_t digits = at;
        int value = 0;
        while (at < end && std::isdigit(static_cast<unsigned char>(text[at])) && at - digits < 4)
            value = value * 10 + (text[at++] - '0');
        if (at == digits || count == 3 || (count > 0 && (value > 59 || at - digits > 2))) return -1;
        parts[count++] = value;
        if (at == end || text[at] != ':') break;
        ++at;
    }
    if (count < 2) return -1;
    int tenths = 0;
    if (at < end && text[at] == '.') {
        const std::size_t digits = ++at;
        while (at < end && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
        if (at == digits) return -1;
        tenths = text[digits] - '0';
    }
    if (at != end) return -1;
    const int hours = count == 3 ? parts[0] : 0;
    const int minutes = count == 3 ? parts[1] : parts[0];
    const int seconds = count == 3 ? parts[2] : parts[1];
    return ((hours * 60 + minutes) * 60 + seconds) * 10 + tenths;
}

std::string Trimmed(const std::string& text) {
    const std::size_t start = text.find_first_not_of(kBlanks);
    if (start == std::string::npos) return {};
    return text.substr(start, text.find_last_not_of(kBlanks) + 1 - start);
}

// Takes away the command at [start, end) and the blank written with it: none
// beside another command ("[%csl Rd5][%cal Gg1f3]"), else the one after it,
// else the one before.
void EraseCommand(std::string& note, std::size_t start, std::size_t end) {
    if ((start > 0 && note[start - 1] == ']') || (end < note.size() && note[end] == '['))
        note.erase(start, end - start);
    else if (end < note.size() && note[end] == ' ')
        note.erase(start, end + 1 - start);
    else if (start > 0 && note[start - 1] == ' ')
        note.erase(start - 1, end + 1 - start);
    else
        note.erase(start, end - start);
}

// Which command a kind of item goes in, and where a new one goes: beside its
// partner, [%csl] before [%cal], else at the note's head.
struct ItemKind {
    const char* name;
    const char* partner;
    bool beforePartner;
};
constexpr ItemKind kArrows{"cal", "csl", false};
constexpr ItemKind kMarks{"csl", "cal", true};

// The item `wanted` ("Gg1f3", "Rd5") drawn or taken away in the note. An
// item of the same squares is one the note understood: its colour and squares.
bool ToggleItem(std::string& note, const ItemKind& kind, const std::string& wanted) {
    std::string changed = note;
    const std::vector<Command> commands = Commands(note);
    const Command* first = nullptr;
    const Command* partner = nullptr;
    bool done = false;
    for (const Command& command : commands) {
        if (command.name == kind.partner && partner == nullptr) partner = &command;
        if (command.name != kind.name || done) continue;
        if (first == nullptr) first = &command;
        const std::vector<Item> items = Items(note, command);
        for (std::size_t i = 0; i < items.size() && !done; ++i) {
            const std::string& item = items[i].text;
            if (item.size() != wanted.size() || !IsColour(item[0]) ||
                item.compare(1, std::string::npos, wanted, 1, std::string::npos) != 0)
                continue;
            done = true;
            if (item[0] != wanted[0])
                changed[items[i].start] = wanted[0];  // drawn in another colour: this one
            else if (items.size() == 1)
                EraseCommand(changed, command.start, command.end);
            else if (i > 0)
                changed.erase(items[i - 1].end, items[i].end - items[i - 1].end);
            else
                changed.erase(items[0].start, items[1].start - items[0].start);
        }
    }
    if (!done && first != nullptr) {
        const std::vector<Item> items = Items(note, *first);
        if (items.empty())
            changed.replace(first->argsStart, first->end - 1 - first->argsStart, " " + wanted);
        else
            changed.insert(items.back().end, "," + wanted);
    } else if (!done) {
        const std::string command = std::string("[%") + kind.name + " " + wanted + "]";
        if (partner != nullptr) {
            changed.insert(kind.beforePartner ? partner->start : partner->end, command);
        } else {
            const std::size_t head = std::min(changed.find_first_not_of(kBlanks), changed.size());
            changed.insert(head, head < changed.size() ? command + " " : command);
        }
    }
    if (changed.size() > CGameRecord::kMaxNoteLength) return false;
    note = changed.find_first_not_of(kBlanks) == std::string::npos ? std::string() : changed;
    return true;
}

}  // namespace

NoteParts ParseNote(const std::string& note) {
    NoteParts parts;
    parts.words = NoteWords(note);
    for (const Command& command : Commands(note)) {
        const std::string args =
            note.substr(command.argsStart, command.end - 1 - command.argsStart);
        if (command.name == "cal" || command.name == "csl") {
            for (const Item& item : Items(note, command)) {
                NoteArrow arrow;
                NoteMark mark;
                if (command.name == "cal" && ReadArrow(item.text, arrow))
                    parts.arrows.push_back(arrow);
                if (command.name == "csl" && ReadMark(item.text, mark)) parts.marks.push_back(mark);
            }
            continue;
        }
        // The first readable time of each is the move's; any other is kept as written.
        int* time = command.name == "clk"   ? &parts.clock
                    : command.name == "emt" ? &parts.elapsed
                                            : nullptr;
        const int value = time != nullptr && *time < 0 ? ReadTime(args) : -1;
        if (value >= 0) {
            *time = value;
            continue;
        }
        parts.others.push_back(note.substr(command.start, command.end - command.start));
    }
    return parts;
}

std::string NoteWords(const std::string& note) {
    const std::vector<Command> commands = Commands(note);
    if (commands.empty()) return note;
    std::string words;
    std::size_t at = 0;
    for (const Command& command : commands) {
        const std::string before = Trimmed(note.substr(at, command.start - at));
        if (!before.empty()) words += (words.empty() ? "" : " ") + before;
        at = command.end;
    }
    const std::string after = Trimmed(note.substr(at));
    if (!after.empty()) words += (words.empty() ? "" : " ") + after;
    return words;
}

std::string WithWords(const std::string& note, const std::string& typed) {
    const std::vector<Command> commands = Commands(note);
    if (commands.empty()) return typed;
    // Blanks at either end are not words, as NoteWords shows them: a blank
    // typed last is left out until a word follows it.
    const std::string words = Trimmed(typed);
    if (words == NoteWords(note)) return note;
    // Only blanks between `from` and `to`.
    auto blanks = [&note](std::size_t from, std::size_t to) {
        return note.find_first_not_of(kBlanks, from) >= to;
    };
    // The runs of commands at the head, commands[0, head), and at the tail,
    // commands[tail, n), with only blanks between them.
    const std::size_t n = commands.size();
    std::size_t head = 0, tail = n;
    while (head < n && blanks(head > 0 ? commands[head - 1].end : 0, commands[head].start)) ++head;
    while (tail > head &&
           blanks(commands[tail - 1].end, tail < n ? commands[tail].start : note.size()))
        --tail;
    std::string before = head > 0 ? note.substr(0, commands[head - 1].end) : std::string();
    for (std::size_t i = head; i < tail; ++i)  // among the old words: to the head
        before += (before.empty() ? "" : " ") +
                  note.substr(commands[i].start, commands[i].end - commands[i].start);
    const std::string after = tail < n ? note.substr(commands[tail].start) : std::string();
    // The blanks written between the commands and the old words, or one.
    auto gap = [&note](std::size_t from, std::size_t to) {
        const std::string text = from < to ? note.substr(from, to - from) : std::string();
        return text.empty() || text.find_first_not_of(kBlanks) != std::string::npos ? " " : text;
    };
    std::string written = before;
    if (!words.empty()) {
        if (!written.empty()) {
            const std::size_t from = head > 0 ? commands[head - 1].end : 0;
            written += gap(from, note.find_first_not_of(kBlanks, from));
        }
        written += words;
    }
    if (!after.empty()) {
        const std::size_t to = commands[tail].start;
        if (!words.empty())
            written += gap(note.find_last_not_of(kBlanks, to - 1) + 1, to);
        else if (!written.empty())
            written += ' ';
        written += after;
    }
    return written;
}

bool ToggleArrow(std::string& note, const NoteArrow& arrow) {
    if (!IsColour(arrow.colour) || !arrow.from.IsOnBoard() || !arrow.to.IsOnBoard() ||
        arrow.from == arrow.to)
        return false;
    return ToggleItem(note, kArrows, arrow.colour + arrow.from.Name() + arrow.to.Name());
}

bool ToggleMark(std::string& note, const NoteMark& mark) {
    if (!IsColour(mark.colour) || !mark.square.IsOnBoard()) return false;
    return ToggleItem(note, kMarks, mark.colour + mark.square.Name());
}

std::string ClockText(int tenths) {
    const int seconds = tenths / 10, hours = seconds / 3600, minutes = seconds / 60 % 60;
    auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    std::string text =
        hours > 0 ? std::to_string(hours) + ":" + two(minutes) : std::to_string(minutes);
    text += ":" + two(seconds % 60);
    if (tenths % 10 != 0) text += "." + std::to_string(tenths % 10);
    return text;
}

std::string MoveClockText(const std::string& note) {
    if (note.find("[%") == std::string::npos) return {};
    const NoteParts parts = ParseNote(note);
    std::string text;
    if (parts.clock >= 0) text = ClockText(parts.clock);
    if (parts.elapsed >= 0) text += (text.empty() ? "+" : " +") + ClockText(parts.elapsed);
    return text;
}
