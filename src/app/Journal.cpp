#include "app/Journal.h"

#include <cstdio>
#include <optional>
#include <utility>

namespace quillet {

namespace {

constexpr std::string_view kExtension = ".log";

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
long DaysFromCivil(int year, int month, int day) {
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<long>(era) * 146097 + dayOfEra - 719468;
}

bool Digits(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

int Number(std::string_view digits) {
    int value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

// The day of a day file's name; nothing for any other file, which stays untouched.
std::optional<long> DayOfFile(std::string_view name) {
    if (name.size() != 14 || name.substr(10) != kExtension || name[4] != '-' || name[7] != '-' ||
        !Digits(name.substr(0, 4)) || !Digits(name.substr(5, 2)) || !Digits(name.substr(8, 2))) {
        return std::nullopt;
    }
    const int month = Number(name.substr(5, 2));
    const int day = Number(name.substr(8, 2));
    if (month < 1 || month > 12 || day < 1 || day > 31) {
        return std::nullopt;
    }
    return DaysFromCivil(Number(name.substr(0, 4)), month, day);
}

// Room kept under the cap for the line that says the file is full.
constexpr std::uint64_t kFullLineRoom = 128;

} // namespace

std::string JournalFileName(const LocalTime& date) {
    char name[32];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d", date.year, date.month, date.day);
    return name + std::string(kExtension);
}

std::string JournalLine(const LocalTime& time, std::string_view kind, std::string_view text) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d.%03d ", time.hour, time.minute, time.second,
                  time.millisecond);
    return stamp + TraceLine(kind, text) + '\n';
}

Journal::Journal(Trace& next, JournalFolder& folder, Clock& clock, JournalLimits limits)
    : next_(next), folder_(folder), clock_(clock), limits_(limits) {}

void Journal::Start() {
    const LocalTime now = clock_.Now();
    RemoveOld(now);
    OpenDay(JournalFileName(now));
    Note("journal", "opened");
    ReportFailure();
}

void Journal::OnFailure(std::function<void(const std::string&)> tell) {
    tell_ = std::move(tell);
    ReportFailure();
}

std::string Journal::TodayPath() {
    return folder_.NativePath(JournalFileName(clock_.Now()));
}

std::filesystem::path Journal::TodayFile() {
    return folder_.FilePath(JournalFileName(clock_.Now()));
}

std::string Journal::ReadToday() {
    if (!day_.empty() && !failed_) {
        folder_.Flush();
    }
    return folder_.Read(JournalFileName(clock_.Now())).value_or(std::string());
}

void Journal::Event(std::string_view kind, std::string_view text) {
    next_.Event(kind, text);
    Write(kind, text);
}

void Journal::Note(std::string_view kind, std::string_view text) {
    Write(kind, text);
}

void Journal::Flush() {
    if (std::exchange(unflushed_, false) && !day_.empty() && !failed_ && !folder_.Flush()) {
        Fail();
    }
    ReportFailure();
    if (listener_ != nullptr) {
        listener_->Flushed();
    }
}

void Journal::Write(std::string_view kind, std::string_view text) {
    const LocalTime now = clock_.Now();
    if (const std::string name = JournalFileName(now); name != day_) {
        OpenDay(name);
    }
    const std::string line = JournalLine(now, kind, text);
    // The listener sees the day whether or not the disk takes it.
    if (listener_ != nullptr) {
        listener_->Line(line);
    }
    if (failed_ || full_) {
        return;
    }
    if (size_ + line.size() + kFullLineRoom > limits_.capBytes) {
        full_ = true;
        const std::string fullLine = JournalLine(now, "journal",
                                                 "full at " + std::to_string(limits_.capBytes) +
                                                     " bytes, nothing more is written today");
        if (size_ + fullLine.size() <= limits_.capBytes && folder_.Write(fullLine)) {
            size_ += fullLine.size();
            unflushed_ = true;
        }
        return;
    }
    if (!folder_.Write(line)) {
        Fail();
        return;
    }
    size_ += line.size();
    unflushed_ = true;
}

// A new day gets a new chance, whatever happened to the day before.
bool Journal::OpenDay(const std::string& name) {
    if (!day_.empty() && !failed_) {
        folder_.Flush();
    }
    day_ = name;
    full_ = false;
    failed_ = false;
    failureTold_ = false;
    const std::optional<std::uint64_t> size = folder_.Open(name);
    if (!size) {
        Fail();
        return false;
    }
    size_ = *size;
    return true;
}

void Journal::RemoveOld(const LocalTime& today) {
    const long last = DaysFromCivil(today.year, today.month, today.day) - limits_.keepDays;
    for (const std::string& name : folder_.Names()) {
        if (const std::optional<long> day = DayOfFile(name); day && *day <= last) {
            folder_.Remove(name);
        }
    }
}

void Journal::Fail() {
    failed_ = true;
    folder_.Close();
    if (!failureTold_) {
        failurePending_ = true;
    }
}

// Told outside any write, so the status line it sets can pass through the journal itself.
void Journal::ReportFailure() {
    if (!failurePending_ || !tell_) {
        return;
    }
    failurePending_ = false;
    failureTold_ = true;
    tell_("The journal cannot be written: " + folder_.NativePath(day_));
}

} // namespace quillet
