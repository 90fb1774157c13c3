#include "app/Journal.h"

#include "support/RecordingTrace.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quillet {
namespace {

using testing::RecordingTrace;

// Keeps what reached the "disk" (flushed) apart from what is still buffered.
class FakeJournalFolder final : public JournalFolder {
public:
    std::map<std::string, std::string> disk;
    std::string buffered, open;
    bool writable = true;

    std::vector<std::string> Names() override {
        std::vector<std::string> names;
        for (const auto& file : disk) {
            names.push_back(file.first);
        }
        return names;
    }
    bool Remove(const std::string& name) override { return disk.erase(name) > 0; }
    std::optional<std::uint64_t> Open(const std::string& name) override {
        Close();
        open = writable ? name : "";
        return writable ? std::optional(disk[name].size()) : std::nullopt;
    }
    bool Write(std::string_view bytes) override {
        buffered += bytes;
        return writable;
    }
    bool Flush() override {
        disk[open] += std::exchange(buffered, {});
        return writable;
    }
    void Close() override {
        if (!open.empty()) {
            Flush();
        }
        open.clear();
    }
    std::string NativePath(const std::string& name) const override { return "/j/" + name; }
    std::filesystem::path FilePath(const std::string& name) const override {
        return NativePath(name);
    }
};

class FakeClock final : public Clock {
public:
    LocalTime now{2026, 12, 8, 10, 42, 7, 315};
    LocalTime Now() override { return now; }
};

struct Rig {
    RecordingTrace next;
    FakeJournalFolder folder;
    FakeClock clock;
    std::vector<std::string> told;
    Journal journal;

    explicit Rig(JournalLimits limits = {}) : journal(next, folder, clock, limits) {
        journal.OnFailure([this](const std::string& text) { told.push_back(text); });
    }
};

TEST(JournalTest, LineIsTheTraceLineWithTheLocalTimeInFront) {
    struct Case {
        LocalTime time;
        const char* kind;
        const char* text;
        const char* line;
    };
    const Case cases[] = {
        {{2026, 12, 8, 10, 42, 7, 315}, "status", "Ready.", "10:42:07.315 status Ready.\n"},
        {{2026, 1, 2, 23, 59, 59, 999}, "scan", "%1\xd1\r\\", "23:59:59.999 scan %1\\xd1\\r\\\\\n"},
        {{2026, 1, 2, 9, 5, 3, 40}, "pause", "", "09:05:03.040 pause\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JournalLine(c.time, c.kind, c.text), c.line) << c.kind;
    }
}

TEST(JournalTest, EventsGoOnToTheTraceNotesStayInTheJournalAndALabelEndsWithAFlush) {
    Rig rig;
    rig.journal.Start();
    rig.journal.Event("status", "Ready.");
    rig.journal.Note("decide", "field S");
    EXPECT_EQ(rig.next.lines, (std::vector<std::string>{"status Ready."}));
    EXPECT_EQ(rig.folder.disk["2026-12-08.log"], "");

    rig.journal.Flush();
    EXPECT_EQ(rig.folder.disk["2026-12-08.log"], "10:42:07.315 journal opened\n"
                                                 "10:42:07.315 status Ready.\n"
                                                 "10:42:07.315 decide field S\n");
    // After midnight the lines go to the new day's file.
    rig.clock.now = {2026, 12, 9, 0, 0, 1, 0};
    rig.journal.Event("host", "End");
    rig.journal.Flush();
    EXPECT_EQ(rig.folder.disk["2026-12-09.log"], "00:00:01.000 host End\n");
    EXPECT_TRUE(rig.told.empty());
}

TEST(JournalTest, StartRemovesOnlyDayFilesBeyondTheRetention) {
    JournalLimits limits;
    limits.keepDays = 90;
    Rig rig(limits);
    for (const char* name : {"2026-12-08.log", "2026-09-10.log", "2026-09-09.log", "2025-12-31.log",
                             "notes.txt", "2020-13-01.log", "2020-01-01.txt"}) {
        rig.folder.disk[name] = "x";
    }
    rig.journal.Start();
    EXPECT_EQ(rig.folder.Names(),
              (std::vector<std::string>{"2020-01-01.txt", "2020-13-01.log", "2026-09-10.log",
                                        "2026-12-08.log", "notes.txt"}));
}

TEST(JournalTest, ADayFileStopsAtTheCapWithALastLineThatSaysSo) {
    JournalLimits limits;
    limits.capBytes = 200;
    Rig rig(limits);
    rig.journal.Start();
    for (int i = 0; i < 20; ++i) {
        rig.journal.Event("status", "Ready.");
    }
    rig.journal.Flush();
    const std::string& file = rig.folder.disk["2026-12-08.log"];
    EXPECT_LE(file.size(), limits.capBytes);
    EXPECT_TRUE(file.ends_with("journal full at 200 bytes, nothing more is written today\n"))
        << file;
    EXPECT_EQ(rig.next.lines.size(), 20U);
}

TEST(JournalTest, AnUnwritableFolderIsToldOnceAndTheTraceGoesOn) {
    Rig rig;
    rig.folder.writable = false;
    rig.journal.Start();
    for (int i = 0; i < 3; ++i) {
        rig.journal.Event("status", "Ready.");
        rig.journal.Flush();
    }
    EXPECT_EQ(rig.told,
              (std::vector<std::string>{"The journal cannot be written: /j/2026-12-08.log"}));
    EXPECT_EQ(rig.next.lines.size(), 3U);
}

} // namespace
} // namespace quillet
