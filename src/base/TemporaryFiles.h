#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// Names of the temporary files that whole-or-nothing writes put beside their target:
// "<target name>.quillet-<pid>.tmp". The fixed tag and the writer's process id let a later
// write tell a leftover of a killed run from anything else in the folder.
std::string TemporaryName(std::string_view targetName, long pid);

// The process id a temporary file name carries; empty for every name not of that form.
std::optional<long> TemporaryOwner(std::string_view name);

// Removes, from `folder`, the temporary files of runs that have ended (their process is gone)
// or of an earlier process that had this process's id; only regular files of the form
// above are touched. One process writes one file at a time, so its own id cannot belong to
// a write still in progress. Returns how many were removed.
int RemoveStrayTemporaries(const std::string& folder);

} // namespace quillet
