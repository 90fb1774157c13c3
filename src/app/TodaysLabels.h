#pragma once

#include "app/Journal.h"
#include "app/JournalLine.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// One label of the day as the labels window shows it. Texts keep the journal's escapes.
struct LabelRow {
    std::string time;    // when it was taken ("10:42:07.315"); a row set: its last row
    std::string label;   // as it came; a row set's rows joined by " + "
    std::string kind;    // "command", "row 1 of 2, waiting", "row set of 2", "2D program", ...
    std::string sent;    // what went to the host: the entries' program and field, or the calls
    std::string outcome; // "added and acknowledged", "refused: <status>", "pending rows", ...
    std::string reason;  // the journal's decisions and refusals, in its words
};

// Today's labels, read from the journal's lines: the day so far at start-up, then each line
// as the journal writes it. A row set is one row, waiting until it is complete. Lines of a
// tried label ("try ...") are no label of the day.
class TodaysLabels final : public JournalListener {
public:
    // The journal's text so far (today's file).
    void Read(std::string_view journal);
    void Line(std::string_view line) override;
    void Flushed() override;

    // Told after a flush that changed rows: the end of a label, never in the middle of one.
    void OnChanged(std::function<void()> changed) { changed_ = std::move(changed); }

    std::size_t Count() const { return rows_.size(); }
    // Newest first: row 0 is the last label.
    const LabelRow& Row(std::size_t newestFirst) const;
    // The rows asked for (newest-first indexes), one line each, columns between tabs.
    std::string RowsText(const std::vector<std::size_t>& rows, std::string_view lineEnd) const;

private:
    void Take(const JournalLineParts& line);
    void TakeLabel(std::string_view text, std::string_view time);
    void TakeStatus(std::string_view status);
    void TakeHost(std::string_view call);
    void TakeMessage(std::string_view message);
    void AddReason(std::string_view reason);
    void JoinSet();
    void CloseSet();
    void FinishRow();
    void EndArrival();

    struct Entry {
        LabelRow row;
        std::string baseKind; // the interpreter's word, before a set or a compression
        std::string named;    // the first entries' text
        bool hostCalled = false;
        int rowsTaken = 0;    // a row set: the rows it holds
        std::string of;       // a row set: its row count
        int entries = 0;      // entries added to the host
        bool started = false; // the last host call was Start
    };

    std::vector<Entry> rows_; // oldest first
    bool current_ = false;    // the last row takes the lines that follow
    std::optional<std::size_t> openSet_;
    std::string arrival_; // the bytes of the scan (or the typed text) being handled
    std::string arrivalTime_;
    bool arrivalTaken_ = true; // a row was made for the arrival
    std::string arrivalMessage_;
    std::string lastStatus_;
    std::string lastTime_;
    bool dirty_ = false;
    std::function<void()> changed_;

    Entry* Current();
};

// A text cut to at most `width` characters for a table cell ("..." at the end when cut).
std::string Shortened(std::string_view text, std::size_t width);

} // namespace quillet
