#pragma once

#include "base/Clock.h"
#include "base/JournalFolder.h"
#include "base/Trace.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace quillet {

struct JournalLimits {
    int keepDays = 90;                                // older day files go at start-up
    std::uint64_t capBytes = std::uint64_t{50} << 20; // one day's file grows no further
};

// Told of every line the journal writes, as it is written, and of each flush (the end of a
// label).
class JournalListener {
public:
    virtual ~JournalListener() = default;
    virtual void Line(std::string_view line) = 0;
    virtual void Flushed() = 0;
};

// The day file's name for a date: "2026-12-08.log".
std::string JournalFileName(const LocalTime& date);
// One journal line: the local time ("10:42:07.315 "), the trace line, the line end.
std::string JournalLine(const LocalTime& time, std::string_view kind, std::string_view text);

// Every trace line of a run, and the lines only the journal keeps, with the time in front,
// in one file per day; each event also goes on to the trace `next`. The file reaches the
// disk at each Flush(). A journal that cannot be written never holds a label
// up: it says so once through OnFailure() and goes quiet until the next day's file.
class Journal final : public Trace {
public:
    Journal(Trace& next, JournalFolder& folder, Clock& clock, JournalLimits limits = {});

    // Removes the day files beyond the retention and opens today's.
    void Start();
    // Told once when the journal cannot be written (at once when it already could not).
    void OnFailure(std::function<void(const std::string&)> tell);
    // Where today's file lives, as the operator reads it and as the system spells it.
    std::string TodayPath();
    std::filesystem::path TodayFile();
    // Today's file as written so far (earlier runs of the day included); empty when none.
    std::string ReadToday();
    // One listener at most; null for none.
    void Listen(JournalListener* listener) { listener_ = listener; }

    void Event(std::string_view kind, std::string_view text) override;
    void Note(std::string_view kind, std::string_view text) override;
    void Flush() override;

private:
    void Write(std::string_view kind, std::string_view text);
    bool OpenDay(const std::string& name);
    void RemoveOld(const LocalTime& today);
    void Fail();
    void ReportFailure();

    Trace& next_;
    JournalFolder& folder_;
    Clock& clock_;
    JournalLimits limits_;
    std::function<void(const std::string&)> tell_;
    JournalListener* listener_ = nullptr;
    std::string day_; // name of the open day file; empty when none is open
    std::uint64_t size_ = 0;
    bool full_ = false;
    bool failed_ = false;
    bool failureTold_ = false;
    bool failurePending_ = false;
    bool unflushed_ = false; // lines written since the last flush
};

} // namespace quillet
