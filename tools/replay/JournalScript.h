#pragma once

#include <string>
#include <string_view>

namespace quillet {

// Turns a journal back into a replay script: its scans, typed labels and option clicks in
// order, each run's start as a comment; every other line is left out. The texts keep the
// trace's escapes, which the script uses too.
std::string ScriptFromJournal(std::string_view journal);

} // namespace quillet
