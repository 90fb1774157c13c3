#pragma once

#include "host/EntrySink.h"

#include <functional>
#include <string>
#include <utility>

namespace quillet {

class HostControl;
struct LabelState;
struct LastProgram;
struct MachineFieldModel;
struct ScanRecord;
class SerialPort;
class Trace;
class WindowState;

// Hands the assembled LabelState to the host as one entry, or as a normal and a mirrored
// pair, and finishes the label: the send sequence shared by the interpreter and the import.
class EntrySender final : public EntrySink {
public:
    // `launchEditor` opens the program in the host's editor when "Show Program in Editor"
    // is checked; `journal`, when given, is told why each field was chosen.
    EntrySender(LabelState& label, ScanRecord& record, const MachineFieldModel& fields,
                HostControl& host, WindowState& window, SerialPort& serial, LastProgram& last,
                std::function<void()> launchEditor, Trace* journal = nullptr)
        : label_(label), record_(record), fields_(fields), host_(host), window_(window),
          serial_(serial), last_(last), launchEditor_(std::move(launchEditor)), journal_(journal) {}

    enum class Entry {
        Added,
        AddedFollowUpFailed, // the notice or the start after it failed (the operator was told)
        NotAdded,            // the operator has been told
        Lost, // added, but the host ended before the label was done (the operator was told)
    };

    // One entry: choose the field, add the line, notify, auto start, acknowledge. An
    // entry that was added is acknowledged, unless the host that took it has ended.
    Entry AddToHost(float x, float y, const SendOptions& options);

    // DetectMirror and one or two entries, then the pauses, indicators, last program,
    // editor and reset. False when a host call failed; the label state is reset anyway so
    // that the next label starts clean. Entries that were added count as sent, also when
    // a start after them failed.
    bool SendEntries(float x, float y, const SendOptions& options) override;

    // After a failed host call (the operator has been told): the half-sent label set goes
    // so that the next label starts clean.
    void DropLabelSet();

private:
    void Finish();
    std::string ChooseField(int mode, float x, float y);

    LabelState& label_;
    ScanRecord& record_;
    const MachineFieldModel& fields_;
    HostControl& host_;
    WindowState& window_;
    SerialPort& serial_;
    LastProgram& last_;
    std::function<void()> launchEditor_;
    Trace* journal_;
    std::string mirrorWhy_; // what the mirror trigger found for the label set being sent
};

} // namespace quillet
