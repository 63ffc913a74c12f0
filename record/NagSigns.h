#pragma once

#include <functional>
#include <string>

// Whether the font a score is printed in draws the character `ucs4`.
using FontHasChar = std::function<bool(char32_t ucs4)>;

// The numeric annotation glyph $`nag` as a printed score shows it after its
// move, UTF-8: the move signs $1 to $6 as written, joined to the move
// ("!?"); every other glyph with a standard meaning after a blank, as the
// sign books print (" ∞", " N") where the font has its characters, else in
// characters every font has (" +=") or in words (" (White is in zugzwang)").
// Empty for $0 and for glyphs with no agreed meaning.
std::string PrintedNag(int nag, const FontHasChar& fontHas);

// What the glyph means, as the PGN standard and the common extensions to
// $146 say it ("White has the initiative"); empty where nothing is agreed.
std::string NagMeaning(int nag);
