#!/usr/bin/env bash
# shellcheck disable=SC2059 # file contents are printf formats on purpose, to spell bytes
# The label path end to end through quillet-replay: row-label sets in both orders, plain
# labels with the default field and with "Run Field Not Selected", commands, "%CLEAR%", list
# files, the "Norm and Mirror" double entry, count digit 9, a repeated row, the AddLine
# recovery, dimensions from G-code and ZOR program files, and the companion CSV records.
# Every run's whole trace is compared, start-up included.
set -euo pipefail
# shellcheck source=SCRIPTDIR/replay_common.sh
source "$(dirname "$0")/replay_common.sh"

# A fresh installation: ZOR.INI in the program folder with the common keys and the lines
# given, the program folder C:\PROD\ and the companion folder C:\CSV on the mapped C: drive.
install() {
    rm -rf "$work/t"
    mkdir -p "$work/t/bin" "$work/t/windows" "$work/t/c/prod" "$work/t/c/csv"
    {
        printf '[VORKSTAB]\r\nCommPort=1\r\nGCodePath=C:\\PROD\\\r\n'
        printf 'CSVInPath=C:\\CSV\\\r\nCSVOutPath=C:\\CSV\\ALL.CSV\r\n'
        for line in "$@"; do printf '%s\r\n' "$line"; done
    } >"$work/t/bin/ZOR.INI"
}
prog() { printf "$2" >"$work/t/c/prod/$1"; }
csv() { printf "$2" >"$work/t/c/csv/$1"; }
# The cumulative CSV file, byte for byte.
expect_csv() {
    printf "$2" >"$work/expected"
    cmp "$work/expected" "$work/t/c/csv/ALL.CSV" ||
        fail "$1: $(od -c "$work/t/c/csv/ALL.CSV" | head -5)"
}

# The machine table of the "Barcode" target: no automatic mirror, no default field.
install
prog P1.CNC 'G71 X800 Y600 Z18 T1\r\n(PANEL)\r\nG0 X0 Y0\r\n'
csv P1.CSV 'P1;Pan\351l;2\r\nline 2;\377\r\n'

# A row-label set, row 1 first: row 2 gives X and a zero Y, so Y and Z come from the
# G-code program file while X stays; "S1" from row 1 is the field (171=9). Then the same
# set, row 2 first: its "$" terminator stays on Z, which reads as 19 and is sent as it is.
# Automatic clear and auto start are on at start-up; "ACK" follows the entry.
run <<'SCRIPT'
scan %12P1 S1 V7$
scan %22100 0 $
scan %22250 125 19$
scan %12P1 S1 V7$
SCRIPT
expect "row-label sets" <<'TRACE'
status Reading Barcode-Label.%12P1 S1 V7$
host Visible true
host ClearList
status  Waiting for next barcode...
status Reading Barcode-Label.%22100 0 $
host ClearList
status Adding to Barcode data to List.
host AddLine #161=P1.CNC;#164=1;#171=9;#284=0;#280=;#165=1;#168=100;#169=600;#170=18;#282=;#283=;
host Start
serial-out ACK\r
pause 0.6
pause 0.6
status Ready.
status Reading Barcode-Label.%22250 125 19$
status  Waiting for next barcode...
status Reading Barcode-Label.%12P1 S1 V7$
host ClearList
status Adding to Barcode data to List.
host AddLine #161=P1.CNC;#164=1;#171=9;#284=0;#280=;#165=1;#168=250;#169=125;#170=19$;#282=;#283=;
host Start
serial-out ACK\r
pause 0.6
pause 0.6
status Ready.
TRACE
# Each row 1 copies the companion record: one line break dropped, CR LF added.
expect_csv "companion records" 'P1;Pan\351l;2\r\nline 2;\377\r\nP1;Pan\351l;2\r\nline 2;\377\r\n'
rm "$work/t/c/csv/ALL.CSV"

# A repeated row is a formatting error and leaves the set as it was (no second record);
# a repeated row whose count digit equals the rows received completes the set.
run <<'SCRIPT'
scan %12P1 S1 0$
scan %12P1 S1 0$
scan %11P1 S1 0$
SCRIPT
expect "repeated row" <<'TRACE'
status Reading Barcode-Label.%12P1 S1 0$
host Visible true
host ClearList
status  Waiting for next barcode...
status Reading Barcode-Label.%12P1 S1 0$
status Barcode Formating Error.  %12P1 S1 0$
status Reading Barcode-Label.%11P1 S1 0$
host ClearList
status Adding to Barcode data to List.
host AddLine #161=P1.CNC;#164=1;#171=9;#284=0;#280=;#165=1;#168=800;#169=600;#170=18;#282=;#283=;
host Start
serial-out ACK\r
pause 0.6
pause 0.6
status Ready.
TRACE
expect_csv "one record for a repeated row" 'P1;Pan\351l;2\r\nline 2;\377\r\n'

# Count digit 9: one row is the whole set and field 164 is 999. No program file: the
# dimensions stay empty.
run <<'SCRIPT'
scan %19P9 N 0$
SCRIPT
expect "count digit 9" <<'TRACE'
status Reading Barcode-Label.%19P9 N 0$
host Visible true
host ClearList
host ClearList
status Adding to Barcode data to List.
host AddLine #161=P9.CNC;#164=999;#171=1;#284=0;#280=;#165=1;#168=;#169=;#170=;#282=;#283=;
host Start
serial-out ACK\r
pause 0.6
pause 0.6
status Ready.
TRACE

# Rows 5 to 9 have no layout and a row label shorter than three characters no count: both
# are formatting errors that leave the pending set as it was, so row 2 still completes it.
run <<'SCRIPT'
scan %12P1 S1 0$
scan %5212 3$
scan %1
scan %22100 200 18
SCRIPT
expect "rows 5 to 9 and short row labels" <<'TRACE'
status Reading Barcode-Label.%12P1 S1 0$
host Visible true
host ClearList
status  Waiting for next barcode...
status Reading Barcode-Label.%5212 3$
status Barcode Formating Error.  %5212 3$
status Reading Barcode-Label.%1
status Barcode Formating Error.  %1
status Reading Barcode-Label.%22100 200 18
host ClearList
status Adding to Barcode data to List.
host AddLine #161=P1.CNC;#164=1;#171=9;#284=0;#280=;#165=1;#168=100;#169=200;#170=18;#282=;#283=;
host Start
serial-out ACK\r
pause 0.6
pause 0.6
status Ready.
TRACE

# "%CLEAR%" with rows pending only drops them (the next row 2 starts a new set); with
# nothing pending it clears the host's list.
run <<'SCRIPT'
scan %12P1 S1 0$
scan %CLEAR%
scan %22100 200 18
scan %CLEAR%
scan %CLEAR%
SCRIPT
expect "%CLEAR%" <<'TRACE'
status Reading Barcode-Label.%12P1 S1 0$
host Visible true
host ClearList
status  Waiting for next barcode...
status Reading Barcode-Label.%CLEAR%
pause 0.6
status Ready.
status Reading Barcode-Label.%22100 200 18
status  Waiting for next barcode...
status Reading Barcode-Label.%CLEAR%
pause 0.6
status Ready.
status Reading Barcode-Label.%CLEAR%
host ClearList
pause 0.6
status Ready.
TRACE

# Commands. "%setp%" is no command: a row label of row "s", that is row 0, naming the list
# "tp%".
run <<'SCRIPT'
scan %START%
scan %STOP%
scan %END%
scan %SETP%
scan %SETPOINT%
scan %setp%
SCRIPT
expect "commands" <<'TRACE'
status Reading Barcode-Label.%START%
host Visible true
host ClearList
host Start
pause 0.6
status Ready.
status Reading Barcode-Label.%STOP%
host Stop
pause 0.6
status Ready.
status Reading Barcode-Label.%END%
host End
pause 0.6
status Ready.
status Reading Barcode-Label.%SETP%
host SetDeviceStatus DRAVINESK.MAIN.CmdSetP 1
pause 0.6
status Ready.
status Reading Barcode-Label.%SETPOINT%
host SetDeviceStatus DRAVINESK.MAIN.CmdSetP 1
pause 0.6
status Ready.
status Reading Barcode-Label.%setp%
host ClearList
pause 0.6
status Ready.
message exclamation|Quillet|List File C:\\PROD\\tp%.LST Not Found
TRACE

# Without a device-status object the set-point call is skipped.
run --host-no-device-status <<'SCRIPT'
scan %SETP%
scan %SETPOINT%
SCRIPT
expect "set-point without device status" <<'TRACE'
status Reading Barcode-Label.%SETP%
host Visible true
host ClearList
pause 0.6
status Ready.
status Reading Barcode-Label.%SETPOINT%
pause 0.6
status Ready.
TRACE

# List files: row 0 and the 2D "*%00" form each clear the list and add the retained lines
# after line 0 (lines of 5 characters or less are skipped) with the add-program notice,
# start once and send no "ACK". A list of one retained line is "Empty"; a missing one
# "Not Found".
prog JOBS.LST 'JOBS FOR MONDAY\r\n\r\nA1.CNC;1;S;1;800;600;18;x;7;V1;y;a;b;c;d;e;f;g;i\r\nshort\r\nB2.CNC;2;M1;1;0\r\nab;cde\r\n'
prog ONE.LST 'HEADER ONLY\r\nabc\r\n'
run <<'SCRIPT'
scan %00JOBS
scan *%00JOBS^$
scan %00ONE
scan %00NONE
SCRIPT
# The entries of JOBS.LST, as each of its two labels adds them.
jobs_entries() {
    cat <<'TRACE'
status Adding to Barcode data to List.
host AddLine #161=A1.CNC;#164=1;#171=3;#284=0;#280=;#165=1;#168=800;#169=600;#170=18;#282=7;#283=;
host SetDeviceStatus DRAVINESK.MAIN.AddProg 1
status Adding to Barcode data to List.
host AddLine #161=B2.CNC;#164=2;#171=8;#284=1;#280=;#165=1;#168=;#169=;#170=;#282=;#283=;
host SetDeviceStatus DRAVINESK.MAIN.AddProg 1
status Adding to Barcode data to List.
host AddLine #161=ab;#164=cde;#171=37;#284=0;#280=;#165=;#168=;#169=;#170=;#282=;#283=;
host SetDeviceStatus DRAVINESK.MAIN.AddProg 1
host Start
pause 0.6
pause 0.6
status Ready.
TRACE
}
{
    printf 'status Reading Barcode-Label.%%00JOBS\nhost Visible true\nhost ClearList\nhost ClearList\n'
    jobs_entries
    echo 'host ClearList'
    jobs_entries
    cat <<'TRACE'
status Reading Barcode-Label.%00ONE
host ClearList
message exclamation|Quillet|List File C:\\PROD\\ONE.LST Empty
pause 0.6
status Ready.
status Reading Barcode-Label.%00NONE
host ClearList
pause 0.6
status Ready.
message exclamation|Quillet|List File C:\\PROD\\NONE.LST Not Found
TRACE
} | expect "list files"

# AddLine refused once: a new list object by name, made visible and reset, takes the
# entry. Refused four times: after three new objects the entry is given up, the operator
# is told, and nothing is started or acknowledged.
run --host-fail-addline 1 <<'SCRIPT'
scan %19P1 S1 0$
SCRIPT
line='host AddLine #161=P1.CNC;#164=999;#171=9;#284=0;#280=;#165=1;#168=800;#169=600;#170=18;#282=;#283=;'
expect "AddLine recovery" <<TRACE
status Reading Barcode-Label.%19P1 S1 0\$
host Visible true
host ClearList
host ClearList
status Adding to Barcode data to List.
$line
host CreateExeList
host Visible true
host Clear
$line
host Start
serial-out ACK\\r
pause 0.6
pause 0.6
status Ready.
TRACE
run --host-fail-addline 4 <<'SCRIPT'
scan %19P1 S1 0$
SCRIPT
retry=$(printf 'host CreateExeList\nhost Visible true\nhost Clear\n%s' "$line")
expect "AddLine given up" <<TRACE
status Reading Barcode-Label.%19P1 S1 0\$
host Visible true
host ClearList
host ClearList
status Adding to Barcode data to List.
$line
$retry
$retry
$retry
message critical|Quillet|Tormial did not accept the program P1.CNC: adding it to the execution list failed, also on 3 new lists. The program was not added.
status Ready.
TRACE

# "Run Field Not Selected": no default field, no field-code label, "Barcode" target; typed
# by hand it also beeps. "%N%" then lets the plain label through, once.
run <<'SCRIPT'
scan P3
type p3
scan %N%
scan P3
scan P3
SCRIPT
expect "Run Field Not Selected" <<'TRACE'
status Reading Barcode-Label.P3
host Visible true
host ClearList
status Run Field Not Selected
status Type the Barcode-Label.
status Run Field Not Selected
beep
status Reading Barcode-Label.%N%
status Reading Barcode-Label.P3
host ClearList
status Adding to Barcode data to List.
host AddLine #161=P3.CNC;#164=1;#171=1;#284=0;#280=;#165=1;#168=;#169=;#170=;#282=;#283=;
host Start
serial-out ACK\r
pause 0.6
pause 0.6
status Ready.
status Reading Barcode-Label.P3
status Run Field Not Selected
TRACE

# A plain label with the default field (stored as "s", applied upper-cased: 171=3), all
# three dimensions and the comment from a ZOR program file (blank lines skipped), the
# companion record without a final line break; automatic clear off. Then the same label
# typed by hand.
install 'FieldCode_DFN=s'
prog P2.CNC '\r\n  \r\nZOR V2\r\n;;DOOR LEFT\r\nG0 X0\r\nUNIT X=400 Y=300.5 Z=19\r\n'
csv P2.CSV 'P2;door'
run <<'SCRIPT'
set AClear 0
scan P2
type p2
SCRIPT
entry='#161=P2.CNC;#164=1;#171=3;#284=0;#280=;#165=1;#168=400;#169=300.5;#170=19;#282=;#283=;'
expect "default field" <<TRACE
status Reading Barcode-Label.P2
host Visible true
host ClearList
status Adding to Barcode data to List.
host AddLine $entry
host Start
serial-out ACK\\r
pause 0.6
pause 0.6
status Ready.
status Type the Barcode-Label.
status Adding to Barcode data to List.
host AddLine $entry
host Start
serial-out ACK\\r
pause 0.6
pause 0.6
status Ready.
TRACE
expect_csv "record without line break" 'P2;door\r\nP2;door\r\n'

# "Norm and Mirror" on the program name: "MIR" at position 1 from the left. MIRDOOR is
# added twice, the first entry from the normal group (S1), the second from the mirror
# group (A1), each started and acknowledged. DOOR does not match: one entry chosen
# automatically in the normal group; auto start off.
install 'AutoSelSetting=1' 'PNameMSel=0' 'PNameNandMLR=-1' 'PNameNandMCPos=1' \
    'PNameNandMText=mir' 'FieldCode_SFN=N' 'FieldCode_SFM=M' 'FieldCode_FFS=S1' \
    'FieldFlag_FFS= 1' 'FieldCode_FFA=A1' 'FieldFlag_FFA= 1' 'HalfLimitX=1000' 'HalfLimitY=1000'
prog MIRDOOR.CNC 'G71 X800 Y600 Z18 T1\r\n(MIRRORED DOOR)\r\n'
run <<'SCRIPT'
scan MIRDOOR
set AutoStart 0
scan DOOR
SCRIPT
expect "Norm and Mirror" <<'TRACE'
status Reading Barcode-Label.MIRDOOR
host Visible true
host ClearList
host ClearList
status Adding to Barcode data to List.
host AddLine #161=MIRDOOR.CNC;#164=1;#171=9;#284=0;#280=;#165=1;#168=800;#169=600;#170=18;#282=;#283=;
host Start
serial-out ACK\r
status Adding to Barcode data to List.
host AddLine #161=MIRDOOR.CNC;#164=1;#171=10;#284=1;#280=;#165=1;#168=800;#169=600;#170=18;#282=;#283=;
host Start
serial-out ACK\r
pause 0.6
pause 0.6
status Ready.
status Reading Barcode-Label.DOOR
host ClearList
status Adding to Barcode data to List.
host AddLine #161=DOOR.CNC;#164=1;#171=9;#284=0;#280=;#165=1;#168=;#169=;#170=;#282=;#283=;
serial-out ACK\r
pause 0.6
pause 0.6
status Ready.
TRACE
echo "label path ok"
