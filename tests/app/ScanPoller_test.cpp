#include "app/ScanPoller.h"

#include "base/Trace.h"
#include "support/FakeSerialPort.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

using Lines = std::vector<std::string>;

// Records the calls the poller makes, one line each: "label <text>", "unpack <text>",
// "import <text>".
class ScanPollerTest : public ::testing::Test {
protected:
    ScanHandlers Handlers() {
        return {
            [this](const std::string& text) {
                calls.push_back("label " + text);
                if (onLabel) {
                    onLabel();
                }
                return true;
            },
            [this](const std::string& text) {
                calls.push_back("unpack " + text);
                return unpacked;
            },
            [this](std::string& text) { calls.push_back("import " + text); },
            [this](const std::string& bytes) { journal.push_back("scan " + bytes); },
            [this] { journal.push_back("done"); },
            [this](const std::string& piece, const CleanedInput& cleaned) {
                journal.push_back("input " + ScannerInput::JournalText(piece, cleaned));
                if (!cleaned.isLabel) {
                    calls.push_back("no label");
                }
            },
        };
    }

    // The bytes arrive, then quiet ticks run until the buffer is empty.
    void Scan(const std::string& bytes) {
        port.incoming += bytes;
        poller.Tick();
        for (int i = 0; i < 1000 && !poller.ScanBuffer().empty(); ++i) {
            poller.Tick();
        }
    }

    testing::FakeSerialPort port;
    WindowState window;
    Lines calls;
    Lines journal;
    std::string unpacked;
    std::function<void()> onLabel;
    ScanPoller poller{port, window, Handlers()};
};

TEST_F(ScanPollerTest, FramesBurstsIntoCalls) {
    struct Case {
        std::string burst;
        std::string unpacked;
        Lines calls;
    };
    const std::string n = "\xF1";
    const Case cases[] = {
        {"%START%%STOP%", "", {"label %START%", "label %STOP%"}},
        {"'ABC$XYZ", "", {"label %N%", "label ABC"}},
        {"'$", "", {}},
        {"'$%START%", "", {}},
        {"'ABC", "", {"label 'ABC"}},
        {"AB!CD%", "", {"label AB CD%"}},
        {"%ABC", "", {"label %ABC"}},
        {"ABC$", "", {"label ABC$"}},
        {"%", "", {"label %"}},
        {"%%", "", {"label %%"}},
        {"A%B%C", "", {"label A%", "label B%", "label C"}},
        {"X^Y%Z", "", {"import X^Y%Z"}},
        {"'A$^", "", {"label %N%", "label A"}},
        {"'A^$B", "", {"label %N%", "import A^"}},
        {"'^$", "", {"label %N%", "import ^"}},
        {n + "  00003   xyz", "", {"unpack " + n + "  00003   xyz"}},
        {n + "zz", "P^1", {"unpack " + n + "zz", "import P^1"}},
        {n + "zz", "%START%%STOP%", {"unpack " + n + "zz", "label %START%", "label %STOP%"}},
        {"'" + n + "zz$", "%CLEAR%", {"label %N%", "unpack " + n + "zz", "label %CLEAR%"}},
        {std::string("\0%\xff", 3), "", {std::string("label \0%", 8), "label \xff"}},
    };
    for (const Case& c : cases) {
        calls.clear();
        unpacked = c.unpacked;
        Scan(c.burst);
        EXPECT_EQ(calls, c.calls) << c.burst;
        EXPECT_TRUE(poller.ScanBuffer().empty());
        EXPECT_EQ(poller.QuietTicks(), 0);
    }
}

TEST_F(ScanPollerTest, ALabelIsTakenAtTheSecondQuietTick) {
    port.incoming = "%ST";
    poller.Tick();
    EXPECT_TRUE(window.ReceiveIndicatorVisible());
    EXPECT_EQ(window.ReceiveIndicatorCaption(), "%");
    port.incoming = "ART%";
    poller.Tick(); // a second burst within the quiet time joins the first
    poller.Tick();
    EXPECT_EQ(poller.QuietTicks(), 1);
    EXPECT_TRUE(calls.empty());
    poller.Tick();
    EXPECT_EQ(calls, (Lines{"label %START%"}));
    EXPECT_FALSE(window.ReceiveIndicatorVisible());
    EXPECT_EQ(window.Status(), "Reading Barcode-Label.%START%");
}

TEST_F(ScanPollerTest, NothingHappensWithAnEmptyBufferOrAClosedPort) {
    for (int i = 0; i < 5; ++i) {
        poller.Tick();
    }
    EXPECT_EQ(poller.QuietTicks(), 0);
    port.open = false;
    port.incoming = "%START%";
    for (int i = 0; i < 5; ++i) {
        poller.Tick();
    }
    EXPECT_EQ(port.incoming, "%START%");
    port.open = true;
    Scan("");
    EXPECT_EQ(calls, (Lines{"label %START%"}));
}

TEST_F(ScanPollerTest, ARestWaitsForTwoMoreQuietTicksAndJoinsNewInput) {
    port.incoming = "%A%%B";
    poller.Tick();
    poller.Tick();
    poller.Tick();
    EXPECT_EQ(calls, (Lines{"label %A%"}));
    EXPECT_EQ(poller.ScanBuffer(), "%B");
    port.incoming = "C%";
    poller.Tick();
    poller.Tick();
    poller.Tick();
    EXPECT_EQ(calls, (Lines{"label %A%", "label %BC%"}));
}

TEST_F(ScanPollerTest, NestedTicksNeitherFrameTwiceNorLoseBytes) {
    int nested = 0;
    onLabel = [&] {
        // The interpreter pauses: ticks run, and the scanner sends the next label.
        if (nested++ == 0) {
            port.incoming += "%STOP%";
            for (int i = 0; i < 5; ++i) {
                poller.Tick();
            }
            EXPECT_TRUE(poller.Busy());
            EXPECT_EQ(port.incoming, "%STOP%");
        }
    };
    Scan("%START%%CLEAR%");
    EXPECT_EQ(calls, (Lines{"label %START%", "label %CLEAR%", "label %STOP%"}));
    EXPECT_FALSE(poller.Busy());
}

// Each step: bytes that arrive (with or without a line error), the ticks that follow, and
// whether the status line then tells of the dropped label.
TEST_F(ScanPollerTest, ALabelDuringALineErrorIsDroppedAndTheNextOneKept) {
    struct Step {
        std::string bytes;
        bool lineError;
        int ticks;
        bool told;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        Lines calls;
    };
    const Case cases[] = {
        {"error with the bytes",
         {{"%19ABC", true, 3, true}, {"%19DEF", false, 3, false}},
         {"label %19DEF"}},
        {"error after the last bytes",
         {{"%19A", false, 1, false}, {"", true, 2, true}, {"%19B", false, 3, false}},
         {"label %19B"}},
        {"error on an idle line",
         {{"", true, 3, false}, {"%19A", false, 3, false}},
         {"label %19A"}},
        {"error with the next label",
         {{"%19A", false, 3, false}, {"%19B", true, 3, true}},
         {"label %19A"}},
    };
    for (const Case& c : cases) {
        calls.clear();
        ScanPoller p{port, window, Handlers()};
        for (const Step& step : c.steps) {
            window.SetStatus("");
            port.incoming += step.bytes;
            port.lineError = step.lineError;
            for (int i = 0; i < step.ticks; ++i) {
                p.Tick();
            }
            EXPECT_EQ(window.Status() == ScanPoller::kLineError, step.told) << c.name;
        }
        EXPECT_EQ(calls, c.calls) << c.name;
        EXPECT_TRUE(p.ScanBuffer().empty()) << c.name;
    }
}

TEST_F(ScanPollerTest, BytesArrivingAsALabelIsFramedAreKept) {
    // The scanner's next label lands between the quiet check and the framing.
    struct LatePort : testing::FakeSerialPort {
        int checks = 0;
        std::size_t BytesWaiting() override {
            if (++checks == 4) {
                incoming = "%STOP%";
            }
            return incoming.size();
        }
    } late;
    ScanPoller p{late, window, Handlers()};
    late.incoming = "%START%";
    p.Tick();
    p.Tick();
    p.Tick();
    EXPECT_EQ(calls, (Lines{"label %START%"}));
    EXPECT_EQ(p.ScanBuffer(), "%STOP%");
    p.Tick();
    p.Tick();
    EXPECT_EQ(calls, (Lines{"label %START%", "label %STOP%"}));
}

TEST_F(ScanPollerTest, ALabelStillInTheSystemBufferSurvivesTheFraming) {
    // The port object hands up only what it has read; a clear would also drop the bytes
    // the system holds below it.
    struct LayeredPort : testing::FakeSerialPort {
        std::string below;
        void ClearInput() override {
            incoming.clear();
            below.clear();
        }
    } layered;
    ScanPoller p{layered, window, Handlers()};
    layered.incoming = "%EARLY%";
    p.Tick();
    p.Tick();
    layered.below = "%LATE%"; // the next scan arrives as the first one is framed
    p.Tick();
    EXPECT_EQ(calls, (Lines{"label %EARLY%"}));
    for (int i = 0; i < 3; ++i) {
        layered.incoming += std::exchange(layered.below, {});
        p.Tick();
    }
    EXPECT_EQ(calls, (Lines{"label %EARLY%", "label %LATE%"}));
}

TEST_F(ScanPollerTest, AHoldKeepsThePollAwayAndEndsWithItsScope) {
    port.incoming = "%START%";
    {
        const ScanPoller::Hold hold(poller);
        Scan("");
        EXPECT_TRUE(calls.empty());
        EXPECT_EQ(port.incoming, "%START%");
    }
    Scan("");
    EXPECT_EQ(calls, (Lines{"label %START%"}));
}

// What arrived is journalled once per framing, even when a label set is split and its rest
// framed later, and every framing ends with the label done.
TEST_F(ScanPollerTest, TheJournalGetsEachArrivalOnceAndTheEndOfEveryLabel) {
    port.incoming += "%1A";
    poller.Tick();
    port.incoming += "B%2C";
    poller.Tick();
    Scan("");
    Scan("%STOP%");
    EXPECT_EQ(journal, (Lines{"scan %1AB%2C", "input %1AB%2C -> %1AB%2C", "done", "input 2C -> 2C",
                              "done", "scan %STOP%", "input %STOP% -> %STOP%", "done"}));
}

// Raw scanner input against what framing hands on: the terminator every scanner may add,
// STX/ETX, each configured addition, bursts cut into several labels, a program's own line
// ends and a compressed label's own bytes.
TEST_F(ScanPollerTest, TheScannersAdditionsComeOffBeforeFraming) {
    struct Case {
        ScannerSetup setup;
        std::string burst;
        Lines calls;
    };
    const std::string n = "\xF1";
    const ScannerSetup none;
    const ScannerSetup aim{"", "", true};
    const ScannerSetup hashTab{"#", "\t", false};
    const Case cases[] = {
        {none, "PJ1\r", {"label PJ1"}},
        {none, "PJ1\r\n", {"label PJ1"}},
        {none, "PJ1\n", {"label PJ1"}},
        {none, "PJ1\t", {"label PJ1"}},
        {none, "PJ1\r\r", {"label PJ1\r"}},
        {none, "\x02PJ1\x03", {"label PJ1"}},
        {none, "%S%\r", {"label %S%"}},
        {none, "%12PJ1 P 5$\r", {"label %12PJ1 P 5$"}},
        {none, "%START%\r%STOP%\r", {"label %START%", "label %STOP%"}},
        {none, "%S%\r\nPJ1\r\n", {"label %S%", "label PJ1"}},
        {none, "\x02%S%\x03\x02PJ1\x03", {"label %S%", "label PJ1"}},
        {none, "'ABC$\r", {"label %N%", "label ABC"}},
        {none, "\r", {"no label"}},
        {none, "\r\n", {"no label"}},
        {none, "\t", {"no label"}},
        {none, "\x02\x03", {"no label"}},
        {none, " \r", {"no label"}},
        {none, "P^1\r\nG0\r\n", {"import P^1\r\nG0\r\n"}},
        {none, "P^1\r\nG0\r\n\r", {"import P^1\r\nG0\r\n"}},
        {none, "P^1\r\nG0\r\n\r\n", {"import P^1\r\nG0\r\n"}},
        {none, "P^1\r\nG0\r", {"import P^1\r\nG0"}},
        {none, n + "z\r", {"unpack " + n + "z\r"}},
        {aim, "]C0PJ1", {"label PJ1"}},
        {aim, "PJ1\r", {"label PJ1"}},
        {aim, "]C0%S%\r]C0PJ1\r", {"label %S%", "label PJ1"}},
        {aim, "]d1P^1\r\nG0\r\n", {"import P^1\r\nG0\r\n"}},
        {aim, "]C0\r", {"no label"}},
        {hashTab, "#PJ1\t", {"label PJ1"}},
        {hashTab, "PJ1", {"label PJ1"}},
        {hashTab, "#%A%\t#%B%\t", {"label %A%", "label %B%"}},
        {hashTab, "#" + n + "z\t", {"unpack " + n + "z"}},
    };
    for (const Case& c : cases) {
        calls.clear();
        ScanPoller p{port, window, Handlers(), ScannerInput(c.setup)};
        port.incoming = c.burst;
        for (int i = 0; i < 20; ++i) {
            p.Tick();
        }
        EXPECT_EQ(calls, c.calls) << EscapeTraceText(c.burst);
        EXPECT_TRUE(p.ScanBuffer().empty()) << EscapeTraceText(c.burst);
    }
}

TEST_F(ScanPollerTest, TheJournalTellsWhatCameOffAndWhatWasMissing) {
    const ScannerSetup setup{"#", "", true};
    ScanPoller p{port, window, Handlers(), ScannerInput(setup)};
    for (const char* burst : {"#]C0PJ1\r", "PJ2", "\r"}) {
        port.incoming = burst;
        for (int i = 0; i < 3; ++i) {
            p.Tick();
        }
    }
    EXPECT_EQ(journal,
              (Lines{"scan #]C0PJ1\r",
                     "input #]C0PJ1\r -> PJ1 (prefix #, symbology Code 128 ]C0, terminator \r)",
                     "done", "scan PJ2",
                     "input PJ2 -> PJ2 (no prefix #, taken as it came, no symbology identifier, "
                     "taken as it came)",
                     "done", "scan \r",
                     "input \r -> not a label (no prefix #, taken as it came, no symbology "
                     "identifier, taken as it came, terminator \r)",
                     "done"}));
}

} // namespace
} // namespace quillet
