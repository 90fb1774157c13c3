#include "app/TodaysLabels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillet {
namespace {

// A journal's lines (without their times, which the case adds in order) and the rows they
// give, newest first: label | kind | sent | outcome | reason.
struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::string> rows;
};

const Case kCases[] = {
    {"a row set is one row, waiting until its last row",
     {"scan %12P1 P V7$", "host Visible true", "host ClearList", "label row 1 of 2: %12P1 P V7$",
      "status  Waiting for next barcode...", "scan %9", "label not a label: %9",
      "status Barcode Formating Error.  %9", "refused a row needs a count", "scan %22800 600 18$",
      "label row 2 of 2: %22800 600 18$", "host ClearList", "decide field S: x within",
      "host AddLine #161=P1.CNC;#164=1;#171=3;#284=0;", "host Start", "serial-out ACK\\r"},
     {"%12P1 P V7$ + %22800 600 18$|row set of 2|P1.CNC in field 3|added and acknowledged|"
      "field S: x within",
      "%9|not a label||refused: Barcode Formating Error.  %9|a row needs a count"}},
    {"before its last row",
     {"scan %12P1 S1$", "label row 1 of 2: %12P1 S1$", "status  Waiting for next barcode..."},
     {"%12P1 S1$|row 1 of 2, waiting||pending rows|"}},
    {"one scan, two commands; a field code; a typed command",
     {"scan %START%%STOP%", "label command: %START%", "host Start", "status Ready.",
      "label command: %STOP%", "host Stop", "scan %N%", "label field code: %N%", "typed %SETP%",
      "label command: %SETP%", "host SetDeviceStatus CmdSetP 1"},
     {"%SETP%|command|SetDeviceStatus CmdSetP 1|done|",
      "%N%|field code||taken for the next program|", "%STOP%|command|Stop|done|",
      "%START%|command|Start|done|"}},
    {"%CLEAR% drops the rows waiting",
     {"scan %12P1 S1$", "label row 1 of 2: %12P1 S1$", "status  Waiting for next barcode...",
      "scan %CLEAR%", "label command: %CLEAR%", "decide the rows waiting are dropped"},
     {"%CLEAR%|command||done|the rows waiting are dropped",
      "%12P1 S1$|row 1 of 2, dropped||dropped by %CLEAR%|"}},
    {"Start failed after the entry; a host error before any; a dialog's box after the ACK",
     {"scan PC", "label plain name: PC", "host AddLine #161=PC.CNC;#171=1;", "host Start",
      "serial-out ACK\\r", "status Ready.", "message exclamation|Quillet|not saved", "scan PA",
      "label plain name: PA", "host AddLine #161=PA.CNC;#171=1;", "host Start",
      "message critical|Quillet|Automation error", "serial-out ACK\\r", "scan PB",
      "label plain name: PB", "host ClearList", "message critical|Quillet|cannot be reached"},
     {"PB|plain name||host error: cannot be reached|",
      "PA|plain name|PA.CNC in field 1|added but Start failed: Automation error|",
      "PC|plain name|PC.CNC in field 1|added and acknowledged|"}},
    {"a compressed 2D program, a list and an arrival that came to nothing",
     {"scan \\xf1abc", "label compressed", "label 2D program", "host AddLine #161=Q.CNC;#171=2;",
      "scan *%00JOBS^^", "label list file", "host AddLine #161=A;#171=1;",
      "host AddLine #161=B;#171=1;", "host AddLine #161=C;#171=1;",
      "list C:\\\\JOBS.LST: 3 entries", "scan 'N", "status Line error"},
     {"'N|not a label||ignored: Line error|",
      "*%00JOBS^^|list file|C:\\\\JOBS.LST: 3 entries|loaded|",
      "\\xf1abc|compressed 2D|Q.CNC in field 2|added|"}},
    {"a new run leaves a set incomplete; tries are no labels",
     {"scan %12P1 S1$", "label row 1 of 2: %12P1 S1$", "status  Waiting for next barcode...",
      "journal opened", "try scan %START%", "try host Start"},
     {"%12P1 S1$|row 1 of 2, waiting, not completed||the program started again|"}},
};

std::string Columns(const LabelRow& row) {
    return row.label + "|" + row.kind + "|" + row.sent + "|" + row.outcome + "|" + row.reason;
}

std::string Time(int second) {
    return "10:00:" + std::string(second < 10 ? "0" : "") + std::to_string(second) + ".000 ";
}

TEST(TodaysLabels, JournalLinesGiveOneRowPerLabelNewestFirst) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        std::string journal;
        int second = 0;
        for (const std::string& line : c.lines) {
            journal += Time(second++) + line + "\n";
        }
        // The same rows whether the day is read at start-up or line by line as it is written.
        TodaysLabels read;
        read.Read(journal);
        TodaysLabels live;
        int changes = 0;
        live.OnChanged([&] { ++changes; });
        second = 0;
        for (const std::string& line : c.lines) {
            live.Line(Time(second++) + line + "\n");
        }
        EXPECT_EQ(changes, 0) << "told before the label ended";
        live.Flushed();
        EXPECT_EQ(changes, 1);
        for (const TodaysLabels* labels : {&read, &live}) {
            std::vector<std::string> rows;
            for (std::size_t i = 0; i < labels->Count(); ++i) {
                rows.push_back(Columns(labels->Row(i)));
            }
            EXPECT_EQ(rows, c.rows);
        }
    }
}

TEST(TodaysLabels, ANewDayStartsEmptyAndRowsCopyAsText) {
    TodaysLabels labels;
    labels.Read("23:59:59.000 scan %START%\n23:59:59.001 label command: %START%\n"
                "23:59:59.002 host Start\n");
    labels.Line("00:00:01.000 scan %STOP%\n");
    labels.Line("00:00:01.001 label command: %STOP%\n");
    labels.Flushed();
    ASSERT_EQ(labels.Count(), 1u);
    EXPECT_EQ(labels.RowsText({0, 5}, "\r\n"), "00:00:01.001\t%STOP%\tcommand\t\tdone\t\r\n");
    EXPECT_EQ(Shortened("%12PROGRAM", 6), "%12...");
}

} // namespace
} // namespace quillet
