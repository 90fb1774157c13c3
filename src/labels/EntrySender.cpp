#include "labels/EntrySender.h"

#include "base/LabelReset.h"
#include "base/LabelState.h"
#include "base/ScanRecord.h"
#include "base/SerialPort.h"
#include "base/Text.h"
#include "base/Trace.h"
#include "base/WindowState.h"
#include "fields/LastProgram.h"
#include "fields/MachineFieldModel.h"
#include "host/HostControl.h"
#include "labels/FieldSelector.h"
#include "labels/MirrorDetector.h"

#include <string_view>

namespace quillet {

namespace {

constexpr std::string_view kFixedFieldLetters = "NSATRM";

} // namespace

EntrySender::Entry EntrySender::AddToHost(float x, float y, const SendOptions& options) {
    // A code may begin with any byte, NUL included: only a truly empty code means "choose".
    const bool noCode = label_.FieldCode.empty();
    const char first = noCode ? '\0' : label_.FieldCode[0];
    if (first == '&') {
        window_.SetAutoFieldSelectionVisible(true);
        label_.FieldCode = ChooseField(kSelectAlternating, x, y);
    } else if (noCode || first == 'P') {
        window_.SetAutoFieldSelectionVisible(true);
        label_.FieldCode = ChooseField(kSelectNormal, x, y);
    } else if (first == 'W') {
        window_.SetAutoFieldSelectionVisible(true);
        label_.FieldCode = ChooseField(kSelectMirror, x, y);
    } else if (kFixedFieldLetters.find(first) != std::string_view::npos) {
        SelectField(kPrimeFromCode, 0, 0, record_, label_, fields_);
    }

    window_.SetStatus(HostControl::kAddingStatus);
    if (!host_.HostAddLine()) {
        return Entry::NotAdded;
    }
    // The entry is in the host's list from here on: it is acknowledged whatever follows,
    // or the scanner (or the operator) sends the label again and the entry is doubled.
    const bool followedUp =
        (!options.notifyAddProgram || host_.SetDeviceStatus(HostControl::kAddProgStatus, 1)) &&
        (!window_.autoStart() || host_.HostStart());
    label_.FieldCode.clear();
    label_.CodeChosen = false;
    // Gone with the host: no acknowledgement, so that the label is scanned again.
    if (host_.EntryLost()) {
        return Entry::Lost;
    }
    if (options.acknowledgeScanner && serial_.IsOpen()) {
        serial_.Write("ACK\r");
    }
    return followedUp ? Entry::Added : Entry::AddedFollowUpFailed;
}

// The automatic choice, with its reason in the journal.
std::string EntrySender::ChooseField(int mode, float x, float y) {
    if (journal_ == nullptr) {
        return SelectField(mode, x, y, record_, label_, fields_);
    }
    const std::string why = ExplainFieldChoice(mode, x, y, record_, fields_);
    std::string code = SelectField(mode, x, y, record_, label_, fields_);
    journal_->Note("decide", "field " + code + ": " + why + "; " + mirrorWhy_);
    return code;
}

bool EntrySender::SendEntries(float x, float y, const SendOptions& options) {
    Entry first = Entry::NotAdded;
    Entry second = Entry::Added;
    if (journal_ != nullptr) {
        mirrorWhy_ = ExplainMirror(fields_, label_);
    }
    if (DetectMirror(fields_, label_)) {
        label_.FieldCode = "&";
        first = AddToHost(x, y, options);
        // A pair is completed even when the first entry's start failed: it was added.
        if (first == Entry::Added || first == Entry::AddedFollowUpFailed) {
            label_.FieldCode = "&";
            second = AddToHost(x, y, options);
        }
    } else {
        first = AddToHost(x, y, options);
    }
    const auto missing = [](Entry e) { return e == Entry::NotAdded || e == Entry::Lost; };
    if (missing(first) || missing(second)) {
        DropLabelSet();
        return false;
    }
    host_.Pause(0.6);
    host_.ShowReady();
    window_.HideRowIndicators();
    last_.ProgramName = TrimBlanks(label_.ProgramName);
    last_.Comment = TrimBlanks(label_.Comment);
    if (window_.showEditor() && launchEditor_) {
        launchEditor_();
    }
    Finish();
    return first == Entry::Added && second == Entry::Added;
}

void EntrySender::DropLabelSet() {
    window_.HideRowIndicators();
    ResetLabelState(label_);
    label_.CodeChosen = false;
    window_.SetAutoFieldSelectionVisible(false);
}

void EntrySender::Finish() {
    ResetLabelState(label_);
    window_.SetAutoFieldSelectionVisible(false);
}

} // namespace quillet
