#include "app/TodaysLabels.h"

#include "labels/LabelInterpreter.h"

#include <algorithm>
#include <utility>

namespace quillet {

namespace {

constexpr std::string_view kRowKind = "row ";
constexpr std::string_view kAdded = "added";
constexpr std::string_view kAcknowledged = "added and acknowledged";
// Entries named in a row; a list's others are counted.
constexpr int kEntriesNamed = 2;

// The value of one field of a field string ("#161=P1.CNC;..." gives "P1.CNC" for "#161=").
std::string_view FieldValue(std::string_view fields, std::string_view key) {
    const std::size_t at = fields.find(key);
    if (at == std::string_view::npos) {
        return {};
    }
    const std::string_view value = fields.substr(at + key.size());
    return value.substr(0, value.find(';'));
}

// An entry as the operator reads it: its program and its machine field.
std::string EntryText(std::string_view fieldString) {
    const std::string_view program = FieldValue(fieldString, "#161=");
    const std::string_view field = FieldValue(fieldString, "#171=");
    return std::string(program) + " in field " + std::string(field);
}

void Append(std::string& to, std::string_view what, std::string_view separator = "; ") {
    if (!to.empty()) {
        to += separator;
    }
    to += what;
}

std::string FirstWord(std::string_view text) {
    return std::string(text.substr(0, text.find(' ')));
}

} // namespace

void TodaysLabels::Read(std::string_view journal) {
    ForEachJournalLine(journal, [this](const JournalLineParts& line) { Take(line); });
    Flushed();
}

void TodaysLabels::Line(std::string_view line) {
    if (const std::optional<JournalLineParts> parts = ParseJournalLine(line)) {
        Take(*parts);
    }
}

void TodaysLabels::Flushed() {
    EndArrival();
    if (std::exchange(dirty_, false) && changed_) {
        changed_();
    }
}

const LabelRow& TodaysLabels::Row(std::size_t newestFirst) const {
    return rows_[rows_.size() - 1 - newestFirst].row;
}

std::string TodaysLabels::RowsText(const std::vector<std::size_t>& rows,
                                   std::string_view lineEnd) const {
    std::string text;
    for (const std::size_t index : rows) {
        if (index >= rows_.size()) {
            continue;
        }
        const LabelRow& r = Row(index);
        text += r.time + '\t' + r.label + '\t' + r.kind + '\t' + r.sent + '\t' + r.outcome + '\t' +
                r.reason;
        text += lineEnd;
    }
    return text;
}

void TodaysLabels::Take(const JournalLineParts& line) {
    // The clock ran back past midnight: a new day's file.
    if (!lastTime_.empty() && line.time < lastTime_) {
        rows_.clear();
        current_ = false;
        openSet_.reset();
        arrivalTaken_ = true;
    }
    lastTime_ = line.time;
    const std::string_view kind = line.kind;
    const std::string_view text = line.text;
    if (kind == "scan" || kind == "typed") {
        EndArrival();
        arrival_ = text;
        arrivalTime_ = line.time;
        arrivalTaken_ = false;
        arrivalMessage_.clear();
        lastStatus_.clear();
        current_ = false;
    } else if (kind == "journal" && text == "opened") {
        EndArrival();
        current_ = false;
        if (openSet_) {
            Entry& set = rows_[*openSet_];
            set.row.kind += ", not completed";
            set.row.outcome = "the program started again";
            openSet_.reset();
        }
    } else if (kind == "label") {
        TakeLabel(text, line.time);
    } else if (kind == "status") {
        TakeStatus(text);
    } else if (kind == "host") {
        TakeHost(text);
    } else if (kind == "message") {
        TakeMessage(text);
    } else if (kind == "refused" && Current() != nullptr) {
        Current()->row.outcome =
            "refused" + (lastStatus_.empty() ? std::string() : ": " + lastStatus_);
        AddReason(text);
    } else if (kind == "decide") {
        if (text == LabelInterpreter::kRowsDropped && openSet_) {
            Entry& set = rows_[*openSet_];
            set.row.kind = "row " + std::to_string(set.rowsTaken) + " of " + set.of + ", dropped";
            set.row.outcome = "dropped by %CLEAR%";
            openSet_.reset();
        }
        AddReason(text);
    } else if (kind == "list" && Current() != nullptr) {
        Current()->row.sent = text;
        Current()->row.outcome = text.ends_with("not all loaded") ? "not all loaded" : "loaded";
    } else if (kind == "serial-out" && text == "ACK\\r" && Current() != nullptr &&
               Current()->row.outcome == kAdded) {
        Current()->row.outcome = kAcknowledged;
    } else {
        return;
    }
    dirty_ = true;
}

void TodaysLabels::TakeLabel(std::string_view text, std::string_view time) {
    const std::size_t colon = text.find(": ");
    const std::string kind(text.substr(0, colon));
    const std::string label(colon == std::string_view::npos ? arrival_ : text.substr(colon + 2));
    Entry* current = Current();
    // The expanded text of a compressed label names what it is.
    if (current != nullptr && current->baseKind == "compressed" && current->row.outcome.empty()) {
        current->baseKind = kind;
        current->row.kind = kind == "2D program" ? "compressed 2D" : "compressed " + kind;
        return;
    }
    FinishRow();
    Entry entry;
    entry.row.time = time;
    entry.row.label = label;
    entry.row.kind = kind;
    entry.baseKind = kind;
    if (kind.starts_with(kRowKind)) {
        entry.of = kind.substr(kind.rfind(' ') + 1);
    }
    rows_.push_back(std::move(entry));
    current_ = true;
    arrivalTaken_ = true;
}

void TodaysLabels::TakeStatus(std::string_view status) {
    lastStatus_ = status;
    Entry* current = Current();
    if (current != nullptr && status == LabelInterpreter::kWaiting &&
        current->baseKind.starts_with(kRowKind)) {
        JoinSet();
    }
}

void TodaysLabels::TakeHost(std::string_view call) {
    Entry* current = Current();
    if (current == nullptr) {
        return;
    }
    const std::string name = FirstWord(call);
    current->hostCalled = true;
    current->started = name == "Start";
    if (name == "AddLine") {
        if (current->baseKind.starts_with(kRowKind)) {
            CloseSet();
            current = Current();
        }
        if (++current->entries <= kEntriesNamed) {
            Append(current->named, EntryText(call.substr(name.size() + 1)));
        }
        current->row.sent = current->named;
        if (current->entries > kEntriesNamed) {
            current->row.sent +=
                " and " + std::to_string(current->entries - kEntriesNamed) + " more";
        }
        current->row.outcome = kAdded;
        return;
    }
    if (current->baseKind == "command" && name != "Visible") {
        Append(current->row.sent, call, ", ");
    }
}

void TodaysLabels::TakeMessage(std::string_view message) {
    const std::size_t title = message.find('|');
    const std::size_t body = title == std::string_view::npos ? title : message.find('|', title + 1);
    const std::string_view text =
        body == std::string_view::npos ? message : message.substr(body + 1);
    Entry* current = Current();
    if (current == nullptr) {
        arrivalMessage_ = text;
        return;
    }
    // A box before any host call (a companion record that could not be copied) is no
    // host error: the label goes on.
    if (!current->hostCalled) {
        AddReason("told: " + std::string(text));
        return;
    }
    // The ACK ends an entry's label: a box after it comes from what the operator did next
    // (a dialog's), not from the host.
    if (current->row.outcome == kAcknowledged) {
        return;
    }
    const bool added = current->row.outcome.starts_with(kAdded);
    current->row.outcome =
        (added && current->started ? "added but Start failed: " : "host error: ") +
        std::string(text);
    if (openSet_ && *openSet_ == rows_.size() - 1) {
        openSet_.reset();
    }
}

void TodaysLabels::AddReason(std::string_view reason) {
    if (Entry* current = Current()) {
        Append(current->row.reason, reason);
    }
}

// The last row, a row just taken, joins the set that waits (or starts it) and the set
// becomes the newest row.
void TodaysLabels::JoinSet() {
    const std::size_t last = rows_.size() - 1;
    if (openSet_ && *openSet_ != last) {
        Entry& set = rows_[*openSet_];
        Entry& row = rows_[last];
        Append(set.row.label, row.row.label, " + ");
        Append(set.row.reason, row.row.reason);
        set.row.time = row.row.time;
        set.of = row.of;
        ++set.rowsTaken;
        rows_.pop_back();
        std::rotate(rows_.begin() + static_cast<std::ptrdiff_t>(*openSet_),
                    rows_.begin() + static_cast<std::ptrdiff_t>(*openSet_) + 1, rows_.end());
    } else if (!openSet_) {
        rows_[last].rowsTaken = 1;
    }
    openSet_ = rows_.size() - 1;
    Entry& set = rows_.back();
    set.row.kind = "row " + std::to_string(set.rowsTaken) + " of " + set.of + ", waiting";
    set.row.outcome = "pending rows";
}

void TodaysLabels::CloseSet() {
    JoinSet();
    Entry& set = rows_.back();
    set.row.kind = "row set of " + set.of;
    set.row.outcome.clear();
    openSet_.reset();
}

// What a label that left no outcome of its own came to.
void TodaysLabels::FinishRow() {
    if (Entry* current = Current(); current != nullptr && current->row.outcome.empty()) {
        if (current->baseKind == "command") {
            current->row.outcome = "done";
        } else if (current->baseKind == "field code") {
            current->row.outcome = "taken for the next program";
        } else {
            current->row.outcome = "ignored";
            if (!lastStatus_.empty() && lastStatus_ != "Ready.") {
                current->row.outcome += ": " + lastStatus_;
            }
        }
        dirty_ = true;
    }
}

// A row for an arrival that no label came of.
void TodaysLabels::EndArrival() {
    FinishRow();
    if (arrivalTaken_) {
        return;
    }
    arrivalTaken_ = true;
    Entry entry;
    entry.row.time = arrivalTime_;
    entry.row.label = arrival_;
    entry.row.kind = LabelInterpreter::kNotALabel;
    entry.row.outcome = arrivalMessage_.empty()
                            ? "ignored" + (lastStatus_.empty() ? std::string() : ": " + lastStatus_)
                            : "host error: " + arrivalMessage_;
    rows_.push_back(std::move(entry));
    current_ = false;
    dirty_ = true;
}

TodaysLabels::Entry* TodaysLabels::Current() {
    return current_ && !rows_.empty() ? &rows_.back() : nullptr;
}

std::string Shortened(std::string_view text, std::size_t width) {
    if (text.size() <= width) {
        return std::string(text);
    }
    constexpr std::string_view kCut = "...";
    return std::string(text.substr(0, width > kCut.size() ? width - kCut.size() : 0)) +
           std::string(kCut);
}

} // namespace quillet
