#pragma once

#include <string>

// The move-list line of the ply at index `ply`, moved by `mover`:
// "12. e4" for White, "12. ...<TAB>Nf6" for Black. The number depends on the
// index alone: (ply + 2) / 2.
std::string FormatPlyLine(int ply, int mover, const std::string& moveText);
