#pragma once

namespace quillet {

// How an entry differs between the label interpreter and the 2D import / list files.
struct SendOptions {
    bool notifyAddProgram = false;   // "DRAVINESK.MAIN.AddProg" after each entry
    bool acknowledgeScanner = false; // "ACK" and a carriage return after each entry
};

// Where an assembled label state goes: one entry, or a normal and a mirrored pair, and the
// label is finished. The machine field is chosen above the host, so the import is handed
// this rather than the label logic itself.
class EntrySink {
public:
    virtual ~EntrySink() = default;

    // False when a host call failed (the operator has been told); the label state is reset
    // either way so that the next label starts clean.
    virtual bool SendEntries(float x, float y, const SendOptions& options) = 0;
};

} // namespace quillet
