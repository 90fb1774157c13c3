#pragma once

#include <cstddef>
#include <string>

namespace quillet {

// Tokenizer, field-selection and editor state shared by the interpreter and the import.
struct ScanRecord {
    std::string TokenSource;
    std::size_t TokenPos = 0; // separator after the last token returned; 0 = start of text
    long EditorTask = 0;      // editor launch: task of the editor we started (0 = none)
    long EditorWindow = 0;    // editor launch: its window
    bool SwapOrder = false;   // which half of a group the selection tries first
    bool NextMirror = false;  // group of the next mode-8 selection: true = mirror
    bool ResumeFromCode = false;
    std::string RowsSeen; // row digits of the current label set, in arrival order
};

} // namespace quillet
